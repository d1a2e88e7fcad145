// CP932 both ways. Any bytes decode, and their text survives a save: exactly, except that a
// kept lead byte may become "?", and nothing changes at a second save. Any text either
// encodes to bytes that stay the same through every further read and save, or is refused
// naming a character it holds.
#include "fuzz_check.h"

namespace {

void requireTextSurvives(const QString &read, const QString &back)
{
    require(read.size() == back.size(), "a save keeps every character");
    for (qsizetype i = 0; i < read.size(); ++i)
        require(back[i] == read[i] || (holdsKeptLeadByte(read.mid(i, 1)) && back[i] == u'?'),
                "a save changes no character but a kept lead byte");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const QString read = cp932::decode(bytes);
    const QByteArray saved = savedBytes(read);
    requireTextSurvives(read, cp932::decode(saved));
    require(savedBytes(cp932::decode(saved)) == saved, "a second save writes the same bytes");

    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()), bytes.size() / 2);
    const cp932::Encoded encoded = cp932::encode(text);
    // The check refuses more than the encoder: the characters that stand for kept bytes.
    require(encoded.ok || !cp932::firstUnencodable(text).isEmpty(), "the check refuses what cannot be encoded");
    if (encoded.ok)
        require(savedBytes(cp932::decode(encoded.bytes)) == encoded.bytes,
                "stored text reads and saves the same");
    else
        require(!encoded.badChar.isEmpty() && text.contains(encoded.badChar),
                "a refusal names a character of the text");
    return 0;
}
