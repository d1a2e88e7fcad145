#pragma once

#include <QString>

class Dialogs;
class Printer;
class QWidget;

// Starts a document; when the printer cannot start, says so and returns false.
bool beginPrint(Printer &printer, Dialogs &dialogs, const QString &documentName);
// Ends the document and says where the pages went when they became a PDF file.
void endPrint(Printer &printer, Dialogs &dialogs);

// Prints an image of the window as it is shown, scaled to fit one page and nothing else on
// it. Says where the page went when it became a PDF file, and says so when printing could
// not start. True when the page was printed.
bool printWindowImage(QWidget *window, Printer &printer, Dialogs &dialogs);

// The question, and on OK the window image: the print button of a screen.
void askAndPrintWindow(QWidget *window, Printer &printer, Dialogs &dialogs, const QString &question);
