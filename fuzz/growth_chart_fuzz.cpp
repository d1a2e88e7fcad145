// 成長曲線.txt: any bytes read without harm; the choices read, saved, read back the same.
#include "core/notebook/growth_chart_store.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const GrowthChartSettings read = parseGrowthChartSettings(bytesOf(data, size));
    const GrowthChartSettings again = parseGrowthChartSettings(savedBytes(growthChartSettingsText(read)));
    require(again.sameChoices(read) && again.laterLines == read.laterLines,
            "saved chart choices read back the same");
    return 0;
}
