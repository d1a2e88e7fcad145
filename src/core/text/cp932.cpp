#include "core/text/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <mutex>
#include <vector>

namespace cp932 {
namespace {

constexpr char16_t EscapeBase = 0xF700;

bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Tables built once from glibc's CP932 converter: decoding by table is what keeps reading a
// capacity file fast; iconv remains the authority on what each code means.
struct Tables {
    std::array<char16_t, 256> single{};       // 0 = not a character on its own
    std::array<char16_t, 65536> pair{};       // lead << 8 | trail -> UTF-16, 0 = invalid
    std::array<quint16, 65536> fromUnicode{}; // UTF-16 unit -> bytes (0 = ask iconv)
    std::array<bool, 65536> fromUnicodeKnown{};

    Tables()
    {
        iconv_t cd = iconv_open("UTF-16LE", "CP932");
        auto decodeOne = [&](const char *in, size_t len) -> char16_t {
            char buf[8];
            char *inp = const_cast<char *>(in);
            char *outp = buf;
            size_t inLeft = len, outLeft = sizeof buf;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == size_t(-1) || inLeft != 0)
                return 0;
            if (sizeof buf - outLeft != 2)
                return 0;
            return char16_t(quint8(buf[0]) | quint8(buf[1]) << 8);
        };
        for (int b = 0; b < 256; ++b) {
            if (isLeadByte(quint8(b)))
                continue;
            char c = char(b);
            char16_t u = decodeOne(&c, 1);
            single[b] = (u == 0 && b != 0) ? 0 : u;
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(quint8(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (!isTrailByte(quint8(trail)))
                    continue;
                char in[2] = {char(lead), char(trail)};
                pair[lead << 8 | trail] = decodeOne(in, 2);
            }
        }
        iconv_close(cd);
        // Reverse direction: the first code that decodes to a character is not always
        // the one Windows writes (NEC and IBM duplicates), so leave the choice to iconv. Only
        // the characters some code decodes to are asked: any other is refused by
        // keepOnlyRoundTrips anyway (the look-alikes take their partner's code there).
        std::vector<bool> decodable(65536, false);
        decodable[0] = true;
        for (int b = 0; b < 256; ++b)
            decodable[single[b]] = true;
        for (int code = 0x8100; code < 0x10000; ++code)
            decodable[pair[code]] = true;
        cd = iconv_open("CP932", "UTF-16LE");
        for (int u = 0; u < 65536; ++u) {
            if (!decodable[u])
                continue;
            char in[2] = {char(u & 0xFF), char(u >> 8)};
            char out[4];
            char *inp = in, *outp = out;
            size_t inLeft = 2, outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == size_t(-1))
                continue;
            size_t n = sizeof out - outLeft;
            if (n == 1) {
                fromUnicode[u] = quint8(out[0]);
                fromUnicodeKnown[u] = true;
            } else if (n == 2) {
                fromUnicode[u] = quint16(quint8(out[0]) << 8 | quint8(out[1]));
                fromUnicodeKnown[u] = true;
            }
        }
        iconv_close(cd);
        keepOnlyRoundTrips();
    }

    // What a code reads back as.
    char16_t decoded(quint16 code) const { return code > 0xFF ? pair[code] : single[code]; }

    // A character is written only as a code that reads back as itself, or as the look-alike
    // that Japanese Windows has always put in its place (the wave dash as the full-width
    // tilde, the yen sign as the full-width yen sign, ...). glibc writes some characters as
    // codes that read back as others (¥ as the backslash's byte, ‾ as the tilde's): those go
    // to their look-alike, and any other character without a round trip is refused.
    void keepOnlyRoundTrips()
    {
        static const std::pair<char16_t, char16_t> lookAlikes[] = {
            {0x301C, 0xFF5E}, // 〜 -> ～
            {0x2212, 0xFF0D}, // − -> －
            {0x00A5, 0xFFE5}, // ¥ -> ￥
            {0x203E, 0xFFE3}, // ‾ -> ￣
            {0x2016, 0x2225}, // ‖ -> ∥
            {0x2014, 0x2015}, // — -> ―
            {0x00A2, 0xFFE0}, // ¢ -> ￠
            {0x00A3, 0xFFE1}, // £ -> ￡
            {0x00AC, 0xFFE2}, // ¬ -> ￢
        };
        for (auto [from, to] : lookAlikes)
            if (fromUnicodeKnown[to] && decoded(fromUnicode[to]) == to) {
                fromUnicode[from] = fromUnicode[to];
                fromUnicodeKnown[from] = true;
            }
        for (int u = 0x80; u < 65536; ++u) {
            if (!fromUnicodeKnown[u] || decoded(fromUnicode[u]) == u)
                continue;
            const bool lookAlike = std::any_of(std::begin(lookAlikes), std::end(lookAlikes),
                                               [u](auto p) { return p.first == u; });
            fromUnicodeKnown[u] = lookAlike;
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

namespace {

// Valid UTF-8 holding at least one character beyond ASCII. CP932 Japanese text is almost
// never that: its lead bytes 81-9F and its half-width kana cannot start a UTF-8 sequence.
bool isUtf8Text(const QByteArray &bytes)
{
    bool beyondAscii = false;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        const int follow = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 && b >= 0xC2 ? 1 : (b & 0xF0) == 0xE0 ? 2
                                                                     : (b & 0xF8) == 0xF0 && b <= 0xF4 ? 3
                                                                                                      : -1;
        if (follow < 0 || end - p <= follow)
            return false;
        for (int k = 1; k <= follow; ++k)
            if ((p[k] & 0xC0) != 0x80)
                return false;
        beyondAscii = beyondAscii || follow > 0;
        p += follow + 1;
    }
    return beyondAscii;
}

} // namespace

Looks looksLike(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Looks::Utf8;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return Looks::Utf16;
    // Text files hold no NUL; UTF-16 without its mark holds one in every other byte of ASCII.
    if (bytes.contains('\0'))
        return bytes.count('\0') * 4 >= bytes.size() ? Looks::Utf16 : Looks::Damaged;
    const Tables &t = tables();
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    bool damaged = false;
    for (; p < end; ++p) {
        if (*p < 0x80)
            continue;
        if (isLeadByte(*p) && p + 1 < end && t.pair[*p << 8 | p[1]] != 0) {
            ++p;
            continue;
        }
        if (isLeadByte(*p) || t.single[*p] == 0) {
            damaged = true;
            break;
        }
    }
    if (isUtf8Text(bytes))
        return Looks::Utf8;
    return damaged ? Looks::Damaged : Looks::Cp932;
}

QString decode(const QByteArray &bytes)
{
    const Tables &t = tables();
    QString out;
    out.resize(bytes.size());
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    qsizetype n = 0;
    while (p < end) {
        unsigned char b = *p;
        if (b < 0x80) {
            dst[n++] = b;
            ++p;
            continue;
        }
        if (isLeadByte(b) && p + 1 < end) {
            char16_t u = t.pair[b << 8 | p[1]];
            if (u != 0) {
                dst[n++] = u;
                p += 2;
                continue;
            }
        }
        char16_t u = isLeadByte(b) ? 0 : t.single[b];
        dst[n++] = u != 0 ? u : char16_t(EscapeBase + b);
        ++p;
    }
    out.truncate(n);
    return out;
}

Encoded encode(const QString &text)
{
    const Tables &t = tables();
    Encoded r;
    r.bytes.reserve(text.size() * 2);
    const char16_t *s = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype len = text.size();
    // A byte kept from the file that could not be read, when it is a lead byte: followed by a
    // byte that completes a pair with it, it would read back as another character and take
    // the next character with it. It then becomes "?", and what follows survives.
    qsizetype keptLead = -1;
    for (qsizetype i = 0; i < len; ++i) {
        char16_t u = s[i];
        if (keptLead >= 0) {
            const quint16 next = u < 0x80                                             ? u
                                 : (u >= EscapeBase + 0x80 && u <= EscapeBase + 0xFF) ? u - EscapeBase
                                 : t.fromUnicodeKnown[u]                              ? t.fromUnicode[u]
                                                                                      : 0;
            const unsigned char first = next > 0xFF ? next >> 8 : next;
            if (t.pair[quint8(r.bytes[keptLead]) << 8 | first] != 0)
                r.bytes[keptLead] = '?';
            keptLead = -1;
        }
        if (u < 0x80) {
            r.bytes.append(char(u));
        } else if (u >= EscapeBase + 0x80 && u <= EscapeBase + 0xFF) {
            if (isLeadByte(quint8(u - EscapeBase)))
                keptLead = r.bytes.size();
            r.bytes.append(char(u - EscapeBase));
        } else if (t.fromUnicodeKnown[u]) {
            quint16 code = t.fromUnicode[u];
            if (code > 0xFF)
                r.bytes.append(char(code >> 8));
            r.bytes.append(char(code & 0xFF));
        } else {
            r.ok = false;
            bool surrogatePair = QChar::isHighSurrogate(u) && i + 1 < len && QChar::isLowSurrogate(s[i + 1]);
            r.badChar = surrogatePair ? text.mid(i, 2) : text.mid(i, 1);
            r.bytes.clear();
            return r;
        }
    }
    return r;
}

QString firstUnencodable(const QString &text)
{
    const Tables &t = tables();
    const char16_t *s = reinterpret_cast<const char16_t *>(text.utf16());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t u = s[i];
        // U+F780..U+F7FF stand for bytes kept from a file: typed or pasted (from a PDF), they
        // would be stored as those bytes and read back as other characters.
        if (u < 0x80 || t.fromUnicodeKnown[u])
            continue;
        bool surrogatePair =
            QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(s[i + 1]);
        return surrogatePair ? text.mid(i, 2) : text.mid(i, 1);
    }
    return {};
}

QString storedForm(const QString &text)
{
    const Encoded e = encode(text);
    return e.ok ? decode(e.bytes) : text;
}

QString unencodableMessage(const QString &badChar)
{
    // Code points by hand: a lone surrogate is named as itself, not as U+FFFD.
    QString code;
    for (qsizetype i = 0; i < badChar.size(); ++i) {
        quint32 c = badChar[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < badChar.size() && badChar[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(badChar[i], badChar[i + 1]), ++i;
        code += QStringLiteral("U+%1").arg(c, 4, 16, QLatin1Char('0')).toUpper();
    }
    return QStringLiteral("「%1」（%2）は育児手帖のファイルに保存できない文字です。\r\n\r\n"
                          "別の文字に置き換えてから、もう一度保存してください。")
        .arg(badChar, code);
}

} // namespace cp932
