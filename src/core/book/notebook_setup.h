#pragma once

#include "core/files/file_names.h"

#include <QString>
#include <QStringList>

#include <memory>

class NotebookFolder;
class QLockFile;

// Where the program finds its notebook, its delivered sample and its help.
namespace notebook_setup {

// The folder given as argument; else the current folder when it holds ﾌﾟﾗｲﾍﾞｰﾄ.txt; else
// the per-user folder ($XDG_DATA_HOME/ikuji-techo, by default ~/.local/share/ikuji-techo).
QString chooseFolder(const QStringList &arguments, const QString &currentDir);
QString perUserFolder();
bool holdsNotebook(const QString &dir);

// The delivered sample notebook and help, installed or beside the sources.
QString sampleDir();
QString helpDir();

// A new per-user folder as a copy of the sample notebook. False with a reason when it failed.
bool createFromSample(const QString &target, const QString &sample, QString *error);

// The notebook of the user's own child made at target (a folder that does not exist yet, or
// an empty one), all or nothing: the profile and the first day as given, every other file
// neutral, nothing of the sample's child. With sampleRecipes the sample's recipes come along
// as a starting collection (their sources and pictures too), without their cooking history
// or evaluations. False with a reason when it could not be made; nothing is left then.
bool createOwnNotebook(const QString &target, const QString &sample, const QString &profileFileText,
                       const QString &firstDayRecord, bool sampleRecipes, QString *error);
// The number of recipes the sample offers as a starting collection.
int sampleRecipeCount(const QString &sample);

// Creates every data file the notebook needs that is missing, with neutral contents, so that
// a start never stops on a missing file. Existing files are never touched.
void createMissingFiles(const NotebookFolder &folder, const QString &sample);

// The folder object's lock and its removal of leftovers, for a folder named by its path.
std::unique_ptr<QLockFile> lockFolder(const QString &dir, QString *error);
int removeLeftovers(const QString &dir);

} // namespace notebook_setup
