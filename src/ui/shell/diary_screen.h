#pragma once

#include "ui/widgets/panel_host.h"

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <functional>

struct NotebookChange;

class CarePanel;
class HandbookPanel;
class DiaryPage;
class GiftPanel;
class GrowthPanel;
class HelpWindow;
class ListPanel;
class OutsideWatch;
class PhotoPanel;
class ProfileScreen;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class RecipeScreen;
class SchedulePanel;
class YearbookWindow;
class QWidget;

// The notebook screen frmDiary: the button bar, the six panels that take turns in one place,
// the help tour switch, and the doors to the recipe screen, the profile screen and the help.
class DiaryScreen : public QMainWindow, public PanelHost
{
    Q_OBJECT
public:
    DiaryScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer, const QString &helpDir,
                QWidget *parent = nullptr);
    ~DiaryScreen() override;

    // The screen's load, in its fixed order, ending with the window shown and the greetings.
    void load();

    // The panels' host
    Notebook &notebook() override { return m_notebook; }
    Dialogs &dialogs() override { return m_dialogs; }
    Printer &printer() override { return m_printer; }
    void panelHide() override;
    void showDiaryPanel() override;
    void setCurrentDay(int k) override;
    QString shownDate() const override;
    bool loading() const override { return m_loading; }
    void helpTour(const QString &text) override;

    DiaryPage *diaryPage() const { return m_diaryPage; }
    // The recipe screen, loaded hidden when it is not loaded yet. Its tables are loaded with
    // the notebook; its widgets are made the first time it is asked for.
    RecipeScreen *recipeScreen();
    bool recipeScreenLoaded() const { return !m_recipeScreen.isNull() || m_recipeTablesLoaded; }
    QList<QFrame *> panels() const;
    // The profile screen while it is open.
    ProfileScreen *profileScreen() const;
    // Before load: a copy of the sample opened to look at (the title says 見本), or the first
    // start of the child's own notebook (no sample welcome).
    void setFirstStart(bool sampleView, bool ownNotebook);
    // The first start's own notebook: the profile screen, ready for the child's data.
    void startOwnNotebook();

    // F1: the help at the page of the window and panel in front ("panels.html#graph").
    QString helpPageShown() const;
    void openHelpAt(const QString &page);
    const QList<QPointer<HelpWindow>> &helpWindows() const { return m_helpWindows; }
    // What another computer changes in the folder while the notebook is open (after load).
    OutsideWatch *outsideWatch() const { return m_outsideWatch; }

signals:
    // "終了" or the close box: the whole program ends.
    void programEnded();
    // The profile screen is asked for (設定).
    void profileScreenRequested();
    // A notebook was restored into a new folder: the program opens it (in a new window).
    void restoredFolderToOpen(const QString &folder);


protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // A command of the bar, and for a panel how it is made and its help page.
    struct BarCommand {
        QString id; // the button's object name
        QString caption;
        QString tooltip;
        QString name; // the accessible name when the caption does not say it whole
        QKeySequence key;
        bool gapBefore = false;
        QString helpPage;
        std::function<QFrame *(DiaryScreen &)> makePanel;
        std::function<void(DiaryScreen &)> run;
    };
    static const QList<BarCommand> &barCommands();
    void showOutsideNote(const QString &note);
    void readProfile();
    void greet();
    void helpCheckClicked();
    void openHelp();
    void endProgram(bool closeHelp);
    void buildBar();
    QPushButton *addBarButton(const QString &name, const QString &caption, const QString &tooltip,
                              const std::function<void()> &handler);
    void diaryButtonClicked();
    void recipeButtonClicked();
    // アルバム書き出し: the export window.
    void openYearbook();
    void profileButtonClicked();
    void openProfileScreen();
    void showNotebookTitle();
    void showReloaded(const NotebookChange &change);

    Notebook &m_notebook;
    Dialogs &m_dialogs;
    Printer &m_printer;
    QString m_helpDir;
    QString m_helpFileName;

    QWidget *m_bar = nullptr;
    QCheckBox *m_helpTourCheck = nullptr;
    DiaryPage *m_diaryPage = nullptr;
    GrowthPanel *m_growthPanel = nullptr;
    ListPanel *m_listPanel = nullptr;
    SchedulePanel *m_schedulePanel = nullptr;
    GiftPanel *m_giftPanel = nullptr;
    PhotoPanel *m_photoPanel = nullptr;
    CarePanel *m_carePanel = nullptr;
    HandbookPanel *m_handbookPanel = nullptr;
    QLabel *m_careSince = nullptr; // the status line's time since the last feed and nappy
    OutsideWatch *m_outsideWatch = nullptr;
    QList<QFrame *> m_panels; // in the bar's order
    QList<std::pair<QFrame *, QString>> m_panelHelp;
    QPushButton *m_noteDetails = nullptr; // shows the last note from the other computer whole
    QString m_lastNote;
    QPointer<RecipeScreen> m_recipeScreen;
    QPointer<ProfileScreen> m_profileScreen;
    QPointer<YearbookWindow> m_yearbook;
    bool m_recipeTablesLoaded = false; // by the load, for the recipe screen not made yet
    bool m_sampleView = false;
    bool m_ownNotebookStart = false;
    QList<QPointer<HelpWindow>> m_helpWindows;
    bool m_ended = false;
    bool m_loading = false;
};

// The two window titles that carry the child's nickname.
QString notebookTitle(const QString &nickname);
QString recipeTitle(const QString &nickname);
