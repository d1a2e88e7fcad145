#include "core/text/numbers.h"

#include <QList>
#include <QLocale>

#include <charconv>
#include <cmath>
#include <string>
#include <utility>

double numericValue(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    std::string run;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        run += char(text[i++].unicode());
    bool point = false;
    bool digits = false;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            run += char(c);
            digits = true;
        } else if (c == u'.' && !point) {
            run += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    // from_chars, unlike strtod, does not depend on the user's locale.
    double value = 0.0;
    const char *first = run.data();
    if (*first == '+')
        ++first;
    const std::errc error = std::from_chars(first, run.data() + run.size(), value).ec;
    // A number too large for a double (more than 309 digits) is as large as a double gets,
    // so that the 16-bit clamp still sees its sign.
    if (error == std::errc::result_out_of_range) {
        const std::string whole = run.substr(0, run.find('.'));
        const auto firstDigit = whole.find_first_of("123456789");
        const bool huge = firstDigit != std::string::npos && whole.size() - firstDigit > 300;
        value = !huge ? 0.0 : run[0] == '-' ? -HUGE_VAL : HUGE_VAL; // else too small: 0
    }
    return value;
}

QString asciiDigits(QStringView text)
{
    QString out = text.toString();
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if (u >= 0xFF10 && u <= 0xFF19)
            c = QChar(u'0' + (u - 0xFF10));
        else if (u == 0xFF0E)
            c = u'.';
        else if (u == 0xFF0C)
            c = u',';
        else if (u == 0xFF0B)
            c = u'+';
        else if (u == 0xFF0D || u == 0x2212)
            c = u'-';
        else if (u == 0x3000)
            c = u' ';
    }
    return out;
}

namespace {

// Where the leading number of an ASCII text starts (after blanks and a sign) and where its
// digits and commas end.
std::pair<qsizetype, qsizetype> digitRun(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype e = i;
    while (e < text.size() && ((text[e] >= u'0' && text[e] <= u'9') || text[e] == u','))
        ++e;
    return {i, e};
}

} // namespace

std::optional<QString> withoutGrouping(QStringView typed)
{
    const QString ascii = asciiDigits(typed);
    const auto [start, end] = digitRun(ascii);
    const QStringView run = QStringView(ascii).mid(start, end - start);
    if (!run.contains(u','))
        return ascii;
    // 1 to 3 digits, then groups of exactly three after each comma.
    const QList<QStringView> groups = run.split(u',');
    if (groups[0].isEmpty() || groups[0].size() > 3)
        return std::nullopt;
    for (qsizetype g = 1; g < groups.size(); ++g)
        if (groups[g].size() != 3)
            return std::nullopt;
    QString plain = ascii;
    plain.replace(start, end - start, run.toString().remove(u','));
    return plain;
}

double typedNumericValue(QStringView text)
{
    const std::optional<QString> plain = withoutGrouping(text);
    return numericValue(plain ? *plain : asciiDigits(text));
}

QString groupingMessage(const QString &caption)
{
    return QStringLiteral("「%1」の数字の区切り（,）が正しくありません。\r\n\r\n"
                          "3けたごとに区切るか（3,350）、区切らずに（3350）入力してください。")
        .arg(caption);
}

std::optional<qint16> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    double r = std::nearbyint(value); // the default rounding mode: halves to even
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return qint16(r);
}

qint16 toInt16Clamped(double value)
{
    if (std::isnan(value))
        return 0;
    double r = std::nearbyint(value);
    if (r < -32768.0)
        return -32768;
    if (r > 32767.0)
        return 32767;
    return qint16(r);
}

QString numberText(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return QStringLiteral("0");
    QString s = QString::number(value, 'f', QLocale::FloatingPointShortest);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    return s;
}

QString printedInteger(int value)
{
    return value < 0 ? QString::number(value) + u' ' : u' ' + QString::number(value) + u' ';
}
