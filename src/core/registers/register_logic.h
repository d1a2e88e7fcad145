#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The entry rows of a gift register in order of their date text, compared character by
// character in code order; equal texts keep their order.
QList<int> orderByText(const QList<QStringView> &keys);

// count dates from first on, one a day, as "yyyy/mm/dd": the lists of the date boxes.
QStringList consecutiveDates(QDate first, int count);

// The bare picture name of a gift item, or "" when the item cannot name a file in the
// notebook folder (a separator, a character Windows forbids, "." or ".."): such an item has
// no photo, and nothing outside the folder is ever reached through it.
QString itemPictureKey(const QString &item);
