#include "registers/grids.h"

#include <QHeaderView>
#include <QTableWidget>

int twipsToPixels(int twips) { return (twips + 7) / 15; }

void setupGrid(QTableWidget *grid, const QStringList &headers, const QList<int> &widthsTwips)
{
    grid->clear();
    grid->setRowCount(0);
    grid->setColumnCount(int(headers.size()));
    grid->setHorizontalHeaderLabels(headers);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid->verticalHeader()->setVisible(false);
    for (int c = 0; c < widthsTwips.size(); ++c)
        grid->setColumnWidth(c, twipsToPixels(widthsTwips[c]));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void GRID_SETUP(QTableWidget *msgList, QTableWidget *msgYotei, QTableWidget *msgItadaki,
                QTableWidget *msgAgeru)
{
    if (msgList)
        setupGrid(msgList,
                  {QStringLiteral("日付"), QStringLiteral("身長 (cm)"), QStringLiteral("体重 (g)"),
                   QStringLiteral("日記")},
                  {1350, 1200, 1000, 7040});
    if (msgYotei)
        setupGrid(msgYotei, {QStringLiteral("日付"), QStringLiteral("予定"), QStringLiteral("残日数")},
                  {1350, 7080, 900});
    if (msgItadaki)
        setupGrid(msgItadaki, {QStringLiteral("日付"), QStringLiteral("頂きもの"), QStringLiteral("お礼")},
                  {1350, 3480, 600});
    if (msgAgeru)
        setupGrid(msgAgeru, {QStringLiteral("日付"), QStringLiteral("贈りもの")}, {1350, 3380});
}
