// The recipe screen's marks: the evaluation faces, the cooking history (saved as it changes,
// with its diary note and first foods) and the reference sources.
#include "ui/recipes/recipe_screen.h"

#include "core/book/notebook.h"
#include "core/text/cp932.h"
#include "core/text/dates.h"
#include "core/files/dialogs.h"
#include "core/text/one_line.h"
#include "core/notebook/diary_checks.h"
#include "core/recipes/cooking_history.h"
#include "core/registers/first_foods.h"
#include "ui/recipes/first_foods_window.h"
#include "ui/widgets/pick_combo.h"
#include "ui/widgets/ui_util.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>

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
    showRecipePoint();
}

void RecipeScreen::childFaceClicked(int index)
{
    if (m_curSelfEval == evalNone() || index > 2)
        return;
    static const int next[] = {1, 2, 0};
    m_curChildEval = evalLetters()[next[index]];
    showFaces();
    showRecipePoint();
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
    // The date is in レシピ.txt before the diary and the first foods hear of it.
    if (!saveCookingDate(dateText(*date)))
        return;
    if (m_noteInDiaryCheck->isChecked())
        noteCookingInDiary(dateText(*date));
    offerFirstFoods(dateText(*date));
}

// The stored recipe the page shows: the position shown while the name box holds its name, 0
// for a page not registered (a new page, or another name typed over the shown one).
int RecipeScreen::storedPosition() const
{
    const RecipeBook &book = m_notebook.recipes;
    const int p = m_recipeBar->value();
    return p >= 1 && p <= book.count() && book.recipe(p).name == m_dishNameBox->currentText() ? p : 0;
}

// The date into the recipe's history in レシピ.txt at once. A page not registered is registered
// with it (its box says so), so that a date on screen is always a date in the file.
bool RecipeScreen::saveCookingDate(const QString &date)
{
    const int p = storedPosition();
    if (p == 0)
        return storePage(withCookingDate(pageRecipe(), date), date);
    WriteResult written;
    const Recipe before = m_notebook.recipes.recipe(p);
    const Recipe after = withCookingDate(before, date);
    {
        WaitPointer wait;
        written = m_notebook.saveRecipe(p, after);
        reloadTables();
    }
    if (!reportWrite(m_dialogs, written))
        return false;
    followOwnChange(before, after);
    showStoredHistory(p, true);
    return true;
}

// The page's history as stored; the other fields keep what is typed. A first cooking just
// added shows both faces "優", as it stored them.
void RecipeScreen::showStoredHistory(int p, bool added)
{
    if (p > m_notebook.recipes.count()) { // gone with a change from another computer
        showRecipe();
        return;
    }
    const Recipe &r = m_notebook.recipes.recipe(p);
    m_historyList->clear();
    m_historyList->addItems(historyEntries(r.history));
    m_cookCountLabel->setText(QString::number(m_historyList->count()));
    if (added && m_historyList->count() == 1) {
        m_curSelfEval = evalExcellent();
        m_curChildEval = evalExcellent();
        showFaces();
    }
    showRecipePoint();
}

// 「<料理名>を作りました」 on that day's diary page, once; a day not in the diary is offered to be
// made, with the note as its text, when the diary would take that day.
void RecipeScreen::noteCookingInDiary(const QString &date)
{
    const QString dish = m_dishNameBox->currentText().trimmed();
    if (dish.isEmpty())
        return;
    const QString line = dish + QStringLiteral("を作りました");
    const Notebook::DiaryNoteResult r = m_notebook.noteInDiary(date, line);
    switch (r.outcome) {
    case Notebook::DiaryNote::Added:
    case Notebook::DiaryNote::AlreadyThere:
        return;
    case Notebook::DiaryNote::NoDay:
        makeDiaryPage(date, line);
        return;
    case Notebook::DiaryNote::Refused:
        m_dialogs.warning(QStringLiteral("日記"), r.written.ok ? r.refusal : r.written.error);
        return;
    }
}

void RecipeScreen::makeDiaryPage(const QString &date, const QString &line)
{
    Notebook &nb = m_notebook;
    const DiarySaveCheck check =
        checkDiarySave(nb.diary, {date, QString(), QString(), line}, nb.clock.today());
    if (check.refusal) {
        m_dialogs.information(
            QStringLiteral("日記"),
            QStringLiteral("%1 の日記のページがないため、日記には書きませんでした。\r\n\r\n%2")
                .arg(date, check.refusal->text));
        return;
    }
    if (!m_dialogs.confirm(QStringLiteral("日記"),
                           QStringLiteral("%1 の日記のページはまだありません。\r\n"
                                          "この日のページを作って「%2」と書きますか？")
                               .arg(date, line),
                           Dialogs::Icon::Question, Dialogs::Answer::Ok))
        return;
    WriteResult written;
    {
        WaitPointer wait;
        written = nb.addDay(check.date, 0, 0, line);
    }
    reportWrite(m_dialogs, written);
}

// Foods the ingredients name that the child has not eaten yet: recorded as first eaten on the
// cooking date when the user says so.
void RecipeScreen::offerFirstFoods(const QString &date)
{
    const QList<first_foods::Entry> eaten = first_foods::read(m_notebook.files);
    const QStringList untried = first_foods::untriedIn(m_ingredientsEdit->toPlainText(), eaten);
    if (untried.isEmpty())
        return;
    if (!m_dialogs.confirm(QStringLiteral("はじめての食材"),
                           QStringLiteral("材料の %1 は、はじめての食材にまだ登録されていません。\r\n"
                                          "%2 にはじめて食べたことにしますか？")
                               .arg(untried.join(QStringLiteral("、")), date),
                           Dialogs::Icon::Question, Dialogs::Answer::Cancel))
        return;
    const QString note = m_dishNameBox->currentText().trimmed();
    for (const QString &food : untried)
        if (!reportWrite(m_dialogs, first_foods::append(m_notebook.files, {food, date, first_foods::reactions().first(),
                                                                          note})))
            return;
    for (auto *window : findChildren<FirstFoodsWindow *>())
        window->fill();
}

// Taken out of the page; for a stored recipe out of レシピ.txt at once as well, after asking,
// since leaving the page no longer undoes it. A page not registered keeps it for 登録.
void RecipeScreen::removeHistoryEntry()
{
    const int row = m_historyList->currentRow();
    if (row < 0)
        return;
    const int p = storedPosition();
    if (p == 0) {
        delete m_historyList->takeItem(row);
        m_cookCountLabel->setText(QString::number(m_historyList->count()));
        showRecipePoint();
        return;
    }
    const QString date = m_historyList->item(row)->text();
    if (!m_dialogs.confirm(QStringLiteral("調理日の取り消し"),
                           QStringLiteral("調理日 %1 を調理実績から取り消します。").arg(date),
                           Dialogs::Icon::Warning, Dialogs::Answer::Cancel))
        return;
    const Recipe before = m_notebook.recipes.recipe(p);
    const std::optional<Recipe> updated = withoutCookingDate(before, row, date);
    if (updated) {
        WriteResult written;
        {
            WaitPointer wait;
            written = m_notebook.saveRecipe(p, *updated);
            reloadTables();
        }
        if (reportWrite(m_dialogs, written))
            followOwnChange(before, *updated);
    }
    showStoredHistory(p, false);
}

bool RecipeScreen::referenceEnter()
{
    const QString text = m_referenceBox->currentText();
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
    if (!reportWrite(m_dialogs, m_notebook.appendReference(text)))
        return true;
    m_referenceBox->addItem(text);
    m_referenceBox->setEditText(text);
    m_dialogs.information(QStringLiteral("参考リストに追加"), QStringLiteral("保存しました"));
    return true;
}
