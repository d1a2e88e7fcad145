#include "core/profile/profile_files.h"

#include "core/text/cp932.h"
#include "core/text/numbers.h"
#include "core/text/one_line.h"

Profile readProfileFile(const NotebookFiles &files)
{
    return parseProfile(cp932::decode(files.read(profileFileName())));
}

Profile loadProfileFile(NotebookFiles &files)
{
    const ProfileParse parsed = parseProfileLines(cp932::decode(files.read(profileFileName())));
    if (!parsed.badLines.isEmpty()) {
        files.markNotWhole(profileFileName());
        QStringList lines;
        for (int n : parsed.badLines)
            lines.append(QString::number(n));
        files.tellOnce(
            profileFileName(),
            QStringLiteral(
                "%1 の %2 行目は、育児手帖の書き方になっていません"
                "（引用符の外のコンマ、または閉じていない引用符）。\r\n"
                "その行はそのままの文字で読み込みました。\r\n\r\n"
                "このファイルを書き換える前に、元のファイルを同じフォルダーに日付付きの控え（.bak）"
                "として残します。")
                .arg(profileFileName(), lines.join(QStringLiteral("、"))));
    }
    return parsed.profile;
}

QString readNickname(const NotebookFiles &files)
{
    return parseNickname(cp932::decode(files.read(profileFileName())));
}

WriteResult writeProfileFile(NotebookFiles &files, const Profile &profile)
{
    return writeProfileFile(files, profile, printedInteger(profile.targetPoint));
}

WriteResult writeProfileFile(NotebookFiles &files, const Profile &profile, const QString &targetPointText)
{
    const std::pair<const QString *, const char16_t *> fields[] = {
        {&profile.nickname, u"ニックネーム"}, {&profile.birthDate, u"生年月日"},
        {&profile.birthTime, u"出産時間"},    {&profile.birthHeight, u"身長"},
        {&profile.birthWeight, u"体重"},      {&profile.birthChest, u"胸囲"},
        {&profile.birthHead, u"頭囲"},        {&profile.reserved, u"8 行目"}};
    for (const auto &[value, caption] : fields)
        if (hasControlCharacter(*value)) {
            WriteResult refused;
            refused.ok = false;
            refused.error = controlCharacterMessage(QString::fromUtf16(caption));
            return refused;
        }
    return files.rewrite(profileFileName(), profileText(profile, targetPointText));
}

void readSettings(HelpTour &tour, const NotebookFiles &files)
{
    tour.helpTourOn = parseSettings(cp932::decode(files.read(settingsFileName())));
}

WriteResult writeSettingsFile(NotebookFiles &files, qint16 helpTourOn)
{
    return files.rewrite(settingsFileName(), settingsFileText(helpTourOn));
}
