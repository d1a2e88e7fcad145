#pragma once

#include <QString>
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

// All of them, in the order a new folder gets them.
inline QStringList dataFileNames()
{
    return {profileFileName(),       diaryFileName(),       settingsFileName(),   graphFileName(),
            scheduleFileName(),      anniversaryFileName(), giftsGivenFileName(), giftsReceivedFileName(),
            albumCaptionsFileName(), recipeFileName(),      referenceFileName(),  growthExportFileName(),
            growthChartFileName(),   firstFoodsFileName()};
}
