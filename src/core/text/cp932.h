#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Windows Shift-JIS (CP932), the encoding of every text file of a notebook.
// Decoding never fails: a byte that is not valid CP932 becomes a private-use character
// (U+F700 + byte) that encoding turns back into the same byte, so such bytes survive a
// read and a rewrite unchanged.
namespace cp932 {

QString decode(const QByteArray &bytes);

// What a file's bytes look like: CP932 as the notebook writes it, or another encoding that a
// program on another computer may have saved it in, or CP932 with bytes it cannot hold.
enum class Looks { Cp932, Utf8, Utf16, Damaged };
Looks looksLike(const QByteArray &bytes);

struct Encoded {
    QByteArray bytes;
    bool ok = true;
    QString badChar; // the first character CP932 cannot hold (one or two UTF-16 units)
};

Encoded encode(const QString &text);

// The first character of typed text that CP932 cannot hold, or an empty string. The
// private-use characters that stand for kept bytes (U+F780..U+F7FF) count as such: typed,
// they would be stored as single bytes and read back as other characters.
QString firstUnencodable(const QString &text);

// The text as it reads back once saved (a yen sign or a wave dash may come back as its
// look-alike): names that lead to files are taken in this form, so that a picture saved under
// a gift's or a dish's name is found again after a restart. Text CP932 cannot hold comes back
// as it is.
QString storedForm(const QString &text);

// The warning text that names a character CP932 cannot hold.
QString unencodableMessage(const QString &badChar);

} // namespace cp932
