#include "core/text/fonts.h"

#include <QFont>
#include <QGuiApplication>

const char *japaneseGothicFamily() { return "IPAPGothic"; }

void installJapaneseFonts()
{
    const QStringList gothic = {QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL Gothic")};
    const QStringList pgothic = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                 QStringLiteral("Noto Sans CJK JP")};
    const QStringList mincho = {QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho"),
                                QStringLiteral("Noto Serif CJK JP")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), pgothic);
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), pgothic);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), mincho);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"), mincho);
    QFont::insertSubstitutions(QStringLiteral("MS Mincho"), mincho);
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QFont font(QString::fromLatin1(japaneseGothicFamily()), 10);
        font.setStyleHint(QFont::SansSerif);
        QGuiApplication::setFont(font);
    }
}
