#include "core/profile/new_notebook.h"

#include "core/files/clock.h"
#include "core/text/cp932.h"
#include "core/text/one_line.h"
#include "core/profile/profile_store.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <optional>

QList<EmptyFieldCheck> emptyFieldChecks()
{
    auto required = [](BirthField f, const QString &name) {
        return EmptyFieldCheck{
            f, true, name + QStringLiteral("が未入力です。\r\n\r\nここは必ず登録しておく必要があります。")};
    };
    auto optional = [](BirthField f, const QString &name) {
        return EmptyFieldCheck{
            f, false,
            name + QStringLiteral("が未入力です。\r\n\r\nこのままで良かったらＯＫボタンを押してください")};
    };
    return {optional(BirthField::Namae, QStringLiteral("ニックネーム欄")),
            required(BirthField::Umare, QStringLiteral("生年月日")),
            optional(BirthField::PJikan, QStringLiteral("出産時間")),
            required(BirthField::PShincyo, QStringLiteral("身長")),
            required(BirthField::PTaijyu, QStringLiteral("体重")),
            optional(BirthField::PKyoui, QStringLiteral("胸囲")),
            optional(BirthField::PToui, QStringLiteral("頭囲"))};
}

QString inputCheckTitle() { return QStringLiteral("入力確認"); }

QString notADateText()
{
    return QStringLiteral("その入力は日付の形式ではありません\r\n\r\n2002/02/18　のように入力してみて下さい");
}

QString newNotebookTitle() { return QStringLiteral("新規作成確認"); }

QString newNotebookQuestion(const QString &nickname)
{
    return QStringLiteral("これまでのデータを削除して『") + nickname +
           QStringLiteral("』の育児手帖を作成します。\r\n\r\n良かったらＯＫボタンを押してください");
}

QString newNotebookDoneTitle() { return QStringLiteral("クリア終了"); }

QString newNotebookDoneText(const QString &nickname)
{
    return QStringLiteral("これまでのデータをクリアしました。（離乳食レシピはそのままです）\r\n"
                          "新規のデータを採用するため一旦プログラムを終了します。\r\n\r\n"
                          "次に起動したときから『") +
           nickname +
           QStringLiteral("』の育児手帖がスタートします。\r\n\r\n"
                          "※出産初日のページは自動的に作られていますので、\r\n"
                          "　エピソードや思い出を記入して保存ボタンを押してみてくださいね。\r\n");
}

QString unstorableValueText(const QString &fieldName, const QString &value)
{
    const QString bad = cp932::firstUnencodable(value);
    if (!bad.isEmpty())
        return fieldName + QStringLiteral("：") + cp932::unencodableMessage(bad);
    if (hasControlCharacter(value))
        return controlCharacterMessage(fieldName);
    if (!readsBackWhole(value))
        return fieldName +
               QStringLiteral("：「\"」で始まる値や、「\"」と「,」や前後の空白を一緒に含む値は、"
                              "そのままでは保存できません。\r\n\r\n「\"」を「”」などに置き換えてください。");
    return {};
}

QString backupFolderName(const QDateTime &now)
{
    return QStringLiteral("バックアップ/") + now.toString(QStringLiteral("yyyyMMdd-HHmm"));
}

namespace {

constexpr auto failed = &WriteResult::failed;

// The names the changes touch, each once (letter case aside), in the order first touched.
QStringList touchedFiles(const QList<FileChange> &changes)
{
    QStringList names;
    for (const FileChange &c : changes)
        if (!names.contains(c.name, Qt::CaseInsensitive))
            names.append(c.name);
    return names;
}

// A new folder under バックアップ named by the minute; "-2", "-3"… when that one exists.
QString newBackupFolder(const QString &notebookDir, const QDateTime &now)
{
    // The copies stay inside the notebook: a バックアップ that is a link leading out is not used.
    const QFileInfo top(notebookDir + u'/' + backupFolderName(now).section(u'/', 0, 0));
    if (top.isSymLink() &&
        !top.canonicalFilePath().startsWith(QFileInfo(notebookDir).canonicalFilePath() + u'/'))
        return {};
    const QString stem = backupFolderName(now);
    QString name = stem;
    for (int n = 2; QFileInfo::exists(notebookDir + u'/' + name) || QFileInfo(notebookDir + u'/' + name).isSymLink();
         ++n)
        name = stem + u'-' + QString::number(n);
    return QDir(notebookDir).mkpath(name) ? name : QString();
}

// Copies each existing file into the backup folder, byte for byte; its bytes go into current.
bool keepCopies(const NotebookFolder &folder, const QString &backupDir, const QStringList &names,
                QHash<QString, QByteArray> &current)
{
    const NotebookFolder backup(backupDir);
    for (const QString &name : names) {
        if (!folder.exists(name))
            continue;
        bool ok = false;
        const QByteArray bytes = folder.readAll(name, &ok);
        const QString copyName = QFileInfo(folder.pathOf(name)).fileName();
        if (!ok || !backup.save(copyName, bytes))
            return false;
        current.insert(name.toLower(), bytes);
    }
    return true;
}

// What each file holds once every change is made: a rewrite starts it anew, an append adds
// to what it holds by then (on a line of its own).
QList<std::pair<QString, QByteArray>> finalContents(const QList<FileChange> &changes, const QStringList &names,
                                                    QHash<QString, QByteArray> current)
{
    for (const FileChange &c : changes) {
        QByteArray &bytes = current[c.name.toLower()];
        const QByteArray text = cp932::encode(c.text).bytes;
        if (!c.append)
            bytes = text;
        else if (bytes.isEmpty() || bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes += text;
        else
            bytes += "\r\n" + text;
    }
    QList<std::pair<QString, QByteArray>> contents;
    for (const QString &name : names)
        contents.append({name, current.value(name.toLower())});
    return contents;
}

} // namespace

WriteResult replaceFiles(NotebookFiles &files, const QList<FileChange> &changes)
{
    for (const FileChange &c : changes) {
        const QString bad = cp932::firstUnencodable(c.text);
        if (!bad.isEmpty())
            return failed(cp932::unencodableMessage(bad));
    }
    const QStringList names = touchedFiles(changes);
    const QString backupName = newBackupFolder(files.dir(), files.clock().now());
    const QString backupDir = files.dir() + u'/' + backupName;
    QHash<QString, QByteArray> current;
    if (backupName.isEmpty() || !keepCopies(files.folder(), backupDir, names, current)) {
        if (!backupName.isEmpty())
            QDir(backupDir).removeRecursively();
        return failed(
            QStringLiteral("これまでのデータの控えを作れなかったため、何も変えずに取りやめました。\r\n"
                           "フォルダーの空き容量と書き込み権限を確かめてください。"));
    }
    // All the files change together or none does, even when the program is stopped midway.
    QString error;
    if (!files.folder().saveTogether(finalContents(changes, names, current), &error))
        return failed(QStringLiteral("新しい育児手帖のファイルを書き込めませんでした。\r\n（%1）\r\n\r\n"
                                     "ファイルはどれも変えていません。")
                          .arg(error));
    WriteResult done;
    done.backupName = backupName;
    return done;
}
