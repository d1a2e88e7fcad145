#include "ui/shell/help_window.h"

#include "ui/widgets/ui_util.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

QUrl HelpWindow::source() const { return m_browser->source(); }

HelpWindow::HelpWindow(const QString &helpDir, const QString &firstPage, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setAccessibleRole(this, QAccessible::Window); // before the title makes its interface
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("育児手帖 ヘルプ"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAccessibleName(windowTitle());
    m_browser = new QTextBrowser(this);
    nameControl(m_browser, QStringLiteral("txtHelp"), QStringLiteral("ヘルプ"));
    m_browser->setOpenExternalLinks(false);
    m_browser->setSearchPaths({helpDir});
    auto *back = makeButton(QStringLiteral("cmdBack"), QStringLiteral("戻る"), QString(), this);
    auto *home = makeButton(QStringLiteral("cmdHome"), QStringLiteral("目次"), QString(), this);
    auto *close = makeButton(QStringLiteral("cmdClose"), QStringLiteral("閉じる"), QString(), this);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(home, &QPushButton::clicked, m_browser, &QTextBrowser::home);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(home);
    bar->addStretch();
    bar->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser);
    // firstPage may name a place in its page: "panels.html#graph".
    QUrl first = QUrl::fromLocalFile(helpDir + u'/' + firstPage.section(u'#', 0, 0));
    first.setFragment(firstPage.section(u'#', 1), QUrl::DecodedMode);
    m_browser->setSource(first);
    resize(720, 640);
}
