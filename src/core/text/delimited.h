#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Reads values one after the other the way every old notebook file is read: spaces and
// tabs before a value are skipped; a value that starts with a double quote runs to the next
// double quote (the rest up to the comma or line end is skipped); otherwise it runs to the
// first comma or the end of the line, trailing spaces dropped. A comma ends a value and the
// rest of its line is the next value; an empty line is an empty value.
class DelimitedReader
{
public:
    explicit DelimitedReader(const QString &text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    // The next value; "" once the text is used up.
    QString readText();
    // The next value as a 16-bit integer (numeric value, halves to even, clamped).
    qint16 readInt16();
    // True when the last value read ended at a line end (or at the end of the text).
    bool lastEndedLine() const { return m_endedLine; }

private:
    void skipDelimiter();

    QString m_text;
    qsizetype m_pos = 0;
    bool m_endedLine = true;
};

// One line of the quoted comma-separated form, without its CR LF: text fields between
// double quotes, numbers bare. Nothing is escaped.
struct QuotedField {
    QString value;
    bool quoted = true;
};
QString quotedLine(const QList<QuotedField> &fields);
// One record of a file of one-line records, CR LF ended: a field read without quotes (it holds
// a quote) is written without them, every other field quoted.
QString recordLine(const QStringList &fields);

// A line made of one character repeated ("*****", "'", "----------"); false for an empty line.
bool onlyChar(QStringView line, QChar c);

// Splits a file's text into lines at CR LF (a lone LF or CR also ends a line). A final line
// end does not start another line.
QStringList splitLines(const QString &text);
// The same lines, each given with where it starts in text, without a string for each.
void forEachLine(QStringView text, const std::function<void(QStringView line, qsizetype start)> &visit);
