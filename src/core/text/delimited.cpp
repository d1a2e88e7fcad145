#include "core/text/delimited.h"

#include "core/text/numbers.h"

QString DelimitedReader::readText()
{
    const qsizetype n = m_text.size();
    while (m_pos < n && (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t'))
        ++m_pos;
    if (m_pos >= n) {
        m_endedLine = true;
        return {};
    }
    if (m_text[m_pos] == u'"') {
        qsizetype close = m_text.indexOf(u'"', m_pos + 1);
        if (close < 0)
            close = n;
        QString value = m_text.mid(m_pos + 1, close - m_pos - 1);
        m_pos = close + 1;
        while (m_pos < n && m_text[m_pos] != u',' && m_text[m_pos] != u'\r' && m_text[m_pos] != u'\n')
            ++m_pos;
        skipDelimiter();
        return value;
    }
    qsizetype start = m_pos;
    while (m_pos < n && m_text[m_pos] != u',' && m_text[m_pos] != u'\r' && m_text[m_pos] != u'\n')
        ++m_pos;
    qsizetype stop = m_pos;
    while (stop > start && (m_text[stop - 1] == u' ' || m_text[stop - 1] == u'\t'))
        --stop;
    QString value = m_text.mid(start, stop - start);
    skipDelimiter();
    return value;
}

qint16 DelimitedReader::readInt16() { return toInt16Clamped(numericValue(readText())); }

void DelimitedReader::skipDelimiter()
{
    const qsizetype n = m_text.size();
    if (m_pos >= n) {
        m_endedLine = true;
        return;
    }
    if (m_text[m_pos] == u',') {
        ++m_pos;
        m_endedLine = false;
        return;
    }
    m_endedLine = true;
    if (m_text[m_pos] == u'\r')
        ++m_pos;
    if (m_pos < n && m_text[m_pos] == u'\n')
        ++m_pos;
}

QString quotedLine(const QList<QuotedField> &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u',';
        if (fields[i].quoted)
            line += u'"' + fields[i].value + u'"';
        else
            line += fields[i].value;
    }
    return line;
}

bool onlyChar(QStringView line, QChar c)
{
    if (line.isEmpty())
        return false;
    for (QChar x : line)
        if (x != c)
            return false;
    return true;
}

void forEachLine(QStringView text, const std::function<void(QStringView line, qsizetype start)> &visit)
{
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' || c == u'\n') {
            visit(text.mid(start, i - start), start);
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        visit(text.mid(start), start);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    forEachLine(text, [&lines](QStringView line, qsizetype) { lines.append(line.toString()); });
    return lines;
}

QString recordLine(const QStringList &fields)
{
    QList<QuotedField> quoted;
    quoted.reserve(fields.size());
    for (const QString &f : fields)
        quoted.append({f, !f.contains(u'"')}); // read without quotes, so written without them
    return quotedLine(quoted) + QStringLiteral("\r\n");
}
