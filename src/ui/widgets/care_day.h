#pragma once

#include <QSettings>
#include <QString>

// The hour at which the care log's day starts (0–23), kept per computer: a parent who counts
// the night with the evening before sets it on each machine without touching the notebook.
inline int careDayStartHour()
{
    return qBound(0, QSettings().value(QStringLiteral("care/dayStartHour"), 0).toInt(), 23);
}
inline void setCareDayStartHour(int hour) { QSettings().setValue(QStringLiteral("care/dayStartHour"), hour); }
