#include "registers/register_file.h"

#include "common/cp932.h"
#include "common/delimited.h"
#include "common/one_line.h"

RegisterRead parseRegister(const QByteArray &bytes, int fieldCount)
{
    RegisterRead read;
    const QStringList lines = splitLines(cp932::decode(bytes));
    read.records.reserve(lines.size());
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        DelimitedReader reader(line);
        QStringList fields;
        fields.reserve(fieldCount);
        for (int i = 0; i < fieldCount; ++i)
            fields.append(reader.readText());
        if (!reader.atEnd() || registerRecordLine(fields) != line + QStringLiteral("\r\n"))
            read.whole = false;
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
