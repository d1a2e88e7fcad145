#include "core/text/one_line.h"

bool hasControlCharacter(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    return false;
}

QString controlCharacterMessage(const QString &caption)
{
    return QStringLiteral("「%1」に改行（または制御文字）が入っています。\r\n\r\n"
                          "１行で書き込んでから、もう一度保存してください。")
        .arg(caption);
}
