#include "ui/widgets/ui_util.h"

#include "core/files/dialogs.h"
#include "core/files/notebook_files.h"
#include "ui/widgets/picture_frame.h"

#include <QHeaderView>
#include <QTableWidget>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>

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

namespace {

class CommandKeys : public QObject
{
public:
    CommandKeys(QWidget *window, const QList<QKeySequence> &keys)
        : QObject(window), m_window(window), m_keys(keys)
    {
        // Asked of whichever control has the focus, so the whole application is watched.
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() != QEvent::ShortcutOverride || !watched->isWidgetType() ||
            static_cast<QWidget *>(watched)->window() != m_window)
            return false;
        if (!m_keys.contains(QKeySequence(static_cast<QKeyEvent *>(e)->keyCombination())))
            return false;
        e->ignore(); // not the control's to take: the window's shortcut runs
        return true;
    }

private:
    QWidget *m_window;
    QList<QKeySequence> m_keys;
};

} // namespace

void makePageBar(QScrollBar *bar)
{
    bar->setFocusPolicy(Qt::StrongFocus);
    // A scroll bar's own controls go back on Up, PageUp and the wheel up, but forward on Left.
    bar->setInvertedControls(true);
    hookEvents(bar, [bar](QEvent *e) {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(e);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (key->key() == Qt::Key_Left)
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        else if (key->key() == Qt::Key_Right)
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        else
            return false;
        return true;
    });
}

void keepCommandKeys(QWidget *window, const QList<QKeySequence> &keys) { new CommandKeys(window, keys); }

QList<QKeySequence> barKeys(const QList<QKeySequence> &declared, const QList<bool> &wantsKey)
{
    QList<QKeySequence> spare;
    for (int k = Qt::Key_1; k <= Qt::Key_9; ++k)
        spare.append(QKeySequence(Qt::CTRL | Qt::Key(k)));
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k)
        spare.append(QKeySequence(Qt::ALT | Qt::Key(k)));
    QList<QKeySequence> keys = declared;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (!keys[i].isEmpty() || i >= wantsKey.size() || !wantsKey[i])
            continue;
        for (const QKeySequence &key : spare)
            if (!keys.contains(key)) {
                keys[i] = key;
                break;
            }
    }
    return keys;
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

namespace {

const char *const KeyboardCommand = "keyboardCommand";

QAction *keyboardCommandOf(QObject *w) { return w->findChild<QAction *>(QLatin1String(KeyboardCommand)); }

// Every label, as a screen reader sees it: its text (or its picture), or, once it runs a
// command (addKeyboardWay), a button of the command's name whose press runs it. Labels are made
// with their text, which makes their interface at once: so the one interface answers for both.
class LabelAccessible : public QAccessibleWidget
{
public:
    explicit LabelAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    QLabel *label() const { return static_cast<QLabel *>(widget()); }
    QAction *command() const { return keyboardCommandOf(widget()); }
    QAccessible::Role role() const override
    {
        if (command())
            return QAccessible::Button;
        return label()->text().isEmpty() && !label()->pixmap().isNull() ? QAccessible::Graphic
                                                                         : QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const QAction *a = command())
                return a->text();
            QString text = label()->text();
            if (label()->textFormat() == Qt::RichText ||
                (label()->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
                QTextDocument document;
                document.setHtml(text);
                text = document.toPlainText();
            }
            return text;
        }
        if (t == QAccessible::Value && command())
            return label()->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return command() ? QStringList{pressAction()} + QAccessibleWidget::actionNames()
                         : QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction() && command()) {
            command()->trigger();
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

// A combo box as the bus reads it: named by its label (its own name, or the label whose buddy
// it is), its text the value. Qt's own reports the text as the name on Linux, with the label
// only in a relation, so every date box and list read as what it shows.
class ComboAccessible : public QAccessibleWidget
{
public:
    explicit ComboAccessible(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }
    int childCount() const override { return box()->isEditable() ? 2 : 1; }
    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->isEditable())
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        if (child->object() == box()->view())
            return 0;
        return box()->isEditable() && child->object() == box()->lineEdit() ? 1 : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QLineEdit *edit = box()->isEditable() ? box()->lineEdit() : nullptr;
        return edit && edit->rect().contains(edit->mapFromGlobal(QPoint(x, y))) ? child(1) : nullptr;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = box()->isEditable();
        s.expandable = true;
        s.expanded = box()->view()->isVisible();
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->isEditable() ? box()->lineEdit()->text() : box()->currentText();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name != showMenuAction() && name != pressAction())
            return QAccessibleWidget::doAction(name);
        if (box()->view()->isVisible())
            box()->hidePopup();
        else
            box()->showPopup();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

const char *const ClickOnToggle = "clickOnToggle";

// A checkable button whose command listens to its click: a screen reader's press and toggle
// click it, where Qt's own toggle would only tick it.
class ClickButtonAccessible : public QAccessibleWidget
{
public:
    explicit ClickButtonAccessible(QAbstractButton *b) : QAccessibleWidget(b, QAccessible::CheckBox) {}
    QAbstractButton *button() const { return static_cast<QAbstractButton *>(widget()); }
    QAccessible::Role role() const override
    {
        return button()->isCheckable() ? QAccessible::CheckBox : QAccessible::Button;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = button()->isCheckable();
        s.checked = button()->isChecked();
        s.pressed = button()->isDown();
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        return t == QAccessible::Name && own.isEmpty() ? button()->text() : own;
    }
    QStringList actionNames() const override
    {
        if (!widget()->isEnabled())
            return QAccessibleWidget::actionNames();
        return QStringList{pressAction(), toggleAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction() || name == toggleAction()) {
            if (widget()->isEnabled())
                button()->click();
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

const char *const AccessibleRole = "accessibleRole";

QAccessibleInterface *commandAccessible(const QString &, QObject *object)
{
    if (!object->isWidgetType())
        return nullptr;
    if (auto *label = qobject_cast<QLabel *>(object))
        return new LabelAccessible(label);
    if (auto *box = qobject_cast<QComboBox *>(object))
        return new ComboAccessible(box);
    if (object->property(ClickOnToggle).toBool())
        return new ClickButtonAccessible(static_cast<QAbstractButton *>(object));
    if (const QVariant role = object->property(AccessibleRole); role.isValid())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Role(role.toInt()));
    return nullptr;
}

} // namespace

void prepareAccessibility()
{
    // Asked after Qt's own factory (the last installed is asked first), once.
    static const bool installed = [] {
        QAccessible::installFactory(commandAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

void setAccessibleRole(QWidget *w, int role)
{
    prepareAccessibility();
    w->setProperty(AccessibleRole, role);
}

void clickOnAccessibleToggle(QAbstractButton *button)
{
    prepareAccessibility();
    button->setProperty(ClickOnToggle, true);
    // Its name or tooltip may have made Qt's interface already: that one makes way.
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(button);
    if (made && !dynamic_cast<ClickButtonAccessible *>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void addKeyboardWay(QWidget *w, const QString &commandName, std::function<void()> command)
{
    prepareAccessibility();
    // A caption turned into a command no longer labels its box: the box keeps the caption as
    // its name, and a screen reader does not announce the box as the command.
    if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy()) {
        if (label->buddy()->accessibleName().isEmpty())
            label->buddy()->setAccessibleName(label->text());
        label->setBuddy(nullptr);
    }
    // A screen reader hears the command; what the control said before becomes its description.
    if (!w->accessibleName().isEmpty() && w->accessibleDescription().isEmpty())
        w->setAccessibleDescription(w->accessibleName());
    w->setProperty(KeyboardCommand, true);
    auto *action = new QAction(commandName, w);
    action->setObjectName(QLatin1String(KeyboardCommand));
    QObject::connect(action, &QAction::triggered, w, [command = std::move(command)] { command(); });
    w->addAction(action);
    w->setAccessibleName(commandName);
    w->setContextMenuPolicy(Qt::ActionsContextMenu);
    w->setFocusPolicy(Qt::StrongFocus);
    // The focus shows as a frame; the control's own look is kept otherwise.
    if (w->objectName().isEmpty())
        w->setObjectName(QStringLiteral("keyboardControl"));
    w->setStyleSheet(w->styleSheet() + QStringLiteral("\n#%1:focus { border: 2px solid #2f6fd0; }").arg(w->objectName()));
    hookEvents(w, [action](QEvent *e) {
        if (e->type() == QEvent::MouseButtonDblClick) {
            action->trigger();
            return false;
        }
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(e);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter && key->key() != Qt::Key_Space)
            return false;
        action->trigger();
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
