#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

class QLabel;

// Small pieces the recipe tool screens share.

// A label that shows a value: its text, and the same text as its accessible name.
void showValue(QLabel *label, const QString &text);

// The pictures of the search buttons: a funnel narrows the list, a magnifier searches the
// whole table.
QIcon narrowSearchIcon();
QIcon wholeSearchIcon();

// The row icons of the evaluation graphs, 32 × 32.
enum class RowIcon { Laughing, Smiling, Straight, NoEntry };
QPixmap rowIcon(RowIcon icon);

// A swatch: a small box filled with one colour.
QLabel *colourSwatch(const QColor &colour, const QString &accessibleName, QWidget *parent);
