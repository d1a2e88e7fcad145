#include "ui/recipe_tools/print_screen.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/pictures/printer.h"
#include "ui/widgets/ui_util.h"
#include "ui/widgets/window_print.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton *option(const QString &name, const QString &caption, QWidget *parent)
{
    auto *o = new QRadioButton(caption, parent);
    nameControl(o, name, caption);
    return o;
}

} // namespace

PrintScreen::PrintScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer, ShownRecipePage shown,
                         QString &face, QWidget *parent)
    : QDialog(parent), m_notebook(notebook), m_dialogs(dialogs), m_printer(printer),
      m_shown(std::move(shown)), m_face(face)
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("レシピ＆メニュー印刷"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto *recipeFrame = new QGroupBox(QStringLiteral("レシピ印刷"), this);
    recipeFrame->setObjectName(QStringLiteral("fraRecipe"));
    m_textOption = option(QStringLiteral("optText"), QStringLiteral("テキストベースで印刷"), recipeFrame);
    m_screenImageOption = option(QStringLiteral("optForm"), QStringLiteral("画面イメージまま印刷"), recipeFrame);
    m_textOption->setChecked(true);
    QPushButton *printForm =
        makeButton(QStringLiteral("cmdPrintForm"), QStringLiteral("印刷"), QString(), recipeFrame);
    printForm->setAccessibleName(QStringLiteral("レシピ印刷：印刷"));
    auto *recipeBox = new QVBoxLayout(recipeFrame);
    recipeBox->addWidget(m_textOption);
    recipeBox->addWidget(m_screenImageOption);
    recipeBox->addWidget(printForm, 0, Qt::AlignRight);

    auto *menuFrame = new QGroupBox(QStringLiteral("メニュー印刷"), this);
    menuFrame->setObjectName(QStringLiteral("fraMenu"));
    m_printAllOption = option(QStringLiteral("optAll"), QStringLiteral("全部印刷する"), menuFrame);
    m_printRangeOption = option(QStringLiteral("optHani"), QStringLiteral("印刷範囲を指定する"), menuFrame);
    m_rangeStartEdit = new QLineEdit(menuFrame);
    nameControl(m_rangeStartEdit, QStringLiteral("txtSt"), QStringLiteral("印刷範囲の始め"));
    m_rangeEndEdit = new QLineEdit(menuFrame);
    nameControl(m_rangeEndEdit, QStringLiteral("txtEd"), QStringLiteral("印刷範囲の終わり"));
    for (QLineEdit *box : {m_rangeStartEdit, m_rangeEndEdit}) {
        box->setFixedWidth(64);
        box->setAlignment(Qt::AlignRight);
    }
    QPushButton *printMenuButton =
        makeButton(QStringLiteral("cmdPrintPopora"), QStringLiteral("印刷"), QString(), menuFrame);
    printMenuButton->setAccessibleName(QStringLiteral("メニュー印刷：印刷"));
    auto *range = new QHBoxLayout;
    range->addSpacing(20);
    range->addWidget(m_rangeStartEdit);
    range->addWidget(new QLabel(QStringLiteral("～"), menuFrame));
    range->addWidget(m_rangeEndEdit);
    range->addStretch();
    auto *menuBox = new QVBoxLayout(menuFrame);
    menuBox->addWidget(m_printAllOption);
    menuBox->addWidget(m_printRangeOption);
    menuBox->addLayout(range);
    menuBox->addWidget(printMenuButton, 0, Qt::AlignRight);

    QPushButton *back = makeButton(QStringLiteral("cmdModori"), QStringLiteral("戻る"), QString(), this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(recipeFrame);
    layout->addWidget(menuFrame);
    layout->addWidget(back, 0, Qt::AlignRight);

    connect(printForm, &QPushButton::clicked, this, &PrintScreen::printRecipe);
    connect(printMenuButton, &QPushButton::clicked, this, &PrintScreen::printMenu);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    // Toggled, so that a screen reader's toggle does what a click does.
    connect(m_printAllOption, &QRadioButton::toggled, this, [this](bool on) {
        if (!on || m_loading)
            return;
        m_rangeStartEdit->setText(QStringLiteral("1"));
        m_rangeEndEdit->setText(QString::number(m_notebook.recipes.count()));
        m_rangeStartEdit->setEnabled(false);
        m_rangeEndEdit->setEnabled(false);
    });
    connect(m_printRangeOption, &QRadioButton::toggled, this, [this](bool on) {
        if (!on || m_loading)
            return;
        m_rangeStartEdit->setEnabled(true);
        m_rangeEndEdit->setEnabled(true);
        m_rangeStartEdit->setFocus();
    });
}

void PrintScreen::load()
{
    m_loading = true;
    if (QWidget *w = m_shown.window())
        move(w->pos());
    m_rangeStartEdit->setText(QStringLiteral("1"));
    m_rangeEndEdit->setText(QString::number(m_notebook.recipes.count()));
    m_printAllOption->setChecked(true);
    m_rangeStartEdit->setEnabled(false);
    m_rangeEndEdit->setEnabled(false);
    m_loading = false;
}

void PrintScreen::printRecipe()
{
    if (m_textOption->isChecked())
        printText();
    else
        printWindowImage(m_shown.window(), m_printer, m_dialogs);
}

void PrintScreen::printText()
{
    const PrintedRecipe page = m_shown.page();
    // The headings are coloured.
    m_printer.setColorOutput(true);
    if (!beginPrint(m_printer, m_dialogs, page.name.isEmpty() ? windowTitle() : page.name))
        return;
    drawRecipeText(m_printer, page, m_shown.picture());
    m_face = recipePGothicFace();
    endPrint(m_printer, m_dialogs);
}

void PrintScreen::printMenu()
{
    const MenuRange range = checkMenuRange(m_rangeStartEdit->text(), m_rangeEndEdit->text(), m_notebook.recipes.count());
    m_rangeStartEdit->setText(range.start);
    m_rangeEndEdit->setText(range.end);
    if (!range.ok) {
        m_dialogs.beep();
        QLineEdit *box = range.focusStart ? m_rangeStartEdit : m_rangeEndEdit;
        if (box->isEnabled())
            box->setFocus();
        return;
    }
    if (!beginPrint(m_printer, m_dialogs, QStringLiteral("メニュー")))
        return;
    {
        WaitPointer wait;
        drawMenu(m_printer, m_notebook.recipes.names(), range.first, range.last, m_face,
                 MenuPictures(m_notebook.folder()));
    }
    endPrint(m_printer, m_dialogs);
}
