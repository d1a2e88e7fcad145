#pragma once

#include <QString>
#include <QStringView>

// A one-line field (a dish name, a date, a register entry) is stored as one line of its
// file: a line break or another control character pasted into it would end the line early
// and shift every later field, so such a text is refused before anything is written.
bool hasControlCharacter(QStringView text);

// The refusal, naming the field by its caption.
QString controlCharacterMessage(const QString &caption);
