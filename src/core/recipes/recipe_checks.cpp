#include "core/recipes/recipe_checks.h"

#include "core/text/cp932.h"
#include "core/text/one_line.h"
#include "core/pictures/picture_names.h"
#include "core/recipes/recipe_store.h"

#include <cmath>

namespace {

// Characters the file cannot hold are refused by name before anything is written.
std::optional<Refusal> checkStorable(const Recipe &r)
{
    for (const QString *t :
         {&r.name, &r.stage, &r.kind, &r.method, &r.ref, &r.ingredients, &r.steps, &r.memo}) {
        const QString bad = cp932::firstUnencodable(*t);
        if (!bad.isEmpty())
            return Refusal{QStringLiteral("入力確認"), cp932::unencodableMessage(bad), RecipeField::None};
    }
    const struct {
        const QString *text;
        const char16_t *caption;
        RecipeField box;
    } oneLine[] = {{&r.name, u"料理名", RecipeField::Name}, {&r.ref, u"参考", RecipeField::Reference}};
    for (const auto &f : oneLine)
        if (hasControlCharacter(*f.text))
            return Refusal{QStringLiteral("入力確認"), controlCharacterMessage(QString::fromUtf16(f.caption)),
                           f.box};
    if (!std::isfinite(r.time))
        return Refusal{QStringLiteral("入力確認"), QStringLiteral("料理時間の値が大きすぎます。"),
                       RecipeField::Time};
    return std::nullopt;
}

} // namespace

RegisterDecision checkRegistration(const RecipeBook &book, const Recipe &page, int shownPosition)
{
    RegisterDecision d;
    if (book.count() >= RecipeCapacity)
        d.refusal = Refusal{QStringLiteral("登録上限"), QStringLiteral("登録できるのは１０００件までです"),
                            RecipeField::None};
    else if (page.name.isEmpty())
        d.refusal = Refusal{QStringLiteral("料理名未記入"), QStringLiteral("料理名は必ず入力してください"),
                            RecipeField::None};
    else
        d.refusal = checkStorable(page);
    if (d.refusal)
        return d;
    // The recipe on screen is the one changed, even when another has the same name.
    const bool nameShown = shownPosition >= 1 && shownPosition <= book.count() &&
                           book.recipe(shownPosition).name == page.name;
    d.position = nameShown ? shownPosition : book.find(page.name);
    // The dish name is also its picture's file name: a new recipe gets a name that can be one.
    const QString pictureProblem = d.position == 0 ? picture_names::nameProblem(page.name) : QString();
    if (!pictureProblem.isEmpty()) {
        d.refusal = Refusal{picture_names::nameProblemTitle(),
                            pictureProblem + QStringLiteral("\r\n\r\n料理名は、その料理の画像のファイル名になります。"),
                            RecipeField::Name};
        d.position = 0;
        return d;
    }
    if (d.position == 0) {
        d.confirmTitle = QStringLiteral("新規登録確認");
        d.confirmText = QStringLiteral("新しいレシピです。新規登録します。");
    } else {
        d.confirmTitle = QStringLiteral("変更登録確認");
        d.confirmText = QStringLiteral("既存のレシピです。変更登録します。");
    }
    return d;
}

DeleteDecision checkDeletion(const RecipeBook &book, const QString &nameBoxText, int shownPosition)
{
    const bool nameShown =
        shownPosition >= 1 && shownPosition <= book.count() && book.recipe(shownPosition).name == nameBoxText;
    const int p = nameShown ? shownPosition : book.find(nameBoxText);
    DeleteDecision d;
    if (nameBoxText.isEmpty() || p == 0) {
        const QString why = nameBoxText.isEmpty()
                                ? QStringLiteral("料理名が入っていないため、削除するレシピがわかりません。")
                                : QStringLiteral("『 ") + nameBoxText +
                                      QStringLiteral(" 』というレシピは登録されていません。");
        d.refusal = Refusal{
            QStringLiteral("削除できません"),
            why + QStringLiteral("\r\n\r\n削除したいレシピを表示してから「削除」ボタンを押してください。"),
            RecipeField::None};
        return d;
    }
    d.position = p;
    d.confirmTitle = QStringLiteral("削除確認");
    d.confirmText = QStringLiteral("『 ") + nameBoxText + QStringLiteral(" 』の情報を削除します");
    return d;
}
