#include "registers/register_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

RegisterGrid::RegisterGrid(QWidget *parent) : QTableWidget(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(22);
    setAlternatingRowColors(false);
}

void RegisterGrid::clearChoice()
{
    m_from = 0;
    m_to = 0;
    clearSelection();
    emit choiceChanged();
}

QList<QStringList> RegisterGrid::entries(int columns) const
{
    QList<QStringList> rows;
    rows.reserve(rowCount());
    for (int r = 1; r <= rowCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < columns; ++c)
            texts.append(text(r, c));
        rows.append(texts);
    }
    return rows;
}

QString RegisterGrid::text(int gridRow, int column) const
{
    const QTableWidgetItem *cell = item(gridRow - 1, column);
    return cell ? cell->text() : QString();
}

void RegisterGrid::setText(int gridRow, int column, const QString &text)
{
    QTableWidgetItem *cell = item(gridRow - 1, column);
    if (cell)
        cell->setText(text);
    else
        setItem(gridRow - 1, column, new QTableWidgetItem(text));
}

int RegisterGrid::appendRow(const QStringList &texts)
{
    const int row = rowCount();
    setRowCount(row + 1);
    for (int c = 0; c < columnCount(); ++c)
        setItem(row, c, new QTableWidgetItem(c < texts.size() ? texts[c] : QString()));
    return row + 1;
}

void RegisterGrid::setRowBackground(int gridRow, int firstColumn, const QColor &colour)
{
    for (int c = firstColumn; c < columnCount(); ++c)
        if (QTableWidgetItem *cell = item(gridRow - 1, c))
            cell->setBackground(colour);
}

QList<int> RegisterGrid::reorder(const QList<int> &order)
{
    const int rows = rowCount();
    const int columns = columnCount();
    QList<QList<QTableWidgetItem *>> cells(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            cells[r].append(takeItem(r, c));
    QList<int> movedTo(rows);
    for (int i = 0; i < order.size() && i < rows; ++i) {
        movedTo[order[i]] = i;
        for (int c = 0; c < columns; ++c)
            setItem(i, c, cells[order[i]][c]);
    }
    return movedTo;
}

void RegisterGrid::stretchTextColumn(int column)
{
    if (column < columnCount())
        horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
}

void RegisterGrid::bringToTop(int gridRow)
{
    QTableWidgetItem *cell = item(gridRow - 1, 0);
    if (!cell)
        return;
    const QRect rect = visualItemRect(cell);
    if (rect.top() < 0 || rect.bottom() > viewport()->height())
        scrollToItem(cell, QAbstractItemView::PositionAtTop);
}

void RegisterGrid::mousePressEvent(QMouseEvent *event)
{
    QTableWidget::mousePressEvent(event);
    m_from = rowAt(int(event->position().y())) + 1;
    m_to = m_from;
    showChoice();
}

void RegisterGrid::mouseMoveEvent(QMouseEvent *event)
{
    QTableWidget::mouseMoveEvent(event);
    if (event->buttons() == Qt::NoButton || m_from <= 0)
        return;
    m_to = dragRow(int(event->position().y()));
    showChoice();
}

void RegisterGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableWidget::mouseReleaseEvent(event);
    m_to = m_from > 0 ? dragRow(int(event->position().y())) : 0;
    showChoice();
    emit choiceChanged();
}

void RegisterGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    const int row = rowAt(int(event->position().y())) + 1;
    if (row > 0)
        emit rowDoubleClicked(row);
}

int RegisterGrid::dragRow(int y) const
{
    const int row = rowAt(y);
    if (row >= 0)
        return row + 1;
    if (rowCount() == 0)
        return 0;
    if (y < 0)
        return qMax(0, rowAt(0)) + 1;
    const int lastInSight = rowAt(viewport()->height() - 1);
    return lastInSight >= 0 ? lastInSight + 1 : rowCount();
}

void RegisterGrid::keyPressEvent(QKeyEvent *event)
{
    QTableWidget::keyPressEvent(event);
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    int first = rows.first().row();
    int last = first;
    for (const QModelIndex &index : rows) {
        first = qMin(first, index.row());
        last = qMax(last, index.row());
    }
    const int current = currentRow();
    // The choice runs from the far end of the highlighted rows to the current row.
    m_to = current + 1;
    m_from = (current == first ? last : first) + 1;
    showChoice();
    emit choiceChanged();
}

void RegisterGrid::showChoice()
{
    clearSelection();
    if (!hasChoice())
        return;
    const QItemSelection rows(model()->index(chosenFirst() - 1, 0),
                              model()->index(chosenLast() - 1, columnCount() - 1));
    selectionModel()->select(rows, QItemSelectionModel::Select);
}
