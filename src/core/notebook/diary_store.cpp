#include "core/notebook/diary_store.h"

#include "core/text/cp932.h"
#include "core/text/delimited.h"
#include "core/text/numbers.h"

#include <algorithm>
#include <cmath>

namespace {

const QString Asterisks = QStringLiteral("*******************************");
const QString Crlf = QStringLiteral("\r\n");

bool dateBefore(const DiaryDay &a, const DiaryDay &b) { return QString::compare(a.date, b.date) < 0; }

// A text line of apostrophes only is stored with one more, so that a line that is a single
// apostrophe never ends the day's text early; the reader takes one away again.
QString escapedLines(const QString &text)
{
    if (!text.contains(u'\''))
        return text;
    QStringList lines = text.split(Crlf);
    for (QString &line : lines)
        if (onlyChar(line, u'\''))
            line += u'\'';
    return lines.join(Crlf);
}

QString recordText(const QString &date, const QString &height, const QString &weight, const QString &text)
{
    QString s;
    s.reserve(80 + text.size());
    s += Asterisks + Crlf;
    s += QStringLiteral("【日付】") + date + Crlf;
    s += QStringLiteral("【身長】") + height + Crlf;
    s += QStringLiteral("【体重】") + weight + Crlf;
    s += QStringLiteral("【日記】") + Crlf;
    if (!text.isEmpty())
        s += escapedLines(text) + Crlf;
    s += QStringLiteral("'") + Crlf;
    return s;
}

} // namespace

double keptHeight(double cm)
{
    if (!std::isfinite(cm))
        return cm;
    const double tenths = cm * 10.0;
    const double below = std::floor(tenths);
    // 49.55 is 495.4999… tenths in binary: a value within rounding noise of a half is a half.
    const bool half = std::abs(tenths - below - 0.5) <= 1e-12 * std::max(1.0, std::abs(tenths));
    const double r = half ? (std::fmod(below, 2.0) == 0.0 ? below : below + 1.0) : std::nearbyint(tenths);
    return r == 0.0 ? 0.0 : r / 10.0;
}

QString measureText(double value) { return numberText(value); }

int DiaryTable::find(const QString &date) const
{
    for (int i = 0; i < m_days.size(); ++i)
        if (m_days[i].date == date)
            return i + 1;
    return 0;
}

namespace {

// The lines of a decoded file as views into it: a record is read without copying each line.
QList<QStringView> lineViews(const QString &text)
{
    QList<QStringView> lines;
    lines.reserve(text.size() / 24);
    const QChar *data = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i].unicode();
        if (c == u'\r' || c == u'\n') {
            lines.append(QStringView(data + start, i - start));
            if (c == u'\r' && i + 1 < n && data[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(QStringView(data + start, n - start));
    return lines;
}

qint16 labelledNumber(QStringView line) { return toInt16Clamped(numericValue(line.mid(4))); }

// A height from the file, held within what a reader rounding to 16 bits still takes.
double labelledHeight(QStringView line)
{
    const double kept = keptHeight(numericValue(line.mid(4)));
    return toInt16(kept) ? kept : toInt16Clamped(kept);
}

// The asterisk line and the four labels where the layout puts them: a record that has them
// elsewhere would be read shifted, with a date taken from another line.
bool recordHeadInPlace(const QList<QStringView> &lines, qsizetype i)
{
    static const QString labels[4] = {QStringLiteral("【日付】"), QStringLiteral("【身長】"),
                                      QStringLiteral("【体重】"), QStringLiteral("【日記】")};
    if (!onlyChar(lines[i], u'*'))
        return false;
    for (int k = 0; k < 4; ++k)
        if (!lines[i + 1 + k].startsWith(labels[k]))
            return false;
    return true;
}

} // namespace

namespace {

// The first line from `from` on that starts a record whose head is in place; n when none does.
qsizetype nextRecordHead(const QList<QStringView> &lines, qsizetype from)
{
    for (qsizetype k = from; k + 5 <= lines.size(); ++k)
        if (recordHeadInPlace(lines, k))
            return k;
    return lines.size();
}

// The last line before end that is not blank, so that a skipped spot is named without the
// empty lines after it.
qsizetype lastFilledBefore(const QList<QStringView> &lines, qsizetype from, qsizetype end)
{
    while (end > from + 1 && lines[end - 1].isEmpty())
        --end;
    return end - 1;
}

} // namespace

DiaryParse parseDiary(const QByteArray &bytes)
{
    DiaryParse result;
    const QString text = cp932::decode(bytes);
    const QList<QStringView> lines = lineViews(text);
    const qsizetype n = lines.size();
    const QLatin1String apostrophe("'");
    qsizetype i = 0;
    qsizetype recordEnd = 0;
    // Where each record read starts in the text, and how many spots were skipped before it:
    // the records past the capacity are cut off afterwards, with the spots among them.
    QList<qsizetype> starts;
    QList<qsizetype> skippedBefore;
    while (i < n) {
        // Blank lines after the last record are not a record.
        qsizetype rest = i;
        while (rest < n && lines[rest].isEmpty())
            ++rest;
        if (rest == n)
            break;
        if (i + 5 > n || !recordHeadInPlace(lines, i)) {
            // A damaged spot: reading goes on at the next record that is in place.
            const qsizetype next = nextRecordHead(lines, i + 1);
            result.damage.skip(int(i + 1), int(lastFilledBefore(lines, i, next) + 1));
            i = next;
            continue;
        }
        qsizetype j = i + 5;
        while (j < n && lines[j] != apostrophe)
            ++j;
        if (j == n) {
            // The file ends inside this record.
            result.damage.skip(int(i + 1), int(lastFilledBefore(lines, i, n) + 1));
            break;
        }
        DiaryDay day;
        day.date = lines[i + 1].mid(4).toString();
        day.height = labelledHeight(lines[i + 2]);
        day.weight = labelledNumber(lines[i + 3]);
        qsizetype length = 0;
        for (qsizetype k = i + 5; k < j; ++k)
            length += lines[k].size() + 2;
        day.text.reserve(length);
        for (qsizetype k = i + 5; k < j; ++k) {
            QStringView line = lines[k];
            if (line.size() >= 2 && onlyChar(line, u'\''))
                line.chop(1);
            if (k > i + 5)
                day.text += Crlf;
            day.text += line;
        }
        starts.append(lines[i].data() - text.constData());
        skippedBefore.append(result.damage.skipped.size());
        result.days.append(std::move(day));
        recordEnd = lines[j].data() + 1 - text.constData();
        i = j + 1;
    }
    if (result.days.size() > DiaryCapacity) {
        // The days past the capacity are not shown but stay in the file as they stand there.
        ReadDamage &d = result.damage;
        d.skipped.resize(skippedBefore[DiaryCapacity]);
        d.beyondText = text.mid(starts[DiaryCapacity]);
        d.beyondCount = int(result.days.size()) - DiaryCapacity;
        for (qsizetype k = DiaryCapacity; k < result.days.size(); ++k)
            d.beyondNames.append(result.days[k].date);
        result.days.resize(DiaryCapacity);
    }
    // Another computer may have added a day out of date order; the table is in date order
    // from the moment it is read, the file only at the next save.
    result.inOrder = std::is_sorted(result.days.cbegin(), result.days.cend(), dateBefore);
    if (!result.inOrder)
        sortDiary(result.days);
    result.whole = result.damage.isEmpty();
    // A file that ends in blank lines or without the last line's CR LF is rewritten before a
    // day is appended to it: the new day must start right after the last "'" line.
    result.tidy =
        result.whole &&
        (result.days.isEmpty() ? text.isEmpty() : text.size() == recordEnd + 2 && text.endsWith(Crlf));
    return result;
}

QString diaryRecordText(const QString &date, double height, double weight, const QString &text)
{
    return recordText(date, measureText(keptHeight(height)), measureText(std::nearbyint(weight)), text);
}

QString diaryFileText(const QList<DiaryDay> &days)
{
    QString s;
    for (const DiaryDay &d : days)
        s += recordText(d.date, measureText(d.height), QString::number(d.weight), d.text);
    return s;
}

void sortDiary(QList<DiaryDay> &days) { std::stable_sort(days.begin(), days.end(), dateBefore); }
