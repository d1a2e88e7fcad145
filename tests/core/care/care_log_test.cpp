// The care log: its file's bytes, the day totals and times since the last feed with exact
// numbers, the join of two computers' versions by entry id, and the checks' messages.
#include "core/care/care_log.h"
#include "core/files/record_merge.h"
#include "core/text/cp932.h"
#include "test_notebook.h"

#include <QtTest>

namespace {

// "12/08 03:10-03:25 母乳（左）", "12/08 20:00-* 睡眠" (running), "12/08 09:00 ミルク 120",
// "12/08 10:20 薬 1包 カロナール 6": date (2026), time or span, kind, amount, note, interval.
care::Entry entry(const QString &shorthand)
{
    const QStringList p = shorthand.split(u' ');
    care::Entry e;
    e.date = QDate::fromString(QStringLiteral("2026/") + p[0], QStringLiteral("yyyy/MM/dd"));
    const QStringList span = p[1].split(u'-');
    e.time = QTime::fromString(span[0], QStringLiteral("hh:mm"));
    if (span.size() > 1 && span[1] == u"*")
        e.running = true;
    else if (span.size() > 1)
        e.end = QTime::fromString(span[1], QStringLiteral("hh:mm"));
    e.kind = care::kindOfName(p[2]).value_or(care::Kind::Memo);
    e.amount = p.value(3) == u"-" ? QString() : p.value(3);
    e.note = p.value(4);
    e.intervalHours = p.value(5).toInt();
    return e;
}

QList<care::Entry> entries(const QString &shorthands)
{
    QList<care::Entry> list;
    for (const QString &s : shorthands.split(u';', Qt::SkipEmptyParts))
        list.append(entry(s.trimmed()));
    return list;
}

QDateTime moment(const QString &shorthand) { return entry(shorthand + QStringLiteral(" メモ")).start(); }

// A file of entries named by letters: "a" is entry a at its own minute, "a2" a changed, "t*" a
// running timer that "t" stops.
QByteArray keyed(const QString &names)
{
    QString text;
    for (const QString &n : names.split(u' ', Qt::SkipEmptyParts)) {
        care::Entry e =
            entry(QStringLiteral("12/08 %1:00-%1:20 睡眠").arg(n[0].unicode() - u'a', 2, 10, QChar(u'0')));
        e.id = QStringLiteral("d-00000000000") + n[0];
        e.running = n.endsWith(u'*');
        e.note = n.mid(1).remove(u'*');
        text += care::lineOf(e);
    }
    return cp932::encode(text).bytes;
}

} // namespace

class CareLogTest : public QObject
{
    Q_OBJECT
private slots:
    void dayTotals_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<int>("startHour");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("line");
        const auto row = [](const char *tag, const char *log, int startHour, const char *now,
                            const char *line) {
            QTest::newRow(tag) << QString::fromUtf8(log) << startHour << QString::fromUtf8(now)
                               << QString::fromUtf8(line);
        };
        const char *night = "12/07 21:00-06:30 睡眠; 12/08 13:00-14:05 睡眠";
        row("sleep across midnight, day from 0:00", night, 0, "12/09 12:00",
            "睡眠 昼 1時間05分／夜 6時間30分");
        row("sleep across midnight, day from 5:00", night, 5, "12/09 12:00",
            "睡眠 昼 1時間05分／夜 1時間30分");
        row("a sleep over 7:00 is night, then day", "12/08 06:00-08:10 睡眠", 0, "12/09 12:00",
            "睡眠 昼 1時間10分／夜 1時間00分");
        row("a timer still running counts to now", "12/08 20:00-* 睡眠", 0, "12/08 21:40",
            "睡眠 夜 1時間40分");
        row("the other breast is the same feed", "12/08 03:10-03:25 母乳（左）; 12/08 03:25-03:35 母乳（右）",
            0, "12/09 12:00", "授乳 1回（母乳 25分）");
        row("a bottle later is another feed",
            "12/08 03:10-03:25 母乳（左）; 12/08 06:00 ミルク 120; 12/08 09:00 ミルク 100", 0, "12/09 12:00",
            "授乳 3回（母乳 15分）・ミルク 220ml");
        row("a feed before the day's start is the day before's",
            "12/08 04:50-05:20 母乳（左）; 12/08 06:00 ミルク 80", 5, "12/09 12:00",
            "授乳 1回（母乳 20分）・ミルク 80ml");
        row("nappies, highest temperature, medicine",
            "12/08 07:40 うんち; 12/08 08:00 おしっこ; 12/08 09:00 おしっこ; 12/08 10:15 体温 37.8; "
            "12/08 18:00 体温 37.2; 12/08 10:20 薬 1包 カロナール 6; 12/08 11:00 お風呂",
            0, "12/09 12:00", "おしっこ 2回・うんち 1回・最高体温 37.8℃・薬 1回");
        row("another day's entries", "12/07 09:00 ミルク 120; 12/09 09:00 おしっこ", 0, "12/09 12:00", "");
    }
    void dayTotals()
    {
        QFETCH(QString, log);
        QFETCH(int, startHour);
        QFETCH(QString, now);
        QFETCH(QString, line);
        QList<care::Entry> all = entries(log);
        std::stable_sort(all.begin(), all.end(),
                         [](const care::Entry &a, const care::Entry &b) { return a.start() < b.start(); });
        QCOMPARE(care::totalsLine(care::totalsOf(all, QDate(2026, 12, 8), startHour, moment(now))), line);
    }

    void sinceLast_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("lines");
        QTest::newRow("from the start of the feed, the other breast included")
            << u"12/08 03:10-03:25 母乳（左）; 12/08 03:25-03:35 母乳（右）; 12/08 04:35 おしっこ"_qs
            << u"12/08 05:45"_qs << u"授乳から 2時間35分|おむつから 1時間10分"_qs;
        QTest::newRow("sleeping while its timer runs")
            << u"12/08 20:00 うんち; 12/08 21:00-* 睡眠"_qs << u"12/08 21:40"_qs
            << u"おむつから 1時間40分|睡眠中 0時間40分"_qs;
        QTest::newRow("a sleep that ended is no timer")
            << u"12/08 20:00-21:00 睡眠"_qs << u"12/08 21:40"_qs << u""_qs;
    }
    void sinceLast()
    {
        QFETCH(QString, log);
        QFETCH(QString, now);
        QFETCH(QString, lines);
        QCOMPARE(care::sinceLast(entries(log), moment(now)).join(u'|'), lines);
    }

    // The golden file is read whole, and written back to the same bytes.
    void fileIsCp932InTimeOrder()
    {
        const QByteArray golden = testDataBytes(QStringLiteral("care_log/お世話記録.txt"));
        const care::Parse read = care::parseWhole(golden);
        QVERIFY(read.whole);
        QCOMPARE(read.entries.size(), 8);
        QCOMPARE(read.entries[4].note, QStringLiteral("少し残す～①"));
        QCOMPARE(read.entries[6].intervalHours, 6);
        QVERIFY(read.entries[7].running);
        QCOMPARE(cp932::encode(care::textOf(read.entries)).bytes, golden);
        // Out of order in the file, in time order in the table, as read otherwise.
        QList<QByteArray> lines = golden.split('\n');
        lines.move(1, 6);
        const QList<care::Entry> moved = care::parse(lines.join('\n'));
        QCOMPARE(moved, read.entries);
    }

    void oddLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<QString>("note"); // of the entry read
        const QByteArray ok = "\"2026/12/08\",\"03:10\",\"\x83\x81\x83\x82\",\"\",\"\",\"";
        QTest::newRow("written form") << ok + "x\",\"d-1\",\"\",\"\"" << 1 << true << u"x"_qs;
        QTest::newRow("a byte CP932 does not hold survives")
            << ok + "\x80\",\"d-1\",\"\",\"\"" << 1 << true << QString(QChar(0xF780));
        QTest::newRow("fields missing") << ok + "y\",\"d-1\"" << 1 << false << u"y"_qs;
        QTest::newRow("unquoted fields")
            << QByteArray("2026/12/08,03:10,\x83\x81\x83\x82,,,z,d-1,,") << 1 << false << u"z"_qs;
        QTest::newRow("an unknown kind")
            << QByteArray("\"2026/12/08\",\"03:10\",\"?\",\"\",\"\",\"\",\"d\",\"\",\"\"") << 0 << false
            << QString();
        QTest::newRow("a time that is none")
            << QByteArray("\"2026/12/08\",\"3:10\",\"\x83\x81\x83\x82\"") << 0 << false << QString();
        QTest::newRow("an end that is none")
            << ok.left(28) + "\"\",\"xx:yy\",\"\",\"d\",\"\",\"\"" << 0 << false << QString();
        QTest::newRow("a blank line") << QByteArray("  ") << 0 << true << QString();
    }
    void oddLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, entries);
        QFETCH(bool, whole);
        QFETCH(QString, note);
        const care::Parse read = care::parseWhole(line + "\r\n");
        QCOMPARE(read.entries.size(), entries);
        QCOMPARE(read.whole, whole);
        if (entries == 1)
            QCOMPARE(read.entries[0].note, note);
        if (whole && entries == 1)
            QCOMPARE(cp932::encode(care::textOf(read.entries)).bytes, line + "\r\n");
    }

    void joinOfTwoVersions_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("ours");
        QTest::addColumn<QString>("theirs");
        QTest::addColumn<QString>("joined");
        QTest::addColumn<int>("conflicts");
        QTest::addColumn<int>("fromElsewhere");
        const auto row = [](const char *tag, const char *b, const char *o, const char *t, const char *j,
                            int c, int f) {
            QTest::newRow(tag) << QString::fromUtf8(b) << QString::fromUtf8(o) << QString::fromUtf8(t)
                               << QString::fromUtf8(j) << c << f;
        };
        row("added on both, in time order", "a c", "a c d", "a b c", "a b c d", 0, 1);
        row("deleted on one side", "a b c", "a b c", "a c", "a c", 0, 1);
        row("deleted here", "a b c", "a c", "a b c", "a c", 0, 0);
        row("changed on both: ours, named", "a b", "a b1", "a b2", "a b1", 1, 0);
        row("changed there", "a b", "a b", "a b2", "a b2", 0, 1);
        row("a timer stopped there, another entry here", "a t*", "a t* u", "a t", "a t u", 0, 1);
        row("changed here, deleted there: ours, named", "a b", "a b1", "a", "a b1", 1, 0);
    }
    void joinOfTwoVersions()
    {
        QFETCH(QString, base);
        QFETCH(QString, ours);
        QFETCH(QString, theirs);
        QFETCH(QString, joined);
        QFETCH(int, conflicts);
        QFETCH(int, fromElsewhere);
        const auto kind = record_merge::kindOf(care::fileName());
        const record_merge::Outcome out = record_merge::merge3(kind, keyed(base), keyed(ours), keyed(theirs));
        QCOMPARE(cp932::decode(out.bytes), cp932::decode(keyed(joined)));
        QCOMPARE(out.conflicts.size(), conflicts);
        QCOMPARE(out.fromElsewhere, fromElsewhere);
    }

    // A sync tool's conflict copy: the union by id, the file's version where they differ.
    void conflictCopyJoined()
    {
        const auto kind = record_merge::kindOf(care::fileName());
        const record_merge::Outcome out = record_merge::mergeCopy(kind, keyed(u"a b1"_qs), keyed(u"b2 c"_qs));
        QCOMPARE(cp932::decode(out.bytes), cp932::decode(keyed(u"a b1 c"_qs)));
        QCOMPARE(out.conflicts, QStringList{u"2026/12/08 01:00 睡眠"_qs});
        QCOMPARE(out.fromElsewhere, 1);
    }

    void medicineInterval()
    {
        const QList<care::Entry> log = entries(
            u"12/08 02:00 薬 1包 カロナール 6; 12/08 08:30 薬 1包 カロナール; 12/08 09:00 薬 2ml ムコダイン"_qs);
        QCOMPARE(care::intervalOf(log, u"カロナール"_qs), 6);
        QCOMPARE(care::nextDoseAllowed(log, u"カロナール"_qs), QDateTime(QDate(2026, 12, 8), QTime(14, 30)));
        QCOMPARE(care::intervalOf(log, u"ムコダイン"_qs), 0);
        QVERIFY(!care::nextDoseAllowed(log, u"ムコダイン"_qs).isValid());
        QVERIFY(!care::nextDoseAllowed(log, u"アンヒバ"_qs).isValid());
    }

    void checks_data()
    {
        QTest::addColumn<QString>("shorthand");
        QTest::addColumn<QString>("message");
        const QString ml = u"量は 1〜400 ml の数字で入力してください。"_qs;
        const QString degrees = u"体温は 34.0〜42.0 ℃ で入力してください。"_qs;
        QTest::newRow("ml") << u"12/08 09:00 ミルク 120"_qs << QString();
        QTest::newRow("ml full-width") << u"12/08 09:00 搾乳 １２０"_qs << QString();
        QTest::newRow("ml 0") << u"12/08 09:00 ミルク 0"_qs << ml;
        QTest::newRow("ml 401") << u"12/08 09:00 ミルク 401"_qs << ml;
        QTest::newRow("ml none") << u"12/08 09:00 ミルク 多め"_qs << ml;
        QTest::newRow("degrees") << u"12/08 09:00 体温 ３７．５"_qs << QString();
        QTest::newRow("degrees 42.1") << u"12/08 09:00 体温 42.1"_qs << degrees;
        QTest::newRow("degrees two decimals") << u"12/08 09:00 体温 37.55"_qs << degrees;
        QTest::newRow("feed 180 minutes") << u"12/08 09:00-12:00 母乳（左）"_qs << QString();
        QTest::newRow("feed 181 minutes")
            << u"12/08 09:00-12:01 母乳（右）"_qs << u"授乳の時間は 1〜180 分にしてください。"_qs;
        QTest::newRow("feed running") << u"12/08 09:00-* 母乳（右）"_qs << QString();
        QTest::newRow("sleep 0") << u"12/08 09:00-09:00 睡眠"_qs
                                 << u"睡眠の時間は 1分〜24時間にしてください。"_qs;
        QTest::newRow("sleep over midnight") << u"12/08 21:00-08:59 睡眠"_qs << QString();
        QTest::newRow("medicine no name") << u"12/08 09:00 薬 1包"_qs << u"薬の名前を入力してください。"_qs;
        QTest::newRow("no date") << u"02/30 09:00 メモ"_qs << u"日時が正しくありません。"_qs;
        QTest::newRow("interval") << u"12/08 09:00 薬 1包 カロナール 73"_qs
                                  << u"薬の間隔は 0〜72 時間にしてください。"_qs;
        QTest::newRow("a quote")
            << u"12/08 09:00 メモ - a\"b"_qs
            << u"メモに半角の「\"」（ダブルクォーテーション）は使えません。\r\n全角の「”」などに置き換えてください。"_qs;
    }
    void checks()
    {
        QFETCH(QString, shorthand);
        QFETCH(QString, message);
        QCOMPARE(care::checkEntry(entry(shorthand)), message);
        if (message.isEmpty())
            QCOMPARE(care::checkEntry(care::normalized(entry(shorthand))), QString());
    }

    void normalizedAmounts()
    {
        QCOMPARE(care::normalized(entry(u"12/08 09:00 ミルク １２０"_qs)).amount, u"120"_qs);
        QCOMPARE(care::normalized(entry(u"12/08 09:00 体温 37"_qs)).amount, u"37.0"_qs);
        QVERIFY(care::newId().contains(QRegularExpression(QStringLiteral("^d-[0-9a-f]{12}$"))));
    }

    void rhythmRows()
    {
        const QList<care::Entry> log =
            entries(u"12/07 21:00-06:30 睡眠; 12/08 09:00 ミルク 100; 12/08 10:00 体温 37.5; "
                    "12/08 22:00-* 睡眠"_qs);
        const QList<care::RhythmRow> rows =
            care::rhythmOf(log, QDate(2026, 12, 7), 2, 5, moment(u"12/09 01:00"_qs));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].sleeps, (QList<QPair<int, int>>{{16 * 60, 24 * 60}}));
        QCOMPARE(rows[1].sleeps, (QList<QPair<int, int>>{{0, 90}, {17 * 60, 20 * 60}}));
        QCOMPARE(rows[1].feeds, QList<int>{4 * 60});
        QCOMPARE(rows[1].temperatures, (QList<QPair<int, double>>{{5 * 60, 37.5}}));
    }

    void csvForASpreadsheet()
    {
        care::Entry e = entry(u"12/08 09:00 ミルク 120"_qs);
        e.note = QStringLiteral("少し, \"残す\"");
        const QByteArray csv =
            care::csvOf({e, entry(u"12/09 09:00 おしっこ"_qs)}, QDate(2026, 12, 8), QDate(2026, 12, 8));
        QCOMPARE(csv, QByteArray("\xEF\xBB\xBF") +
                          u"日付,時刻,種類,量,終了,メモ,記録した人\r\n"
                          "2026/12/08,09:00,ミルク,120,,\"少し, \"\"残す\"\"\",\r\n"_qs.toUtf8());
    }

    void notebookKeepsTheLog();
};

// An entry sent again (a phone's retry) is kept once; an id not in the table changes nothing.
void CareLogTest::notebookKeepsTheLog()
{
    TestNotebook t;
    Notebook &nb = t.notebook();
    nb.readTable(NotebookTable::CareLog);
    QSignalSpy changes(&nb, &Notebook::changed);
    care::Entry feed = entry(u"12/08 09:00 ミルク １２０"_qs);
    feed.id = QStringLiteral("d-0123456789ab");
    QVERIFY(nb.addCareEntry(feed).ok);
    QVERIFY(nb.addCareEntry(feed).ok); // the phone's retry
    QCOMPARE(nb.careLog.size(), 1);
    QCOMPARE(nb.careLog[0].amount, u"120"_qs);
    QCOMPARE(changes.size(), 1);
    QVERIFY(!nb.changeCareEntry(QStringLiteral("d-ffffffffffff"), std::nullopt).ok);
    QCOMPARE(changes.size(), 1);
    Notebook fresh(t.dir(), t.clock());
    fresh.readTable(NotebookTable::CareLog);
    QCOMPARE(fresh.careLog, nb.careLog);
}

QTEST_MAIN(CareLogTest)
#include "care_log_test.moc"
