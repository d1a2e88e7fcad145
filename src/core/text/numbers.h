#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The numeric value of a text: leading blanks skipped, then the longest run that forms a
// decimal number (optional sign, digits, one decimal point); 0 when there is none.
// "50.5cm" gives 50.5, "3,050" gives 3, "" gives 0.
double numericValue(QStringView text);

// What the Japanese input method types into a numeric field, in ASCII: full-width digits,
// full stop, comma, plus and minus signs (and the minus sign U+2212) and the
// ideographic space. Stored files are read
// without it, exactly as before.
QString asciiDigits(QStringView text);
// What was typed into a numeric field in ASCII, its grouping commas taken out when the
// number's digits are grouped by three ("3,350" and "３，３５０" give "3350"); empty when a
// comma stands where no grouping comma can ("3,35", "33,50", "3,"), as the text would
// otherwise be read as 3.
std::optional<QString> withoutGrouping(QStringView typed);
// The refusal of such a text, naming the field by its caption.
QString groupingMessage(const QString &caption);
// numericValue of what was typed into a numeric field: "５０．５" gives 50.5, "3,350" 3350.
// Check withoutGrouping first where a misplaced comma must be refused.
double typedNumericValue(QStringView text);

// Rounds to the nearest integer, halves to the even neighbour (50.5 -> 50, 51.5 -> 52).
// Empty when the result does not fit a 16-bit signed integer.
std::optional<qint16> toInt16(double value);

// toInt16, but a value outside the range is clamped instead of refused: for readers,
// which must never fail on a file.
qint16 toInt16Clamped(double value);

// Plain decimal without a leading space or trailing zeros: 50.5, 3000, 0.
QString numberText(double value);

// An integer the way the old files print it: " 140 " (a space for the sign) or "-3 ".
QString printedInteger(int value);
