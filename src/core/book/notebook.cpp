#include "core/book/notebook.h"
#include "core/book/notebook_preload.h"

#include "core/files/file_names.h"

#include "core/notebook/anniversary_store.h"
#include "core/notebook/diary_checks.h"
#include "core/notebook/diary_files.h"
#include "core/profile/new_notebook.h"
#include "core/profile/profile_files.h"
#include "core/recipes/points.h"
#include "core/recipes/recipe_files.h"
#include "core/registers/register_files.h"

Notebook::Notebook(const QString &dir, Clock &clockOfRun) : files(dir, clockOfRun), clock(clockOfRun)
{
    // A save joined another computer's records: memory catches up once the save is through.
    files.setOnJoined([this](const QString &bareName) {
        QMetaObject::invokeMethod(this, [this, bareName] { reloadFile(bareName); }, Qt::QueuedConnection);
    });
}

QStringList Notebook::checkOutside()
{
    const QStringList names = files.changedOutside();
    for (const QString &name : names)
        reloadFile(name);
    return names;
}

void Notebook::reloadFile(const QString &bareName)
{
    if (const std::optional<NotebookTable> table = tableOfFile(bareName))
        readTable(*table);
    emit fileReloaded(bareName);
}

void Notebook::reloadAll()
{
    folder().forgetListing();
    for (const QString &name : dataFileNames())
        reloadFile(name);
    emit replaced();
}

void Notebook::readProfile()
{
    profile = loadProfileFile(files);
    emit profileChanged();
}

WriteResult Notebook::writeProfile() { return writeProfileFile(files, profile); }

WriteResult Notebook::setPictureMode(QString &mode, const QString &value)
{
    if (mode == value)
        return {};
    mode = value;
    return writeProfile();
}

void Notebook::setNicknameAndGoal(const QString &nickname, qint16 targetPoint)
{
    profile.nickname = nickname;
    profile.targetPoint = targetPoint;
    emit profileChanged();
    recipes.levelPercent = levelPercentOf(recipes.totalPoint, targetPoint);
    showLevelBar();
}

WriteResult Notebook::startNewNotebook(const QString &profileFileText, const QString &birthDate,
                                       double height, double weight)
{
    QList<FileChange> changes{{profileFileName(), profileFileText}};
    for (const DataFile &file : dataFiles())
        if (file.emptiedByNewNotebook && folder().exists(file.name)) // a file not there stays away
            changes.append({file.name, QString()});
    changes.append({diaryFileName(), diaryRecordText(birthDate, height, weight, QString()), true});
    return replaceFiles(files, changes);
}

DiaryLoad Notebook::readDiary()
{
    DiaryLoad load;
    if (m_preload && !std::exchange(m_preload->diaryTaken, true)) {
        diary = std::move(m_preload->diary);
        limits = m_preload->limits;
        growth = std::move(m_preload->growth);
        load = std::move(m_preload->diaryLoad);
    } else {
        load = readDiaryFiles(files, diary, limits);
        buildGrowth();
    }
    emit diaryChanged();
    return load;
}

WriteResult Notebook::appendDay(const QString &date, double height, double weight, const QString &text)
{
    return appendDiaryRecord(files, diary, date, height, weight, text);
}

WriteResult Notebook::writeDiary() { return writeDiaryFile(files, diary); }

void Notebook::buildGrowth() { ::buildGrowth(diary, growth); }

WriteResult Notebook::addDay(const QString &date, double height, double weight, const QString &text)
{
    WriteResult written = appendDiaryRecord(files, diary, date, height, weight, text);
    readDiary();
    // The table is read in date order; the file follows it when the new day, or a day from
    // the other computer, stands out of that order.
    if (!written.ok || !diary.fileOutOfOrder)
        return written;
    written = writeDiary();
    readDiary();
    // The day is in the file whatever became of the sorting: the user is told just that.
    if (!written.ok)
        written.error = QStringLiteral("%1 の日記は追加しましたが、%2 を日付の順に並べ直せませんでした。\r\n"
                                       "追加した日は日記の最後にあります。\r\n\r\n%3")
                            .arg(date, diaryFileName(), written.error);
    return written;
}

WriteResult Notebook::changeDay(int k, double height, qint16 weight, const QString &text)
{
    DiaryDay &day = diary.day(k);
    day.height = keptHeight(height);
    day.weight = weight;
    day.text = text;
    const WriteResult written = writeDiary();
    readDiary();
    return written;
}

Notebook::DiaryNoteResult Notebook::noteInDiary(const QString &date, const QString &line)
{
    DiaryNoteResult r;
    const int k = diary.find(date);
    if (k == 0)
        return r;
    const DiaryDay day = diary.day(k);
    if (day.text.split(QStringLiteral("\r\n")).contains(line)) {
        r.outcome = DiaryNote::AlreadyThere;
        return r;
    }
    const QString text = day.text.isEmpty() ? line : day.text + QStringLiteral("\r\n") + line;
    const DiarySaveCheck check = checkDiarySave(
        diary, {day.date, QString::number(day.height), QString::number(day.weight), text}, clock.today());
    if (check.refusal) {
        r.outcome = DiaryNote::Refused;
        r.refusal = check.refusal->text;
        return r;
    }
    r.written = changeDay(k, day.height, day.weight, text);
    r.outcome = r.written.ok ? DiaryNote::Added : DiaryNote::Refused;
    // The page, list and search show it as a change from outside the diary page would.
    if (r.written.ok) {
        emit diaryNoteAdded(date, line);
        tell(NotebookTable::Diary, NotebookChange::Kind::Changed, {k - 1}, true);
        emit fileReloaded(diaryFileName());
    }
    return r;
}

WriteResult Notebook::keepOtherVersion(const QString &bareName, const QStringList &records)
{
    const WriteResult kept = files.keepOtherVersion(bareName, records);
    if (kept.ok)
        emit outsideNoted();
    return kept;
}

WriteResult Notebook::setHelpTour(bool on)
{
    tour.helpTourOn = on ? 1 : 0;
    const WriteResult written = writeSettingsFile(files, tour.helpTourOn);
    if (written.ok)
        tell(NotebookTable::Settings, NotebookChange::Kind::Changed, {}, false);
    return written;
}

WriteResult Notebook::setGraphLimits(const GraphLimits &newLimits)
{
    limits = newLimits;
    const WriteResult written = writeGraphLimits(files, limits);
    if (written.ok)
        tell(NotebookTable::GraphLimits, NotebookChange::Kind::Changed, {}, false);
    return written;
}

RecipeLoad Notebook::loadRecipes()
{
    RecipeLoad load;
    if (m_preload && !std::exchange(m_preload->recipesTaken, true)) {
        recipes.recipes() = std::move(m_preload->recipes.recipes());
        recipes.beyondText = std::move(m_preload->recipes.beyondText);
        recipes.stats.clearCounts();
        recipes.totalPoint = 0;
        load = std::move(m_preload->recipeLoad);
    } else {
        load = readRecipeFile(files, recipes);
    }
    emit recipesChanged();
    return load;
}

void Notebook::computeRecipeStats()
{
    countRecipeStats(recipes.recipes(), recipes.stats);
    if (recipes.count() != 0)
        computeTotalPoint();
}

void Notebook::computeTotalPoint()
{
    computePointsAndLevel(recipes, profile.targetPoint);
    showLevelBar();
}

WriteResult Notebook::appendRecipe(const Recipe &recipe)
{
    return appendRecipeToFile(files, recipes, recipe);
}

WriteResult Notebook::saveRecipeFile(int skip) { return writeRecipeFile(files, recipes, skip); }

WriteResult Notebook::saveRecipe(int position, const Recipe &page)
{
    if (position == 0)
        return appendRecipe(page);
    Recipe &r = recipes.recipe(position);
    const QString name = r.name;
    r = page;
    r.name = name;
    return saveRecipeFile();
}

void Notebook::loadReferenceList()
{
    if (m_preload && !std::exchange(m_preload->referencesTaken, true))
        recipes.references = std::move(m_preload->recipes.references);
    else
        readReferenceFile(files, recipes);
}

WriteResult Notebook::appendReference(const QString &text)
{
    return appendReferenceLine(files, recipes, text);
}
