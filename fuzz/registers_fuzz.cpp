// 予定.txt, 贈りもの.txt, 頂きもの.txt: any bytes read without harm as records of two or
// three fields; the records read, saved, read back the same.
#include "core/registers/register_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    for (int fields : {2, 3}) {
        const RegisterRead read = parseRegister(bytes, fields);
        for (const QStringList &record : read.records)
            require(record.size() == fields, "every record has the asked number of fields");
        const auto [before, after] = roundTrip(bytes, read, [fields](const RegisterRead &r) {
            return parseRegister(savedBytes(registerFileText(r.records)), fields);
        });
        require(after.whole && after.records == before.records,
                "a saved register reads back whole, the same");
    }
    return 0;
}
