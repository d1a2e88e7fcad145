#pragma once

#include <QList>
#include <QStringList>

class QTableWidget;

// The register grids: a header row (the table's horizontal header) and the entry rows; grid
// row r is table row r - 1. Widths are given in twips (1/1440 inch) as the layouts name them.
int twipsToPixels(int twips);
void setupGrid(QTableWidget *grid, const QStringList &headers, const QList<int> &widthsTwips);

// GRID_SETUP: the four grids of the notebook screen with their headers and widths, no rows.
void GRID_SETUP(QTableWidget *msgList, QTableWidget *msgYotei, QTableWidget *msgItadaki,
                QTableWidget *msgAgeru);
