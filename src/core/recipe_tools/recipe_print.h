#pragma once

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>

class NotebookFolder;
class Printer;

// The recipe print layouts, drawn on an open printer document. Layout positions are given in
// twips (1/1440 inch) from the top left corner of the printable area, as the layouts were
// always measured; the printer takes millimetres.

constexpr double MmPerTwip = 25.4 / 1440.0;

// Layout 1 prints what the recipe screen shows, edits not yet saved included.
struct PrintedRecipe {
    QString name;
    QString stage;
    QString kind;
    QString method;
    QString time; // txtJikan as typed
    QString ref;
    QString ingredients; // lines joined by CR LF or LF
    QString steps;
    QString memo;
};

// The faces layout 1 sets; layout 3 keeps the printer's face, which starts as the first.
QString recipeGothicFace();  // "ＭＳ ゴシック"
QString recipePGothicFace(); // "ＭＳ Ｐゴシック"

// Where layout 1 draws the picture of the recipe: x 6500, y 1000, 4000 × 3000 twips.
QRectF recipePictureRectMm();

// Layout 1, the text layout: the heading lines in dark blue between lines of 47 hyphens,
// then ingredients, steps and memo under their coloured captions; the picture (when not null)
// to the right of the heading lines. Lines run down the page and go on on a new page when
// they reach its bottom; a line wider than the page goes on in the next line instead of being
// cut off at the paper's edge.
void drawRecipeText(Printer &printer, const PrintedRecipe &recipe, const QImage &picture);

// Layout 3's range boxes after their checks.
struct MenuRange {
    QString start; // txtSt as it is left: emptied when found invalid
    QString end;   // txtEd
    bool ok = false;
    bool focusStart = false; // with !ok: the box that gets the focus (txtSt, else txtEd)
    int first = 0;           // positions s and e, from 1
    int last = 0;
};

// The range checks of the menu print: a box that reads below 1 or above the recipe count is
// emptied; an end below the start empties both; the first empty box is named for the focus.
MenuRange checkMenuRange(const QString &start, const QString &end, int recipeCount);

// Layout 3's grid: fifteen cells to a page, three across and five down, 3500 × 3200 twips each,
// 200 twips below the top of the printable area.
constexpr int MenuColumns = 3, MenuRows = 5;
struct MenuCell {
    int page = 0; // from 0
    int column = 0;
    int row = 0;
    QPointF nameTwips;   // the top left of the numbered name line
    QRectF pictureTwips; // the picture's rectangle
};
MenuCell menuCell(int index); // index from 0 within the printed range

// Millimetres per twip for the menu: the grid keeps its proportions and shrinks just enough to
// fit a printable area smaller than the one it was drawn for.
double menuScale(const QSizeF &pageMm);

// Layout 3, the menu: positions first..last of names (from 1), "k : name" over each picture.
// picture(name) gives the picture of a dish decoded at about sizePx, so that no more than one
// picture of the menu is held at a time; face is the printer's font face.
void drawMenu(Printer &printer, const QStringList &names, int first, int last, const QString &face,
              const std::function<QImage(const QString &name, QSize sizePx)> &picture);

// The size pictures of the menu are decoded at (about 250 dots per inch on paper).
QSize menuPicturePixels();

// The pictures of one menu: each dish's own, or NOPIC.JPG, which is decoded once for the whole
// menu so that it is held (and stored in a PDF) only once.
class MenuPictures
{
public:
    explicit MenuPictures(const NotebookFolder &folder) : m_folder(folder) {}
    QImage operator()(const QString &name, QSize size);

private:
    const NotebookFolder &m_folder;
    QImage m_placeholder;
};
