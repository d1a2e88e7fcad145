#include "ui/widgets/ui_util.h"

#include "core/common/dialogs.h"
#include "core/common/notebook_files.h"
#include "ui/widgets/picture_frame.h"

#include <QHeaderView>
#include <QTableWidget>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

QWidget *nameControl(QWidget *w, const QString &objectName, const QString &accessibleName)
{
    w->setObjectName(objectName);
    w->setAccessibleName(accessibleName);
    return w;
}

QLabel *nameValueLabel(QLabel *label, const QString &objectName, const QString &caption)
{
    label->setObjectName(objectName);
    label->setAccessibleName(QString());
    label->setAccessibleDescription(caption);
    return label;
}

QLabel *makeLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    if (buddy) {
        label->setBuddy(buddy);
        if (buddy->accessibleName().isEmpty())
            buddy->setAccessibleName(text);
    }
    return label;
}

QPushButton *makeButton(const QString &objectName, const QString &caption, const QString &tooltip,
                        QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAccessibleName(caption.isEmpty() ? tooltip : caption);
    if (!tooltip.isEmpty()) {
        b->setToolTip(tooltip);
        b->setAccessibleDescription(tooltip);
    }
    b->setAutoDefault(false);
    return b;
}

WaitPointer::WaitPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
WaitPointer::~WaitPointer() { QApplication::restoreOverrideCursor(); }

QString storedText(const QString &editText)
{
    return QString(editText).replace(u'\n', QStringLiteral("\r\n"));
}
QString editText(const QString &stored)
{
    return QString(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

namespace {

class EventHook : public QObject
{
public:
    EventHook(QObject *watched, std::function<bool(QEvent *)> action)
        : QObject(watched), m_action(std::move(action))
    {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *e) override { return m_action(e); }

private:
    std::function<bool(QEvent *)> m_action;
};

} // namespace

void hookEvents(QObject *watched, std::function<bool(QEvent *)> action)
{
    new EventHook(watched, std::move(action));
}

bool isEnterKey(const QEvent *e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(e)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void openOnEnter(QListWidget *list, std::function<void(const QString &entry)> open)
{
    hookEvents(list, [list, open = std::move(open)](QEvent *e) {
        if (!isEnterKey(e) || !list->currentItem())
            return false;
        open(list->currentItem()->text());
        return true;
    });
}

int twipsToPixels(int twips) { return (twips + 7) / 15; }

void setupGrid(QTableWidget *grid, const QStringList &headers, const QList<int> &widthsTwips)
{
    grid->clear();
    grid->setRowCount(0);
    grid->setColumnCount(int(headers.size()));
    grid->setHorizontalHeaderLabels(headers);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid->verticalHeader()->setVisible(false);
    for (int c = 0; c < widthsTwips.size(); ++c)
        grid->setColumnWidth(c, twipsToPixels(widthsTwips[c]));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void tellRefusedPictures(QWidget *window, Dialogs &dialogs, const NotebookFiles &files)
{
    for (PictureFrame *frame : window->findChildren<PictureFrame *>())
        QObject::connect(frame, &PictureFrame::pictureRefused, window, [&dialogs, &files](const QString &message) {
            if (files.firstTime(message))
                dialogs.warning(QStringLiteral("画像の表示"), message);
        });
}
