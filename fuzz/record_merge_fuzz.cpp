// The join of two versions of a data file, for every kind of file: any base, ours and theirs
// join without harm, every record either side added survives (in the joined file, or one of
// theirs whole in the dated copy a named conflict makes), and the join holds nothing else.
#include "fuzz_check.h"
#include "record_merge_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = bytesOf(data, size);
    for (const merge_check::Kind kind :
         {merge_check::Kind::Dated, merge_check::Kind::Named, merge_check::Kind::Lines,
          merge_check::Kind::LineSlots, merge_check::Kind::Derived, merge_check::Kind::Keyed}) {
        const merge_check::Versions v = merge_check::versionsOf(kind, input);
        const char *broken = merge_check::brokenJoin(kind, v.base, v.ours, v.theirs);
        require(broken == nullptr, broken ? broken : "");
    }
    return 0;
}
