#pragma once

#include "core/registers/first_foods.h"

#include <QDialog>

class Dialogs;
class Notebook;
class Printer;
class QComboBox;
class QLineEdit;
class QTableWidget;

// はじめての食材: every food of the starting list and every food entered, the eaten ones
// first in order of the date, with the allergen mark (★), the reaction ("あり" in red) and the
// note; a food is entered once. Choosing an entered row puts it into the boxes below, where
// 変更 writes it back changed and 削除 takes it out. A search box narrows the list.
class FirstFoodsWindow : public QDialog
{
    Q_OBJECT
public:
    // printer: where 印刷 prints the register; none, no 印刷.
    FirstFoodsWindow(Notebook &notebook, Dialogs &dialogs, Printer *printer, QWidget *parent = nullptr);
    // Shows only the foods whose row holds text (the search screen's key).
    void setSearch(const QString &text);

    // The Notebook's first foods read anew from the file; the list shows them.
    void fill();
    // 登録: the food typed or chosen, first eaten on the date, with its reaction and note.
    void enter();
    // 変更 and 削除 of the entered row chosen in the list.
    void changeChosen();
    void deleteChosen();

private:
    // The list anew from the Notebook's first foods, keeping what the boxes hold.
    void showEntries();
    void narrow();
    void rowChosen(int row);
    // The entered row chosen, or a warning and none.
    std::optional<first_foods::Entry> chosenEntry();
    // The boxes as an entry, or a warning and none; the food must not be entered already
    // (except as the entry kept).
    std::optional<first_foods::Entry> typedEntry(const QList<first_foods::Entry> &eaten,
                                                 const first_foods::Entry *kept = nullptr);

    Notebook &m_notebook;
    Dialogs &m_dialogs;
    Printer *m_printer = nullptr;
    QTableWidget *m_table = nullptr;
    QComboBox *m_food = nullptr;
    QLineEdit *m_date = nullptr;
    QComboBox *m_reaction = nullptr;
    QLineEdit *m_note = nullptr;
    QLineEdit *m_search = nullptr;
    QList<first_foods::Entry> m_eaten; // the entered rows, first in the list, as filled
};
