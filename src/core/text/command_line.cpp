#include "core/text/command_line.h"

#include <QCommandLineParser>
#include "core/text/dates.h"

#include <QFileInfo>

static QString usage()
{
    return QStringLiteral(
        "使い方: ikuji-techo [フォルダー]\n"
        "Usage:  ikuji-techo [FOLDER]\n"
        "\n"
        "育児手帖: 赤ちゃんの育児日記・成長グラフ・予定・離乳食レシピの手帖です。\n"
        "A notebook for your baby: diary, growth chart, schedule and baby-food recipes.\n"
        "\n"
        "開く手帖のフォルダー / The notebook folder that opens:\n"
        "  1. 指定したフォルダー。\n"
        "     the FOLDER given;\n"
        "  2. 指定がなければ、ﾌﾟﾗｲﾍﾞｰﾄ.txt のある現在のフォルダー。\n"
        "     otherwise the current folder, when it holds ﾌﾟﾗｲﾍﾞｰﾄ.txt;\n"
        "  3. それもなければ $XDG_DATA_HOME/ikuji-techo (既定は ~/.local/share/ikuji-techo)。\n"
        "     初めての起動で、見本の手帖 (ももちゃん) を写して作ります。\n"
        "     otherwise $XDG_DATA_HOME/ikuji-techo (by default ~/.local/share/ikuji-techo),\n"
        "     created on the first start as a copy of the sample notebook.\n"
        "\n"
        "オプション / Options:\n"
        "  -h, --help     この説明を表示して終了します / show this help and exit\n"
        "  -v, --version  バージョンを表示して終了します / show the version and exit\n"
        "  --backup ZIP [フォルダー]\n"
        "                 手帖をまるごと ZIP に書き出して終了します（画面は開きません）\n"
        "                 write the whole notebook into ZIP and exit (no window)\n"
        "  --restore ZIP 復元先\n"
        "                 ZIP の手帖を新しいフォルダー 復元先 に戻して終了します\n"
        "                 restore the notebook in ZIP into the new folder TARGET and exit\n"
        "  --export-html 書き出し先 [--from 年/月/日] [--to 年/月/日] [フォルダー]\n"
        "                 その期間の日記を写真とグラフ付きのウェブページ（新しいフォルダー）に\n"
        "                 書き出して終了します（期間の指定がなければ日記の全部）\n"
        "                 write the diary of the period as a web page into the new folder DIR and exit\n"
        "  --export-pdf ファイル [--from 年/月/日] [--to 年/月/日] [フォルダー]\n"
        "                 同じ内容を A4 の PDF に書き出して終了します\n"
        "                 write the same as an A4 PDF into FILE and exit\n");
}

static QString refusal(const QCommandLineParser &parser, bool parsed)
{
    if (parsed)
        return QStringLiteral("フォルダーは一つだけ指定してください。 Give one folder only.");
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty())
        return QStringLiteral("引数が正しくありません。 %1").arg(parser.errorText());
    const QString name =
        (unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + unknown.first();
    return QStringLiteral("オプション %1 はありません。 Unknown option %1.").arg(name);
}

QString folderRefusal(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return {};
    if (info.exists())
        return QStringLiteral("ikuji-techo: %1 はフォルダーではありません。 Not a folder.\n").arg(folder);
    return QStringLiteral("ikuji-techo: フォルダー %1 が見つかりません。 No such folder.\n").arg(folder);
}

static CommandLine parseExport(const QCommandLineParser &parser, const QCommandLineOption &output,
                               const QCommandLineOption &from, const QCommandLineOption &to, bool both)
{
    CommandLine result;
    result.action = output.names().first() == QLatin1String("export-html") ? CommandLine::ExportHtml
                                                                           : CommandLine::ExportPdf;
    result.zip = parser.value(output);
    result.folder = parser.positionalArguments().value(0);
    result.from = parser.value(from);
    result.to = parser.value(to);
    QString wrong;
    if (both)
        wrong = QStringLiteral("--export-html と --export-pdf は一度にどちらか一つです。 Give one of them.");
    for (const QString &date : {result.from, result.to})
        if (wrong.isEmpty() && !date.isEmpty() && !parseStoredDate(date))
            wrong = QStringLiteral("%1 は 年/月/日 (2025/05/01) の形の日付ではありません。 Not a date.").arg(date);
    if (wrong.isEmpty() && !result.from.isEmpty() && !result.to.isEmpty() && result.from > result.to)
        wrong = QStringLiteral("--from の日付が --to の日付より後です。 --from is after --to.");
    if (!wrong.isEmpty()) {
        result.action = CommandLine::Error;
        result.exitCode = 2;
        result.output = QStringLiteral("ikuji-techo: %1\n\n").arg(wrong) + usage();
    }
    return result;
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    // Our own options rather than addHelpOption(): that one also adds --help-all for Qt's
    // options, which are not read here, and its texts are English only.
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption backup(QStringLiteral("backup"), QString(), QStringLiteral("ZIP"));
    const QCommandLineOption restore(QStringLiteral("restore"), QString(), QStringLiteral("ZIP"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(backup);
    parser.addOption(restore);
    const QCommandLineOption exportHtml(QStringLiteral("export-html"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption exportPdf(QStringLiteral("export-pdf"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption from(QStringLiteral("from"), QString(), QStringLiteral("DATE"));
    const QCommandLineOption to(QStringLiteral("to"), QString(), QStringLiteral("DATE"));
    parser.addOptions({exportHtml, exportPdf, from, to});
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QString());

    // parse() takes the program name first and skips it.
    CommandLine result;
    const bool parsed = parser.parse(QStringList(QStringLiteral("ikuji-techo")) + arguments);
    if (parsed && parser.isSet(help)) {
        result.action = CommandLine::Help;
        result.output = usage();
    } else if (parsed && parser.isSet(version)) {
        result.action = CommandLine::Version;
        result.output = QStringLiteral("育児手帖 (ikuji-techo) " TECHO_VERSION "\n");
    } else if (parsed && parser.isSet(restore) && !parser.isSet(backup) &&
               parser.positionalArguments().size() == 1) {
        result.action = CommandLine::Restore;
        result.zip = parser.value(restore);
        result.folder = parser.positionalArguments().first();
    } else if (parsed && parser.isSet(restore)) {
        result.action = CommandLine::Error;
        result.exitCode = 2;
        result.output = QStringLiteral("ikuji-techo: --restore には ZIP と復元先のフォルダーを指定してください。"
                                       " --restore needs ZIP and TARGET.\n\n") +
                        usage();
    } else if (parsed && (parser.isSet(exportHtml) || parser.isSet(exportPdf)) &&
               parser.positionalArguments().size() <= 1) {
        return parseExport(parser, parser.isSet(exportHtml) ? exportHtml : exportPdf, from, to,
                           parser.isSet(exportHtml) && parser.isSet(exportPdf));
    } else if (parsed && (parser.isSet(from) || parser.isSet(to))) {
        result.action = CommandLine::Error;
        result.exitCode = 2;
        result.output = QStringLiteral("ikuji-techo: --from と --to は --export-html か --export-pdf と一緒に指定してください。"
                                       " Use them with --export-html or --export-pdf.\n\n") +
                        usage();
    } else if (!parsed || parser.positionalArguments().size() > 1) {
        result.action = CommandLine::Error;
        result.exitCode = 2;
        result.output = QStringLiteral("ikuji-techo: %1\n\n").arg(refusal(parser, parsed)) + usage();
    } else {
        result.folder = parser.positionalArguments().value(0);
        if (parser.isSet(backup)) {
            result.action = CommandLine::Backup;
            result.zip = parser.value(backup);
        }
    }
    return result;
}
