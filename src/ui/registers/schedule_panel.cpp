#include "ui/registers/schedule_panel.h"

#include "core/book/notebook.h"
#include "core/text/dates.h"
#include "core/files/dialogs.h"
#include "core/files/file_names.h"
#include "core/notebook/growth_chart_store.h"
#include "core/registers/register_logic.h"
#include "core/registers/remaining_days.h"
#include "ui/registers/register_commands.h"
#include "ui/registers/register_grid.h"
#include "ui/registers/vaccination_window.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/pick_combo.h"
#include "ui/widgets/ui_util.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr NotebookTable Table = NotebookTable::Schedule;
constexpr int DateListLength = 90;

// One square of the colour legend with its caption.
QWidget *legendEntry(Due due, QWidget *parent)
{
    auto *entry = new QWidget(parent);
    auto *row = new QHBoxLayout(entry);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    auto *square = new QLabel(entry);
    square->setFixedSize(16, 16);
    const QColor c = dueColour(due);
    square->setStyleSheet(
        QStringLiteral("background-color: rgb(%1, %2, %3); border: 1px solid rgb(150, 150, 150);")
            .arg(c.red())
            .arg(c.green())
            .arg(c.blue()));
    auto *caption = new QLabel(dueCaption(due), entry);
    square->setAccessibleName(dueCaption(due));
    row->addWidget(square);
    row->addWidget(caption);
    return entry;
}

// How a record's row looks: the days left after its fields, coloured from the text on as the
// day comes.
RegisterRow scheduleRow(int record, std::optional<int> days)
{
    RegisterRow row{record, days, {}, 1};
    if (days && dueOf(*days) != Due::Later)
        row.background = dueColour(dueOf(*days));
    return row;
}

} // namespace

SchedulePanel::SchedulePanel(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraYotei"));
    m_scheduleGrid = new RegisterGrid(this);
    nameControl(m_scheduleGrid, QStringLiteral("msgYotei"), QStringLiteral("予定一覧"));
    m_scheduleDateBox = new PickComboBox(this);
    m_scheduleDateBox->setMaxVisibleItems(20);
    m_scheduleDateBox->setMinimumContentsLength(11);
    nameControl(m_scheduleDateBox, QStringLiteral("cboYHizuke"), QStringLiteral("日付"));
    m_scheduleTextEdit = new QLineEdit(this);
    nameControl(m_scheduleTextEdit, QStringLiteral("txtYNaiyo"), QStringLiteral("予定"));
    m_saveScheduleButton = makeButton(QStringLiteral("cmdHozon"), QStringLiteral("保存"), QString(), this);
    m_saveScheduleButton->setAccessibleName(QStringLiteral("予定を保存"));
    m_deleteEntryButton = makeButton(QStringLiteral("cmdDel"), QStringLiteral("選択削除"), QString(), this);
    m_clearAllButton = makeButton(QStringLiteral("cmdAllClr"), QStringLiteral("全部削除"), QString(), this);
    m_deleteEntryButton->setEnabled(false);
    auto *vaccines = makeButton(QStringLiteral("cmdYobou"), QStringLiteral("予防接種の予定"),
                                QStringLiteral("生年月日から予防接種の標準的な日付を計算して、予定に追加します"), this);

    auto *legend = new QHBoxLayout;
    legend->setSpacing(14);
    legend->addStretch();
    for (Due due : {Due::Past, Due::Today, Due::Soon, Due::Later})
        legend->addWidget(legendEntry(due, this));

    auto *head = new QHBoxLayout;
    head->addWidget(makeLabel(QStringLiteral("予定一覧"), m_scheduleGrid, this));
    head->addLayout(legend, 1);
    head->addWidget(vaccines);

    auto *entry = new QHBoxLayout;
    entry->addWidget(makeLabel(QStringLiteral("日付"), m_scheduleDateBox, this));
    entry->addWidget(m_scheduleDateBox);
    entry->addSpacing(10);
    entry->addWidget(makeLabel(QStringLiteral("予定"), m_scheduleTextEdit, this));
    entry->addWidget(m_scheduleTextEdit, 1);
    entry->addWidget(m_saveScheduleButton);
    entry->addSpacing(20);
    entry->addWidget(m_deleteEntryButton);
    entry->addWidget(m_clearAllButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(m_scheduleGrid, 1);
    layout->addLayout(entry);

    connect(m_saveScheduleButton, &QPushButton::clicked, this, &SchedulePanel::add);
    connect(m_deleteEntryButton, &QPushButton::clicked, this, &SchedulePanel::deleteChosen);
    connect(m_clearAllButton, &QPushButton::clicked, this, &SchedulePanel::deleteAll);
    connect(vaccines, &QPushButton::clicked, this, &SchedulePanel::openVaccinations);
    connect(m_scheduleTextEdit, &QLineEdit::returnPressed, this, [this] {
        if (!m_scheduleTextEdit->text().isEmpty())
            add();
    });
    connect(m_scheduleGrid, &RegisterGrid::choiceChanged, this,
            [this] { m_deleteEntryButton->setEnabled(m_scheduleGrid->hasChoice()); });
    connect(&host.notebook(), &Notebook::changed, this, &SchedulePanel::showChange);
}

RegisterGrid *SchedulePanel::msgYotei() const { return m_scheduleGrid; }

int SchedulePanel::yoteiCount() const { return m_scheduleGrid->rowCount(); }

void SchedulePanel::open()
{
    const QDate today = m_host.notebook().clock.today();
    register_commands::fillDates(m_scheduleDateBox, consecutiveDates(today, DateListLength), today);
    m_deleteEntryButton->setEnabled(false);
    m_scheduleGrid->stretchTextColumn(1);
    readSchedule();
    m_host.panelHide();
    show();
    m_host.helpTour(QStringLiteral(
        "予定やイベントを登録しておくことができます。\r\n\r\n"
        "予定日３日以内になると「黄色」で表示され、もうそろそろであることを示します。\r\n"
        "予定日当日になると「緑色」で表示され、本日の予定であることを示します。\r\n"
        "予定日を過ぎますと「赤色」で表示され、実施済みであることを示します。\r\n\r\n"
        "日付（コンボで選ぶことも可）と予定を書き込んで保存ボタンを押すと登録できます。\r\n\r\n"
        "必要に応じて、マウスで選んだ範囲を削除したり、一括して全データを削除することができます。"));
}

void SchedulePanel::readSchedule() { m_host.notebook().readTable(Table); }

void SchedulePanel::showChange(const NotebookChange &change)
{
    // Doses recorded on the other computer show in an open 予防接種の予定 at once.
    if (change.table == NotebookTable::VaccinationRecords && change.fromOutside)
        for (VaccinationWindow *window : findChildren<VaccinationWindow *>())
            window->refresh();
    if (change.table != Table)
        return;
    Notebook &nb = m_host.notebook();
    const RegisterText &table = nb.schedule;
    const QDate today = nb.clock.today();
    if (change.kind == NotebookChange::Kind::Added) {
        QList<RegisterRow> looks;
        for (int r : change.records)
            looks.append(scheduleRow(r, remainingDays(table.field(r, 0), today)));
        const int first = m_scheduleGrid->appendRows(table, looks);
        const QList<int> movedTo = sort();
        // The rows moved under a pending choice: it no longer names what was highlighted.
        m_scheduleGrid->clearChoice();
        m_lastAdded = movedTo[first - 1] + 1;
        return;
    }
    // Read from the file: put in order first, then shown in one step. An edit here wrote the
    // rows in the grid's order, which they keep.
    QList<std::optional<int>> days;
    days.reserve(table.count());
    for (int r = 0; r < table.count(); ++r)
        days.append(remainingDays(table.field(r, 0), today));
    QList<RegisterRow> rows;
    rows.reserve(table.count());
    if (!change.fromOutside) {
        for (int r = 0; r < table.count(); ++r)
            rows.append(scheduleRow(r, days[r]));
        m_scheduleGrid->showRows(table, std::move(rows));
        return;
    }
    m_scheduleGrid->clearChoice();
    for (int i : orderByRemaining(days))
        rows.append(scheduleRow(i, days[i]));
    m_scheduleGrid->setRows(table, std::move(rows));
    if (!table.whole)
        register_commands::tellNotWhole(nb, m_host.dialogs(), QStringLiteral("予定の読み込み"),
                                        scheduleFileName(), table.count(), table.damage);
}

QList<int> SchedulePanel::sort()
{
    const QDate today = m_host.notebook().clock.today();
    QList<std::optional<int>> days;
    days.reserve(m_scheduleGrid->rowCount());
    for (int r = 1; r <= m_scheduleGrid->rowCount(); ++r)
        days.append(remainingDays(m_scheduleGrid->field(r, 0), today));
    return m_scheduleGrid->reorder(orderByRemaining(days));
}

void SchedulePanel::add()
{
    Notebook &nb = m_host.notebook();
    Dialogs &dialogs = m_host.dialogs();
    const QString description = m_scheduleTextEdit->text();
    if (description.isEmpty()) {
        dialogs.warning(QStringLiteral("予定未入力"),
                        QStringLiteral("予定を書き込んでから保存ボタンを押してください。"));
        m_scheduleTextEdit->setFocus();
        return;
    }
    const std::optional<QString> date = register_commands::entryDate(dialogs, m_scheduleDateBox, nb.clock.today());
    if (!date || !register_commands::storable(dialogs, description, m_scheduleTextEdit))
        return;
    if (hasEntry(*date, description) &&
        !dialogs.confirm(QStringLiteral("予定の確認"),
                         QStringLiteral("%1 の「%2」はもう予定にあります。\r\nもう一度追加しますか？")
                             .arg(*date, description),
                         Dialogs::Icon::Warning, Dialogs::Answer::Cancel))
        return;
    if (!register_commands::appendRecord(nb, dialogs, Table, {*date, description}))
        return;
    m_scheduleGrid->bringToTop(m_lastAdded);
}

void SchedulePanel::openVaccinations()
{
    Notebook &nb = m_host.notebook();
    const QDate today = nb.clock.today();
    if (const QString refused = vaccinations::birthRefusal(nb.profile.birthDate, today); !refused.isEmpty()) {
        m_host.dialogs().warning(QStringLiteral("予防接種の予定"), refused);
        return;
    }
    VaccinationWindow::Setup setup;
    setup.birth = QDate::fromString(nb.profile.birthDate.trimmed(), QStringLiteral("yyyy/MM/dd"));
    setup.today = today;
    // Only looked at: the growth panel's next save still joins from what it read itself.
    setup.girl = parseGrowthChartSettings(nb.files.peek(growthChartFileName())).sex == Sex::Girl;
    setup.entered = [this](const QString &date, const QString &text) { return hasEntry(date, text); };
    setup.dialogs = &m_host.dialogs();
    setup.printer = &m_host.printer();
    setup.nickname = nb.profile.nickname;
    nb.readTable(NotebookTable::VaccinationRecords);
    setup.given = [&nb] { return nb.vaccinationRecords; };
    setup.mark = [this](const vaccination_records::Entry &entry) {
        return reportWrite(m_host.dialogs(), m_host.notebook().markVaccination(entry));
    };
    auto *window = new VaccinationWindow(setup, this);
    window->setWindowFlag(Qt::Window);
    connect(window, &VaccinationWindow::dosesChosen, this, &SchedulePanel::addDoses);
    window->show();
}

// The checked doses appended in one write, so that a crash leaves all of them or none; the
// grid shows them at once with their colours.
void SchedulePanel::addDoses(const QList<vaccinations::Planned> &doses)
{
    QList<QStringList> records;
    for (const vaccinations::Planned &p : doses) {
        const QStringList record{dateText(p.date), p.text};
        if (!hasEntry(record[0], record[1]) && !records.contains(record))
            records.append(record);
    }
    if (!records.isEmpty())
        reportWrite(m_host.dialogs(), m_host.notebook().addRegisterRecords(Table, records));
}

// A second press of 保存 (a double click) would add the same entry again.
bool SchedulePanel::hasEntry(const QString &date, const QString &description) const
{
    for (int r = 1; r <= m_scheduleGrid->rowCount(); ++r)
        if (m_scheduleGrid->field(r, 0) == date && m_scheduleGrid->field(r, 1) == description)
            return true;
    return false;
}

void SchedulePanel::deleteChosen()
{
    register_commands::deleteChosen(m_host.notebook(), m_host.dialogs(), m_scheduleGrid, Table,
                                    QStringLiteral("選択した予定を削除します"));
}

void SchedulePanel::deleteAll()
{
    register_commands::deleteAll(m_host.notebook(), m_host.dialogs(), Table,
                                 QStringLiteral("予定を全て削除します"));
}

void SchedulePanel::setupGrid()
{
    m_scheduleGrid->setColumns({QStringLiteral("日付"), QStringLiteral("予定"), QStringLiteral("残日数")},
                           {1350, 7080, 900});
    m_scheduleGrid->setColumnAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
}
