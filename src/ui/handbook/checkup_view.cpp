#include "ui/handbook/checkup_view.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/text/dates.h"
#include "ui/handbook/head_chart_window.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/ui_util.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("健診");
const QStringList Columns{QStringLiteral("健診"), QStringLiteral("時期"), QStringLiteral("日付"),
                          QStringLiteral("身長"), QStringLiteral("体重"), QStringLiteral("頭囲"),
                          QStringLiteral("胸囲"), QStringLiteral("所見"), QStringLiteral("メモ")};
constexpr int EntryRole = Qt::UserRole;

QString periodText(const checkups::Routine *routine, QDate birth)
{
    if (!routine || !birth.isValid())
        return {};
    const auto [from, to] = checkups::periodOf(*routine, birth);
    return dateText(from) + u'〜' + dateText(to);
}

QStringList rowTexts(const checkups::ListRow &row, const QList<checkups::Entry> &entries, QDate birth)
{
    const checkups::Routine *routine = row.routine ? checkups::routineOf(row.kind) : nullptr;
    QStringList texts{routine ? routine->kind : row.kind, periodText(routine, birth)};
    if (row.entry < 0)
        return texts;
    const checkups::Entry &e = entries[row.entry];
    const auto with = [](const QString &value, const char *unit) {
        return value.isEmpty() ? value : value + QLatin1String(unit);
    };
    texts << e.date << with(e.height, "cm") << with(e.weight, "g") << with(e.head, "cm")
          << with(e.chest, "cm") << e.remarks << e.note;
    return texts;
}

} // namespace

CheckupView::CheckupView(PanelHost &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    prepareAccessibility();
    setObjectName(QStringLiteral("fraKenshin"));
    m_list = new QTreeWidget(this);
    nameControl(m_list, QStringLiteral("lstKenshin"), QStringLiteral("健診の一覧"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels(Columns);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setToolTip(QStringLiteral("選ぶと下の欄に読み込みます（Delete で削除）"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeLabel(QStringLiteral("健診の一覧"), m_list, this));
    layout->addWidget(m_list, 1);
    layout->addWidget(buildFields());
    layout->addLayout(buildButtons());

    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { fillFromChosen(); });
    hookEvents(m_list, [this](QEvent *e) {
        if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(e)->key() != Qt::Key_Delete)
            return false;
        remove();
        return true;
    });
    connect(&host.notebook(), &Notebook::changed, this, &CheckupView::showChange);
}

// Each field with its label; Enter in any of them adds.
QWidget *CheckupView::buildFields()
{
    auto *box = new QWidget(this);
    m_kindBox = new QComboBox(box);
    m_kindBox->setEditable(true);
    m_kindBox->setInsertPolicy(QComboBox::NoInsert);
    for (const checkups::Routine &r : checkups::routine())
        m_kindBox->addItem(r.kind);
    m_kindBox->setCurrentIndex(-1); // typing starts on an empty name, not after 1か月
    m_kindBox->setToolTip(QStringLiteral("定期の健診を選ぶか、歯科健診などの名前を入れます"));
    const auto edit = [box](const QString &name, const QString &tip) {
        auto *e = new QLineEdit(box);
        e->setObjectName(name);
        e->setToolTip(tip);
        return e;
    };
    m_dateEdit = edit(QStringLiteral("txtKenshinDate"), QStringLiteral("2026/06/10 のように入れます"));
    m_heightEdit = edit(QStringLiteral("txtKenshinHeight"), QStringLiteral("61.4 のように cm で"));
    m_weightEdit = edit(QStringLiteral("txtKenshinWeight"), QStringLiteral("6250 のように g で"));
    m_headEdit = edit(QStringLiteral("txtKenshinHead"), QStringLiteral("40.5 のように cm で"));
    m_chestEdit = edit(QStringLiteral("txtKenshinChest"), QStringLiteral("41.0 のように cm で"));
    m_remarksEdit = edit(QStringLiteral("txtKenshinRemarks"), QStringLiteral("医師に言われたこと"));
    m_noteEdit = edit(QStringLiteral("txtKenshinNote"), QStringLiteral("気づいたこと、次に聞きたいこと"));
    struct Field {
        QString caption;
        QWidget *control;
        int row, column, span;
    };
    // Named apart from the tab 健診, which a screen reader reads just before it.
    const Field fields[] = {{QStringLiteral("健診の名前"), m_kindBox, 0, 0, 1},
                            {QStringLiteral("日付"), m_dateEdit, 0, 2, 1},
                            {QStringLiteral("身長(cm)"), m_heightEdit, 1, 0, 1},
                            {QStringLiteral("体重(g)"), m_weightEdit, 1, 2, 1},
                            {QStringLiteral("頭囲(cm)"), m_headEdit, 1, 4, 1},
                            {QStringLiteral("胸囲(cm)"), m_chestEdit, 1, 6, 1},
                            {QStringLiteral("医師の所見"), m_remarksEdit, 2, 0, 7},
                            {QStringLiteral("メモ"), m_noteEdit, 3, 0, 7}};
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    for (const Field &f : fields) {
        if (f.control != m_kindBox)
            f.control->setAccessibleName(f.caption);
        grid->addWidget(makeLabel(f.caption, f.control, box), f.row, f.column);
        grid->addWidget(f.control, f.row, f.column + 1, 1, f.span);
        hookEvents(f.control, [this](QEvent *e) {
            if (!isEnterKey(e))
                return false;
            add();
            return true;
        });
    }
    nameControl(m_kindBox, QStringLiteral("cboKenshin"), QStringLiteral("健診の名前"));
    hookEvents(m_kindBox->lineEdit(), [this](QEvent *e) {
        if (!isEnterKey(e))
            return false;
        add();
        return true;
    });
    return box;
}

QLayout *CheckupView::buildButtons()
{
    auto *addButton = makeButton(QStringLiteral("cmdKenshinAdd"), QStringLiteral("追加"),
                                 QStringLiteral("欄の健診を一覧に加えます (Enter)"), this);
    m_changeButton = makeButton(QStringLiteral("cmdKenshinChange"), QStringLiteral("変更"),
                                QStringLiteral("選んだ健診を欄の内容に書き換えます"), this);
    m_deleteButton = makeButton(QStringLiteral("cmdKenshinDelete"), QStringLiteral("削除"),
                                QStringLiteral("選んだ健診の記録を削除します (一覧で Delete)"), this);
    auto *chartButton = makeButton(QStringLiteral("cmdKenshinHeadChart"), QStringLiteral("頭囲のグラフ"),
                                   QStringLiteral("健診の頭囲を WHO の基準の帯と一緒にグラフにします"), this);
    m_changeButton->setEnabled(false);
    m_deleteButton->setEnabled(false);
    auto *row = new QHBoxLayout;
    for (QPushButton *b : {addButton, m_changeButton, m_deleteButton})
        row->addWidget(b);
    row->addStretch();
    row->addWidget(chartButton);
    connect(addButton, &QPushButton::clicked, this, &CheckupView::add);
    connect(m_changeButton, &QPushButton::clicked, this, &CheckupView::change);
    connect(m_deleteButton, &QPushButton::clicked, this, &CheckupView::remove);
    connect(chartButton, &QPushButton::clicked, this, &CheckupView::openHeadChart);
    return row;
}

void CheckupView::open()
{
    if (m_dateEdit->text().isEmpty())
        m_dateEdit->setText(dateText(m_host.notebook().clock.today()));
    showList();
}

QDate CheckupView::birth() const
{
    return parseStoredDate(m_host.notebook().profile.birthDate).value_or(QDate());
}

void CheckupView::showChange(const NotebookChange &change)
{
    if (change.table == NotebookTable::Checkups || change.table == NotebookTable::Profile)
        showList();
}

void CheckupView::showList()
{
    const QList<checkups::Entry> &entries = m_host.notebook().checkups;
    const std::optional<checkups::Entry> chosen = chosenEntry();
    const QSignalBlocker block(m_list);
    m_list->clear();
    const QDate born = birth();
    for (const checkups::ListRow &row : checkups::listRows(entries)) {
        auto *item = new QTreeWidgetItem(m_list, rowTexts(row, entries, born));
        item->setData(0, EntryRole, row.entry);
        if (row.entry >= 0 && chosen && entries[row.entry] == *chosen)
            m_list->setCurrentItem(item);
    }
    const bool stillChosen = chosenEntry().has_value();
    m_changeButton->setEnabled(stillChosen);
    m_deleteButton->setEnabled(stillChosen);
}

std::optional<checkups::Entry> CheckupView::chosenEntry() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    const QList<checkups::Entry> &entries = m_host.notebook().checkups;
    const int i = item ? item->data(0, EntryRole).toInt() : -1;
    if (i < 0 || i >= entries.size())
        return std::nullopt;
    return entries[i];
}

// A recorded check-up fills every field; a routine one not recorded yet gives its name only.
void CheckupView::fillFromChosen()
{
    const QTreeWidgetItem *item = m_list->currentItem();
    const std::optional<checkups::Entry> entry = chosenEntry();
    m_changeButton->setEnabled(entry.has_value());
    m_deleteButton->setEnabled(entry.has_value());
    if (!item)
        return;
    if (!entry) {
        m_kindBox->setEditText(item->text(0));
        return;
    }
    const checkups::Routine *routine = checkups::routineOf(entry->kind);
    m_kindBox->setEditText(routine ? routine->kind : entry->kind);
    m_dateEdit->setText(entry->date);
    m_heightEdit->setText(entry->height);
    m_weightEdit->setText(entry->weight);
    m_headEdit->setText(entry->head);
    m_chestEdit->setText(entry->chest);
    m_remarksEdit->setText(entry->remarks);
    m_noteEdit->setText(entry->note);
}

std::optional<checkups::Entry> CheckupView::typedEntry()
{
    const checkups::Entry typed{m_kindBox->currentText(), m_dateEdit->text(), m_heightEdit->text(),
                                m_weightEdit->text(),     m_headEdit->text(), m_chestEdit->text(),
                                m_remarksEdit->text(),    m_noteEdit->text()};
    const checkups::Checked checked = checkups::check(typed, birth(), m_host.notebook().clock.today());
    if (!checked.entry)
        m_host.dialogs().warning(Title, checked.refusal);
    return checked.entry;
}

void CheckupView::add()
{
    const std::optional<checkups::Entry> entry = typedEntry();
    if (!entry)
        return;
    const WriteResult written = m_host.notebook().addCheckup(*entry);
    if (!written.ok) {
        m_host.dialogs().warning(Title, written.error);
        return;
    }
    clearFields();
}

void CheckupView::change()
{
    const std::optional<checkups::Entry> was = chosenEntry();
    const std::optional<checkups::Entry> now = was ? typedEntry() : std::nullopt;
    if (!now)
        return;
    const WriteResult written = m_host.notebook().changeCheckup(*was, *now);
    if (!written.ok)
        m_host.dialogs().warning(Title, written.error);
}

void CheckupView::remove()
{
    const std::optional<checkups::Entry> was = chosenEntry();
    if (!was)
        return;
    const QString text =
        QStringLiteral("%1（%2）の記録を削除しますか？").arg(m_list->currentItem()->text(0), was->date);
    if (m_host.dialogs().message({Title, text, Dialogs::Icon::Question, Dialogs::Buttons::OkCancel,
                                  Dialogs::Answer::Cancel, QStringLiteral("削除"),
                                  QStringLiteral("キャンセル")}) != Dialogs::Answer::Ok)
        return;
    const WriteResult written = m_host.notebook().changeCheckup(*was, std::nullopt);
    if (!written.ok)
        m_host.dialogs().warning(Title, written.error);
}

// After an add the date stays: a second check-up of the same day is the likelier next entry.
void CheckupView::clearFields()
{
    for (QLineEdit *e : {m_heightEdit, m_weightEdit, m_headEdit, m_chestEdit, m_remarksEdit, m_noteEdit})
        e->clear();
    m_kindBox->setEditText(QString());
}

void CheckupView::openHeadChart()
{
    if (!m_headChart) {
        m_headChart = new HeadChartWindow(m_host.notebook(), this);
        m_headChart->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_headChart->show();
    m_headChart->raise();
    m_headChart->activateWindow();
}

QWidget *CheckupView::firstField() const { return m_kindBox; }
