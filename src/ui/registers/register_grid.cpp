#include "ui/registers/register_grid.h"

#include "ui/widgets/ui_util.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <functional>

// The rows of one grid, each showing a record of the register's text.
class RegisterModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    RegisterText text;
    QList<RegisterRow> rows;
    QStringList headers;
    QList<Qt::Alignment> alignments;
    int toggleColumn = -1; // the column of a mark that rows toggle, shown to screen readers as checked
    QString mark;

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(headers.size());
    }
    QString cellText(int row, int column) const
    {
        const RegisterRow &r = rows[row];
        if (column < text.fieldCount())
            return text.field(r.record, column).toString();
        return column == text.fieldCount() && r.number ? QString::number(*r.number) : QString();
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        const RegisterRow &row = rows[index.row()];
        const int c = index.column();
        switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return cellText(index.row(), c);
        case Qt::BackgroundRole:
            if (row.background.isValid() && c >= row.backgroundFrom)
                return QBrush(row.background);
            return {};
        case Qt::TextAlignmentRole:
            return c < alignments.size() ? QVariant(int(alignments[c])) : QVariant();
        case Qt::CheckStateRole:
            if (c != toggleColumn)
                return {};
            return cellText(index.row(), c) == mark ? Qt::Checked : Qt::Unchecked;
        default:
            return {};
        }
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags f = QAbstractTableModel::flags(index);
        if (index.column() == toggleColumn)
            f |= Qt::ItemIsUserCheckable;
        return f;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headers.size())
            return headers[section];
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    void reset(const std::function<void()> &change)
    {
        beginResetModel();
        change();
        endResetModel();
    }
    void allChanged()
    {
        if (!rows.isEmpty())
            emit dataChanged(index(0, 0), index(int(rows.size()) - 1, columnCount() - 1));
    }
    void append(const QList<RegisterRow> &added)
    {
        if (added.isEmpty())
            return;
        beginInsertRows({}, int(rows.size()), int(rows.size() + added.size()) - 1);
        rows.append(added);
        endInsertRows();
    }
};

namespace {

// The mark stays the text it is: the check state is for screen readers, not drawn as a box,
// and a click on it does nothing of itself.
class MarkDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features &= ~QStyleOptionViewItem::HasCheckIndicator;
    }
    bool editorEvent(QEvent *, QAbstractItemModel *, const QStyleOptionViewItem &, const QModelIndex &) override
    {
        return false;
    }
};

} // namespace

RegisterGrid::RegisterGrid(QWidget *parent) : QTableView(parent), m_model(new RegisterModel(this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(22);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setAlternatingRowColors(false);
    setTabKeyNavigation(false); // the arrows move in the grid, Tab goes on to the next control
}

void RegisterGrid::setColumns(const QStringList &headers, const QList<int> &widthsTwips)
{
    m_model->reset([&] {
        m_model->rows.clear();
        m_model->text = RegisterText(int(headers.size()));
        m_model->headers = headers;
        m_model->alignments = QList<Qt::Alignment>(headers.size(), Qt::AlignLeft | Qt::AlignVCenter);
    });
    for (int c = 0; c < widthsTwips.size(); ++c)
        setColumnWidth(c, twipsToPixels(widthsTwips[c]));
}

void RegisterGrid::setToggleColumn(int column, const QString &mark)
{
    m_model->toggleColumn = column;
    m_model->mark = mark;
    setItemDelegateForColumn(column, new MarkDelegate(this));
}

void RegisterGrid::setColumnAlignment(int column, Qt::Alignment alignment)
{
    if (column < m_model->alignments.size())
        m_model->alignments[column] = alignment;
}

void RegisterGrid::clearChoice()
{
    m_from = 0;
    m_to = 0;
    clearSelection();
    emit choiceChanged();
}

int RegisterGrid::rowCount() const { return int(m_model->rows.size()); }

void RegisterGrid::setRows(RegisterText text, QList<RegisterRow> rows)
{
    m_model->reset([&] {
        m_model->text = std::move(text);
        m_model->rows = std::move(rows);
    });
}

void RegisterGrid::showRows(RegisterText text, QList<RegisterRow> rows)
{
    if (rows.size() != m_model->rows.size()) {
        setRows(std::move(text), std::move(rows));
        return;
    }
    m_model->text = std::move(text);
    m_model->rows = std::move(rows);
    m_model->allChanged();
}

QList<QStringList> RegisterGrid::entries() const
{
    QList<QStringList> entries;
    entries.reserve(rowCount());
    for (const RegisterRow &row : m_model->rows)
        entries.append(m_model->text.record(row.record));
    return entries;
}

QStringView RegisterGrid::field(int gridRow, int column) const
{
    if (gridRow < 1 || gridRow > rowCount() || column < 0 || column >= m_model->text.fieldCount())
        return {};
    return m_model->text.field(m_model->rows[gridRow - 1].record, column);
}

QString RegisterGrid::text(int gridRow, int column) const
{
    if (gridRow < 1 || gridRow > rowCount() || column < 0)
        return {};
    return m_model->cellText(gridRow - 1, column);
}

QBrush RegisterGrid::background(int gridRow, int column) const
{
    return m_model->data(m_model->index(gridRow - 1, column), Qt::BackgroundRole).value<QBrush>();
}

int RegisterGrid::appendRows(RegisterText text, const QList<RegisterRow> &looks)
{
    m_model->text = std::move(text);
    const int first = rowCount() + 1;
    m_model->append(looks);
    return first;
}

QList<int> RegisterGrid::reorder(const QList<int> &order)
{
    const int rows = rowCount();
    QList<int> movedTo(rows);
    QList<RegisterRow> ordered;
    ordered.reserve(rows);
    for (int i = 0; i < order.size() && i < rows; ++i) {
        movedTo[order[i]] = i;
        ordered.append(std::move(m_model->rows[order[i]]));
    }
    m_model->reset([&] { m_model->rows = std::move(ordered); });
    return movedTo;
}

void RegisterGrid::stretchTextColumn(int column)
{
    if (column < m_model->columnCount())
        horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
}

void RegisterGrid::bringToTop(int gridRow)
{
    const QModelIndex index = m_model->index(gridRow - 1, 0);
    if (!index.isValid())
        return;
    const QRect rect = visualRect(index);
    if (rect.top() < 0 || rect.bottom() > viewport()->height())
        scrollTo(index, QAbstractItemView::PositionAtTop);
}

void RegisterGrid::mousePressEvent(QMouseEvent *event)
{
    QTableView::mousePressEvent(event);
    m_from = rowAt(int(event->position().y())) + 1;
    m_to = m_from;
    showChoice();
}

void RegisterGrid::mouseMoveEvent(QMouseEvent *event)
{
    QTableView::mouseMoveEvent(event);
    if (event->buttons() == Qt::NoButton || m_from <= 0)
        return;
    m_to = dragRow(int(event->position().y()));
    showChoice();
}

void RegisterGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    m_to = m_from > 0 ? dragRow(int(event->position().y())) : 0;
    showChoice();
    emit choiceChanged();
}

void RegisterGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    const int row = rowAt(int(event->position().y())) + 1;
    if (row > 0) {
        emit rowDoubleClicked(row);
        emit rowActivated(row);
    }
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
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && currentIndex().isValid() &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        emit rowActivated(currentIndex().row() + 1);
        return;
    }
    QTableView::keyPressEvent(event);
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    int first = rows.first().row();
    int last = first;
    for (const QModelIndex &index : rows) {
        first = qMin(first, index.row());
        last = qMax(last, index.row());
    }
    const int current = currentIndex().row();
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
                              model()->index(chosenLast() - 1, m_model->columnCount() - 1));
    selectionModel()->select(rows, QItemSelectionModel::Select);
}
