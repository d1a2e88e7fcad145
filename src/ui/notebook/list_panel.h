#pragma once

#include <QFrame>
#include <QStyledItemDelegate>

class PanelHost;
class QCheckBox;
class QTableWidget;

// The diary search's "かな・全角半角を区別しない" box, remembered on this computer (how the
// parent types is not a matter of the notebook): off, the search is exact.
QCheckBox *makeSearchFoldingBox(QWidget *parent);

// Shows a text that holds line breaks on one line, each break as a mark, while the item keeps
// its text as it is: the 日記 column of the list and the search results of the diary panel.
class OneLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant &value, const QLocale &locale) const override;
};

// The diary list panel fraList: every day of the table with its height, weight and the
// beginning of its text; a double-click opens the day.
class ListPanel : public QFrame
{
    Q_OBJECT
public:
    ListPanel(PanelHost &host, QWidget *parent = nullptr);

    // The panel's button on the notebook screen's bar ("一覧"): the grid refilled and shown.
    void open();
    QTableWidget *msgList() const { return m_listGrid; }
    // The grid's headers and widths, no rows.
    void setupGrid();
    // The grid's rows from the day table.
    void fill();

private:
    // Grid row r (1 for the first day) on the diary panel.
    void openRow(int r);

    PanelHost &m_host;
    QTableWidget *m_listGrid = nullptr;
};
