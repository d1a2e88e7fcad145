#include "ui/notebook/screen_print.h"

#include "ui/widgets/panel_host.h"

void printNotebookScreen(QWidget *window, PanelHost &host)
{
    host.helpTour(
        QStringLiteral("表示されている画面のイメージで印刷を行います。\r\n\r\n"
                       "必要に応じてグラフ表示をさせたり、予定画面などにして各種情報を印刷できます。"));
    askAndPrintWindow(
        window, host.printer(), host.dialogs(),
        QStringLiteral("表示中の情報で印刷しますか？\r\n\r\n良かったらＯＫボタンを押してください"));
}
