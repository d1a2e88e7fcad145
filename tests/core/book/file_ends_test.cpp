// Appends to files whose bytes run on after the last record, and records whose fixed lines
// are out of place: the new record reads back as written and no old record is lost.
#include "core/registers/register_files.h"
#include "test_notebook.h"

#include <QtTest>

namespace {

QString joined(const QStringList &fields) { return fields.join(u'|'); }

// How each appended file is read back as comparable records, and one record appended to it.
struct AppendedFile {
    QString name;
    std::function<QStringList(Notebook &)> read;
    std::function<WriteResult(Notebook &)> append;
    QString appended; // the new record as read back
};

QList<AppendedFile> appendedFiles()
{
    const auto diary = [](Notebook &nb) {
        nb.readDiary();
        QStringList out;
        for (const DiaryDay &d : nb.diary.days())
            out += joined({d.date, QString::number(d.height), QString::number(d.weight), d.text});
        return out;
    };
    const auto recipes = [](Notebook &nb) {
        nb.loadRecipes();
        QStringList out;
        for (const Recipe &r : nb.recipes.recipes())
            out += joined({r.name, r.stage, r.ingredients, r.steps, r.memo, r.history});
        return out;
    };
    const auto schedule = [](Notebook &nb) {
        QStringList out;
        for (const QStringList &r : readRegisterFile(nb.files, scheduleFileName(), 2).records())
            out += joined(r);
        return out;
    };
    const auto references = [](Notebook &nb) {
        nb.loadReferenceList();
        return nb.recipes.references;
    };
    Recipe pasta;
    pasta.name = QStringLiteral("pasta");
    pasta.ingredients = QStringLiteral("麺\r\n水");
    pasta.history = QStringLiteral("2026/12/05");
    return {
        {QStringLiteral("日記.txt"), diary,
         [](Notebook &nb) {
             return nb.appendDay(QStringLiteral("2026/12/05"), 50.5, 3200,
                                 QStringLiteral("新しい日\r\n二行目"));
         },
         QStringLiteral("2026/12/05|50.5|3200|新しい日\r\n二行目")},
        {QStringLiteral("レシピ.txt"), recipes,
         [pasta](Notebook &nb) { return nb.appendRecipe(pasta); },
         QStringLiteral("pasta||麺\r\n水|||2026/12/05")},
        {scheduleFileName(), schedule,
         [](Notebook &nb) {
             return appendRegisterRecord(nb.files, scheduleFileName(),
                                         {QStringLiteral("2026/12/24"), QStringLiteral("聖夜")});
         },
         QStringLiteral("2026/12/24|聖夜")},
        {QStringLiteral("参考資料.txt"), references,
         [](Notebook &nb) { return nb.appendReference(QStringLiteral("新しい本")); },
         QStringLiteral("新しい本")},
    };
}

} // namespace

class FileEndsTest : public QObject
{
    Q_OBJECT
private slots:
    void appendAfterAnyEnding_data();
    void appendAfterAnyEnding();
    void damagedSpotIsPassedOver_data();
    void damagedSpotIsPassedOver();
};

void FileEndsTest::appendAfterAnyEnding_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<QByteArray>("tailCut");   // bytes taken off the end of the sample file
    QTest::addColumn<QByteArray>("tailAdded"); // then added
    const QList<AppendedFile> files = appendedFiles();
    for (int f = 0; f < files.size(); ++f) {
        const QByteArray name = files[f].name.toUtf8();
        QTest::newRow(name + " as delivered") << f << QByteArray() << QByteArray();
        QTest::newRow(name + " blank lines after") << f << QByteArray() << QByteArray("\r\n\r\n");
        QTest::newRow(name + " no final CR LF") << f << QByteArray("\r\n") << QByteArray();
        QTest::newRow(name + " final LF alone") << f << QByteArray("\r\n") << QByteArray("\n");
        QTest::newRow(name + " blank line, no CR LF") << f << QByteArray() << QByteArray("\r\n ");
    }
}

void FileEndsTest::appendAfterAnyEnding()
{
    QFETCH(int, file);
    QFETCH(QByteArray, tailCut);
    QFETCH(QByteArray, tailAdded);
    const AppendedFile f = appendedFiles()[file];
    TestNotebook t;
    QByteArray bytes = t.bytes(f.name);
    QVERIFY(bytes.endsWith("\r\n"));
    bytes.chop(tailCut.size());
    t.writeBytes(f.name, bytes + tailAdded);
    Notebook &nb = t.notebook();
    // Blank lines of a file of one-line records are no records; they may stay or go.
    const auto records = [&f, &nb] {
        QStringList r = f.read(nb);
        r.removeAll(QString());
        return r;
    };
    const QStringList before = records();
    QVERIFY(!before.isEmpty());
    QVERIFY(f.append(nb).ok);
    QCOMPARE(records(), before + QStringList{f.appended});
    QVERIFY(t.bytes(f.name).endsWith("\r\n"));
}

void FileEndsTest::damagedSpotIsPassedOver_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("from"); // its first occurrence from the end of the first record
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<int>("kept"); // the records read past the damage too
    const QByteArray stars = "*******************************\r\n";
    QTest::newRow("日記: blank line between days")
        << QStringLiteral("日記.txt") << "'\r\n" + stars << "'\r\n\r\n" + stars << 60;
    QTest::newRow("日記: asterisk line missing")
        << QStringLiteral("日記.txt") << "'\r\n" + stars << QByteArray("'\r\n") << 59;
    QTest::newRow("日記: label changed")
        << QStringLiteral("日記.txt") << QByteArray("'\r\n") + stars + "\x81\x79"
        << QByteArray("'\r\n") + stars + "x" << 59;
    QTest::newRow("レシピ: blank line between recipes")
        << QStringLiteral("レシピ.txt") << "'\r\n" + stars << "'\r\n\r\n" + stars << 27;
    QTest::newRow("レシピ: line lost from the values")
        << QStringLiteral("レシピ.txt") << QByteArray("\r\n\x81\x79\x8c\x8e") // "\r\n【月"
        << QByteArray("\r\n") << 26;
}

void FileEndsTest::damagedSpotIsPassedOver()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    TestNotebook t;
    QByteArray bytes = t.bytes(name);
    const qsizetype at = bytes.indexOf(from, bytes.indexOf("'\r\n"));
    QVERIFY(at > 0);
    bytes.replace(at, from.size(), to);
    t.writeBytes(name, bytes);
    Notebook &nb = t.notebook();
    QFETCH(int, kept);
    const bool diary = name == QStringLiteral("日記.txt");
    const ReadDamage damage = diary ? nb.readDiary().damage : nb.loadRecipes().damage;
    QCOMPARE(diary ? nb.diary.count() : nb.recipes.count(), kept);
    // The one warning names where the damage starts: the line after the first record.
    const int line = int(bytes.left(bytes.indexOf("'\r\n") + 3).count('\n')) + 1;
    const QString told = NotebookFiles::notWholeMessage(name, kept, QStringLiteral("件"), damage);
    QVERIFY2(told.contains(QStringLiteral("（%1行目").arg(line)) || told.contains(QStringLiteral("（%1〜").arg(line)),
             qPrintable(told));
    // The next save keeps the damaged original aside first, and every record read.
    const WriteResult saved = diary ? nb.writeDiary() : nb.saveRecipeFile();
    QVERIFY(saved.ok);
    QCOMPARE(t.bytes(saved.backupName), bytes);
    QVERIFY(diary ? nb.readDiary().damage.isEmpty() : nb.loadRecipes().damage.isEmpty());
    QCOMPARE(diary ? nb.diary.count() : nb.recipes.count(), kept);
}

QTEST_MAIN(FileEndsTest)
#include "file_ends_test.moc"
