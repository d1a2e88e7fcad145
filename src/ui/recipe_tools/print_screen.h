#pragma once

#include "core/recipe_tools/recipe_print.h"

#include <QDialog>
#include <QImage>

#include <functional>

class Dialogs;
class Notebook;
class Printer;
class QLineEdit;
class QRadioButton;

// What the print screen reads of the recipe screen beside it.
struct ShownRecipePage {
    std::function<PrintedRecipe()> page; // the fields as shown
    std::function<QImage()> picture;     // the picture on show; null when pictures are off
    std::function<QWidget *()> window;   // the recipe screen's window
};

// The print screen frmPrint "レシピ＆メニュー印刷": the shown recipe as text with its picture
// or as an image of the recipe window, and a menu of a range of recipes with their pictures.
class PrintScreen : public QDialog
{
    Q_OBJECT
public:
    // face: the printer's font face, which the menu keeps and the text layout changes; it
    // outlives the screen.
    PrintScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer, ShownRecipePage shown, QString &face,
                QWidget *parent = nullptr);

    // The screen's load: at the recipe window's place, the whole range, the boxes disabled.
    void load();

private:
    void printRecipe();
    void printText();
    void printMenu();

    Notebook &m_notebook;
    Dialogs &m_dialogs;
    Printer &m_printer;
    ShownRecipePage m_shown;
    QString &m_face;

    QRadioButton *m_textOption = nullptr;
    QRadioButton *m_screenImageOption = nullptr;
    QRadioButton *m_printAllOption = nullptr;
    QRadioButton *m_printRangeOption = nullptr;
    QLineEdit *m_rangeStartEdit = nullptr;
    QLineEdit *m_rangeEndEdit = nullptr;
    bool m_loading = false;
};
