#include "core/book/yearbook.h"

#include "core/book/notebook.h"
#include "core/files/file_names.h"
#include "core/notebook/anniversary_store.h"
#include "core/pictures/picture_names.h"
#include "core/pictures/pictures.h"
#include "core/registers/album_captions.h"
#include "core/registers/milestones.h"
#include "core/registers/register_file.h"
#include "core/registers/vaccination_records.h"
#include "core/registers/vaccinations.h"
#include "core/text/cp932.h"
#include "core/text/dates.h"

#include <QUrl>

#include <algorithm>

namespace yearbook {

int Content::dayCount() const
{
    int n = 0;
    for (const Month &m : months)
        n += int(m.days.size());
    return n;
}

int Content::photoCount() const
{
    int n = 0;
    for (const Month &m : months)
        for (const Day &d : m.days)
            n += int(d.photos.size());
    for (const Album &a : albums)
        n += int(a.photos.size());
    return n;
}

namespace {

QDate dayDate(const Notebook &nb, int k)
{
    return parseStoredDate(nb.diary.day(k).date).value_or(QDate());
}

QDate birthOf(const Notebook &nb)
{
    if (const auto birth = parseStoredDate(nb.profile.birthDate))
        return *birth;
    return nb.diary.count() > 0 ? dayDate(nb, 1) : QDate();
}

QDate lastDay(const Notebook &nb)
{
    for (int k = nb.diary.count(); k >= 1; --k)
        if (const QDate d = dayDate(nb, k); d.isValid())
            return d;
    return QDate();
}

QDate firstDay(const Notebook &nb)
{
    for (int k = 1; k <= nb.diary.count(); ++k)
        if (const QDate d = dayDate(nb, k); d.isValid())
            return d;
    return QDate();
}

} // namespace

Period firstYear(const Notebook &notebook)
{
    const QDate birth = birthOf(notebook);
    if (!birth.isValid())
        return {};
    return {birth, birth.addYears(1).addDays(-1)};
}

Period lastYear(const Notebook &notebook)
{
    const QDate last = lastDay(notebook);
    if (!last.isValid())
        return {};
    return {last.addYears(-1).addDays(1), last};
}

Period wholeDiary(const Notebook &notebook)
{
    return {firstDay(notebook), lastDay(notebook)};
}

QString periodRefusal(QDate from, QDate to)
{
    if (!from.isValid() || !to.isValid())
        return QStringLiteral("期間の日付が正しくありません。");
    if (from > to)
        return QStringLiteral("期間の始め（%1）が終わり（%2）より後になっています。")
            .arg(japaneseDate(from), japaneseDate(to));
    return {};
}

Period askedPeriod(const Notebook &notebook, QDate from, QDate to, QString *refusal)
{
    const Period whole = wholeDiary(notebook);
    const QDate today = notebook.clock.today();
    const bool fromGiven = from.isValid(), toGiven = to.isValid();
    if (!fromGiven)
        from = whole.from.isValid() ? whole.from : today;
    if (!toGiven)
        to = whole.to.isValid() ? whole.to : today;
    refusal->clear();
    if (from > to) {
        // Say which end was not given, or the user sees a date never typed.
        const QString start =
            fromGiven ? japaneseDate(from) : QStringLiteral("日記の最初の日、%1").arg(japaneseDate(from));
        const QString end = toGiven              ? japaneseDate(to)
                            : whole.to.isValid() ? QStringLiteral("日記の最後の日、%1").arg(japaneseDate(to))
                                                 : QStringLiteral("今日、%1").arg(japaneseDate(to));
        *refusal = QStringLiteral("期間の始め（%1）が終わり（%2）より後になっています。").arg(start, end);
    }
    return {from, to};
}

QString japaneseDate(QDate date)
{
    static const char16_t *const weekdays[] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
    if (!date.isValid())
        return {};
    return QStringLiteral("%1年%2月%3日（%4）")
        .arg(date.year())
        .arg(date.month())
        .arg(date.day())
        .arg(QString::fromUtf16(weekdays[date.dayOfWeek() - 1]));
}

QString dayAgeText(QDate birth, QDate day)
{
    // The whole months since birth, then the days after them.
    const int months = completedMonths(birth, day);
    if (months < 0)
        return {};
    const qint64 days = birth.addMonths(months).daysTo(day);
    if (months == 0)
        return QStringLiteral("生後%1日").arg(days);
    if (months < 12)
        return QStringLiteral("生後%1か月%2日").arg(months).arg(days);
    return QStringLiteral("%1歳%2か月%3日").arg(months / 12).arg(months % 12).arg(days);
}

QString periodText(QDate from, QDate to)
{
    return japaneseDate(from) + QStringLiteral(" 〜 ") + japaneseDate(to);
}

QString escapeHtml(const QString &text, bool lineBreaks)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'&': out += QLatin1String("&amp;"); break;
        case u'<': out += QLatin1String("&lt;"); break;
        case u'>': out += QLatin1String("&gt;"); break;
        case u'"': out += QLatin1String("&quot;"); break;
        case u'\'': out += QLatin1String("&#39;"); break;
        case u'\r':
        case u'\n':
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += lineBreaks ? QLatin1String("<br>\n") : QLatin1String(" ");
            break;
        default:
            // Other control characters have no place in a page (a damaged file may hold them).
            if (c.unicode() < 0x20 && c != u'\t')
                out += u' ';
            else
                out += c;
        }
    }
    return out;
}

Content gather(Notebook &notebook, const Options &options)
{
    Content content;
    content.name = notebook.profile.nickname;
    content.from = options.from;
    content.to = options.to;
    const QDate birth = birthOf(notebook);
    const pictures::PictureIndex index(notebook.folder());
    auto monthOf = [&content](QDate d) -> Month & {
        // Days and anniversaries come in date order, so the month is the last one or a new one.
        if (content.months.isEmpty() || content.months.last().year != d.year() ||
            content.months.last().month != d.month())
            content.months.append(Month{d.year(), d.month(), {}, {}});
        return content.months.last();
    };
    QList<std::pair<QDate, QString>> anniversaries;
    if (options.anniversaries) {
        // Read without becoming the base of the anniversary list's next save.
        const AnniversaryRead read = parseAnniversaries(notebook.files.peek(anniversaryFileName()));
        for (const QString &entry : read.entries)
            if (const auto d = parseStoredDate(anniversarySortKey(entry));
                d && *d >= options.from && *d <= options.to)
                anniversaries.append({*d, entry});
        std::stable_sort(anniversaries.begin(), anniversaries.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
    }
    const int slotCount = options.photos == Options::Photos::All    ? 6
                      : options.photos == Options::Photos::Main ? 1
                                                                : 0;
    auto next = anniversaries.cbegin();
    for (const DiaryDay &dd : notebook.diary.days()) {
        const auto date = parseStoredDate(dd.date);
        if (!date || *date < options.from || *date > options.to)
            continue;
        for (; next != anniversaries.cend() && next->first <= *date; ++next)
            monthOf(next->first).anniversaries.append(next->second);
        Day day{*date, dayAgeText(birth, *date), dd.height, dd.weight, options.text ? dd.text : QString(), {}};
        if (!options.measures)
            day.height = day.weight = 0;
        for (int slot = 0; slot < slotCount; ++slot)
            if (const QString name = index.find(picture_names::dayPhotoKey(dd.date, slot)); !name.isEmpty())
                day.photos.append(name);
        monthOf(*date).days.append(day);
    }
    for (; next != anniversaries.cend(); ++next)
        monthOf(next->first).anniversaries.append(next->second);
    // A diary out of date order (an old file) still gives its months in order.
    std::stable_sort(content.months.begin(), content.months.end(), [](const Month &a, const Month &b) {
        return std::pair(a.year, a.month) < std::pair(b.year, b.month);
    });
    for (int i = int(content.months.size()) - 1; i > 0; --i) {
        Month &before = content.months[i - 1];
        if (before.year == content.months[i].year && before.month == content.months[i].month) {
            before.days += content.months[i].days;
            before.anniversaries += content.months[i].anniversaries;
            content.months.removeAt(i);
        }
    }
    if (options.chart)
        content.chart = chartOf(notebook, options.from, options.to);
    if (options.vaccinations)
        content.vaccinations = vaccinationLines(
            parseRegister(notebook.files.peek(vaccinationRecordsFileName()), vaccination_records::Fields)
                .records,
            options.from, options.to);
    if (options.milestones)
        content.milestones = milestoneLines(
            parseRegister(notebook.files.peek(milestonesFileName()), milestones::Fields).records,
            birthOf(notebook), options.from, options.to);
    // Read without becoming the base of the care log's next save, as the anniversaries are.
    content.careDayStartHour = options.careDayStartHour;
    content.rhythms = rhythmMonths(care::parse(notebook.files.peek(care::fileName())), options.from, options.to,
                                   options.careDayStartHour, notebook.clock.now());
    if (options.albums) {
        const AlbumCaptions captions =
            parseAlbumCaptions(cp932::decode(notebook.files.peek(albumCaptionsFileName())));
        const QStringList names = notebook.files.fileNames();
        for (int g = 1; g <= 4; ++g) {
            QStringList photos;
            for (const QString &name : picture_names::albumGroupFiles(names, g))
                if (index.readable(name))
                    photos.append(name);
            if (!photos.isEmpty())
                content.albums.append(
                    {captions[g - 1].isEmpty() ? QStringLiteral("アルバム%1").arg(g) : captions[g - 1], photos});
        }
    }
    return content;
}

QStringList vaccinationLines(const QList<QStringList> &records, QDate from, QDate to)
{
    QHash<QString, QString> names;
    for (const vaccinations::Dose &d : vaccinations::shippedTable().doses)
        names.insert(d.id, d.vaccine + u' ' + d.dose);
    QList<std::pair<QDate, QString>> lines;
    for (const vaccination_records::Entry &e : vaccination_records::entriesOf(records)) {
        const std::optional<QDate> on = parseStoredDate(e.date);
        if (!on || *on < from || *on > to)
            continue;
        QStringList where;
        if (!e.clinic.isEmpty())
            where.append(e.clinic);
        if (!e.lot.isEmpty())
            where.append(QStringLiteral("ロット ") + e.lot);
        if (!e.note.isEmpty())
            where.append(e.note);
        lines.append(
            {*on, japaneseDate(*on) + QStringLiteral("　") + names.value(e.doseId, e.doseId) +
                      (where.isEmpty() ? QString() : QStringLiteral("（%1）").arg(where.join(u'、')))});
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList out;
    for (const auto &line : lines)
        out.append(line.second);
    return out;
}

QStringList milestoneLines(const QList<QStringList> &records, QDate birth, QDate from, QDate to)
{
    QStringList out;
    for (const milestones::Entry &e : milestones::byDate(milestones::entriesOf(records))) {
        const std::optional<QDate> on = parseStoredDate(e.date);
        if (!on || *on < from || *on > to)
            continue;
        QStringList about;
        if (const QString age = ageText(birth, *on); !age.isEmpty())
            about.append(age);
        if (!e.note.isEmpty())
            about.append(e.note);
        out.append(japaneseDate(*on) + QStringLiteral("　") + e.what +
                   (about.isEmpty() ? QString() : QStringLiteral("（%1）").arg(about.join(u'、'))));
    }
    return out;
}

namespace {

QString pictureUrl(const QString &name)
{
    return QStringLiteral("photos/") + QString::fromLatin1(QUrl::toPercentEncoding(name));
}

void appendPhotos(QString &html, const QStringList &photos, const QHash<QString, QString> &renamed)
{
    if (photos.isEmpty())
        return;
    html += QLatin1String("<div class=\"photos\">");
    for (const QString &name : photos)
        html += QStringLiteral("<img src=\"%1\" alt=\"%2\">")
                    .arg(escapeHtml(pictureUrl(renamed.value(name, name))), escapeHtml(name));
    html += QLatin1String("</div>\n");
}

QString monthId(const Month &m)
{
    return QStringLiteral("m%1-%2").arg(m.year, 4, 10, QLatin1Char('0')).arg(m.month, 2, 10, QLatin1Char('0'));
}

QString rhythmId(const RhythmMonth &m)
{
    return QStringLiteral("r%1-%2").arg(m.year, 4, 10, QLatin1Char('0')).arg(m.month, 2, 10, QLatin1Char('0'));
}

} // namespace

QList<RhythmMonth> rhythmMonths(const QList<care::Entry> &entries, QDate from, QDate to, int dayStartHour,
                                const QDateTime &now)
{
    QList<std::pair<int, int>> months;
    for (const care::Entry &e : entries)
        if (e.date >= from && e.date <= to && !months.contains(std::pair(e.date.year(), e.date.month())))
            months.append({e.date.year(), e.date.month()});
    std::sort(months.begin(), months.end());
    QList<RhythmMonth> rhythms;
    for (const auto &[year, month] : months) {
        const QDate first = std::max(from, QDate(year, month, 1));
        const QDate last = std::min(to, QDate(year, month, first.daysInMonth()));
        rhythms.append({year, month, care::rhythmOf(entries, first, int(first.daysTo(last)) + 1, dayStartHour, now)});
    }
    return rhythms;
}

QString rhythmTitle(const RhythmMonth &m) { return QStringLiteral("生活リズム ") + monthTitle(m.year, m.month); }

QString rhythmPictureName(const RhythmMonth &m)
{
    return QStringLiteral("rhythm-%1-%2.png").arg(m.year, 4, 10, QLatin1Char('0')).arg(m.month, 2, 10, QLatin1Char('0'));
}

QString measuresText(const Day &day)
{
    QStringList parts;
    if (day.height > 0)
        parts << QStringLiteral("身長 %1 cm").arg(measureText(day.height));
    if (day.weight > 0)
        parts << QStringLiteral("体重 %1 g").arg(day.weight);
    return parts.join(QStringLiteral("　"));
}

QString bookTitle(const QString &name)
{
    return (name.isEmpty() ? QString() : name + QStringLiteral("の")) + QStringLiteral("育児手帖");
}

QString monthTitle(int year, int month)
{
    return QStringLiteral("%1年%2月").arg(year).arg(month);
}

QString htmlPage(const Content &content, const Options &options, bool withChart,
                 const QHash<QString, QString> &renamed)
{
    const QString title = bookTitle(content.name);
    QString html;
    html.reserve(256 * content.dayCount() + 4096);
    html += QStringLiteral("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
                           "<meta name=\"generator\" content=\"ikuji-techo\">\n"
                           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                           "<title>%1</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n<body>\n")
                .arg(escapeHtml(title));
    html += QStringLiteral("<header>\n<h1>%1</h1>\n<p class=\"period\">%2</p>\n</header>\n")
                .arg(escapeHtml(title), escapeHtml(periodText(content.from, content.to)));
    html += QStringLiteral("<nav>\n<h2>目次</h2>\n<ul>\n");
    if (withChart)
        html += QStringLiteral("<li><a href=\"#chart\">身長・体重グラフ</a></li>\n");
    for (const Month &m : content.months)
        html += QStringLiteral("<li><a href=\"#%1\">%2</a> <span class=\"count\">%3日分</span></li>\n")
                    .arg(monthId(m), monthTitle(m.year, m.month))
                    .arg(m.days.size());
    if (!content.vaccinations.isEmpty())
        html += QStringLiteral("<li><a href=\"#vaccinations\">予防接種</a></li>\n");
    if (!content.milestones.isEmpty())
        html += QStringLiteral("<li><a href=\"#milestones\">できたよ</a></li>\n");
    for (const RhythmMonth &r : content.rhythms)
        html += QStringLiteral("<li><a href=\"#%1\">%2</a></li>\n").arg(rhythmId(r), rhythmTitle(r));
    if (!content.albums.isEmpty())
        html += QStringLiteral("<li><a href=\"#albums\">アルバム</a></li>\n");
    html += QLatin1String("</ul>\n</nav>\n<main>\n");
    if (content.months.isEmpty())
        html += QStringLiteral("<p class=\"empty\">この期間の日記はありません。</p>\n");
    if (withChart)
        html += QStringLiteral("<section id=\"chart\" class=\"chart\">\n<h2>身長・体重グラフ</h2>\n"
                              "<img src=\"chart.png\" alt=\"身長・体重グラフ\">\n</section>\n");
    for (const Month &m : content.months) {
        html += QStringLiteral("<section id=\"%1\" class=\"month\">\n<h2>%2</h2>\n")
                    .arg(monthId(m), monthTitle(m.year, m.month));
        if (!m.anniversaries.isEmpty()) {
            html += QLatin1String("<ul class=\"anniversaries\">\n");
            for (const QString &a : m.anniversaries)
                html += QStringLiteral("<li>%1</li>\n").arg(escapeHtml(a));
            html += QLatin1String("</ul>\n");
        }
        for (const Day &d : m.days) {
            html += QStringLiteral("<article class=\"day\" id=\"d%1\">\n<h3>%2")
                        .arg(d.date.toString(QStringLiteral("yyyyMMdd")), japaneseDate(d.date));
            if (!d.age.isEmpty())
                html += QStringLiteral(" <span class=\"age\">%1</span>").arg(d.age);
            html += QLatin1String("</h3>\n");
            if (const QString measures = measuresText(d); !measures.isEmpty())
                html += QStringLiteral("<p class=\"measures\">%1</p>\n").arg(measures);
            if (options.text && !d.text.isEmpty())
                html += QStringLiteral("<p class=\"text\">%1</p>\n").arg(escapeHtml(d.text, true));
            appendPhotos(html, d.photos, renamed);
            html += QLatin1String("</article>\n");
        }
        html += QLatin1String("</section>\n");
    }
    if (!content.vaccinations.isEmpty()) {
        html += QStringLiteral("<section id=\"vaccinations\" class=\"month\">\n<h2>予防接種</h2>\n<ul>\n");
        for (const QString &line : content.vaccinations)
            html += QStringLiteral("<li>%1</li>\n").arg(escapeHtml(line));
        html += QLatin1String("</ul>\n</section>\n");
    }
    if (!content.milestones.isEmpty()) {
        html += QStringLiteral("<section id=\"milestones\" class=\"month\">\n<h2>できたよ</h2>\n<ul>\n");
        for (const QString &line : content.milestones)
            html += QStringLiteral("<li>%1</li>\n").arg(escapeHtml(line));
        html += QLatin1String("</ul>\n</section>\n");
    }
    for (const RhythmMonth &r : content.rhythms)
        html += QStringLiteral("<section id=\"%1\" class=\"chart\">\n<h2>%2</h2>\n<img src=\"%3\" alt=\"%2\">\n</section>\n")
                    .arg(rhythmId(r), rhythmTitle(r), rhythmPictureName(r));
    if (!content.albums.isEmpty()) {
        html += QStringLiteral("<section id=\"albums\" class=\"month\">\n<h2>アルバム</h2>\n");
        for (const Album &a : content.albums) {
            html += QStringLiteral("<h3>%1</h3>\n").arg(escapeHtml(a.caption));
            appendPhotos(html, a.photos, renamed);
        }
        html += QLatin1String("</section>\n");
    }
    html += QLatin1String("</main>\n</body>\n</html>\n");
    return html;
}

} // namespace yearbook
