#include "registers/anniversary_box.h"

#include "common/ui_util.h"
#include "notebook/panel_host.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

AnniversaryBox::AnniversaryBox(PanelHost &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_lstKinen = new QListWidget(this);
    nameControl(m_lstKinen, QStringLiteral("lstKinen"), QStringLiteral("記念日リスト"));
    m_cmdKinen = new QToolButton(this);
    nameControl(m_cmdKinen, QStringLiteral("cmdKinen"), QStringLiteral("記念日登録"));
    m_cmdKinen->setToolTip(QStringLiteral("記念日登録"));
    m_cmdKinen->setText(QStringLiteral("★"));
    auto *head = new QHBoxLayout;
    head->addWidget(makeLabel(QStringLiteral("記念日リスト"), m_lstKinen, this));
    head->addStretch();
    head->addWidget(m_cmdKinen);
    layout->addLayout(head);
    layout->addWidget(m_lstKinen);
}

void AnniversaryBox::KINEN_READ() {}
