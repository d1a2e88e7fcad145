// A zip to restore: any bytes are refused or restored, never a crash, and nothing is ever
// written outside the folder restored into.
#include "core/backup/notebook_zip.h"
#include "fuzz_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString zip = dir.filePath(QStringLiteral("in.zip"));
    QFile file(zip);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytesOf(data, size)) == qint64(size),
            "the bytes are written");
    file.close();
    const QString target = dir.filePath(QStringLiteral("restored"));
    const notebook_zip::Outcome o = notebook_zip::restoreInto(zip, target, {}, qint64(64) << 20);
    // Beside the zip only the restored folder, and that only when the restore went through.
    const QStringList here = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    require(here == (o.ok ? QStringList{QStringLiteral("in.zip"), QStringLiteral("restored")}
                          : QStringList{QStringLiteral("in.zip")}),
            "nothing is written beside the target, and a refusal writes nothing");
    QDir(target).removeRecursively();
    return 0;
}
