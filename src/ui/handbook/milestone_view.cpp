#include "ui/handbook/milestone_view.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/files/notebook_files.h"
#include "core/notebook/anniversary_store.h"
#include "core/text/dates.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/ui_util.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("できたよ");
const QString NotYet = QStringLiteral("—");
constexpr int EntryRole = Qt::UserRole; // the line's fields; none for a first not reached
constexpr int WhatRole = Qt::UserRole + 1;

} // namespace

MilestoneView::MilestoneView(PanelHost &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    prepareAccessibility();
    setObjectName(QStringLiteral("fraDekitayo"));
    auto *layout = new QVBoxLayout(this);
    m_list = new QTreeWidget(this);
    nameControl(m_list, QStringLiteral("lstDekitayo"), QStringLiteral("できたよの一覧"));
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderLabels({QStringLiteral("できたこと"), QStringLiteral("日付"), QStringLiteral("月齢"),
                             QStringLiteral("メモ")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);
    m_list->setToolTip(QStringLiteral("選ぶと下の欄に読み込みます。Delete で削除します"));
    layout->addWidget(makeLabel(QStringLiteral("できたよの一覧"), m_list, this));
    layout->addWidget(m_list, 1);
    layout->addWidget(buildFields());
    layout->addWidget(buildButtons());

    connect(m_list, &QTreeWidget::currentItemChanged, this, &MilestoneView::fillFromRow);
    hookEvents(m_list, [this](QEvent *e) {
        if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(e)->key() != Qt::Key_Delete)
            return false;
        remove();
        return true;
    });
    connect(&host.notebook(), &Notebook::changed, this, &MilestoneView::showChange);
}

QWidget *MilestoneView::buildFields()
{
    auto *box = new QWidget(this);
    m_whatBox = new QComboBox(box);
    m_whatBox->setEditable(true);
    m_whatBox->setInsertPolicy(QComboBox::NoInsert);
    m_whatBox->addItems(milestones::routine());
    m_whatBox->setMinimumContentsLength(12);
    m_whatBox->setToolTip(QStringLiteral("一覧から選ぶか、できたことを自由に書きます（Enter で追加）"));
    nameControl(m_whatBox, QStringLiteral("cboDekita"), QStringLiteral("できたこと"));
    m_dateEdit = new QLineEdit(box);
    m_dateEdit->setMaximumWidth(120);
    m_dateEdit->setToolTip(QStringLiteral("2026/5/12 のように入れます（Enter で追加）"));
    nameControl(m_dateEdit, QStringLiteral("txtDekitaHi"), QStringLiteral("日付"));
    m_noteEdit = new QLineEdit(box);
    m_noteEdit->setToolTip(QStringLiteral("Enter で追加します"));
    nameControl(m_noteEdit, QStringLiteral("txtDekitaMemo"), QStringLiteral("メモ"));

    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(makeLabel(QStringLiteral("できたこと"), m_whatBox, box));
    row->addWidget(m_whatBox, 1);
    row->addWidget(makeLabel(QStringLiteral("日付"), m_dateEdit, box));
    row->addWidget(m_dateEdit);
    row->addWidget(makeLabel(QStringLiteral("メモ"), m_noteEdit, box));
    row->addWidget(m_noteEdit, 2);
    // Enter in a field adds, as the button does; the combo box would otherwise keep it.
    for (QWidget *field : std::initializer_list<QWidget *>{m_whatBox, m_dateEdit, m_noteEdit})
        hookEvents(field, [this](QEvent *e) {
            if (!isEnterKey(e))
                return false;
            add();
            return true;
        });
    return box;
}

QWidget *MilestoneView::buildButtons()
{
    auto *box = new QWidget(this);
    m_addButton = makeButton(QStringLiteral("cmdDekitaTsuika"), QStringLiteral("追加"),
                             QStringLiteral("欄のできたことを一覧に加えます（欄で Enter）"), box);
    m_changeButton = makeButton(QStringLiteral("cmdDekitaHenkou"), QStringLiteral("変更"),
                                QStringLiteral("選んだ行を欄の内容で書き換えます"), box);
    m_deleteButton = makeButton(QStringLiteral("cmdDekitaSakujo"), QStringLiteral("削除"),
                                QStringLiteral("選んだ行を削除します（一覧で Delete）"), box);
    m_anniversaryButton =
        makeButton(QStringLiteral("cmdDekitaKinen"), QStringLiteral("記念日に追加"),
                   QStringLiteral("選んだできたよを、日付と月齢つきで記念日に加えます"), box);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    for (QPushButton *b : {m_addButton, m_changeButton, m_deleteButton, m_anniversaryButton})
        row->addWidget(b);
    row->addStretch(1);
    connect(m_addButton, &QPushButton::clicked, this, &MilestoneView::add);
    connect(m_changeButton, &QPushButton::clicked, this, &MilestoneView::change);
    connect(m_deleteButton, &QPushButton::clicked, this, &MilestoneView::remove);
    connect(m_anniversaryButton, &QPushButton::clicked, this, &MilestoneView::addToAnniversaries);
    return box;
}

void MilestoneView::open()
{
    showList(std::nullopt, QString());
    clearFields();
}

QDate MilestoneView::birth() const
{
    return parseStoredDate(m_host.notebook().profile.birthDate).value_or(QDate());
}

void MilestoneView::showChange(const NotebookChange &change)
{
    if (change.table == NotebookTable::Profile) {
        showList(std::nullopt, QString());
        return;
    }
    if (change.table != NotebookTable::Milestones)
        return;
    const QList<milestones::Entry> &entries = m_host.notebook().milestones;
    // The line this view just wrote is the one chosen afterwards.
    if (!change.fromOutside && !change.records.isEmpty() && change.records.last() >= 0 &&
        change.records.last() < entries.size())
        showList(entries[change.records.last()], QString());
    else
        showList(chosenEntry(QString()),
                 m_list->currentItem() ? m_list->currentItem()->data(0, WhatRole).toString() : QString());
}

void MilestoneView::showList(const std::optional<milestones::Entry> &chosen, const QString &chosenWhat)
{
    const QList<milestones::Entry> &entries = m_host.notebook().milestones;
    const QDate born = birth();
    // Choosing the row again must not fill the fields over what is being typed.
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const milestones::Row &r : milestones::listed(entries)) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setData(0, WhatRole, r.what);
        item->setText(0, r.what);
        if (r.index < 0) {
            item->setText(1, NotYet);
            item->setText(2, NotYet);
            if (!chosen && r.what == chosenWhat)
                m_list->setCurrentItem(item);
            continue;
        }
        const milestones::Entry &e = entries[r.index];
        item->setData(0, EntryRole, e.fields());
        const std::optional<QDate> on = parseStoredDate(e.date);
        item->setText(1, e.date);
        item->setText(2, on ? ageText(born, *on) : QString());
        item->setText(3, e.note);
        if (chosen && e == *chosen)
            m_list->setCurrentItem(item);
    }
}

void MilestoneView::fillFromRow()
{
    const QTreeWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    const QStringList fields = item->data(0, EntryRole).toStringList();
    m_whatBox->setEditText(item->data(0, WhatRole).toString());
    if (fields.size() == milestones::Fields) {
        m_dateEdit->setText(fields[1]);
        m_noteEdit->setText(fields[2]);
    } else {
        m_dateEdit->setText(dateText(m_host.notebook().clock.today()));
        m_noteEdit->clear();
    }
}

void MilestoneView::clearFields()
{
    m_whatBox->setEditText(QString());
    m_dateEdit->setText(dateText(m_host.notebook().clock.today()));
    m_noteEdit->clear();
}

std::optional<milestones::Entry> MilestoneView::typedEntry()
{
    const milestones::Checked checked =
        milestones::check({m_whatBox->currentText(), m_dateEdit->text(), m_noteEdit->text()}, birth(),
                          m_host.notebook().clock.today());
    if (!checked.entry)
        m_host.dialogs().warning(Title, checked.refusal);
    return checked.entry;
}

std::optional<milestones::Entry> MilestoneView::chosenEntry(const QString &command)
{
    const QTreeWidgetItem *item = m_list->currentItem();
    const QStringList fields = item ? item->data(0, EntryRole).toStringList() : QStringList();
    if (fields.size() == milestones::Fields)
        return milestones::Entry{fields[0], fields[1], fields[2]};
    if (!command.isEmpty())
        m_host.dialogs().warning(
            Title, QStringLiteral("%1する「できたよ」を、日付のある行から選んでください。").arg(command));
    return std::nullopt;
}

void MilestoneView::add()
{
    const std::optional<milestones::Entry> entry = typedEntry();
    if (entry && reportWrite(m_host.dialogs(), m_host.notebook().addMilestone(*entry)))
        clearFields();
}

void MilestoneView::change()
{
    const std::optional<milestones::Entry> was = chosenEntry(QStringLiteral("変更"));
    if (!was)
        return;
    const std::optional<milestones::Entry> now = typedEntry();
    if (now && reportWrite(m_host.dialogs(), m_host.notebook().changeMilestone(*was, *now)))
        clearFields();
}

void MilestoneView::remove()
{
    const std::optional<milestones::Entry> was = chosenEntry(QStringLiteral("削除"));
    if (!was)
        return;
    const QString text = QStringLiteral("「%1」（%2）を削除しますか？").arg(was->what, was->date);
    if (m_host.dialogs().message({Title, text, Dialogs::Icon::Question, Dialogs::Buttons::OkCancel,
                                  Dialogs::Answer::Cancel, QStringLiteral("はい"),
                                  QStringLiteral("いいえ")}) != Dialogs::Answer::Ok)
        return;
    if (reportWrite(m_host.dialogs(), m_host.notebook().changeMilestone(*was, std::nullopt)))
        clearFields();
}

void MilestoneView::addToAnniversaries()
{
    const std::optional<milestones::Entry> first = chosenEntry(QStringLiteral("記念日に追加"));
    if (!first)
        return;
    Notebook &nb = m_host.notebook();
    const QString entry = milestones::anniversaryText(*first, birth());
    if (nb.anniversaries.contains(entry)) {
        m_host.dialogs().information(Title,
                                     QStringLiteral("「%1」は、もう記念日に入っています。").arg(entry));
        return;
    }
    if (nb.anniversaries.size() >= KinenCapacity) {
        m_host.dialogs().warning(Title, QStringLiteral("記念日リストはいっぱいです（%1件まで）。\r\n\r\n"
                                                       "これ以上は登録できません。")
                                            .arg(KinenCapacity));
        return;
    }
    if (reportWrite(m_host.dialogs(), nb.addAnniversary(entry)))
        m_host.dialogs().information(Title, QStringLiteral("記念日に追加しました：%1").arg(entry));
}

QWidget *MilestoneView::firstField() const { return m_whatBox; }
