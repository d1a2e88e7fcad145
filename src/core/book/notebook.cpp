#include "core/book/notebook.h"

#include "core/notebook/anniversary_store.h"
#include "core/profile/new_notebook.h"
#include "core/profile/profile_files.h"
#include "core/recipes/points.h"
#include "core/registers/register_files.h"

Notebook::Notebook(const QString &dir, Clock &clockOfRun) : files(dir, clockOfRun), clock(clockOfRun) {}

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
    for (const QString &name :
         {anniversaryFileName(), referenceFileName(), growthExportFileName(), giftsGivenFileName(),
          giftsReceivedFileName(), diaryFileName(), scheduleFileName()})
        changes.append({name, QString()});
    changes.append({diaryFileName(), diaryRecordText(birthDate, height, weight, QString()), true});
    return replaceFiles(files, changes);
}

DiaryLoad Notebook::readDiary()
{
    const DiaryLoad load = readDiaryFiles(files, diary, limits);
    buildGrowth();
    emit diaryChanged();
    return load;
}

WriteResult Notebook::appendDay(const QString &date, double height, double weight, const QString &text)
{
    return appendDiaryRecord(files, diary, date, height, weight, text);
}

WriteResult Notebook::writeDiary() { return writeDiaryFile(files, diary); }

void Notebook::buildGrowth() { ::buildGrowth(diary, growth); }

RecipeLoad Notebook::loadRecipes()
{
    const RecipeLoad load = readRecipeFile(files, recipes);
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

void Notebook::loadReferenceList() { readReferenceFile(files, recipes); }

WriteResult Notebook::appendReference(const QString &text)
{
    return appendReferenceLine(files, recipes, text);
}
