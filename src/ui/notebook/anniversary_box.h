#pragma once

#include <QStringList>
#include <QWidget>

class PanelHost;
class QListWidget;
class QListWidgetItem;
class QToolButton;

// The anniversary list beside the diary page: lstKinen and the picture button cmdKinen.
class AnniversaryBox : public QWidget
{
    Q_OBJECT
public:
    AnniversaryBox(PanelHost &host, QWidget *parent = nullptr);

    // readAnniversaries: the list from 記念日.txt.
    void readAnniversaries();
    int kinenCount() const { return int(m_kinenList.size()); } // KinenCount

    // cmdKinen: a new anniversary through the input box, kept in date order.
    void add();
    // lstKinen: the diary page of the clicked entry's date, when there is one.
    void openDay(const QString &entry);

private:
    PanelHost &m_host;
    QListWidget *m_lstKinen = nullptr;
    QToolButton *m_cmdKinen = nullptr;
    QStringList m_kinenList; // KinenList 1..KinenCount
};
