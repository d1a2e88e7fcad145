#include "ui/widgets/qt_dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QIcon>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

// A folder to fill: an existing one (an empty folder is chosen as it is, or entered to choose
// it) or the name of one not there yet, typed.
class FolderChooser : public QFileDialog
{
public:
    FolderChooser(QWidget *parent, const QString &title, const QString &preset)
        : QFileDialog(parent, title, QFileInfo(preset).absolutePath())
    {
        setOption(QFileDialog::DontUseNativeDialog);
        setOption(QFileDialog::ShowDirsOnly);
        setFileMode(QFileDialog::Directory);
        selectFile(QFileInfo(preset).fileName());
        // Qt's own check (run first) greys the button for a name that is not there.
        if (auto *edit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            connect(edit, &QLineEdit::textChanged, this, [this] {
                if (auto *buttons = findChild<QDialogButtonBox *>())
                    if (QPushButton *ok = buttons->button(QDialogButtonBox::Open); ok && isNewName())
                        ok->setEnabled(true);
            });
    }

    void accept() override
    {
        if (isNewName())
            QDialog::accept();
        else
            QFileDialog::accept();
    }

private:
    bool isNewName() const
    {
        const QString chosen = selectedFiles().value(0);
        const QFileInfo info(chosen);
        return !chosen.isEmpty() && !info.exists() && !info.isSymLink() && QFileInfo(info.absolutePath()).isDir();
    }
};

} // namespace

Dialogs::Answer QtDialogs::message(const Box &box)
{
    QMessageBox mb(QApplication::activeWindow());
    mb.setWindowTitle(box.title);
    mb.setText(QString(box.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (box.icon) {
    case Icon::None:
        mb.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        mb.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        mb.setIcon(QMessageBox::Warning);
        break;
    case Icon::Question:
        mb.setIcon(QMessageBox::Question);
        break;
    case Icon::Critical:
        mb.setIcon(QMessageBox::Critical);
        break;
    }
    if (box.buttons == Buttons::OkCancel) {
        mb.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        mb.setDefaultButton(box.defaultButton == Answer::Ok ? QMessageBox::Ok : QMessageBox::Cancel);
        mb.setEscapeButton(QMessageBox::Cancel);
        if (!box.cancelText.isEmpty()) {
            // A choice, not a cancellation: no cross on it.
            mb.button(QMessageBox::Cancel)->setText(box.cancelText);
            mb.button(QMessageBox::Cancel)->setIcon(QIcon());
        }
    } else if (box.buttons == Buttons::OkOtherCancel) {
        mb.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        mb.setDefaultButton(box.defaultButton == Answer::Cancel ? QMessageBox::Cancel : QMessageBox::Ok);
        mb.setEscapeButton(QMessageBox::Cancel);
    } else {
        mb.setStandardButtons(QMessageBox::Ok);
    }
    QPushButton *other = nullptr;
    if (box.buttons == Buttons::OkOtherCancel) {
        other = mb.addButton(box.otherText, QMessageBox::AcceptRole);
        if (box.defaultButton == Answer::Other)
            mb.setDefaultButton(other);
    }
    if (!box.okText.isEmpty()) {
        mb.button(QMessageBox::Ok)->setText(box.okText);
        mb.button(QMessageBox::Ok)->setIcon(QIcon());
    }
    mb.exec();
    if (other && mb.clickedButton() == other)
        return Answer::Other;
    return mb.clickedButton() == mb.button(QMessageBox::Ok) ? Answer::Ok : Answer::Cancel;
}

QString QtDialogs::input(const QString &prompt, const QString &title, const QString &preset, Preset use)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    dialog.setTextValue(preset);
    // Once shown: a value to replace is selected, so that typing replaces it; a start to
    // type after (a date before its description) keeps the cursor after it.
    QTimer::singleShot(0, &dialog, [&dialog, use] {
        if (auto *edit = dialog.findChild<QLineEdit *>()) {
            if (use == Preset::Replace) {
                edit->selectAll();
            } else {
                edit->deselect();
                edit->end(false);
            }
        }
    });
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

void QtDialogs::beep() { QApplication::beep(); }

QString QtDialogs::chooseFile(const QString &title, const QString &preset, const QString &filter, FileUse use)
{
    QWidget *parent = QApplication::activeWindow();
    switch (use) {
    case FileUse::Open:
        return QFileDialog::getOpenFileName(parent, title, preset, filter);
    case FileUse::Save:
        return QFileDialog::getSaveFileName(parent, title, preset, filter);
    case FileUse::NewFolder: {
        FolderChooser box(parent, title, preset);
        return box.exec() == QDialog::Accepted ? box.selectedFiles().value(0) : QString();
    }
    }
    return {};
}
