#pragma once

#include <QString>

class QAbstractButton;
class QLabel;
class QPushButton;
class QWidget;

// Every control carries its name as objectName and an accessible name (its caption or label;
// for a control shown as a picture only, its tooltip), so that screen readers and automation
// find it.
QWidget *nameControl(QWidget *w, const QString &objectName, const QString &accessibleName);

// A label for a text or combo box: the box's buddy and accessible name.
QLabel *makeLabel(const QString &text, QWidget *buddy, QWidget *parent);

// A push button with its caption; the tooltip, when given, is its help text.
QPushButton *makeButton(const QString &objectName, const QString &caption, const QString &tooltip,
                        QWidget *parent);
