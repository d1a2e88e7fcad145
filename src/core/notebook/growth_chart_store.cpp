#include "core/notebook/growth_chart_store.h"

#include "core/text/cp932.h"
#include "core/text/delimited.h"

namespace {

const QString Boy = QStringLiteral("男の子");
const QString Girl = QStringLiteral("女の子");
const QString BandsShown = QStringLiteral("標準曲線表示");
const QString BandsHidden = QStringLiteral("標準曲線非表示");
const QString WhoCurves = QStringLiteral("WHO成長曲線");
const QString JapanCurves = QStringLiteral("令和5年発育曲線");

GrowthReference referenceOf(const QString &value)
{
    return value == WhoCurves ? GrowthReference::Who2006 : GrowthReference::Japan2023;
}

} // namespace

GrowthChartSettings parseGrowthChartSettings(const QByteArray &bytes)
{
    const QString text = cp932::decode(bytes);
    DelimitedReader r(text);
    GrowthChartSettings s;
    const QString sex = r.readText();
    if (sex == Boy)
        s.sex = Sex::Boy;
    else if (sex == Girl)
        s.sex = Sex::Girl;
    s.bands = r.readText() != BandsHidden;
    // The choice of curves is the third line's, whatever the first two lines held: the line
    // kept and the choice read from it must be one.
    const QStringList lines = splitLines(text);
    s.reference = referenceOf(DelimitedReader(lines.value(2)).readText());
    if (lines.size() > 2)
        s.referenceLine = lines[2];
    if (lines.size() > 3)
        s.laterLines = lines.mid(3);
    return s;
}

QString growthChartSettingsText(const GrowthChartSettings &s)
{
    const QString sex = s.sex == Sex::Boy ? Boy : s.sex == Sex::Girl ? Girl : QString();
    QString text =
        sex + QStringLiteral("\r\n") + (s.bands ? BandsShown : BandsHidden) + QStringLiteral("\r\n");
    // The third line as it was when it still reads as the choice; else the choice's word. The
    // handbook's curves need no line unless lines follow.
    QString third;
    const bool keepThird =
        s.referenceLine && referenceOf(DelimitedReader(*s.referenceLine).readText()) == s.reference;
    if (keepThird)
        third = *s.referenceLine;
    else if (s.reference == GrowthReference::Who2006)
        third = WhoCurves;
    else if (!s.laterLines.isEmpty())
        third = JapanCurves;
    if (keepThird || !third.isEmpty() || !s.laterLines.isEmpty())
        text += third + QStringLiteral("\r\n");
    for (const QString &line : s.laterLines)
        text += line + QStringLiteral("\r\n");
    return text;
}
