#include "core/pictures/bmp_reduced.h"

#include <QFile>

#include <vector>

namespace pictures {

namespace {

constexpr int Samples = 4; // per axis and output pixel
constexpr quint32 PlainRgb = 0, ColourMasks = 3;
constexpr int MaxSide = 32767;

quint16 le16(const uchar *p) { return quint16(p[0] | p[1] << 8); }
quint32 le32(const uchar *p)
{
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

struct BmpLayout {
    qint64 pixels = 0; // file offset of the first stored row
    qint64 rowBytes = 0;
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bytesPerPixel = 0;
};

// Masks of 32-bit pixels stored as blue, green, red and an unused byte.
bool usualMasks(const uchar *header, qint64 got, quint32 infoSize)
{
    if (got < 66 || le32(header + 54) != 0xFF0000 || le32(header + 58) != 0xFF00 || le32(header + 62) != 0xFF)
        return false;
    // Headers of 56 bytes and more carry an alpha mask as well.
    return infoSize < 56 || (got >= 70 && le32(header + 66) == 0);
}

bool readLayout(QFile &file, BmpLayout *bmp)
{
    uchar h[70]; // file header, info header and the colour masks that may follow it
    const qint64 got = file.read(reinterpret_cast<char *>(h), sizeof h);
    if (got < 54 || h[0] != 'B' || h[1] != 'M')
        return false;
    const quint32 infoSize = le32(h + 14);
    const qint32 width = qint32(le32(h + 18));
    const qint32 height = qint32(le32(h + 22));
    const quint16 bits = le16(h + 28);
    const quint32 compression = le32(h + 30);
    if (infoSize < 40 || le16(h + 26) != 1 || (bits != 24 && bits != 32))
        return false;
    if (compression != PlainRgb &&
        !(compression == ColourMasks && bits == 32 && usualMasks(h, got, infoSize)))
        return false;
    if (width < 1 || width > MaxSide || height == 0 || height < -MaxSide || height > MaxSide)
        return false;
    bmp->width = width;
    bmp->height = height < 0 ? -height : height;
    bmp->topDown = height < 0;
    bmp->bytesPerPixel = bits / 8;
    bmp->rowBytes = (qint64(width) * bits + 31) / 32 * 4;
    bmp->pixels = le32(h + 10);
    return bmp->pixels >= 14 + qint64(infoSize) && bmp->pixels + bmp->rowBytes * bmp->height <= file.size();
}

// The source positions that output position i of n samples, over a source of length full:
// up to Samples of them, evenly spread over the part of the source that i covers.
struct Span {
    int first;
    int length;
    int count;
    int at(int k) const { return first + (2 * k + 1) * length / (2 * count); }
};

Span spanOf(int i, int n, int full)
{
    const int first = int(qint64(i) * full / n);
    const int end = qMax(first + 1, int(qint64(i + 1) * full / n));
    return {first, end - first, qMin(Samples, end - first)};
}

} // namespace

QImage readBmpReduced(const QString &path, QSize box)
{
    QFile file(path);
    BmpLayout bmp;
    if (box.isEmpty() || !file.open(QIODevice::ReadOnly) || !readLayout(file, &bmp) ||
        (bmp.width <= box.width() && bmp.height <= box.height()))
        return {};
    const QSize size = QSize(bmp.width, bmp.height).scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull())
        return {};
    const int w = size.width();
    // Per output column: the byte offsets in a row of the pixels it samples.
    std::vector<int> columns;
    std::vector<int> columnEnd(w);
    for (int x = 0; x < w; ++x) {
        const Span s = spanOf(x, w, bmp.width);
        for (int k = 0; k < s.count; ++k)
            columns.push_back(s.at(k) * bmp.bytesPerPixel);
        columnEnd[x] = int(columns.size());
    }
    QByteArray row(bmp.rowBytes, Qt::Uninitialized);
    std::vector<quint32> sums(size_t(w) * 3);
    for (int y = 0; y < size.height(); ++y) {
        const Span rows = spanOf(y, size.height(), bmp.height);
        std::fill(sums.begin(), sums.end(), 0);
        for (int k = 0; k < rows.count; ++k) {
            const int sourceRow = rows.at(k);
            const qint64 stored = bmp.topDown ? sourceRow : bmp.height - 1 - sourceRow;
            if (!file.seek(bmp.pixels + stored * bmp.rowBytes) ||
                file.read(row.data(), bmp.rowBytes) != bmp.rowBytes)
                return {};
            const auto *bytes = reinterpret_cast<const uchar *>(row.constData());
            for (int x = 0, c = 0; x < w; ++x)
                for (; c < columnEnd[x]; ++c) {
                    const uchar *p = bytes + columns[c];
                    sums[3 * x] += p[2];
                    sums[3 * x + 1] += p[1];
                    sums[3 * x + 2] += p[0];
                }
        }
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const quint32 n = quint32(rows.count * (columnEnd[x] - (x ? columnEnd[x - 1] : 0)));
            line[x] = qRgb(int((sums[3 * x] + n / 2) / n), int((sums[3 * x + 1] + n / 2) / n),
                           int((sums[3 * x + 2] + n / 2) / n));
        }
    }
    return out;
}

} // namespace pictures
