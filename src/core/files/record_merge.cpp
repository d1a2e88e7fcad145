#include "core/files/record_merge.h"

#include "core/text/cp932.h"
#include "core/text/delimited.h"
#include "core/files/file_names.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <vector>

namespace record_merge {

namespace {

using Records = QList<QByteArray>;

const QByteArray Stars(31, '*');

QByteArray withoutLineEnd(const QByteArray &line)
{
    qsizetype n = line.size();
    while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r'))
        --n;
    return line.left(n);
}

// Each line with its line end; a last line without one gets CR LF, so that a record joined
// after it never runs into it.
Records splitLines(const QByteArray &bytes)
{
    Records lines;
    qsizetype from = 0;
    while (from < bytes.size()) {
        const qsizetype nl = bytes.indexOf('\n', from);
        if (nl < 0) {
            lines.append(bytes.mid(from) + "\r\n");
            break;
        }
        lines.append(bytes.mid(from, nl + 1 - from));
        from = nl + 1;
    }
    return lines;
}

// Records opened by a line of asterisks; what stands before the first one is a record of its
// own (left out when empty).
Records splitStarred(const QByteArray &bytes)
{
    Records records;
    QByteArray current;
    for (const QByteArray &line : splitLines(bytes)) {
        if (withoutLineEnd(line) == Stars && !current.isEmpty()) {
            records.append(current);
            current.clear();
        }
        current += line;
    }
    if (!current.isEmpty())
        records.append(current);
    return records;
}

// A line of a file of lines: its bytes, and what it is compared by (the line without its end).
struct Rec {
    QByteArray bytes;
    QByteArray id;
    bool operator==(const Rec &other) const { return id == other.id; }
    bool operator!=(const Rec &other) const { return id != other.id; }
};
size_t qHash(const Rec &r, size_t seed = 0) { return qHash(r.id, seed); }
using Recs = QList<Rec>;

Recs linesOf(const QByteArray &bytes)
{
    Recs out;
    for (const QByteArray &line : splitLines(bytes))
        out.append({line, withoutLineEnd(line)});
    return out;
}

QByteArray joined(const Recs &records)
{
    QByteArray out;
    qsizetype size = 0;
    for (const Rec &r : records)
        size += r.bytes.size();
    out.reserve(size);
    for (const Rec &r : records)
        out += r.bytes;
    return out;
}

QByteArray joined(const Records &records)
{
    QByteArray out;
    qsizetype size = 0;
    for (const QByteArray &r : records)
        size += r.size();
    out.reserve(size);
    for (const QByteArray &r : records)
        out += r;
    return out;
}

// The second line of a record, after its label: the date of a day, the name of a recipe.
QString recordName(const QByteArray &record)
{
    const Records lines = splitLines(record);
    if (lines.size() < 2)
        return cp932::decode(withoutLineEnd(record.left(40)));
    const QString line = cp932::decode(withoutLineEnd(lines[1]));
    const qsizetype close = line.indexOf(QChar(0x3011)); // 】
    return close >= 0 ? line.mid(close + 1) : line;
}

// For each record of a, the record of b it stands for in a longest common run of both (-1
// where none): the common start and end first, then the middle by a table, or, when that
// table would be too big, record by record in order.
QList<int> matchTo(const Recs &a, const Recs &b)
{
    const int n = int(a.size());
    const int m = int(b.size());
    QList<int> match(n, -1);
    int pre = 0;
    while (pre < n && pre < m && a[pre] == b[pre]) {
        match[pre] = pre;
        ++pre;
    }
    int suf = 0;
    while (suf < n - pre && suf < m - pre && a[n - 1 - suf] == b[m - 1 - suf]) {
        match[n - 1 - suf] = m - 1 - suf;
        ++suf;
    }
    const int an = n - pre - suf;
    const int bm = m - pre - suf;
    if (an == 0 || bm == 0)
        return match;
    if (qint64(an) * bm <= 4'000'000) {
        // The table compares numbers, one for each distinct record, not the records' bytes.
        QHash<QByteArray, int> numbers;
        const auto number = [&numbers](const Rec &r) {
            auto it = numbers.constFind(r.id);
            return it != numbers.constEnd() ? *it : *numbers.insert(r.id, int(numbers.size()));
        };
        std::vector<int> x(static_cast<size_t>(an)), y(static_cast<size_t>(bm));
        for (int i = 0; i < an; ++i)
            x[size_t(i)] = number(a[pre + i]);
        for (int j = 0; j < bm; ++j)
            y[size_t(j)] = number(b[pre + j]);
        const int w = bm + 1;
        std::vector<int> len(size_t(an + 1) * size_t(w), 0);
        for (int i = an - 1; i >= 0; --i)
            for (int j = bm - 1; j >= 0; --j)
                len[size_t(i) * w + j] = x[size_t(i)] == y[size_t(j)]
                                             ? len[size_t(i + 1) * w + j + 1] + 1
                                             : std::max(len[size_t(i + 1) * w + j], len[size_t(i) * w + j + 1]);
        int i = 0;
        int j = 0;
        while (i < an && j < bm) {
            if (x[size_t(i)] == y[size_t(j)]) {
                match[pre + i] = pre + j;
                ++i;
                ++j;
            } else if (len[size_t(i + 1) * w + j] >= len[size_t(i) * w + j + 1]) {
                ++i;
            } else {
                ++j;
            }
        }
        return match;
    }
    QHash<Rec, QList<int>> places;
    for (int j = pre; j < m - suf; ++j)
        places[b[j]].append(j);
    QHash<Rec, int> cursor;
    int last = pre - 1;
    for (int i = pre; i < n - suf; ++i) {
        const auto it = places.constFind(a[i]);
        if (it == places.constEnd())
            continue;
        int &c = cursor[a[i]];
        while (c < it->size() && it->at(c) <= last)
            ++c;
        if (c < it->size()) {
            last = it->at(c);
            match[i] = last;
            ++c;
        }
    }
    return match;
}

// The records of a that b does not hold, as many times as a holds them more often.
Recs without(const Recs &a, const Recs &b)
{
    QHash<Rec, int> left;
    for (const Rec &r : b)
        ++left[r];
    Recs out;
    for (const Rec &r : a) {
        int &k = left[r];
        if (k > 0)
            --k;
        else
            out.append(r);
    }
    return out;
}

struct Joiner {
    Outcome out;
    Recs result;

    // One stretch where base, ours and theirs are not all the same.
    void chunk(const Recs &b, const Recs &o, const Recs &t)
    {
        if (o == b) {
            result += t;
            out.fromElsewhere += int(std::max(without(t, b).size(), without(b, t).size()));
            return;
        }
        if (t == b || t == o) {
            result += o;
            return;
        }
        const Recs addedOurs = without(o, b);
        const Recs addedTheirs = without(t, b);
        // Theirs without what ours removed, then what ours added that theirs did not.
        result += without(t, without(b, o));
        result += without(addedOurs, addedTheirs);
        out.fromElsewhere += int(addedTheirs.size() + without(b, t).size());
    }

    // Base, ours and theirs walked together from one record all three share to the next.
    void sequences(const Recs &b, const Recs &o, const Recs &t)
    {
        const QList<int> mo = matchTo(b, o);
        const QList<int> mt = matchTo(b, t);
        qsizetype i = 0, jo = 0, jt = 0;
        for (;;) {
            qsizetype k = i;
            while (k < b.size() && !(mo[k] >= jo && mt[k] >= jt))
                ++k;
            const qsizetype eo = k < b.size() ? mo[k] : o.size();
            const qsizetype et = k < b.size() ? mt[k] : t.size();
            if (k > i || eo > jo || et > jt)
                chunk(b.mid(i, k - i), o.mid(jo, eo - jo), t.mid(jt, et - jt));
            if (k >= b.size())
                break;
            result.append(o[eo]);
            i = k + 1;
            jo = eo + 1;
            jt = et + 1;
        }
    }
};

// The date a day record stands for (its 【日付】 line), else the whole record; the records
// before the first day stand for "".
struct DatedRecords {
    QList<QByteArray> keys;
    QHash<QByteArray, QByteArray> byKey;
    QHash<QByteArray, QString> dates;

    explicit DatedRecords(const QByteArray &bytes)
    {
        static const QByteArray label = cp932::encode(QStringLiteral("【日付】")).bytes;
        QHash<QByteArray, int> seen;
        for (const QByteArray &r : splitStarred(bytes)) {
            // What stands before the first line of asterisks may begin with asterisks too.
            QByteArray key;
            if (const Records lines = splitLines(r); withoutLineEnd(lines[0]) == Stars)
                key = lines.size() > 1 && lines[1].startsWith(label) ? withoutLineEnd(lines[1]) : r;
            const int n = seen[key]++;
            if (n > 0)
                key += "\x01" + QByteArray::number(n);
            keys.append(key);
            byKey.insert(key, r);
        }
    }
    bool has(const QByteArray &key) const { return byKey.contains(key); }
    QByteArray at(const QByteArray &key) const { return byKey.value(key); }
};

bool isDateKey(const QByteArray &key) { return !key.isEmpty() && !key.startsWith(Stars); }

// A day joined in where the dates say; a record without a date goes last, and what stands
// before the first record first, or it would run into the record before it.
void insertDated(QList<QByteArray> &keys, const QByteArray &key)
{
    if (key.isEmpty()) {
        keys.prepend(key);
        return;
    }
    if (isDateKey(key))
        for (qsizetype p = 0; p < keys.size(); ++p)
            if (isDateKey(keys[p]) && keys[p] > key) {
                keys.insert(p, key);
                return;
            }
    keys.append(key);
}

Outcome mergeDated(const QByteArray &base, const QByteArray &ours, const QByteArray &theirs)
{
    const DatedRecords b(base), o(ours), t(theirs);
    Outcome out;
    QList<QByteArray> keys;
    QHash<QByteArray, QByteArray> chosen;
    auto take = [&](const QByteArray &key, const QByteArray &record) {
        chosen.insert(key, record);
        return key;
    };
    for (const QByteArray &key : t.keys) {
        const bool inB = b.has(key), inO = o.has(key);
        const QByteArray tv = t.at(key);
        if ((inO && o.at(key) == tv) || (inO == inB && (!inO || o.at(key) == b.at(key)))) {
            keys.append(take(key, tv));
            if (!inB || b.at(key) != tv)
                ++out.fromElsewhere;
        } else if (inB && b.at(key) == tv) {
            if (inO)
                keys.append(take(key, o.at(key)));
        } else {
            if (inO)
                keys.append(take(key, o.at(key)));
            out.conflicts.append(recordName(tv));
        }
    }
    for (const QByteArray &key : o.keys) {
        if (t.has(key))
            continue;
        if (b.has(key) && b.at(key) == o.at(key)) {
            ++out.fromElsewhere; // removed over there
            continue;
        }
        if (b.has(key))
            out.conflicts.append(recordName(o.at(key)));
        insertDated(keys, take(key, o.at(key)));
    }
    Records records;
    for (const QByteArray &key : keys)
        records.append(chosen.value(key));
    out.bytes = joined(records);
    return out;
}

Outcome copyDated(const QByteArray &file, const QByteArray &copy)
{
    const DatedRecords f(file), c(copy);
    Outcome out;
    QList<QByteArray> keys = f.keys;
    QHash<QByteArray, QByteArray> chosen = f.byKey;
    for (const QByteArray &key : c.keys) {
        if (!f.has(key)) {
            chosen.insert(key, c.at(key));
            insertDated(keys, key);
            ++out.fromElsewhere;
        } else if (f.at(key) != c.at(key)) {
            out.conflicts.append(recordName(c.at(key)));
        }
    }
    Records records;
    for (const QByteArray &key : keys)
        records.append(chosen.value(key));
    out.bytes = joined(records);
    return out;
}

Outcome mergeSlots(const QByteArray &base, const QByteArray &ours, const QByteArray &theirs, bool threeWay)
{
    const Records b = splitLines(base), o = splitLines(ours), t = splitLines(theirs);
    Outcome out;
    if (o.size() != t.size() || (threeWay && b.size() != o.size())) {
        const bool theirsOnly = threeWay && o == b;
        out.bytes = theirsOnly ? theirs : ours;
        if (theirsOnly)
            out.fromElsewhere = 1;
        else if (t != o && (!threeWay || t != b))
            out.conflicts.append(QStringLiteral("ファイル全体"));
        return out;
    }
    Records result;
    for (qsizetype n = 0; n < o.size(); ++n) {
        const bool oursChanged = !threeWay || o[n] != b[n];
        if (threeWay && !oursChanged) {
            result.append(t[n]);
            out.fromElsewhere += t[n] != b[n] ? 1 : 0;
            continue;
        }
        result.append(o[n]);
        if (o[n] != t[n] && (!threeWay || t[n] != b[n]))
            out.conflicts.append(QStringLiteral("%1行目").arg(n + 1));
    }
    out.bytes = joined(result);
    return out;
}

Outcome copyLines(const QByteArray &file, const QByteArray &copy)
{
    const Recs f = linesOf(file), c = linesOf(copy);
    const QList<int> mc = matchTo(c, f);
    Joiner j;
    qsizetype i = 0, jf = 0;
    for (;;) {
        qsizetype k = i;
        while (k < c.size() && mc[k] < jf)
            ++k;
        const qsizetype ef = k < c.size() ? mc[k] : f.size();
        const Recs cs = c.mid(i, k - i), fs = f.mid(jf, ef - jf);
        j.result += fs;
        const Recs added = without(cs, fs);
        j.result += added;
        j.out.fromElsewhere += int(added.size());
        if (k >= c.size())
            break;
        j.result.append(f[ef]);
        i = k + 1;
        jf = ef + 1;
    }
    j.out.bytes = joined(j.result);
    return j.out;
}

// The recipes of a file by their dish name (the 【料理名　】 line), which is what tells a
// recipe from another; a record without a name by its text, and what stands before the first
// record by that place. The same key twice is told apart by its count. A recipe is compared
// without its empty lines, as a deletion writes empty sections as one empty line: the same
// recipe written by either kind of save is one recipe.
struct NamedRecords {
    QList<QByteArray> keys;
    QHash<QByteArray, QByteArray> byKey;
    QHash<QByteArray, QByteArray> textOf;

    explicit NamedRecords(const QByteArray &bytes)
    {
        static const QByteArray label = cp932::encode(QStringLiteral("【料理名　】")).bytes;
        QHash<QByteArray, int> seen;
        for (const QByteArray &r : splitStarred(bytes)) {
            const Records lines = splitLines(r);
            QByteArray text;
            for (const QByteArray &line : lines)
                if (const QByteArray bare = withoutLineEnd(line); !bare.isEmpty())
                    text += bare + '\n';
            QByteArray key;
            if (withoutLineEnd(lines[0]) != Stars) {
                key = "P";
            } else if (const QByteArray name = lines.size() > 1 ? withoutLineEnd(lines[1]) : QByteArray();
                       name.startsWith(label) && name.size() > label.size()) {
                key = 'N' + name;
            } else {
                key = 'T' + text;
            }
            if (const int n = seen[key]++; n > 0)
                key += "\x01" + QByteArray::number(n);
            keys.append(key);
            byKey.insert(key, r);
            textOf.insert(key, text);
        }
    }
    bool has(const QByteArray &key) const { return byKey.contains(key); }
    QByteArray at(const QByteArray &key) const { return byKey.value(key); }
    bool same(const NamedRecords &other, const QByteArray &key) const
    {
        return other.has(key) && textOf.value(key) == other.textOf.value(key);
    }
};

// Recipes joined by name. A recipe changed on one side takes that side's version, changed on
// both keeps ours and is named; one deleted on one side goes unless the other changed it.
// Ours stay in our order; a recipe only theirs keep comes after the one it followed there (the
// nearest one kept), or last when none did. With an empty base this is the join of a copy.
Outcome mergeNamed(const QByteArray &base, const QByteArray &ours, const QByteArray &theirs)
{
    const NamedRecords b(base), o(ours), t(theirs);
    Outcome out;
    QHash<QByteArray, QByteArray> chosen;
    QList<QByteArray> order;
    for (const QByteArray &key : o.keys) {
        const bool oursAsBase = o.same(b, key);
        if (t.has(key)) {
            if (oursAsBase && !t.same(b, key)) {
                chosen.insert(key, t.at(key));
                ++out.fromElsewhere;
            } else {
                // Where all three read the same, a rewrite of ours decides the stored form.
                chosen.insert(key, oursAsBase && o.at(key) == b.at(key) ? t.at(key) : o.at(key));
                if (!t.same(o, key) && !t.same(b, key))
                    out.conflicts.append(recordName(t.at(key)));
            }
        } else if (oursAsBase) {
            ++out.fromElsewhere; // deleted over there
            continue;
        } else {
            chosen.insert(key, o.at(key)); // added here, or changed here and deleted there
        }
        order.append(key);
    }
    QHash<QByteArray, QList<QByteArray>> after;
    QList<QByteArray> first, last;
    const QByteArray *follows = nullptr;
    for (const QByteArray &key : t.keys) {
        if (o.has(key)) {
            follows = &key; // kept, as ours or theirs
            continue;
        }
        if (t.same(b, key))
            continue; // deleted here
        chosen.insert(key, t.at(key));
        ++out.fromElsewhere;
        // What stands before the first record stays there, or it would run into another.
        (follows ? after[*follows] : key.startsWith('P') ? first : last).append(key);
    }
    Records records;
    for (const QByteArray &key : first)
        records.append(chosen.value(key));
    for (const QByteArray &key : order) {
        records.append(chosen.value(key));
        for (const QByteArray &next : after.value(key))
            records.append(chosen.value(next));
    }
    for (const QByteArray &key : last)
        records.append(chosen.value(key));
    out.bytes = joined(records);
    return out;
}

// The lines of a file of entries, each by its id (a line without one, even a blank one, by its
// text; the same key twice told apart by its count), with the date and time it sorts by: a
// line that has none sorts with the line before it, so that it stays where it stood.
struct KeyedLines {
    struct Line {
        QByteArray bytes;
        QByteArray order; // "yyyy/mm/dd hh:mm"
        QString name;     // for the user: "2026/12/08 03:10 母乳（左）"
    };
    QList<QByteArray> keys;
    QHash<QByteArray, Line> byKey;

    explicit KeyedLines(const QByteArray &bytes)
    {
        QHash<QByteArray, int> seen;
        QByteArray order;
        for (const QByteArray &line : splitLines(bytes)) {
            const QByteArray bare = withoutLineEnd(line);
            const QString text = cp932::decode(bare);
            DelimitedReader reader(text);
            QStringList fields;
            for (int i = 0; i < 9 && !reader.atEnd(); ++i)
                fields.append(reader.readText());
            const QString date = fields.value(0), time = fields.value(1), id = fields.value(6);
            if (date.size() == 10 && time.size() == 5)
                order = (date + u' ' + time).toLatin1();
            QByteArray key = id.isEmpty() ? 'L' + bare : 'I' + id.toUtf8();
            if (const int n = seen[key]++; n > 0)
                key += "\x01" + QByteArray::number(n);
            keys.append(key);
            byKey.insert(key, {line, order, QStringList{date, time, fields.value(2)}.join(u' ').trimmed()});
        }
    }
    bool has(const QByteArray &key) const { return byKey.contains(key); }
    QByteArray at(const QByteArray &key) const { return byKey.value(key).bytes; }
};

// The chosen lines in time order; lines of one minute stay in the order they were chosen.
QByteArray keyedBytes(QList<KeyedLines::Line> lines)
{
    std::stable_sort(lines.begin(), lines.end(),
                     [](const KeyedLines::Line &a, const KeyedLines::Line &b) { return a.order < b.order; });
    Records records;
    for (const KeyedLines::Line &l : lines)
        records.append(l.bytes);
    return joined(records);
}

// Entries joined by id: added on either side kept, deleted on one side gone, changed on one
// side that side's, changed on both (or changed on one and deleted on the other) ours, named.
Outcome mergeKeyed(const QByteArray &base, const QByteArray &ours, const QByteArray &theirs)
{
    const KeyedLines b(base), o(ours), t(theirs);
    Outcome out;
    QList<KeyedLines::Line> chosen;
    for (const QByteArray &key : t.keys) {
        const bool inB = b.has(key), inO = o.has(key);
        const QByteArray tv = t.at(key);
        if (inO ? o.at(key) == tv || (inB && o.at(key) == b.at(key)) : !inB) {
            chosen.append(t.byKey.value(key));
            if (!inB || b.at(key) != tv)
                ++out.fromElsewhere;
        } else if (inO) {
            chosen.append(o.byKey.value(key));
            if (!inB || b.at(key) != tv)
                out.conflicts.append(t.byKey.value(key).name);
        } else if (b.at(key) != tv) {
            out.conflicts.append(t.byKey.value(key).name); // deleted here, changed there
        }
    }
    for (const QByteArray &key : o.keys) {
        if (t.has(key))
            continue;
        if (b.has(key) && b.at(key) == o.at(key)) {
            ++out.fromElsewhere; // deleted over there
            continue;
        }
        if (b.has(key))
            out.conflicts.append(o.byKey.value(key).name);
        chosen.append(o.byKey.value(key));
    }
    // A side that changed nothing leaves the other's version as it stands, in its order.
    out.bytes = theirs == ours || theirs == base ? ours : ours == base ? theirs : keyedBytes(chosen);
    return out;
}

Outcome copyKeyed(const QByteArray &file, const QByteArray &copy)
{
    const KeyedLines f(file), c(copy);
    Outcome out;
    QList<KeyedLines::Line> chosen;
    for (const QByteArray &key : f.keys)
        chosen.append(f.byKey.value(key));
    for (const QByteArray &key : c.keys) {
        if (!f.has(key)) {
            chosen.append(c.byKey.value(key));
            ++out.fromElsewhere;
        } else if (f.at(key) != c.at(key)) {
            out.conflicts.append(c.byKey.value(key).name);
        }
    }
    out.bytes = keyedBytes(chosen);
    return out;
}

} // namespace

Kind kindOf(const QString &bareName)
{
    const DataFile *file = dataFile(bareName);
    if (!file)
        return Kind::Lines;
    switch (file->join) {
    case JoinRule::ByDate:
        return Kind::Dated;
    case JoinRule::ByRecipe:
        return Kind::Named;
    case JoinRule::ByLineNumber:
        return Kind::LineSlots;
    case JoinRule::MadeFromOther:
        return Kind::Derived;
    case JoinRule::ByEntryId:
        return Kind::Keyed;
    case JoinRule::WholeLines:
        break;
    }
    return Kind::Lines;
}

Outcome merge3(Kind kind, const QByteArray &base, const QByteArray &ours, const QByteArray &theirs)
{
    switch (kind) {
    case Kind::Derived:
        return {ours, 0, {}};
    case Kind::Dated:
        return mergeDated(base, ours, theirs);
    case Kind::Named:
        return mergeNamed(base, ours, theirs);
    case Kind::LineSlots:
        return mergeSlots(base, ours, theirs, true);
    case Kind::Keyed:
        return mergeKeyed(base, ours, theirs);
    case Kind::Lines:
        break;
    }
    Joiner j;
    j.sequences(linesOf(base), linesOf(ours), linesOf(theirs));
    j.out.bytes = joined(j.result);
    return j.out;
}

Outcome mergeCopy(Kind kind, const QByteArray &file, const QByteArray &copy)
{
    switch (kind) {
    case Kind::Derived:
        return {file, 0, {}};
    case Kind::Dated:
        return copyDated(file, copy);
    case Kind::Named:
        return mergeNamed({}, file, copy);
    case Kind::LineSlots:
        return mergeSlots({}, file, copy, false);
    case Kind::Keyed:
        return copyKeyed(file, copy);
    case Kind::Lines:
        break;
    }
    return copyLines(file, copy);
}

QString unitOf(Kind kind)
{
    switch (kind) {
    case Kind::Dated:
        return QStringLiteral("日分");
    case Kind::LineSlots:
        return QStringLiteral("行");
    default:
        return QStringLiteral("件");
    }
}

} // namespace record_merge
