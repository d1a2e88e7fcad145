#include "ui/registers/register_commands.h"

#include "core/book/notebook.h"
#include "core/text/dates.h"
#include "core/files/dialogs.h"
#include "ui/registers/register_grid.h"

#include <QComboBox>
#include <QLineEdit>

namespace register_commands {

namespace {
const QString InputCheck = QStringLiteral("入力確認");
}

std::optional<QString> entryDate(Dialogs &dialogs, QComboBox *dateBox, QDate today)
{
    const std::optional<QDate> date = parseTypedDate(dateBox->currentText(), today);
    if (!date) {
        dialogs.warning(InputCheck, QStringLiteral("その入力は日付の形式ではありません\r\n\r\n"
                                                   "2002/02/18　のように入力してみて下さい"));
        dateBox->setFocus();
        return std::nullopt;
    }
    const QString text = dateText(*date);
    dateBox->setEditText(text);
    return text;
}

bool storable(Dialogs &dialogs, const QString &field, QLineEdit *box)
{
    const QString problem = unstorableFieldMessage(field, box->accessibleName());
    if (problem.isEmpty())
        return true;
    dialogs.warning(InputCheck, problem);
    box->setFocus();
    return false;
}

bool appendRecord(Notebook &notebook, Dialogs &dialogs, NotebookTable table, const QStringList &fields)
{
    return reportWrite(dialogs, notebook.addRegisterRecords(table, {fields}));
}

bool writeRecords(Notebook &notebook, Dialogs &dialogs, NotebookTable table,
                  const QList<QStringList> &records, const QList<int> &changedRecords)
{
    return reportWrite(dialogs, notebook.rewriteRegister(table, records, changedRecords));
}

void deleteChosen(Notebook &notebook, Dialogs &dialogs, RegisterGrid *grid, NotebookTable table,
                  const QString &question)
{
    if (grid->chosenFrom() <= 0)
        return;
    if (!dialogs.confirm(QStringLiteral("削除確認"), question, Dialogs::Icon::Warning,
                         Dialogs::Answer::Cancel))
        return;
    const int first = qMax(1, grid->chosenFirst());
    const int last = qMin(grid->rowCount(), grid->chosenLast());
    QList<QStringList> kept = grid->entries();
    if (first <= last)
        kept.remove(first - 1, last - first + 1);
    if (!writeRecords(notebook, dialogs, table, kept))
        return;
    grid->clearChoice();
}

void deleteAll(Notebook &notebook, Dialogs &dialogs, NotebookTable table, const QString &question)
{
    if (!dialogs.confirm(QStringLiteral("削除確認"), question, Dialogs::Icon::Warning,
                         Dialogs::Answer::Cancel))
        return;
    writeRecords(notebook, dialogs, table, {});
}

void tellNotWhole(Notebook &notebook, Dialogs &dialogs, const QString &title, const QString &fileName,
                  int records, const ReadDamage &damage)
{
    if (!notebook.files.markNotWhole(fileName))
        return;
    const QString where =
        damage.skipped.isEmpty() ? QString() : QStringLiteral("（%1）").arg(damage.skippedText());
    dialogs.warning(title, QStringLiteral("%1 には、そのままの形では書き戻せない行があります%3。\r\n"
                                          "読み込めた %2 件を表示します。\r\n\r\n"
                                          "このファイルを書き換える前に、元のファイルを同じフォルダーに日付付"
                                          "きの控え（.bak）として残します。")
                               .arg(fileName)
                               .arg(records)
                               .arg(where));
}

void fillDates(QComboBox *dateBox, const QStringList &dates, QDate today)
{
    dateBox->clear();
    dateBox->addItems(dates);
    dateBox->setEditText(dateText(today));
}

} // namespace register_commands
