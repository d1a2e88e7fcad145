#pragma once

#include <QString>

#include <QList>
#include <QStringList>

#include <functional>

class QAbstractButton;
class QTableWidget;
class QLabel;
class QPushButton;
class QWidget;

// Every control carries its name as objectName and an accessible name (its caption or label;
// for a control shown as a picture only, its tooltip), so that screen readers and automation
// find it.
QWidget *nameControl(QWidget *w, const QString &objectName, const QString &accessibleName);

// A label that shows a value (a count, points, a position, a date): no fixed accessible name,
// so that screen readers read its current text, and the caption as its description.
QLabel *nameValueLabel(QLabel *label, const QString &objectName, const QString &caption);

// A label for a text or combo box: the box's buddy and accessible name.
QLabel *makeLabel(const QString &text, QWidget *buddy, QWidget *parent);

// A push button with its caption; the tooltip, when given, is its help text.
QPushButton *makeButton(const QString &objectName, const QString &caption, const QString &tooltip,
                        QWidget *parent);

// The hourglass while a whole file is rewritten and read back.
struct WaitPointer {
    WaitPointer();
    ~WaitPointer();
    WaitPointer(const WaitPointer &) = delete;
    WaitPointer &operator=(const WaitPointer &) = delete;
};

// Stored texts join their lines with CR LF; edit boxes with LF.
QString storedText(const QString &editText);
QString editText(const QString &stored);

class QEvent;
class QObject;

// Runs action on every event of watched; action returns true when it used the event up. The
// hook lives as long as watched.
void hookEvents(QObject *watched, std::function<bool(QEvent *)> action);
bool isEnterKey(const QEvent *e);

class QScrollBar;
// A bar of pages (days, recipes) laid across: it takes the focus, Left and Right step back and
// forward, and Up, PageUp and the wheel turned up go back toward the first page, as a document
// scrolled up does.
void makePageBar(QScrollBar *bar);

class QKeySequence;
// The window's command keys reach their commands whichever control has the focus: a text or
// combo box claims some of them before the window's shortcuts see them (Ctrl+E, the end of
// the line on Linux desktops).
void keepCommandKeys(QWidget *window, const QList<QKeySequence> &keys);
// The keys of a bar's commands: a declared key stays; a command that wants a key and declares
// none (a panel added after the F-keys ran out) takes the first free of Ctrl+1 … Ctrl+9, then
// Alt+A … Alt+Z, so that every panel is reachable from the keyboard.
QList<QKeySequence> barKeys(const QList<QKeySequence> &declared, const QList<bool> &wantsKey);

// A control whose command is a double-click (a caption, a picture, a label): a double-click
// (any button) runs it, and so do the other ways: it takes the focus (Tab) and shows it, Enter
// and Space run the command, its context menu (the menu key, Shift+F10) holds it by name, and
// a screen reader sees a button of that name whose press action runs it.
void addKeyboardWay(QWidget *w, const QString &commandName, std::function<void()> command);

// A checkable button whose command runs on its click (a chosen photo slot): a screen reader's
// toggle and press click it too.
void clickOnAccessibleToggle(QAbstractButton *button);

// Labels as screen readers see them (their text, or the command addKeyboardWay gives them),
// combo boxes named by their labels: called by each window before it makes its labels, since
// a label's interface is made with its first text.
void prepareAccessibility();

// What a screen reader is told the widget is, where Qt's own answer says nothing (a window
// made of a plain widget reads as a filler).
void setAccessibleRole(QWidget *w, int role);

class QListWidget;
class Dialogs;
class NotebookFiles;
// A list that opens its entry on a click opens it on Enter too.
void openOnEnter(QListWidget *list, std::function<void(const QString &entry)> open);

// Widths given in twips (1/1440 inch), as the layouts name them, in pixels.
int twipsToPixels(int twips);
// A register grid: a header row (the table's horizontal header) and the entry rows; grid row
// r is table row r - 1. No rows.
void setupGrid(QTableWidget *grid, const QStringList &headers, const QList<int> &widthsTwips);

// Every picture frame in window says, once a run for each picture, that a picture was too
// large to show (a warning box "画像の表示").
void tellRefusedPictures(QWidget *window, Dialogs &dialogs, const NotebookFiles &files);

// The property that names the help page a window of the program opens with F1, set where the
// window is made.
inline const char *helpPageProperty() { return "helpPage"; }
