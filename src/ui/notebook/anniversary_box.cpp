#include "ui/notebook/anniversary_box.h"

#include "core/book/notebook.h"
#include "core/text/cp932.h"
#include "core/files/dialogs.h"
#include "core/text/one_line.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/register_icons.h"
#include "ui/widgets/ui_util.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

AnniversaryBox::AnniversaryBox(PanelHost &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_anniversaryList = new QListWidget(this);
    nameControl(m_anniversaryList, QStringLiteral("lstKinen"), QStringLiteral("記念日リスト"));
    m_addAnniversaryButton = new QToolButton(this);
    nameControl(m_addAnniversaryButton, QStringLiteral("cmdKinen"), QStringLiteral("記念日登録"));
    m_addAnniversaryButton->setToolTip(QStringLiteral("記念日登録"));
    m_addAnniversaryButton->setIcon(registerIcon(RegisterIcon::Anniversary));
    m_addAnniversaryButton->setIconSize(QSize(24, 24));
    auto *head = new QHBoxLayout;
    head->addWidget(makeLabel(QStringLiteral("記念日リスト"), m_anniversaryList, this));
    head->addStretch();
    head->addWidget(m_addAnniversaryButton);
    layout->addLayout(head);
    layout->addWidget(m_anniversaryList);

    connect(m_addAnniversaryButton, &QToolButton::clicked, this, &AnniversaryBox::add);
    connect(m_anniversaryList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { openDay(item->text()); });
    openOnEnter(m_anniversaryList, [this](const QString &entry) { openDay(entry); });
    connect(&host.notebook(), &Notebook::changed, this, &AnniversaryBox::showChange);
}

void AnniversaryBox::readAnniversaries() { m_host.notebook().readTable(NotebookTable::Anniversaries); }

int AnniversaryBox::kinenCount() const { return int(m_host.notebook().anniversaries.size()); }

void AnniversaryBox::showChange(const NotebookChange &change)
{
    if (change.table != NotebookTable::Anniversaries)
        return;
    Notebook &nb = m_host.notebook();
    m_anniversaryList->clear();
    m_anniversaryList->addItems(nb.anniversaries);
    if (nb.takeAnniversariesNotWhole())
        m_host.dialogs().warning(
            QStringLiteral("記念日の読み込み"),
            NotebookFiles::notWholeMessage(anniversaryFileName(), KinenCapacity, QStringLiteral("件")));
}

void AnniversaryBox::add()
{
    Notebook &nb = m_host.notebook();
    Dialogs &dialogs = m_host.dialogs();
    if (nb.anniversaries.size() >= KinenCapacity) {
        dialogs.warning(QStringLiteral("記念日登録"),
                        QStringLiteral("記念日リストはいっぱいです（%1件まで）。\r\n\r\n"
                                       "これ以上は登録できません。")
                            .arg(KinenCapacity));
        return;
    }
    const QString entry =
        dialogs.input(QStringLiteral("記念日リストに登録します\r\n\r\n日付の後に内容を書き込んでください"),
                      QStringLiteral("記念日登録"), m_host.shownDate(), Dialogs::Preset::Extend);
    if (entry.isEmpty())
        return;
    const QString bad = cp932::firstUnencodable(entry);
    if (!bad.isEmpty() || hasControlCharacter(entry)) {
        dialogs.warning(QStringLiteral("入力確認"), bad.isEmpty()
                                                        ? controlCharacterMessage(QStringLiteral("記念日"))
                                                        : cp932::unencodableMessage(bad));
        return;
    }
    reportWrite(dialogs, nb.addAnniversary(entry));
}

void AnniversaryBox::openDay(const QString &entry)
{
    const DiaryTable &diary = m_host.notebook().diary;
    const int k = diary.find(entry.left(10));
    if (k >= 1 && k <= diary.count())
        m_host.setCurrentDay(k);
}
