#include "ui/handbook/handbook_panel.h"

#include "core/book/handbook_copy.h"
#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/text/dates.h"
#include "ui/handbook/checkup_view.h"
#include "ui/handbook/milestone_view.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/ui_util.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <QTabWidget>
#include <QVBoxLayout>

HandbookPanel::HandbookPanel(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraTecho"));
    setAccessibleName(QStringLiteral("手帳"));
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabTecho"));
    m_tabs->setAccessibleName(QStringLiteral("手帳"));
    m_checkups = new CheckupView(host, m_tabs);
    m_milestones = new MilestoneView(host, m_tabs);
    m_tabs->addTab(m_checkups, QStringLiteral("健診"));
    m_tabs->addTab(m_milestones, QStringLiteral("できたよ"));
    layout->addWidget(m_tabs, 1);
    // A tab chosen (by a click, Ctrl+Tab) puts the cursor in its first field; the list before it
    // stays on the Tab round.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        if (isVisible())
            showTab();
    });
    layout->addWidget(buildCopyRow());
    hide();
}

QWidget *HandbookPanel::buildCopyRow()
{
    auto *row = new QWidget(this);
    auto *line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    m_copyAge = new QComboBox(row);
    nameControl(m_copyAge, QStringLiteral("cboTechoAge"), QStringLiteral("書き写す時期"));
    for (const handbook_copy::Age &age : handbook_copy::ages())
        m_copyAge->addItem(age.label);
    auto *print = makeButton(
        QStringLiteral("cmdTechoPrint"), QStringLiteral("母子手帳に書き写す"),
        QStringLiteral("選んだ時期の健診・身長体重・予防接種・できたよを、母子手帳に書き写せるように"
                       "A4 1枚に印刷します"),
        row);
    connect(print, &QPushButton::clicked, this, &HandbookPanel::printCopy);
    line->addWidget(makeLabel(QStringLiteral("書き写す時期"), m_copyAge, row));
    line->addWidget(m_copyAge);
    line->addWidget(print);
    line->addStretch(1);
    return row;
}

void HandbookPanel::printCopy()
{
    const QString title = QStringLiteral("母子手帳に書き写す");
    QString refusal;
    const handbook_copy::Sheet sheet = handbook_copy::sheetFor(
        m_host.notebook(), handbook_copy::ages().value(m_copyAge->currentIndex()), &refusal);
    if (!refusal.isEmpty()) {
        m_host.dialogs().warning(title, refusal);
        return;
    }
    if (const QString said = handbook_copy::print(m_host.printer(), sheet); !said.isEmpty())
        m_host.dialogs().information(title, said);
}

void HandbookPanel::showTab()
{
    (m_tabs->currentIndex() == 0 ? m_checkups->firstField() : m_milestones->firstField())
        ->setFocus(Qt::OtherFocusReason);
}

void HandbookPanel::open()
{
    m_host.panelHide();
    Notebook &nb = m_host.notebook();
    nb.readTable(NotebookTable::Checkups);
    nb.readTable(NotebookTable::Milestones);
    // The page to copy starts at the age the child is at.
    if (const std::optional<QDate> birth = parseStoredDate(nb.profile.birthDate.trimmed()))
        m_copyAge->setCurrentIndex(handbook_copy::ageNow(*birth, nb.clock.today()));
    m_checkups->open();
    m_milestones->open();
    show();
    showTab();
}
