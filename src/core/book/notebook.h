#pragma once

#include "core/book/notebook_tables.h"
#include "core/care/care_log.h"
#include "core/files/clock.h"
#include "core/files/help_tour.h"
#include "core/files/notebook_files.h"
#include "core/notebook/anniversary_store.h"
#include "core/notebook/diary_store.h"
#include "core/notebook/growth.h"
#include "core/notebook/growth_chart_store.h"
#include "core/profile/profile_store.h"
#include "core/recipes/recipe_store.h"
#include "core/registers/album_captions.h"
#include "core/registers/checkups.h"
#include "core/registers/first_foods.h"
#include "core/registers/milestones.h"
#include "core/registers/register_file.h"
#include "core/registers/vaccination_records.h"

#include <QObject>
#include <QSet>

#include <memory>
#include <optional>
#include <utility>

struct DiaryLoad;
struct NotebookPreload;
struct RecipeLoad;

// The open notebook: its files and everything the screens share for the whole run (the
// profile, the day table and growth series, the recipe tables, the help-tour values). Memory
// is a copy of the files outside a handler. Screens read the tables directly and change them
// only through the methods here, which write through the file modules and then tell every
// screen what changed.
class Notebook : public QObject
{
    Q_OBJECT
public:
    Notebook(const QString &dir, Clock &clock);

    NotebookFiles files;
    Clock &clock;
    Profile profile;
    DiaryTable diary;
    GrowthSeries growth;
    GraphLimits limits;
    HelpTour tour;
    RecipeBook recipes;
    // The tables below are read when a screen first shows them (readTable) and when their file
    // changes outside; every edit goes through the methods of notebook_tables.cpp.
    RegisterText schedule{registerFieldsOf(NotebookTable::Schedule)};
    RegisterText giftsGiven{registerFieldsOf(NotebookTable::GiftsGiven)};
    RegisterText giftsReceived{registerFieldsOf(NotebookTable::GiftsReceived)};
    QStringList anniversaries; // KinenList, in the file's order
    AlbumCaptions captions;
    GrowthChartSettings growthChart;
    QList<first_foods::Entry> firstFoods;                 // in order of date (then as in the file)
    QList<care::Entry> careLog;                           // in time order (then as in the file)
    QList<vaccination_records::Entry> vaccinationRecords; // as in the file
    QList<checkups::Entry> checkups;                      // 健診, as in the file
    QList<milestones::Entry> milestones;                  // できたよ, as in the file

    const NotebookFolder &folder() const { return files.folder(); }

    // The start-up's reads, on any thread (nothing of a Notebook is touched): the reference
    // list, the recipe tables, the day table with its growth series and chart limits, in the
    // order the notebook screen's load reads them.
    static std::shared_ptr<NotebookPreload> preload(const QString &dir, Clock &clock);
    // On the notebook's thread: what preload read becomes this notebook's memory of those
    // files, and the next loadReferenceList, loadRecipes and readDiary each take their table
    // from it instead of reading the file again. dropPreload forgets what was not taken.
    void takePreload(std::shared_ptr<NotebookPreload> preload);
    void dropPreload() { m_preload.reset(); }

    // The file half of readProfile.
    void readProfile();
    // ﾌﾟﾗｲﾍﾞｰﾄ.txt whole from memory.
    WriteResult writeProfile();
    // Sets a picture mode of the profile (DiaryPictureMode or PictureMode) and saves the
    // profile, but only for a real switch.
    WriteResult setPictureMode(QString &mode, const QString &value);
    // The point-goal save after its file: Nickname and TargetPoint, both window titles, then
    // the level against the new goal, and showLevelBar.
    void setNicknameAndGoal(const QString &nickname, qint16 targetPoint);
    // The new-notebook command's writes, all or none, after a dated copy of every file they
    // change: ﾌﾟﾗｲﾍﾞｰﾄ.txt from profileFileText, the notebook's data files emptied in their
    // order (the recipes stay), and the birth day appended as the first day of 日記.txt.
    // Memory stays as it was: the program ends next.
    WriteResult startNewNotebook(const QString &profileFileText, const QString &birthDate, double height,
                                 double weight);

    // The file half of readDiary, and the growth series built from what was read.
    DiaryLoad readDiary();
    // One record at the end of 日記.txt.
    WriteResult appendDay(const QString &date, double height, double weight, const QString &text);
    // 日記.txt anew from the table.
    WriteResult writeDiary();
    // The growth series built from the day table.
    void buildGrowth();
    // A new day: appended, the table read again, and when the file no longer holds the days in
    // date order (the day came before the last day) 日記.txt rewritten in the table's order. A
    // failed rewrite says that the day is in. The height is kept to 0.1 cm, the weight to the gram.
    WriteResult addDay(const QString &date, double height, double weight, const QString &text);
    // Day k's height (kept to 0.1 cm), weight and text, and 日記.txt anew; the table read again.
    WriteResult changeDay(int k, double height, qint16 weight, const QString &text);
    // A line added to the text of that date's day (the recipe book's cooking note), through the
    // diary's own checks and save; once only: a day whose text has the line already is left.
    enum class DiaryNote { Added, AlreadyThere, NoDay, Refused };
    struct DiaryNoteResult {
        DiaryNote outcome = DiaryNote::NoDay;
        WriteResult written;
        QString refusal; // the diary's refusal, for the box
    };
    DiaryNoteResult noteInDiary(const QString &date, const QString &line);
    // A record changed on a screen while the other computer's change to it came in: the file's
    // version kept whole in a dated copy before this side's is saved; the note tells of both.
    WriteResult keepOtherVersion(const QString &bareName, const QStringList &records);
    // The help tour switched on or off, and 設定.txt anew.
    WriteResult setHelpTour(bool on);
    // The chart's axis limits, and グラフ.txt anew.
    WriteResult setGraphLimits(const GraphLimits &newLimits);

    // loadRecipes: the tables from レシピ.txt; statistics counts and points set to 0.
    RecipeLoad loadRecipes();
    // computeRecipeStats: counts and ratios, and for a book that is not empty the points.
    void computeRecipeStats();
    // computeTotalPoint: TotalPoint and LevelPercent, then showLevelBar.
    void computeTotalPoint();
    // showLevelBar: every level bar and points display recolours itself.
    void showLevelBar() { emit levelShown(); }
    // appendRecipe: one record at the end of レシピ.txt.
    WriteResult appendRecipe(const Recipe &recipe);
    // saveRecipeFile: レシピ.txt anew from the tables, leaving out position skip when not 0.
    WriteResult saveRecipeFile(int skip = 0);
    // The page stored as a new recipe at the end (position 0) or over the recipe at position,
    // whose name it keeps.
    WriteResult saveRecipe(int position, const Recipe &page);
    // The recipe at position p deleted from レシピ.txt.
    WriteResult deleteRecipe(int p) { return saveRecipeFile(p); }
    // loadReferenceList, appendReference: 参考資料.txt.
    void loadReferenceList();
    WriteResult appendReference(const QString &text);

    // The tables held for the screens (notebook_tables.cpp). Each method writes through the
    // file modules; the table then follows what was written, without reading the file back,
    // and changed tells it. A failed write leaves the table as it was and tells nothing.
    // That table read from its file, then changed (Anew, from outside).
    void readTable(NotebookTable table);
    // The schedule's or a gift register's records, in the file's order.
    const RegisterText &registerTable(NotebookTable table) const;
    // Records appended to a register in one write (Added).
    WriteResult addRegisterRecords(NotebookTable table, const QList<QStringList> &records);
    // A register's file anew from records, in their order (Anew); changedRecords are the
    // positions this edit changed, for the screens to point at.
    WriteResult rewriteRegister(NotebookTable table, const QList<QStringList> &records,
                                const QList<int> &changedRecords = {});
    // A new anniversary, kept in the list's order (Anew, naming where it went).
    WriteResult addAnniversary(const QString &entry);
    // True once after a read of 記念日.txt that could not hold every line: the list tells.
    bool takeAnniversariesNotWhole() { return std::exchange(m_anniversariesNotWhole, false); }
    // Album g's caption (g from 1), written only when the file can hold it (Changed).
    WriteResult setAlbumCaption(int g, const QString &caption);
    // The growth chart's sex and bands (Changed).
    WriteResult setGrowthChart(const GrowthChartSettings &settings);
    // はじめての食材: an entry added (Anew: the list is in order of date), one changed or
    // taken out (now empty) when it is still in the file.
    WriteResult addFirstFood(const first_foods::Entry &entry);
    WriteResult changeFirstFood(const first_foods::Entry &was, const std::optional<first_foods::Entry> &now);
    // お世話記録: an entry added after care::checkEntry (refused with its message), kept as
    // care::normalized gives it and given a new id when it has none (Added when it is the
    // latest, else Anew, naming its position). An entry whose id is in the table already (a
    // phone sending it again) is not added twice: ok, and nothing changed.
    WriteResult addCareEntry(const care::Entry &entry);
    // The entry of that id replaced by now (checked the same way), or taken out when now is
    // empty (Anew, naming now's position).
    WriteResult changeCareEntry(const QString &id, const std::optional<care::Entry> &now);
    // 予防接種の記録: a dose marked as given (Added), or its line changed when the dose was
    // marked before (Anew); a line changed or taken out (now empty) when it is still in the file.
    WriteResult markVaccination(const vaccination_records::Entry &entry);
    WriteResult changeVaccinationRecord(const vaccination_records::Entry &was,
                                        const std::optional<vaccination_records::Entry> &now);
    // 健診 and できたよ: a record added (Added), a line changed or taken out (now empty) when it
    // is still in the file (Anew, naming now's position); a line another computer changed is
    // not written, the table is read again and the refusal says so.
    WriteResult addCheckup(const checkups::Entry &entry);
    WriteResult changeCheckup(const checkups::Entry &was, const std::optional<checkups::Entry> &now);
    WriteResult addMilestone(const milestones::Entry &entry);
    WriteResult changeMilestone(const milestones::Entry &was, const std::optional<milestones::Entry> &now);
    // The point-goal save: ﾌﾟﾗｲﾍﾞｰﾄ.txt with line 9 as the goal's text, then
    // setNicknameAndGoal; memory stays as it was when the write failed.
    WriteResult saveNicknameAndGoal(const QString &nickname, qint16 targetPoint, const QString &goalText);

    // Another computer: the files it changed since they were read here, read again (each
    // then fileReloaded); the program's own writes are never among them.
    QStringList checkOutside();
    // That file's part of memory read again from the folder, then fileReloaded.
    void reloadFile(const QString &bareName);
    // The whole notebook was replaced (a restore over it): every file read again, then
    // replaced(); nothing typed on a screen is kept, it belonged to the notebook that went.
    void reloadAll();

signals:
    // A table changed: an edit through one of the methods above, or a read from the folder.
    void changed(const NotebookChange &change);
    // A file was read again because it changed outside (or a save joined another computer's
    // version into it): the screens showing it show it anew, keeping what is being typed.
    void fileReloaded(const QString &bareName);
    // The recipe book's cooking note went into that day's text (before fileReloaded): a page
    // being typed on that day takes the line in with what is typed.
    void diaryNoteAdded(const QString &date, const QString &line);
    // A note for the status line waits (takeOutsideNote) after a save kept another version.
    void outsideNoted();
    // The notebook's files were all replaced: every screen shows the new notebook afresh.
    void replaced();
    // The profile in memory was read or changed.
    void profileChanged();
    // The day table and the growth series were read again (after a load or a save).
    void diaryChanged();
    // The recipe tables were read again: screens built from them start afresh.
    void recipesChanged();
    // The points and the level are to be shown.
    void levelShown();

private:
    void tell(NotebookTable table, NotebookChange::Kind kind, const QList<int> &records, bool fromOutside);
    RegisterText &mutableRegister(NotebookTable table);
    // A table of one-line records (the doses given, 健診, できたよ): a record appended, or the
    // line of was changed or taken out, through its module's functions, then told.
    template <typename Entry>
    using LineChange = WriteResult (*)(NotebookFiles &, const Entry &, const std::optional<Entry> &,
                                       QList<QStringList> *);
    template <typename Entry>
    WriteResult addLine(NotebookTable table, QList<Entry> &list, const Entry &entry,
                        WriteResult (*append)(NotebookFiles &, const Entry &));
    template <typename Entry>
    WriteResult changeLine(NotebookTable table, QList<Entry> &list, const Entry &was,
                           const std::optional<Entry> &now, LineChange<Entry> change,
                           QList<Entry> (*entriesOf)(const QList<QStringList> &));

    bool m_anniversariesNotWhole = false;
    // The ids of careLog's entries, made when an entry first comes with its own id (a phone's):
    // a retry is then found without a walk through years of entries.
    QSet<QString> m_careIds;
    bool m_careIdsMade = false;
    std::shared_ptr<NotebookPreload> m_preload;
};
