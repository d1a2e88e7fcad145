#pragma once

#include "core/registers/register_file.h"

#include <QColor>
#include <QStringList>
#include <QTableView>

#include <optional>

class RegisterModel;

// How one entry row of a register grid looks: the record it shows, a number shown after the
// record's fields (the days left) and, from one column on, a colour.
struct RegisterRow {
    int record = 0;
    std::optional<int> number;
    QColor background; // invalid: the grid's own
    int backgroundFrom = 0;
};

// A register grid: the entry rows of a schedule or gift register as the Notebook holds it,
// with the rows the user chose. Grid rows are counted from 1 (the header row is 0), as the
// registers count them. The register's text and the rows' looks are shown through a table
// model, so a register of tens of thousands of rows is shown at once, not cell by cell.
//
// Each grid keeps its own choice: the row under the pointer when a mouse button went down
// and the row the drag ended on when it came up (any button). A choice made in one grid
// never reaches another grid's delete button. The highlighted rows are always the chosen
// ones; the arrow keys choose too.
class RegisterGrid : public QTableView
{
    Q_OBJECT
public:
    explicit RegisterGrid(QWidget *parent = nullptr);

    // The headers and widths (in twips), no rows.
    void setColumns(const QStringList &headers, const QList<int> &widthsTwips);
    void setColumnAlignment(int column, Qt::Alignment alignment);
    // The column holds a mark that the rows toggle: screen readers see it as checked or not.
    void setToggleColumn(int column, const QString &mark);

    int chosenFrom() const { return m_from; } // 0 = nothing chosen
    int chosenTo() const { return m_to; }
    bool hasChoice() const { return m_from > 0 && m_to > 0; }
    int chosenFirst() const { return qMin(m_from, m_to); }
    int chosenLast() const { return qMax(m_from, m_to); }
    void clearChoice();

    int rowCount() const;
    // Every row anew: the register and its rows in the order given.
    void setRows(RegisterText text, QList<RegisterRow> rows);
    // The register as it now stands, its rows in the order given: when their number stays,
    // the rows are shown anew in place (the current row, the scroll and the choice stay).
    void showRows(RegisterText text, QList<RegisterRow> rows);
    // The register with records added (the others numbered as before), and a row for each at
    // the end, looking as told; returns the grid row of the first.
    int appendRows(RegisterText text, const QList<RegisterRow> &looks);
    // The records of every entry row, in the grid's order.
    QList<QStringList> entries() const;
    // A field of the row's record; valid until the grid changes.
    QStringView field(int gridRow, int column) const;
    QString text(int gridRow, int column) const;
    // The cell's colour as shown (Qt::NoBrush where the grid's own shows).
    QBrush background(int gridRow, int column) const;
    // Puts the entry rows in the given order (order[i] is the 0-based row that goes to place
    // i), each row with its colour. Returns where each old row went.
    QList<int> reorder(const QList<int> &order);
    // The text column takes the width the panel has beyond the other columns' widths.
    void stretchTextColumn(int column);
    // When the row is out of sight, scrolls so that it is the top visible row.
    void bringToTop(int gridRow);

signals:
    void choiceChanged();
    // A double-click on an entry row (any button).
    void rowDoubleClicked(int gridRow);
    // A double-click, or Enter or Space on the current row: what a double-click runs.
    void rowActivated(int gridRow);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showChoice();
    // The row a drag is over; beyond the rows, the nearest row in sight.
    int dragRow(int y) const;

    RegisterModel *m_model;
    int m_from = 0;
    int m_to = 0;
};
