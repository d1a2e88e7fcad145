// The recipe screen's marks: the evaluation faces, the cooking history and the reference
// sources.
#include "ui/recipes/recipe_screen.h"

#include "core/book/notebook.h"
#include "core/common/cp932.h"
#include "core/common/dates.h"
#include "core/common/dialogs.h"
#include "core/common/one_line.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

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
    if (m_lstRireki->count() == 1) {
        // The first cooking.
        m_curSelfEval = evalExcellent();
        m_curChildEval = evalExcellent();
        showFaces();
    }
    showRecipePoint();
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
