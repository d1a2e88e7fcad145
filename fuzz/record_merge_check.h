#pragma once

// What the join of two versions of a data file must keep, whatever they hold: every record
// either side added is in the joined file (one of theirs may instead be kept whole in the dated
// copy the caller makes when a conflict is named), the joined file holds only records of the
// two versions, and two equal versions join to that version. Shared by the fuzz target and the
// tests, which run it over generated versions.
#include "core/files/record_merge.h"

#include <QByteArray>
#include <QList>
#include <QSet>

namespace merge_check {

using record_merge::Kind;

inline QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype from = 0;
    while (from < bytes.size()) {
        const qsizetype nl = bytes.indexOf('\n', from);
        lines.append(nl < 0 ? bytes.mid(from) + "\r\n" : bytes.mid(from, nl + 1 - from));
        from = nl < 0 ? bytes.size() : nl + 1;
    }
    return lines;
}

inline QByteArray bare(const QByteArray &line)
{
    qsizetype n = line.size();
    while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r'))
        --n;
    return line.left(n);
}

// The records of a file: lines, or records opened by a line of 31 asterisks (what stands before
// the first one is a record too).
inline QList<QByteArray> recordsOf(Kind kind, const QByteArray &bytes)
{
    const QList<QByteArray> lines = linesOf(bytes);
    if (kind != Kind::Dated && kind != Kind::Named)
        return lines;
    QList<QByteArray> records;
    for (const QByteArray &line : lines) {
        if (records.isEmpty() || bare(line) == QByteArray(31, '*'))
            records.append(QByteArray());
        records.last() += line;
    }
    return records;
}

// What tells a record from another: a line without its end, a recipe without its empty lines
// (a deletion writes empty sections as one), a day or a numbered line by its bytes.
inline QByteArray identity(Kind kind, const QByteArray &record)
{
    if (kind == Kind::Lines)
        return bare(record);
    if (kind != Kind::Named)
        return record;
    QByteArray text;
    for (const QByteArray &line : linesOf(record))
        if (!bare(line).isEmpty())
            text += bare(line) + '\n';
    return text;
}

inline QSet<QByteArray> identities(Kind kind, const QByteArray &bytes)
{
    QSet<QByteArray> out;
    for (const QByteArray &r : recordsOf(kind, bytes))
        out.insert(identity(kind, r));
    return out;
}

// A join of ours and theirs from base (empty base for the join of a copy): the property it
// breaks, or nullptr.
inline const char *brokenBy(Kind kind, const QByteArray &base, const QByteArray &ours,
                            const QByteArray &theirs, const record_merge::Outcome &joined)
{
    if (kind == Kind::Derived)
        return joined.bytes == ours && joined.conflicts.isEmpty()
                   ? nullptr
                   : "a derived file is written as this side has it";
    const QSet<QByteArray> before = identities(kind, base);
    const QSet<QByteArray> after = identities(kind, joined.bytes);
    const QSet<QByteArray> oursHas = identities(kind, ours);
    const QSet<QByteArray> theirsHas = identities(kind, theirs);
    for (const QByteArray &r : oursHas)
        if (!before.contains(r) && !after.contains(r))
            return "a record added here is in the joined file";
    if (joined.conflicts.isEmpty())
        for (const QByteArray &r : theirsHas)
            if (!before.contains(r) && !after.contains(r))
                return "a record added there is in the joined file, or a conflict keeps it in the copy";
    for (const QByteArray &r : after)
        if (!oursHas.contains(r) && !theirsHas.contains(r))
            return "the joined file holds only records of the two versions";
    return nullptr;
}

// Both joins of the three versions, and each of them with itself.
inline const char *brokenJoin(Kind kind, const QByteArray &base, const QByteArray &ours,
                              const QByteArray &theirs)
{
    if (const char *broken =
            brokenBy(kind, base, ours, theirs, record_merge::merge3(kind, base, ours, theirs)))
        return broken;
    if (const char *broken = brokenBy(kind, {}, ours, theirs, record_merge::mergeCopy(kind, ours, theirs)))
        return broken;
    if (kind == Kind::Derived)
        return nullptr;
    // A line end added to a last line is the only change a join may make to a version it keeps.
    QByteArray whole;
    for (const QByteArray &line : linesOf(ours))
        whole += line;
    const record_merge::Outcome same = record_merge::merge3(kind, base, ours, ours);
    if ((same.bytes != whole && same.bytes != ours) || !same.conflicts.isEmpty())
        return "two equal versions join to that version";
    const record_merge::Outcome copy = record_merge::mergeCopy(kind, theirs, theirs);
    if (copy.fromElsewhere != 0 || !copy.conflicts.isEmpty())
        return "a copy equal to the file brings nothing";
    return nullptr;
}

// Three versions from one input: cut at the byte 0x1E when it holds two; otherwise the input is
// the base and each side drops, changes and adds records of its own.
struct Versions {
    QByteArray base, ours, theirs;
};

inline QByteArray edited(Kind kind, const QByteArray &base, int side)
{
    static const QByteArray nameLine =
        "\x81\x79\x97\xbf\x97\x9d\x96\xbc\x81\x40\x81\x7a"; // 【料理名　】 in CP932
    const QList<QByteArray> records = recordsOf(kind, base);
    QByteArray out;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const qsizetype k = (i + side) % 5;
        if (k == 0)
            continue;
        out += records[i];
        if (k == 1 && kind != Kind::Lines && kind != Kind::LineSlots)
            out.insert(out.size() - (records[i].endsWith("\r\n") ? 2 : 1), side == 1 ? " ours" : " theirs");
        else if (k == 1)
            out += side == 1 ? "ours\r\n" : "theirs\r\n";
    }
    if (!records.isEmpty() && (kind == Kind::Dated || kind == Kind::Named)) {
        const QByteArray first = records.first();
        const qsizetype eol = first.indexOf('\n') + 1;
        out += QByteArray(31, '*') + "\r\n" + nameLine + (side == 1 ? "ours" : "theirs") + "\r\n" +
               (eol > 0 ? first.mid(eol) : QByteArray());
    }
    return out;
}

inline Versions versionsOf(Kind kind, const QByteArray &input)
{
    const qsizetype a = input.indexOf('\x1e');
    const qsizetype b = a < 0 ? -1 : input.indexOf('\x1e', a + 1);
    if (b >= 0)
        return {input.left(a), input.mid(a + 1, b - a - 1), input.mid(b + 1)};
    return {input, edited(kind, input, 1), edited(kind, input, 2)};
}

} // namespace merge_check
