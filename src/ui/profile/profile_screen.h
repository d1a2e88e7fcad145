#pragma once

#include "core/profile/new_notebook.h"

#include <QDialog>
#include <QStringList>

#include <array>

class Dialogs;
class Notebook;
class Printer;
class QGroupBox;
class QLabel;
class QLineEdit;
struct PointGoal;

// The profile screen frmPrivate ("プライベートデータ"): the birth data with the command that
// starts a new notebook, the point goal, and the life-event calendar counted from the birth
// date. The notebook's "設定" button opens it without blocking the other screens; "戻り" and
// the close box unload it without saving.
struct Profile;

class ProfileScreen : public QDialog
{
    Q_OBJECT
public:
    ProfileScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer, QWidget *parent = nullptr);

    // The screen's load: the fields from the profile in memory, the point goal, the calendar.
    void load();
    // The first start's own notebook: the birth fields emptied for the child's data, the
    // cursor in the nickname.
    void prepareNewNotebook();
    // The notebook open is the sample's temporary copy: a new notebook is made in this folder
    // (the per-user one) instead, with nothing of the sample's child, and opens at the next start.
    void setNewNotebookFolder(const QString &dir) { m_newNotebookFolder = dir; }

signals:
    // A new notebook has been written: the program ends now, so that the next start opens it.
    void programEndRequested();
    // A notebook was restored into a new folder: the program opens it.
    void restoredFolderToOpen(const QString &folder);

private:
    QStringList shownValues() const;
    // The new notebook made in m_newNotebookFolder; false when it was not.
    bool makeOwnNotebook(const Profile &typed, const QString &goalLine);
    QGroupBox *buildBirthData();
    QGroupBox *buildPointGoal();
    QWidget *buildCalendar();
    QGroupBox *buildEventGroup(int group);

    QLineEdit *field(BirthField f) const { return m_fields[std::size_t(f)]; }
    void showPoints();
    void showCalendar(const QString &birthDate);

    void newNotebook();
    bool emptyFieldAccepted(const EmptyFieldCheck &check);
    bool normaliseBirthDate();
    bool valuesStorable(const PointGoal &goal);
    void saveGoal();
    void print();

    Notebook &m_notebook;
    Dialogs &m_dialogs;
    Printer &m_printer;
    std::array<QLineEdit *, 7> m_fields{};
    QLineEdit *m_goalPointEdit = nullptr;
    QStringList m_shownValues; // the fields as load last filled them
    QString m_newNotebookFolder;
    QLabel *m_pointLabel = nullptr;
    QLabel *m_levelLabel = nullptr;
    // lblIvD, lblIvN and lblZengo, indexed 0..11 for events 1..12.
    std::array<QLabel *, 12> m_eventDateLabels{}, m_eventDaysLabels{}, m_eventSideLabels{};
};
