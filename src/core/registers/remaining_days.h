#pragma once

#include <QColor>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// Days from today to the date a schedule entry names: positive ahead, 0 on the day, negative
// once it has passed. Empty when the text does not name a date (a file from elsewhere may
// hold anything in that field).
std::optional<int> remainingDays(QStringView dateText, QDate today);

// How close an entry is, which picks its colour and its square in the legend.
enum class Due { Past, Today, Soon, Later };
Due dueOf(int remaining);
// The background of a row's description and remaining-days cells; Later is the grid's white.
QColor dueColour(Due due);
// The legend's caption for each colour.
QString dueCaption(Due due);

// The entry rows in order of remaining days, the most overdue first. Entries without a date
// come last; equal keys keep their order.
QList<int> orderByRemaining(const QList<std::optional<int>> &remaining);
