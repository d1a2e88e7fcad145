#include "ui/registers/vaccination_window.h"

#include "core/text/dates.h"
#include "ui/widgets/ui_util.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
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

    auto *source = new QLabel(QStringLiteral("出典：%1（%2 時点）\n表示している日付は標準的な接種時期の目安です。"
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
    for (auto &[box, planned] : m_rows)
        delete box;
    m_rows.clear();
    const vaccinations::Table &table = vaccinations::shippedTable();
    const vaccinations::Options options{m_rotaFive->isChecked(), m_setup.girl, m_hpvThree->isChecked()};
    QSet<QString> shown;
    for (const vaccinations::Planned &p : vaccinations::plan(table, m_setup.birth, options)) {
        const QString date = dateText(p.date);
        const bool entered = m_setup.entered && m_setup.entered(date, p.text);
        const vaccinations::Status status = vaccinations::statusOf(p, m_setup.today, entered);
        // The dose and its date; where it stands; its period; and, at a vaccine's first dose,
        // what the vaccine holds.
        QStringList lines{QStringLiteral("%1 %2　%3").arg(p.dose.vaccine, p.dose.dose, date), status.text};
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
        if (status.state == vaccinations::State::Late && p.last.isValid())
            box->setStyleSheet(QStringLiteral("QCheckBox { color: #b35900; font-weight: bold; }"));
        else if (status.state == vaccinations::State::Closed)
            box->setStyleSheet(QStringLiteral("QCheckBox { color: #808080; }"));
        box->setChecked(
            p.dose.routine && !entered &&
            (status.state == vaccinations::State::Ahead || status.state == vaccinations::State::Today));
        box->setEnabled(!entered);
        // As wide as its words, so that a click anywhere on it reaches it.
        (p.dose.routine ? m_routine : m_optional)->addWidget(box, 0, Qt::AlignLeft);
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

QList<vaccinations::Planned> VaccinationWindow::checked() const
{
    QList<vaccinations::Planned> out;
    for (const auto &[box, planned] : m_rows)
        if (box->isChecked() && box->isEnabled())
            out.append(planned);
    return out;
}
