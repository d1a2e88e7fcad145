#include "common/ui_util.h"

#include <QLabel>
#include <QPushButton>

QWidget *nameControl(QWidget *w, const QString &objectName, const QString &accessibleName)
{
    w->setObjectName(objectName);
    w->setAccessibleName(accessibleName);
    return w;
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

QPushButton *makeButton(const QString &objectName, const QString &caption, const QString &tooltip, QWidget *parent)
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
