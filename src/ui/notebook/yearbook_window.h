#pragma once

#include "core/book/yearbook.h"

#include <QDialog>

class Dialogs;
class Notebook;
class PanelHost;
class Printer;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;

// アルバム書き出し: the diary of a period, with its photos, the growth chart, the anniversaries
// and the album pictures, as a web page (a new folder) or a PDF.
class YearbookWindow : public QDialog
{
    Q_OBJECT
public:
    YearbookWindow(PanelHost &host, QWidget *parent = nullptr);

    // What the controls ask for.
    yearbook::Options options() const;
    // 書き出す: checks, asks before replacing, writes with a progress box, and tells the end.
    void exportChosen();

private:
    void setPeriod(const yearbook::Period &period);
    void formatChosen();
    void chooseTarget();

    PanelHost &m_host;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QCheckBox *m_textCheck = nullptr;
    QCheckBox *m_measuresCheck = nullptr;
    QComboBox *m_photosBox = nullptr;
    QCheckBox *m_chartCheck = nullptr;
    QCheckBox *m_anniversariesCheck = nullptr;
    QCheckBox *m_albumsCheck = nullptr;
    QCheckBox *m_smallerCheck = nullptr;
    QRadioButton *m_htmlOption = nullptr;
    QRadioButton *m_pdfOption = nullptr;
    QComboBox *m_paperBox = nullptr;
    QLineEdit *m_targetEdit = nullptr;
};

namespace yearbook {
// The export without a window (--export-html, --export-pdf): the result's sentence goes to
// the caller. The options' from and to may be invalid for the diary's own first and last day;
// a period that then ends before it starts is refused. Nothing is shown or printed: dialogs
// and printer are not used.
Result exportFromCommandLine(Notebook &notebook, Dialogs &dialogs, Printer &printer, bool pdf,
                             const QString &target, Options options);
} // namespace yearbook
