#pragma once

#include "core/files/notebook_files.h"
#include "core/notebook/anniversary_store.h"
#include "core/notebook/diary_store.h"
#include "core/notebook/growth.h"
#include "core/notebook/growth_chart_store.h"

// The diary's files for the rest of the program: 日記.txt, グラフ.txt, 身長体重.txt and
// 記念日.txt. Only this module opens them.

struct DiaryLoad {
    bool firstNotWhole = false; // the diary turned out not to be readable whole, for the first time
    ReadDamage damage;          // what could not be shown, for the warning
};

// The file half of readDiary: the day table from 日記.txt, the axis limits from グラフ.txt.
DiaryLoad readDiaryFiles(NotebookFiles &files, DiaryTable &diary, GraphLimits &limits);
// One record at the end of 日記.txt (the table, for a file not read whole).
WriteResult appendDiaryRecord(NotebookFiles &files, const DiaryTable &diary, const QString &date,
                              double height, double weight, const QString &text);
// 日記.txt anew from the table.
WriteResult writeDiaryFile(NotebookFiles &files, const DiaryTable &diary);

WriteResult writeGraphLimits(NotebookFiles &files, const GraphLimits &limits);
// 成長曲線.txt: the child's sex and whether the reference bands are drawn.
GrowthChartSettings readGrowthChartFile(const NotebookFiles &files);
WriteResult writeGrowthChartFile(NotebookFiles &files, const GrowthChartSettings &settings);
WriteResult writeGrowthExport(NotebookFiles &files, const GrowthSeries &series);

// 記念日.txt; firstNotWhole as for the diary.
AnniversaryRead readAnniversaryFile(NotebookFiles &files, bool *firstNotWhole);
WriteResult writeAnniversaryFile(NotebookFiles &files, const QStringList &entries);
