#pragma once

#include <QString>

// Text as a search that does not tell widths and kana apart sees it: full-width letters,
// digits, signs and the ideographic space as their ASCII forms, half-width katakana as
// full-width (with their voicing marks joined: ﾊﾟ is パ), and katakana as hiragana. Letter
// case and everything else stay, so ABC still does not find abc. Applied to both the text and
// the key, "contains" then finds ﾊﾟﾊﾟ, パパ and ぱぱ alike.
QString foldedForSearch(const QString &text);

// Whether text contains key, exactly or with both folded as above.
bool containsText(const QString &text, const QString &key, bool folded);
