// 成長曲線.txt: any bytes read without harm; the choices read, saved, read back the same.
#include "core/notebook/growth_chart_store.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file = bytesOf(data, size);
    const GrowthChartSettings read = parseGrowthChartSettings(file);
    // The lines kept after the choices hold what was read; a kept lead byte may change at the
    // first save only.
    const auto [before, after] = roundTrip(file, read, [](const GrowthChartSettings &s) {
        return parseGrowthChartSettings(savedBytes(growthChartSettingsText(s)));
    });
    require(after.sameChoices(read) && after.laterLines == before.laterLines,
            "saved chart choices read back the same");
    return 0;
}
