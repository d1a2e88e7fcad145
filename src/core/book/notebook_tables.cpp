#include "core/book/notebook.h"

#include "core/care/care_minutes.h"
#include "core/files/file_names.h"
#include "core/notebook/diary_files.h"
#include "core/profile/profile_files.h"
#include "core/recipes/recipe_files.h"
#include "core/registers/register_files.h"

#include <algorithm>

namespace {

struct TableFile {
    QString (*name)();
    NotebookTable table;
    int registerFields; // 0 for a file that is not a register
};

// Which table holds which file; 身長体重.txt is written from the growth series and has none.
const QList<TableFile> &tableFiles()
{
    using T = NotebookTable;
    static const QList<TableFile> table = {
        {profileFileName, T::Profile, 0},
        {diaryFileName, T::Diary, 0},
        {settingsFileName, T::Settings, 0},
        {graphFileName, T::GraphLimits, 0},
        {scheduleFileName, T::Schedule, 2},
        {anniversaryFileName, T::Anniversaries, 0},
        {giftsGivenFileName, T::GiftsGiven, 2},
        {giftsReceivedFileName, T::GiftsReceived, 3}, // the thanks mark
        {albumCaptionsFileName, T::Captions, 0},
        {recipeFileName, T::Recipes, 0},
        {referenceFileName, T::References, 0},
        {growthChartFileName, T::GrowthChart, 0},
        {firstFoodsFileName, T::FirstFoods, 0},
        {vaccinationRecordsFileName, T::VaccinationRecords, 0},
        {checkupsFileName, T::Checkups, 0},
        {milestonesFileName, T::Milestones, 0},
        {careLogFileName, T::CareLog, 0},
    };
    return table;
}

const TableFile *rowOf(NotebookTable table)
{
    for (const TableFile &row : tableFiles())
        if (row.table == table)
            return &row;
    return nullptr;
}

bool earlierFood(const first_foods::Entry &a, const first_foods::Entry &b) { return a.date < b.date; }

} // namespace

std::optional<NotebookTable> tableOfFile(const QString &bareName)
{
    for (const TableFile &row : tableFiles())
        if (row.name().compare(bareName, Qt::CaseInsensitive) == 0)
            return row.table;
    return std::nullopt;
}

QString registerFileOf(NotebookTable table)
{
    const TableFile *row = rowOf(table);
    return row && row->registerFields > 0 ? row->name() : QString();
}

int registerFieldsOf(NotebookTable table)
{
    const TableFile *row = rowOf(table);
    return row ? row->registerFields : 0;
}

void Notebook::tell(NotebookTable table, NotebookChange::Kind kind, const QList<int> &records,
                    bool fromOutside)
{
    emit changed(NotebookChange{table, kind, records, fromOutside});
}

void Notebook::readTable(NotebookTable table)
{
    using T = NotebookTable;
    switch (table) {
    case T::Profile:
        readProfile();
        computeTotalPoint();
        break;
    case T::Diary:
    case T::GraphLimits:
        readDiary(); // reads both files
        break;
    case T::Recipes:
        loadRecipes();
        computeRecipeStats();
        break;
    case T::References:
        loadReferenceList();
        break;
    case T::Settings:
        readSettings(tour, files);
        break;
    case T::GrowthChart:
        growthChart = readGrowthChartFile(files);
        break;
    case T::Schedule:
    case T::GiftsGiven:
    case T::GiftsReceived:
        mutableRegister(table) = readRegisterFile(files, registerFileOf(table), registerFieldsOf(table));
        break;
    case T::Anniversaries: {
        bool firstNotWhole = false;
        anniversaries = readAnniversaryFile(files, &firstNotWhole).entries;
        m_anniversariesNotWhole = m_anniversariesNotWhole || firstNotWhole;
        break;
    }
    case T::Captions:
        captions = readAlbumCaptionsFile(files);
        break;
    case T::FirstFoods:
        firstFoods = first_foods::read(files);
        break;
    case T::CareLog:
        careLog = care::load(files);
        m_careIds.clear();
        m_careIdsMade = false;
        break;
    case T::VaccinationRecords:
        vaccinationRecords = vaccination_records::read(files);
        break;
    case T::Checkups:
        checkups = checkups::read(files);
        break;
    case T::Milestones:
        milestones = milestones::read(files);
        break;
    }
    tell(table, NotebookChange::Kind::Anew, {}, true);
}

const RegisterText &Notebook::registerTable(NotebookTable table) const
{
    return table == NotebookTable::GiftsGiven      ? giftsGiven
           : table == NotebookTable::GiftsReceived ? giftsReceived
                                                   : schedule;
}

RegisterText &Notebook::mutableRegister(NotebookTable table)
{
    return const_cast<RegisterText &>(std::as_const(*this).registerTable(table));
}

WriteResult Notebook::addRegisterRecords(NotebookTable table, const QList<QStringList> &records)
{
    const WriteResult written = appendRegisterRecords(files, registerFileOf(table), records);
    if (!written.ok)
        return written;
    RegisterText &text = mutableRegister(table);
    QList<int> added;
    for (const QStringList &record : records)
        added.append(text.append(record));
    tell(table, NotebookChange::Kind::Added, added, false);
    return written;
}

WriteResult Notebook::rewriteRegister(NotebookTable table, const QList<QStringList> &records,
                                      const QList<int> &changedRecords)
{
    const WriteResult written = writeRegisterFile(files, registerFileOf(table), records);
    if (!written.ok)
        return written;
    RegisterText text(registerFieldsOf(table));
    for (const QStringList &record : records)
        text.append(record);
    mutableRegister(table) = std::move(text);
    tell(table, NotebookChange::Kind::Anew, changedRecords, false);
    return written;
}

WriteResult Notebook::addAnniversary(const QString &entry)
{
    QStringList entries = anniversaries;
    ::addAnniversary(entries, entry);
    const WriteResult written = writeAnniversaryFile(files, entries);
    if (!written.ok)
        return written;
    anniversaries = entries;
    tell(NotebookTable::Anniversaries, NotebookChange::Kind::Anew, {int(entries.lastIndexOf(entry))}, false);
    return written;
}

WriteResult Notebook::setAlbumCaption(int g, const QString &caption)
{
    AlbumCaptions changedCaptions = captions;
    changedCaptions[g - 1] = caption;
    const WriteResult written = writeAlbumCaptionsFile(files, changedCaptions);
    if (!written.ok)
        return written;
    captions = changedCaptions;
    tell(NotebookTable::Captions, NotebookChange::Kind::Changed, {g - 1}, false);
    return written;
}

WriteResult Notebook::setGrowthChart(const GrowthChartSettings &settings)
{
    const WriteResult written = writeGrowthChartFile(files, settings);
    if (!written.ok)
        return written;
    growthChart = settings;
    tell(NotebookTable::GrowthChart, NotebookChange::Kind::Changed, {0}, false);
    return written;
}

WriteResult Notebook::addFirstFood(const first_foods::Entry &entry)
{
    const WriteResult written = first_foods::append(files, entry);
    if (!written.ok)
        return written;
    // Last in the file: after every entry of its date, as a read would sort it.
    const auto at = std::upper_bound(firstFoods.begin(), firstFoods.end(), entry, earlierFood);
    const int position = int(at - firstFoods.begin());
    firstFoods.insert(position, entry);
    tell(NotebookTable::FirstFoods, NotebookChange::Kind::Anew, {position}, false);
    return written;
}

WriteResult Notebook::changeFirstFood(const first_foods::Entry &was,
                                      const std::optional<first_foods::Entry> &now)
{
    QList<QStringList> records;
    const WriteResult written = first_foods::change(files, was, now, &records);
    if (!written.ok) {
        // The entry was not found in the file as it stands: the list shows what it holds.
        readTable(NotebookTable::FirstFoods);
        return written;
    }
    firstFoods = first_foods::entriesInOrder(records);
    QList<int> positions;
    if (now)
        positions.append(int(firstFoods.indexOf(*now)));
    tell(NotebookTable::FirstFoods, NotebookChange::Kind::Anew, positions, false);
    return written;
}

WriteResult Notebook::addCareEntry(const care::Entry &entry)
{
    if (const QString refusal = care::checkEntry(entry); !refusal.isEmpty())
        return WriteResult::failed(refusal);
    care::Entry kept = care::normalized(entry);
    if (kept.id.isEmpty()) {
        kept.id = care::newId();
    } else {
        if (!std::exchange(m_careIdsMade, true))
            for (const care::Entry &e : careLog)
                m_careIds.insert(e.id);
        if (m_careIds.contains(kept.id))
            return {};
    }
    const WriteResult written = care::add(files, careLog, kept);
    if (!written.ok)
        return written;
    const bool latest = careLog.isEmpty() || !care::earlier(kept, careLog.last());
    const auto at =
        latest ? careLog.end() : std::upper_bound(careLog.begin(), careLog.end(), kept, care::earlier);
    const int position = int(at - careLog.begin());
    careLog.insert(position, kept);
    m_careIds.insert(kept.id);
    tell(NotebookTable::CareLog, latest ? NotebookChange::Kind::Added : NotebookChange::Kind::Anew,
         {position}, false);
    return written;
}

WriteResult Notebook::changeCareEntry(const QString &id, const std::optional<care::Entry> &now)
{
    std::optional<care::Entry> kept;
    if (now) {
        if (const QString refusal = care::checkEntry(*now); !refusal.isEmpty())
            return WriteResult::failed(refusal);
        kept = care::normalized(*now);
        kept->id = id; // a change keeps what identifies the entry everywhere
    }
    const WriteResult written = care::change(files, careLog, id, kept);
    if (!written.ok)
        return written;
    const auto was =
        std::find_if(careLog.begin(), careLog.end(), [&id](const care::Entry &e) { return e.id == id; });
    careLog.erase(was);
    m_careIds.remove(id);
    QList<int> positions;
    if (kept) {
        const auto at = std::upper_bound(careLog.begin(), careLog.end(), *kept, care::earlier);
        positions.append(int(at - careLog.begin()));
        careLog.insert(positions.first(), *kept);
        m_careIds.insert(kept->id);
    }
    tell(NotebookTable::CareLog, NotebookChange::Kind::Anew, positions, false);
    return written;
}

template <typename Entry>
WriteResult Notebook::addLine(NotebookTable table, QList<Entry> &list, const Entry &entry,
                              WriteResult (*append)(NotebookFiles &, const Entry &))
{
    const WriteResult written = append(files, entry);
    if (!written.ok)
        return written;
    list.append(entry);
    tell(table, NotebookChange::Kind::Added, {int(list.size() - 1)}, false);
    return written;
}

template <typename Entry>
WriteResult Notebook::changeLine(NotebookTable table, QList<Entry> &list, const Entry &was,
                                 const std::optional<Entry> &now, LineChange<Entry> change,
                                 QList<Entry> (*entriesOf)(const QList<QStringList> &))
{
    QList<QStringList> records;
    const WriteResult written = change(files, was, now, &records);
    if (!written.ok) {
        readTable(table);
        return written;
    }
    list = entriesOf(records);
    QList<int> positions;
    if (now)
        positions.append(int(list.lastIndexOf(*now)));
    tell(table, NotebookChange::Kind::Anew, positions, false);
    return written;
}

WriteResult Notebook::markVaccination(const vaccination_records::Entry &entry)
{
    if (const vaccination_records::Entry *was = vaccination_records::find(vaccinationRecords, entry.doseId))
        return changeVaccinationRecord(*was, entry);
    return addLine(NotebookTable::VaccinationRecords, vaccinationRecords, entry, vaccination_records::append);
}

WriteResult Notebook::changeVaccinationRecord(const vaccination_records::Entry &was,
                                              const std::optional<vaccination_records::Entry> &now)
{
    return changeLine(NotebookTable::VaccinationRecords, vaccinationRecords, was, now,
                      vaccination_records::change, vaccination_records::entriesOf);
}

WriteResult Notebook::addCheckup(const checkups::Entry &entry)
{
    return addLine(NotebookTable::Checkups, checkups, entry, checkups::append);
}

WriteResult Notebook::changeCheckup(const checkups::Entry &was, const std::optional<checkups::Entry> &now)
{
    return changeLine(NotebookTable::Checkups, checkups, was, now, checkups::change, checkups::entriesOf);
}

WriteResult Notebook::addMilestone(const milestones::Entry &entry)
{
    return addLine(NotebookTable::Milestones, milestones, entry, milestones::append);
}

WriteResult Notebook::changeMilestone(const milestones::Entry &was,
                                      const std::optional<milestones::Entry> &now)
{
    return changeLine(NotebookTable::Milestones, milestones, was, now, milestones::change,
                      milestones::entriesOf);
}

WriteResult Notebook::saveNicknameAndGoal(const QString &nickname, qint16 targetPoint,
                                          const QString &goalText)
{
    const WriteResult written = writeProfileFile(files, profile, goalText);
    if (!written.ok)
        return written;
    setNicknameAndGoal(nickname, targetPoint);
    tell(NotebookTable::Profile, NotebookChange::Kind::Changed, {}, false);
    return written;
}
