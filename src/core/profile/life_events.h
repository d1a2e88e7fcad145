#pragma once

#include <QDate>
#include <QList>
#include <QString>

// The life-event calendar: twelve dates that follow from the birth date (entry and leaving of
// kindergarten and the three schools, after the Japanese school year that starts on 1 April,
// and the four celebrations of the first months), each counted in days from today.

constexpr int LifeEventCount = 12;

// The five framed groups of the calendar, in screen order, and the group of event i (1..12).
QList<QString> lifeEventGroups();
QString lifeEventGroup(int index);
// The row caption within its group: "入園", "卒業", "お宮参り"…
QString lifeEventLabel(int index);
// The event for a screen reader: "小学校 入学", "お宮参り".
QString lifeEventName(int index);

// One row of the calendar as shown: the date (lblIvD), the day count (lblIvN) and the word
// after it (lblZengo: "日後", "本日" or "日経過").
struct LifeEventRow {
    QString date;
    QString days;
    QString suffix;
};

// A child born from 1 January to 1 April starts school a year earlier: 1 for such a birth
// date text, else 0.
int earlyBorn(const QString &birthDate);

// The twelve rows for a birth date text in the form yyyy/mm/dd, counted from today. A text in
// any other form, or one that is not a calendar date, gives twelve empty rows.
QList<LifeEventRow> lifeEvents(const QString &birthDate, QDate today);
