#include "ui/profile/backup_commands.h"

#include "core/backup/auto_backup.h"
#include "core/backup/notebook_zip.h"
#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/text/cp932.h"
#include "core/files/file_names.h"
#include "core/files/user_folders.h"
#include "core/notebook/diary_store.h"
#include "core/profile/profile_store.h"
#include "ui/widgets/ui_util.h"
#include "ui/widgets/work_progress.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace backup_commands {

void backUp(Notebook &notebook, Dialogs &dialogs, QWidget *parent)
{
    const QString offered = documentsFolder() + u'/' +
                            notebook_zip::backupFileName(notebook.profile.nickname, notebook.clock.now());
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

namespace {

const QString AutoTitle = QStringLiteral("自動バックアップ");

// A folder for the automatic backups, chosen and made when it is new; "" when the user
// cancelled or the folder was refused (told), and then nothing has changed.
QString chooseAutoBackupFolder(const QString &notebookDir, Dialogs &dialogs, const QString &current)
{
    const QString chosen = dialogs.chooseFile(QStringLiteral("自動バックアップの保存先のフォルダー"),
                                              current.isEmpty() ? documentsFolder() : current, QString(),
                                              Dialogs::FileUse::NewFolder);
    if (chosen.isEmpty())
        return {};
    const QString folder = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    if (const QString refused = auto_backup::folderRefusal(notebookDir, folder); !refused.isEmpty()) {
        dialogs.warning(AutoTitle, refused);
        return {};
    }
    if (!QFileInfo(folder).isDir() && (QFileInfo(folder).exists() || !QDir().mkpath(folder))) {
        dialogs.warning(
            AutoTitle,
            QStringLiteral("フォルダー %1 を作れませんでした。").arg(QDir::toNativeSeparators(folder)));
        return {};
    }
    return folder;
}

QString shownFolder(const QString &folder)
{
    return folder.isEmpty() ? QStringLiteral("（保存先はまだ選んでいません）")
                            : QDir::toNativeSeparators(folder);
}

} // namespace

QWidget *autoBackupControls(Notebook &notebook, Dialogs &dialogs, QWidget *parent)
{
    const auto_backup::Setting setting = auto_backup::readSetting(notebook.files.dir());
    auto *area = new QWidget(parent);
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *on = new QCheckBox(AutoTitle, area);
    nameControl(on, QStringLiteral("chkAutoBackup"), AutoTitle);
    const QString about =
        QStringLiteral("プログラムを終了するとき、１日に１回、手帖をまるごと zip ファイルにして"
                       "保存先に書き出します（このパソコンだけの設定です）");
    on->setToolTip(about);
    on->setAccessibleDescription(about);
    on->setChecked(setting.on);
    auto *keep = new QSpinBox(area);
    nameControl(keep, QStringLiteral("spnAutoBackupKeep"), QStringLiteral("残す数"));
    keep->setRange(auto_backup::MinKeep, auto_backup::MaxKeep);
    keep->setValue(setting.keep);
    auto *folder =
        nameValueLabel(new QLabel(shownFolder(setting.folder), area), QStringLiteral("lblAutoBackupFolder"),
                       QStringLiteral("自動バックアップの保存先"));
    // A long path must not widen the screen; the whole path is in the tooltip.
    folder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    folder->setToolTip(folder->text());
    QPushButton *choose = makeButton(QStringLiteral("cmdAutoBackupFolder"), QStringLiteral("保存先を選ぶ…"),
                                     QStringLiteral("自動バックアップを書き出すフォルダーを選びます"), area);
    grid->addWidget(on, 0, 0);
    grid->addWidget(makeLabel(QStringLiteral("残す数"), keep, area), 0, 1, Qt::AlignRight);
    grid->addWidget(keep, 0, 2);
    grid->addWidget(folder, 1, 0, 1, 2);
    grid->addWidget(choose, 1, 2);
    grid->setColumnStretch(0, 1);

    const auto showFolder = [folder](const QString &path) {
        folder->setText(shownFolder(path));
        folder->setToolTip(folder->text());
    };
    // toggled, not clicked: Space and the accessibility toggle action count as a click.
    QObject::connect(on, &QCheckBox::toggled, area, [&notebook, &dialogs, on, showFolder](bool checked) {
        auto_backup::Setting s = auto_backup::readSetting(notebook.files.dir());
        if (checked && s.folder.isEmpty()) {
            s.folder = chooseAutoBackupFolder(notebook.files.dir(), dialogs, QString());
            if (s.folder.isEmpty()) {
                const QSignalBlocker quiet(on);
                on->setChecked(false);
                return;
            }
            showFolder(s.folder);
        }
        s.on = checked;
        auto_backup::writeSetting(notebook.files.dir(), s);
    });
    QObject::connect(choose, &QPushButton::clicked, area, [&notebook, &dialogs, showFolder] {
        auto_backup::Setting s = auto_backup::readSetting(notebook.files.dir());
        const QString chosen = chooseAutoBackupFolder(notebook.files.dir(), dialogs, s.folder);
        if (chosen.isEmpty())
            return;
        s.folder = chosen;
        auto_backup::writeSetting(notebook.files.dir(), s);
        showFolder(chosen);
    });
    QObject::connect(keep, &QSpinBox::valueChanged, area, [&notebook](int n) {
        auto_backup::Setting s = auto_backup::readSetting(notebook.files.dir());
        s.keep = n;
        auto_backup::writeSetting(notebook.files.dir(), s);
    });
    return area;
}

void backUpAtClose(Notebook &notebook, QWidget *parent)
{
    if (!auto_backup::due(notebook.files.dir(), notebook.clock.today()))
        return;
    WorkProgress progress(QStringLiteral("自動バックアップを書き込んでいます…"), parent);
    auto_backup::runAtClose(notebook.files.dir(), notebook.profile.nickname, notebook.clock.now(),
                            progress.stepper());
    progress.close();
}

void tellAutoBackupFailure(Dialogs &dialogs, const QString &notebookDir)
{
    const auto_backup::Failure f = auto_backup::takeFailure(notebookDir);
    if (f.reason.isEmpty())
        return;
    dialogs.warning(AutoTitle,
                    QStringLiteral("前回（%1）の終了時の自動バックアップがうまくいきませんでした。\r\n\r\n"
                                   "%2\r\n\r\n保存先：%3\r\n\r\n"
                                   "保存先は「設定」の画面で選び直せます。")
                        .arg(f.when.toString(QStringLiteral("yyyy/MM/dd HH:mm")), f.reason,
                             QDir::toNativeSeparators(f.folder)));
}

} // namespace backup_commands
