#include "core/notebook/diary_files.h"

#include "core/text/cp932.h"

DiaryLoad readDiaryFiles(NotebookFiles &files, DiaryTable &diary, GraphLimits &limits)
{
    DiaryLoad load;
    DiaryParse parsed = parseDiary(files.read(diaryFileName()));
    diary.days() = std::move(parsed.days);
    diary.beyondText = beyondTextForWrite(parsed.damage);
    diary.fileOutOfOrder = !parsed.inOrder;
    files.setTidy(diaryFileName(), parsed.tidy);
    if (!parsed.whole)
        load.firstNotWhole = files.markNotWhole(diaryFileName());
    load.damage = std::move(parsed.damage);
    limits = parseGraphLimits(cp932::decode(files.read(graphFileName())));
    return load;
}

WriteResult appendDiaryRecord(NotebookFiles &files, const DiaryTable &diary, const QString &date,
                              double height, double weight, const QString &text)
{
    return files.appendRecord(diaryFileName(), diaryRecordText(date, height, weight, text),
                              [&diary] { return diaryFileText(diary.days()) + diary.beyondText; });
}

WriteResult writeDiaryFile(NotebookFiles &files, const DiaryTable &diary)
{
    return files.rewrite(diaryFileName(), diaryFileText(diary.days()) + diary.beyondText);
}

WriteResult writeGraphLimits(NotebookFiles &files, const GraphLimits &limits)
{
    return files.rewrite(graphFileName(), graphLimitsText(limits));
}

GrowthChartSettings readGrowthChartFile(const NotebookFiles &files)
{
    return parseGrowthChartSettings(files.read(growthChartFileName()));
}

WriteResult writeGrowthChartFile(NotebookFiles &files, const GrowthChartSettings &settings)
{
    return files.rewrite(growthChartFileName(), growthChartSettingsText(settings));
}

WriteResult writeGrowthExport(NotebookFiles &files, const GrowthSeries &series)
{
    return files.rewrite(growthExportFileName(), growthExportText(series));
}

AnniversaryRead readAnniversaryFile(NotebookFiles &files, bool *firstNotWhole)
{
    AnniversaryRead read = parseAnniversaries(files.read(anniversaryFileName()));
    *firstNotWhole = !read.whole && files.markNotWhole(anniversaryFileName());
    return read;
}

WriteResult writeAnniversaryFile(NotebookFiles &files, const QStringList &entries)
{
    return files.rewrite(anniversaryFileName(), anniversaryFileText(entries));
}
