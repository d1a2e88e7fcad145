#pragma once

#include "core/recipes/recipe_store.h"
#include "recording_printer.h"
#include "scripted_dialogs.h"
#include "test_notebook.h"
#include "ui/recipe_tools/recipe_tools.h"
#include "ui/recipes/recipe_screen.h"
#include "ui/shell/recipe_tools_hookup.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

// The recipe screen on a copy of the sample notebook (or on the recipes given), with its
// search, graph and print screens attached as the program attaches them.
struct RecipeBookScreens {
    explicit RecipeBookScreens(const QList<Recipe> &recipes = {}, bool useRecipes = false)
    {
        if (useRecipes)
            t.writeText(recipeFileName(), recipeFileText(recipes));
        t.notebook().readProfile();
        t.markFoodsEaten();
        screen = new RecipeScreen(t.notebook(), dialogs);
        screen->load();
        // The cooking note in the diary is off here (not saved as a setting).
        auto *note = screen->findChild<QCheckBox *>(QStringLiteral("chkNikki"));
        const QSignalBlocker quiet(note);
        note->setChecked(false);
        tools = attachRecipeTools(screen, t.notebook(), dialogs, printer);
    }
    ~RecipeBookScreens() { delete screen.data(); }

    // A control of the recipe screen or of a tool screen, by objectName.
    template <class T> T *get(QWidget *in, const QString &name) const
    {
        T *w = in->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    void click(QWidget *in, const QString &name) { get<QAbstractButton>(in, name)->click(); }
    void type(QWidget *in, const QString &box, const QString &text)
    {
        // Key events that carry the text, as an input method commits it (QTest::keyClicks
        // knows ASCII only).
        auto *e = get<QLineEdit>(in, box);
        e->clear();
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    Notebook &notebook() { return t.notebook(); }

    TestNotebook t;
    ScriptedDialogs dialogs;
    RecordingPrinter printer;
    QPointer<RecipeScreen> screen;
    RecipeTools *tools = nullptr;
};

// Recipes named as given, with the other columns as a fresh recipe has them.
inline QList<Recipe> recipesNamed(const QStringList &names)
{
    QList<Recipe> list;
    for (const QString &n : names) {
        Recipe r;
        r.name = n;
        r.selfEval = r.childEval = QStringLiteral("未");
        r.cookCount = QStringLiteral("0");
        list.append(r);
    }
    return list;
}
