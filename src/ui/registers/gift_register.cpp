#include "ui/registers/gift_register.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/registers/register_logic.h"
#include "ui/registers/register_commands.h"
#include "ui/registers/register_grid.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/pick_combo.h"
#include "ui/widgets/register_icons.h"
#include "ui/widgets/ui_util.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int DateListLength = 30;

QToolButton *pictureButton(const QString &objectName, RegisterIcon icon, const QString &tooltip,
                           const QString &registerName, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    nameControl(b, objectName, registerName + QStringLiteral("：") + tooltip); // one name in the window
    b->setAccessibleDescription(registerName);
    b->setToolTip(tooltip);
    b->setIcon(registerIcon(icon));
    b->setIconSize(QSize(28, 28));
    b->setAutoRaise(false);
    return b;
}

} // namespace

GiftRegister::GiftRegister(const GiftRegisterKind &kind, PanelHost &host, QWidget *parent)
    : QWidget(parent), m_kind(kind), m_host(host)
{
    m_grid = new RegisterGrid(this);
    nameControl(m_grid, kind.grid, kind.title);
    m_title = makeLabel(kind.title, m_grid, this);
    m_title->setObjectName(kind.titleLabel);
    m_title->setToolTip(QStringLiteral("ダブルクリックで画像登録"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_date = new PickComboBox(this);
    m_date->setMaxVisibleItems(15);
    m_date->setMinimumContentsLength(11);
    nameControl(m_date, kind.dateBox, kind.dateCaption);
    m_item = new QLineEdit(this);
    nameControl(m_item, kind.itemBox, kind.itemName + QStringLiteral("の品物"));
    m_add =
        pictureButton(kind.addButton, RegisterIcon::Add, QStringLiteral("登録します"), kind.itemName, this);
    m_delete = pictureButton(kind.deleteButton, RegisterIcon::DeleteChosen,
                             QStringLiteral("選択したものだけを削除します"), kind.itemName, this);
    m_deleteAll = pictureButton(kind.deleteAllButton, RegisterIcon::DeleteAll,
                                QStringLiteral("全部を削除します"), kind.itemName, this);
    m_delete->setEnabled(false);

    auto *boxes = new QGridLayout;
    boxes->addWidget(makeLabel(kind.dateCaption, m_date, this), 0, 0);
    boxes->addWidget(m_date, 0, 1);
    boxes->addWidget(makeLabel(QStringLiteral("品物"), m_item, this), 1, 0);
    boxes->addWidget(m_item, 1, 1);
    boxes->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addStretch();
    buttons->addWidget(m_delete);
    buttons->addWidget(m_deleteAll);
    boxes->addLayout(buttons, 0, 2, 2, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addWidget(m_grid, 1);
    layout->addLayout(boxes);

    connect(m_add, &QToolButton::clicked, this, &GiftRegister::add);
    connect(m_delete, &QToolButton::clicked, this, &GiftRegister::deleteChosen);
    connect(m_deleteAll, &QToolButton::clicked, this, &GiftRegister::deleteAll);
    connect(m_item, &QLineEdit::returnPressed, this, [this] {
        if (!m_item->text().isEmpty())
            add();
    });
    connect(m_grid, &RegisterGrid::choiceChanged, this,
            [this] { m_delete->setEnabled(m_grid->hasChoice()); });
    connect(m_grid, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        const int row = index.row();
        if (m_grid->rowCount() == 0)
            return;
        m_lastItem = m_grid->text(row + 1, 1);
        emit itemClicked(m_lastItem);
    });
    if (kind.thanksMark)
        connect(m_grid, &RegisterGrid::rowActivated, this, &GiftRegister::toggleMark);
    // The keyboard's current row is the item, as the clicked one is: its picture shows and the
    // title's picture command goes to it.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!current.isValid() || m_grid->rowCount() == 0)
                    return;
                m_lastItem = m_grid->text(current.row() + 1, 1);
                emit itemClicked(m_lastItem);
            });
    addKeyboardWay(m_title, kind.itemName + QStringLiteral("の写真を取り込む"), [this] { emit pictureRequested(); });
    connect(&host.notebook(), &Notebook::changed, this, &GiftRegister::showChange);
}

void GiftRegister::prepare(QDate today)
{
    register_commands::fillDates(m_date, consecutiveDates(today.addDays(1 - DateListLength), DateListLength),
                                 today);
    m_delete->setEnabled(false);
    m_grid->stretchTextColumn(1);
}

void GiftRegister::read() { m_host.notebook().readTable(m_kind.table); }

void GiftRegister::showChange(const NotebookChange &change)
{
    if (change.table != m_kind.table)
        return;
    Notebook &nb = m_host.notebook();
    const RegisterText &records = nb.registerTable(m_kind.table);
    if (change.kind == NotebookChange::Kind::Added) {
        QList<RegisterRow> looks;
        for (int r : change.records)
            looks.append({r, std::nullopt, {}, 0});
        const int first = m_grid->appendRows(records, looks);
        const QList<int> movedTo = sort();
        // The rows moved under a pending choice: it no longer names what was highlighted.
        m_grid->clearChoice();
        m_lastAdded = movedTo[first - 1] + 1;
        return;
    }
    QList<RegisterRow> rows;
    rows.reserve(records.count());
    // An edit here wrote the rows in the grid's order, which they keep.
    if (!change.fromOutside) {
        for (int r = 0; r < records.count(); ++r)
            rows.append({r, std::nullopt, {}, 0});
        m_grid->showRows(records, std::move(rows));
        return;
    }
    // Read from the file: put in order of date first, then shown in one step.
    m_grid->clearChoice();
    QList<QStringView> dates;
    dates.reserve(records.count());
    for (int r = 0; r < records.count(); ++r)
        dates.append(records.field(r, 0));
    for (int i : orderByText(dates))
        rows.append({i, std::nullopt, {}, 0});
    m_grid->setRows(records, std::move(rows));
    if (!records.whole)
        register_commands::tellNotWhole(nb, m_host.dialogs(), m_kind.itemName + QStringLiteral("の読み込み"),
                                        registerFileOf(m_kind.table), records.count(), records.damage);
}

QList<int> GiftRegister::sort()
{
    QList<QStringView> dates;
    dates.reserve(m_grid->rowCount());
    for (int r = 1; r <= m_grid->rowCount(); ++r)
        dates.append(m_grid->field(r, 0));
    return m_grid->reorder(orderByText(dates));
}

void GiftRegister::add()
{
    Notebook &nb = m_host.notebook();
    Dialogs &dialogs = m_host.dialogs();
    const QString item = m_item->text();
    if (item.isEmpty()) {
        dialogs.warning(m_kind.emptyTitle, m_kind.emptyText);
        m_item->setFocus();
        return;
    }
    const std::optional<QString> date = register_commands::entryDate(dialogs, m_date, nb.clock.today());
    if (!date || !register_commands::storable(dialogs, item, m_item))
        return;
    QStringList fields{*date, item};
    if (m_kind.thanksMark)
        fields.append(QString());
    if (!register_commands::appendRecord(nb, dialogs, m_kind.table, fields))
        return;
    m_grid->bringToTop(m_lastAdded);
}

void GiftRegister::deleteChosen()
{
    register_commands::deleteChosen(m_host.notebook(), m_host.dialogs(), m_grid, m_kind.table,
                                    m_kind.deleteChosenQuestion);
}

void GiftRegister::deleteAll()
{
    register_commands::deleteAll(m_host.notebook(), m_host.dialogs(), m_kind.table, m_kind.deleteAllQuestion);
}

void GiftRegister::toggleMark(int gridRow)
{
    if (!m_kind.thanksMark || gridRow < 1 || gridRow > m_grid->rowCount())
        return;
    QList<QStringList> records = m_grid->entries();
    QString &mark = records[gridRow - 1][2];
    mark = mark.isEmpty() ? thanksMark() : QString();
    m_lastItem = m_grid->text(gridRow, 1);
    // The mark is written at once, the register in the grid's order; when that fails the grid
    // still shows what the file holds.
    register_commands::writeRecords(m_host.notebook(), m_host.dialogs(), m_kind.table, records,
                                    {gridRow - 1});
}
