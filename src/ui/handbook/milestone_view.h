#pragma once

#include "core/registers/milestones.h"

#include <QWidget>

#include <optional>

struct NotebookChange;
class PanelHost;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// できたよ: the child's firsts with their days and the child's age on each.
class MilestoneView : public QWidget
{
    Q_OBJECT
public:
    MilestoneView(PanelHost &host, QWidget *parent = nullptr);

    // The handbook panel was opened: the list as the Notebook holds it.
    void open();
    // Where the cursor goes when the tab opens: できたこと.
    QWidget *firstField() const;

private:
    QWidget *buildFields();
    QWidget *buildButtons();
    void showChange(const NotebookChange &change);
    // The list again; the row of `chosen` (an entry, or a routine first not reached) stays chosen.
    void showList(const std::optional<milestones::Entry> &chosen, const QString &chosenWhat);
    void fillFromRow();
    void clearFields();

    // What the fields hold as the file is to hold it; none (told) when refused.
    std::optional<milestones::Entry> typedEntry();
    // The line of the chosen row; none (told) when the row is a first not reached yet.
    std::optional<milestones::Entry> chosenEntry(const QString &command);
    void add();
    void change();
    void remove();
    void addToAnniversaries();
    QDate birth() const;

    PanelHost &m_host;
    QTreeWidget *m_list = nullptr;
    QComboBox *m_whatBox = nullptr;
    QLineEdit *m_dateEdit = nullptr;
    QLineEdit *m_noteEdit = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_changeButton = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QPushButton *m_anniversaryButton = nullptr;
};
