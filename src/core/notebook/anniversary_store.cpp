#include "core/notebook/anniversary_store.h"

#include "core/text/cp932.h"
#include "core/text/delimited.h"

AnniversaryRead parseAnniversaries(const QByteArray &bytes)
{
    AnniversaryRead read;
    read.entries = splitLines(cp932::decode(bytes));
    if (read.entries.size() > KinenCapacity) {
        read.entries.resize(KinenCapacity);
        read.whole = false;
    }
    return read;
}

QString anniversarySortKey(const QString &entry) { return entry.left(10); }

void addAnniversary(QStringList &entries, const QString &entry)
{
    auto key = [](const QString &e) { return QStringView(e).left(10); };
    entries.append(entry);
    const qsizetype n = entries.size();
    if (n < 2 || !(key(entry) < key(entries[n - 2])))
        return;
    // On a list already in order, the exchange sort moves only the last entry: each earlier
    // entry it passes sees its equals and greaters unchanged, so it swaps with the last place
    // alone. One pass over the list gives the same order, equal keys included.
    bool inOrder = true;
    for (qsizetype i = 1; inOrder && i + 1 < n; ++i)
        inOrder = !(key(entries[i]) < key(entries[i - 1]));
    if (inOrder) {
        for (qsizetype i = 0; i + 1 < n; ++i)
            if (key(entries[i]) > key(entries[n - 1]))
                entries.swapItemsAt(i, n - 1);
        return;
    }
    for (qsizetype i = 0; i + 1 < n; ++i)
        for (qsizetype j = i + 1; j < n; ++j)
            if (key(entries[i]) > key(entries[j]))
                entries.swapItemsAt(i, j);
}

QString anniversaryFileText(const QStringList &entries)
{
    QString text;
    for (const QString &e : entries)
        text += e + QStringLiteral("\r\n");
    return text;
}
