#include "ui/profile/backup_commands.h"

#include "core/backup/notebook_zip.h"
#include "core/book/notebook.h"
#include "core/common/dialogs.h"
#include "core/common/file_names.h"
#include "ui/widgets/work_progress.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace backup_commands {

void backUp(Notebook &notebook, Dialogs &dialogs, QWidget *parent)
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir())
        documents = QDir::homePath();
    const QString offered =
        documents + u'/' + notebook_zip::backupFileName(notebook.profile.nickname, notebook.clock.now());
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
                            .arg(dataSizeText(o.bytes)));
}

void restore(Notebook &notebook, Dialogs &dialogs, QWidget *parent,
             const std::function<void(const QString &folder)> &openFolder)
{
    const QString zip = dialogs.chooseFile(QStringLiteral("復元する zip ファイル"),
                                           QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                           QStringLiteral("zip ファイル (*.zip)"), Dialogs::FileUse::Open);
    if (zip.isEmpty())
        return;
    const notebook_zip::Check check = notebook_zip::checkZip(zip, -1);
    if (!check.ok) {
        dialogs.warning(QStringLiteral("復元"), check.error);
        return;
    }
    const bool intoNew =
        dialogs.message({QStringLiteral("復元"),
                         QStringLiteral("%1 個のファイル（%2）の手帖です。\r\n\r\n"
                                        "新しいフォルダーに復元しますか？\r\n"
                                        "（開いている手帖と置き換えるときは「置き換える」）")
                             .arg(check.entries.size())
                             .arg(dataSizeText(check.total)),
                         Dialogs::Icon::Question, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok,
                         QStringLiteral("新しいフォルダーに"), QStringLiteral("置き換える")}) == Dialogs::Answer::Ok;
    WorkProgress progress(QStringLiteral("復元しています…"), parent);
    if (intoNew) {
        const QString offered = QFileInfo(notebook.files.dir()).absolutePath() + u'/' +
                                QFileInfo(zip).completeBaseName();
        const QString folder = dialogs.chooseFile(QStringLiteral("復元先の新しいフォルダー"), offered, QString(),
                                                  Dialogs::FileUse::NewFolder);
        if (folder.isEmpty())
            return;
        const notebook_zip::Outcome o = notebook_zip::restoreInto(zip, folder, progress.stepper());
        progress.close();
        if (!o.ok) {
            if (!o.cancelled)
                dialogs.warning(QStringLiteral("復元"), o.error);
            return;
        }
        dialogs.information(QStringLiteral("復元"),
                            QStringLiteral("%1 に %2 個のファイルを復元しました。").arg(QDir::toNativeSeparators(folder)).arg(o.files));
        if (openFolder)
            openFolder(folder);
        return;
    }
    if (!dialogs.confirm(QStringLiteral("復元"),
                         QStringLiteral("開いている手帖のファイルを「バックアップ」フォルダーに移してから、"
                                        "zip ファイルの手帖に置き換えます。よろしいですか？"),
                         Dialogs::Icon::Warning, Dialogs::Answer::Cancel))
        return;
    const notebook_zip::Outcome o = notebook_zip::replaceWith(zip, notebook.files.dir(), notebook.clock.now(), progress.stepper());
    progress.close();
    if (!o.ok) {
        if (!o.cancelled)
            dialogs.warning(QStringLiteral("復元"), o.error);
        return;
    }
    notebook.folder().forgetListing();
    for (const QString &name : dataFileNames())
        notebook.reloadFile(name);
    dialogs.information(QStringLiteral("復元"),
                        QStringLiteral("%1 個のファイルを復元しました。前のファイルは「バックアップ」フォルダーにあります。").arg(o.files));
}

} // namespace backup_commands
