#pragma once

#include <QString>

class Notebook;
class Dialogs;
class Printer;

// What a panel of the notebook screen needs of the screen around it.
class PanelHost
{
public:
    virtual ~PanelHost() = default;

    virtual Notebook &notebook() = 0;
    virtual Dialogs &dialogs() = 0;
    virtual Printer &printer() = 0;

    // Every panel invisible.
    virtual void panelHide() = 0;
    // The diary panel visible (after panelHide).
    virtual void showDiaryPanel() = 0;
    // Moves hsbDay to day k, which shows that day's page.
    virtual void setCurrentDay(int k) = 0;
    // The date text of the page shown (cboDay).
    virtual QString shownDate() const = 0;
    // True while the notebook screen loads, when no handler writes a file.
    virtual bool loading() const = 0;
    // Sets HelpText and shows it when the tour is on.
    virtual void helpTour(const QString &text) = 0;
};
