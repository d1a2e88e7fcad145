#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The steps that save_crash_child takes on one file and that save_crash_test checks after
// killing it: every third step rewrites the whole file, the others append a record. Sizes
// vary around the 16 KB that Qt buffers, so that some rewrites go out in one write and some
// in several.
namespace save_crash {

inline QString fileName() { return QStringLiteral("日記.txt"); }

inline bool isRewrite(int step) { return step % 3 == 0; }

inline QByteArray filled(const QByteArray &line, int size)
{
    QByteArray bytes;
    bytes.reserve(size + line.size());
    while (bytes.size() < size)
        bytes += line;
    return bytes;
}

// The whole file as step `step` rewrites it (step 0: as it was before the child started).
inline QByteArray version(int step)
{
    return filled("rewrite " + QByteArray::number(step) + "\r\n", 2000 + int(qint64(step) * 7919 % 40000));
}

inline QByteArray record(int step)
{
    return "append " + QByteArray::number(step) + ": " + QByteArray(100 + step * 131 % 5000, 'x') + "\r\n";
}

// The three files a new notebook replaces together at each step, and what each holds after
// `step` such steps.
inline QStringList togetherNames()
{
    return {QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), QStringLiteral("日記.txt"), QStringLiteral("予定.txt")};
}
inline QByteArray together(int step, int file) { return version(step) + QByteArray::number(file); }

// The notebook that restoring over the open one swaps in at each step: zip A at odd steps, zip
// B at even ones (and before the first). Every file names its zip, so a mix shows.
inline QStringList restoreNames()
{
    QStringList names{QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), QStringLiteral("日記.txt"), QStringLiteral("レシピ.txt")};
    for (int k = 1; k <= 30; ++k)
        names.append(QStringLiteral("2026%1.jpg").arg(k, 4, 10, QLatin1Char('0')));
    return names;
}
inline QByteArray restoreBytes(int step, int file)
{
    return filled((step % 2 ? "zip A " : "zip B ") + QByteArray::number(file) + "\r\n", 200 + file * 911 % 9000);
}

// The file after `step` steps.
inline QByteArray contents(int step)
{
    const int rewritten = step - step % 3;
    QByteArray bytes = version(rewritten);
    for (int k = rewritten + 1; k <= step; ++k)
        bytes += record(k);
    return bytes;
}

} // namespace save_crash
