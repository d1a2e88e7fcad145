// お世話記録.txt: any bytes read without harm as entries in time order; the entries read,
// saved, read back whole and the same, and the lines a save keeps are exactly the entries.
#include "core/care/care_log.h"
#include "fuzz_check.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const care::Parse read = care::parseWhole(bytes);
    require(std::is_sorted(read.entries.begin(), read.entries.end(),
                           [](const care::Entry &a, const care::Entry &b) {
                               return a.date < b.date || (a.date == b.date && a.time < b.time);
                           }),
            "the entries are in time order");
    for (const care::Entry &e : read.entries)
        require(!(e.running && e.end), "a running timer has no end");
    const auto [before, after] = roundTrip(bytes, read, [](const care::Parse &r) {
        return care::parseWhole(savedBytes(care::textOf(r.entries)));
    });
    require(after.whole && after.entries == before.entries, "a saved care log reads back whole, the same");
    return 0;
}
