#include "ui/profile/backup_commands.h"

#include "core/backup/notebook_zip.h"
#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/text/cp932.h"
#include "core/files/file_names.h"
#include "core/files/user_folders.h"
#include "core/notebook/diary_store.h"
#include "core/profile/profile_store.h"
#include "ui/widgets/work_progress.h"

#include <QDir>
#include <QFileInfo>

namespace backup_commands {

void backUp(Notebook &notebook, Dialogs &dialogs, QWidget *parent)
{
    const QString offered =
        documentsFolder() + u'/' + notebook_zip::backupFileName(notebook.profile.nickname, notebook.clock.now());
    const QString zip = dialogs.chooseFile(QStringLiteral("バックアップの保存先"), offered,
                                           QStringLiteral("zip ファイル (*.zip)"), Dialogs::FileUse::Save);
    if (zip.isEmpty())
        return;
    if (QFileInfo(zip).absoluteFilePath().startsWith(QFileInfo(notebook.files.dir()).absoluteFilePath() + u'/')) {
        dialogs.warning(QStringLiteral("バックアップ"),
                        QStringLiteral("手帖のフォルダーの中には保存できません。\r\n"
                                       "別のフォルダー（できれば別のディスクや USB メモリ）を選んでください。"));
        return;
    }
    bool withBackups = false;
    if (QFileInfo(notebook.files.dir() + QStringLiteral("/バックアップ")).isDir())
        withBackups = dialogs.message({QStringLiteral("バックアップ"),
                                       QStringLiteral("手帖の中の「バックアップ」フォルダー（前の手帖の控え）も入れますか？"),
                                       Dialogs::Icon::Question, Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel,
                                       QStringLiteral("入れる"), QStringLiteral("入れない")}) == Dialogs::Answer::Ok;
    WorkProgress progress(QStringLiteral("バックアップを書き込んでいます…"), parent);
    const notebook_zip::Outcome o = notebook_zip::writeBackup(notebook.files.dir(), zip, withBackups, progress.stepper());
    progress.close();
    if (o.cancelled)
        return;
    if (!o.ok) {
        dialogs.warning(QStringLiteral("バックアップ"), o.error);
        return;
    }
    dialogs.information(QStringLiteral("バックアップ"),
                        QStringLiteral("バックアップを書き込み、中身を確かめました。\r\n\r\n%1\r\n\r\n"
                                       "%2 個のファイル、%3 です。")
                            .arg(QDir::toNativeSeparators(zip))
                            .arg(o.files)
                            .arg(notebook_zip::sizeText(o.bytes)));
}

QString restoreQuestion(const QString &zip, const notebook_zip::Check &check)
{
    const QString nickname =
        parseNickname(cp932::decode(notebook_zip::readEntry(zip, check, profileFileName(), 1 << 20))).trimmed();
    const DiaryParse diary = parseDiary(notebook_zip::readEntry(zip, check, diaryFileName(), qint64(256) << 20));
    QString first, last;
    for (const DiaryDay &d : diary.days) {
        if (first.isEmpty() || d.date < first)
            first = d.date;
        if (d.date > last)
            last = d.date;
    }
    const QString whose = nickname.isEmpty() ? QStringLiteral("ニックネームのない手帖です。")
                                             : QStringLiteral("「%1」の手帖です。").arg(nickname);
    const QString days = diary.days.isEmpty()
                             ? QStringLiteral("日記はまだありません。")
                             : QStringLiteral("日記：%1 から %2 まで（%3 日分）").arg(first, last).arg(diary.days.size());
    return QStringLiteral("%1\r\n%2\r\n%3 個のファイル、%4\r\n\r\n"
                          "「新しいフォルダーに」：新しいフォルダー（または空のフォルダー）に復元し、別の画面で開きます。\r\n"
                          "「今の手帖と置き換える」：開いている手帖のファイルを「バックアップ」フォルダーに移してから、"
                          "この手帖に置き換えます。")
        .arg(whose, days)
        .arg(check.entries.size())
        .arg(notebook_zip::sizeText(check.total));
}

namespace {

void restoreIntoNewFolder(Notebook &notebook, Dialogs &dialogs, QWidget *parent, const QString &zip,
                          const std::function<void(const QString &folder)> &openFolder)
{
    const QString offered = QFileInfo(notebook.files.dir()).absolutePath() + u'/' + QFileInfo(zip).completeBaseName();
    const QString folder = dialogs.chooseFile(QStringLiteral("復元先のフォルダー（新しいフォルダーか空のフォルダー）"),
                                              offered, QString(), Dialogs::FileUse::NewFolder);
    if (folder.isEmpty())
        return;
    notebook_zip::Outcome o;
    {
        WorkProgress progress(QStringLiteral("復元しています…"), parent);
        o = notebook_zip::restoreInto(zip, folder, progress.stepper());
    }
    if (!o.ok) {
        if (!o.cancelled)
            dialogs.warning(QStringLiteral("復元"), o.error);
        return;
    }
    dialogs.information(QStringLiteral("復元"), QStringLiteral("%1 に %2 個のファイルを復元しました。")
                                                   .arg(QDir::toNativeSeparators(folder))
                                                   .arg(o.files));
    if (openFolder)
        openFolder(folder);
}

void restoreOverNotebook(Notebook &notebook, Dialogs &dialogs, QWidget *parent, const QString &zip)
{
    if (!dialogs.confirm(QStringLiteral("復元"),
                         QStringLiteral("開いている手帖のファイルを「バックアップ」フォルダーに移してから、"
                                        "zip ファイルの手帖に置き換えます。よろしいですか？"),
                         Dialogs::Icon::Warning, Dialogs::Answer::Cancel))
        return;
    notebook_zip::Outcome o;
    {
        WorkProgress progress(QStringLiteral("復元しています…"), parent);
        o = notebook_zip::replaceWith(zip, notebook.files.dir(), notebook.clock.now(), progress.stepper());
    }
    if (!o.ok) {
        if (!o.cancelled)
            dialogs.warning(QStringLiteral("復元"), o.error);
        return;
    }
    notebook.reloadAll();
    dialogs.information(QStringLiteral("復元"),
                        QStringLiteral("%1 個のファイルを復元しました。前のファイルは「%2」にあります。")
                            .arg(o.files)
                            .arg(QDir::toNativeSeparators(o.kept)));
}

} // namespace

void restore(Notebook &notebook, Dialogs &dialogs, QWidget *parent,
             const std::function<void(const QString &folder)> &openFolder)
{
    const QString zip = dialogs.chooseFile(QStringLiteral("復元する zip ファイル"),
                                           documentsFolder(),
                                           QStringLiteral("zip ファイル (*.zip)"), Dialogs::FileUse::Open);
    if (zip.isEmpty())
        return;
    const notebook_zip::Check check = notebook_zip::checkZip(zip, -1);
    if (!check.ok) {
        dialogs.warning(QStringLiteral("復元"), check.error);
        return;
    }
    Dialogs::Box question{QStringLiteral("復元"),
                          restoreQuestion(zip, check),
                          Dialogs::Icon::Question,
                          Dialogs::Buttons::OkOtherCancel,
                          Dialogs::Answer::Ok,
                          QStringLiteral("新しいフォルダーに"),
                          QStringLiteral("キャンセル"),
                          QStringLiteral("今の手帖と置き換える")};
    switch (dialogs.message(question)) {
    case Dialogs::Answer::Ok:
        restoreIntoNewFolder(notebook, dialogs, parent, zip, openFolder);
        return;
    case Dialogs::Answer::Other:
        restoreOverNotebook(notebook, dialogs, parent, zip);
        return;
    case Dialogs::Answer::Cancel:
        return;
    }
}

bool tellInterruptedRestore(Dialogs &dialogs, const notebook_zip::Recovery &recovery)
{
    const QString stopped = QStringLiteral("前回、zip ファイルからの復元の途中で育児手帖が終わっていました。\r\n\r\n");
    switch (recovery.what) {
    case notebook_zip::Recovery::None:
        return true;
    case notebook_zip::Recovery::Completed:
        dialogs.information(programTitle(), stopped + QStringLiteral("復元を最後まで済ませました。"
                                                                     "前の手帖のファイルは「%1」にあります。")
                                                          .arg(QDir::toNativeSeparators(recovery.kept)));
        return true;
    case notebook_zip::Recovery::Undone:
        dialogs.information(programTitle(),
                            stopped + QStringLiteral("復元はまだ何も置き換えていなかったため取りやめました。"
                                                     "手帖は復元の前のままです。"));
        return true;
    case notebook_zip::Recovery::Failed:
        dialogs.warning(programTitle(), stopped + QStringLiteral("復元を最後まで済ませられませんでした。"
                                                                 "フォルダーの書き込み権限を確かめてから、"
                                                                 "もう一度育児手帖を起動してください。"));
        return false;
    }
    return true;
}

} // namespace backup_commands
