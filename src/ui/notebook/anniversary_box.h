#pragma once

#include <QStringList>
#include <QWidget>

class PanelHost;
struct NotebookChange;
class QListWidget;
class QListWidgetItem;
class QToolButton;

// The anniversary list beside the diary page: lstKinen and the picture button cmdKinen.
class AnniversaryBox : public QWidget
{
    Q_OBJECT
public:
    AnniversaryBox(PanelHost &host, QWidget *parent = nullptr);

    // readAnniversaries: the Notebook's list read from 記念日.txt; the box shows it.
    void readAnniversaries();
    int kinenCount() const;

    // cmdKinen: a new anniversary through the input box, kept in date order.
    void add();
    // lstKinen: the diary page of the clicked entry's date, when there is one.
    void openDay(const QString &entry);

private:
    // The list follows the Notebook's anniversaries.
    void showChange(const NotebookChange &change);

    PanelHost &m_host;
    QListWidget *m_anniversaryList = nullptr;
    QToolButton *m_addAnniversaryButton = nullptr;
};
