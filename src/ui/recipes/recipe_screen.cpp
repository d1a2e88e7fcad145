#include "ui/recipes/recipe_screen.h"

#include "core/book/notebook.h"
#include "core/text/cp932.h"
#include "core/text/dates.h"
#include "core/files/dialogs.h"
#include "core/files/help_tour.h"
#include "core/text/numbers.h"
#include "core/text/one_line.h"
#include "core/pictures/pictures.h"
#include "core/recipes/points.h"
#include "core/recipes/recipe_checks.h"
#include "core/recipes/recipe_files.h"
#include "core/recipes/recipe_store.h"
#include "ui/recipes/faces.h"
#include "ui/recipes/recipe_pictures.h"
#include "ui/widgets/level_bar.h"
#include "ui/widgets/pick_combo.h"
#include "ui/widgets/picture_frame.h"
#include "ui/recipes/first_foods_window.h"
#include "ui/widgets/ui_util.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QAction>
#include <QCheckBox>
#include <QSettings>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace {

// The picture's place, in twips as the layout gives it.
constexpr int PictureWidthTwips = 4920, PictureHeightTwips = 3570;
constexpr int FaceSize = 52;

// A large bold label; its text, which may change, is what a screen reader reads.
QLabel *titleLabel(const QString &name, const QString &text, int pixelSize, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setPixelSize(pixelSize);
    f.setBold(true);
    l->setFont(f);
    return l;
}

// One row of evaluation faces: the four pictures stacked in one place.
QWidget *faceRowHolder(FaceRow faceRow, std::array<QToolButton *, 4> &faces, QWidget *parent)
{
    auto *holder = new QWidget(parent);
    holder->setFixedSize(FaceSize + 8, FaceSize + 8);
    auto *stack = new QGridLayout(holder);
    stack->setContentsMargins(0, 0, 0, 0);
    const QString prefix =
        faceRow == FaceRow::Self ? QStringLiteral("imgFace1_") : QStringLiteral("imgFace2_");
    for (int i = 0; i < 4; ++i) {
        auto *b = new QToolButton(holder);
        nameControl(b, prefix + QString::number(i), faceName(faceRow, i));
        b->setToolTip(faceName(faceRow, i));
        b->setIcon(QIcon(facePicture(faceRow, i, FaceSize)));
        b->setIconSize(QSize(FaceSize, FaceSize));
        b->setAutoRaise(true);
        b->setCursor(Qt::PointingHandCursor);
        stack->addWidget(b, 0, 0, Qt::AlignCenter);
        faces[i] = b;
    }
    return holder;
}

} // namespace

RecipeScreen::RecipeScreen(Notebook &notebook, Dialogs &dialogs, QWidget *parent)
    : QMainWindow(parent), m_notebook(notebook), m_dialogs(dialogs)
{
    prepareAccessibility();
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    connectHandlers();
    tellRefusedPictures(this, m_dialogs, m_notebook.files);
    resize(1040, 690);
}

// The areas are built in the order their controls were always made: that order is the tab order
// and the order screen readers list them in.
void RecipeScreen::buildControls()
{
    QLayout *top = buildTitleArea();
    QLayout *nameRow = buildNameRow();
    const auto [ingredientsLabel, sectionsLabel] = buildTextBoxes();

    auto *middle = new QVBoxLayout;
    middle->addWidget(sectionsLabel);
    middle->addLayout(buildClassification());
    middle->addSpacing(8);
    buildFaces(middle);
    buildHistory(middle);
    middle->addStretch();

    QLayout *pictureColumn = buildPictureArea();
    QLayout *buttons = buildButtons();

    auto *body = new QHBoxLayout;
    body->addLayout(textColumn(ingredientsLabel), 6);
    body->addSpacing(8);
    body->addLayout(middle, 4);
    body->addSpacing(8);
    body->addLayout(pictureColumn, 0);

    // A main window, so that screen readers are told of a frame, not of a filler.
    auto *central = new QWidget(this);
    setCentralWidget(central);
    auto *layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addLayout(nameRow);
    layout->addWidget(m_recipeBar);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
}

QLayout *RecipeScreen::buildTitleArea()
{
    auto *label2 = titleLabel(QStringLiteral("Label2"), QStringLiteral("料理レシピソフト"), 22, this);
    label2->setStyleSheet(QStringLiteral("color: rgb(200, 90, 40);"));
    auto *subtitle = new QLabel(QStringLiteral("～ポポラ 離乳食版"), this);
    nameControl(subtitle, QStringLiteral("lblSubTitle"), subtitle->text());
    m_pointLabel = titleLabel(QStringLiteral("lblPoint"), QStringLiteral("Point 0"), 18, this);
    m_pointLabel->setToolTip(QStringLiteral("レシピ全体のポイント"));
    m_pointLabel->setAccessibleDescription(m_pointLabel->toolTip());
    m_levelShape = new LevelBar(m_notebook, this);

    auto *top = new QHBoxLayout;
    auto *titles = new QVBoxLayout;
    titles->setSpacing(0);
    titles->addWidget(label2);
    titles->addWidget(subtitle);
    top->addLayout(titles);
    top->addStretch();
    top->addWidget(m_pointLabel, 0, Qt::AlignBottom);
    top->addSpacing(10);
    top->addWidget(m_levelShape, 0, Qt::AlignBottom);
    return top;
}

// The dish name and the position; the scroll bar goes under the row.
QLayout *RecipeScreen::buildNameRow()
{
    m_dishNameBox = new PickComboBox(this);
    m_dishNameBox->setMaxVisibleItems(25);
    m_dishNameBox->setMinimumContentsLength(24);
    nameControl(m_dishNameBox, QStringLiteral("cboNamae"), QStringLiteral("料理名"));
    QFont nameFont = m_dishNameBox->font();
    nameFont.setPixelSize(17);
    m_dishNameBox->setFont(nameFont);
    m_dishNameCaption = makeLabel(QStringLiteral("料理名"), m_dishNameBox, this);
    m_dishNameCaption->setObjectName(QStringLiteral("lblRyoriNm"));
    m_positionLabel = new QLabel(QStringLiteral("1 / 1"), this);
    nameValueLabel(m_positionLabel, QStringLiteral("lblKensu"), QStringLiteral("件数"));
    m_recipeBar = new QScrollBar(Qt::Horizontal, this);
    makePageBar(m_recipeBar);
    nameControl(m_recipeBar, QStringLiteral("hsbData"), QStringLiteral("レシピのページ"));
    m_recipeBar->setRange(1, 1);
    m_recipeBar->setPageStep(1);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(m_dishNameCaption);
    nameRow->addWidget(m_dishNameBox, 1);
    nameRow->addSpacing(12);
    nameRow->addWidget(m_positionLabel);
    return nameRow;
}

// Ingredients, steps and memo, with the captions of the ingredients and of the middle column.
std::pair<QLabel *, QLabel *> RecipeScreen::buildTextBoxes()
{
    auto makeText = [this](const QString &name, const QString &caption) {
        auto *t = new QPlainTextEdit(this);
        nameControl(t, name, caption);
        t->setTabChangesFocus(true);
        return t;
    };
    m_ingredientsEdit = makeText(QStringLiteral("txtZairyou"), QStringLiteral("材料"));
    m_ingredientsEdit->setToolTip(QStringLiteral("材料を入力します"));
    m_stepsEdit = makeText(QStringLiteral("txtTukuri"), QStringLiteral("作り方"));
    m_memoEdit = makeText(QStringLiteral("txtMemo"), QStringLiteral("メモ"));
    auto *label1a = makeLabel(QStringLiteral("材料"), m_ingredientsEdit, this);
    label1a->setObjectName(QStringLiteral("Label1_0"));
    auto *label1b = new QLabel(QStringLiteral("作り方_メモ_分類"), this);
    nameControl(label1b, QStringLiteral("Label1_1"), label1b->text());
    return {label1a, label1b};
}

// The captions of steps and memo are made last of all the controls, as they always were.
QLayout *RecipeScreen::textColumn(QLabel *ingredientsLabel)
{
    auto *texts = new QVBoxLayout;
    texts->addWidget(ingredientsLabel);
    texts->addWidget(m_ingredientsEdit, 3);
    texts->addWidget(makeLabel(QStringLiteral("作り方"), m_stepsEdit, this));
    texts->addWidget(m_stepsEdit, 4);
    texts->addWidget(makeLabel(QStringLiteral("メモ"), m_memoEdit, this));
    texts->addWidget(m_memoEdit, 2);
    return texts;
}

QLayout *RecipeScreen::buildClassification()
{
    auto makeList = [this](const QString &name, const QString &caption, bool typed = false) {
        auto *c = typed ? static_cast<QComboBox *>(new PickComboBox(this)) : new FixedComboBox(this);
        nameControl(c, name, caption);
        c->setMinimumContentsLength(10);
        return c;
    };
    m_stageBox = makeList(QStringLiteral("cboJyanru"), QStringLiteral("月齢"));
    m_kindBox = makeList(QStringLiteral("cboSyurui"), QStringLiteral("種類"));
    m_methodBox = makeList(QStringLiteral("cboCyouri"), QStringLiteral("調理方法"));
    m_referenceBox = makeList(QStringLiteral("cboSankou"), QStringLiteral("参考"), true);
    m_referenceBox->setEditText(QStringLiteral("その他"));
    m_referenceBox->setToolTip(QStringLiteral("新しい参考資料は入力して Enter で追加できます"));
    auto makeLine = [this](const QString &name, const QString &caption) {
        auto *e = new QLineEdit(this);
        nameControl(e, name, caption);
        e->setMaximumWidth(70);
        return e;
    };
    m_timeEdit = makeLine(QStringLiteral("txtJikan"), QStringLiteral("料理時間"));
    m_caloriesEdit = makeLine(QStringLiteral("txtCal"), QStringLiteral("一人分㌍"));
    m_saltEdit = makeLine(QStringLiteral("txtEnbun"), QStringLiteral("塩分"));

    auto *classes = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString &caption, QWidget *field, const QString &unit) {
        classes->addWidget(makeLabel(caption, field, this), row, 0);
        if (unit.isEmpty()) {
            classes->addWidget(field, row, 1);
        } else {
            auto *h = new QHBoxLayout;
            h->addWidget(field);
            h->addWidget(new QLabel(unit, this));
            h->addStretch();
            classes->addLayout(h, row, 1);
        }
        ++row;
    };
    addRow(QStringLiteral("月齢"), m_stageBox, QString());
    // The child's stage by age, beside the recipe's own.
    m_stageNowLabel = new QLabel(this);
    nameValueLabel(m_stageNowLabel, QStringLiteral("lblIma"), QStringLiteral("いまの月齢"));
    m_stageNowLabel->setStyleSheet(QStringLiteral("color: rgb(0, 110, 150);"));
    classes->addWidget(m_stageNowLabel, row++, 1);
    addRow(QStringLiteral("種類"), m_kindBox, QString());
    addRow(QStringLiteral("調理方法"), m_methodBox, QString());
    addRow(QStringLiteral("料理時間"), m_timeEdit, QStringLiteral("分"));
    addRow(QStringLiteral("一人分㌍"), m_caloriesEdit, QStringLiteral("KCal"));
    addRow(QStringLiteral("塩分"), m_saltEdit, QStringLiteral("ｇ"));
    addRow(QStringLiteral("参考"), m_referenceBox, QString());
    return classes;
}

// Evaluation faces: four pictures a row in one place, exactly one of them visible.
void RecipeScreen::buildFaces(QBoxLayout *column)
{
    auto *label4 = new QLabel(QStringLiteral("自己評価   子供評価"), this);
    nameControl(label4, QStringLiteral("Label4"), label4->text());
    auto *faceRows = new QHBoxLayout;
    faceRows->addWidget(faceRowHolder(FaceRow::Self, m_selfFaces, this));
    faceRows->addSpacing(8);
    faceRows->addWidget(faceRowHolder(FaceRow::Child, m_childFaces, this));
    faceRows->addStretch();
    column->addWidget(label4);
    column->addLayout(faceRows);
}

// Cooking history: the count sits in the gap of lblKai's caption; a click on either adds a date.
// The recipe's points go under the history.
void RecipeScreen::buildHistory(QBoxLayout *column)
{
    m_cookCountCaption = new QLabel(QStringLiteral("調理回数　     　　　回"), this);
    m_cookCountCaption->setObjectName(QStringLiteral("lblKai"));
    m_cookCountCaption->setToolTip(QStringLiteral("クリックすると調理履歴に追加できます"));
    m_cookCountLabel = new QLabel(QStringLiteral("0"), this);
    nameValueLabel(m_cookCountLabel, QStringLiteral("lblKaisu"), QStringLiteral("調理回数"));
    m_cookCountLabel->setToolTip(m_cookCountCaption->toolTip());
    m_cookCountLabel->setAlignment(Qt::AlignCenter);
    QFont countFont = m_cookCountLabel->font();
    countFont.setBold(true);
    m_cookCountLabel->setFont(countFont);
    for (QLabel *l : {m_cookCountCaption, m_cookCountLabel})
        l->setCursor(Qt::PointingHandCursor);
    auto *countPlace = new QGridLayout;
    countPlace->addWidget(m_cookCountCaption, 0, 0, Qt::AlignLeft);
    countPlace->addWidget(m_cookCountLabel, 0, 0, Qt::AlignCenter);
    auto *countHolder = new QWidget(this);
    countHolder->setLayout(countPlace);
    countHolder->setFixedWidth(m_cookCountCaption->sizeHint().width() + 4);
    countPlace->setContentsMargins(0, 0, 0, 0);
    m_historyList = new QListWidget(this);
    nameControl(m_historyList, QStringLiteral("lstRireki"), QStringLiteral("調理実績"));
    m_historyList->setToolTip(QStringLiteral("ダブルクリックすると日付を取り消します"));
    m_historyList->setMaximumHeight(110);
    m_recipePointLabel = titleLabel(QStringLiteral("lblPoint1"), QStringLiteral("Point 2"), 15, this);
    m_recipePointLabel->setToolTip(QStringLiteral("このレシピのポイント"));
    m_recipePointLabel->setAccessibleDescription(m_recipePointLabel->toolTip());
    m_recipePointLabel->setStyleSheet(QStringLiteral("color: rgb(0, 120, 60);"));
    m_noteInDiaryCheck = new QCheckBox(QStringLiteral("調理日を日記にも書く"), this);
    nameControl(m_noteInDiaryCheck, QStringLiteral("chkNikki"), m_noteInDiaryCheck->text());
    m_noteInDiaryCheck->setToolTip(QStringLiteral("調理日を追加すると、その日の日記に「料理名を作りました」と書き足します"));
    // Remembered on this computer, not in the notebook: on until the user turns it off.
    m_noteInDiaryCheck->setChecked(QSettings().value(QStringLiteral("recipes/noteCookingInDiary"), true).toBool());
    connect(m_noteInDiaryCheck, &QCheckBox::toggled, this,
            [](bool on) { QSettings().setValue(QStringLiteral("recipes/noteCookingInDiary"), on); });
    column->addWidget(countHolder);
    column->addWidget(m_historyList);
    column->addWidget(m_noteInDiaryCheck);
    column->addWidget(m_recipePointLabel);
}

// The dish picture and the two picture modes under it.
QLayout *RecipeScreen::buildPictureArea()
{
    m_pictureFrame = new QFrame(this);
    m_pictureFrame->setObjectName(QStringLiteral("fraGazou"));
    m_pictureFrame->setFrameShape(QFrame::StyledPanel);
    m_shownPicture = new PictureFrame(m_pictureFrame);
    nameControl(m_shownPicture, QStringLiteral("imgGazou"), QStringLiteral("料理の写真"));
    m_shownPicture->setAlignment(Qt::AlignCenter);
    m_shownPicture->setFixedSize(twipsToPixels(PictureWidthTwips), twipsToPixels(PictureHeightTwips));
    auto *pictureLayout = new QVBoxLayout(m_pictureFrame);
    pictureLayout->setContentsMargins(2, 2, 2, 2);
    pictureLayout->addWidget(m_shownPicture);
    m_photosShownOption = new QRadioButton(QStringLiteral("写真"), this);
    nameControl(m_photosShownOption, QStringLiteral("optGazou"), QStringLiteral("写真を表示します"));
    m_photosShownOption->setToolTip(QStringLiteral("写真を表示します"));
    m_photosHiddenOption = new QRadioButton(QStringLiteral("なし"), this);
    nameControl(m_photosHiddenOption, QStringLiteral("optMain"), QStringLiteral("写真を表示しません"));
    m_photosHiddenOption->setToolTip(QStringLiteral("写真を表示しません"));
    m_pictures = new RecipePictures(m_notebook, m_dialogs, {this, m_pictureFrame, m_shownPicture, m_dishNameBox, m_dishNameCaption},
                                    [this](int p) { setPosition(p); });

    auto *pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(m_pictureFrame);
    auto *modes = new QHBoxLayout;
    modes->addWidget(m_photosShownOption);
    modes->addWidget(m_photosHiddenOption);
    modes->addStretch();
    modes->addWidget(m_pictures->cmdSaisei());
    modes->addWidget(m_pictures->cmdStop());
    pictureColumn->addLayout(modes);
    pictureColumn->addStretch();
    return pictureColumn;
}

void RecipeScreen::openFirstFoods(const QString &search)
{
    FirstFoodsWindow *window = findChild<FirstFoodsWindow *>();
    if (!window)
        window = new FirstFoodsWindow(m_notebook, m_dialogs, m_printer, this);
    window->setSearch(search);
    window->show();
    window->raise();
}

QLayout *RecipeScreen::buildButtons()
{
    m_newRecipeButton = makeButton(QStringLiteral("cmdNew"), QStringLiteral("新規"),
                          QStringLiteral("新規入力待ちになります"), this);
    m_registerButton = makeButton(QStringLiteral("cmdTouroku"), QStringLiteral("登録"),
                              QStringLiteral("表示中のレシピを保存します"), this);
    m_deleteRecipeButton = makeButton(QStringLiteral("cmdDelete"), QStringLiteral("削除"),
                             QStringLiteral("表示中のレシピを削除します"), this);
    m_searchButton = makeButton(QStringLiteral("cmdKensaku"), QStringLiteral("検索"),
                              QStringLiteral("レシピを検索できます"), this);
    m_classificationGraphButton = makeButton(QStringLiteral("cmdGraph1"), QStringLiteral("分類"),
                             QStringLiteral("分類分析グラフを表示します"), this);
    m_evaluationGraphButton = makeButton(QStringLiteral("cmdGraph2"), QStringLiteral("評価"),
                             QStringLiteral("評価分析グラフを表示します"), this);
    m_printButton = makeButton(QStringLiteral("cmdPrint"), QStringLiteral("印刷"),
                            QStringLiteral("レシピを印刷します"), this);
    m_backButton =
        makeButton(QStringLiteral("cmdEnd"), QStringLiteral("戻り"), QStringLiteral("日記に戻ります"), this);
    QPushButton *firstFoods = makeButton(QStringLiteral("cmdHajimete"), QStringLiteral("はじめての食材"),
                                         QStringLiteral("はじめて食べた食材の記録です"), this);
    connect(firstFoods, &QPushButton::clicked, this, [this] { openFirstFoods(); });

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_newRecipeButton, m_registerButton, m_deleteRecipeButton})
        buttons->addWidget(b);
    buttons->addSpacing(16);
    for (QPushButton *b : {m_searchButton, m_classificationGraphButton, m_evaluationGraphButton, m_printButton})
        buttons->addWidget(b);
    buttons->addSpacing(16);
    buttons->addWidget(firstFoods);
    buttons->addStretch();
    buttons->addWidget(m_backButton);
    for (QPushButton *b :
         {m_newRecipeButton, m_registerButton, m_deleteRecipeButton, m_searchButton, m_classificationGraphButton, m_evaluationGraphButton, m_printButton, m_backButton, firstFoods})
        b->setMinimumSize(64, 32);
    return buttons;
}

void RecipeScreen::connectHandlers()
{
    connect(&m_notebook, &Notebook::profileChanged, this, &RecipeScreen::showStageByAge);
    connect(&m_notebook, &Notebook::profileChanged, this, &RecipeScreen::showPictureMode);
    connect(&m_notebook, &Notebook::replaced, this, &RecipeScreen::showRecipe);
    connect(m_recipeBar, &QScrollBar::valueChanged, this, [this] { showRecipe(); });
    connect(m_dishNameBox, &PickComboBox::picked, this, [this](int index) { setPosition(index + 1); });
    connect(m_newRecipeButton, &QPushButton::clicked, this, &RecipeScreen::newRecipe);
    connect(m_registerButton, &QPushButton::clicked, this, &RecipeScreen::registerRecipe);
    connect(m_deleteRecipeButton, &QPushButton::clicked, this, &RecipeScreen::deleteRecipe);
    connect(m_backButton, &QPushButton::clicked, this, &QWidget::close);
    // Escape that no control used (an open list or picker closes first) is 戻り, checks and all.
    hookEvents(this, [this](QEvent *e) {
        if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(e)->key() != Qt::Key_Escape)
            return false;
        m_backButton->click();
        return true;
    });
    for (int i = 0; i < 4; ++i) {
        connect(m_selfFaces[i], &QToolButton::clicked, this, [this, i] { selfFaceClicked(i); });
        connect(m_childFaces[i], &QToolButton::clicked, this, [this, i] { childFaceClicked(i); });
    }
    for (QLabel *l : {m_cookCountCaption, m_cookCountLabel})
        hookEvents(l, [this](QEvent *e) {
            if (e->type() != QEvent::MouseButtonRelease)
                return false;
            addCookingDate();
            return true;
        });
    addKeyboardWay(m_cookCountCaption, QStringLiteral("調理日を追加"), [this] { addCookingDate(); });
    m_cookCountCaption->setAccessibleDescription(QStringLiteral("調理回数"));
    connect(m_historyList, &QListWidget::itemDoubleClicked, this, [this] { removeHistoryEntry(); });
    // Delete, BackSpace and Enter remove the entry a double-click removes; so does its menu.
    hookEvents(m_historyList, [this](QEvent *e) {
        if (e->type() != QEvent::KeyPress || !m_historyList->currentItem())
            return false;
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key != Qt::Key_Delete && key != Qt::Key_Backspace && key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        removeHistoryEntry();
        return true;
    });
    auto *removeEntry = new QAction(QStringLiteral("調理日を削除"), m_historyList);
    connect(removeEntry, &QAction::triggered, this, [this] { removeHistoryEntry(); });
    m_historyList->addAction(removeEntry);
    m_historyList->setContextMenuPolicy(Qt::ActionsContextMenu);
    // The key reaches the combo box, which has the focus, and not always its line edit.
    for (QObject *box : {static_cast<QObject *>(m_referenceBox), static_cast<QObject *>(m_referenceBox->lineEdit())})
        hookEvents(box, [this](QEvent *e) { return isEnterKey(e) && referenceEnter(); });
    // toggled, not clicked: the keyboard and the accessibility toggle action count as a click.
    connect(m_photosShownOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            picturesShownClicked();
    });
    connect(m_photosHiddenOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            picturesHiddenClicked();
    });
    connect(&m_notebook, &Notebook::levelShown, this, &RecipeScreen::showTotalPoint);
    connect(m_searchButton, &QPushButton::clicked, this, &RecipeScreen::searchRequested);
    connect(m_classificationGraphButton, &QPushButton::clicked, this, &RecipeScreen::classificationGraphRequested);
    connect(m_evaluationGraphButton, &QPushButton::clicked, this, &RecipeScreen::evaluationGraphRequested);
    connect(m_printButton, &QPushButton::clicked, this, &RecipeScreen::printRequested);
}
