#include "common/help_tour.h"

#include "common/cp932.h"
#include "common/delimited.h"
#include "common/dialogs.h"
#include "common/notebook_folder.h"

void HELP_TOUR(HelpTour &tour, Dialogs &dialogs, const QString &text)
{
    tour.helpText = text;
    if (tour.helpTourOn != 0)
        dialogs.information(QStringLiteral("ヘルプツアー"), tour.helpText);
}

void SETTINGS_READ(HelpTour &tour, const NotebookFolder &folder)
{
    DelimitedReader reader(cp932::decode(folder.readAll(QStringLiteral("設定.txt"))));
    reader.readText();
    tour.helpTourOn = reader.readInt16();
}

QString settingsFileText(qint16 helpTourOn)
{
    return quotedLine({{QStringLiteral("ヘルプツアー"), true}, {QString::number(helpTourOn), false}}) +
           QStringLiteral("\r\n");
}
