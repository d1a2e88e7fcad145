#pragma once

#include "core/text/cp932.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <utility>

// What every target shares: a failed property stops the run with a message, so that
// libFuzzer keeps the input that shows it.
inline void require(bool holds, const char *property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A file's text as a save writes it. A text the reader decoded holds only characters CP932
// can store, so the writer never has to refuse it.
inline QByteArray savedBytes(const QString &text)
{
    const cp932::Encoded encoded = cp932::encode(text);
    require(encoded.ok, "a text made of what was read can be saved");
    return encoded.bytes;
}

// An undecodable lead byte kept from the file (U+F781..U+F79F, U+F7E0..U+F7FC): written back
// before a byte that pairs with it, it would read as another character and swallow the next
// one, so the first save may replace it.
inline bool holdsKeptLeadByte(const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0xF781 && u <= 0xF79F) || (u >= 0xF7E0 && u <= 0xF7FC))
            return true;
    }
    return false;
}

// The table read and the table read back after a save, to be compared. A table from a file
// with a kept lead byte may change at the first save; it must not change any more after it.
template <typename Table, typename Resave>
std::pair<Table, Table> roundTrip(const QByteArray &file, const Table &read, Resave resave)
{
    Table once = resave(read);
    if (!holdsKeptLeadByte(cp932::decode(file)))
        return {read, std::move(once)};
    Table twice = resave(once);
    return {std::move(once), std::move(twice)};
}
