#include "ui/widgets/picture_picker.h"

#include "core/files/dialogs.h"
#include "ui/widgets/pick_combo.h"
#include "ui/widgets/ui_util.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int FilledRole = Qt::UserRole + 1;

QTreeWidgetItem *folderItem(const QString &path, const QString &text)
{
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, PathRole, path);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

} // namespace

PicturePicker::PicturePicker(Dialogs &dialogs, const QString &suffix, const QString &title,
                             const QString &startFolder, QWidget *parent)
    : QFrame(parent), m_dialogs(dialogs), m_volumeSource(pickerVolumes)
{
    setObjectName(QStringLiteral("fraPicget") + suffix);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#fraPicget%1 { background: rgb(255, 246, 232); }").arg(suffix));
    m_title = new QLabel(title, this);
    nameControl(m_title, QStringLiteral("lblPicget") + suffix, title);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    buildLists(suffix);
    resize(560, 400);
    hide();
    // The drives and folders are listed when the picker is first used: a start-up does not list
    // a folder of thousands of photos once for every picker of every screen.
    m_folder = startFolder;
}

void PicturePicker::fillOnce()
{
    if (m_filled)
        return;
    m_filled = true;
    m_volumes = m_volumeSource();
    fillDrives();
    setCurrentFolder(m_folder);
}

void PicturePicker::buildLists(const QString &suffix)
{
    m_drives = new FixedComboBox(this);
    m_drives->setObjectName(QStringLiteral("drvZukei_Moto") + suffix);
    m_folders = new QTreeWidget(this);
    m_folders->setObjectName(QStringLiteral("dirZukei_Moto") + suffix);
    m_folders->setHeaderHidden(true);
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("filZukei_Moto") + suffix);
    m_copy =
        makeButton(QStringLiteral("cmdFileCopy") + suffix, QStringLiteral("画像を取り込む"), QString(), this);
    m_cancel = makeButton(QStringLiteral("cmdYame") + suffix, QStringLiteral("キャンセル"), QString(), this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_title, 0, 0, 1, 2);
    grid->addWidget(makeLabel(QStringLiteral("ドライブ"), m_drives, this), 1, 0);
    grid->addWidget(m_drives, 2, 0);
    grid->addWidget(makeLabel(QStringLiteral("フォルダー"), m_folders, this), 3, 0);
    grid->addWidget(m_folders, 4, 0);
    grid->addWidget(makeLabel(QStringLiteral("ファイル"), m_files, this), 1, 1);
    grid->addWidget(m_files, 2, 1, 3, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_copy);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 6, 0, 1, 2);
    grid->setRowStretch(4, 1);

    connect(m_drives, qOverload<int>(&QComboBox::activated), this, &PicturePicker::driveChosen);
    connect(m_folders, &QTreeWidget::itemExpanded, this, &PicturePicker::fillChildren);
    connect(m_folders, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (!item)
            return;
        m_folder = item->data(0, PathRole).toString();
        refreshFiles();
    });
    connect(m_files, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item)
            emit previewRequested(chosenFile());
    });
    connect(m_files, &QListWidget::itemClicked, this, [this] { emit previewRequested(chosenFile()); });
    connect(m_copy, &QPushButton::clicked, this, &PicturePicker::copyClicked);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::hide);
    // Escape from any of its lists cancels, before the window behind sees the key.
    hookEvents(this, [this](QEvent *e) {
        if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(e)->key() != Qt::Key_Escape)
            return false;
        m_cancel->click();
        return true;
    });
}

QLabel *PicturePicker::addNote(const QString &objectName, const QString &text)
{
    auto *note = new QLabel(text, this);
    nameControl(note, objectName, text);
    static_cast<QGridLayout *>(layout())->addWidget(note, 5, 0, 1, 2);
    return note;
}

void PicturePicker::setVolumeSource(std::function<QList<Volume>()> source)
{
    m_volumeSource = std::move(source);
    if (!m_filled) {
        fillOnce();
        return;
    }
    m_volumes = m_volumeSource();
    fillDrives();
    setCurrentFolder(m_folder);
}

void PicturePicker::fillDrives()
{
    const QSignalBlocker block(m_drives);
    m_drives->clear();
    for (const Volume &v : m_volumes)
        m_drives->addItem(v.label, v.root);
}

void PicturePicker::driveChosen(int index)
{
    const Volume v = m_volumes.value(index);
    if (v.root.isEmpty() || !v.ready || !QDir(v.root).isReadable()) {
        m_dialogs.message({QStringLiteral("ﾃﾞﾊﾞｲｽ未準備"), QStringLiteral("ﾃﾞﾊﾞｲｽが準備されていません"),
                           Dialogs::Icon::Critical, Dialogs::Buttons::Ok, Dialogs::Answer::Ok});
        m_volumes = m_volumeSource();
        fillDrives();
        setCurrentFolder(m_folder); // the folder list stays where it was
        return;
    }
    setCurrentFolder(v.root);
}

void PicturePicker::setTreeRoot(const QString &root)
{
    const QSignalBlocker block(m_folders);
    m_folders->clear();
    m_folders->addTopLevelItem(folderItem(root, root));
}

void PicturePicker::fillChildren(QTreeWidgetItem *item)
{
    if (item->data(0, FilledRole).toBool())
        return;
    item->setData(0, FilledRole, true);
    const QDir dir(item->data(0, PathRole).toString());
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names)
        item->addChild(folderItem(dir.filePath(name), name));
    if (names.isEmpty())
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void PicturePicker::setCurrentFolder(const QString &path)
{
    if (!m_filled) {
        m_folder = path;
        fillOnce();
        return;
    }
    const QString folder = QDir::cleanPath(QDir(path).absolutePath());
    const int drive = qMax(0, volumeOf(m_volumes, folder));
    const QString root = m_volumes.value(drive).root;
    {
        const QSignalBlocker block(m_drives);
        m_drives->setCurrentIndex(drive);
    }
    QTreeWidgetItem *top = m_folders->topLevelItem(0);
    if (!top || top->data(0, PathRole).toString() != root) {
        setTreeRoot(root);
        top = m_folders->topLevelItem(0);
    }
    // Open the tree down to the folder, adding a folder the listing leaves out (a hidden one).
    const QSignalBlocker block(m_folders);
    QTreeWidgetItem *item = top;
    QString rest = folder.mid(root.size());
    for (const QString &part : rest.split(u'/', Qt::SkipEmptyParts)) {
        fillChildren(item);
        item->setExpanded(true);
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i)
            if (item->child(i)->text(0) == part)
                next = item->child(i);
        if (!next) {
            next = folderItem(QDir(item->data(0, PathRole).toString()).filePath(part), part);
            item->addChild(next);
        }
        item = next;
    }
    item->setExpanded(true);
    fillChildren(item);
    m_folders->setCurrentItem(item);
    m_folders->scrollToItem(item);
    m_folder = folder;
    refreshFiles();
}

void PicturePicker::refreshFiles()
{
    const QSignalBlocker block(m_files);
    m_files->clear();
    m_files->addItems(QDir(m_folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
    m_files->setCurrentRow(-1);
}

QString PicturePicker::chosenFile() const
{
    const QListWidgetItem *item = m_files->currentItem();
    if (!item || !item->isSelected())
        return {};
    return QDir(m_folder).filePath(item->text());
}

void PicturePicker::open()
{
    if (m_filled)
        refreshFiles();
    else
        fillOnce();
    show();
    raise();
    m_files->setFocus();
}

void PicturePicker::copyClicked()
{
    const QString source = chosenFile();
    if (source.isEmpty()) {
        m_dialogs.warning(
            QStringLiteral("ファイル未選択"),
            QStringLiteral("コピー元ファイルが指定されていません \n\n先にファイルを選択して下さい "));
        return;
    }
    emit copyRequested(source);
}
