// Dates as typed: any text is read without harm; a date read is a calendar date whose file
// form reads back as the same date, both as typed and as stored.
#include "core/text/dates.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QDate today(2026, 12, 7);
    const std::optional<QDate> date = parseTypedDate(QString::fromUtf8(bytesOf(data, size)), today);
    if (!date)
        return 0;
    require(date->isValid() && date->year() >= 1 && date->year() <= 9999, "a date read is a calendar date");
    const QString stored = dateText(*date);
    require(parseStoredDate(stored) == date, "the stored form reads back as the same date");
    require(parseTypedDate(stored, today) == date, "the stored form typed reads back as the same date");
    return 0;
}
