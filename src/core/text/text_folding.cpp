#include "core/text/text_folding.h"

namespace {

// U+FF61..U+FF9F, the half-width katakana block, in full width.
constexpr char16_t HalfWidthKana[] =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    u"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
constexpr char16_t HalfVoiced = 0xFF9E, HalfSemiVoiced = 0xFF9F;

// The voiced (゛) or semi-voiced (゜) form of a full-width katakana, or 0 when it has none.
char16_t withMark(char16_t kana, bool semi)
{
    if (semi)
        return (kana >= u'ハ' && kana <= u'ホ' && (kana - u'ハ') % 3 == 0) ? char16_t(kana + 2) : 0;
    if (kana == u'ウ')
        return u'ヴ';
    if ((kana >= u'カ' && kana <= u'チ' && (kana - u'カ') % 2 == 0) ||
        (kana >= u'ツ' && kana <= u'ト' && (kana - u'ツ') % 2 == 0) ||
        (kana >= u'ハ' && kana <= u'ホ' && (kana - u'ハ') % 3 == 0))
        return char16_t(kana + 1);
    return 0;
}

} // namespace

QString foldedForSearch(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c >= 0xFF01 && c <= 0xFF5E) {
            c = char16_t(c - 0xFF01 + 0x21);
        } else if (c == 0x3000) {
            c = u' ';
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            c = HalfWidthKana[c - 0xFF61];
            if (i + 1 < text.size()) {
                const char16_t next = text[i + 1].unicode();
                if (next == HalfVoiced || next == HalfSemiVoiced)
                    if (const char16_t marked = withMark(c, next == HalfSemiVoiced)) {
                        c = marked;
                        ++i;
                    }
            }
        }
        // Katakana as hiragana: ァ..ヶ and the iteration marks ヽ ヾ.
        if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE)
            c = char16_t(c - 0x60);
        out.append(QChar(c));
    }
    return out;
}

bool containsText(const QString &text, const QString &key, bool folded)
{
    if (!folded)
        return text.contains(key, Qt::CaseSensitive);
    return foldedForSearch(text).contains(foldedForSearch(key), Qt::CaseSensitive);
}
