#include "ui/recipes/recipe_screen.h"

#include "core/book/notebook.h"
#include "core/common/cp932.h"
#include "core/common/dates.h"
#include "core/common/dialogs.h"
#include "core/common/help_tour.h"
#include "core/common/numbers.h"
#include "core/common/one_line.h"
#include "core/common/pictures.h"
#include "core/recipes/points.h"
#include "core/recipes/recipe_checks.h"
#include "core/recipes/recipe_files.h"
#include "core/recipes/recipe_store.h"
#include "ui/recipes/faces.h"
#include "ui/recipes/recipe_pictures.h"
#include "ui/widgets/level_bar.h"
#include "ui/widgets/pick_combo.h"
#include "ui/widgets/picture_frame.h"
#include "ui/widgets/ui_util.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
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

const QString Crlf = QStringLiteral("\r\n");

// The picture's place, in twips as the layout gives it.
constexpr int PictureWidthTwips = 4920, PictureHeightTwips = 3570;
constexpr int FaceSize = 52;

// Entries a stored value added to a drop-down list because it is not one of the fixed ones.
constexpr int StoredOnlyRole = Qt::UserRole + 1;

// Shows value in a fixed drop-down list. A value that is not in the list (an older or
// hand-written file) is shown as an extra entry, so that it stays as it is unless the user
// picks another one; an empty value selects nothing.
void showListValue(QComboBox *box, const QString &value)
{
    for (int i = box->count() - 1; i >= 0; --i)
        if (box->itemData(i, StoredOnlyRole).toBool())
            box->removeItem(i);
    int i = box->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i < 0 && !value.isEmpty()) {
        box->addItem(value);
        i = box->count() - 1;
        box->setItemData(i, true, StoredOnlyRole);
    }
    box->setCurrentIndex(i);
}

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
    column->addWidget(countHolder);
    column->addWidget(m_lstRireki);
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

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_cmdNew, m_cmdTouroku, m_cmdDelete})
        buttons->addWidget(b);
    buttons->addSpacing(16);
    for (QPushButton *b : {m_cmdKensaku, m_cmdGraph1, m_cmdGraph2, m_cmdPrint})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(m_cmdEnd);
    for (QPushButton *b :
         {m_cmdNew, m_cmdTouroku, m_cmdDelete, m_cmdKensaku, m_cmdGraph1, m_cmdGraph2, m_cmdPrint, m_cmdEnd})
        b->setMinimumSize(64, 32);
    return buttons;
}

void RecipeScreen::connectHandlers()
{
    connect(m_hsbData, &QScrollBar::valueChanged, this, [this] { ShowRecipe(); });
    connect(m_cboNamae, &PickComboBox::picked, this, [this](int index) { setPosition(index + 1); });
    connect(m_cmdNew, &QPushButton::clicked, this, &RecipeScreen::newRecipe);
    connect(m_cmdTouroku, &QPushButton::clicked, this, &RecipeScreen::registerRecipe);
    connect(m_cmdDelete, &QPushButton::clicked, this, &RecipeScreen::deleteRecipe);
    connect(m_cmdEnd, &QPushButton::clicked, this, &QWidget::close);
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
    connect(m_lstRireki, &QListWidget::itemDoubleClicked, this, [this] { removeHistoryEntry(); });
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

void RecipeScreen::helpTour(const QString &text) { HELP_TOUR(m_notebook.tour, m_dialogs, text); }

int RecipeScreen::position() const { return m_hsbData->value(); }

void RecipeScreen::setPosition(int p)
{
    if (m_hsbData->value() == p)
        ShowRecipe();
    else
        m_hsbData->setValue(p);
}

void RecipeScreen::load()
{
    const bool shown = m_notebook.profile.pictureMode == photosShown();
    {
        const QSignalBlocker blockShown(m_optGazou);
        const QSignalBlocker blockHidden(m_optMain);
        m_optGazou->setChecked(shown);
        m_optMain->setChecked(!shown);
    }
    m_fraGazou->setVisible(shown);
    FillRecipeLists();
    reloadTables();
    setPosition(1);
}

void RecipeScreen::FillRecipeLists()
{
    m_cboJyanru->clear();
    m_cboJyanru->addItems(stageList());
    m_cboSyurui->clear();
    m_cboSyurui->addItems(kindList());
    m_cboCyouri->clear();
    m_cboCyouri->addItems(methodList());
    // Nothing chosen until a recipe is shown: a recipe registered before a stage was picked
    // keeps an empty stage.
    for (QComboBox *box : {m_cboJyanru, m_cboSyurui, m_cboCyouri})
        box->setCurrentIndex(-1);
    m_notebook.LoadReferenceList();
    const QString typed = m_cboSankou->currentText();
    m_cboSankou->clear();
    m_cboSankou->addItems(m_notebook.recipes.references);
    m_cboSankou->setEditText(typed);
}

// LoadRecipes and ComputeRecipeStats with what the screen shows of them.
void RecipeScreen::reloadTables()
{
    const RecipeLoad load = m_notebook.LoadRecipes();
    const RecipeBook &book = m_notebook.recipes;
    const QString typed = m_cboNamae->currentText();
    m_cboNamae->clear();
    m_cboNamae->addItems(book.names());
    m_cboNamae->setEditText(typed);
    {
        const QSignalBlocker block(m_hsbData);
        m_hsbData->setMaximum(qMax(1, book.count()));
    }
    m_notebook.ComputeRecipeStats();
    showTotalPoint();
    if (load.firstNotWhole)
        m_dialogs.warning(
            QStringLiteral("レシピの読み込み"),
            NotebookFiles::notWholeMessage(recipeFileName(), book.count(), QStringLiteral("件"), load.damage));
}

void RecipeScreen::showTotalPoint()
{
    m_lblPoint->setText(QStringLiteral("Point ") + QString::number(m_notebook.recipes.totalPoint));
}

void RecipeScreen::ShowRecipe()
{
    RecipeBook &book = m_notebook.recipes;
    if (book.count() == 0) {
        ClearRecipePage();
        m_notebook.ComputeTotalPoint();
        ShowRecipePoint();
        const QSignalBlocker block(m_hsbData);
        m_hsbData->setMaximum(1);
        m_lblKensu->setText(QStringLiteral("1 / 1"));
        return;
    }
    const int p = qBound(1, m_hsbData->value(), book.count());
    const Recipe &r = book.recipe(p);
    m_cboNamae->setEditText(r.name);
    m_txtJikan->setText(recipeTimeText(r.time));
    showListValue(m_cboJyanru, r.stage);
    showListValue(m_cboSyurui, r.kind);
    showListValue(m_cboCyouri, r.method);
    m_cboSankou->setEditText(r.ref);
    m_cboSankou->lineEdit()->setCursorPosition(0); // a long source shows from its start
    m_txtZairyou->setPlainText(editText(r.ingredients));
    m_txtTukuri->setPlainText(editText(r.steps));
    m_txtMemo->setPlainText(editText(r.memo));
    m_curSelfEval = r.selfEval;
    m_curChildEval = r.childEval;
    showFaces();
    m_lstRireki->clear();
    m_lstRireki->addItems(historyEntries(r.history));
    ShowRecipePoint();
    m_lblKaisu->setText(QString::number(m_lstRireki->count()));
    m_lblKensu->setText(QStringLiteral("%1 / %2").arg(p).arg(book.count()));
    if (!m_optMain->isChecked())
        showPicture(r.name);
}

void RecipeScreen::ClearRecipePage()
{
    const int next = m_notebook.recipes.count() + 1;
    m_cboNamae->setEditText(QString());
    m_cboSankou->setEditText(QString());
    m_txtZairyou->clear();
    m_txtTukuri->clear();
    m_txtMemo->clear();
    showListValue(m_cboSyurui, QStringLiteral("その他"));
    showListValue(m_cboCyouri, QStringLiteral("その他"));
    m_txtCal->clear();
    m_txtEnbun->clear();
    m_txtJikan->clear();
    m_lstRireki->clear();
    m_lblKaisu->setText(QStringLiteral("0"));
    m_lblPoint1->setText(QStringLiteral("Point 2"));
    m_lblKensu->setText(QStringLiteral("%1 / %1").arg(next));
    m_curSelfEval = evalNone();
    m_curChildEval = evalNone();
    showFaces();
}

void RecipeScreen::showFaces()
{
    const int self = int(evalLetters().indexOf(m_curSelfEval));
    const int child = int(evalLetters().indexOf(m_curChildEval));
    for (int i = 0; i < 4; ++i) {
        m_imgFace1[i]->setVisible(i == self);
        m_imgFace2[i]->setVisible(i == child);
    }
}

void RecipeScreen::ShowRecipePoint()
{
    m_lblPoint1->setText(QStringLiteral("Point ") +
                         QString::number(pagePoints(m_curChildEval, m_lstRireki->count())));
}

void RecipeScreen::showPicture(const QString &dishName)
{
    m_imgGazou->showKey(m_notebook.folder(), dishName);
}

void RecipeScreen::newRecipe()
{
    ClearRecipePage();
    helpTour(
        QStringLiteral("新しいレシピを登録します。\r\n\r\n"
                       "料理名だけでも登録することができます。\r\n"
                       "料理名と同じファイル名にした画像をポポラのフォルダに入れると画像が表示されます。\r\n"
                       "必要に応じて各種情報を登録してください。\r\n\r\n"
                       "※最後に「登録」ボタンを押してください。\r\n\r\n"
                       "※入力を取り消したい場合はスクロールバーで他のレシピを表示させてください。"));
    m_cboNamae->setFocus();
}

Recipe RecipeScreen::pageRecipe() const
{
    Recipe r;
    r.name = m_cboNamae->currentText();
    r.stage = m_cboJyanru->currentText();
    r.kind = m_cboSyurui->currentText();
    r.method = m_cboCyouri->currentText();
    r.time = float(typedNumericValue(m_txtJikan->text()));
    r.selfEval = m_curSelfEval;
    r.childEval = m_curChildEval;
    r.cookCount = cookCountText(m_lblKaisu->text());
    r.ref = m_cboSankou->currentText();
    r.ingredients = storedText(m_txtZairyou->toPlainText());
    r.steps = storedText(m_txtTukuri->toPlainText());
    r.memo = storedText(m_txtMemo->toPlainText());
    QStringList dates;
    for (int i = 0; i < m_lstRireki->count(); ++i)
        dates.append(m_lstRireki->item(i)->text());
    r.history = dates.join(Crlf);
    return r;
}

// A refusal's warning, and the cursor put back where it names; false when there is none.
bool RecipeScreen::refuse(const std::optional<Refusal> &refusal)
{
    if (!refusal)
        return false;
    m_dialogs.warning(refusal->title, refusal->text);
    if (!refusal->focus.isEmpty())
        if (auto *field = findChild<QWidget *>(refusal->focus))
            field->setFocus();
    return true;
}

void RecipeScreen::registerRecipe()
{
    RecipeBook &book = m_notebook.recipes;
    if (!withoutGrouping(m_txtJikan->text())) {
        m_dialogs.warning(QStringLiteral("入力確認"), groupingMessage(QStringLiteral("料理時間")));
        m_txtJikan->setFocus();
        return;
    }
    const Recipe page = pageRecipe();
    const RegisterDecision decision = checkRegistration(book, page, m_hsbData->value());
    if (refuse(decision.refusal) || !m_dialogs.confirm(decision.confirmTitle, decision.confirmText,
                                                       Dialogs::Icon::Information, Dialogs::Answer::Ok))
        return;
    WriteResult written;
    {
        WaitPointer wait;
        if (decision.position == 0) {
            written = m_notebook.AppendRecipeRecord(page);
        } else {
            Recipe &r = book.recipe(decision.position);
            const QString name = r.name;
            r = page;
            r.name = name;
            written = m_notebook.SaveRecipeFile();
        }
        reloadTables();
    }
    if (!written.ok) {
        // The tables were read back from the file, so memory still matches what is stored;
        // the typed page stays on screen.
        reportWrite(m_dialogs, written);
        return;
    }
    {
        const QSignalBlocker block(m_hsbData);
        m_hsbData->setValue(decision.position == 0 ? book.count() : decision.position);
    }
    ShowRecipe();
    m_dialogs.information(QStringLiteral("登録終了"), QStringLiteral("登録しました"));
    if (goalReached(book.levelPercent))
        m_dialogs.information(goalReachedTitle(), goalReachedText(m_notebook.profile.targetPoint));
}

void RecipeScreen::deleteRecipe()
{
    const DeleteDecision decision =
        checkDeletion(m_notebook.recipes, m_cboNamae->currentText(), m_hsbData->value());
    if (refuse(decision.refusal) || !m_dialogs.confirm(decision.confirmTitle, decision.confirmText,
                                                       Dialogs::Icon::Warning, Dialogs::Answer::Cancel))
        return;
    const int p = decision.position;
    const int last = m_notebook.recipes.count();
    WriteResult written;
    {
        WaitPointer wait;
        written = m_notebook.SaveRecipeFile(p);
        reloadTables();
    }
    if (!written.ok) {
        setPosition(p);
        reportWrite(m_dialogs, written);
        return;
    }
    {
        const QSignalBlocker block(m_hsbData);
        m_hsbData->setValue(p == last ? p - 1 : p);
    }
    ShowRecipe();
    m_dialogs.information(QStringLiteral("削除終了"), QStringLiteral("削除しました"));
}

void RecipeScreen::selfFaceClicked(int index)
{
    static const int next[] = {1, 2, 3, 0};
    m_curSelfEval = evalLetters()[next[index]];
    // Leaving or entering "未" takes the child's face along.
    if (index == 2)
        m_curChildEval = evalNone();
    else if (index == 3)
        m_curChildEval = evalExcellent();
    showFaces();
    ShowRecipePoint();
}

void RecipeScreen::childFaceClicked(int index)
{
    if (m_curSelfEval == evalNone() || index > 2)
        return;
    static const int next[] = {1, 2, 0};
    m_curChildEval = evalLetters()[next[index]];
    showFaces();
    ShowRecipePoint();
}

void RecipeScreen::addCookingDate()
{
    const QString answer = m_dialogs.input(QStringLiteral("日付をリストに追加します。"),
                                           QStringLiteral("日付登録"), dateText(m_notebook.clock.today()));
    if (answer.isEmpty())
        return;
    // Every entry is stored as yyyy/mm/dd, the shape the history's fixed-width reading needs.
    const std::optional<QDate> date = parseTypedDate(answer, m_notebook.clock.today());
    if (!date) {
        m_dialogs.warning(QStringLiteral("入力確認"),
                          QStringLiteral("その入力は日付の形式ではありません\r\n\r\n"
                                         "2002/02/18　のように入力してみて下さい"));
        return;
    }
    m_lstRireki->addItem(dateText(*date));
    m_lblKaisu->setText(QString::number(m_lstRireki->count()));
    if (m_lstRireki->count() == 1) {
        // The first cooking.
        m_curSelfEval = evalExcellent();
        m_curChildEval = evalExcellent();
        showFaces();
    }
    ShowRecipePoint();
}

void RecipeScreen::removeHistoryEntry()
{
    const int row = m_lstRireki->currentRow();
    if (row < 0)
        return;
    delete m_lstRireki->takeItem(row);
    m_lblKaisu->setText(QString::number(m_lstRireki->count()));
    ShowRecipePoint();
}

bool RecipeScreen::referenceEnter()
{
    const QString text = m_cboSankou->currentText();
    if (text.isEmpty())
        return false;
    const QString bad = cp932::firstUnencodable(text);
    if (!bad.isEmpty() || hasControlCharacter(text)) {
        m_dialogs.warning(QStringLiteral("入力確認"), bad.isEmpty()
                                                          ? controlCharacterMessage(QStringLiteral("参考"))
                                                          : cp932::unencodableMessage(bad));
        return true;
    }
    if (!m_dialogs.confirm(QStringLiteral("保存確認"), text + QStringLiteral("を新たに追加しますか？"),
                           Dialogs::Icon::Question, Dialogs::Answer::Ok))
        return true;
    if (!reportWrite(m_dialogs, m_notebook.AppendReference(text)))
        return true;
    m_cboSankou->addItem(text);
    m_cboSankou->setEditText(text);
    m_dialogs.information(QStringLiteral("参考リストに追加"), QStringLiteral("保存しました"));
    return true;
}

void RecipeScreen::picturesShownClicked()
{
    showPicture(m_cboNamae->currentText());
    m_fraGazou->setVisible(true);
    reportWrite(m_dialogs, m_notebook.setPictureMode(m_notebook.profile.pictureMode, photosShown()));
    helpTour(QStringLiteral("料理画像を表示します。\r\n\r\n"
                            "デジカメやスキャナで保存した料理画像があれば画像付きレシピが楽しめます。"));
}

void RecipeScreen::picturesHiddenClicked()
{
    m_fraGazou->setVisible(false);
    reportWrite(m_dialogs, m_notebook.setPictureMode(m_notebook.profile.pictureMode, photosHidden()));
    helpTour(QStringLiteral("料理画像を表示しません。\r\n\r\n"
                            "料理画像をお持ちでないときはこちらのモードでどうぞ。\r\n\r\n"
                            "またレシピの表示を早くしたいときにも有効です。\r\n"
                            "画像を表示しない分速くなります。"));
}

Recipe RecipeScreen::shownRecipe() const { return pageRecipe(); }

QString RecipeScreen::shownTimeText() const { return m_txtJikan->text(); }

QImage RecipeScreen::shownPicture() const
{
    if (!m_optGazou->isChecked())
        return {};
    return m_imgGazou->pixmap().toImage();
}
