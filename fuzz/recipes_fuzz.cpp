// レシピ.txt: any bytes read without harm; the recipes read, saved whole or with one left
// out, read back the same; a recipe appended to a file that may be appended to reads back.
#include "core/recipes/recipe_store.h"
#include "fuzz_check.h"

namespace {

RecipeParse resave(const RecipeParse &read) { return parseRecipes(savedBytes(recipeFileText(read.recipes))); }

// The form a deletion writes (empty sections as one empty line), the first recipe left out.
RecipeParse resaveDeleting(const RecipeParse &read)
{
    RecipeParse back = parseRecipes(savedBytes(recipeFileText(read.recipes, 1)));
    back.recipes.prepend(read.recipes.first());
    return back;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const RecipeParse read = parseRecipes(bytes);
    require(read.recipes.size() <= RecipeCapacity, "no more recipes than the capacity");

    const auto [before, after] = roundTrip(bytes, read, resave);
    require(after.whole && after.tidy, "saved recipes read whole and may be appended to");
    require(after.recipes == before.recipes, "saved recipes read back the same");
    if (read.recipes.isEmpty())
        return 0;

    const auto [kept, rest] = roundTrip(bytes, read, resaveDeleting);
    require(rest.whole && rest.recipes == kept.recipes, "the recipes saved by a deletion read back");

    if (read.tidy && read.recipes.size() < RecipeCapacity) {
        const Recipe &last = read.recipes.last();
        const RecipeParse appended = parseRecipes(bytes + savedBytes(recipeRecordText(last)));
        require(appended.whole && appended.recipes.size() == read.recipes.size() + 1 &&
                    appended.recipes.mid(0, read.recipes.size()) == read.recipes,
                "a recipe appended leaves the recipes before it as they were");
        if (!holdsKeptLeadByte(recipeRecordText(last)))
            require(appended.recipes.last() == last, "an appended recipe reads back");
    }
    return 0;
}
