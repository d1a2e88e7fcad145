#pragma once

#include "core/recipe_tools/recipe_search.h"

#include <QDialog>

#include <array>
#include <functional>

class Dialogs;
class QCheckBox;
class Notebook;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QToolButton;

// The search screen frmKensaku: eleven keys over the recipe tables, each group with a button
// that searches the whole table and one that narrows the list; a click on a listed name shows
// that recipe on the recipe screen. Unloaded whenever the recipe tables are read again.
class SearchScreen : public QDialog
{
    Q_OBJECT
public:
    // showRecipe(p) makes the recipe screen show position p.
    SearchScreen(Notebook &notebook, Dialogs &dialogs, std::function<void(int)> showRecipe,
                 QWidget *parent = nullptr);

    // The screen's load: the key lists, empty keys, every recipe listed.
    void load();

signals:
    // はじめての食材, narrowed to the first ingredient typed.
    void firstFoodsRequested(const QString &search);

private:
    QLayout *buildKeys();
    QLayout *buildListArea();
    void addKeyGroup(QGridLayout *grid, const QString &caption, const QString &button, SearchKey key,
                     QLayout *boxes);

    void fillSearchLists();
    void clearSearch();
    void showNarrowed();
    void listAll();
    void setList(const QStringList &names);
    QStringList listed() const;
    SearchKeys keys() const;
    void search(SearchKey key, bool wholeTable);
    void showStageByAge();
    void searchStageByAge();
    void nameClicked(const QString &name);

    Notebook &m_notebook;
    QLabel *m_stageNowLabel = nullptr; // the child's weaning stage by age
    Dialogs &m_dialogs;
    std::function<void(int)> m_showRecipe;

    QLineEdit *m_dishNameEdit = nullptr;
    std::array<QLineEdit *, 5> m_ingredientSearchEdit{};
    QLineEdit *m_stepsEdit = nullptr;
    QLineEdit *m_memoEdit = nullptr;
    QComboBox *m_stageBox = nullptr;
    QComboBox *m_kindBox = nullptr;
    QComboBox *m_methodBox = nullptr;
    QLineEdit *m_timeFromEdit = nullptr;
    QLineEdit *m_timeToEdit = nullptr;
    QComboBox *m_selfEvalBox = nullptr;
    QComboBox *m_childEvalBox = nullptr;
    QLineEdit *m_countFromEdit = nullptr;
    QLineEdit *m_countToEdit = nullptr;
    QComboBox *m_referenceBox = nullptr;
    QCheckBox *m_foldCheck = nullptr; // widths and kana alike in the text keys
    QListWidget *m_resultList = nullptr;
    QStringList m_narrowed; // the narrowing's work list
    QRadioButton *m_hideOnClickOption = nullptr;
    QRadioButton *m_showOnClickOption = nullptr;
};
