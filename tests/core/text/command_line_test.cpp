// What the command line asks for, decided before a display is needed.
#include "core/text/command_line.h"

#include <QtTest>

class CommandLineTest : public QObject
{
    Q_OBJECT
private slots:
    void decides_data();
    void decides();
    void folderMustExist();
};

void CommandLineTest::decides_data()
{
    QTest::addColumn<QString>("arguments"); // split at spaces
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("firstLine");

    const QString usage = QStringLiteral("使い方: ikuji-techo [フォルダー]");
    QTest::newRow("none") << QString() << int(CommandLine::Run) << QString() << QString();
    QTest::newRow("folder") << QStringLiteral("/tmp/もも") << int(CommandLine::Run)
                            << QStringLiteral("/tmp/もも") << QString();
    QTest::newRow("folder like an option")
        << QStringLiteral("-- -v") << int(CommandLine::Run) << QStringLiteral("-v") << QString();
    QTest::newRow("-h") << QStringLiteral("-h") << int(CommandLine::Help) << QString() << usage;
    QTest::newRow("--help, folder") << QStringLiteral("--help x") << int(CommandLine::Help) << QString()
                                    << usage;
    QTest::newRow("--version") << QStringLiteral("--version") << int(CommandLine::Version) << QString()
                               << QStringLiteral("育児手帖 (ikuji-techo) " TECHO_VERSION);
    QTest::newRow("unknown long")
        << QStringLiteral("--full") << int(CommandLine::Error) << QString()
        << QStringLiteral("ikuji-techo: オプション --full はありません。 Unknown option --full.");
    QTest::newRow("unknown short") << QStringLiteral("-x a") << int(CommandLine::Error) << QString()
                                   << QStringLiteral(
                                          "ikuji-techo: オプション -x はありません。 Unknown option -x.");
    QTest::newRow("two folders")
        << QStringLiteral("a b") << int(CommandLine::Error) << QString()
        << QStringLiteral("ikuji-techo: フォルダーは一つだけ指定してください。 Give one folder only.");
    QTest::newRow("yearbook") << QStringLiteral("--export-html 本 --from 2025/05/01 --to 2025/06/30 もも")
                              << int(CommandLine::ExportHtml) << QStringLiteral("もも") << QString();
    QTest::newRow("yearbook, not a date")
        << QStringLiteral("--export-pdf 本.pdf --from 2025/13/01") << int(CommandLine::Error) << QString()
        << QStringLiteral("ikuji-techo: 2025/13/01 は 年/月/日 (2025/05/01) の形の日付ではありません。 Not a date.");
    QTest::newRow("yearbook, period backwards")
        << QStringLiteral("--export-pdf 本.pdf --from 2025/06/01 --to 2025/05/01") << int(CommandLine::Error)
        << QString() << QStringLiteral("ikuji-techo: --from の日付が --to の日付より後です。 --from is after --to.");
    QTest::newRow("a period without an export")
        << QStringLiteral("--from 2025/05/01 もも") << int(CommandLine::Error) << QString()
        << QStringLiteral("ikuji-techo: --from と --to は --export-html か --export-pdf と一緒に指定してください。"
                          " Use them with --export-html or --export-pdf.");
}

void CommandLineTest::decides()
{
    QFETCH(QString, arguments);
    QFETCH(int, action);
    QFETCH(QString, folder);
    QFETCH(QString, firstLine);

    const CommandLine command = parseCommandLine(arguments.split(u' ', Qt::SkipEmptyParts));
    QCOMPARE(int(command.action), action);
    QCOMPARE(command.folder, folder);
    QCOMPARE(command.exitCode, action == CommandLine::Error ? 2 : 0);
    QCOMPARE(command.output.section(u'\n', 0, 0), firstLine);
    // A refusal shows the usage after the reason.
    QCOMPARE(command.output.contains(QStringLiteral("\n\n使い方: ikuji-techo [フォルダー]\n")),
             action == CommandLine::Error);
}

void CommandLineTest::folderMustExist()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"));
    QFile(file).open(QIODevice::WriteOnly);
    QCOMPARE(folderRefusal(dir.path()), QString());
    QVERIFY(folderRefusal(file).contains(QStringLiteral("はフォルダーではありません")));
    const QString missing = dir.filePath(QStringLiteral("なし"));
    QCOMPARE(folderRefusal(missing),
             QStringLiteral("ikuji-techo: フォルダー %1 が見つかりません。 No such folder.\n").arg(missing));
    QVERIFY(!QFileInfo::exists(missing)); // nothing made
}

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
