#pragma once

#include "core/files/read_damage.h"

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

// A register read into one text, with where each record's fields stand in it: a register of
// tens of thousands of records is read without a string for every field. Records are counted
// from 0 in the order of the file; records added or changed later go at the end of the text.
class RegisterText
{
public:
    explicit RegisterText(int fieldCount = 0) : m_fieldCount(fieldCount) {}

    int fieldCount() const { return m_fieldCount; }
    int count() const { return m_fieldCount > 0 ? int(m_spans.size() / (2 * m_fieldCount)) : 0; }
    // Valid until the next change.
    QStringView field(int record, int field) const;
    QStringList record(int record) const;
    QList<QStringList> records() const;
    // Adds a record of exactly fieldCount fields (missing ones empty); returns its number.
    int append(const QStringList &fields);
    void setField(int record, int field, const QString &value);
    // See RegisterRead::whole.
    bool whole = true;
    // The numbers of the lines that would not be written back the same.
    ReadDamage damage;

private:
    friend RegisterText readRegisterText(const QByteArray &bytes, int fieldCount);
    void addSpan(qsizetype start, qsizetype length);

    int m_fieldCount;
    QString m_text;
    QList<qsizetype> m_spans; // start and length of every field, record by record
};

// Reads every non-empty line as one record of fieldCount fields; never fails.
RegisterText readRegisterText(const QByteArray &bytes, int fieldCount);
RegisterRead parseRegister(const QByteArray &bytes, int fieldCount);

// One record with its CR LF.
QString registerRecordLine(const QStringList &fields);
// A whole file in the given order.
QString registerFileText(const QList<QStringList> &records);

// The warning for a typed field the file cannot hold (a double quote, a line break, a
// character outside CP932); empty when the field can be stored.
QString unstorableFieldMessage(const QString &field, const QString &caption);
