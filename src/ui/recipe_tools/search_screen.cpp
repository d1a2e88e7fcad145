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
    m_txtNamae = keyBox(QStringLiteral("txtNamae"), QStringLiteral("料理名"), this);
    for (int i = 0; i < 5; ++i) {
        m_txtZairyo[i] =
            keyBox(QStringLiteral("txtZairyo_%1").arg(i), QStringLiteral("材料%1").arg(i + 1), this, 96);
        connect(m_txtZairyo[i], &QLineEdit::returnPressed, this, [this, i] {
            if (!m_txtZairyo[i]->text().isEmpty() && i != 4)
                m_txtZairyo[i + 1]->setFocus();
        });
    }
    m_txtTukuri = keyBox(QStringLiteral("txtTukuri"), QStringLiteral("作り方"), this);
    m_txtMemo = keyBox(QStringLiteral("txtMemo"), QStringLiteral("メモ"), this);
    m_cboJyanru = keyList(QStringLiteral("cboJyanru"), QStringLiteral("月齢"), this);
    m_cboSyurui = keyList(QStringLiteral("cboSyurui"), QStringLiteral("種類"), this);
    m_cboCyouri = keyList(QStringLiteral("cboCyouri"), QStringLiteral("調理方法"), this);
    m_txtJikanL = keyBox(QStringLiteral("txtJikanL"), QStringLiteral("分以上"), this, 60);
    m_txtJikanH = keyBox(QStringLiteral("txtJikanH"), QStringLiteral("分未満"), this, 60);
    m_cboHyouka1 = keyList(QStringLiteral("cboHyouka1"), QStringLiteral("自己評価"), this);
    m_cboHyouka2 = keyList(QStringLiteral("cboHyouka2"), QStringLiteral("三者評価"), this);
    m_txtKaisuL = keyBox(QStringLiteral("txtKaisuL"), QStringLiteral("回以上"), this, 60);
    m_txtKaisuH = keyBox(QStringLiteral("txtKaisuH"), QStringLiteral("回未満"), this, 60);
    // Typed text is never replaced by a stored entry: no completion, no lookup on Enter.
    m_cboSankou = new PickComboBox(this);
    nameControl(m_cboSankou, QStringLiteral("cboSankou"), QStringLiteral("参考文献"));
    m_cboSankou->setMinimumContentsLength(16);

    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(8);
    auto row = [](std::initializer_list<QWidget *> widgets) {
        auto *h = new QHBoxLayout;
        for (QWidget *w : widgets)
            h->addWidget(w);
        return h;
    };
    addKeyGroup(grid, QStringLiteral("料理名"), QStringLiteral("Namae"), SearchKey::Name, row({m_txtNamae}));
    auto *zairyo = new QHBoxLayout;
    for (QLineEdit *box : m_txtZairyo)
        zairyo->addWidget(box);
    // The first foods register, for the food typed first.
    auto *firstFoods = makeButton(QStringLiteral("cmdHajimete"), QStringLiteral("はじめての食材"),
                                  QStringLiteral("はじめての食材の記録を、材料1の食材で探します"), this);
    connect(firstFoods, &QPushButton::clicked, this, [this] { emit firstFoodsRequested(m_txtZairyo[0]->text()); });
    zairyo->addWidget(firstFoods);
    addKeyGroup(grid, QStringLiteral("材料"), QStringLiteral("Zairyo"), SearchKey::Ingredients, zairyo);
    addKeyGroup(grid, QStringLiteral("作り方"), QStringLiteral("Tukuri"), SearchKey::Steps,
                row({m_txtTukuri}));
    addKeyGroup(grid, QStringLiteral("メモ"), QStringLiteral("Memo"), SearchKey::Memo, row({m_txtMemo}));
    auto *bunrui = new QHBoxLayout;
    addLabelled(bunrui, m_cboJyanru, QStringLiteral("月齢"), true, this);
    addLabelled(bunrui, m_cboSyurui, QStringLiteral("種類"), true, this);
    addLabelled(bunrui, m_cboCyouri, QStringLiteral("調理方法"), true, this);
    bunrui->addStretch();
    // One click: the recipes of the child's stage by age, through the 月齢 search.
    auto *ima = makeButton(QStringLiteral("cmdIma"), QStringLiteral("いまの月齢"),
                           QStringLiteral("いまの月齢に合ったレシピを探します"), this);
    m_lblIma = new QLabel(this);
    nameValueLabel(m_lblIma, QStringLiteral("lblIma"), QStringLiteral("いまの月齢"));
    bunrui->addWidget(m_lblIma);
    bunrui->addWidget(ima);
    connect(ima, &QPushButton::clicked, this, &SearchScreen::searchStageByAge);
    addKeyGroup(grid, QStringLiteral("分類"), QStringLiteral("Bunrui"), SearchKey::Category, bunrui);
    auto *jikan = new QHBoxLayout;
    addLabelled(jikan, m_txtJikanL, QStringLiteral("分以上"), false, this);
    jikan->addSpacing(12);
    addLabelled(jikan, m_txtJikanH, QStringLiteral("分未満"), false, this);
    jikan->addStretch();
    addKeyGroup(grid, QStringLiteral("調理時間"), QStringLiteral("Jikan"), SearchKey::Time, jikan);
    auto *hyouka = new QHBoxLayout;
    addLabelled(hyouka, m_cboHyouka1, QStringLiteral("自己評価"), true, this);
    hyouka->addSpacing(12);
    addLabelled(hyouka, m_cboHyouka2, QStringLiteral("三者評価"), true, this);
    hyouka->addStretch();
    addKeyGroup(grid, QStringLiteral("評価"), QStringLiteral("Hyouka"), SearchKey::Evaluation, hyouka);
    auto *kaisu = new QHBoxLayout;
    addLabelled(kaisu, m_txtKaisuL, QStringLiteral("回以上"), false, this);
    kaisu->addSpacing(12);
    addLabelled(kaisu, m_txtKaisuH, QStringLiteral("回未満"), false, this);
    kaisu->addStretch();
    addKeyGroup(grid, QStringLiteral("調理回数"), QStringLiteral("Kaisu"), SearchKey::CookCount, kaisu);
    addKeyGroup(grid, QStringLiteral("参考文献"), QStringLiteral("Sankou"), SearchKey::Reference,
                row({m_cboSankou}));
    // Remembered on this computer: how the parent types is not a matter of the notebook.
    m_chkFold = new QCheckBox(QStringLiteral("かな・全角半角を区別しない"), this);
    nameControl(m_chkFold, QStringLiteral("chkFold"), m_chkFold->text());
    m_chkFold->setToolTip(QStringLiteral("ﾊﾟﾊﾟ・パパ・ぱぱ、ＡＢＣ・ABC を同じ文字として探します"));
    m_chkFold->setChecked(QSettings().value(QStringLiteral("recipes/searchFolded"), false).toBool());
    connect(m_chkFold, &QCheckBox::toggled, this,
            [](bool on) { QSettings().setValue(QStringLiteral("recipes/searchFolded"), on); });
    grid->addWidget(m_chkFold, grid->rowCount(), 1);
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
    m_lstKondate = new QListWidget(frame);
    nameControl(m_lstKondate, QStringLiteral("lstKondate"), QStringLiteral("検索条件一致リスト"));
    m_lstKondate->setToolTip(QStringLiteral("クリックするとレシピが表示されます"));
    m_lstKondate->setAccessibleDescription(m_lstKondate->toolTip());
    auto *inFrame = new QVBoxLayout(frame);
    inFrame->addWidget(m_lstKondate);
    connect(m_lstKondate, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { nameClicked(item->text()); });
    // Enter on a row is the keyboard's click.
    connect(m_lstKondate, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { nameClicked(item->text()); });

    m_optHide = new QRadioButton(QStringLiteral("クリック時に検索画面を隠す"), this);
    nameControl(m_optHide, QStringLiteral("optHide"), m_optHide->text());
    m_optShow = new QRadioButton(QStringLiteral("残す"), this);
    nameControl(m_optShow, QStringLiteral("optShow"), m_optShow->text());
    m_optHide->setChecked(true);
    auto *options = new QHBoxLayout;
    options->addWidget(m_optHide);
    options->addWidget(m_optShow);
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
    const std::pair<QComboBox *, QStringList> lists[] = {{m_cboJyanru, stageList()},
                                                         {m_cboSyurui, kindList()},
                                                         {m_cboCyouri, methodList()},
                                                         {m_cboHyouka1, evals},
                                                         {m_cboHyouka2, evals}};
    for (const auto &[box, entries] : lists) {
        box->clear();
        box->addItems(entries);
        box->addItem(QString()); // no condition
        box->setCurrentIndex(-1);
    }
    m_cboSankou->clear();
    m_cboSankou->addItems(m_notebook.recipes.references);
}

void SearchScreen::clearSearch()
{
    for (QLineEdit *box :
         {m_txtNamae, m_txtTukuri, m_txtMemo, m_txtJikanL, m_txtJikanH, m_txtKaisuL, m_txtKaisuH})
        box->clear();
    for (QLineEdit *box : m_txtZairyo)
        box->clear();
    m_cboSankou->setEditText(QString());
}

void SearchScreen::listAll() { setList(m_notebook.recipes.names()); }

void SearchScreen::setList(const QStringList &names)
{
    m_lstKondate->clear();
    m_lstKondate->addItems(names);
}

QStringList SearchScreen::listed() const
{
    QStringList names;
    names.reserve(m_lstKondate->count());
    for (int i = 0; i < m_lstKondate->count(); ++i)
        names.append(m_lstKondate->item(i)->text());
    return names;
}

SearchKeys SearchScreen::keys() const
{
    SearchKeys k;
    k.name = m_txtNamae->text();
    for (int i = 0; i < 5; ++i)
        k.ingredients[i] = m_txtZairyo[i]->text();
    k.steps = m_txtTukuri->text();
    k.memo = m_txtMemo->text();
    k.stage = m_cboJyanru->currentText();
    k.kind = m_cboSyurui->currentText();
    k.method = m_cboCyouri->currentText();
    k.timeLow = m_txtJikanL->text();
    k.timeHigh = m_txtJikanH->text();
    k.selfEval = m_cboHyouka1->currentText();
    k.childEval = m_cboHyouka2->currentText();
    k.countLow = m_txtKaisuL->text();
    k.countHigh = m_txtKaisuH->text();
    k.ref = m_cboSankou->currentText();
    k.folded = m_chkFold->isChecked();
    return k;
}

void SearchScreen::showStageByAge()
{
    m_lblIma->setText(weaningStageAt(m_notebook.profile.birthDate, m_notebook.clock.today()).text);
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
    m_cboJyanru->setCurrentText(s.stage);
    m_cboSyurui->setCurrentIndex(m_cboSyurui->count() - 1);
    m_cboCyouri->setCurrentIndex(m_cboCyouri->count() - 1);
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
    m_lstHokan = searchNarrow(listed(), m_notebook.recipes.names(), passes);
    showNarrowed();
}

void SearchScreen::showNarrowed()
{
    if (m_lstHokan.isEmpty())
        m_dialogs.warning(zeroResultTitle(), zeroResultText());
    else
        setList(m_lstHokan);
    m_lstHokan.clear();
}

void SearchScreen::nameClicked(const QString &name)
{
    const int p = m_notebook.recipes.find(name);
    if (p == 0)
        return;
    m_showRecipe(p);
    if (m_optHide->isChecked())
        hide();
}
