#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

#include <optional>

// The tables the Notebook holds, one per kind of record.
enum class NotebookTable {
    Profile,
    Diary,
    Recipes,
    References,
    Settings,
    GraphLimits,
    GrowthChart,
    Schedule,
    GiftsGiven,
    GiftsReceived,
    Anniversaries,
    Captions, // the album captions
    FirstFoods,
    CareLog,            // お世話記録
    VaccinationRecords, // the doses given
    Checkups,           // 乳幼児健診
    Milestones,         // できたよ
};

// One change of one table, as Notebook::changed tells it.
struct NotebookChange {
    enum class Kind {
        Anew,    // the whole table may differ; records names what this edit added or changed, if any
        Added,   // records were appended at the end; the others stayed where they were
        Changed, // records changed in place; the others stayed as they were
    };
    NotebookTable table = NotebookTable::Profile;
    Kind kind = Kind::Anew;
    QList<int> records; // positions in the table after the change, from 0
    // Read from the folder (a first read, another computer's change, a restore, a save that
    // joined the other computer's records), or a change the screens show as such (the recipe
    // book's cooking note in the diary), rather than an edit the screen showing it made.
    bool fromOutside = false;
};
Q_DECLARE_METATYPE(NotebookChange)

// The table that holds a data file's records (whatever the name's letter case); none for a
// file that is only written from other tables (身長体重.txt) or is not a data file.
std::optional<NotebookTable> tableOfFile(const QString &bareName);
// The data file of a table of register records (schedule, gifts), and its field count.
QString registerFileOf(NotebookTable table);
int registerFieldsOf(NotebookTable table);
