#include "core/registers/album_captions.h"

#include <QStringList>

AlbumCaptions parseAlbumCaptions(const QString &text)
{
    QStringList lines = text.split(u'\n');
    AlbumCaptions captions;
    for (int g = 0; g < 4 && g < lines.size(); ++g) {
        QString line = lines[g];
        if (line.endsWith(u'\r'))
            line.chop(1);
        captions[g] = line;
    }
    return captions;
}

QString albumCaptionsText(const AlbumCaptions &captions)
{
    QString text;
    for (const QString &caption : captions)
        text += caption + QStringLiteral("\r\n");
    return text;
}
