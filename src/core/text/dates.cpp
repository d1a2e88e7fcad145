#include "core/text/dates.h"

#include <QRegularExpression>

QString dateText(QDate date)
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return date.toString(QStringLiteral("yyyy/MM/dd"));
    // Written out digit by digit: the date lists fill with many of these at once.
    const int y = date.year(), m = date.month(), d = date.day();
    const char16_t text[] = {char16_t(u'0' + y / 1000),
                             char16_t(u'0' + y / 100 % 10),
                             char16_t(u'0' + y / 10 % 10),
                             char16_t(u'0' + y % 10),
                             u'/',
                             char16_t(u'0' + m / 10),
                             char16_t(u'0' + m % 10),
                             u'/',
                             char16_t(u'0' + d / 10),
                             char16_t(u'0' + d % 10)};
    return QString(reinterpret_cast<const QChar *>(text), 10);
}

int completedMonths(QDate birth, QDate on)
{
    if (!birth.isValid() || !on.isValid() || on < birth)
        return -1;
    int months = (on.year() - birth.year()) * 12 + on.month() - birth.month();
    if (birth.addMonths(months) > on)
        --months;
    return months;
}

QString ageText(QDate birth, QDate on)
{
    const int months = completedMonths(birth, on);
    if (months < 0)
        return {};
    const qint64 days = birth.addMonths(months).daysTo(on);
    if (months < 12)
        return QStringLiteral("生後%1か月%2日").arg(months).arg(days);
    return QStringLiteral("%1歳%2か月%3日").arg(months / 12).arg(months % 12).arg(days);
}

std::optional<QDate> parseStoredDate(QStringView text)
{
    if (text.size() != 10 || text[4] != u'/' || text[7] != u'/')
        return std::nullopt;
    int digits[10] = {};
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
        digits[i] = text[i].unicode() - u'0';
    }
    const QDate d(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3], digits[5] * 10 + digits[6],
                  digits[8] * 10 + digits[9]);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

namespace {

// Full-width digits, letters and separators to their ASCII forms; blanks removed.
QString narrowed(QStringView text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            u = char16_t(u - 0xFEE0);
        else if (u == 0x3000 || u == u'\t')
            u = u' ';
        else if (u == 0x2212 || u == 0x30FC || u == 0x2010 || u == 0x2015 || u == 0x2014)
            u = u'-';
        if (u != u' ')
            s += QChar(u);
    }
    return s;
}

struct Era {
    const char16_t *name;
    char16_t letter;
    int firstYear; // the Gregorian year of the era's year 1
    QDate start;
};

} // namespace

std::optional<QDate> parseTypedDate(QStringView text, QDate today)
{
    static const Era eras[] = {
        {u"令和", u'R', 2019, QDate(2019, 5, 1)},
        {u"平成", u'H', 1989, QDate(1989, 1, 8)},
        {u"昭和", u'S', 1926, QDate(1926, 12, 25)},
    };
    // The stored form, as every register line holds it, needs none of the rules below.
    if (const std::optional<QDate> stored = parseStoredDate(text))
        return stored;
    QString s = narrowed(text);
    if (s.isEmpty())
        return std::nullopt;

    const Era *era = nullptr;
    for (const Era &e : eras) {
        QString name = QString::fromUtf16(e.name);
        if (s.startsWith(name)) {
            era = &e;
            s = s.mid(name.size());
            break;
        }
        if (s[0].toUpper() == QChar(e.letter) && s.size() > 1 && (s[1].isDigit() || s[1] == u'元')) {
            era = &e;
            s = s.mid(1);
            break;
        }
    }
    if (era && s.startsWith(u'元'))
        s.replace(0, 1, QStringLiteral("1"));

    static const QRegularExpression kanjiForm(QStringLiteral(R"(^(?:(\d{1,4})年)?(\d{1,2})月(\d{1,2})日?$)"));
    static const QRegularExpression numericForm(
        QStringLiteral(R"(^(?:(\d{1,4})([/.\-]))?(\d{1,2})([/.\-])(\d{1,2})$)"));

    QString y, m, d;
    if (auto k = kanjiForm.match(s); k.hasMatch()) {
        y = k.captured(1);
        m = k.captured(2);
        d = k.captured(3);
    } else if (auto n = numericForm.match(s); n.hasMatch()) {
        if (!n.captured(1).isEmpty() && n.captured(2) != n.captured(4))
            return std::nullopt; // mixed separators such as 2002/2-18
        y = n.captured(1);
        m = n.captured(3);
        d = n.captured(5);
    } else {
        return std::nullopt;
    }

    int year;
    if (y.isEmpty()) {
        if (era)
            return std::nullopt;
        year = today.year();
    } else if (era) {
        year = era->firstYear + y.toInt() - 1;
        if (y.toInt() < 1)
            return std::nullopt;
    } else if (y.size() == 4) {
        year = y.toInt();
    } else {
        return std::nullopt; // a two- or three-digit year is too ambiguous to guess
    }
    if (year < 1 || year > 9999)
        return std::nullopt;
    QDate date(year, m.toInt(), d.toInt());
    if (!date.isValid())
        return std::nullopt;
    if (era && date < era->start)
        return std::nullopt;
    return date;
}
