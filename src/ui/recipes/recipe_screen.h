#pragma once

#include "core/recipes/recipe_store.h"

#include <QMainWindow>

#include <array>
#include <optional>
#include <utility>

class Dialogs;
class QImage;
class LevelBar;
class Notebook;
class PictureFrame;
class QBoxLayout;
class PickComboBox;
class Printer;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolButton;
class RecipePictures;
struct Recipe;
struct Refusal;

// The recipe screen frmMain: one recipe of the recipe tables at a time, paged by hsbData and
// the name list; new, register (a new recipe or a change, decided by the dish name), delete,
// the two evaluation face rows, the cooking history, the points and the level bar. Loaded
// hidden at start, shown by the notebook's "離乳食" button; "戻り" and the close box unload it
// while the tables stay in the notebook.
class RecipeScreen : public QMainWindow
{
    Q_OBJECT
public:
    RecipeScreen(Notebook &notebook, Dialogs &dialogs, QWidget *parent = nullptr);

    // The screen's load: the lists, the recipe tables, their statistics and points, and the
    // first recipe. With tablesLoaded, loadTables has just run and the tables are not read again.
    void load(bool tablesLoaded = false);
    // The part of the load that needs no widget: the reference list, the recipe tables, their
    // statistics and points, and the warning for a file not read whole. The notebook runs it
    // at start; the screen's widgets are made only when it is first shown.
    static void loadTables(Notebook &notebook, Dialogs &dialogs);

    // hsbData: the position shown.
    int position() const;
    // Moves to position p and shows that recipe, even when the scroll bar already stood there.
    void setPosition(int p);
    // Where はじめての食材 prints (the recipe tools' printer).
    void setPrinter(Printer *printer) { m_printer = printer; }
    // はじめての食材, narrowed to search when given.
    void openFirstFoods(const QString &search = QString());
    // The recipe tables were read again (another computer changed レシピ.txt): the name list,
    // the bar and the points follow; the page keeps what it shows and what is typed.
    void showReloaded();

    // What the print screen prints of the page as shown, edits not yet saved included: the
    // fields, the time box as typed, and the picture on show (null when pictures are off).
    Recipe shownRecipe() const;
    QString shownTimeText() const;
    QImage shownPicture() const;

signals:
    // The search, classification graph, evaluation graph and print buttons: the screens they
    // open are made above this one.
    void searchRequested();
    void classificationGraphRequested();
    void evaluationGraphRequested();
    void printRequested();

private:
    void buildControls();
    QLayout *buildTitleArea();
    QLayout *buildNameRow();
    std::pair<QLabel *, QLabel *> buildTextBoxes();
    QLayout *textColumn(QLabel *ingredientsLabel);
    QLayout *buildClassification();
    void buildFaces(QBoxLayout *column);
    void buildHistory(QBoxLayout *column);
    QLayout *buildPictureArea();
    QLayout *buildButtons();
    void connectHandlers();

    void fillRecipeLists();
    void reloadTables();
    void showRecipe();
    void clearRecipePage();
    void showRecipePoint();
    void showFaces();
    void showPicture(const QString &dishName);
    void showTotalPoint();
    void showStageByAge();
    void noteCookingInDiary(const QString &date);
    void offerFirstFoods(const QString &date);

    void newRecipe();
    void registerRecipe();
    bool storePage(const Recipe &page, const QString &cookingDate = QString());
    int storedPosition() const;
    bool saveCookingDate(const QString &date);
    void showStoredHistory(int p, bool added);
    void makeDiaryPage(const QString &date, const QString &line);
    void deleteRecipe();
    void selfFaceClicked(int index);
    void childFaceClicked(int index);
    void addCookingDate();
    void removeHistoryEntry();
    bool referenceEnter();
    void picturesShownClicked();
    void picturesHiddenClicked();

    Recipe pageRecipe() const;
    bool refuse(const std::optional<Refusal> &refusal);
    // The stored recipe differs from the one the page was shown from (the other computer).
    bool changedElsewhere(const Recipe &stored) const;
    // A cooking date this screen stored at once: the recipe it was shown from follows it.
    void followOwnChange(const Recipe &before, const Recipe &after);
    void showPictureMode();
    void helpTour(const QString &text);

    Notebook &m_notebook;
    Dialogs &m_dialogs;

    QScrollBar *m_recipeBar = nullptr;
    QLabel *m_dishNameCaption = nullptr;
    PickComboBox *m_dishNameBox = nullptr;
    QComboBox *m_stageBox = nullptr;
    QComboBox *m_kindBox = nullptr;
    QComboBox *m_methodBox = nullptr;
    QComboBox *m_referenceBox = nullptr;
    QLineEdit *m_timeEdit = nullptr;
    QLineEdit *m_caloriesEdit = nullptr;
    QLineEdit *m_saltEdit = nullptr;
    QPlainTextEdit *m_ingredientsEdit = nullptr;
    QPlainTextEdit *m_stepsEdit = nullptr;
    QPlainTextEdit *m_memoEdit = nullptr;
    QListWidget *m_historyList = nullptr;
    Printer *m_printer = nullptr;
    QCheckBox *m_noteInDiaryCheck = nullptr; // the cooking date noted in the diary too
    QLabel *m_stageNowLabel = nullptr;       // the child's weaning stage by age
    QLabel *m_cookCountCaption = nullptr;
    QLabel *m_cookCountLabel = nullptr;
    std::array<QToolButton *, 4> m_selfFaces{};
    std::array<QToolButton *, 4> m_childFaces{};
    QLabel *m_positionLabel = nullptr;
    QLabel *m_pointLabel = nullptr;
    QLabel *m_recipePointLabel = nullptr;
    LevelBar *m_levelShape = nullptr;
    QFrame *m_pictureFrame = nullptr;
    PictureFrame *m_shownPicture = nullptr;
    QRadioButton *m_photosShownOption = nullptr;
    QRadioButton *m_photosHiddenOption = nullptr;
    RecipePictures *m_pictures = nullptr; // picture import and the slide show
    QPushButton *m_newRecipeButton = nullptr;
    QPushButton *m_registerButton = nullptr;
    QPushButton *m_deleteRecipeButton = nullptr;
    QPushButton *m_searchButton = nullptr;
    QPushButton *m_classificationGraphButton = nullptr;
    QPushButton *m_evaluationGraphButton = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_backButton = nullptr;

    Recipe m_shownRecipe;   // the recipe the page was shown from, for the save's check
    QString m_curSelfEval;
    QString m_curChildEval;
};
