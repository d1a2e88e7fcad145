#include "ui/widgets/qt_dialogs.h"

#include <QApplication>
#include <QIcon>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

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
    } else {
        mb.setStandardButtons(QMessageBox::Ok);
    }
    if (!box.okText.isEmpty()) {
        mb.button(QMessageBox::Ok)->setText(box.okText);
        mb.button(QMessageBox::Ok)->setIcon(QIcon());
    }
    return mb.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
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
    case FileUse::NewFolder:
        // A name for a folder that is not there yet: the box asks for it like a file to save.
        return QFileDialog::getSaveFileName(parent, title, preset, QString(), nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }
    return {};
}
