#include "ui/notebook/list_panel.h"

#include "core/book/notebook.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/ui_util.h"

#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>

namespace {

QTableWidgetItem *cell(const QString &text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    return item;
}

} // namespace

QCheckBox *makeSearchFoldingBox(QWidget *parent)
{
    auto *box = new QCheckBox(QStringLiteral("かな・全角半角を区別しない"), parent);
    nameControl(box, QStringLiteral("chkFold"), box->text());
    box->setToolTip(QStringLiteral("ﾊﾟﾊﾟ・パパ・ぱぱ、ＡＢＣ・ABC を同じ文字として探します"));
    box->setChecked(QSettings().value(QStringLiteral("diary/searchFolded"), false).toBool());
    QObject::connect(box, &QCheckBox::toggled,
                     [](bool on) { QSettings().setValue(QStringLiteral("diary/searchFolded"), on); });
    return box;
}

QString OneLineDelegate::displayText(const QVariant &value, const QLocale &) const
{
    QString text = value.toString();
    // A break at the end of the cut text (or between its CR and LF) leads nowhere.
    while (text.endsWith(u'\r') || text.endsWith(u'\n'))
        text.chop(1);
    text.replace(QLatin1String("\r\n"), QStringLiteral(" ／ "));
    text.replace(u'\r', QStringLiteral(" ／ "));
    text.replace(u'\n', QStringLiteral(" ／ "));
    return text;
}

ListPanel::ListPanel(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraList"));
    auto *layout = new QVBoxLayout(this);
    m_listGrid = new QTableWidget(this);
    m_listGrid->setTabKeyNavigation(false); // the arrows move in the grid, Tab goes on
    nameControl(m_listGrid, QStringLiteral("msgList"), QStringLiteral("育児日記の一覧"));
    m_listGrid->setToolTip(QStringLiteral("ダブルクリックでその日の日記を表示します"));
    m_listGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listGrid->setAlternatingRowColors(true);
    m_listGrid->setWordWrap(false);
    m_listGrid->setItemDelegateForColumn(3, new OneLineDelegate(m_listGrid));
    m_listGrid->horizontalHeader()->setStretchLastSection(true);
    m_listGrid->verticalHeader()->setDefaultSectionSize(m_listGrid->fontMetrics().height() + 8);
    auto *title = makeLabel(QStringLiteral("育児日記の一覧"), m_listGrid, this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    title->setFont(titleFont);
    layout->addWidget(title);
    layout->addWidget(m_listGrid);

    connect(m_listGrid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openRow(row + 1); });
    hookEvents(m_listGrid, [this](QEvent *e) {
        if (!isEnterKey(e))
            return false;
        if (m_listGrid->currentRow() >= 0)
            openRow(m_listGrid->currentRow() + 1);
        return true;
    });
}

void ListPanel::open()
{
    fill();
    m_host.panelHide();
    show();
    m_host.helpTour(QStringLiteral("育児日記の情報の中で登録されている日付と身長、体重、\r\n"
                                   "日記の書き出しを一覧表示します。\r\n\r\n\r\n"
                                   "見たい日付をダブルクリックするとその日付の育児日記を表示します。\r\n"));
}

void ListPanel::fill()
{
    const DiaryTable &diary = m_host.notebook().diary;
    const Qt::Alignment number = Qt::AlignRight | Qt::AlignVCenter;
    m_listGrid->setUpdatesEnabled(false);
    m_listGrid->clearContents();
    m_listGrid->setRowCount(diary.count());
    for (int r = 1; r <= diary.count(); ++r) {
        const DiaryDay &day = diary.day(r);
        m_listGrid->setItem(r - 1, 0, cell(day.date));
        m_listGrid->setItem(r - 1, 1, cell(measureText(day.height), number));
        m_listGrid->setItem(r - 1, 2, cell(QString::number(day.weight), number));
        m_listGrid->setItem(r - 1, 3, cell(day.text.left(35)));
    }
    m_listGrid->setUpdatesEnabled(true);
}

void ListPanel::openRow(int r)
{
    const DiaryTable &diary = m_host.notebook().diary;
    if (r < 1 || r > m_listGrid->rowCount() || diary.count() == 0)
        return;
    // Row r is day r; should the table have changed since the grid was filled, the row's
    // date still finds the day the parent clicked.
    const QTableWidgetItem *date = m_listGrid->item(r - 1, 0);
    int k = date ? diary.find(date->text()) : 0;
    if (k == 0)
        k = std::min(r, diary.count());
    m_host.panelHide();
    m_host.setCurrentDay(k);
    m_host.showDiaryPanel();
}

void ListPanel::setupGrid()
{
    ::setupGrid(m_listGrid,
                {QStringLiteral("日付"), QStringLiteral("身長 (cm)"), QStringLiteral("体重 (g)"),
                 QStringLiteral("日記")},
                {1350, 1200, 1000, 7040});
}
