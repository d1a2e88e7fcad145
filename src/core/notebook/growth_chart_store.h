#pragma once

#include "core/files/file_names.h"

#include "core/notebook/growth_reference.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// 成長曲線.txt, the growth chart's own choices: the child's sex on the first line ("男の子",
// "女の子" or empty), whether the reference bands are drawn on the second ("標準曲線表示" or
// "標準曲線非表示"), and which curves on the third ("WHO成長曲線"; anything else, or no third
// line, is the handbook's curves of 2023), CP932 with CR LF. Folders without the file, and older
// copies of the program, simply do without it; older copies read the first two lines only.
struct GrowthChartSettings {
    Sex sex = Sex::None;
    bool bands = true;
    GrowthReference reference = GrowthReference::Japan2023;
    // The third line as read and the lines after it, written back as they were while the choice
    // they hold stays.
    std::optional<QString> referenceLine;
    QStringList laterLines;

    bool sameChoices(const GrowthChartSettings &o) const
    {
        return sex == o.sex && bands == o.bands && reference == o.reference;
    }
};

// Never fails: a missing file, a missing line or a value it does not know gives that value's default.
GrowthChartSettings parseGrowthChartSettings(const QByteArray &bytes);
// The lines with CR LF: two while the handbook's curves are chosen and nothing followed them,
// so a file that never chose WHO keeps the bytes older copies wrote.
QString growthChartSettingsText(const GrowthChartSettings &settings);
