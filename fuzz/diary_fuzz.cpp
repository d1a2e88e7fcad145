// 日記.txt: any bytes read without harm; the days read, saved, read back the same; a day
// appended to a file that may be appended to reads back as one more day.
#include "core/notebook/diary_store.h"
#include "fuzz_check.h"

namespace {

bool sameDays(const QList<DiaryDay> &a, const QList<DiaryDay> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].date != b[i].date || a[i].height != b[i].height || a[i].weight != b[i].weight ||
            a[i].text != b[i].text)
            return false;
    return true;
}

DiaryParse resave(const DiaryParse &read) { return parseDiary(savedBytes(diaryFileText(read.days))); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const DiaryParse read = parseDiary(bytes);
    require(read.days.size() <= DiaryCapacity, "no more days than the capacity");

    const auto [before, after] = roundTrip(bytes, read, resave);
    require(after.whole && after.tidy, "a saved diary reads whole and may be appended to");
    require(sameDays(after.days, before.days), "a saved diary reads back the same days");

    if (read.tidy && !read.days.isEmpty() && read.days.size() < DiaryCapacity) {
        const DiaryDay &last = read.days.last();
        const QString record = diaryRecordText(last.date, last.height, last.weight, last.text);
        const DiaryParse appended = parseDiary(bytes + savedBytes(record));
        require(appended.whole && appended.days.size() == read.days.size() + 1 &&
                    sameDays(appended.days.mid(0, read.days.size()), read.days),
                "a day appended leaves the days before it as they were");
        if (!holdsKeptLeadByte(last.text + last.date))
            require(sameDays(appended.days.mid(read.days.size()), {last}), "an appended day reads back");
    }
    return 0;
}
