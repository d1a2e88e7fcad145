// What the command line asks for, decided before a display is needed.
#include "common/command_line.h"

#include <QtTest>

class CommandLineTest : public QObject
{
    Q_OBJECT
private slots:
    void decides_data();
    void decides();
};

void CommandLineTest::decides_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("firstLine");

    const QString usage = QStringLiteral("使い方: ikuji-techo [フォルダー]");
    const QString version = QStringLiteral("育児手帖 (ikuji-techo) " TECHO_VERSION);
    QTest::newRow("no arguments") << QStringList() << int(CommandLine::Run) << QString() << 0 << QString();
    QTest::newRow("folder") << QStringList{QStringLiteral("/tmp/ももの手帖")} << int(CommandLine::Run)
                            << QStringLiteral("/tmp/ももの手帖") << 0 << QString();
    QTest::newRow("folder named like an option")
        << QStringList{QStringLiteral("--"), QStringLiteral("-v")} << int(CommandLine::Run)
        << QStringLiteral("-v") << 0 << QString();
    QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << int(CommandLine::Help) << QString() << 0
                        << usage;
    QTest::newRow("--help before a folder") << QStringList{QStringLiteral("--help"), QStringLiteral("x")}
                                            << int(CommandLine::Help) << QString() << 0 << usage;
    QTest::newRow("-v") << QStringList{QStringLiteral("-v")} << int(CommandLine::Version) << QString() << 0
                        << version;
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << int(CommandLine::Version)
                               << QString() << 0 << version;
    QTest::newRow("unknown long option")
        << QStringList{QStringLiteral("--full-screen")} << int(CommandLine::Error) << QString() << 2
        << QStringLiteral(
               "ikuji-techo: オプション --full-screen はありません。 Unknown option --full-screen.");
    QTest::newRow("unknown short option")
        << QStringList{QStringLiteral("-x"), QStringLiteral("a")} << int(CommandLine::Error) << QString() << 2
        << QStringLiteral("ikuji-techo: オプション -x はありません。 Unknown option -x.");
    QTest::newRow("two folders")
        << QStringList{QStringLiteral("a"), QStringLiteral("b")} << int(CommandLine::Error) << QString() << 2
        << QStringLiteral("ikuji-techo: フォルダーは一つだけ指定してください。 Give one folder only.");
}

void CommandLineTest::decides()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, folder);
    QFETCH(int, exitCode);
    QFETCH(QString, firstLine);

    const CommandLine command = parseCommandLine(arguments);
    QCOMPARE(int(command.action), action);
    QCOMPARE(command.folder, folder);
    QCOMPARE(command.exitCode, exitCode);
    QCOMPARE(command.output.section(u'\n', 0, 0), firstLine);
    QVERIFY(firstLine.isEmpty() || command.output.endsWith(u'\n'));
    // A refusal shows the usage after the reason.
    if (action == CommandLine::Error)
        QVERIFY(command.output.contains(QStringLiteral("\n\n使い方: ikuji-techo [フォルダー]\n")));
}

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
