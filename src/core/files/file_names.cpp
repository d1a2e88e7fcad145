#include "core/files/file_names.h"

namespace {

// What a start writes into a missing ﾌﾟﾗｲﾍﾞｰﾄ.txt: no child yet, a goal of 100 points, photos shown.
QString neutralProfile()
{
    return QStringLiteral("\r\n").repeated(8) + QStringLiteral(" 100 \r\n写真表示\r\n写真表示\r\n");
}

} // namespace

const QList<DataFile> &dataFiles()
{
    using J = JoinRule;
    // name, join, created when missing with, emptied by a new notebook, watched, marks a notebook
    static const QList<DataFile> table = {
        {profileFileName(), J::ByLineNumber, true, neutralProfile(), false, true, true},
        {diaryFileName(), J::ByDate, true, {}, true, true, true},
        {settingsFileName(), J::ByLineNumber, true, QStringLiteral("\"ヘルプツアー\",1\r\n"), false, true, false},
        {graphFileName(), J::ByLineNumber, true, QStringLiteral(" 40 \r\n 100 \r\n 2000 \r\n 16000 \r\n"), false,
         true, false},
        {scheduleFileName(), J::WholeLines, true, {}, true, true, false},
        {anniversaryFileName(), J::WholeLines, true, {}, true, true, false},
        {giftsGivenFileName(), J::WholeLines, true, {}, true, true, false},
        {giftsReceivedFileName(), J::WholeLines, true, {}, true, true, false},
        // Line n is album n's caption.
        {albumCaptionsFileName(), J::ByLineNumber, true, {}, false, true, false},
        // The recipes stay with a new notebook: the book is the cook's, not the child's.
        {recipeFileName(), J::ByRecipe, true, {}, false, true, false},
        {referenceFileName(), J::WholeLines, true, {}, true, true, false},
        {growthExportFileName(), J::MadeFromOther, false, {}, true, true, false},
        {growthChartFileName(), J::ByLineNumber, false, {}, false, true, false},
        // The foods the child has eaten are the child's, like the diary.
        {firstFoodsFileName(), J::WholeLines, false, {}, true, true, false},
        // The baby's hours, like the diary, are the child's. Made by the first entry, so that a
        // notebook that never keeps one has no such file.
        {careLogFileName(), J::ByEntryId, false, {}, true, true, false},
        // The doses given, one a line: the child's, like the diary.
        {vaccinationRecordsFileName(), J::WholeLines, false, {}, true, true, false},
        // The check-ups (乳幼児健診) and the firsts (できたよ), one a line: the child's too.
        {checkupsFileName(), J::WholeLines, false, {}, true, true, false},
        {milestonesFileName(), J::WholeLines, false, {}, true, true, false},
    };
    return table;
}

const DataFile *dataFile(const QString &bareName)
{
    for (const DataFile &f : dataFiles())
        if (f.name.compare(bareName, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

QStringList dataFileNames()
{
    QStringList names;
    for (const DataFile &f : dataFiles())
        names.append(f.name);
    return names;
}
