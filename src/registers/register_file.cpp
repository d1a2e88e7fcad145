#include "registers/register_file.h"

#include "common/cp932.h"
#include "common/delimited.h"
#include "common/one_line.h"

namespace {

// A line in the form this program writes: every field quoted with no quote inside, one comma
// between. Most lines are in it, and such a line needs nothing of the general reader.
bool readWrittenForm(QStringView line, int fieldCount, QStringList *fields)
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
        fields->append(line.mid(pos + 1, close - pos - 1).toString());
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

RegisterRead parseRegister(const QByteArray &bytes, int fieldCount)
{
    RegisterRead read;
    const QString text = cp932::decode(bytes);
    const QStringView all(text);
    qsizetype start = 0;
    // Line by line as splitLines cuts them: CR LF, CR or LF ends a line.
    while (start < all.size()) {
        qsizetype end = start;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        const QStringView line = all.mid(start, end - start);
        start = end + (end + 1 < all.size() && all[end] == u'\r' && all[end + 1] == u'\n' ? 2 : 1);
        if (line.trimmed().isEmpty())
            continue;
        QStringList fields;
        fields.reserve(fieldCount);
        if (!readWrittenForm(line, fieldCount, &fields)) {
            fields.clear();
            if (!readOtherForm(line.toString(), fieldCount, &fields))
                read.whole = false;
        }
        read.records.append(fields);
    }
    return read;
}

QString registerRecordLine(const QStringList &fields)
{
    QList<QuotedField> quoted;
    quoted.reserve(fields.size());
    for (const QString &f : fields)
        quoted.append({f, !f.contains(u'"')}); // read without quotes, so written without them
    return quotedLine(quoted) + QStringLiteral("\r\n");
}

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
