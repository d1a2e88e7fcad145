#include "core/care/care_minutes.h"

#include "core/files/notebook_files.h"

namespace care {

QList<Entry> read(const NotebookFiles &files) { return parse(files.read(fileName())); }

QList<Entry> load(NotebookFiles &files)
{
    Parse parsed = parseWhole(files.read(fileName()));
    if (!parsed.whole && files.markNotWhole(fileName()))
        files.tellOnce(fileName(), NotebookFiles::notWholeMessage(fileName(), int(parsed.entries.size()),
                                                                  QStringLiteral("件"), parsed.damage));
    return std::move(parsed.entries);
}

WriteResult add(NotebookFiles &files, const QList<Entry> &entries, const Entry &entry)
{
    if (entries.isEmpty() || !earlier(entry, entries.last()))
        return files.appendRecord(fileName(), lineOf(entry), [&entries] { return textOf(entries); });
    QList<Entry> all = entries;
    all.insert(std::upper_bound(all.begin(), all.end(), entry, earlier), entry);
    return files.rewrite(fileName(), textOf(all));
}

WriteResult change(NotebookFiles &files, const QList<Entry> &entries, const QString &id,
                   const std::optional<Entry> &now)
{
    const auto at =
        std::find_if(entries.cbegin(), entries.cend(), [&id](const Entry &e) { return e.id == id; });
    if (id.isEmpty() || at == entries.cend())
        return WriteResult::failed(
            QStringLiteral("その記録は見つかりませんでした（ほかのパソコンやスマートフォンで"
                           "消されたか、変えられたようです）。\r\n"
                           "一覧を読み直してから、もう一度選んでください。"));
    QList<Entry> all = entries;
    all.removeAt(at - entries.cbegin());
    if (now)
        all.insert(std::upper_bound(all.begin(), all.end(), *now, earlier), *now);
    return files.rewrite(fileName(), textOf(all));
}

} // namespace care
