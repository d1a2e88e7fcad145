// 写真見出し.txt: any bytes read without harm; the four captions read, saved, read back the same.
#include "core/registers/album_captions.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const auto [before, after] =
        roundTrip(bytes, parseAlbumCaptions(cp932::decode(bytes)), [](const AlbumCaptions &c) {
            return parseAlbumCaptions(cp932::decode(savedBytes(albumCaptionsText(c))));
        });
    require(after == before, "saved album captions read back the same");
    return 0;
}
