#pragma once

#include <QDate>
#include <QString>

#include <optional>

// "yyyy/mm/dd", the form of every date in the notebook's files.
QString dateText(QDate date);

// A stored date text in exactly the form yyyy/mm/dd, or empty.
std::optional<QDate> parseStoredDate(QStringView text);

// Completed calendar months from birth to on, as QDate::addMonths counts them (born on the
// 31st, a month is complete on the last day of a shorter month); -1 when on is before birth
// or either is not a date.
int completedMonths(QDate birth, QDate on);

// The child's age on that day as the handbook writes it: "生後5か月12日" in the first year,
// "1歳2か月3日" after it; empty when on is before birth or either is not a date.
QString ageText(QDate birth, QDate on);

// A date as a parent types it: 2002/2/18, 2002-02-18, 2002.2.18, full-width digits,
// 2002年2月18日, 平成14年2月18日, H14/2/18, R8.12.7, 令和元年5月1日, or 2/18 (this year).
// Empty when the text is not a calendar date (2026/2/30).
std::optional<QDate> parseTypedDate(QStringView text, QDate today);
