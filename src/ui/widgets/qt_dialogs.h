#pragma once

#include "core/files/dialogs.h"

class QWidget;

// The real boxes: QMessageBox and QInputDialog, over the active window.
class QtDialogs : public Dialogs
{
public:
    Answer message(const Box &box) override;
    QString input(const QString &prompt, const QString &title, const QString &preset,
                  Preset use = Preset::Replace) override;
    void beep() override;
    QString chooseFile(const QString &title, const QString &preset, const QString &filter, FileUse use) override;
};
