// The join of two versions of a data file. Recipes are joined by their dish name, whatever
// their place: each side's change to a recipe is kept, a recipe both changed keeps this side's
// and is named. Then, for every kind of file, generated versions keep what either side added.
#include "core/text/cp932.h"
#include "core/files/record_merge.h"
#include "core/recipes/recipe_store.h"
#include "record_merge_check.h"

#include <QFile>
#include <QtTest>

#include <random>

using record_merge::Kind;

namespace {

QString dishName(QChar letter)
{
    static const QHash<QChar, QString> names = {{u'A', QStringLiteral("十倍がゆ")},
                                                {u'B', QStringLiteral("にんじんペースト")},
                                                {u'C', QStringLiteral("かぼちゃのペースト")},
                                                {u'X', QStringLiteral("あちらのおかゆ")},
                                                {u'Y', QStringLiteral("こちらのおかゆ")}};
    return names.value(letter);
}

// "A" is a recipe as a change writes it; "A2" the same dish with memo 2; "A-" the form a
// deletion writes (empty sections as one empty line); "?1" a record without a dish name.
QByteArray record(const QString &token)
{
    if (token.startsWith(u'?'))
        return cp932::encode(QStringLiteral("*******************************\r\n名前のない記録") +
                             token.mid(1) + QStringLiteral("\r\n"))
            .bytes;
    Recipe r;
    r.name = dishName(token[0]);
    r.stage = QStringLiteral("ゴックン期");
    r.ingredients = QStringLiteral("米");
    r.cookCount = QStringLiteral("0");
    if (token.size() > 1 && token[1].isDigit())
        r.memo = QStringLiteral("メモ") + token[1];
    return cp932::encode(recipeRecordText(r, token.endsWith(u'-'))).bytes;
}

QByteArray file(const QString &tokens)
{
    QByteArray bytes;
    for (const QString &token : tokens.split(u' ', Qt::SkipEmptyParts))
        bytes += record(token);
    return bytes;
}

QStringList named(const QString &letters)
{
    QStringList out;
    for (QChar c : letters)
        out.append(dishName(c));
    return out;
}

QString shown(const QByteArray &bytes)
{
    QString s;
    for (char c : bytes)
        s += c >= 0x20 && c < 0x7f ? QString(QChar(c))
                                   : QStringLiteral("\\x%1").arg(uchar(c), 2, 16, QChar(u'0'));
    return s;
}

// Versions made of a few records each, changed, dropped, added and moved at random by each
// side; or made of loose pieces (asterisk lines of the right length and not, name and date
// lines, lone line ends), which the join must take as they come.
class Generator
{
public:
    Generator(Kind kind, bool loose, unsigned seed) : m_kind(kind), m_loose(loose), m_rng(seed) {}

    merge_check::Versions next()
    {
        const QByteArray base = version();
        return {base, side(base), side(base)};
    }

private:
    int pick(int n) { return int(m_rng() % unsigned(n)); }

    QByteArray piece()
    {
        // Asterisk lines of the right length and not, with either line end or none.
        static const QByteArray stars(31, '*');
        // clang-format off
        static const QList<QByteArray> pieces = {
            stars + "\r\n", stars + "\n", stars, stars.left(30) + "\r\n", stars + "*\r\n", "\r\n", "\n", "\r",
            "x", " ", "1", "2", "\x1e", "\x81", cp932::encode(QStringLiteral("【料理名　】")).bytes,
            cp932::encode(QStringLiteral("【日付】2026/01/0")).bytes};
        // clang-format on
        return pieces[pick(int(pieces.size()))];
    }

    QByteArray oneRecord()
    {
        if (m_loose) {
            QByteArray r;
            for (int n = pick(6) + 1; n > 0; --n)
                r += piece();
            return r;
        }
        switch (m_kind) {
        case Kind::Named:
            return pick(8) == 0 ? record(QStringLiteral("?%1").arg(pick(3)))
                                : record(QString(QChar(u"ABCXY"[pick(5)])) + QString::number(pick(3)) +
                                         (pick(3) == 0 ? QStringLiteral("-") : QString()));
        case Kind::Dated:
            return cp932::encode(
                       QStringLiteral("*******************************\r\n【日付】2026/01/%1\r\n日記%2\r\n")
                           .arg(pick(9) + 1, 2, 10, QChar(u'0'))
                           .arg(pick(3)))
                .bytes;
        default:
            return QByteArray("line ") + QByteArray::number(pick(6)) + (pick(4) ? "\r\n" : "\n");
        }
    }

    QByteArray version()
    {
        QByteArray bytes;
        for (int n = pick(7); n > 0; --n)
            bytes += oneRecord();
        return bytes;
    }

    QByteArray side(const QByteArray &base)
    {
        QList<QByteArray> records = merge_check::recordsOf(m_kind, base);
        for (int n = pick(4); n > 0; --n) {
            const int at = records.isEmpty() ? 0 : pick(int(records.size()));
            switch (pick(4)) {
            case 0:
                if (!records.isEmpty())
                    records.removeAt(at);
                break;
            case 1:
                records.insert(at, oneRecord());
                break;
            case 2:
                if (!records.isEmpty())
                    records[at] = m_loose || m_kind != Kind::Named ? records[at] + piece() : oneRecord();
                break;
            default:
                if (records.size() > 1)
                    records.move(at, pick(int(records.size())));
            }
        }
        QByteArray bytes;
        for (const QByteArray &r : records)
            bytes += r;
        return bytes;
    }

    Kind m_kind;
    bool m_loose;
    std::mt19937 m_rng;
};

const char *kindName(Kind kind)
{
    switch (kind) {
    case Kind::Dated:
        return "days";
    case Kind::Named:
        return "recipes";
    case Kind::Lines:
        return "lines";
    case Kind::LineSlots:
        return "numbered lines";
    case Kind::Derived:
        return "derived";
    case Kind::Keyed:
        return "entries";
    }
    return "";
}

const QList<Kind> AllKinds = {Kind::Dated, Kind::Named, Kind::Lines, Kind::LineSlots, Kind::Derived, Kind::Keyed};

} // namespace

class RecordMergeTest : public QObject
{
    Q_OBJECT
private slots:
    void recipesJoinByName_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("ours");
        QTest::addColumn<QString>("theirs");
        QTest::addColumn<QString>("joined");
        QTest::addColumn<QString>("conflicts");
        QTest::addColumn<int>("fromElsewhere");
        const auto row = [](const char *tag, const char *base, const char *ours, const char *theirs,
                            const char *joined, const char *conflicts, int fromElsewhere) {
            QTest::newRow(tag) << QString::fromUtf8(base) << QString::fromUtf8(ours)
                               << QString::fromUtf8(theirs) << QString::fromUtf8(joined)
                               << QString::fromUtf8(conflicts) << fromElsewhere;
        };
        row("neighbours changed one on each side", "A B C", "A B1 C", "A B C1", "A B1 C1", "", 1);
        row("changed over there", "A B C", "A B C", "A B2 C", "A B2 C", "", 1);
        row("changed here", "A B C", "A B1 C", "A B C", "A B1 C", "", 0);
        row("changed on both", "A B C", "A B1 C", "A B2 C", "A B1 C", "B", 0);
        row("changed alike on both", "A B C", "A B1 C", "A B1 C", "A B1 C", "", 0);
        row("added on each side at the end", "A B", "A B Y", "A B X", "A B X Y", "", 1);
        row("added there after the recipe it followed", "A B C", "A B C Y", "A X B C", "A X B C Y", "", 1);
        row("added there after a recipe deleted here", "A B C", "A C", "A B X C", "A X C", "", 1);
        row("added there first goes last", "A B", "A B", "X A B", "A B X", "", 1);
        row("added under one name on both", "A", "A Y1", "A Y2", "A Y1", "Y", 0);
        row("deleted there", "A B C", "A B C", "A C", "A C", "", 1);
        row("deleted here", "A B C", "A C", "A B C", "A C", "", 0);
        row("deleted on both", "A B C", "A C", "A C", "A C", "", 0);
        row("deleted there, changed here", "A B C", "A B1 C", "A C", "A B1 C", "", 0);
        row("deleted here, changed there", "A B C", "A C", "A B2 C", "A B2 C", "", 1);
        // A deletion rewrites every other recipe in its own form: no change to them.
        row("deleted there by a rewrite, changed here", "A B C", "A B1 C", "A- C-", "A- B1 C-", "", 0);
        row("deleted here by a rewrite, changed there", "A B C", "A- C-", "A1 B C", "A1 C-", "", 1);
        row("moved there, changed here", "A B C", "A B C1", "C A B", "A B C1", "", 0);
        row("two recipes of one name, one changed on each side", "A B A1", "A B A2", "A3 B A1", "A3 B A2", "",
            1);
        row("a record without a name, by its text", "A ?1 B", "A ?2 B", "A ?1 B1", "A ?2 B1", "", 1);
    }

    void recipesJoinByName()
    {
        QFETCH(QString, base);
        QFETCH(QString, ours);
        QFETCH(QString, theirs);
        QFETCH(QString, joined);
        QFETCH(QString, conflicts);
        QFETCH(int, fromElsewhere);
        const record_merge::Outcome out =
            record_merge::merge3(Kind::Named, file(base), file(ours), file(theirs));
        QCOMPARE(out.bytes, file(joined));
        QCOMPARE(out.conflicts, named(conflicts));
        QCOMPARE(out.fromElsewhere, fromElsewhere);
    }

    // A sync tool's conflict copy, with no version both started from.
    void copyJoinsRecipesByName_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("copy");
        QTest::addColumn<QString>("joined");
        QTest::addColumn<QString>("conflicts");
        QTest::addColumn<int>("fromElsewhere");
        const auto row = [](const char *tag, const char *file, const char *copy, const char *joined,
                            const char *conflicts, int fromElsewhere) {
            QTest::newRow(tag) << QString::fromUtf8(file) << QString::fromUtf8(copy)
                               << QString::fromUtf8(joined) << QString::fromUtf8(conflicts) << fromElsewhere;
        };
        row("the same", "A B", "A B", "A B", "", 0);
        row("only the copy holds one", "A B C", "A X B C", "A X B C", "", 1);
        row("only the file holds one", "A B C", "A C", "A B C", "", 0);
        row("held differently: the file's stays", "A B1", "A B2", "A B1", "B", 0);
        row("neighbours held differently", "A1 B", "A B1", "A1 B", "AB", 0);
        row("in the form a deletion writes", "A B", "A- B-", "A B", "", 0);
        row("in another order", "A B", "B A X", "A X B", "", 1);
    }

    void copyJoinsRecipesByName()
    {
        QFETCH(QString, file);
        QFETCH(QString, copy);
        QFETCH(QString, joined);
        QFETCH(QString, conflicts);
        QFETCH(int, fromElsewhere);
        const record_merge::Outcome out = record_merge::mergeCopy(Kind::Named, ::file(file), ::file(copy));
        QCOMPARE(out.bytes, ::file(joined));
        QCOMPARE(out.conflicts, named(conflicts));
        QCOMPARE(out.fromElsewhere, fromElsewhere);
    }

    // The fuzz target's properties over generated versions of every kind of file, and over the
    // sample notebook's files with the sides the fuzz target makes of one file.
    void joinsKeepWhatEitherSideAdded_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("loose");
        for (Kind kind : AllKinds)
            for (bool loose : {false, true})
                QTest::addRow("%s, %s", kindName(kind), loose ? "loose pieces" : "records")
                    << int(kind) << loose;
    }

    void joinsKeepWhatEitherSideAdded()
    {
        QFETCH(int, kind);
        QFETCH(bool, loose);
        Generator generate(Kind(kind), loose, 20261208u + unsigned(kind) * 2 + (loose ? 1 : 0));
        for (int n = 0; n < 150; ++n) {
            const merge_check::Versions v = generate.next();
            const char *broken = merge_check::brokenJoin(Kind(kind), v.base, v.ours, v.theirs);
            QVERIFY2(!broken, qPrintable(QStringLiteral("%1\nbase: %2\nours: %3\ntheirs: %4")
                                             .arg(QString::fromLatin1(broken ? broken : ""), shown(v.base),
                                                  shown(v.ours), shown(v.theirs))));
        }
    }

    void sampleFilesJoin_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"日記.txt", "レシピ.txt", "予定.txt", "写真見出し.txt"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }

    void sampleFilesJoin()
    {
        QFETCH(QString, name);
        QFile f(QStringLiteral(TECHO_SAMPLE "/") + name);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        for (Kind kind : AllKinds) {
            const merge_check::Versions v = merge_check::versionsOf(kind, bytes);
            QVERIFY(v.ours != v.base && v.theirs != v.base);
            const char *broken = merge_check::brokenJoin(kind, v.base, v.ours, v.theirs);
            QVERIFY2(!broken, broken);
        }
    }
};

QTEST_GUILESS_MAIN(RecordMergeTest)
#include "record_merge_test.moc"
