#pragma once

#include "core/files/dialogs.h"

#include <QProgressDialog>

#include <functional>

// A progress box whose キャンセル stops the work: the work runs in this thread and lets the box
// repaint at every step. It shows itself only when the work lasts over 300 ms.
class WorkProgress
{
public:
    WorkProgress(const QString &label, QWidget *parent, const QString &title = programTitle());
    // done from 0 to 1; false once キャンセル was pressed.
    bool step(double done);
    // step as a function, for work that takes one.
    std::function<bool(double)> stepper()
    {
        return [this](double done) { return step(done); };
    }
    void close() { m_box.close(); }

private:
    QProgressDialog m_box;
};

// A byte count as the user reads it: "1.5 MB" in Japanese form.
QString dataSizeText(qint64 bytes);
