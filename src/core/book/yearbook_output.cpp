#include "core/book/yearbook.h"

#include "core/backup/stale_temporaries.h"
#include "core/care/care_chart.h"
#include "core/text/fonts.h"
#include "core/files/disk_sync.h"
#include "core/files/notebook_folder.h"
#include "core/pictures/pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextLayout>

#include <filesystem>

namespace yearbook {

namespace {

const char *const styleSheet = R"(body {
  font-family: "IPAPGothic", "IPAGothic", "Hiragino Kaku Gothic ProN", "Yu Gothic", "Meiryo", sans-serif;
  margin: 0 auto; max-width: 60em; padding: 1em; color: #333; background: #fffdf8; line-height: 1.6;
}
header { text-align: center; margin: 2em 0; }
h1 { font-size: 2em; margin: 0; }
.period { color: #666; }
nav ul { columns: 3; list-style: none; padding: 0; }
nav .count { color: #888; font-size: 0.85em; }
h2 { border-bottom: 2px solid #e8b4b8; padding-bottom: 0.2em; }
h3 { font-size: 1.1em; margin: 1.2em 0 0.3em; }
.age { font-weight: normal; color: #777; font-size: 0.9em; margin-left: 0.6em; }
.measures { color: #555; margin: 0.2em 0; }
.text { margin: 0.3em 0 0.6em; }
.anniversaries { background: #fff3e6; padding: 0.5em 0.5em 0.5em 2em; }
.photos { display: flex; flex-wrap: wrap; gap: 0.5em; }
.photos img { max-width: 31%; max-height: 16em; object-fit: contain; }
.chart img { width: 100%; height: auto; }
article.day { break-inside: avoid; page-break-inside: avoid; }
@media print {
  body { background: none; max-width: none; }
  nav { break-after: page; page-break-after: always; }
  section.month, section.chart { break-before: page; page-break-before: always; }
}
)";

QString failed(const QString &what, const QString &why)
{
    return QStringLiteral("%1 を書き出せませんでした（%2）。").arg(what, why);
}

// A picture too large for the smaller page comes out as a JPEG under the name it is given.
bool needsScaling(const QString &path, QSize *size)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    *size = reader.size();
    return size->isValid() && std::max(size->width(), size->height()) > MaxPictureSide;
}

// A month's rhythm chart for the web page: a row of 28 pixels a day across 1400.
QImage rhythmPicture(const RhythmMonth &m, int dayStartHour)
{
    return care::chartImage(QSize(1400, 120 + 28 * int(m.rows.size())), [&](QPainter &painter, const QRectF &r) {
        care::drawRhythm(painter, r.adjusted(10, 10, -10, -10), m.rows, dayStartHour, care::chartFont(22));
    });
}

struct Writer {
    const Progress &progress;
    int done = 0, total = 0;
    bool step() { return !progress || progress(++done, total); }
};

} // namespace

bool replaceable(const QString &dir)
{
    const QDir d(dir);
    if (d.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        return true;
    QFile index(d.filePath(QStringLiteral("index.html")));
    return index.open(QIODevice::ReadOnly) &&
           index.read(4096).contains("<meta name=\"generator\" content=\"ikuji-techo\">");
}

Result writeHtml(const Content &content, const NotebookFolder &folder, const QString &outDir,
                 const Options &options, const ChartPainter &chart, const Progress &progress)
{
    Result result;
    if (result.error = periodRefusal(content.from, content.to); !result.error.isEmpty())
        return result;
    const QFileInfo target(outDir);
    const QString name = target.fileName();
    if (name.isEmpty()) {
        result.error = QStringLiteral("書き出し先のフォルダー名がありません。");
        return result;
    }
    const bool exists = target.exists() || target.isSymLink();
    if (exists && !(options.replace && target.isDir() && replaceable(outDir))) {
        result.error = options.replace
                           ? QStringLiteral("%1 は育児手帖の書き出しではないため、置き換えません。別のフォルダーを選んでください。")
                                 .arg(QDir::toNativeSeparators(outDir))
                           : QStringLiteral("%1 はすでにあります。").arg(QDir::toNativeSeparators(outDir));
        return result;
    }
    const QString parent = target.absolutePath();
    if (!QDir().mkpath(parent)) {
        result.error = failed(QDir::toNativeSeparators(parent), QStringLiteral("フォルダーを作れません"));
        return result;
    }
    temporaries::removeYearbookFolders(parent, name); // what killed exports left here
    // Written beside the target, on the same disk, so that the last step is a rename.
    QTemporaryDir temp(parent + QStringLiteral("/.") + name + QStringLiteral("-XXXXXX"));
    if (!temp.isValid() || !QDir(temp.path()).mkdir(QStringLiteral("photos"))) {
        result.error = failed(QDir::toNativeSeparators(outDir), temp.errorString());
        return result;
    }
    const bool withChart = options.chart && chart;
    Writer w{progress, 0, content.photoCount() + 2 + int(content.rhythms.size())};
    QHash<QString, QString> renamed;
    auto copyPhoto = [&](const QString &photo) -> QString {
        const QString source = folder.dir() + u'/' + photo;
        QSize size;
        if (options.smaller && needsScaling(source, &size)) {
            const QString jpg = photo.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) ? photo
                                                                                              : photo + QStringLiteral(".jpg");
            QImageReader reader(source);
            reader.setAutoTransform(true);
            reader.setScaledSize(size.scaled(MaxPictureSide, MaxPictureSide, Qt::KeepAspectRatio));
            const QImage image = reader.read();
            if (image.isNull() || !image.save(temp.path() + QStringLiteral("/photos/") + jpg, "JPEG", 88))
                return failed(photo, image.isNull() ? reader.errorString() : QStringLiteral("書き込めません"));
            if (jpg != photo)
                renamed.insert(photo, jpg);
            return {};
        }
        // A plain copy: the folder is synced once before it takes its name, not once per photo.
        std::error_code error;
        std::filesystem::copy_file(
            QFile::encodeName(source).constData(),
            QFile::encodeName(temp.path() + QStringLiteral("/photos/") + photo).constData(), error);
        return error ? failed(photo, QString::fromLocal8Bit(error.message())) : QString();
    };
    QSet<QString> copied;
    auto copyAll = [&](const QStringList &photos) -> bool {
        for (const QString &photo : photos) {
            if (!copied.contains(photo)) {
                if (result.error = copyPhoto(photo); !result.error.isEmpty())
                    return false;
                copied.insert(photo);
            }
            if (!w.step()) {
                result.cancelled = true;
                return false;
            }
        }
        return true;
    };
    for (const Month &m : content.months)
        for (const Day &d : m.days)
            if (!copyAll(d.photos))
                return result;
    for (const Album &a : content.albums)
        if (!copyAll(a.photos))
            return result;
    if (withChart) {
        QImage image(1400, 840, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            chart(painter, QRectF(image.rect()));
        }
        if (!image.save(temp.path() + QStringLiteral("/chart.png"), "PNG")) {
            result.error = failed(QStringLiteral("chart.png"), QStringLiteral("書き込めません"));
            return result;
        }
    }
    if (!w.step()) {
        result.cancelled = true;
        return result;
    }
    for (const RhythmMonth &r : content.rhythms) {
        const QImage image = rhythmPicture(r, content.careDayStartHour);
        if (!image.save(temp.path() + u'/' + rhythmPictureName(r), "PNG")) {
            result.error = failed(rhythmPictureName(r), QStringLiteral("書き込めません"));
            return result;
        }
        if (!w.step()) {
            result.cancelled = true;
            return result;
        }
    }
    const QList<std::pair<QString, QByteArray>> pages = {
        {QStringLiteral("index.html"), htmlPage(content, options, withChart, renamed).toUtf8()},
        {QStringLiteral("style.css"), QByteArray(styleSheet)}};
    for (const auto &[file, bytes] : pages) {
        QFile out(temp.path() + u'/' + file);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush()) {
            result.error = failed(file, out.errorString());
            return result;
        }
    }
    if (!w.step()) {
        result.cancelled = true;
        return result;
    }
    // The new yearbook is whole on the disk before it takes its name.
    if (const QString why = syncToDisk(temp.path()); !why.isEmpty()) {
        result.error = failed(QDir::toNativeSeparators(outDir), why);
        return result;
    }
    // The earlier yearbook steps aside, the new one takes its name, and only then is it removed.
    QString old;
    if (exists) {
        old = parent + QStringLiteral("/.") + name + QStringLiteral("-old");
        QDir(old).removeRecursively();
        if (!QDir().rename(outDir, old)) {
            result.error = failed(QDir::toNativeSeparators(outDir), QStringLiteral("前の書き出しを移せません"));
            return result;
        }
    }
    if (!QDir().rename(temp.path(), outDir)) {
        if (!old.isEmpty())
            QDir().rename(old, outDir);
        result.error = failed(QDir::toNativeSeparators(outDir), QStringLiteral("名前を付けられません"));
        return result;
    }
    temp.setAutoRemove(false);
    if (!old.isEmpty())
        QDir(old).removeRecursively();
    result.ok = true;
    result.files = int(copied.size()) + int(pages.size()) + (withChart ? 1 : 0) + int(content.rhythms.size());
    QDir photosDir(outDir + QStringLiteral("/photos"));
    for (const QFileInfo &info : QDir(outDir).entryInfoList(QDir::Files) + photosDir.entryInfoList(QDir::Files))
        result.bytes += info.size();
    return result;
}

namespace {

// The PDF's pages: a cursor down the page, a new page (with its number) when the next piece
// does not fit.
class PdfLayout
{
public:
    PdfLayout(QPdfWriter &pdf, QPainter &painter) : m_pdf(pdf), m_painter(painter)
    {
        m_area = QRectF(QPointF(0, 0), QSizeF(painter.viewport().size()));
        m_area.setBottom(m_area.bottom() - footerHeight());
        m_y = m_area.top();
    }

    qreal width() const { return m_area.width(); }
    qreal left() const { return m_area.left(); }
    qreal mm(qreal millimetres) const { return millimetres * m_pdf.resolution() / 25.4; }
    QFont font(qreal points, bool bold = false) const
    {
        QFont f(QString::fromLatin1(japaneseGothicFamily()));
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }

    void newPage()
    {
        numberPage();
        m_pdf.newPage();
        ++m_page;
        m_y = m_area.top();
    }
    void finish() { numberPage(); }
    // Room for h more on this page, on a new page when not (and when this one holds anything).
    void need(qreal h)
    {
        if (m_y + h > m_area.bottom() && m_y > m_area.top())
            newPage();
    }
    qreal take(qreal h)
    {
        need(h);
        const qreal y = m_y;
        m_y += h;
        return y;
    }
    void skip(qreal h) { m_y = std::min(m_y + h, m_area.bottom()); }
    qreal remaining() const { return m_area.bottom() - m_y; }

    // Text wrapped to the width, broken between pages only between lines.
    void paragraph(const QString &text, const QFont &f, const QColor &colour = Qt::black)
    {
        m_painter.setFont(f);
        m_painter.setPen(colour);
        const QStringList lines = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                      .replace(u'\r', u'\n')
                                      .split(u'\n');
        for (const QString &line : lines) {
            QTextLayout layout(line.isEmpty() ? QStringLiteral(" ") : line, f, &m_pdf);
            layout.beginLayout();
            for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine())
                l.setLineWidth(width());
            layout.endLayout();
            for (int i = 0; i < layout.lineCount(); ++i) {
                const QTextLine l = layout.lineAt(i);
                const qreal y = take(l.height());
                l.draw(&m_painter, QPointF(left(), y - l.y()));
            }
        }
    }

    bool titlePage = true; // the first page carries no number

private:
    qreal footerHeight() const { return mm(10); }
    void numberPage()
    {
        if (titlePage) {
            titlePage = false;
            return;
        }
        m_painter.setFont(font(9));
        m_painter.setPen(Qt::darkGray);
        const QRectF footer(m_area.left(), m_area.bottom(), m_area.width(), footerHeight());
        m_painter.drawText(footer, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("- %1 -").arg(m_page));
    }

    QPdfWriter &m_pdf;
    QPainter &m_painter;
    QRectF m_area;
    qreal m_y = 0;
    int m_page = 1;
};

// A row of up to three pictures, each scaled to fit its cell (decoded near the size it prints at).
void drawPhotoRow(PdfLayout &page, QPainter &painter, const NotebookFolder &folder, const QStringList &row)
{
    const qreal gap = page.mm(3);
    const qreal cellW = (page.width() - 2 * gap) / 3;
    const qreal cellH = cellW * 3 / 4;
    const qreal y = page.take(cellH + gap);
    for (int i = 0; i < row.size(); ++i) {
        const QRectF cell(page.left() + i * (cellW + gap), y, cellW, cellH);
        // 150 dots an inch is enough for a photo on paper and keeps the file small.
        const QSize pixels = (cell.size() * 150 / 300).toSize();
        const QImage image = pictures::loadScaled(folder.dir() + u'/' + row[i], pixels);
        if (image.isNull())
            continue;
        QSizeF fit = QSizeF(image.size()).scaled(cell.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRectF(cell.topLeft() + QPointF((cellW - fit.width()) / 2, 0), fit), image);
    }
}

void drawPhotos(PdfLayout &page, QPainter &painter, const NotebookFolder &folder, const QStringList &photos)
{
    for (int i = 0; i < photos.size(); i += 3)
        drawPhotoRow(page, painter, folder, photos.mid(i, 3));
}

} // namespace

Result writePdf(const Content &content, const NotebookFolder &folder, const QString &outFile,
                const Options &options, const ChartPainter &chart, const Progress &progress)
{
    Result result;
    if (result.error = periodRefusal(content.from, content.to); !result.error.isEmpty())
        return result;
    if (QFileInfo::exists(outFile) && !options.replace) {
        result.error = QStringLiteral("%1 はすでにあります。").arg(QDir::toNativeSeparators(outFile));
        return result;
    }
    QDir().mkpath(QFileInfo(outFile).absolutePath());
    QSaveFile file(outFile);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = failed(QDir::toNativeSeparators(outFile), file.errorString());
        return result;
    }
    const QString title = bookTitle(content.name);
    Writer w{progress, 0, content.dayCount() + int(content.albums.size()) + 1 + int(content.rhythms.size())};
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("育児手帖"));
        pdf.setResolution(300);
        pdf.setPageSize(options.paper);
        pdf.setPageMargins(QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
        QPainter painter(&pdf);
        PdfLayout page(pdf, painter);

        // The title page: the name and the period in the middle.
        page.skip(page.remaining() / 3);
        page.paragraph(title, page.font(28, true));
        page.skip(page.mm(8));
        page.paragraph(periodText(content.from, content.to), page.font(14), Qt::darkGray);
        page.skip(page.mm(4));
        page.paragraph(QStringLiteral("%1日分の日記").arg(content.dayCount()), page.font(12), Qt::darkGray);

        if (options.chart && chart) {
            page.newPage();
            page.paragraph(QStringLiteral("身長・体重グラフ"), page.font(16, true));
            page.skip(page.mm(4));
            const qreal h = std::min(page.remaining(), page.width() * 0.65);
            const qreal y = page.take(h);
            // Drawn at a screen's size and scaled onto the page, so its texts keep their size
            // beside the lines.
            painter.save();
            const qreal scale = page.width() / 1000;
            painter.translate(page.left(), y);
            painter.scale(scale, scale);
            chart(painter, QRectF(0, 0, 1000, h / scale));
            painter.restore();
        }
        if (!w.step()) {
            result.cancelled = true;
        }
        if (content.months.isEmpty() && !result.cancelled) {
            page.newPage();
            page.paragraph(QStringLiteral("この期間の日記はありません。"), page.font(11));
        }
        for (const Month &m : content.months) {
            if (result.cancelled)
                break;
            page.newPage();
            page.paragraph(monthTitle(m.year, m.month), page.font(18, true));
            page.skip(page.mm(3));
            for (const QString &a : m.anniversaries)
                page.paragraph(QStringLiteral("◆ ") + a, page.font(10.5), QColor(160, 80, 40));
            for (const Day &d : m.days) {
                page.need(page.mm(14));
                page.skip(page.mm(3));
                page.paragraph(japaneseDate(d.date) + (d.age.isEmpty() ? QString() : QStringLiteral("　") + d.age),
                               page.font(12, true));
                if (const QString measures = measuresText(d); !measures.isEmpty())
                    page.paragraph(measures, page.font(10), Qt::darkGray);
                if (!d.text.isEmpty())
                    page.paragraph(d.text, page.font(10.5));
                drawPhotos(page, painter, folder, d.photos);
                if (!w.step()) {
                    result.cancelled = true;
                    break;
                }
            }
        }
        if (!content.vaccinations.isEmpty() && !result.cancelled) {
            page.newPage();
            page.paragraph(QStringLiteral("予防接種"), page.font(18, true));
            page.skip(page.mm(3));
            for (const QString &line : content.vaccinations)
                page.paragraph(line, page.font(10.5));
        }
        if (!content.milestones.isEmpty() && !result.cancelled) {
            page.newPage();
            page.paragraph(QStringLiteral("できたよ"), page.font(18, true));
            page.skip(page.mm(3));
            for (const QString &line : content.milestones)
                page.paragraph(line, page.font(10.5));
        }
        for (const RhythmMonth &r : content.rhythms) {
            if (result.cancelled)
                break;
            page.newPage();
            page.paragraph(rhythmTitle(r), page.font(18, true));
            page.skip(page.mm(4));
            // Drawn straight onto the page, at a screen's size scaled to the page's width.
            const qreal h = std::min(page.remaining(), page.width() * (0.1 + 0.028 * r.rows.size()));
            const qreal y = page.take(h);
            painter.save();
            const qreal scale = page.width() / 1000;
            painter.translate(page.left(), y);
            painter.scale(scale, scale);
            care::drawRhythm(painter, QRectF(0, 0, 1000, h / scale), r.rows, content.careDayStartHour,
                             care::chartFont(16));
            painter.restore();
            if (!w.step())
                result.cancelled = true;
        }
        if (!content.albums.isEmpty() && !result.cancelled) {
            page.newPage();
            page.paragraph(QStringLiteral("アルバム"), page.font(18, true));
            for (const Album &a : content.albums) {
                page.skip(page.mm(3));
                page.paragraph(a.caption, page.font(12, true));
                drawPhotos(page, painter, folder, a.photos);
                if (!w.step()) {
                    result.cancelled = true;
                    break;
                }
            }
        }
        page.finish();
    }
    if (result.cancelled) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.error = failed(QDir::toNativeSeparators(outFile), file.errorString());
        return result;
    }
    result.ok = true;
    result.files = 1;
    result.bytes = QFileInfo(outFile).size();
    return result;
}

} // namespace yearbook
