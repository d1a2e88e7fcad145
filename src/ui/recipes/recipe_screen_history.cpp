// The recipe screen's marks: the evaluation faces, the cooking history and the reference
// sources.
#include "ui/recipes/recipe_screen.h"

#include "core/book/notebook.h"
#include "core/common/cp932.h"
#include "core/common/dates.h"
#include "core/common/dialogs.h"
#include "core/common/one_line.h"
#include "core/registers/first_foods.h"
#include "ui/recipes/first_foods_window.h"
#include "ui/widgets/pick_combo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

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
    m_lstRireki->addItem(dateText(*date));
    m_lblKaisu->setText(QString::number(m_lstRireki->count()));
    if (m_chkNikki->isChecked())
        noteCookingInDiary(dateText(*date));
    offerFirstFoods(dateText(*date));
    if (m_lstRireki->count() == 1) {
        // The first cooking.
        m_curSelfEval = evalExcellent();
        m_curChildEval = evalExcellent();
        showFaces();
    }
    showRecipePoint();
}

// 「<料理名>を作りました」 on that day's diary page, once; a day not in the diary is only told of.
void RecipeScreen::noteCookingInDiary(const QString &date)
{
    const QString dish = m_cboNamae->currentText().trimmed();
    if (dish.isEmpty())
        return;
    const Notebook::DiaryNoteResult r = m_notebook.noteInDiary(date, dish + QStringLiteral("を作りました"));
    switch (r.outcome) {
    case Notebook::DiaryNote::Added:
    case Notebook::DiaryNote::AlreadyThere:
        return;
    case Notebook::DiaryNote::NoDay:
        m_dialogs.information(QStringLiteral("日記"),
                              QStringLiteral("%1 の日記のページがないため、日記には書きませんでした。").arg(date));
        return;
    case Notebook::DiaryNote::Refused:
        m_dialogs.warning(QStringLiteral("日記"), r.written.ok ? r.refusal : r.written.error);
        return;
    }
}

// Foods the ingredients name that the child has not eaten yet: recorded as first eaten on the
// cooking date when the user says so.
void RecipeScreen::offerFirstFoods(const QString &date)
{
    const QList<first_foods::Entry> eaten = first_foods::read(m_notebook.files);
    const QStringList untried = first_foods::untriedIn(m_txtZairyou->toPlainText(), eaten);
    if (untried.isEmpty())
        return;
    if (!m_dialogs.confirm(QStringLiteral("はじめての食材"),
                           QStringLiteral("材料の %1 は、はじめての食材にまだ登録されていません。\r\n"
                                          "%2 にはじめて食べたことにしますか？")
                               .arg(untried.join(QStringLiteral("、")), date),
                           Dialogs::Icon::Question, Dialogs::Answer::Cancel))
        return;
    const QString note = m_cboNamae->currentText().trimmed();
    for (const QString &food : untried)
        if (!reportWrite(m_dialogs, first_foods::append(m_notebook.files, {food, date, first_foods::reactions().first(),
                                                                          note})))
            return;
    for (auto *window : findChildren<FirstFoodsWindow *>())
        window->fill();
}

void RecipeScreen::removeHistoryEntry()
{
    const int row = m_lstRireki->currentRow();
    if (row < 0)
        return;
    delete m_lstRireki->takeItem(row);
    m_lblKaisu->setText(QString::number(m_lstRireki->count()));
    showRecipePoint();
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
    if (!reportWrite(m_dialogs, m_notebook.appendReference(text)))
        return true;
    m_cboSankou->addItem(text);
    m_cboSankou->setEditText(text);
    m_dialogs.information(QStringLiteral("参考リストに追加"), QStringLiteral("保存しました"));
    return true;
}
