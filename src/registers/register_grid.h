#pragma once

#include <QTableWidget>

// A register grid: the entry rows of a schedule or gift register, with the rows the user
// chose. Grid rows are counted from 1 (the header row is 0), as the registers count them.
//
// Each grid keeps its own choice: the row under the pointer when a mouse button went down
// and the row the drag ended on when it came up (any button). A choice made in one grid
// never reaches another grid's delete button. The highlighted rows are always the chosen
// ones; the arrow keys choose too.
class RegisterGrid : public QTableWidget
{
    Q_OBJECT
public:
    explicit RegisterGrid(QWidget *parent = nullptr);

    int chosenFrom() const { return m_from; } // SelRowFrom, 0 = nothing chosen
    int chosenTo() const { return m_to; }     // SelRowTo
    bool hasChoice() const { return m_from > 0 && m_to > 0; }
    int chosenFirst() const { return qMin(m_from, m_to); }
    int chosenLast() const { return qMax(m_from, m_to); }
    void clearChoice();

    // The texts of every entry row, columns 0..columns-1.
    QList<QStringList> entries(int columns) const;
    QString text(int gridRow, int column) const;
    void setText(int gridRow, int column, const QString &text);
    // Adds a row at the end; returns its grid row.
    int appendRow(const QStringList &texts);
    void setRowBackground(int gridRow, int firstColumn, const QColor &colour);
    // Puts the entry rows in the given order (order[i] is the 0-based row that goes to place
    // i), each row with its cells' colours. Returns where each old row went.
    QList<int> reorder(const QList<int> &order);
    // The text column takes the width the panel has beyond the other columns' widths.
    void stretchTextColumn(int column);
    // When the row is out of sight, scrolls so that it is the top visible row.
    void bringToTop(int gridRow);

signals:
    void choiceChanged();
    // A double-click on an entry row (any button).
    void rowDoubleClicked(int gridRow);

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

    int m_from = 0;
    int m_to = 0;
};
