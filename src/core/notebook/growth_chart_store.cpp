#include "core/notebook/growth_chart_store.h"

#include "core/text/cp932.h"
#include "core/text/delimited.h"

namespace {

const QString Boy = QStringLiteral("男の子");
const QString Girl = QStringLiteral("女の子");
const QString BandsShown = QStringLiteral("標準曲線表示");
const QString BandsHidden = QStringLiteral("標準曲線非表示");

} // namespace

GrowthChartSettings parseGrowthChartSettings(const QByteArray &bytes)
{
    DelimitedReader r(cp932::decode(bytes));
    GrowthChartSettings s;
    const QString sex = r.readText();
    if (sex == Boy)
        s.sex = Sex::Boy;
    else if (sex == Girl)
        s.sex = Sex::Girl;
    s.bands = r.readText() != BandsHidden;
    return s;
}

QString growthChartSettingsText(const GrowthChartSettings &s)
{
    const QString sex = s.sex == Sex::Boy ? Boy : s.sex == Sex::Girl ? Girl : QString();
    return sex + QStringLiteral("\r\n") + (s.bands ? BandsShown : BandsHidden) + QStringLiteral("\r\n");
}
