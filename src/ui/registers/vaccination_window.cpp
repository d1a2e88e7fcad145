#include "ui/registers/vaccination_window.h"

#include "core/files/dialogs.h"
#include "core/registers/register_file.h"
#include "core/text/dates.h"
#include "ui/widgets/ui_util.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSet>
#include <QVBoxLayout>

VaccinationWindow::VaccinationWindow(const Setup &setup, QWidget *parent) : QDialog(parent), m_setup(setup)
{
    setObjectName(QStringLiteral("frmYobou"));
    setWindowTitle(QStringLiteral("予防接種の予定"));
    setAttribute(Qt::WA_DeleteOnClose);
    const vaccinations::Table &table = vaccinations::shippedTable();

    auto *rota = new QHBoxLayout;
    rota->addWidget(new QLabel(QStringLiteral("ロタウイルスのワクチン："), this));
    m_rotaOne = new QRadioButton(QStringLiteral("1価（2回）"), this);
    m_rotaFive = new QRadioButton(QStringLiteral("5価（3回）"), this);
    nameControl(m_rotaOne, QStringLiteral("optRota1"), QStringLiteral("ロタウイルス 1価（2回）"));
    nameControl(m_rotaFive, QStringLiteral("optRota5"), QStringLiteral("ロタウイルス 5価（3回）"));
    m_rotaOne->setChecked(true);
    // Each pair of choices is a group of its own: all four share the window as their parent.
    auto *rotaGroup = new QButtonGroup(this);
    rotaGroup->addButton(m_rotaOne);
    rotaGroup->addButton(m_rotaFive);
    rota->addWidget(m_rotaOne);
    rota->addWidget(m_rotaFive);
    rota->addStretch();

    // HPV in two doses when the first comes before the 15th birthday, else in three.
    auto *hpv = new QHBoxLayout;
    auto *hpvLabel = new QLabel(QStringLiteral("HPV（子宮頸がん予防）："), this);
    hpv->addWidget(hpvLabel);
    m_hpvTwo = new QRadioButton(QStringLiteral("2回（15歳の誕生日の前日までに1回目）"), this);
    m_hpvThree = new QRadioButton(QStringLiteral("3回"), this);
    nameControl(m_hpvTwo, QStringLiteral("optHpv2"),
                QStringLiteral("HPV 2回（15歳の誕生日の前日までに1回目）"));
    nameControl(m_hpvThree, QStringLiteral("optHpv3"), QStringLiteral("HPV 3回"));
    m_hpvTwo->setChecked(true);
    auto *hpvGroup = new QButtonGroup(this);
    hpvGroup->addButton(m_hpvTwo);
    hpvGroup->addButton(m_hpvThree);
    hpv->addWidget(m_hpvTwo);
    hpv->addWidget(m_hpvThree);
    hpv->addStretch();
    for (QWidget *w : {static_cast<QWidget *>(hpvLabel), static_cast<QWidget *>(m_hpvTwo),
                       static_cast<QWidget *>(m_hpvThree)})
        w->setVisible(setup.girl);

    auto *list = new QWidget(this);
    auto *lists = new QVBoxLayout(list);
    auto *routine = new QGroupBox(QStringLiteral("定期接種"), list);
    m_routine = new QVBoxLayout(routine);
    auto *optional = new QGroupBox(QStringLiteral("任意接種"), list);
    m_optional = new QVBoxLayout(optional);
    lists->addWidget(routine);
    lists->addWidget(optional);
    lists->addStretch();
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    // The doses inside take the focus; the list scrolls to the one that has it.
    scroll->setFocusPolicy(Qt::NoFocus);

    auto *source = new QLabel(
        QStringLiteral("出典：%1（%2 時点）\n表示している日付は標準的な接種時期の目安です。"
                       "実際の接種日は、市区町村からのお知らせとかかりつけの医師に確かめてください。")
            .arg(table.source, table.checked),
        this);
    source->setObjectName(QStringLiteral("lblSource"));
    source->setWordWrap(true);
    m_leftOut = new QLabel(this);
    nameValueLabel(m_leftOut, QStringLiteral("lblLeftOut"), QStringLiteral("表示していない接種"));
    m_leftOut->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("予定に追加"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));

    if (setup.printer) {
        QPushButton *print = makeButton(QStringLiteral("cmdPrint"), QStringLiteral("印刷"),
                                        QStringLiteral("接種済みと予定の一覧を A4 一枚に印刷します"), this);
        buttons->addButton(print, QDialogButtonBox::ActionRole);
        connect(print, &QPushButton::clicked, this, &VaccinationWindow::print);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rota);
    layout->addLayout(hpv);
    layout->addWidget(m_leftOut);
    layout->addWidget(scroll, 1);
    layout->addWidget(source);
    layout->addWidget(buttons);
    resize(600, 660);

    connect(m_rotaFive, &QRadioButton::toggled, this, &VaccinationWindow::fill);
    connect(m_hpvThree, &QRadioButton::toggled, this, &VaccinationWindow::fill);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        emit dosesChosen(checked());
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fill();
}

void VaccinationWindow::fill()
{
    qDeleteAll(m_rowWidgets);
    m_rowWidgets.clear();
    m_rows.clear();
    const vaccinations::Table &table = vaccinations::shippedTable();
    const vaccinations::Options options{m_rotaFive->isChecked(), m_setup.girl, m_hpvThree->isChecked()};
    const QHash<QString, QDate> given =
        vaccination_records::givenDays(m_setup.given ? m_setup.given() : QList<vaccination_records::Entry>());
    const QList<vaccinations::Planned> standard = vaccinations::plan(table, m_setup.birth, options);
    const QList<vaccinations::Planned> planned = vaccinations::afterGiven(standard, given);
    m_planned = planned;
    QSet<QString> shown;
    for (qsizetype i = 0; i < planned.size(); ++i) {
        const vaccinations::Planned &p = planned[i];
        const QDate givenOn = given.value(p.dose.id);
        const QString date = dateText(p.date);
        const bool entered = m_setup.entered && m_setup.entered(date, p.text);
        const vaccinations::Status status = vaccinations::statusOf(p, m_setup.today, entered);
        // The dose and its date; where it stands; its period; and, at a vaccine's first dose,
        // what the vaccine holds.
        QStringList lines{QStringLiteral("%1 %2　%3").arg(p.dose.vaccine, p.dose.dose, date),
                          givenOn.isValid() ? QStringLiteral("接種済み") : status.text};
        if (!givenOn.isValid() && p.date != standard[i].date)
            lines.append(
                QStringLiteral("前の回から最短の間隔をあけた日です（%1）").arg(p.dose.intervalSource));
        if (const QString period = vaccinations::periodText(p); !period.isEmpty())
            lines.append(period);
        const QString contents = table.contents.value(p.dose.vaccine);
        if (!contents.isEmpty() && !shown.contains(p.dose.vaccine))
            lines.append(QStringLiteral("%1：%2").arg(p.dose.vaccine, contents));
        shown.insert(p.dose.vaccine);
        auto *box = new QCheckBox(lines.join(u'\n'));
        box->setObjectName(QStringLiteral("chk_") + p.dose.id);
        box->setAccessibleName(QStringLiteral("%1 %2 %3").arg(p.dose.vaccine, p.dose.dose, date));
        box->setAccessibleDescription(lines.mid(1).join(QStringLiteral("。")));
        // Late but still allowed, or too late: not to be overlooked.
        if (status.state == vaccinations::State::Late && p.last.isValid() && !givenOn.isValid())
            box->setStyleSheet(QStringLiteral("QCheckBox { color: #b35900; font-weight: bold; }"));
        else if (status.state == vaccinations::State::Closed || givenOn.isValid())
            box->setStyleSheet(QStringLiteral("QCheckBox { color: #808080; }"));
        box->setChecked(
            p.dose.routine && !entered && !givenOn.isValid() &&
            (status.state == vaccinations::State::Ahead || status.state == vaccinations::State::Today));
        box->setEnabled(!entered && !givenOn.isValid());
        (p.dose.routine ? m_routine : m_optional)->addWidget(doseRow(box, p, givenOn), 0, Qt::AlignLeft);
        m_rows.append({box, p});
    }
    const int leftOut = vaccinations::leftOutByBirth(table, m_setup.birth, options);
    m_leftOut->setText(
        leftOut == 0
            ? QString()
            : QStringLiteral("生年月日が、この表の制度が始まるより前のため、その前の制度で受ける時期だった"
                             "接種（%1 回分）は表示していません。")
                  .arg(leftOut));
    m_leftOut->setVisible(leftOut > 0);
}

// The dose's check box (as wide as its words, so that a click anywhere on it reaches it), its
// mark and its 接種済み button.
QWidget *VaccinationWindow::doseRow(QCheckBox *box, const vaccinations::Planned &planned, QDate givenOn)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    box->setParent(row);
    auto *mark = nameValueLabel(new QLabel(vaccinations::doseMark(planned, m_setup.today, givenOn), row),
                                QStringLiteral("lblMark_") + planned.dose.id, QStringLiteral("接種の状況"));
    mark->setMinimumWidth(
        mark->fontMetrics().horizontalAdvance(QStringLiteral("期限が近い（8888/88/88まで）")));
    auto *givenButton =
        makeButton(QStringLiteral("cmdGiven_") + planned.dose.id, QStringLiteral("接種済み"),
                   QStringLiteral("この回を接種済みとして、接種日・ロット番号・医療機関を記録します"), row);
    givenButton->setAccessibleName(
        QStringLiteral("接種済み %1 %2").arg(planned.dose.vaccine, planned.dose.dose));
    givenButton->setEnabled(bool(m_setup.mark));
    connect(givenButton, &QPushButton::clicked, this, [this, planned] { askGiven(planned); });
    layout->addWidget(box, 0, Qt::AlignTop);
    layout->addWidget(mark, 0, Qt::AlignTop);
    layout->addWidget(givenButton, 0, Qt::AlignTop);
    m_rowWidgets.append(row);
    return row;
}

// The day given (today unless the dose was recorded before), the lot, the clinic and a note.
void VaccinationWindow::askGiven(const vaccinations::Planned &planned)
{
    const QList<vaccination_records::Entry> given =
        m_setup.given ? m_setup.given() : QList<vaccination_records::Entry>();
    const vaccination_records::Entry *was = vaccination_records::find(given, planned.dose.id);
    auto *box = new QDialog(this);
    box->setObjectName(QStringLiteral("frmGiven"));
    box->setWindowTitle(QStringLiteral("接種済み：%1 %2").arg(planned.dose.vaccine, planned.dose.dose));
    box->setAttribute(Qt::WA_DeleteOnClose);
    auto *form = new QFormLayout;
    QList<QLineEdit *> edits;
    const QStringList captions{QStringLiteral("接種日"), QStringLiteral("ロット番号"),
                               QStringLiteral("医療機関"), QStringLiteral("メモ")};
    const QStringList names{QStringLiteral("txtGivenDate"), QStringLiteral("txtLot"),
                            QStringLiteral("txtClinic"), QStringLiteral("txtGivenNote")};
    const QStringList values = was ? QStringList{was->date, was->lot, was->clinic, was->note}
                                   : QStringList{dateText(m_setup.today), {}, {}, {}};
    for (int i = 0; i < captions.size(); ++i) {
        auto *edit = new QLineEdit(values[i], box);
        nameControl(edit, names[i], captions[i]);
        form->addRow(makeLabel(captions[i], edit, box), edit);
        edits.append(edit);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, box);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(QStringLiteral("記録する"));
    ok->setObjectName(QStringLiteral("cmdGivenOK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    auto *layout = new QVBoxLayout(box);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // Bad input keeps the box open with what was typed.
    connect(buttons, &QDialogButtonBox::accepted, box, [this, box, planned, edits] {
        QStringList typed;
        for (QLineEdit *e : edits)
            typed.append(e->text());
        if (recordGiven(planned, typed))
            box->accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, box, &QDialog::reject);
    edits.first()->selectAll();
    box->open();
    edits.first()->setFocus();
}

bool VaccinationWindow::recordGiven(const vaccinations::Planned &planned, const QStringList &typed)
{
    const QString title = QStringLiteral("接種済み");
    const std::optional<QDate> on = parseTypedDate(typed[0].trimmed(), m_setup.today);
    QString refusal;
    if (!on)
        refusal = QStringLiteral("接種日を 2025/06/10 のように入力してください。");
    else if (*on > m_setup.today)
        refusal = QStringLiteral("接種日（%1）が今日より後の日付です。").arg(dateText(*on));
    else if (*on < m_setup.birth)
        refusal = QStringLiteral("接種日（%1）が生年月日より前の日付です。").arg(dateText(*on));
    const QStringList captions{QStringLiteral("ロット番号"), QStringLiteral("医療機関"),
                               QStringLiteral("メモ")};
    for (int i = 0; i < captions.size() && refusal.isEmpty(); ++i)
        refusal = unstorableFieldMessage(typed[i + 1].trimmed(), captions[i]);
    if (!refusal.isEmpty()) {
        if (m_setup.dialogs)
            m_setup.dialogs->warning(title, refusal);
        return false;
    }
    if (!m_setup.mark(
            {planned.dose.id, dateText(*on), typed[1].trimmed(), typed[2].trimmed(), typed[3].trimmed()}))
        return false;
    fill();
    return true;
}

void VaccinationWindow::print()
{
    const QString said = vaccination_records::print(
        *m_setup.printer, m_planned, m_setup.given ? m_setup.given() : QList<vaccination_records::Entry>(),
        m_setup.today, m_setup.nickname);
    if (!said.isEmpty() && m_setup.dialogs)
        m_setup.dialogs->information(QStringLiteral("印刷"), said);
}

QList<vaccinations::Planned> VaccinationWindow::checked() const
{
    QList<vaccinations::Planned> out;
    for (const auto &[box, planned] : m_rows)
        if (box->isChecked() && box->isEnabled())
            out.append(planned);
    return out;
}
