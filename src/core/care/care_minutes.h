#pragma once

#include "core/care/care_log.h"

// Moments of the care log as minutes on one line (the Julian day times 1440 plus the minute of
// the day): the sums of a day are whole minutes, whatever the time zone's clock changes do.
namespace care {

// A feed that starts within this many minutes of the end of the one before (the other
// breast, a bottle after the breast) is the same feed.
constexpr qint64 SameFeedMinutes = 5;

inline qint64 minuteOf(QDate date, QTime time)
{
    return date.toJulianDay() * 1440 + time.hour() * 60 + time.minute();
}
inline qint64 minuteOf(const QDateTime &moment) { return minuteOf(moment.date(), moment.time()); }
inline qint64 minuteOf(const Entry &e) { return minuteOf(e.date, e.time); }
// A span's end (the next day when before its start), the start for a moment, now for a
// running timer (never before its start).
inline qint64 finishMinuteOf(const Entry &e, qint64 now)
{
    const qint64 start = minuteOf(e);
    if (e.running)
        return std::max(start, now);
    if (!e.end)
        return start;
    const qint64 end = minuteOf(e.date, *e.end);
    return end < start ? end + 1440 : end;
}
inline bool earlier(const Entry &a, const Entry &b) { return minuteOf(a) < minuteOf(b); }

} // namespace care
