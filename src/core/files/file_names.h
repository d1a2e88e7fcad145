#pragma once

#include <QString>
#include <QList>
#include <QStringList>

// The notebook's data files by their bare names, each named here once. The layout of each
// lives with its subsystem's store.
inline QString profileFileName() { return QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"); }
inline QString diaryFileName() { return QStringLiteral("日記.txt"); }
inline QString settingsFileName() { return QStringLiteral("設定.txt"); }
inline QString graphFileName() { return QStringLiteral("グラフ.txt"); }
inline QString growthChartFileName() { return QStringLiteral("成長曲線.txt"); }
inline QString growthExportFileName() { return QStringLiteral("身長体重.txt"); }
inline QString scheduleFileName() { return QStringLiteral("予定.txt"); }
inline QString anniversaryFileName() { return QStringLiteral("記念日.txt"); }
inline QString giftsGivenFileName() { return QStringLiteral("贈りもの.txt"); }
inline QString giftsReceivedFileName() { return QStringLiteral("頂きもの.txt"); }
inline QString albumCaptionsFileName() { return QStringLiteral("写真見出し.txt"); }
inline QString recipeFileName() { return QStringLiteral("レシピ.txt"); }
inline QString referenceFileName() { return QStringLiteral("参考資料.txt"); }
inline QString firstFoodsFileName() { return QStringLiteral("はじめての食材.txt"); }
inline QString careLogFileName() { return QStringLiteral("お世話記録.txt"); }
inline QString vaccinationRecordsFileName() { return QStringLiteral("予防接種の記録.txt"); }
inline QString checkupsFileName() { return QStringLiteral("健診.txt"); }
inline QString milestonesFileName() { return QStringLiteral("できたよ.txt"); }

// How two versions of a data file are joined when two computers changed it.
enum class JoinRule {
    ByDate,        // records of several lines, one per date (日記)
    ByRecipe,      // records of several lines, one per recipe (レシピ)
    WholeLines,    // one record a line, the whole line its identity (registers, 予定, 記念日, …)
    ByLineNumber,  // line n means the same thing in every version (ﾌﾟﾗｲﾍﾞｰﾄ, 設定, 写真見出し, …)
    MadeFromOther, // written from other files: this program's version is simply written
    ByEntryId,     // one record a line, identified by its id field (お世話記録)
};

// One data file of the notebook and what every part of the program does with it: the join, the
// creation of missing files, the new notebook, the outside watch, the removal of leftovers, the
// conflict copies and the backup's notebook test all read this table, and nothing else names
// the files. A new kind of record is one row here.
struct DataFile {
    QString name;
    JoinRule join;
    bool createdWhenMissing; // a start makes it, holding neutral, when it is missing
    QString neutral;         // CP932 text; "" for an empty file
    bool emptiedByNewNotebook;
    bool watched;            // read again when another computer changes it
    bool marksNotebook;      // a folder (or a backup zip) holding all of these holds a notebook
};

// Every data file, in the order a new folder gets them.
const QList<DataFile> &dataFiles();
// The row of that bare name (whatever its letter case), nullptr for a file that is not one.
const DataFile *dataFile(const QString &bareName);

// All of their names, in the table's order.
QStringList dataFileNames();
