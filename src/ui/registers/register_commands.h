#pragma once

#include "core/book/notebook_tables.h"
#include "core/files/read_damage.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Dialogs;
class Notebook;
class QComboBox;
class QLineEdit;
class RegisterGrid;
struct WriteResult;

// Steps the schedule and the two gift registers share.
namespace register_commands {

// The date of a new entry as yyyy/mm/dd (the box then shows it so); a text that is not a
// date is refused with a message before anything is written.
std::optional<QString> entryDate(Dialogs &dialogs, QComboBox *dateBox, QDate today);

// False, after a message naming the reason, when the field cannot be kept in the file.
bool storable(Dialogs &dialogs, const QString &field, QLineEdit *box);

// Appends one record to a register through the Notebook; a file whose last line lacks its
// CR LF gets one first. False after a message when the write failed.
bool appendRecord(Notebook &notebook, Dialogs &dialogs, NotebookTable table, const QStringList &fields);

// A register anew from records, in their order, through the Notebook. False after a message
// when the write failed.
bool writeRecords(Notebook &notebook, Dialogs &dialogs, NotebookTable table,
                  const QList<QStringList> &records, const QList<int> &changedRecords = {});

// The rows chosen in the grid, after the question (Cancel the default): the register is
// written without them, in the grid's order, and the grid follows the Notebook's table; a
// failed write changes nothing. The choice is cleared afterwards.
void deleteChosen(Notebook &notebook, Dialogs &dialogs, RegisterGrid *grid, NotebookTable table,
                  const QString &question);

// After the question, empties the register.
void deleteAll(Notebook &notebook, Dialogs &dialogs, NotebookTable table, const QString &question);

// Told once per file and run when a register file holds lines it cannot write back the same,
// naming them.
void tellNotWhole(Notebook &notebook, Dialogs &dialogs, const QString &title, const QString &fileName,
                  int records, const ReadDamage &damage);

// Fills a date box's list anew and puts today into its text.
void fillDates(QComboBox *dateBox, const QStringList &dates, QDate today);

} // namespace register_commands
