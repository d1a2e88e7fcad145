#include "core/care/care_log.h"

#include "core/care/care_minutes.h"
#include "core/text/cp932.h"
#include "core/text/dates.h"
#include "core/text/delimited.h"
#include "core/text/numbers.h"
#include "core/text/one_line.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>

namespace care {

namespace {

const QString &runningWord()
{
    static const QString word = QStringLiteral("計測中");
    return word;
}

struct KindWord {
    Kind kind;
    QString name;
};

const QList<KindWord> &kindWords()
{
    static const QList<KindWord> words = {
        {Kind::BreastLeft, QStringLiteral("母乳（左）")},
        {Kind::BreastRight, QStringLiteral("母乳（右）")},
        {Kind::Formula, QStringLiteral("ミルク")},
        {Kind::Pumped, QStringLiteral("搾乳")},
        {Kind::Sleep, QStringLiteral("睡眠")},
        {Kind::Pee, QStringLiteral("おしっこ")},
        {Kind::Poo, QStringLiteral("うんち")},
        {Kind::Temperature, QStringLiteral("体温")},
        {Kind::Medicine, QStringLiteral("薬")},
        {Kind::Solids, QStringLiteral("離乳食")},
        {Kind::Bath, QStringLiteral("お風呂")},
        {Kind::Memo, QStringLiteral("メモ")},
    };
    return words;
}

std::optional<Kind> kindOfWord(QStringView word)
{
    for (const KindWord &w : kindWords())
        if (w.name == word)
            return w.kind;
    return std::nullopt;
}

// "hh:mm" exactly, as the file keeps a time.
std::optional<QTime> storedTime(QStringView text)
{
    if (text.size() != 5 || text[2] != u':')
        return std::nullopt;
    for (int i : {0, 1, 3, 4})
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
    const QTime t((text[0].unicode() - u'0') * 10 + text[1].unicode() - u'0',
                  (text[3].unicode() - u'0') * 10 + text[4].unicode() - u'0');
    return t.isValid() ? std::optional<QTime>(t) : std::nullopt;
}

std::optional<int> storedInterval(QStringView text)
{
    if (text.isEmpty())
        return 0;
    if (text.size() > 3 || text[0] == u'0')
        return std::nullopt;
    int n = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        n = n * 10 + c.unicode() - u'0';
    }
    return n;
}

// The entry of a line's nine fields. Each field is taken only in the form the file writes it,
// so an entry read from the written form writes back the same line.
std::optional<Entry> entryOf(const QStringView *f)
{
    Entry e;
    const std::optional<QDate> date = parseStoredDate(f[0]);
    const std::optional<QTime> time = storedTime(f[1]);
    const std::optional<Kind> kind = kindOfWord(f[2]);
    const std::optional<int> interval = storedInterval(f[8]);
    if (!date || !time || !kind || !interval)
        return std::nullopt;
    e.date = *date;
    e.time = *time;
    e.kind = *kind;
    e.amount = f[3].toString();
    if (f[4] == runningWord()) {
        e.running = true;
    } else if (!f[4].isEmpty()) {
        e.end = storedTime(f[4]);
        if (!e.end)
            return std::nullopt;
    }
    e.note = f[5].toString();
    e.id = f[6].toString();
    e.by = f[7].toString();
    e.intervalHours = *interval;
    return e;
}

// A line in the form this program writes: nine quoted fields with no quote inside, one comma
// between. Most lines are in it and need nothing of the general reader.
bool readWrittenForm(QStringView line, QStringView *fields)
{
    qsizetype pos = 0;
    for (int i = 0; i < Fields; ++i) {
        if (i > 0 && (pos >= line.size() || line[pos++] != u','))
            return false;
        if (pos >= line.size() || line[pos] != u'"')
            return false;
        const qsizetype close = line.indexOf(u'"', pos + 1);
        if (close < 0)
            return false;
        fields[i] = line.mid(pos + 1, close - pos - 1);
        pos = close + 1;
    }
    return pos == line.size();
}

std::optional<Entry> entryOfLine(QStringView line, bool *whole)
{
    QStringView fields[Fields];
    if (readWrittenForm(line, fields)) {
        std::optional<Entry> e = entryOf(fields);
        *whole = e.has_value();
        return e;
    }
    DelimitedReader reader(line.toString());
    QStringList values;
    for (int i = 0; i < Fields; ++i)
        values.append(reader.readText());
    for (int i = 0; i < Fields; ++i)
        fields[i] = values[i];
    std::optional<Entry> e = entryOf(fields);
    *whole = e && reader.atEnd() && lineOf(*e) == line.toString() + QStringLiteral("\r\n");
    return e;
}

QString hoursAndMinutes(qint64 minutes)
{
    return QStringLiteral("%1時間%2分").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar(u'0'));
}

QString csvField(const QString &value)
{
    if (!value.contains(u',') && !value.contains(u'"') && !value.contains(u'\n') && !value.contains(u'\r'))
        return value;
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString endText(const Entry &e)
{
    return e.running ? runningWord() : e.end ? e.end->toString(QStringLiteral("HH:mm")) : QString();
}

// What a field the file keeps cannot hold, or "".
QString fieldProblem(const QString &value, const QString &caption)
{
    if (value.contains(u'"'))
        return QStringLiteral("%1に半角の「\"」（ダブルクォーテーション）は使えません。\r\n"
                              "全角の「”」などに置き換えてください。")
            .arg(caption);
    if (hasControlCharacter(value))
        return controlCharacterMessage(caption);
    if (const QString bad = cp932::firstUnencodable(value); !bad.isEmpty())
        return cp932::unencodableMessage(bad);
    return {};
}

const QRegularExpression &wholeMl()
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{1,3}$"));
    return re;
}

const QRegularExpression &oneDecimal()
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{1,2}(\\.[0-9])?$"));
    return re;
}

constexpr int MaxIntervalHours = 72;

QString typedNumber(const QString &amount) { return asciiDigits(amount).trimmed(); }

} // namespace

QDateTime Entry::finish(const QDateTime &now) const
{
    if (running)
        return now;
    if (!end)
        return start();
    return QDateTime(*end < time ? date.addDays(1) : date, *end);
}

const QList<Kind> &kinds()
{
    static const QList<Kind> all = [] {
        QList<Kind> l;
        for (const KindWord &w : kindWords())
            l.append(w.kind);
        return l;
    }();
    return all;
}

QString kindName(Kind kind)
{
    for (const KindWord &w : kindWords())
        if (w.kind == kind)
            return w.name;
    return {};
}

std::optional<Kind> kindOfName(const QString &name) { return kindOfWord(name); }

bool isSpan(Kind kind)
{
    return kind == Kind::BreastLeft || kind == Kind::BreastRight || kind == Kind::Sleep;
}
bool isFeed(Kind kind)
{
    return kind == Kind::BreastLeft || kind == Kind::BreastRight || kind == Kind::Formula;
}
bool isNappy(Kind kind) { return kind == Kind::Pee || kind == Kind::Poo; }

Parse parseWhole(const QByteArray &bytes)
{
    Parse parse;
    const QString text = cp932::decode(bytes);
    parse.entries.reserve(bytes.count('\n') + 1);
    int lineNumber = 0;
    bool ordered = true;
    forEachLine(text, [&](QStringView line, qsizetype) {
        ++lineNumber;
        if (line.trimmed().isEmpty())
            return;
        bool whole = false;
        std::optional<Entry> e = entryOfLine(line, &whole);
        if (!whole) {
            parse.whole = false;
            parse.damage.skip(lineNumber, lineNumber);
        }
        if (!e)
            return;
        if (!parse.entries.isEmpty() && minuteOf(*e) < minuteOf(parse.entries.last()))
            ordered = false;
        parse.entries.append(std::move(*e));
    });
    if (!ordered)
        std::stable_sort(parse.entries.begin(), parse.entries.end(), earlier);
    return parse;
}

QList<Entry> parse(const QByteArray &bytes) { return parseWhole(bytes).entries; }

QStringList fieldsOf(const Entry &e)
{
    return {dateText(e.date),
            e.time.toString(QStringLiteral("HH:mm")),
            kindName(e.kind),
            e.amount,
            endText(e),
            e.note,
            e.id,
            e.by,
            e.intervalHours > 0 ? QString::number(e.intervalHours) : QString()};
}

QString lineOf(const Entry &entry) { return recordLine(fieldsOf(entry)); }

QString textOf(const QList<Entry> &entries)
{
    QString text;
    for (const Entry &e : entries)
        text += lineOf(e);
    return text;
}

QString newId()
{
    const quint64 bits = QRandomGenerator::system()->generate64() & 0xFFFFFFFFFFFFull;
    return QStringLiteral("d-%1").arg(bits, 12, 16, QChar(u'0'));
}

QString checkEntry(const Entry &entry)
{
    const Entry e = normalized(entry);
    // The file's dates have four-digit years.
    if (!entry.date.isValid() || entry.date.year() < 1900 || entry.date.year() > 9999 ||
        !entry.time.isValid() || (entry.end && !entry.end->isValid()))
        return QStringLiteral("日時が正しくありません。");
    if (e.kind == Kind::Formula || e.kind == Kind::Pumped) {
        if (!wholeMl().match(e.amount).hasMatch() || e.amount.toInt() < 1 || e.amount.toInt() > 400)
            return QStringLiteral("量は 1〜400 ml の数字で入力してください。");
    }
    if (e.kind == Kind::Temperature) {
        const QString typed = typedNumber(entry.amount);
        if (!oneDecimal().match(typed).hasMatch() || typed.toDouble() < 34.0 || typed.toDouble() > 42.0)
            return QStringLiteral("体温は 34.0〜42.0 ℃ で入力してください。");
    }
    if (isSpan(e.kind) && !e.running && e.end) {
        const qint64 minutes = finishMinuteOf(e, 0) - minuteOf(e);
        if (e.kind == Kind::Sleep && minutes < 1)
            return QStringLiteral("睡眠の時間は 1分〜24時間にしてください。");
        if (e.kind != Kind::Sleep && (minutes < 1 || minutes > 180))
            return QStringLiteral("授乳の時間は 1〜180 分にしてください。");
    }
    if (e.kind == Kind::Medicine && e.note.trimmed().isEmpty())
        return QStringLiteral("薬の名前を入力してください。");
    if (e.intervalHours < 0 || e.intervalHours > MaxIntervalHours)
        return QStringLiteral("薬の間隔は 0〜%1 時間にしてください。").arg(MaxIntervalHours);
    // An id comes from elsewhere (a phone): it must be one the file's line can hold.
    static const QRegularExpression idForm(QStringLiteral("^[A-Za-z0-9-]{1,40}$"));
    if (!e.id.isEmpty() && !idForm.match(e.id).hasMatch())
        return QStringLiteral("記録の番号（%1）が正しくありません。").arg(e.id.left(40));
    const std::pair<const QString *, QString> fields[] = {{&e.amount, QStringLiteral("量")},
                                                          {&e.note, QStringLiteral("メモ")},
                                                          {&e.by, QStringLiteral("記録した人")}};
    for (const auto &[value, caption] : fields)
        if (const QString problem = fieldProblem(*value, caption); !problem.isEmpty())
            return problem;
    return {};
}

Entry normalized(const Entry &entry)
{
    Entry e = entry;
    if (e.time.isValid())
        e.time = QTime(e.time.hour(), e.time.minute());
    if (e.end && e.end->isValid())
        e.end = QTime(e.end->hour(), e.end->minute());
    if (e.running || !isSpan(e.kind))
        e.end.reset();
    if (!isSpan(e.kind))
        e.running = false;
    if (e.kind == Kind::Formula || e.kind == Kind::Pumped) {
        const QString typed = typedNumber(e.amount);
        if (wholeMl().match(typed).hasMatch())
            e.amount = QString::number(typed.toInt());
    } else if (e.kind == Kind::Temperature) {
        const QString typed = typedNumber(e.amount);
        if (oneDecimal().match(typed).hasMatch())
            e.amount = QString::number(typed.toDouble(), 'f', 1);
    }
    if (e.kind != Kind::Medicine)
        e.intervalHours = 0;
    return e;
}

QString totalsLine(const DayTotals &t)
{
    QStringList parts;
    if (t.feeds > 0)
        parts.append(
            QStringLiteral("授乳 %1回").arg(t.feeds) +
            (t.breastMinutes > 0 ? QStringLiteral("（母乳 %1分）").arg(t.breastMinutes) : QString()));
    if (t.formulaMl > 0)
        parts.append(QStringLiteral("ミルク %1ml").arg(t.formulaMl));
    if (t.pumpedMl > 0)
        parts.append(QStringLiteral("搾乳 %1ml").arg(t.pumpedMl));
    QStringList sleep;
    if (t.sleepDayMinutes > 0)
        sleep.append(QStringLiteral("昼 ") + hoursAndMinutes(t.sleepDayMinutes));
    if (t.sleepNightMinutes > 0)
        sleep.append(QStringLiteral("夜 ") + hoursAndMinutes(t.sleepNightMinutes));
    if (!sleep.isEmpty())
        parts.append(QStringLiteral("睡眠 ") + sleep.join(u'／'));
    if (t.pees > 0)
        parts.append(QStringLiteral("おしっこ %1回").arg(t.pees));
    if (t.poos > 0)
        parts.append(QStringLiteral("うんち %1回").arg(t.poos));
    if (t.highestTemperature)
        parts.append(QStringLiteral("最高体温 %1℃").arg(*t.highestTemperature, 0, 'f', 1));
    if (t.medicines > 0)
        parts.append(QStringLiteral("薬 %1回").arg(t.medicines));
    return parts.join(u'・');
}

QStringList sinceLast(const QList<Entry> &entries, const QDateTime &now)
{
    const qint64 at = minuteOf(now);
    std::optional<qint64> feed, nappy, sleeping;
    qint64 feedEnd = 0;
    for (const Entry &e : entries) {
        const qint64 start = minuteOf(e);
        if (start > at)
            break;
        if (isFeed(e.kind)) {
            // The other breast, or a bottle after the breast, is the same feed.
            if (!feed || start - feedEnd > SameFeedMinutes)
                feed = start;
            feedEnd = std::max(feedEnd, finishMinuteOf(e, at));
        } else if (isNappy(e.kind)) {
            nappy = start;
        } else if (e.kind == Kind::Sleep && e.running) {
            sleeping = start;
        }
    }
    QStringList lines;
    if (feed)
        lines.append(QStringLiteral("授乳から ") + hoursAndMinutes(at - *feed));
    if (nappy)
        lines.append(QStringLiteral("おむつから ") + hoursAndMinutes(at - *nappy));
    if (sleeping)
        lines.append(QStringLiteral("睡眠中 ") + hoursAndMinutes(at - *sleeping));
    return lines;
}

QList<Entry> runningTimers(const QList<Entry> &entries)
{
    QList<Entry> running;
    for (auto it = entries.crbegin(); it != entries.crend(); ++it)
        if (it->running && isSpan(it->kind))
            running.append(*it);
    return running;
}

namespace {

const Entry *lastDose(const QList<Entry> &entries, const QString &medicine)
{
    const QString name = medicine.trimmed();
    for (auto it = entries.crbegin(); it != entries.crend(); ++it)
        if (it->kind == Kind::Medicine && it->intervalHours > 0 && it->note.trimmed() == name)
            return &*it;
    return nullptr;
}

} // namespace

int intervalOf(const QList<Entry> &entries, const QString &medicine)
{
    const Entry *dose = lastDose(entries, medicine);
    return dose ? dose->intervalHours : 0;
}

QDateTime nextDoseAllowed(const QList<Entry> &entries, const QString &medicine)
{
    // The latest dose decides, whether or not it remembered the interval.
    const QString name = medicine.trimmed();
    for (auto it = entries.crbegin(); it != entries.crend(); ++it)
        if (it->kind == Kind::Medicine && it->note.trimmed() == name) {
            const int hours = intervalOf(entries, medicine);
            return hours > 0 ? it->start().addSecs(qint64(hours) * 3600) : QDateTime();
        }
    return {};
}

QByteArray csvOf(const QList<Entry> &entries, QDate from, QDate to)
{
    QString text = QStringLiteral("日付,時刻,種類,量,終了,メモ,記録した人\r\n");
    for (const Entry &e : entries) {
        if (e.date < from || e.date > to)
            continue;
        const QStringList f = fieldsOf(e);
        QStringList row;
        for (int i : {0, 1, 2, 3, 4, 5, 7})
            row.append(csvField(f[i]));
        text += row.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace care
