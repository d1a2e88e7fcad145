// グラフ.txt: any bytes read without harm; the limits read, saved, read back the same.
#include "core/notebook/growth.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const GraphLimits read = parseGraphLimits(cp932::decode(bytesOf(data, size)));
    const GraphLimits again = parseGraphLimits(cp932::decode(savedBytes(graphLimitsText(read))));
    require(again.heightMin == read.heightMin && again.heightMax == read.heightMax &&
                again.weightMin == read.weightMin && again.weightMax == read.weightMax,
            "saved chart limits read back the same");
    return 0;
}
