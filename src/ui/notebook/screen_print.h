#pragma once

#include "ui/widgets/window_print.h"

class PanelHost;
class QWidget;

// "印刷" of the notebook screen: its help tour, its question, the window image.
void printNotebookScreen(QWidget *window, PanelHost &host);
