#pragma once

#include "core/files/volumes.h"

#include <QFrame>
#include <QList>

#include <functional>

class Dialogs;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The picture picker frame (fraPicget, fraPicget2, fraPicget3): a drive list, the folder tree
// of the chosen drive and the files of the chosen folder, with "画像を取り込む" and "キャンセル".
// It lies over its panel, hidden until opened, and keeps its folder for the next opening. A
// click on a file asks for a preview; the copy button asks for the copy of the chosen file.
class PicturePicker : public QFrame
{
    Q_OBJECT
public:
    // suffix: "", "2" or "3", the end of every control's name; startFolder: the notebook folder.
    PicturePicker(Dialogs &dialogs, const QString &suffix, const QString &title, const QString &startFolder,
                  QWidget *parent);

    // Refreshes the file list, then shows the frame over its panel.
    void open();
    // A label under the title (the album picker's lblTouroku).
    QLabel *addNote(const QString &objectName, const QString &text);

    QString currentFolder() const { return m_folder; }
    void setCurrentFolder(const QString &path);
    // The full path of the file chosen in the file list, "" when none.
    QString chosenFile() const;
    // Where the drive list comes from: the machine's volumes unless a test gives its own.
    // The list is read now and again after a drive that cannot be read.
    void setVolumeSource(std::function<QList<Volume>()> source);

signals:
    void previewRequested(const QString &path);
    void copyRequested(const QString &path);

private:
    void buildLists(const QString &suffix);
    void driveChosen(int index);
    void fillDrives();
    void setTreeRoot(const QString &root);
    void fillChildren(QTreeWidgetItem *item);
    void refreshFiles();
    void copyClicked();

    Dialogs &m_dialogs;
    std::function<QList<Volume>()> m_volumeSource;
    QList<Volume> m_volumes;
    QString m_folder;
    bool m_filled = false; // the drives, folders and files are listed at the first use
    void fillOnce();
    QLabel *m_title = nullptr;
    QComboBox *m_drives = nullptr;
    QTreeWidget *m_folders = nullptr;
    QListWidget *m_files = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_cancel = nullptr;
};
