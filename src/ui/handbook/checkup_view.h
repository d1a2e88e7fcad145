#pragma once

#include "core/registers/checkups.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class PanelHost;
class HeadChartWindow;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
struct NotebookChange;

// 健診: the routine check-ups and the free ones the parent adds, each with its measures, the
// doctor's remarks and the parent's note.
class CheckupView : public QWidget
{
    Q_OBJECT
public:
    CheckupView(PanelHost &host, QWidget *parent = nullptr);

    // The handbook panel was opened: the list as the Notebook holds it.
    void open();
    // Where the cursor goes when the tab opens: 健診, ready for the next check-up.
    QWidget *firstField() const;

private:
    QWidget *buildFields();
    QLayout *buildButtons();
    void showChange(const NotebookChange &change);
    // The list anew from the Notebook, the chosen check-up chosen again; the fields keep what
    // is typed.
    void showList();
    void fillFromChosen();
    std::optional<checkups::Entry> chosenEntry() const;
    // The fields checked; the refusal told, then none.
    std::optional<checkups::Entry> typedEntry();
    void add();
    void change();
    void remove();
    void openHeadChart();
    void clearFields();
    QDate birth() const;

    PanelHost &m_host;
    QTreeWidget *m_list = nullptr;
    QComboBox *m_kindBox = nullptr;
    QLineEdit *m_dateEdit = nullptr;
    QLineEdit *m_heightEdit = nullptr;
    QLineEdit *m_weightEdit = nullptr;
    QLineEdit *m_headEdit = nullptr;
    QLineEdit *m_chestEdit = nullptr;
    QLineEdit *m_remarksEdit = nullptr;
    QLineEdit *m_noteEdit = nullptr;
    QPushButton *m_changeButton = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QPointer<HeadChartWindow> m_headChart;
};
