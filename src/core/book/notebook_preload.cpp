#include "core/book/notebook.h"
#include "core/book/notebook_preload.h"

std::shared_ptr<NotebookPreload> Notebook::preload(const QString &dir, Clock &clock)
{
    auto p = std::make_shared<NotebookPreload>(dir, clock);
    readReferenceFile(p->files, p->recipes);
    p->recipeLoad = readRecipeFile(p->files, p->recipes);
    p->diaryLoad = readDiaryFiles(p->files, p->diary, p->limits);
    ::buildGrowth(p->diary, p->growth);
    return p;
}

void Notebook::takePreload(std::shared_ptr<NotebookPreload> preload)
{
    files.takeMemoryOf(preload->files);
    m_preload = std::move(preload);
}
