#pragma once

#include "core/files/file_names.h"

#include <QString>

class Dialogs;

// The help tour: most commands explain themselves in a box before they act, while the tour
// is on. The setting lives in 設定.txt.
struct HelpTour {
    qint16 helpTourOn = 0; // anything but 0 is on
    QString helpText;      // set completely by each command before showHelpTour
};

// Sets HelpText and shows it in a box titled "ヘルプツアー" when the tour is on.
void showHelpTour(HelpTour &tour, Dialogs &dialogs, const QString &text);

// 設定.txt's HelpTourOn (an empty text leaves the tour off).
qint16 parseSettings(const QString &text);
// 設定.txt's text: the one line "ヘルプツアー",N with CR LF.
QString settingsFileText(qint16 helpTourOn);
