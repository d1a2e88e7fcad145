#pragma once

#include "core/care/care_log.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <functional>

class Notebook;
class NotebookFolder;
class QPainter;
class QRectF;

// The yearbook: the diary of a period given back as a web page (a folder with index.html, a
// stylesheet and the pictures) or as a PDF, with the growth chart, the anniversaries of the
// period and the album pictures.
namespace yearbook {

struct Options {
    QDate from, to;
    bool text = true;    // the diary text
    bool measures = true; // height and weight
    enum class Photos { None, Main, All };
    Photos photos = Photos::Main;
    bool chart = true;
    bool anniversaries = true;
    bool albums = false;
    bool vaccinations = true; // the doses given in the period
    bool milestones = true;   // the firsts (できたよ) of the period
    bool smaller = false; // pictures scaled to at most MaxPictureSide on the long side
    QPageSize paper = QPageSize(QPageSize::A4);
    // An output that is there already is replaced (the question was asked); only an earlier
    // yearbook or an empty folder is ever replaced.
    bool replace = false;
    int careDayStartHour = 0; // where the care log's days start, for the rhythm charts
};

constexpr int MaxPictureSide = 1600;

struct Day {
    QDate date;
    QString age;           // 生後3か月12日, "" before the birth day
    double height = 0;     // to 0.1 cm, 0 = not entered
    qint16 weight = 0;
    QString text;          // the lines joined by CR LF
    QStringList photos;    // bare names in the notebook folder, the main photo first
};

struct Month {
    int year = 0, month = 0;
    QList<Day> days;
    QStringList anniversaries; // the entries of this month, as written ("2025/05/01 初めての寝返り")
};

struct Album {
    QString caption;
    QStringList photos;
};

// The growth chart of a period: the measured days only, as the day table holds them; the
// drawing joins them with straight lines.
struct ChartPoint {
    QDate date;
    double value = 0;
};
struct Chart {
    QDate from, to;            // the days across: the period, within the diary's first and last day
    QList<ChartPoint> weights; // g, in date order
    QList<ChartPoint> heights; // cm, in date order
};

// A month of the care log: its rhythm chart's rows, the days of the month inside the period.
struct RhythmMonth {
    int year = 0, month = 0;
    QList<care::RhythmRow> rows;
};

struct Content {
    QString name;   // the child's nickname
    QDate from, to;
    QList<Month> months; // only the months that hold a day or an anniversary
    QList<Album> albums; // the groups that hold a picture
    // The doses given in the period, in date order:
    // "2026年9月20日（日）　小児用肺炎球菌 1回目（さくら小児科、ロット AB12）".
    QStringList vaccinations;
    // The firsts of the period, in date order: "2026年5月12日（火）　寝返り（生後5か月12日、右から）".
    QStringList milestones;
    Chart chart;         // with options.chart, whether or not the measures are shown by day
    QList<RhythmMonth> rhythms; // only the months that hold a care-log entry
    int careDayStartHour = 0;
    int dayCount() const;
    int photoCount() const;
};

// The presets of the window: the first year from the birth day, the year up to the last day,
// and every day.
struct Period { QDate from, to; };
Period firstYear(const Notebook &notebook);
Period lastYear(const Notebook &notebook);
Period wholeDiary(const Notebook &notebook);
// The period asked for, an end not given (invalid) taken from the diary's first or last day
// (today for a notebook without days). A period that ends before it starts, however it came
// about, is refused: *refusal then says why, naming where each end came from.
Period askedPeriod(const Notebook &notebook, QDate from, QDate to, QString *refusal);
// Why a yearbook cannot be made of this period, "" when it can.
QString periodRefusal(QDate from, QDate to);

// 2025年5月1日（木）
QString japaneseDate(QDate date);
// 生後3か月12日 (生後12日 in the first month, 1歳2か月3日 from the first birthday); "" before birth.
QString dayAgeText(QDate birth, QDate day);
// ももちゃんの育児手帖 (育児手帖 without a name)
QString bookTitle(const QString &name);
// 2025年5月
QString monthTitle(int year, int month);
// 生活リズム 2025年5月, and its picture's name on the web page (rhythm-2025-05.png)
QString rhythmTitle(const RhythmMonth &m);
QString rhythmPictureName(const RhythmMonth &m);
// The care log's months inside from..to, each with its rhythm chart's rows.
QList<RhythmMonth> rhythmMonths(const QList<care::Entry> &entries, QDate from, QDate to, int dayStartHour,
                                const QDateTime &now);
// 身長 60 cm　体重 6000 g, leaving out what was not entered; "" for neither.
QString measuresText(const Day &day);
// 2025年5月1日（木）〜 2026年4月30日（木）
QString periodText(QDate from, QDate to);
// Text for HTML: & < > " ' as references; with lineBreaks, each line break (CR LF, CR or LF) a <br>.
QString escapeHtml(const QString &text, bool lineBreaks = false);

// What the period holds, by the options. Pictures are found by the same rule as everywhere.
Content gather(Notebook &notebook, const Options &options);

// The lines of Content::vaccinations from the records of 予防接種の記録.txt within from..to.
QStringList vaccinationLines(const QList<QStringList> &records, QDate from, QDate to);
// The lines of Content::milestones from the records of できたよ.txt within from..to.
QStringList milestoneLines(const QList<QStringList> &records, QDate birth, QDate from, QDate to);

// Draws the growth chart into a rectangle of a painter.
using ChartPainter = std::function<void(QPainter &, const QRectF &)>;
// The period's measured days (yearbook_chart.cpp).
Chart chartOf(const Notebook &notebook, QDate from, QDate to);
// The chart drawn into target: weight on the left axis, height on the right, each measured day
// a dot, the dots of each measure joined by one straight polyline (weights drawn first), the
// axes fitted to the period's values.
void drawChart(QPainter &painter, const QRectF &target, const Chart &chart);
ChartPainter chartPainter(const Chart &chart);
// A round axis range around lo..hi with about `ticks` steps: the step 1, 2 or 5 times a power
// of ten; lo and hi lie inside.
struct AxisRange {
    double min = 0, max = 1, step = 1;
};
AxisRange axisRange(double lo, double hi, int ticks = 5);
// Told after each step of the work (done of total); false cancels.
using Progress = std::function<bool(int done, int total)>;

struct Result {
    bool ok = false;
    bool cancelled = false;
    QString error;   // a sentence for the user when neither ok nor cancelled
    int files = 0;   // files written
    qint64 bytes = 0;
};

// The web page into the folder outDir, which must not exist yet: everything is written into
// a temporary folder beside it, which takes outDir's name only when the whole page is written.
// Cancelled or failed, nothing is left.
Result writeHtml(const Content &content, const NotebookFolder &folder, const QString &outDir,
                 const Options &options, const ChartPainter &chart, const Progress &progress = {});
// The PDF into outFile (replaced only when the whole file is written).
Result writePdf(const Content &content, const NotebookFolder &folder, const QString &outFile,
                const Options &options, const ChartPainter &chart, const Progress &progress = {});

// index.html's text alone: the pictures under photos/ by their names (or by the name renamed
// gives them), the chart as chart.png.
QString htmlPage(const Content &content, const Options &options, bool withChart,
                 const QHash<QString, QString> &renamed = {});
// Whether dir holds a yearbook this program wrote (its index.html says so), or nothing.
bool replaceable(const QString &dir);

} // namespace yearbook
