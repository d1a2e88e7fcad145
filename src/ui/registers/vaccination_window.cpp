#include "ui/registers/vaccination_window.h"

#include "core/common/dates.h"
#include "ui/widgets/ui_util.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
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
    rota->addWidget(m_rotaOne);
    rota->addWidget(m_rotaFive);
    rota->addStretch();

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

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("予定に追加"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rota);
    layout->addWidget(scroll, 1);
    layout->addWidget(source);
    layout->addWidget(buttons);
    resize(560, 620);

    connect(m_rotaFive, &QRadioButton::toggled, this, &VaccinationWindow::fill);
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
    const vaccinations::Options options{m_rotaFive->isChecked(), m_setup.girl};
    for (const vaccinations::Planned &p : vaccinations::plan(vaccinations::shippedTable(), m_setup.birth, options)) {
        const QString date = dateText(p.date);
        const qint64 left = m_setup.today.daysTo(p.date);
        const bool entered = m_setup.entered && m_setup.entered(date, p.text);
        const QString when = entered     ? QStringLiteral("予定に入っています")
                             : left < 0  ? QStringLiteral("%1 日前").arg(-left)
                             : left == 0 ? QStringLiteral("今日")
                                         : QStringLiteral("あと %1 日").arg(left);
        auto *box = new QCheckBox(QStringLiteral("%1 %2　%3（%4）").arg(p.dose.vaccine, p.dose.dose, date, when));
        box->setObjectName(QStringLiteral("chk_") + p.dose.id);
        box->setAccessibleName(QStringLiteral("%1 %2 %3").arg(p.dose.vaccine, p.dose.dose, date));
        box->setChecked(p.dose.routine && !entered && left >= 0);
        box->setEnabled(!entered);
        (p.dose.routine ? m_routine : m_optional)->addWidget(box);
        m_rows.append({box, p});
    }
}

QList<vaccinations::Planned> VaccinationWindow::checked() const
{
    QList<vaccinations::Planned> out;
    for (const auto &[box, planned] : m_rows)
        if (box->isChecked() && box->isEnabled())
            out.append(planned);
    return out;
}
