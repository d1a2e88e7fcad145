#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The register files 予定.txt, 贈りもの.txt and 頂きもの.txt: one record a line, every field
// between double quotes, fields joined by commas, nothing escaped.
struct RegisterRead {
    QList<QStringList> records; // each with exactly the asked number of fields
    // False when some line would not be written back the same (text after a closing quote,
    // extra fields, another form): the file is then copied aside before its first rewrite.
    bool whole = true;
};

// Reads every non-empty line as one record of fieldCount fields; never fails.
RegisterRead parseRegister(const QByteArray &bytes, int fieldCount);

// One record with its CR LF.
QString registerRecordLine(const QStringList &fields);
// A whole file in the given order.
QString registerFileText(const QList<QStringList> &records);

// The warning for a typed field the file cannot hold (a double quote, a line break, a
// character outside CP932); empty when the field can be stored.
QString unstorableFieldMessage(const QString &field, const QString &caption);
