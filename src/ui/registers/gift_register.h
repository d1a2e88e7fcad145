#pragma once

#include "core/book/notebook_tables.h"

#include <QDate>
#include <QString>
#include <QWidget>

class PanelHost;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class RegisterGrid;

// What tells the two gift registers apart; everything else they share.
struct GiftRegisterKind {
    NotebookTable table; // its file's fields: 2, or 3 with the thanks mark
    bool thanksMark;     // a double-click on a row toggles "○"
    QString grid, dateBox, itemBox, addButton, deleteButton, deleteAllButton, titleLabel;
    QString title;    // the caption over the grid
    QString itemName; // the item column's header, naming the register
    QString dateCaption; // the date box's label, naming it apart from the other register's
    QString emptyTitle, emptyText;
    QString deleteChosenQuestion, deleteAllQuestion;
};
const GiftRegisterKind &giftsGiven();
const GiftRegisterKind &giftsReceived();

// The thanks mark of a received gift.
inline QString thanksMark() { return QStringLiteral("○"); }

// One gift register as a column of the gift panel: its title, grid, date and item boxes and
// picture buttons. Both registers are this class; the kind says how they differ.
class GiftRegister : public QWidget
{
    Q_OBJECT
public:
    GiftRegister(const GiftRegisterKind &kind, PanelHost &host, QWidget *parent = nullptr);

    const GiftRegisterKind &kind() const { return m_kind; }
    RegisterGrid *grid() const { return m_grid; }
    QString lastItem() const { return m_lastItem; }

    // What showing the panel does to a register before it is read.
    void prepare(QDate today);
    // *_READ: the Notebook's register read from the file; the grid shows it in order of date.
    void read();
    void add();
    void deleteChosen();
    void deleteAll();
    void toggleMark(int gridRow);

signals:
    void itemClicked(const QString &item);
    void pictureRequested();

private:
    // The grid follows the Notebook's register.
    void showChange(const NotebookChange &change);
    QList<int> sort();

    const GiftRegisterKind &m_kind;
    PanelHost &m_host;
    QLabel *m_title = nullptr;
    RegisterGrid *m_grid = nullptr;
    QComboBox *m_date = nullptr;
    QLineEdit *m_item = nullptr;
    QToolButton *m_add = nullptr;
    QToolButton *m_delete = nullptr;
    QToolButton *m_deleteAll = nullptr;
    QString m_lastItem;
    int m_lastAdded = 0; // the grid row where the last record added went
};
