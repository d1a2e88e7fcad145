// 設定.txt: any bytes read without harm; the help tour setting read, saved, read back the same.
#include "core/files/help_tour.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const qint16 read = parseSettings(cp932::decode(bytesOf(data, size)));
    const qint16 again = parseSettings(cp932::decode(savedBytes(settingsFileText(read))));
    require(again == read, "a saved setting reads back the same");
    return 0;
}
