#include "core/recipes/recipe_store.h"

#include "core/text/cp932.h"
#include "core/text/delimited.h"
#include "core/text/numbers.h"

#include <QStringView>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

const QString Crlf = QStringLiteral("\r\n");
const QString Asterisks = QStringLiteral("*******************************");
const QString Terminator = QStringLiteral("----------");
const QString HistoryEnd = QStringLiteral("'");
constexpr qsizetype HeaderLength = 6; // "【料理名　】": the value starts at the 7th character

// The labels of the nine one-line values, in file order.
const QString ValueLabels[9] = {
    QStringLiteral("【料理名　】"), QStringLiteral("【月齢　　】"), QStringLiteral("【種類　　】"),
    QStringLiteral("【調理方法】"), QStringLiteral("【料理時間】"), QStringLiteral("【自己評価】"),
    QStringLiteral("【三者評価】"), QStringLiteral("【回数　　】"), QStringLiteral("【参考　　】")};
// The headers of the four sections, each on the line after the previous terminator.
const QString SectionHeaders[4] = {QStringLiteral("【材料】"), QStringLiteral("【作り方】"),
                                   QStringLiteral("【メモ】"), QStringLiteral("【調理実績】")};

// A text line of ten or more hyphens is stored with one more, so that a line of exactly ten
// never ends its section early; the reader takes one away again. Texts without such lines
// are stored as they are.
QString escapedLines(const QString &text)
{
    if (!text.contains(Terminator))
        return text;
    QStringList lines = text.split(Crlf);
    for (QString &line : lines)
        if (line.size() >= Terminator.size() && onlyChar(line, u'-'))
            line += u'-';
    return lines.join(Crlf);
}

// Walks the decoded file line by line without copying it: a line ends at CR LF, and a lone
// CR or LF ends one too; a final line end does not start another line.
class LineCursor
{
public:
    explicit LineCursor(const QString &text) : m_text(text), m_data(text.constData()), m_size(text.size()) {}

    bool atEnd() const { return m_pos >= m_size; }
    qsizetype pos() const { return m_pos; }
    void seek(qsizetype pos) { m_pos = pos; }

    // The next line; crlf tells whether it ended with CR LF (the end of the text counts as not).
    QStringView next(bool *crlf = nullptr)
    {
        const qsizetype start = m_pos;
        // Qt's vectorised search for the line feed, then for a carriage return within the line.
        const QStringView rest(m_data + start, m_size - start);
        qsizetype e = rest.indexOf(u'\n');
        e = e < 0 ? m_size : start + e;
        const qsizetype cr = QStringView(m_data + start, e - start).indexOf(u'\r');
        if (cr >= 0)
            e = start + cr;
        bool pair = false;
        if (e < m_size) {
            pair = m_data[e] == u'\r' && e + 1 < m_size && m_data[e + 1] == u'\n';
            m_pos = e + (pair ? 2 : 1);
        } else {
            m_pos = m_size;
        }
        if (crlf)
            *crlf = pair;
        return QStringView(m_data + start, e - start);
    }

    // Only empty lines are left.
    bool onlyBlankLinesLeft() const
    {
        for (qsizetype i = m_pos; i < m_size; ++i)
            if (m_data[i] != u'\r' && m_data[i] != u'\n')
                return false;
        return true;
    }

    QString slice(qsizetype from, qsizetype length) const { return m_text.mid(from, length); }

private:
    const QString &m_text;
    const QChar *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
};

// Collects the lines of a section up to the line equal to end, joined by CR LF. False when
// the text ends first.
bool readSection(LineCursor &cursor, const QString &end, bool unescape, QString *out)
{
    const qsizetype start = cursor.pos();
    bool plain = true; // every line ended with CR LF and none needs unescaping
    QStringList lines;
    while (!cursor.atEnd()) {
        const qsizetype lineStart = cursor.pos();
        bool crlf = false;
        const QStringView line = cursor.next(&crlf);
        if (line.size() == end.size() && line == end) {
            if (plain) {
                *out = lineStart > start ? cursor.slice(start, lineStart - start - 2) : QString();
            } else {
                *out = lines.join(Crlf);
            }
            return true;
        }
        const bool escaped = unescape && line.size() > Terminator.size() && onlyChar(line, u'-');
        if (plain && (!crlf || escaped)) {
            // Fall back to building the text line by line from here on.
            plain = false;
            if (lineStart > start)
                lines = cursor.slice(start, lineStart - start - 2).split(Crlf);
        }
        if (!plain)
            lines.append(escaped ? line.chopped(1).toString() : line.toString());
    }
    return false;
}

QString valueOf(QStringView line)
{
    return line.size() > HeaderLength ? line.mid(HeaderLength).toString() : QString();
}

void appendSection(QString &s, const QString &text, bool emptyAsLine)
{
    if (!text.isEmpty())
        s += text + Crlf;
    else if (emptyAsLine)
        s += Crlf;
}

} // namespace

bool operator==(const Recipe &a, const Recipe &b)
{
    return a.name == b.name && a.stage == b.stage && a.kind == b.kind && a.method == b.method &&
           a.time == b.time && a.selfEval == b.selfEval && a.childEval == b.childEval &&
           a.cookCount == b.cookCount && a.ref == b.ref && a.ingredients == b.ingredients &&
           a.steps == b.steps && a.memo == b.memo && a.history == b.history;
}

const QStringList &stageList()
{
    static const QStringList list = {QStringLiteral("ゴックン期"), QStringLiteral("モグモグ期"),
                                     QStringLiteral("カミカミ期"), QStringLiteral("パクパク期")};
    return list;
}

const QStringList &kindList()
{
    static const QStringList list = {QStringLiteral("ご飯もの"),   QStringLiteral("めん・パン類"),
                                     QStringLiteral("汁・スープ"), QStringLiteral("肉"),
                                     QStringLiteral("野菜"),       QStringLiteral("魚介"),
                                     QStringLiteral("たまご"),     QStringLiteral("豆類"),
                                     QStringLiteral("デザート"),   QStringLiteral("その他")};
    return list;
}

const QStringList &methodList()
{
    static const QStringList list = {
        QStringLiteral("焼く"),   QStringLiteral("炒める"),     QStringLiteral("煮る"),
        QStringLiteral("茹でる"), QStringLiteral("蒸す"),       QStringLiteral("揚げる"),
        QStringLiteral("冷・生"), QStringLiteral("電子レンジ"), QStringLiteral("その他")};
    return list;
}

const QStringList &evalLetters()
{
    static const QStringList list = {evalExcellent(), evalGood(), evalPoor(), evalNone()};
    return list;
}

void RecipeStats::clearCounts()
{
    stageCount.fill(0);
    kindCount.fill(0);
    methodCount.fill(0);
    selfEvalCount.fill(0);
    childEvalCount.fill(0);
    unevaluatedCount = 0;
    evaluatedCount = 0;
}

int RecipeBook::find(const QString &name) const
{
    for (qsizetype i = 0; i < m_recipes.size(); ++i)
        if (m_recipes[i].name == name)
            return int(i + 1);
    return 0;
}

QStringList RecipeBook::names() const
{
    QStringList list;
    list.reserve(m_recipes.size());
    for (const Recipe &r : m_recipes)
        list.append(r.name);
    return list;
}

QString recipeTimeText(float time)
{
    if (time == 0 || !std::isfinite(time))
        return QStringLiteral("0");
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, time, std::chars_format::fixed);
    return QString::fromLatin1(buf, result.ptr - buf);
}

QString cookCountText(const QString &text)
{
    // Most counts are already in their plain form ("3"): keep them without a round trip.
    const bool plain = !text.isEmpty() && text.size() < 5 && (text.size() == 1 || text[0] != u'0') &&
                       std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return plain ? text : numberText(numericValue(text));
}

namespace {

// One record from the cursor, or false when the file ends inside it or its fixed lines (the
// asterisk line, the labels, the terminators and the section headers) are not where the
// layout puts them: what follows would be read shifted, so reading stops there.
bool readRecipe(LineCursor &cursor, Recipe &r)
{
    if (!onlyChar(cursor.next(), u'*'))
        return false;
    QStringView values[9];
    for (int k = 0; k < 9; ++k) {
        if (cursor.atEnd())
            return false;
        values[k] = cursor.next();
        if (!values[k].startsWith(ValueLabels[k]))
            return false;
    }
    QString *sections[4] = {&r.ingredients, &r.steps, &r.memo, &r.history};
    for (int k = 0; k < 4; ++k) {
        if (cursor.atEnd() || (k == 0 && cursor.next() != Terminator) || cursor.atEnd() ||
            !cursor.next().startsWith(SectionHeaders[k]))
            return false;
        if (!readSection(cursor, k < 3 ? Terminator : HistoryEnd, k < 3, sections[k]))
            return false;
    }
    r.name = valueOf(values[0]);
    r.stage = valueOf(values[1]);
    r.kind = valueOf(values[2]);
    r.method = valueOf(values[3]);
    r.time = float(numericValue(valueOf(values[4])));
    r.selfEval = valueOf(values[5]);
    r.childEval = valueOf(values[6]);
    r.cookCount = cookCountText(valueOf(values[7]));
    r.ref = valueOf(values[8]);
    return true;
}

} // namespace

namespace {

// After a record that could not be read from `from`: the start of the next record that can,
// or the end of the text. Reading goes on there.
qsizetype nextReadableRecord(LineCursor &cursor, qsizetype from)
{
    cursor.seek(from);
    cursor.next();
    while (!cursor.atEnd()) {
        const qsizetype start = cursor.pos();
        if (!onlyChar(cursor.next(), u'*') || cursor.atEnd())
            continue;
        const qsizetype second = cursor.pos();
        if (!cursor.next().startsWith(ValueLabels[0])) {
            cursor.seek(second);
            continue;
        }
        cursor.seek(start);
        Recipe r;
        if (readRecipe(cursor, r))
            return start;
        cursor.seek(second);
    }
    return cursor.pos();
}

// The number of the last line before pos that holds more than a line end.
int lastFilledLine(const QString &text, qsizetype from, qsizetype pos)
{
    while (pos > from && (text[pos - 1] == u'\r' || text[pos - 1] == u'\n'))
        --pos;
    return lineNumberAt(text, qMax(from, pos - 1));
}

} // namespace

RecipeParse parseRecipes(const QByteArray &bytes)
{
    RecipeParse result;
    const QString text = cp932::decode(bytes);
    LineCursor cursor(text);
    // A record is about forty lines; the guess saves most reallocations of the table.
    result.recipes.reserve(qMin<qsizetype>(RecipeCapacity, bytes.size() / 400 + 1));
    qsizetype recordEnd = 0;
    qsizetype beyondStart = -1;
    while (!cursor.atEnd()) {
        if (cursor.onlyBlankLinesLeft())
            break;
        const qsizetype start = cursor.pos();
        Recipe r;
        if (!readRecipe(cursor, r)) {
            // A damaged spot: reading goes on at the next record that can be read.
            const qsizetype next = nextReadableRecord(cursor, start);
            if (beyondStart < 0)
                result.damage.skip(lineNumberAt(text, start), lastFilledLine(text, start, next));
            cursor.seek(next);
            continue;
        }
        if (result.recipes.size() == RecipeCapacity) {
            // The recipes past the capacity are not shown but stay in the file as they stand.
            if (beyondStart < 0)
                beyondStart = start;
            ++result.damage.beyondCount;
            result.damage.beyondNames.append(r.name);
            continue;
        }
        result.recipes.append(std::move(r));
        recordEnd = cursor.pos();
    }
    if (beyondStart >= 0)
        result.damage.beyondText = text.mid(beyondStart);
    result.whole = result.damage.isEmpty();
    result.tidy = result.whole && recordEnd == text.size() && (recordEnd == 0 || text.endsWith(Crlf));
    return result;
}

QString recipeRecordText(const Recipe &r, bool emptyAsLine)
{
    QString s;
    s.reserve(200 + r.ingredients.size() + r.steps.size() + r.memo.size() + r.history.size());
    s += Asterisks + Crlf;
    const QString values[9] = {r.name,     r.stage,     r.kind,      r.method, recipeTimeText(r.time),
                               r.selfEval, r.childEval, r.cookCount, r.ref};
    for (int k = 0; k < 9; ++k)
        s += ValueLabels[k] + values[k] + Crlf;
    const QString sections[4] = {escapedLines(r.ingredients), escapedLines(r.steps), escapedLines(r.memo),
                                 r.history};
    for (int k = 0; k < 4; ++k) {
        s += Terminator + Crlf;
        s += SectionHeaders[k] + Crlf;
        appendSection(s, sections[k], emptyAsLine);
    }
    s += HistoryEnd + Crlf;
    return s;
}

QString recipeFileText(const QList<Recipe> &recipes, int skip)
{
    QString s;
    qsizetype size = 0;
    for (const Recipe &r : recipes)
        size += 260 + r.ingredients.size() + r.steps.size() + r.memo.size() + r.history.size();
    s.reserve(size);
    for (qsizetype p = 1; p <= recipes.size(); ++p)
        if (p != skip)
            s += recipeRecordText(recipes[p - 1], skip != 0);
    return s;
}

QStringList parseReferences(const QByteArray &bytes) { return splitLines(cp932::decode(bytes)); }

void countRecipeStats(const QList<Recipe> &recipes, RecipeStats &st)
{
    st.clearCounts();
    const qsizetype n = recipes.size();
    if (n == 0)
        return;
    const QStringList &stages = stageList();
    const QStringList &kinds = kindList();
    const QStringList &methods = methodList();
    for (const Recipe &r : recipes) {
        if (const qsizetype i = stages.indexOf(r.stage); i >= 0)
            ++st.stageCount[i];
        if (const qsizetype i = kinds.indexOf(r.kind); i >= 0)
            ++st.kindCount[i];
        if (const qsizetype i = methods.indexOf(r.method); i >= 0)
            ++st.methodCount[i];
        if (const qsizetype i = evalLetters().indexOf(r.selfEval); i >= 0 && i < 3)
            ++st.selfEvalCount[i];
        else if (i == 3)
            ++st.unevaluatedCount;
        if (const qsizetype i = evalLetters().indexOf(r.childEval); i >= 0 && i < 3)
            ++st.childEvalCount[i];
    }
    const float total = float(n);
    for (size_t i = 0; i < st.stageCount.size(); ++i)
        st.stageRatio[i] = float(st.stageCount[i]) / total;
    for (size_t i = 0; i < st.kindCount.size(); ++i)
        st.kindRatio[i] = float(st.kindCount[i]) / total;
    for (size_t i = 0; i < st.methodCount.size(); ++i)
        st.methodRatio[i] = float(st.methodCount[i]) / total;
    st.evaluatedCount = qint16(st.selfEvalCount[0] + st.selfEvalCount[1] + st.selfEvalCount[2]);
    st.evaluatedRatio = float(st.evaluatedCount) / total;
    st.unevaluatedRatio = float(st.unevaluatedCount) / total;
    if (st.evaluatedCount != 0) {
        for (size_t i = 0; i < 3; ++i) {
            st.selfEvalRatio[i] = float(st.selfEvalCount[i]) / float(st.evaluatedCount);
            st.childEvalRatio[i] = float(st.childEvalCount[i]) / float(st.evaluatedCount);
        }
    }
}

QStringList historyEntries(const QString &history)
{
    QStringList entries;
    if (history.isEmpty())
        return entries;
    const QStringList lines = history.split(Crlf);
    const bool fixedWidth =
        std::all_of(lines.begin(), lines.end(), [](const QString &l) { return l.size() == 10; });
    if (!fixedWidth) {
        for (const QString &l : lines)
            if (!l.isEmpty())
                entries.append(l);
        return entries;
    }
    const int n = int(std::nearbyint(double(history.size() + 2) / 12.0));
    for (int k = 1; k <= n; ++k)
        entries.append(history.mid(12 * (k - 1), 10));
    return entries;
}
