#include "ui/recipes/first_foods_window.h"

#include "core/book/notebook.h"
#include "core/text/dates.h"
#include "core/files/dialogs.h"
#include "core/text/one_line.h"
#include "core/profile/new_notebook.h"
#include "core/registers/register_file.h"
#include "ui/widgets/pick_combo.h"
#include "ui/widgets/ui_util.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

FirstFoodsWindow::FirstFoodsWindow(Notebook &notebook, Dialogs &dialogs, Printer *printer, QWidget *parent)
    : QDialog(parent), m_notebook(notebook), m_dialogs(dialogs), m_printer(printer)
{
    prepareAccessibility();
    setObjectName(QStringLiteral("frmHajimete"));
    setWindowTitle(QStringLiteral("はじめての食材"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_table = new QTableWidget(0, 6, this);
    nameControl(m_table, QStringLiteral("msgHajimete"), QStringLiteral("はじめての食材の一覧"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("分類"), QStringLiteral("食材"), QStringLiteral("表示義務"),
                                        QStringLiteral("はじめて食べた日"), QStringLiteral("反応"), QStringLiteral("メモ")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setStretchLastSection(true);

    m_search = new QLineEdit(this);
    nameControl(m_search, QStringLiteral("txtSagasu"), QStringLiteral("食材を探す"));
    m_food = new PickComboBox(this);
    nameControl(m_food, QStringLiteral("cboSyokuzai"), QStringLiteral("食材"));
    for (const first_foods::Food &f : first_foods::startingList())
        m_food->addItem(f.name);
    m_food->setEditText(QString());
    m_date = new QLineEdit(dateText(notebook.clock.today()), this);
    nameControl(m_date, QStringLiteral("txtHi"), QStringLiteral("はじめて食べた日"));
    m_reaction = new FixedComboBox(this);
    nameControl(m_reaction, QStringLiteral("cboHannou"), QStringLiteral("反応"));
    m_reaction->addItems(first_foods::reactions());
    m_note = new QLineEdit(this);
    nameControl(m_note, QStringLiteral("txtMemo"), QStringLiteral("メモ"));
    QPushButton *add = makeButton(QStringLiteral("cmdTouroku"), QStringLiteral("登録"),
                                  QStringLiteral("はじめて食べた食材を登録します"), this);
    QPushButton *change = makeButton(QStringLiteral("cmdHenkou"), QStringLiteral("変更"),
                                     QStringLiteral("一覧で選んだ行を、下の欄のとおりに変えます"), this);
    QPushButton *remove = makeButton(QStringLiteral("cmdSakujo"), QStringLiteral("削除"),
                                     QStringLiteral("一覧で選んだ行を削除します"), this);
    QPushButton *close = makeButton(QStringLiteral("cmdModori"), QStringLiteral("閉じる"), QString(), this);

    auto *entry = new QGridLayout;
    entry->addWidget(makeLabel(QStringLiteral("食材"), m_food, this), 0, 0);
    entry->addWidget(m_food, 0, 1);
    entry->addWidget(makeLabel(QStringLiteral("はじめて食べた日"), m_date, this), 0, 2);
    entry->addWidget(m_date, 0, 3);
    entry->addWidget(makeLabel(QStringLiteral("反応"), m_reaction, this), 0, 4);
    entry->addWidget(m_reaction, 0, 5);
    entry->addWidget(makeLabel(QStringLiteral("メモ"), m_note, this), 1, 0);
    entry->addWidget(m_note, 1, 1, 1, 4);
    entry->addWidget(add, 1, 5);
    auto *rowButtons = new QHBoxLayout;
    rowButtons->addStretch();
    rowButtons->addWidget(change);
    rowButtons->addWidget(remove);
    entry->addLayout(rowButtons, 2, 0, 1, 6);
    auto *top = new QHBoxLayout;
    top->addWidget(makeLabel(QStringLiteral("探す"), m_search, this));
    top->addWidget(m_search, 1);
    top->addWidget(new QLabel(QStringLiteral("★ はアレルギー表示が義務の8品目"), this));
    auto *bottom = new QHBoxLayout;
    if (m_printer) {
        QPushButton *print = makeButton(QStringLiteral("cmdPrint"), QStringLiteral("印刷"),
                                        QStringLiteral("はじめての食材を A4 一枚に印刷します"), this);
        connect(print, &QPushButton::clicked, this, [this] {
            const QString said =
                first_foods::print(*m_printer, m_notebook.firstFoods, m_notebook.profile.nickname);
            if (!said.isEmpty())
                m_dialogs.information(QStringLiteral("印刷"), said);
        });
        bottom->addWidget(print);
    }
    bottom->addStretch();
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addLayout(entry);
    layout->addLayout(bottom);
    resize(720, 560);

    connect(add, &QPushButton::clicked, this, &FirstFoodsWindow::enter);
    connect(change, &QPushButton::clicked, this, &FirstFoodsWindow::changeChosen);
    connect(remove, &QPushButton::clicked, this, &FirstFoodsWindow::deleteChosen);
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) { rowChosen(row); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_search, &QLineEdit::textChanged, this, &FirstFoodsWindow::narrow);
    connect(&m_notebook, &Notebook::changed, this, [this](const NotebookChange &told) {
        if (told.table == NotebookTable::FirstFoods)
            showEntries();
    });
    fill();
}

void FirstFoodsWindow::fill() { m_notebook.readTable(NotebookTable::FirstFoods); }

void FirstFoodsWindow::showEntries()
{
    const QList<first_foods::Entry> &eaten = m_notebook.firstFoods;
    m_eaten = eaten;
    QList<first_foods::Entry> rows = eaten;
    for (const first_foods::Food &f : first_foods::startingList())
        if (!first_foods::find(eaten, f.name))
            rows.append({f.name, QString(), QString(), QString()});
    {
        // The boxes keep what is typed while the rows are made anew.
        const QSignalBlocker quiet(m_table);
        m_table->setCurrentCell(-1, -1);
    }
    m_table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const first_foods::Entry &e = rows[r];
        const QStringList cells = {first_foods::groupOf(e.food), e.food,
                                   first_foods::isAllergen(e.food) ? QStringLiteral("★") : QString(), e.date,
                                   e.reaction, e.note};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (e.reaction == QStringLiteral("あり"))
                item->setForeground(QColor(200, 0, 0));
            m_table->setItem(r, c, item);
        }
    }
    m_table->resizeColumnsToContents();
    narrow();
}

void FirstFoodsWindow::setSearch(const QString &text) { m_search->setText(text); }

void FirstFoodsWindow::narrow()
{
    const QString key = first_foods::matchForm(m_search->text());
    for (int r = 0; r < m_table->rowCount(); ++r) {
        bool hit = key.isEmpty();
        for (int c = 0; c < m_table->columnCount() && !hit; ++c)
            hit = first_foods::matchForm(m_table->item(r, c)->text()).contains(key);
        m_table->setRowHidden(r, !hit);
    }
}

void FirstFoodsWindow::rowChosen(int row)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    if (row >= m_eaten.size()) {
        // A food not entered yet: ready to be entered.
        m_food->setEditText(m_table->item(row, 1)->text());
        return;
    }
    const first_foods::Entry &e = m_eaten[row];
    m_food->setEditText(e.food);
    m_date->setText(e.date);
    if (const int i = m_reaction->findText(e.reaction); i >= 0)
        m_reaction->setCurrentIndex(i);
    m_note->setText(e.note);
}

std::optional<first_foods::Entry> FirstFoodsWindow::typedEntry(const QList<first_foods::Entry> &eaten,
                                                               const first_foods::Entry *kept)
{
    const QString food = m_food->currentText().trimmed();
    const QString title = QStringLiteral("はじめての食材");
    if (food.isEmpty()) {
        m_dialogs.warning(title, QStringLiteral("食材を選ぶか書き込んでから、ボタンを押してください。"));
        return std::nullopt;
    }
    const std::optional<QDate> date = parseTypedDate(m_date->text(), m_notebook.clock.today());
    if (!date) {
        m_dialogs.warning(title, notADateText());
        return std::nullopt;
    }
    for (const auto &[value, caption] :
         {std::pair{food, QStringLiteral("食材")}, std::pair{m_note->text(), QStringLiteral("メモ")}})
        if (const QString why = unstorableFieldMessage(value, caption); !why.isEmpty()) {
            m_dialogs.warning(title, why);
            return std::nullopt;
        }
    QList<first_foods::Entry> others = eaten;
    if (kept)
        others.removeOne(*kept);
    if (const first_foods::Entry *e = first_foods::find(others, food)) {
        m_dialogs.warning(title, QStringLiteral("「%1」は %2 に登録済みです。食材は一度だけ登録できます。").arg(e->food, e->date));
        return std::nullopt;
    }
    return first_foods::Entry{food, dateText(*date), m_reaction->currentText(), m_note->text()};
}

void FirstFoodsWindow::enter()
{
    const std::optional<first_foods::Entry> entry = typedEntry(m_notebook.firstFoods);
    if (!entry || !reportWrite(m_dialogs, m_notebook.addFirstFood(*entry)))
        return;
    m_food->setEditText(QString());
    m_note->clear();
}

std::optional<first_foods::Entry> FirstFoodsWindow::chosenEntry()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_eaten.size() || m_table->isRowHidden(row)) {
        m_dialogs.warning(QStringLiteral("はじめての食材"),
                          QStringLiteral("変更や削除をする行を、登録した食材の一覧から選んでください。"));
        return std::nullopt;
    }
    return m_eaten[row];
}

void FirstFoodsWindow::changeChosen()
{
    const std::optional<first_foods::Entry> was = chosenEntry();
    if (!was)
        return;
    const std::optional<first_foods::Entry> now = typedEntry(m_eaten, &*was);
    if (!now || *now == *was)
        return;
    if (!m_dialogs.confirm(QStringLiteral("変更確認"),
                           QStringLiteral("「%1」（%2）の行を、「%3」（%4）に変更します。")
                               .arg(was->food, was->date, now->food, now->date),
                           Dialogs::Icon::Information, Dialogs::Answer::Ok))
        return;
    const bool written = reportWrite(m_dialogs, m_notebook.changeFirstFood(*was, now));
    if (written) {
        m_food->setEditText(QString());
        m_note->clear();
    }
}

void FirstFoodsWindow::deleteChosen()
{
    const std::optional<first_foods::Entry> was = chosenEntry();
    if (!was)
        return;
    if (!m_dialogs.confirm(QStringLiteral("削除確認"),
                           QStringLiteral("『 %1 』（%2）の行を削除します").arg(was->food, was->date),
                           Dialogs::Icon::Warning, Dialogs::Answer::Cancel))
        return;
    const bool written = reportWrite(m_dialogs, m_notebook.changeFirstFood(*was, std::nullopt));
    if (written) {
        m_food->setEditText(QString());
        m_note->clear();
    }
}
