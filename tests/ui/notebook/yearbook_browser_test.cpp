// The sample notebook's yearbook from the command line, as its readers meet it: the web page in
// a real headless Chromium (every picture loads, every day's text is in the page, nothing is
// fetched from the network), an HTML checker without errors, and the PDF's fonts embedded with
// every day's text in date order.
#include "test_notebook.h"

#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

namespace {

struct Run {
    int code = -1;
    QString out, err;
};

Run run(const QString &program, const QStringList &arguments, int timeoutMs = 120000)
{
    QProcess p;
    p.start(program, arguments);
    Run r;
    if (!p.waitForFinished(timeoutMs))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString tool(const char *name)
{
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (path.isEmpty())
        qFatal("%s is missing: scripts/install-deps installs it", name);
    return path;
}

// Text compared without its white space: the PDF and the page break lines where they like.
QString squeezed(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s+"))); }

QString unescaped(QString dom)
{
    return dom.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

// Each day's text (its first line) found in text after the day before it.
void expectDaysInOrder(const Notebook &nb, const QString &text)
{
    const QString flat = squeezed(text);
    qsizetype at = 0;
    for (const DiaryDay &d : nb.diary.days()) {
        const QString first = squeezed(d.text.section(QStringLiteral("\r\n"), 0, 0));
        if (first.isEmpty())
            continue;
        const qsizetype found = flat.indexOf(first, at);
        QVERIFY2(found >= 0, qPrintable(d.date + QStringLiteral(" is missing or out of order: ") + first));
        at = found + first.size();
    }
}

// A page beside the yearbook that loads it in a frame and writes what it found into the DOM.
const char *const checkPage = R"(<!DOCTYPE html><html><body><iframe id="f" src="yearbook/index.html"></iframe>
<pre id="result">pending</pre><script>
document.getElementById('f').addEventListener('load', function () {
  var doc = this.contentDocument, imgs = Array.from(doc.images);
  var broken = imgs.filter(function (i) { return !(i.complete && i.naturalWidth > 0); });
  document.getElementById('result').textContent = 'images=' + imgs.length + ' broken=' + broken.length +
    broken.map(function (i) { return ' ' + i.getAttribute('src'); }).join('') + '\n' + doc.body.innerText;
});
</script></body></html>)";

} // namespace

class YearbookBrowserTest : public QObject
{
    Q_OBJECT
private slots:
    void webPageInChromium()
    {
        TestNotebook t;
        t.notebook().readDiary();
        QTemporaryDir out;
        const QString page = out.filePath(QStringLiteral("yearbook"));
        const Run exported = run(QStringLiteral(TECHO_PROGRAM), {QStringLiteral("--export-html"), page, t.dir()});
        QVERIFY2(exported.code == 0, qPrintable(exported.err));

        const Run tidy = run(tool("tidy"), {QStringLiteral("-errors"), QStringLiteral("-q"), page + QStringLiteral("/index.html")});
        QVERIFY2(tidy.code == 0, qPrintable(tidy.err));
        // Nothing in the page or its stylesheet could reach the network, and there is no script.
        for (const QString &name : {QStringLiteral("index.html"), QStringLiteral("style.css")}) {
            QFile f(page + u'/' + name);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(f.readAll());
            QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("(https?:|//|<script|@import|url\\()"))),
                     qPrintable(name));
        }

        QFile check(out.filePath(QStringLiteral("check.html")));
        QVERIFY(check.open(QIODevice::WriteOnly) && check.write(checkPage) > 0);
        check.close();
        const QString netLog = out.filePath(QStringLiteral("net.json"));
        const Run chromium = run(
            tool("chromium"),
            {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
             QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
             QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
             QStringLiteral("--disable-sync"), QStringLiteral("--user-data-dir=") + out.filePath(QStringLiteral("profile")),
             QStringLiteral("--allow-file-access-from-files"), QStringLiteral("--virtual-time-budget=15000"),
             QStringLiteral("--log-net-log=") + netLog, QStringLiteral("--dump-dom"),
             QUrl::fromLocalFile(check.fileName()).toString()});
        QVERIFY2(chromium.code == 0, qPrintable(chromium.err.right(2000)));
        const QString dom = unescaped(chromium.out);
        const QRegularExpressionMatch images = QRegularExpression(QStringLiteral("images=(\\d+) broken=(\\d+)")).match(dom);
        QVERIFY2(images.hasMatch(), qPrintable(dom.left(2000)));
        QCOMPARE(images.captured(1).toInt(), 17); // 16 days' main photos and the chart
        QVERIFY2(images.captured(2) == QLatin1String("0"), qPrintable(dom.left(2000)));
        expectDaysInOrder(t.notebook(), dom);
        // Chromium's own services may knock at the closed network; the page asks for nothing.
        QFile log(netLog);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString events = QString::fromUtf8(log.readAll());
        const QRegularExpression url(QStringLiteral("\"url\":\"(https?://[^/\"]+)"));
        for (auto m = url.globalMatch(events); m.hasNext();) {
            const QString host = m.next().captured(1);
            QVERIFY2(host.contains(QRegularExpression(QStringLiteral("(google|googleapis|gstatic|gvt1)\\.com$"))),
                     qPrintable(host));
        }
    }

    void pdfWithEmbeddedFonts()
    {
        TestNotebook t;
        t.notebook().readDiary();
        QTemporaryDir out;
        const QString pdf = out.filePath(QStringLiteral("ももちゃん.pdf"));
        const Run exported = run(QStringLiteral(TECHO_PROGRAM),
                                 {QStringLiteral("--export-pdf"), pdf, QStringLiteral("--from"), QStringLiteral("1995/01/01"),
                                  QStringLiteral("--to"), QStringLiteral("1997/12/31"), t.dir()});
        QVERIFY2(exported.code == 0, qPrintable(exported.err));
        const Run fonts = run(tool("pdffonts"), {pdf});
        QCOMPARE(fonts.code, 0);
        const QStringList rows = fonts.out.split(u'\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!rows.isEmpty());
        for (const QString &row : rows) {
            QVERIFY2(row.startsWith(QLatin1String("IPA")), qPrintable(row));
            QVERIFY2(row.contains(QRegularExpression(QStringLiteral("\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+"))), qPrintable(row));
        }
        const Run text = run(tool("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        QCOMPARE(text.code, 0);
        QVERIFY(text.out.startsWith(QStringLiteral("ももちゃんの育児手帖")));
        QVERIFY(text.out.contains(QStringLiteral("1995年2月15日（水）")));
        QVERIFY(squeezed(text.out).contains(QStringLiteral("-2-"))); // the page numbers
        expectDaysInOrder(t.notebook(), text.out);
    }
};

QTEST_MAIN(YearbookBrowserTest)
#include "yearbook_browser_test.moc"
