#include "core/pictures/picture_import.h"

#include "core/text/cp932.h"
#include "core/files/dialogs.h"
#include "core/files/notebook_files.h"
#include "core/pictures/picture_names.h"

#include <QFileInfo>

using namespace picture_names;

QString importPicture(Dialogs &dialogs, NotebookFiles &files, const QString &sourcePath,
                      const PictureTarget &target)
{
    // The file takes the name as the register or the recipe book will read it back.
    const QString name = cp932::storedForm(target.name);
    const QString problem = nameProblem(name);
    if (!problem.isEmpty()) {
        dialogs.warning(nameProblemTitle(), problem);
        return {};
    }
    const PictureSource source = examineSource(sourcePath);
    if (source.kind == PictureSource::Kind::Unreadable) {
        dialogs.warning(unreadableTitle(), unreadableText(QFileInfo(sourcePath).fileName()));
        return {};
    }
    const QString bareName = name + source.extension;
    if (!target.confirmText.isEmpty() &&
        !dialogs.confirm(confirmTitle(), target.confirmText, Dialogs::Icon::Warning, Dialogs::Answer::Ok))
        return {};
    if (target.askOverwrite && files.folder().exists(bareName) &&
        !dialogs.confirm(QStringLiteral("上書き確認"),
                         QStringLiteral("同じ名前の画像が既に存在します。上書きしますか？"),
                         Dialogs::Icon::Warning, Dialogs::Answer::Ok))
        return {};
    const bool convert = source.kind == PictureSource::Kind::Convert;
    if (!reportWrite(dialogs, files.copyPicture(sourcePath, bareName, convert)))
        return {};
    dialogs.information(doneTitle(), target.doneText);
    return bareName;
}
