#pragma once

#include "core/files/file_names.h"

#include "core/notebook/growth_reference.h"

#include <QByteArray>
#include <QString>

// 成長曲線.txt, the growth chart's own choices: the child's sex on the first line ("男の子",
// "女の子" or empty) and whether the reference bands are drawn on the second ("標準曲線表示" or
// "標準曲線非表示"), CP932 with CR LF. Folders without the file, and older copies of the program,
// simply do without it.
struct GrowthChartSettings {
    Sex sex = Sex::None;
    bool bands = true;
};


// Never fails: a missing file, a missing line or a value it does not know gives that value's default.
GrowthChartSettings parseGrowthChartSettings(const QByteArray &bytes);
// The two lines with CR LF.
QString growthChartSettingsText(const GrowthChartSettings &settings);
