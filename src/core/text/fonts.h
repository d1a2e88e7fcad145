#pragma once

// Font names that notebooks and layouts use ("ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝") reach an
// installed Japanese font, and the program's own font is a Japanese gothic.
void installJapaneseFonts();

// The family name of the Japanese gothic font in use.
const char *japaneseGothicFamily();
