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

struct Encoded {
    QByteArray bytes;
    bool ok = true;
    QString badChar; // the first character CP932 cannot hold (one or two UTF-16 units)
};

Encoded encode(const QString &text);

// The first character of text that CP932 cannot hold, or an empty string.
QString firstUnencodable(const QString &text);

// The warning text that names a character CP932 cannot hold.
QString unencodableMessage(const QString &badChar);

} // namespace cp932
