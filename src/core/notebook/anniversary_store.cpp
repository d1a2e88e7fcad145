#include "core/notebook/anniversary_store.h"

#include "core/common/cp932.h"
#include "core/common/delimited.h"

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
    const QString before = entries.isEmpty() ? QString() : anniversarySortKey(entries.last());
    entries.append(entry);
    if (!(anniversarySortKey(entry) < before))
        return;
    QStringList keys;
    keys.reserve(entries.size());
    for (const QString &e : entries)
        keys.append(anniversarySortKey(e));
    const qsizetype n = entries.size();
    for (qsizetype i = 0; i + 1 < n; ++i)
        for (qsizetype j = i + 1; j < n; ++j)
            if (keys[i] > keys[j]) {
                keys.swapItemsAt(i, j);
                entries.swapItemsAt(i, j);
            }
}

QString anniversaryFileText(const QStringList &entries)
{
    QString text;
    for (const QString &e : entries)
        text += e + QStringLiteral("\r\n");
    return text;
}
