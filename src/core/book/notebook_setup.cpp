#include "core/book/notebook_setup.h"

#include "core/text/cp932.h"
#include "core/files/file_names.h"
#include "core/files/notebook_folder.h"
#include "core/pictures/pictures.h"
#include "core/files/user_folders.h"
#include "core/recipes/recipe_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>

namespace notebook_setup {

QString perUserFolder()
{
    const QString data = userDataFolder();
    return (data.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share") : data) +
           QStringLiteral("/ikuji-techo");
}

bool holdsNotebook(const QString &dir) { return NotebookFolder(dir).exists(profileFileName()); }

QString chooseFolder(const QStringList &arguments, const QString &currentDir)
{
    if (!arguments.isEmpty() && !arguments.first().isEmpty())
        return QFileInfo(arguments.first()).absoluteFilePath();
    if (holdsNotebook(currentDir))
        return QFileInfo(currentDir).absoluteFilePath();
    return perUserFolder();
}

static QString firstExisting(const QString &name)
{
    const QString app = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    const QStringList candidates = {
        app + QStringLiteral("/../share/ikuji-techo/") + name,
        QStringLiteral(TECHO_DATA_DIR "/") + name,
        QStringLiteral(TECHO_SOURCE_DIR "/") + name,
    };
    for (const QString &c : candidates)
        if (QFileInfo(c).isDir())
            return QDir::cleanPath(c);
    return QDir::cleanPath(candidates.last());
}

QString sampleDir() { return firstExisting(QStringLiteral("sample")); }
QString helpDir() { return firstExisting(QStringLiteral("help")); }

bool createFromSample(const QString &target, const QString &sample, QString *error)
{
    if (!QDir().mkpath(target)) {
        *error = QStringLiteral("フォルダー %1 を作れませんでした。").arg(target);
        return false;
    }
    // Through the folder object, as every write: a copy is whole or not there, and the copies
    // are the user's to write whatever the installed sample's permissions.
    const NotebookFolder folder(target);
    const QStringList names = QDir(sample).entryList(QDir::Files);
    for (const QString &name : names) {
        if (folder.exists(name))
            continue;
        QString why;
        if (!folder.saveCopyOf(name, sample + u'/' + name, &why)) {
            *error = QStringLiteral("%1 を %2 に写せませんでした（%3）。").arg(name, target, why);
            return false;
        }
    }
    return true;
}

int sampleRecipeCount(const QString &sample)
{
    return int(parseRecipes(NotebookFolder(sample).readAll(recipeFileName())).recipes.size());
}

namespace {

// The sample's recipes as a starting collection: what the sample's child ate and liked stays
// with the sample.
QString startingRecipes(const QString &sample, QStringList *names)
{
    QList<Recipe> recipes = parseRecipes(NotebookFolder(sample).readAll(recipeFileName())).recipes;
    for (Recipe &r : recipes) {
        r.history.clear();
        r.cookCount = QStringLiteral("0");
        r.selfEval = evalNone();
        r.childEval = evalNone();
        names->append(r.name);
    }
    return recipeFileText(recipes);
}

} // namespace

bool createOwnNotebook(const QString &target, const QString &sample, const QString &profileFileText,
                       const QString &firstDayRecord, bool sampleRecipes, QString *error)
{
    const QFileInfo info(target);
    const QDir::Filters everything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    if (info.exists() && (!info.isDir() || info.isSymLink() || !QDir(target).entryList(everything).isEmpty())) {
        *error = QStringLiteral("%1 にはすでにファイルがあるため、新しい育児手帖を作れませんでした。")
                     .arg(QDir::toNativeSeparators(target));
        return false;
    }
    const QString parent = info.absolutePath();
    // Made beside the target and renamed into place whole: a crash leaves no half notebook.
    if (!QDir().mkpath(parent)) {
        *error = QStringLiteral("フォルダー %1 を作れませんでした。").arg(QDir::toNativeSeparators(parent));
        return false;
    }
    QTemporaryDir temp(parent + QStringLiteral("/.ikuji-techo-new-XXXXXX"));
    if (!temp.isValid()) {
        *error = QStringLiteral("フォルダー %1 に書き込めませんでした。").arg(QDir::toNativeSeparators(parent));
        return false;
    }
    const NotebookFolder folder(temp.path());
    QStringList dishes;
    const QList<std::pair<QString, QString>> files = {
        {profileFileName(), profileFileText},
        {diaryFileName(), firstDayRecord},
        {recipeFileName(), sampleRecipes ? startingRecipes(sample, &dishes) : QString()},
    };
    for (const auto &[name, text] : files) {
        const cp932::Encoded encoded = cp932::encode(text);
        QString why;
        if (!encoded.ok || !folder.save(name, encoded.bytes, &why)) {
            *error = encoded.ok ? QStringLiteral("%1 を書き込めませんでした（%2）。").arg(name, why)
                                : cp932::unencodableMessage(encoded.badChar);
            return false;
        }
    }
    if (sampleRecipes) {
        const NotebookFolder from(sample);
        QStringList copies{referenceFileName()};
        for (const QString &dish : std::as_const(dishes))
            for (const char *ext : {".jpg", ".gif", ".bmp"})
                copies.append(dish + QLatin1String(ext));
        for (const QString &name : std::as_const(copies))
            if (NotebookFolder::isBareName(name) && from.exists(name) && !folder.saveCopyOf(name, from.pathOf(name))) {
                *error = QStringLiteral("%1 を写せませんでした。").arg(name);
                return false;
            }
    }
    createMissingFiles(folder, sample);
    if (info.exists() && !QDir().rmdir(target)) {
        *error = QStringLiteral("フォルダー %1 を使えませんでした。").arg(QDir::toNativeSeparators(target));
        return false;
    }
    if (!QDir().rename(temp.path(), target)) {
        *error = QStringLiteral("新しい育児手帖を %1 に置けませんでした。").arg(QDir::toNativeSeparators(target));
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

std::unique_ptr<QLockFile> lockFolder(const QString &dir, QString *error)
{
    return NotebookFolder(dir).lock(error);
}

int removeLeftovers(const QString &dir) { return NotebookFolder(dir).removeLeftovers(); }

void createMissingFiles(const NotebookFolder &folder, const QString &sample)
{
    for (const DataFile &file : dataFiles())
        if (file.createdWhenMissing && !folder.exists(file.name))
            folder.save(file.name, cp932::encode(file.neutral).bytes);
    if (!folder.exists(pictures::placeholderName())) {
        const QString from = NotebookFolder(sample).pathOf(pictures::placeholderName());
        if (QFileInfo::exists(from))
            folder.saveCopyOf(pictures::placeholderName(), from);
    }
}

} // namespace notebook_setup
