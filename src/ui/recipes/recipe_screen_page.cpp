// The recipe screen's page: paging, the fields shown and read, 新規, 登録, 削除 and the
// picture options.
#include "ui/recipes/recipe_screen.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/text/numbers.h"
#include "core/recipes/points.h"
#include "core/recipes/recipe_checks.h"
#include "core/recipes/recipe_files.h"
#include "core/recipes/weaning_stage.h"
#include "ui/widgets/pick_combo.h"
#include "ui/widgets/picture_frame.h"
#include "ui/widgets/ui_util.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

namespace {

const QString Crlf = QStringLiteral("\r\n");

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

void tellNotWhole(const Notebook &notebook, Dialogs &dialogs, const RecipeLoad &load)
{
    if (load.firstNotWhole)
        dialogs.warning(QStringLiteral("レシピの読み込み"),
                        NotebookFiles::notWholeMessage(recipeFileName(), notebook.recipes.count(),
                                                       QStringLiteral("件"), load.damage));
}

} // namespace

void RecipeScreen::helpTour(const QString &text) { showHelpTour(m_notebook.tour, m_dialogs, text); }

int RecipeScreen::position() const { return m_recipeBar->value(); }

void RecipeScreen::setPosition(int p)
{
    if (m_recipeBar->value() == p)
        showRecipe();
    else
        m_recipeBar->setValue(p);
}

void RecipeScreen::load(bool tablesLoaded)
{
    if (!tablesLoaded)
        loadTables(m_notebook, m_dialogs);
    showStageByAge();
    showPictureMode();
    fillRecipeLists();
    showReloaded();
    setPosition(1);
}

// The picture mode as the profile holds it, shown without saving it again.
void RecipeScreen::showPictureMode()
{
    const bool shown = m_notebook.profile.pictureMode == photosShown();
    const bool changed = m_pictureFrame->isVisibleTo(this) != shown;
    {
        const QSignalBlocker blockShown(m_photosShownOption);
        const QSignalBlocker blockHidden(m_photosHiddenOption);
        m_photosShownOption->setChecked(shown);
        m_photosHiddenOption->setChecked(!shown);
    }
    m_pictureFrame->setVisible(shown);
    if (shown && changed && isVisible())
        showPicture(m_dishNameBox->currentText());
}

void RecipeScreen::fillRecipeLists()
{
    m_stageBox->clear();
    m_stageBox->addItems(stageList());
    m_kindBox->clear();
    m_kindBox->addItems(kindList());
    m_methodBox->clear();
    m_methodBox->addItems(methodList());
    // Nothing chosen until a recipe is shown: a recipe registered before a stage was picked
    // keeps an empty stage.
    for (QComboBox *box : {m_stageBox, m_kindBox, m_methodBox})
        box->setCurrentIndex(-1);
    const QString typed = m_referenceBox->currentText();
    m_referenceBox->clear();
    m_referenceBox->addItems(m_notebook.recipes.references);
    m_referenceBox->setEditText(typed);
}

void RecipeScreen::loadTables(Notebook &notebook, Dialogs &dialogs)
{
    notebook.loadReferenceList();
    const RecipeLoad load = notebook.loadRecipes();
    notebook.computeRecipeStats();
    // An empty book's points and level are those its first page shows.
    if (notebook.recipes.count() == 0)
        notebook.computeTotalPoint();
    tellNotWhole(notebook, dialogs, load);
}

// loadRecipes and computeRecipeStats with what the screen shows of them.
void RecipeScreen::reloadTables()
{
    const RecipeLoad load = m_notebook.loadRecipes();
    m_notebook.computeRecipeStats();
    showReloaded();
    tellNotWhole(m_notebook, m_dialogs, load);
}

void RecipeScreen::showReloaded()
{
    const RecipeBook &book = m_notebook.recipes;
    const QString typed = m_dishNameBox->currentText();
    m_dishNameBox->clear();
    m_dishNameBox->addItems(book.names());
    m_dishNameBox->setEditText(typed);
    {
        const QSignalBlocker block(m_recipeBar);
        m_recipeBar->setMaximum(qMax(1, book.count()));
    }
    showTotalPoint();
}

void RecipeScreen::showTotalPoint()
{
    m_pointLabel->setText(QStringLiteral("Point ") + QString::number(m_notebook.recipes.totalPoint));
}

void RecipeScreen::showRecipe()
{
    RecipeBook &book = m_notebook.recipes;
    if (book.count() == 0) {
        clearRecipePage();
        m_notebook.computeTotalPoint();
        showRecipePoint();
        const QSignalBlocker block(m_recipeBar);
        m_recipeBar->setMaximum(1);
        m_positionLabel->setText(QStringLiteral("1 / 1"));
        return;
    }
    const int p = qBound(1, m_recipeBar->value(), book.count());
    const Recipe &r = book.recipe(p);
    m_shownRecipe = r;
    m_dishNameBox->setEditText(r.name);
    m_timeEdit->setText(recipeTimeText(r.time));
    showListValue(m_stageBox, r.stage);
    showListValue(m_kindBox, r.kind);
    showListValue(m_methodBox, r.method);
    m_referenceBox->setEditText(r.ref);
    m_referenceBox->lineEdit()->setCursorPosition(0); // a long source shows from its start
    m_ingredientsEdit->setPlainText(editText(r.ingredients));
    m_stepsEdit->setPlainText(editText(r.steps));
    m_memoEdit->setPlainText(editText(r.memo));
    m_curSelfEval = r.selfEval;
    m_curChildEval = r.childEval;
    showFaces();
    m_historyList->clear();
    m_historyList->addItems(historyEntries(r.history));
    showRecipePoint();
    m_cookCountLabel->setText(QString::number(m_historyList->count()));
    m_positionLabel->setText(QStringLiteral("%1 / %2").arg(p).arg(book.count()));
    if (!m_photosHiddenOption->isChecked())
        showPicture(r.name);
}

bool RecipeScreen::changedElsewhere(const Recipe &stored) const
{
    if (stored.name != m_shownRecipe.name)
        return false;
    // The page's own cooking dates are stored as they are taken and followed in m_shownRecipe.
    return stored != m_shownRecipe;
}

void RecipeScreen::followOwnChange(const Recipe &before, const Recipe &after)
{
    if (m_shownRecipe.name != before.name)
        return;
    for (QString Recipe::*field : {&Recipe::history, &Recipe::cookCount, &Recipe::selfEval, &Recipe::childEval})
        if (m_shownRecipe.*field == before.*field)
            m_shownRecipe.*field = after.*field;
}

void RecipeScreen::clearRecipePage()
{
    m_shownRecipe = Recipe();
    const int next = m_notebook.recipes.count() + 1;
    m_dishNameBox->setEditText(QString());
    m_referenceBox->setEditText(QString());
    m_ingredientsEdit->clear();
    m_stepsEdit->clear();
    m_memoEdit->clear();
    showListValue(m_kindBox, QStringLiteral("その他"));
    showListValue(m_methodBox, QStringLiteral("その他"));
    m_caloriesEdit->clear();
    m_saltEdit->clear();
    m_timeEdit->clear();
    m_historyList->clear();
    m_cookCountLabel->setText(QStringLiteral("0"));
    m_recipePointLabel->setText(QStringLiteral("Point 2"));
    m_positionLabel->setText(QStringLiteral("%1 / %1").arg(next));
    m_curSelfEval = evalNone();
    m_curChildEval = evalNone();
    showFaces();
}

void RecipeScreen::showFaces()
{
    const int self = int(evalLetters().indexOf(m_curSelfEval));
    const int child = int(evalLetters().indexOf(m_curChildEval));
    for (int i = 0; i < 4; ++i) {
        m_selfFaces[i]->setVisible(i == self);
        m_childFaces[i]->setVisible(i == child);
    }
}

void RecipeScreen::showRecipePoint()
{
    m_recipePointLabel->setText(QStringLiteral("Point ") +
                         QString::number(pagePoints(m_curChildEval, m_historyList->count())));
}

void RecipeScreen::showPicture(const QString &dishName)
{
    m_shownPicture->showKey(m_notebook.folder(), dishName);
}

void RecipeScreen::showStageByAge()
{
    m_stageNowLabel->setText(weaningStageAt(m_notebook.profile.birthDate, m_notebook.clock.today()).text);
}

void RecipeScreen::newRecipe()
{
    clearRecipePage();
    // A new recipe is for the child as old as it is now.
    if (const QString stage = weaningStageAt(m_notebook.profile.birthDate, m_notebook.clock.today()).stage;
        !stage.isEmpty())
        m_stageBox->setCurrentText(stage);
    helpTour(
        QStringLiteral("新しいレシピを登録します。\r\n\r\n"
                       "料理名だけでも登録することができます。\r\n"
                       "料理名と同じファイル名にした画像をポポラのフォルダに入れると画像が表示されます。\r\n"
                       "必要に応じて各種情報を登録してください。\r\n\r\n"
                       "※最後に「登録」ボタンを押してください。\r\n\r\n"
                       "※入力を取り消したい場合はスクロールバーで他のレシピを表示させてください。"));
    m_dishNameBox->setFocus();
}

Recipe RecipeScreen::pageRecipe() const
{
    Recipe r;
    r.name = m_dishNameBox->currentText();
    r.stage = m_stageBox->currentText();
    r.kind = m_kindBox->currentText();
    r.method = m_methodBox->currentText();
    r.time = float(typedNumericValue(m_timeEdit->text()));
    r.selfEval = m_curSelfEval;
    r.childEval = m_curChildEval;
    r.cookCount = cookCountText(m_cookCountLabel->text());
    r.ref = m_referenceBox->currentText();
    r.ingredients = storedText(m_ingredientsEdit->toPlainText());
    r.steps = storedText(m_stepsEdit->toPlainText());
    r.memo = storedText(m_memoEdit->toPlainText());
    QStringList dates;
    for (int i = 0; i < m_historyList->count(); ++i)
        dates.append(m_historyList->item(i)->text());
    r.history = dates.join(Crlf);
    return r;
}

// A refusal's warning, and the cursor put back where it names; false when there is none.
bool RecipeScreen::refuse(const std::optional<Refusal> &refusal)
{
    if (!refusal)
        return false;
    m_dialogs.warning(refusal->title, refusal->text);
    QWidget *const fields[] = {nullptr, m_dishNameBox, m_referenceBox, m_timeEdit};
    if (QWidget *field = fields[int(refusal->focus)])
        field->setFocus();
    return true;
}

void RecipeScreen::registerRecipe()
{
    if (!storePage(pageRecipe()))
        return;
    m_dialogs.information(QStringLiteral("登録終了"), QStringLiteral("登録しました"));
    if (goalReached(m_notebook.recipes.levelPercent))
        m_dialogs.information(goalReachedTitle(), goalReachedText(m_notebook.profile.targetPoint));
}

// 登録's checks, its box (telling of the cooking date it is for, when there is one), the write
// and the stored recipe shown; false when nothing was written.
bool RecipeScreen::storePage(const Recipe &page, const QString &cookingDate)
{
    RecipeBook &book = m_notebook.recipes;
    if (!withoutGrouping(m_timeEdit->text())) {
        m_dialogs.warning(QStringLiteral("入力確認"), groupingMessage(QStringLiteral("料理時間")));
        m_timeEdit->setFocus();
        return false;
    }
    const RegisterDecision decision = checkRegistration(book, page, m_recipeBar->value());
    const QString ask = cookingDate.isEmpty()
                            ? decision.confirmText
                            : QStringLiteral("調理日 %1 を記録するため、このページを登録します。\r\n\r\n%2")
                                  .arg(cookingDate, decision.confirmText);
    if (refuse(decision.refusal) ||
        !m_dialogs.confirm(decision.confirmTitle, ask, Dialogs::Icon::Information, Dialogs::Answer::Ok))
        return false;
    WriteResult written;
    if (decision.position != 0 && changedElsewhere(book.recipe(decision.position))) {
        // The other computer changed this recipe while the page was typed over it: its
        // version stays whole in a dated copy, this page's goes into the file.
        written = m_notebook.keepOtherVersion(recipeFileName(), {page.name});
        if (!reportWrite(m_dialogs, written))
            return false;
    }
    {
        WaitPointer wait;
        written = m_notebook.saveRecipe(decision.position, page);
        reloadTables();
    }
    if (!written.ok) {
        // The tables were read back from the file, so memory still matches what is stored;
        // the typed page stays on screen.
        reportWrite(m_dialogs, written);
        return false;
    }
    {
        const QSignalBlocker block(m_recipeBar);
        m_recipeBar->setValue(decision.position == 0 ? book.count() : decision.position);
    }
    showRecipe();
    return true;
}

void RecipeScreen::deleteRecipe()
{
    const DeleteDecision decision =
        checkDeletion(m_notebook.recipes, m_dishNameBox->currentText(), m_recipeBar->value());
    if (refuse(decision.refusal) || !m_dialogs.confirm(decision.confirmTitle, decision.confirmText,
                                                       Dialogs::Icon::Warning, Dialogs::Answer::Cancel))
        return;
    const int p = decision.position;
    const int last = m_notebook.recipes.count();
    WriteResult written;
    {
        WaitPointer wait;
        written = m_notebook.deleteRecipe(p);
        reloadTables();
    }
    if (!written.ok) {
        setPosition(p);
        reportWrite(m_dialogs, written);
        return;
    }
    {
        const QSignalBlocker block(m_recipeBar);
        m_recipeBar->setValue(p == last ? p - 1 : p);
    }
    showRecipe();
    m_dialogs.information(QStringLiteral("削除終了"), QStringLiteral("削除しました"));
}

void RecipeScreen::picturesShownClicked()
{
    showPicture(m_dishNameBox->currentText());
    m_pictureFrame->setVisible(true);
    reportWrite(m_dialogs, m_notebook.setPictureMode(m_notebook.profile.pictureMode, photosShown()));
    helpTour(QStringLiteral("料理画像を表示します。\r\n\r\n"
                            "デジカメやスキャナで保存した料理画像があれば画像付きレシピが楽しめます。"));
}

void RecipeScreen::picturesHiddenClicked()
{
    m_pictureFrame->setVisible(false);
    reportWrite(m_dialogs, m_notebook.setPictureMode(m_notebook.profile.pictureMode, photosHidden()));
    helpTour(QStringLiteral("料理画像を表示しません。\r\n\r\n"
                            "料理画像をお持ちでないときはこちらのモードでどうぞ。\r\n\r\n"
                            "またレシピの表示を早くしたいときにも有効です。\r\n"
                            "画像を表示しない分速くなります。"));
}

Recipe RecipeScreen::shownRecipe() const { return pageRecipe(); }

QString RecipeScreen::shownTimeText() const { return m_timeEdit->text(); }

QImage RecipeScreen::shownPicture() const
{
    if (!m_photosShownOption->isChecked())
        return {};
    return m_shownPicture->pixmap().toImage();
}
