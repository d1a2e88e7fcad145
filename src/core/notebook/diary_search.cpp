#include "core/notebook/diary_search.h"

#include "core/text/text_folding.h"
#include "core/notebook/diary_store.h"

QStringList diarySearchLines(const DiaryTable &diary, const QString &needle, bool folded)
{
    // The needle is folded once, not once a day.
    const QString key = folded ? foldedForSearch(needle) : needle;
    QStringList lines;
    for (const DiaryDay &d : diary.days())
        if ((folded ? foldedForSearch(d.text) : d.text).contains(key, Qt::CaseSensitive))
            lines.append(d.date + u'　' + d.text.left(25));
    return lines;
}
