#include "core/files/read_damage.h"

void ReadDamage::skip(int first, int last)
{
    if (last < first)
        return;
    if (!skipped.isEmpty() && skipped.last().second + 1 >= first) {
        skipped.last().second = std::max(skipped.last().second, last);
        return;
    }
    skipped.append({first, last});
}

QString ReadDamage::skippedText() const
{
    constexpr int Shown = 10;
    QStringList parts;
    for (int k = 0; k < skipped.size() && k < Shown; ++k) {
        const auto [first, last] = skipped[k];
        parts.append(first == last ? QStringLiteral("%1行目").arg(first)
                                   : QStringLiteral("%1〜%2行目").arg(first).arg(last));
    }
    QString text = parts.join(QStringLiteral("、"));
    if (skipped.size() > Shown)
        text += QStringLiteral("、ほか %1 か所").arg(skipped.size() - Shown);
    return text;
}

int lineNumberAt(QStringView text, qsizetype pos)
{
    int line = 1;
    const qsizetype end = std::min(pos, text.size());
    for (qsizetype i = 0; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\n' || (c == u'\r' && !(i + 1 < text.size() && text[i + 1] == u'\n')))
            ++line;
    }
    return line;
}

QString beyondTextForWrite(const ReadDamage &damage)
{
    if (damage.beyondText.isEmpty() || damage.beyondText.endsWith(QStringLiteral("\r\n")))
        return damage.beyondText;
    return damage.beyondText + QStringLiteral("\r\n");
}
