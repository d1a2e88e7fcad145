#include "notebook/notebook.h"

#include "common/cp932.h"

Notebook::Notebook(const QString &dir, Clock &clock) : folder(dir), clock(clock) {}

void Notebook::readProfile() { profile = parseProfile(cp932::decode(folder.readAll(profileFileName()))); }

WriteResult Notebook::writeProfile() { return saveFile(profileFileName(), profileText(profile)); }

WriteResult Notebook::setPictureMode(QString &mode, const QString &value)
{
    if (mode == value)
        return {};
    mode = value;
    return loadingFlag == -1 ? WriteResult() : writeProfile();
}

Notebook::DiaryLoad Notebook::readDiary()
{
    DiaryLoad load;
    DiaryParse parsed = parseDiary(folder.readAll(diaryFileName()));
    diary.days() = std::move(parsed.days);
    if (!parsed.whole)
        load.firstNotWhole = guard.markNotWhole(diaryFileName());
    limits = parseGraphLimits(cp932::decode(folder.readAll(graphFileName())));
    return load;
}

WriteResult Notebook::appendDay(const QString &date, double height, double weight, const QString &text)
{
    // A file that ends inside a record would swallow an appended day into that record, so
    // such a file is first rewritten from the days that were read (its original kept aside).
    if (guard.isNotWhole(diaryFileName())) {
        WriteResult r = writeDiary();
        if (!r.ok)
            return r;
        WriteResult a = appendFile(diaryFileName(), diaryRecordText(date, height, weight, text));
        a.backupName = r.backupName;
        return a;
    }
    return appendFile(diaryFileName(), diaryRecordText(date, height, weight, text));
}

WriteResult Notebook::writeDiary() { return saveFile(diaryFileName(), diaryFileText(diary.days())); }

namespace {

WriteResult failed(const QString &error)
{
    WriteResult r;
    r.ok = false;
    r.error = error;
    return r;
}

QString notWritten(const QString &bareName, const QString &error)
{
    return QStringLiteral("%1 に書き込めませんでした。\r\n（%2）").arg(bareName, error);
}

} // namespace

WriteResult Notebook::saveFile(const QString &bareName, const QString &text)
{
    const cp932::Encoded encoded = cp932::encode(text);
    if (!encoded.ok)
        return failed(cp932::unencodableMessage(encoded.badChar));
    WriteResult r;
    if (!guard.beforeRewrite(folder, bareName, QDateTime::currentDateTime(), &r.backupName))
        return failed(QStringLiteral("%1 の控えを作れなかったため、書き込みを取りやめました。\r\n"
                                     "フォルダーの空き容量と書き込み権限を確かめてください。")
                          .arg(bareName));
    QString error;
    if (!folder.save(bareName, encoded.bytes, &error))
        return failed(notWritten(bareName, error));
    return r;
}

WriteResult Notebook::appendFile(const QString &bareName, const QString &text)
{
    const cp932::Encoded encoded = cp932::encode(text);
    if (!encoded.ok)
        return failed(cp932::unencodableMessage(encoded.badChar));
    QString error;
    if (!folder.append(bareName, encoded.bytes, &error))
        return failed(notWritten(bareName, error));
    return {};
}

QString Notebook::notWholeMessage(const QString &bareName, int recordsRead, const QString &unit)
{
    return QStringLiteral("%1 を最後まで読み込めませんでした。\r\n"
                          "読み込めた %2 %3分を表示します。\r\n\r\n"
                          "このファイルを書き換える前に、元のファイルを同じフォルダーに日付付きの控え（."
                          "bak）として残します。")
        .arg(bareName)
        .arg(recordsRead)
        .arg(unit);
}
