#include "core/recipe_tools/recipe_print.h"

#include "core/files/notebook_folder.h"
#include "core/text/numbers.h"
#include "core/pictures/pictures.h"
#include "core/pictures/printer.h"

#include <QFontMetricsF>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QColor Black = QColor::fromRgb(0x000000), DarkBlue = QColor::fromRgb(0x000080),
             DarkGreen = QColor::fromRgb(0x008000), DarkCyan = QColor::fromRgb(0x008080),
             Purple = QColor::fromRgb(0x800080);
constexpr double TextPointSize = 12;
constexpr double MenuPointSize = 9;

// A printer pen that writes line under line from the top left of the page, as the layouts do:
// a line is as high as its font's size.
class LinePrinter
{
public:
    explicit LinePrinter(Printer &printer) : m_printer(printer), m_page(printer.pageSizeMm()) {}

    void setFont(const QString &face, double pointSize)
    {
        m_font = QFont(face);
        m_font.setPointSizeF(pointSize);
        m_printer.setFont(m_font);
    }
    void setColor(const QColor &c) { m_printer.setColor(c); }

    // A text holding line breaks prints as several lines.
    void print(const QString &text)
    {
        for (const QString &line : text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r"))))
            for (const QString &piece : fitToWidth(line))
                printLine(piece);
    }
    void emptyLines(int n)
    {
        for (int i = 0; i < n; ++i)
            printLine(QString());
    }

private:
    double lineMm() const { return m_font.pointSizeF() * 20 * MmPerTwip; }

    void printLine(const QString &line)
    {
        if (m_y > 0 && m_y + lineMm() > m_page.height()) {
            m_printer.newPage();
            m_y = 0;
        }
        if (!line.isEmpty())
            m_printer.drawText(QPointF(0, m_y), line);
        m_y += lineMm();
    }

    // The pieces of a line that each fit across the page.
    QStringList fitToWidth(const QString &line) const
    {
        const QFontMetricsF metrics(m_font);
        // The metrics are in pixels at their own resolution for a size given in points.
        const double pxPerMm = metrics.fontDpi() / 25.4;
        const double widthPx = m_page.width() * pxPerMm;
        QStringList pieces;
        QString rest = line;
        while (metrics.horizontalAdvance(rest) > widthPx) {
            qsizetype n = 1;
            while (n < rest.size() && metrics.horizontalAdvance(rest.left(n + 1)) <= widthPx)
                ++n;
            if (n < rest.size() && rest[n].isLowSurrogate())
                --n;
            if (n <= 0)
                break;
            pieces.append(rest.left(n));
            rest = rest.mid(n);
        }
        pieces.append(rest);
        return pieces;
    }

    Printer &m_printer;
    QSizeF m_page;
    QFont m_font;
    double m_y = 0;
};

QRectF twipsToMm(const QRectF &r, double k) { return {r.x() * k, r.y() * k, r.width() * k, r.height() * k}; }

} // namespace

QString recipeGothicFace() { return QStringLiteral("ＭＳ ゴシック"); }
QString recipePGothicFace() { return QStringLiteral("ＭＳ Ｐゴシック"); }

QRectF recipePictureRectMm() { return twipsToMm(QRectF(6500, 1000, 4000, 3000), MmPerTwip); }

void drawRecipeText(Printer &printer, const PrintedRecipe &r, const QImage &picture)
{
    if (!picture.isNull())
        printer.drawImage(recipePictureRectMm(), picture);
    const QString rule(47, u'-');
    LinePrinter out(printer);
    out.setColor(Black);
    out.setFont(recipeGothicFace(), TextPointSize);
    out.print(rule);
    out.setColor(DarkBlue);
    out.print(QStringLiteral("【料理名　】") + r.name);
    out.print(QStringLiteral("【月齢　　】") + r.stage);
    out.print(QStringLiteral("【種類　　】") + r.kind);
    out.print(QStringLiteral("【調理方法】") + r.method);
    out.print(QStringLiteral("【調理時間】") + r.time + QStringLiteral("分"));
    out.print(QStringLiteral("【参考　　】") + r.ref);
    out.setColor(Black);
    out.print(rule);
    out.emptyLines(1);
    out.setColor(DarkGreen);
    out.print(QStringLiteral("【材料】"));
    out.setColor(Black);
    out.print(r.ingredients);
    out.emptyLines(5);
    out.setFont(recipePGothicFace(), TextPointSize);
    out.setColor(DarkCyan);
    out.print(QStringLiteral("【作り方】"));
    out.setColor(Black);
    out.print(r.steps);
    out.emptyLines(2);
    out.setColor(Purple);
    out.print(QStringLiteral("【メモ】"));
    out.setColor(Black);
    out.print(r.memo);
}

MenuRange checkMenuRange(const QString &start, const QString &end, int recipeCount)
{
    MenuRange m{start, end};
    auto value = [](const QString &box) { return numericValue(asciiDigits(box)); };
    for (QString *box : {&m.start, &m.end})
        if (value(*box) < 1 || value(*box) > recipeCount)
            box->clear();
    if (!(value(m.end) >= value(m.start))) {
        m.start.clear();
        m.end.clear();
    }
    if (m.start.isEmpty() || m.end.isEmpty()) {
        m.focusStart = m.start.isEmpty();
        return m;
    }
    m.ok = true;
    m.first = toInt16Clamped(value(m.start));
    m.last = toInt16Clamped(value(m.end));
    return m;
}

MenuCell menuCell(int index)
{
    constexpr int PerPage = MenuColumns * MenuRows;
    MenuCell c;
    c.page = index / PerPage;
    c.row = index % PerPage / MenuColumns;
    c.column = index % MenuColumns;
    const double x = c.column * 3500.0, y = 200.0 + c.row * 3200.0;
    c.nameTwips = QPointF(x, y + 250);
    c.pictureTwips = QRectF(x, y + 500, 3400, 2550);
    return c;
}

double menuScale(const QSizeF &pageMm)
{
    const QRectF last = menuCell(MenuColumns * MenuRows - 1).pictureTwips;
    return std::min({MmPerTwip, pageMm.width() / last.right(), pageMm.height() / last.bottom()});
}

QSize menuPicturePixels() { return {600, 450}; }

void drawMenu(Printer &printer, const QStringList &names, int first, int last, const QString &face,
              const std::function<QImage(const QString &, QSize)> &picture)
{
    const double k = menuScale(printer.pageSizeMm());
    QFont font(face);
    font.setPointSizeF(MenuPointSize);
    printer.setFont(font);
    int page = 0;
    for (int p = first; p <= last; ++p) {
        const MenuCell cell = menuCell(p - first);
        if (cell.page != page) {
            printer.newPage();
            page = cell.page;
        }
        const QString &name = names[p - 1];
        const QImage image = picture(name, menuPicturePixels());
        printer.drawText(cell.nameTwips * k, QString::number(p) + QStringLiteral(" : ") + name);
        if (!image.isNull())
            printer.drawImage(twipsToMm(cell.pictureTwips, k), image);
    }
}

QImage MenuPictures::operator()(const QString &name, QSize size)
{
    if (!pictures::findPicture(m_folder, name).isEmpty()) {
        QString used;
        QImage image = pictures::loadPicture(m_folder, name, size, &used);
        if (used != pictures::placeholderName())
            return image;
    }
    if (m_placeholder.isNull())
        m_placeholder = pictures::loadScaled(m_folder.pathOf(pictures::placeholderName()), size);
    return m_placeholder;
}
