#include "profile/new_notebook.h"

#include "common/clock.h"
#include "common/cp932.h"
#include "common/one_line.h"
#include "profile/profile_store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
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

WriteResult failed(const QString &error)
{
    WriteResult r;
    r.ok = false;
    r.error = error;
    return r;
}

// A file as it was before the command: its bytes, or nothing when it did not exist; and
// whether the command has written it since.
struct Original {
    QString name;
    std::optional<QByteArray> bytes;
    bool written = false;
};

QList<Original> touchedFiles(const QList<FileChange> &changes)
{
    QList<Original> files;
    for (const FileChange &c : changes) {
        const bool seen = std::any_of(files.cbegin(), files.cend(), [&](const Original &o) {
            return o.name.compare(c.name, Qt::CaseInsensitive) == 0;
        });
        if (!seen)
            files.append({c.name, std::nullopt, false});
    }
    return files;
}

// A new folder under バックアップ named by the minute; "-2", "-3"… when that one exists.
QString newBackupFolder(const QString &notebookDir, const QDateTime &now)
{
    const QString stem = backupFolderName(now);
    QString name = stem;
    for (int n = 2; QFileInfo::exists(notebookDir + u'/' + name); ++n)
        name = stem + u'-' + QString::number(n);
    return QDir(notebookDir).mkpath(name) ? name : QString();
}

// Reads every file into originals and copies each existing one into the backup folder.
bool keepCopies(const NotebookFolder &folder, const QString &backupDir, QList<Original> &originals)
{
    const NotebookFolder backup(backupDir);
    for (Original &o : originals) {
        if (!folder.exists(o.name))
            continue;
        bool ok = false;
        const QByteArray bytes = folder.readAll(o.name, &ok);
        const QString copyName = QFileInfo(folder.pathOf(o.name)).fileName();
        if (!ok || !backup.save(copyName, bytes))
            return false;
        o.bytes = bytes;
    }
    return true;
}

// Puts every file written so far back as it was; false when one could not be.
bool restore(const NotebookFolder &folder, const QList<Original> &originals)
{
    bool all = true;
    for (const Original &o : originals) {
        if (!o.written)
            continue;
        bool ok = false;
        const QByteArray now = folder.readAll(o.name, &ok);
        if (!o.bytes) {
            if (folder.exists(o.name) && !QFile::remove(folder.pathOf(o.name)))
                all = false;
        } else if (!ok || now != *o.bytes) {
            all = folder.save(o.name, *o.bytes) && all;
        }
    }
    folder.forgetListing();
    return all;
}

} // namespace

WriteResult replaceFiles(NotebookFiles &files, const QList<FileChange> &changes)
{
    for (const FileChange &c : changes) {
        const QString bad = cp932::firstUnencodable(c.text);
        if (!bad.isEmpty())
            return failed(cp932::unencodableMessage(bad));
    }
    QList<Original> originals = touchedFiles(changes);
    const QString backupName = newBackupFolder(files.dir(), files.clock().now());
    const QString backupDir = files.dir() + u'/' + backupName;
    if (backupName.isEmpty() || !keepCopies(files.folder(), backupDir, originals)) {
        if (!backupName.isEmpty())
            QDir(backupDir).removeRecursively();
        return failed(
            QStringLiteral("これまでのデータの控えを作れなかったため、何も変えずに取りやめました。\r\n"
                           "フォルダーの空き容量と書き込み権限を確かめてください。"));
    }
    for (const FileChange &c : changes) {
        Original &original = *std::find_if(originals.begin(), originals.end(), [&](const Original &o) {
            return o.name.compare(c.name, Qt::CaseInsensitive) == 0;
        });
        // A rewrite that fails leaves its file whole, an append that fails cuts off what it wrote.
        WriteResult r = c.append ? files.appendRecord(c.name, c.text) : files.rewrite(c.name, c.text);
        original.written = original.written || r.ok;
        if (r.ok)
            continue;
        r.error +=
            restore(files.folder(), originals)
                ? QStringLiteral("\r\n\r\nファイルはすべて元のとおりに戻しました。")
                : QStringLiteral(
                      "\r\n\r\n元に戻せなかったファイルがあります。これまでのデータの控えは %1 にあります。")
                      .arg(QDir::toNativeSeparators(backupName));
        return r;
    }
    WriteResult done;
    done.backupName = backupName;
    return done;
}
