#include "ui/widgets/work_progress.h"

#include <QApplication>
#include <QLocale>

WorkProgress::WorkProgress(const QString &label, QWidget *parent, const QString &title)
    : m_box(label, QStringLiteral("キャンセル"), 0, 1000, parent)
{
    m_box.setWindowTitle(title);
    m_box.setWindowModality(Qt::WindowModal);
    m_box.setMinimumDuration(300);
    m_box.setAutoClose(false);
    m_box.setAutoReset(false);
}

bool WorkProgress::step(double done)
{
    m_box.setValue(int(done * 1000));
    QApplication::processEvents();
    return !m_box.wasCanceled();
}

// KB and MB, as a Japanese user reads sizes (not KiB and MiB).
QString dataSizeText(qint64 bytes)
{
    return QLocale(QLocale::Japanese).formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}
