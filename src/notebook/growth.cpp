#include "notebook/growth.h"

#include "common/delimited.h"
#include "common/numbers.h"

void buildGrowth(const DiaryTable &diary, GrowthSeries &series)
{
    // Filled in with the growth chart.
    Q_UNUSED(diary);
    Q_UNUSED(series);
}

GraphLimits parseGraphLimits(const QString &text)
{
    DelimitedReader r(text);
    GraphLimits g;
    g.heightMin = r.readInt16();
    g.heightMax = r.readInt16();
    g.weightMin = r.readInt16();
    g.weightMax = r.readInt16();
    return g;
}

QString graphLimitsText(const GraphLimits &g)
{
    const QString crlf = QStringLiteral("\r\n");
    return printedInteger(g.heightMin) + crlf + printedInteger(g.heightMax) + crlf + printedInteger(g.weightMin) +
           crlf + printedInteger(g.weightMax) + crlf;
}

GraphLimits defaultGraphLimits() { return {40, 100, 2000, 16000}; }
