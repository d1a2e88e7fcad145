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
    layout->addWidget(m_hsbData);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
}

QLayout *RecipeScreen::buildTitleArea()
{
    auto *label2 = titleLabel(QStringLiteral("Label2"), QStringLiteral("料理レシピソフト"), 22, this);
    label2->setStyleSheet(QStringLiteral("color: rgb(200, 90, 40);"));
    auto *subtitle = new QLabel(QStringLiteral("～ポポラ 離乳食版"), this);
    nameControl(subtitle, QStringLiteral("lblSubTitle"), subtitle->text());
    m_lblPoint = titleLabel(QStringLiteral("lblPoint"), QStringLiteral("Point 0"), 18, this);
    m_lblPoint->setToolTip(QStringLiteral("レシピ全体のポイント"));
    m_lblPoint->setAccessibleDescription(m_lblPoint->toolTip());
    m_shpLevel = new LevelBar(m_notebook, this);

    auto *top = new QHBoxLayout;
    auto *titles = new QVBoxLayout;
    titles->setSpacing(0);
    titles->addWidget(label2);
    titles->addWidget(subtitle);
    top->addLayout(titles);
    top->addStretch();
    top->addWidget(m_lblPoint, 0, Qt::AlignBottom);
    top->addSpacing(10);
    top->addWidget(m_shpLevel, 0, Qt::AlignBottom);
    return top;
}

// The dish name and the position; the scroll bar goes under the row.
QLayout *RecipeScreen::buildNameRow()
{
    m_cboNamae = new PickComboBox(this);
    m_cboNamae->setMaxVisibleItems(25);
    m_cboNamae->setMinimumContentsLength(24);
    nameControl(m_cboNamae, QStringLiteral("cboNamae"), QStringLiteral("料理名"));
    QFont nameFont = m_cboNamae->font();
    nameFont.setPixelSize(17);
    m_cboNamae->setFont(nameFont);
    m_lblRyoriNm = makeLabel(QStringLiteral("料理名"), m_cboNamae, this);
    m_lblRyoriNm->setObjectName(QStringLiteral("lblRyoriNm"));
    m_lblKensu = new QLabel(QStringLiteral("1 / 1"), this);
    nameValueLabel(m_lblKensu, QStringLiteral("lblKensu"), QStringLiteral("件数"));
    m_hsbData = new QScrollBar(Qt::Horizontal, this);
    makePageBar(m_hsbData);
    nameControl(m_hsbData, QStringLiteral("hsbData"), QStringLiteral("レシピのページ"));
    m_hsbData->setRange(1, 1);
    m_hsbData->setPageStep(1);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(m_lblRyoriNm);
    nameRow->addWidget(m_cboNamae, 1);
    nameRow->addSpacing(12);
    nameRow->addWidget(m_lblKensu);
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
    m_txtZairyou = makeText(QStringLiteral("txtZairyou"), QStringLiteral("材料"));
    m_txtZairyou->setToolTip(QStringLiteral("材料を入力します"));
    m_txtTukuri = makeText(QStringLiteral("txtTukuri"), QStringLiteral("作り方"));
    m_txtMemo = makeText(QStringLiteral("txtMemo"), QStringLiteral("メモ"));
    auto *label1a = makeLabel(QStringLiteral("材料"), m_txtZairyou, this);
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
    texts->addWidget(m_txtZairyou, 3);
    texts->addWidget(makeLabel(QStringLiteral("作り方"), m_txtTukuri, this));
    texts->addWidget(m_txtTukuri, 4);
    texts->addWidget(makeLabel(QStringLiteral("メモ"), m_txtMemo, this));
    texts->addWidget(m_txtMemo, 2);
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
    m_cboJyanru = makeList(QStringLiteral("cboJyanru"), QStringLiteral("月齢"));
    m_cboSyurui = makeList(QStringLiteral("cboSyurui"), QStringLiteral("種類"));
    m_cboCyouri = makeList(QStringLiteral("cboCyouri"), QStringLiteral("調理方法"));
    m_cboSankou = makeList(QStringLiteral("cboSankou"), QStringLiteral("参考"), true);
    m_cboSankou->setEditText(QStringLiteral("その他"));
    m_cboSankou->setToolTip(QStringLiteral("新しい参考資料は入力して Enter で追加できます"));
    auto makeLine = [this](const QString &name, const QString &caption) {
        auto *e = new QLineEdit(this);
        nameControl(e, name, caption);
        e->setMaximumWidth(70);
        return e;
    };
    m_txtJikan = makeLine(QStringLiteral("txtJikan"), QStringLiteral("料理時間"));
    m_txtCal = makeLine(QStringLiteral("txtCal"), QStringLiteral("一人分㌍"));
    m_txtEnbun = makeLine(QStringLiteral("txtEnbun"), QStringLiteral("塩分"));

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
    addRow(QStringLiteral("月齢"), m_cboJyanru, QString());
    // The child's stage by age, beside the recipe's own.
    m_lblIma = new QLabel(this);
    nameValueLabel(m_lblIma, QStringLiteral("lblIma"), QStringLiteral("いまの月齢"));
    m_lblIma->setStyleSheet(QStringLiteral("color: rgb(0, 110, 150);"));
    classes->addWidget(m_lblIma, row++, 1);
    addRow(QStringLiteral("種類"), m_cboSyurui, QString());
    addRow(QStringLiteral("調理方法"), m_cboCyouri, QString());
    addRow(QStringLiteral("料理時間"), m_txtJikan, QStringLiteral("分"));
    addRow(QStringLiteral("一人分㌍"), m_txtCal, QStringLiteral("KCal"));
    addRow(QStringLiteral("塩分"), m_txtEnbun, QStringLiteral("ｇ"));
    addRow(QStringLiteral("参考"), m_cboSankou, QString());
    return classes;
}

// Evaluation faces: four pictures a row in one place, exactly one of them visible.
void RecipeScreen::buildFaces(QBoxLayout *column)
{
    auto *label4 = new QLabel(QStringLiteral("自己評価   子供評価"), this);
    nameControl(label4, QStringLiteral("Label4"), label4->text());
    auto *faceRows = new QHBoxLayout;
    faceRows->addWidget(faceRowHolder(FaceRow::Self, m_imgFace1, this));
    faceRows->addSpacing(8);
    faceRows->addWidget(faceRowHolder(FaceRow::Child, m_imgFace2, this));
    faceRows->addStretch();
    column->addWidget(label4);
    column->addLayout(faceRows);
}

// Cooking history: the count sits in the gap of lblKai's caption; a click on either adds a date.
// The recipe's points go under the history.
void RecipeScreen::buildHistory(QBoxLayout *column)
{
    m_lblKai = new QLabel(QStringLiteral("調理回数　     　　　回"), this);
    m_lblKai->setObjectName(QStringLiteral("lblKai"));
    m_lblKai->setToolTip(QStringLiteral("クリックすると調理履歴に追加できます"));
    m_lblKaisu = new QLabel(QStringLiteral("0"), this);
    nameValueLabel(m_lblKaisu, QStringLiteral("lblKaisu"), QStringLiteral("調理回数"));
    m_lblKaisu->setToolTip(m_lblKai->toolTip());
    m_lblKaisu->setAlignment(Qt::AlignCenter);
    QFont countFont = m_lblKaisu->font();
    countFont.setBold(true);
    m_lblKaisu->setFont(countFont);
    for (QLabel *l : {m_lblKai, m_lblKaisu})
        l->setCursor(Qt::PointingHandCursor);
    auto *countPlace = new QGridLayout;
    countPlace->addWidget(m_lblKai, 0, 0, Qt::AlignLeft);
    countPlace->addWidget(m_lblKaisu, 0, 0, Qt::AlignCenter);
    auto *countHolder = new QWidget(this);
    countHolder->setLayout(countPlace);
    countHolder->setFixedWidth(m_lblKai->sizeHint().width() + 4);
    countPlace->setContentsMargins(0, 0, 0, 0);
    m_lstRireki = new QListWidget(this);
    nameControl(m_lstRireki, QStringLiteral("lstRireki"), QStringLiteral("調理実績"));
    m_lstRireki->setToolTip(QStringLiteral("ダブルクリックすると日付を取り消します"));
    m_lstRireki->setMaximumHeight(110);
    m_lblPoint1 = titleLabel(QStringLiteral("lblPoint1"), QStringLiteral("Point 2"), 15, this);
    m_lblPoint1->setToolTip(QStringLiteral("このレシピのポイント"));
    m_lblPoint1->setAccessibleDescription(m_lblPoint1->toolTip());
    m_lblPoint1->setStyleSheet(QStringLiteral("color: rgb(0, 120, 60);"));
    m_chkNikki = new QCheckBox(QStringLiteral("調理日を日記にも書く"), this);
    nameControl(m_chkNikki, QStringLiteral("chkNikki"), m_chkNikki->text());
    m_chkNikki->setToolTip(QStringLiteral("調理日を追加すると、その日の日記に「料理名を作りました」と書き足します"));
    // Remembered on this computer, not in the notebook: on until the user turns it off.
    m_chkNikki->setChecked(QSettings().value(QStringLiteral("recipes/noteCookingInDiary"), true).toBool());
    connect(m_chkNikki, &QCheckBox::toggled, this,
            [](bool on) { QSettings().setValue(QStringLiteral("recipes/noteCookingInDiary"), on); });
    column->addWidget(countHolder);
    column->addWidget(m_lstRireki);
    column->addWidget(m_chkNikki);
    column->addWidget(m_lblPoint1);
}

// The dish picture and the two picture modes under it.
QLayout *RecipeScreen::buildPictureArea()
{
    m_fraGazou = new QFrame(this);
    m_fraGazou->setObjectName(QStringLiteral("fraGazou"));
    m_fraGazou->setFrameShape(QFrame::StyledPanel);
    m_imgGazou = new PictureFrame(m_fraGazou);
    nameControl(m_imgGazou, QStringLiteral("imgGazou"), QStringLiteral("料理の写真"));
    m_imgGazou->setAlignment(Qt::AlignCenter);
    m_imgGazou->setFixedSize(twipsToPixels(PictureWidthTwips), twipsToPixels(PictureHeightTwips));
    auto *pictureLayout = new QVBoxLayout(m_fraGazou);
    pictureLayout->setContentsMargins(2, 2, 2, 2);
    pictureLayout->addWidget(m_imgGazou);
    m_optGazou = new QRadioButton(QStringLiteral("写真"), this);
    nameControl(m_optGazou, QStringLiteral("optGazou"), QStringLiteral("写真を表示します"));
    m_optGazou->setToolTip(QStringLiteral("写真を表示します"));
    m_optMain = new QRadioButton(QStringLiteral("なし"), this);
    nameControl(m_optMain, QStringLiteral("optMain"), QStringLiteral("写真を表示しません"));
    m_optMain->setToolTip(QStringLiteral("写真を表示しません"));
    m_pictures = new RecipePictures(m_notebook, m_dialogs, {this, m_fraGazou, m_imgGazou, m_cboNamae, m_lblRyoriNm},
                                    [this](int p) { setPosition(p); });

    auto *pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(m_fraGazou);
    auto *modes = new QHBoxLayout;
    modes->addWidget(m_optGazou);
    modes->addWidget(m_optMain);
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
    m_cmdNew = makeButton(QStringLiteral("cmdNew"), QStringLiteral("新規"),
                          QStringLiteral("新規入力待ちになります"), this);
    m_cmdTouroku = makeButton(QStringLiteral("cmdTouroku"), QStringLiteral("登録"),
                              QStringLiteral("表示中のレシピを保存します"), this);
    m_cmdDelete = makeButton(QStringLiteral("cmdDelete"), QStringLiteral("削除"),
                             QStringLiteral("表示中のレシピを削除します"), this);
    m_cmdKensaku = makeButton(QStringLiteral("cmdKensaku"), QStringLiteral("検索"),
                              QStringLiteral("レシピを検索できます"), this);
    m_cmdGraph1 = makeButton(QStringLiteral("cmdGraph1"), QStringLiteral("分類"),
                             QStringLiteral("分類分析グラフを表示します"), this);
    m_cmdGraph2 = makeButton(QStringLiteral("cmdGraph2"), QStringLiteral("評価"),
                             QStringLiteral("評価分析グラフを表示します"), this);
    m_cmdPrint = makeButton(QStringLiteral("cmdPrint"), QStringLiteral("印刷"),
                            QStringLiteral("レシピを印刷します"), this);
    m_cmdEnd =
        makeButton(QStringLiteral("cmdEnd"), QStringLiteral("戻り"), QStringLiteral("日記に戻ります"), this);
    QPushButton *firstFoods = makeButton(QStringLiteral("cmdHajimete"), QStringLiteral("はじめての食材"),
                                         QStringLiteral("はじめて食べた食材の記録です"), this);
    connect(firstFoods, &QPushButton::clicked, this, [this] { openFirstFoods(); });

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_cmdNew, m_cmdTouroku, m_cmdDelete})
        buttons->addWidget(b);
    buttons->addSpacing(16);
    for (QPushButton *b : {m_cmdKensaku, m_cmdGraph1, m_cmdGraph2, m_cmdPrint})
        buttons->addWidget(b);
    buttons->addSpacing(16);
    buttons->addWidget(firstFoods);
    buttons->addStretch();
    buttons->addWidget(m_cmdEnd);
    for (QPushButton *b :
         {m_cmdNew, m_cmdTouroku, m_cmdDelete, m_cmdKensaku, m_cmdGraph1, m_cmdGraph2, m_cmdPrint, m_cmdEnd, firstFoods})
        b->setMinimumSize(64, 32);
    return buttons;
}

void RecipeScreen::connectHandlers()
{
    connect(&m_notebook, &Notebook::profileChanged, this, &RecipeScreen::showStageByAge);
    connect(&m_notebook, &Notebook::profileChanged, this, &RecipeScreen::showPictureMode);
    connect(&m_notebook, &Notebook::replaced, this, &RecipeScreen::showRecipe);
    connect(m_hsbData, &QScrollBar::valueChanged, this, [this] { showRecipe(); });
    connect(m_cboNamae, &PickComboBox::picked, this, [this](int index) { setPosition(index + 1); });
    connect(m_cmdNew, &QPushButton::clicked, this, &RecipeScreen::newRecipe);
    connect(m_cmdTouroku, &QPushButton::clicked, this, &RecipeScreen::registerRecipe);
    connect(m_cmdDelete, &QPushButton::clicked, this, &RecipeScreen::deleteRecipe);
    connect(m_cmdEnd, &QPushButton::clicked, this, &QWidget::close);
    // Escape that no control used (an open list or picker closes first) is 戻り, checks and all.
    hookEvents(this, [this](QEvent *e) {
        if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(e)->key() != Qt::Key_Escape)
            return false;
        m_cmdEnd->click();
        return true;
    });
    for (int i = 0; i < 4; ++i) {
        connect(m_imgFace1[i], &QToolButton::clicked, this, [this, i] { selfFaceClicked(i); });
        connect(m_imgFace2[i], &QToolButton::clicked, this, [this, i] { childFaceClicked(i); });
    }
    for (QLabel *l : {m_lblKai, m_lblKaisu})
        hookEvents(l, [this](QEvent *e) {
            if (e->type() != QEvent::MouseButtonRelease)
                return false;
            addCookingDate();
            return true;
        });
    addKeyboardWay(m_lblKai, QStringLiteral("調理日を追加"), [this] { addCookingDate(); });
    m_lblKai->setAccessibleDescription(QStringLiteral("調理回数"));
    connect(m_lstRireki, &QListWidget::itemDoubleClicked, this, [this] { removeHistoryEntry(); });
    // Delete, BackSpace and Enter remove the entry a double-click removes; so does its menu.
    hookEvents(m_lstRireki, [this](QEvent *e) {
        if (e->type() != QEvent::KeyPress || !m_lstRireki->currentItem())
            return false;
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key != Qt::Key_Delete && key != Qt::Key_Backspace && key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        removeHistoryEntry();
        return true;
    });
    auto *removeEntry = new QAction(QStringLiteral("調理日を削除"), m_lstRireki);
    connect(removeEntry, &QAction::triggered, this, [this] { removeHistoryEntry(); });
    m_lstRireki->addAction(removeEntry);
    m_lstRireki->setContextMenuPolicy(Qt::ActionsContextMenu);
    // The key reaches the combo box, which has the focus, and not always its line edit.
    for (QObject *box : {static_cast<QObject *>(m_cboSankou), static_cast<QObject *>(m_cboSankou->lineEdit())})
        hookEvents(box, [this](QEvent *e) { return isEnterKey(e) && referenceEnter(); });
    // toggled, not clicked: the keyboard and the accessibility toggle action count as a click.
    connect(m_optGazou, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            picturesShownClicked();
    });
    connect(m_optMain, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            picturesHiddenClicked();
    });
    connect(&m_notebook, &Notebook::levelShown, this, &RecipeScreen::showTotalPoint);
    connect(m_cmdKensaku, &QPushButton::clicked, this, &RecipeScreen::searchRequested);
    connect(m_cmdGraph1, &QPushButton::clicked, this, &RecipeScreen::classificationGraphRequested);
    connect(m_cmdGraph2, &QPushButton::clicked, this, &RecipeScreen::evaluationGraphRequested);
    connect(m_cmdPrint, &QPushButton::clicked, this, &RecipeScreen::printRequested);
}
