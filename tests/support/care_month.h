#pragma once

#include "core/care/care_log.h"

// A busy care log for the charts' tests and benchmarks: perDay entries a day (30 by default)
// for `days` days from first, with a night's sleep that runs past midnight, naps, breast and
// bottle feeds, nappies, two temperatures, a medicine every third day and the rest memos.
inline QList<care::Entry> careMonth(QDate first, int days, int perDay = 30)
{
    using care::Kind;
    QList<care::Entry> log;
    int serial = 0;
    auto add = [&](QDate day, QTime at, Kind kind, const QString &amount = {}, std::optional<QTime> end = {},
                   const QString &note = {}) {
        care::Entry e;
        e.date = day;
        e.time = at;
        e.kind = kind;
        e.amount = amount;
        e.end = end;
        e.note = note;
        e.id = QStringLiteral("d-%1").arg(++serial, 12, 16, QLatin1Char('0'));
        log.append(e);
    };
    for (QDate day = first; day < first.addDays(days); day = day.addDays(1)) {
        const qsizetype before = log.size();
        add(day, QTime(0, 40), Kind::Pee);
        for (int nap = 0; nap < 3; ++nap)
            add(day, QTime(9 + 3 * nap, 10), Kind::Sleep, {}, QTime(10 + 3 * nap, 5));
        for (int feed = 0; feed < 10; ++feed) {
            const QTime at(1 + 2 * feed, 20);
            if (feed % 3 == 2)
                add(day, at, Kind::Formula, QStringLiteral("120"));
            else
                add(day, at, feed % 2 ? Kind::BreastRight : Kind::BreastLeft, {}, at.addSecs(15 * 60));
        }
        for (int nappy = 0; nappy < 9; ++nappy)
            add(day, QTime(2 + 2 * nappy, 5), nappy % 3 ? Kind::Pee : Kind::Poo, {}, {},
                QStringLiteral("ふつう"));
        add(day, QTime(7, 30), Kind::Temperature, QStringLiteral("36.8"));
        add(day, QTime(19, 45), Kind::Temperature,
            day.day() % 5 ? QStringLiteral("37.2") : QStringLiteral("38.1"));
        if (day.day() % 3 == 0)
            add(day, QTime(8, 0), Kind::Medicine, QStringLiteral("1包"), {}, QStringLiteral("シロップ"));
        while (log.size() - before < perDay - 1)
            add(day, QTime(20, 30), Kind::Memo, {}, {}, QStringLiteral("よく笑った"));
        add(day, QTime(21, 30), Kind::Sleep, {}, QTime(6, 30));
    }
    std::stable_sort(log.begin(), log.end(),
                     [](const care::Entry &a, const care::Entry &b) { return a.start() < b.start(); });
    return log;
}
