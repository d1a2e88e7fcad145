#pragma once

#include <QDate>
#include <QDateTime>

// Today's date and the time of day for every command that counts days or names a file by its
// time (backups, printed PDFs); tests set it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock
{
public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FixedClock : public Clock
{
public:
    explicit FixedClock(QDate day, QTime time = QTime(9, 30, 0)) : m_day(day), m_time(time) {}
    QDate today() const override { return m_day; }
    QDateTime now() const override { return QDateTime(m_day, m_time); }
    void setToday(QDate day) { m_day = day; }
    void setTime(QTime time) { m_time = time; }

private:
    QDate m_day;
    QTime m_time;
};
