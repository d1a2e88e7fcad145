// ﾌﾟﾗｲﾍﾞｰﾄ.txt: any bytes read without harm; the values read, saved, read back the same, and
// a file in the layout's form stays in it.
#include "core/profile/profile_store.h"
#include "fuzz_check.h"

namespace {

bool sameProfile(const Profile &a, const Profile &b)
{
    return a.nickname == b.nickname && a.birthDate == b.birthDate && a.birthTime == b.birthTime &&
           a.birthHeight == b.birthHeight && a.birthWeight == b.birthWeight && a.birthChest == b.birthChest &&
           a.birthHead == b.birthHead && a.reserved == b.reserved && a.targetPoint == b.targetPoint &&
           a.diaryPictureMode == b.diaryPictureMode && a.pictureMode == b.pictureMode;
}

Profile resave(const Profile &p) { return parseProfile(cp932::decode(savedBytes(profileText(p)))); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const ProfileParse read = parseProfileLines(cp932::decode(bytes));
    const auto [before, after] = roundTrip(bytes, read.profile, resave);
    require(sameProfile(after, before), "a saved profile reads back the same values");
    if (read.badLines.isEmpty())
        require(parseProfileLines(profileText(read.profile)).badLines.isEmpty(),
                "a profile read in the layout's form is saved in it");
    return 0;
}
