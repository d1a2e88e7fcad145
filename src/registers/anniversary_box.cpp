#include "registers/anniversary_box.h"

#include "common/cp932.h"
#include "common/dialogs.h"
#include "common/ui_util.h"
#include "notebook/notebook.h"
#include "notebook/panel_host.h"
#include "registers/anniversary_store.h"
#include "registers/register_icons.h"

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
    m_cmdKinen->setIcon(registerIcon(RegisterIcon::Anniversary));
    m_cmdKinen->setIconSize(QSize(24, 24));
    auto *head = new QHBoxLayout;
    head->addWidget(makeLabel(QStringLiteral("記念日リスト"), m_lstKinen, this));
    head->addStretch();
    head->addWidget(m_cmdKinen);
    layout->addLayout(head);
    layout->addWidget(m_lstKinen);

    connect(m_cmdKinen, &QToolButton::clicked, this, &AnniversaryBox::add);
    connect(m_lstKinen, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { openDay(item->text()); });
}

void AnniversaryBox::KINEN_READ()
{
    Notebook &nb = m_host.notebook();
    m_lstKinen->clear();
    const AnniversaryRead read = parseAnniversaries(nb.folder.readAll(anniversaryFileName()));
    m_kinenList = read.entries;
    m_lstKinen->addItems(m_kinenList);
    if (!read.whole && nb.guard.markNotWhole(anniversaryFileName()))
        m_host.dialogs().warning(
            QStringLiteral("記念日の読み込み"),
            Notebook::notWholeMessage(anniversaryFileName(), KinenCapacity, QStringLiteral("件")));
}

void AnniversaryBox::add()
{
    Notebook &nb = m_host.notebook();
    Dialogs &dialogs = m_host.dialogs();
    if (m_kinenList.size() >= KinenCapacity) {
        dialogs.warning(QStringLiteral("記念日登録"),
                        QStringLiteral("記念日リストはいっぱいです（%1件まで）。\r\n\r\n"
                                       "これ以上は登録できません。")
                            .arg(KinenCapacity));
        return;
    }
    const QString entry =
        dialogs.input(QStringLiteral("記念日リストに登録します\r\n\r\n日付の後に内容を書き込んでください"),
                      QStringLiteral("記念日登録"), m_host.shownDate());
    if (entry.isEmpty())
        return;
    const QString bad = cp932::firstUnencodable(entry);
    if (!bad.isEmpty()) {
        dialogs.warning(QStringLiteral("入力確認"), cp932::unencodableMessage(bad));
        return;
    }
    QStringList entries = m_kinenList;
    addAnniversary(entries, entry);
    const WriteResult r = nb.saveFile(anniversaryFileName(), anniversaryFileText(entries));
    if (!r.ok)
        dialogs.warning(QStringLiteral("書き込みエラー"), r.error);
    KINEN_READ();
}

void AnniversaryBox::openDay(const QString &entry)
{
    const DiaryTable &diary = m_host.notebook().diary;
    const int k = diary.find(entry.left(10));
    if (k >= 1 && k <= diary.count())
        m_host.setCurrentDay(k);
}
