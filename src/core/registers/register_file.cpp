#include "core/registers/register_file.h"

#include "core/text/cp932.h"
#include "core/text/delimited.h"
#include "core/text/one_line.h"

namespace {

// A line in the form this program writes: every field quoted with no quote inside, one comma
// between. Most lines are in it, and such a line needs nothing of the general reader. Gives
// the start and length of each field within the line.
bool readWrittenForm(QStringView line, int fieldCount, qsizetype *spans)
{
    qsizetype pos = 0;
    for (int i = 0; i < fieldCount; ++i) {
        if (i > 0 && (pos >= line.size() || line[pos++] != u','))
            return false;
        if (pos >= line.size() || line[pos] != u'"')
            return false;
        const qsizetype close = line.indexOf(u'"', pos + 1);
        if (close < 0)
            return false;
        spans[2 * i] = pos + 1;
        spans[2 * i + 1] = close - pos - 1;
        pos = close + 1;
    }
    return pos == line.size();
}

// Any other line, read as the general reader reads it; false when writing its fields back
// would not give the same line.
bool readOtherForm(const QString &line, int fieldCount, QStringList *fields)
{
    DelimitedReader reader(line);
    for (int i = 0; i < fieldCount; ++i)
        fields->append(reader.readText());
    return reader.atEnd() && registerRecordLine(*fields) == line + QStringLiteral("\r\n");
}

} // namespace

QStringView RegisterText::field(int record, int field) const
{
    const qsizetype at = 2 * (qsizetype(record) * m_fieldCount + field);
    return QStringView(m_text).mid(m_spans[at], m_spans[at + 1]);
}

QStringList RegisterText::record(int record) const
{
    QStringList fields;
    fields.reserve(m_fieldCount);
    for (int f = 0; f < m_fieldCount; ++f)
        fields.append(field(record, f).toString());
    return fields;
}

QList<QStringList> RegisterText::records() const
{
    QList<QStringList> all;
    all.reserve(count());
    for (int r = 0; r < count(); ++r)
        all.append(record(r));
    return all;
}

void RegisterText::addSpan(qsizetype start, qsizetype length)
{
    m_spans.append(start);
    m_spans.append(length);
}

int RegisterText::append(const QStringList &fields)
{
    for (int f = 0; f < m_fieldCount; ++f) {
        const QString value = f < fields.size() ? fields[f] : QString();
        addSpan(m_text.size(), value.size());
        m_text += value;
    }
    return count() - 1;
}

void RegisterText::setField(int record, int field, const QString &value)
{
    const qsizetype at = 2 * (qsizetype(record) * m_fieldCount + field);
    m_spans[at] = m_text.size();
    m_spans[at + 1] = value.size();
    m_text += value;
}

RegisterText readRegisterText(const QByteArray &bytes, int fieldCount)
{
    RegisterText read(fieldCount);
    // The lines are walked in this copy; fields read the general way go after it in the
    // register's own text, which then parts from it.
    const QString decoded = cp932::decode(bytes);
    read.m_text = decoded;
    QList<qsizetype> spans(2 * fieldCount);
    int lineNumber = 0;
    forEachLine(decoded, [&](QStringView line, qsizetype lineStart) {
        ++lineNumber;
        if (line.trimmed().isEmpty())
            return;
        if (readWrittenForm(line, fieldCount, spans.data())) {
            for (int f = 0; f < fieldCount; ++f)
                read.addSpan(lineStart + spans[2 * f], spans[2 * f + 1]);
            return;
        }
        QStringList fields;
        if (!readOtherForm(line.toString(), fieldCount, &fields)) {
            read.whole = false;
            read.damage.skip(lineNumber, lineNumber);
        }
        read.append(fields);
    });
    return read;
}

RegisterRead parseRegister(const QByteArray &bytes, int fieldCount)
{
    const RegisterText text = readRegisterText(bytes, fieldCount);
    return {text.records(), text.whole};
}

QString registerRecordLine(const QStringList &fields) { return recordLine(fields); }

QString registerFileText(const QList<QStringList> &records)
{
    QString text;
    for (const QStringList &r : records)
        text += registerRecordLine(r);
    return text;
}

QString unstorableFieldMessage(const QString &field, const QString &caption)
{
    if (field.contains(u'"'))
        return QStringLiteral("半角の「\"」（ダブルクォーテーション）はファイルの区切りに使う文字のため、保存"
                              "できません。\r\n\r\n"
                              "全角の「”」などに置き換えてから、もう一度保存してください。");
    if (hasControlCharacter(field))
        return controlCharacterMessage(caption);
    const QString bad = cp932::firstUnencodable(field);
    if (!bad.isEmpty())
        return cp932::unencodableMessage(bad);
    return {};
}
