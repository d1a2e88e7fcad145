#include "ui/recipe_tools/search_screen.h"

#include "core/recipes/weaning_stage.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "ui/recipe_tools/tool_widgets.h"
#include "ui/widgets/pick_combo.h"
#include "ui/widgets/ui_util.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLineEdit *keyBox(const QString &name, const QString &label, QWidget *parent, int width = 0)
{
    auto *e = new QLineEdit(parent);
    nameControl(e, name, label);
    if (width)
        e->setFixedWidth(width);
    return e;
}

QComboBox *keyList(const QString &name, const QString &label, QWidget *parent)
{
    auto *c = new FixedComboBox(parent);
    nameControl(c, name, label);
    return c;
}

// A box with its label after it ("分以上") or before it ("月齢").
void addLabelled(QHBoxLayout *row, QWidget *box, const QString &label, bool labelFirst, QWidget *parent)
{
    QLabel *l = makeLabel(label, box, parent);
    if (labelFirst)
        row->addWidget(l);
    row->addWidget(box);
    if (!labelFirst)
        row->addWidget(l);
}

QToolButton *searchButton(const QString &name, const QString &accessible, const QIcon &icon, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    nameControl(b, name, accessible);
    b->setToolTip(accessible);
    b->setIcon(icon);
    b->setIconSize(QSize(26, 26));
    b->setAutoRaise(false);
    return b;
}

QLabel *legendPicture(const QIcon &icon, const QString &name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setPixmap(icon.pixmap(26, 26));
    l->setToolTip(name);
    l->setAccessibleName(name);
    return l;
}

} // namespace

SearchScreen::SearchScreen(Notebook &notebook, Dialogs &dialogs, std::function<void(int)> showRecipe,
                           QWidget *parent)
    : QDialog(parent), m_notebook(notebook), m_dialogs(dialogs), m_showRecipe(std::move(showRecipe))
{
    setObjectName(QStringLiteral("frmKensaku"));
    setWindowTitle(QStringLiteral("検索"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(buildKeys(), 3);
    layout->addSpacing(10);
    layout->addLayout(buildListArea(), 2);
}

QLayout *SearchScreen::buildKeys()
{
    m_dishNameEdit = keyBox(QStringLiteral("txtNamae"), QStringLiteral("料理名"), this);
    for (int i = 0; i < 5; ++i) {
        m_ingredientSearchEdit[i] =
            keyBox(QStringLiteral("txtZairyo_%1").arg(i), QStringLiteral("材料%1").arg(i + 1), this, 96);
        connect(m_ingredientSearchEdit[i], &QLineEdit::returnPressed, this, [this, i] {
            if (!m_ingredientSearchEdit[i]->text().isEmpty() && i != 4)
                m_ingredientSearchEdit[i + 1]->setFocus();
        });
    }
    m_stepsEdit = keyBox(QStringLiteral("txtTukuri"), QStringLiteral("作り方"), this);
    m_memoEdit = keyBox(QStringLiteral("txtMemo"), QStringLiteral("メモ"), this);
    m_stageBox = keyList(QStringLiteral("cboJyanru"), QStringLiteral("月齢"), this);
    m_kindBox = keyList(QStringLiteral("cboSyurui"), QStringLiteral("種類"), this);
    m_methodBox = keyList(QStringLiteral("cboCyouri"), QStringLiteral("調理方法"), this);
    m_timeFromEdit = keyBox(QStringLiteral("txtJikanL"), QStringLiteral("分以上"), this, 60);
    m_timeToEdit = keyBox(QStringLiteral("txtJikanH"), QStringLiteral("分未満"), this, 60);
    m_selfEvalBox = keyList(QStringLiteral("cboHyouka1"), QStringLiteral("自己評価"), this);
    m_childEvalBox = keyList(QStringLiteral("cboHyouka2"), QStringLiteral("三者評価"), this);
    m_countFromEdit = keyBox(QStringLiteral("txtKaisuL"), QStringLiteral("回以上"), this, 60);
    m_countToEdit = keyBox(QStringLiteral("txtKaisuH"), QStringLiteral("回未満"), this, 60);
    // Typed text is never replaced by a stored entry: no completion, no lookup on Enter.
    m_referenceBox = new PickComboBox(this);
    nameControl(m_referenceBox, QStringLiteral("cboSankou"), QStringLiteral("参考文献"));
    m_referenceBox->setMinimumContentsLength(16);

    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(8);
    auto row = [](std::initializer_list<QWidget *> widgets) {
        auto *h = new QHBoxLayout;
        for (QWidget *w : widgets)
            h->addWidget(w);
        return h;
    };
    addKeyGroup(grid, QStringLiteral("料理名"), QStringLiteral("Namae"), SearchKey::Name, row({m_dishNameEdit}));
    auto *zairyo = new QHBoxLayout;
    for (QLineEdit *box : m_ingredientSearchEdit)
        zairyo->addWidget(box);
    // The first foods register, for the food typed first.
    auto *firstFoods = makeButton(QStringLiteral("cmdHajimete"), QStringLiteral("はじめての食材"),
                                  QStringLiteral("はじめての食材の記録を、材料1の食材で探します"), this);
    connect(firstFoods, &QPushButton::clicked, this, [this] { emit firstFoodsRequested(m_ingredientSearchEdit[0]->text()); });
    zairyo->addWidget(firstFoods);
    addKeyGroup(grid, QStringLiteral("材料"), QStringLiteral("Zairyo"), SearchKey::Ingredients, zairyo);
    addKeyGroup(grid, QStringLiteral("作り方"), QStringLiteral("Tukuri"), SearchKey::Steps,
                row({m_stepsEdit}));
    addKeyGroup(grid, QStringLiteral("メモ"), QStringLiteral("Memo"), SearchKey::Memo, row({m_memoEdit}));
    auto *bunrui = new QHBoxLayout;
    addLabelled(bunrui, m_stageBox, QStringLiteral("月齢"), true, this);
    addLabelled(bunrui, m_kindBox, QStringLiteral("種類"), true, this);
    addLabelled(bunrui, m_methodBox, QStringLiteral("調理方法"), true, this);
    bunrui->addStretch();
    // One click: the recipes of the child's stage by age, through the 月齢 search.
    auto *ima = makeButton(QStringLiteral("cmdIma"), QStringLiteral("いまの月齢"),
                           QStringLiteral("いまの月齢に合ったレシピを探します"), this);
    m_stageNowLabel = new QLabel(this);
    nameValueLabel(m_stageNowLabel, QStringLiteral("lblIma"), QStringLiteral("いまの月齢"));
    bunrui->addWidget(m_stageNowLabel);
    bunrui->addWidget(ima);
    connect(ima, &QPushButton::clicked, this, &SearchScreen::searchStageByAge);
    addKeyGroup(grid, QStringLiteral("分類"), QStringLiteral("Bunrui"), SearchKey::Category, bunrui);
    auto *jikan = new QHBoxLayout;
    addLabelled(jikan, m_timeFromEdit, QStringLiteral("分以上"), false, this);
    jikan->addSpacing(12);
    addLabelled(jikan, m_timeToEdit, QStringLiteral("分未満"), false, this);
    jikan->addStretch();
    addKeyGroup(grid, QStringLiteral("調理時間"), QStringLiteral("Jikan"), SearchKey::Time, jikan);
    auto *hyouka = new QHBoxLayout;
    addLabelled(hyouka, m_selfEvalBox, QStringLiteral("自己評価"), true, this);
    hyouka->addSpacing(12);
    addLabelled(hyouka, m_childEvalBox, QStringLiteral("三者評価"), true, this);
    hyouka->addStretch();
    addKeyGroup(grid, QStringLiteral("評価"), QStringLiteral("Hyouka"), SearchKey::Evaluation, hyouka);
    auto *kaisu = new QHBoxLayout;
    addLabelled(kaisu, m_countFromEdit, QStringLiteral("回以上"), false, this);
    kaisu->addSpacing(12);
    addLabelled(kaisu, m_countToEdit, QStringLiteral("回未満"), false, this);
    kaisu->addStretch();
    addKeyGroup(grid, QStringLiteral("調理回数"), QStringLiteral("Kaisu"), SearchKey::CookCount, kaisu);
    addKeyGroup(grid, QStringLiteral("参考文献"), QStringLiteral("Sankou"), SearchKey::Reference,
                row({m_referenceBox}));
    // Remembered on this computer: how the parent types is not a matter of the notebook.
    m_foldCheck = new QCheckBox(QStringLiteral("かな・全角半角を区別しない"), this);
    nameControl(m_foldCheck, QStringLiteral("chkFold"), m_foldCheck->text());
    m_foldCheck->setToolTip(QStringLiteral("ﾊﾟﾊﾟ・パパ・ぱぱ、ＡＢＣ・ABC を同じ文字として探します"));
    m_foldCheck->setChecked(QSettings().value(QStringLiteral("recipes/searchFolded"), false).toBool());
    connect(m_foldCheck, &QCheckBox::toggled, this,
            [](bool on) { QSettings().setValue(QStringLiteral("recipes/searchFolded"), on); });
    grid->addWidget(m_foldCheck, grid->rowCount(), 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(grid->rowCount(), 1);
    return grid;
}

// One key group: its caption (Label2), its boxes, its narrowing and whole-table buttons.
void SearchScreen::addKeyGroup(QGridLayout *grid, const QString &caption, const QString &button,
                               SearchKey key, QLayout *boxes)
{
    const int r = grid->rowCount();
    auto *label2 = new QLabel(caption, this);
    nameControl(label2, QStringLiteral("Label2_%1").arg(r), caption);
    label2->setStyleSheet(QStringLiteral("font-weight: bold; color: rgb(40, 90, 150);"));
    QToolButton *narrow = searchButton(QStringLiteral("cmd") + button,
                                       caption + QStringLiteral("：絞り込み検索"), narrowSearchIcon(), this);
    QToolButton *whole = searchButton(QStringLiteral("cmd") + button + u'1',
                                      caption + QStringLiteral("：全体から検索"), wholeSearchIcon(), this);
    connect(narrow, &QToolButton::clicked, this, [this, key] { search(key, false); });
    connect(whole, &QToolButton::clicked, this, [this, key] { search(key, true); });
    grid->addWidget(label2, r, 0);
    grid->addLayout(boxes, r, 1);
    grid->addWidget(narrow, r, 2);
    grid->addWidget(whole, r, 3);
}

QLayout *SearchScreen::buildListArea()
{
    auto *frame = new QGroupBox(QStringLiteral("検索条件一致リスト"), this);
    frame->setObjectName(QStringLiteral("fraKondate"));
    m_resultList = new QListWidget(frame);
    nameControl(m_resultList, QStringLiteral("lstKondate"), QStringLiteral("検索条件一致リスト"));
    m_resultList->setToolTip(QStringLiteral("クリックするとレシピが表示されます"));
    m_resultList->setAccessibleDescription(m_resultList->toolTip());
    auto *inFrame = new QVBoxLayout(frame);
    inFrame->addWidget(m_resultList);
    connect(m_resultList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { nameClicked(item->text()); });
    // Enter on a row is the keyboard's click.
    connect(m_resultList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { nameClicked(item->text()); });

    m_hideOnClickOption = new QRadioButton(QStringLiteral("クリック時に検索画面を隠す"), this);
    nameControl(m_hideOnClickOption, QStringLiteral("optHide"), m_hideOnClickOption->text());
    m_showOnClickOption = new QRadioButton(QStringLiteral("残す"), this);
    nameControl(m_showOnClickOption, QStringLiteral("optShow"), m_showOnClickOption->text());
    m_hideOnClickOption->setChecked(true);
    auto *options = new QHBoxLayout;
    options->addWidget(m_hideOnClickOption);
    options->addWidget(m_showOnClickOption);
    options->addStretch();

    auto *legend = new QGridLayout;
    legend->addWidget(legendPicture(narrowSearchIcon(), QStringLiteral("絞り込み検索"), this), 0, 0);
    legend->addWidget(new QLabel(QStringLiteral("→ 絞り込み検索する時のボタン"), this), 0, 1);
    legend->addWidget(legendPicture(wholeSearchIcon(), QStringLiteral("全体から検索"), this), 1, 0);
    legend->addWidget(new QLabel(QStringLiteral("→ 全体から検索する時のボタン"), this), 1, 1);
    legend->setColumnStretch(1, 1);

    QPushButton *all = makeButton(QStringLiteral("cmdALL"), QStringLiteral("全部"), QString(), this);
    QPushButton *back = makeButton(QStringLiteral("cmdModori"), QStringLiteral("戻り"), QString(), this);
    connect(all, &QPushButton::clicked, this, &SearchScreen::listAll);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(all);
    buttons->addStretch();
    buttons->addWidget(back);

    auto *column = new QVBoxLayout;
    column->addWidget(frame, 1);
    column->addLayout(options);
    column->addLayout(legend);
    column->addLayout(buttons);
    return column;
}

void SearchScreen::load()
{
    showStageByAge();
    fillSearchLists();
    clearSearch();
    listAll();
}

void SearchScreen::fillSearchLists()
{
    const QStringList &evals = evalLetters();
    const std::pair<QComboBox *, QStringList> lists[] = {{m_stageBox, stageList()},
                                                         {m_kindBox, kindList()},
                                                         {m_methodBox, methodList()},
                                                         {m_selfEvalBox, evals},
                                                         {m_childEvalBox, evals}};
    for (const auto &[box, entries] : lists) {
        box->clear();
        box->addItems(entries);
        box->addItem(QString()); // no condition
        box->setCurrentIndex(-1);
    }
    m_referenceBox->clear();
    m_referenceBox->addItems(m_notebook.recipes.references);
}

void SearchScreen::clearSearch()
{
    for (QLineEdit *box :
         {m_dishNameEdit, m_stepsEdit, m_memoEdit, m_timeFromEdit, m_timeToEdit, m_countFromEdit, m_countToEdit})
        box->clear();
    for (QLineEdit *box : m_ingredientSearchEdit)
        box->clear();
    m_referenceBox->setEditText(QString());
}

void SearchScreen::listAll() { setList(m_notebook.recipes.names()); }

void SearchScreen::setList(const QStringList &names)
{
    m_resultList->clear();
    m_resultList->addItems(names);
}

QStringList SearchScreen::listed() const
{
    QStringList names;
    names.reserve(m_resultList->count());
    for (int i = 0; i < m_resultList->count(); ++i)
        names.append(m_resultList->item(i)->text());
    return names;
}

SearchKeys SearchScreen::keys() const
{
    SearchKeys k;
    k.name = m_dishNameEdit->text();
    for (int i = 0; i < 5; ++i)
        k.ingredients[i] = m_ingredientSearchEdit[i]->text();
    k.steps = m_stepsEdit->text();
    k.memo = m_memoEdit->text();
    k.stage = m_stageBox->currentText();
    k.kind = m_kindBox->currentText();
    k.method = m_methodBox->currentText();
    k.timeLow = m_timeFromEdit->text();
    k.timeHigh = m_timeToEdit->text();
    k.selfEval = m_selfEvalBox->currentText();
    k.childEval = m_childEvalBox->currentText();
    k.countLow = m_countFromEdit->text();
    k.countHigh = m_countToEdit->text();
    k.ref = m_referenceBox->currentText();
    k.folded = m_foldCheck->isChecked();
    return k;
}

void SearchScreen::showStageByAge()
{
    m_stageNowLabel->setText(weaningStageAt(m_notebook.profile.birthDate, m_notebook.clock.today()).text);
}

void SearchScreen::searchStageByAge()
{
    showStageByAge();
    const WeaningStage s = weaningStageAt(m_notebook.profile.birthDate, m_notebook.clock.today());
    if (s.stage.isEmpty()) {
        m_dialogs.information(QStringLiteral("いまの月齢"),
                              s.text.isEmpty() ? QStringLiteral("生年月日が登録されていないため、月齢がわかりません。")
                                               : s.text + QStringLiteral("です。離乳食の4つの時期のどれにもあたりません。"));
        return;
    }
    // The stage alone: kind and method on their last, empty entry, which means any.
    m_stageBox->setCurrentText(s.stage);
    m_kindBox->setCurrentIndex(m_kindBox->count() - 1);
    m_methodBox->setCurrentIndex(m_methodBox->count() - 1);
    search(SearchKey::Category, true);
}

void SearchScreen::search(SearchKey key, bool wholeTable)
{
    const SearchKeys k = keys();
    if (keyIsIdle(key, k))
        return;
    const QList<Recipe> &recipes = m_notebook.recipes.recipes();
    const auto passes = [&](int i) { return passesKey(key, k, recipes[i]); };
    if (wholeTable) {
        setList(searchWhole(m_notebook.recipes.names(), passes));
        return;
    }
    m_narrowed = searchNarrow(listed(), m_notebook.recipes.names(), passes);
    showNarrowed();
}

void SearchScreen::showNarrowed()
{
    if (m_narrowed.isEmpty())
        m_dialogs.warning(zeroResultTitle(), zeroResultText());
    else
        setList(m_narrowed);
    m_narrowed.clear();
}

void SearchScreen::nameClicked(const QString &name)
{
    const int p = m_notebook.recipes.find(name);
    if (p == 0)
        return;
    m_showRecipe(p);
    if (m_hideOnClickOption->isChecked())
        hide();
}
