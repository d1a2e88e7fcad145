#include "core/files/help_tour.h"

#include "core/text/delimited.h"
#include "core/files/dialogs.h"

void showHelpTour(HelpTour &tour, Dialogs &dialogs, const QString &text)
{
    tour.helpText = text;
    if (tour.helpTourOn != 0)
        dialogs.information(QStringLiteral("ヘルプツアー"), tour.helpText);
}

qint16 parseSettings(const QString &text)
{
    DelimitedReader reader(text);
    reader.readText();
    return reader.readInt16();
}

QString settingsFileText(qint16 helpTourOn)
{
    return quotedLine({{QStringLiteral("ヘルプツアー"), true}, {QString::number(helpTourOn), false}}) +
           QStringLiteral("\r\n");
}
