#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

// The program's HTML help in a window of its own, opened at its first page.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    HelpWindow(const QString &helpDir, const QString &firstPage, QWidget *parent = nullptr);

    QUrl source() const;

private:
    QTextBrowser *m_browser = nullptr;
};
