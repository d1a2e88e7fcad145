// 記念日.txt: any bytes read without harm; the entries read, saved, read back the same.
#include "core/notebook/anniversary_store.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const AnniversaryRead read = parseAnniversaries(bytes);
    require(read.entries.size() <= KinenCapacity, "no more entries than the list holds");
    const auto [before, after] = roundTrip(bytes, read, [](const AnniversaryRead &r) {
        return parseAnniversaries(savedBytes(anniversaryFileText(r.entries)));
    });
    require(after.whole && after.entries == before.entries, "saved anniversaries read back the same");
    return 0;
}
