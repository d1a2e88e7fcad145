// Rewrites and appends to one file through NotebookFolder until it is killed, telling its
// parent on stdout the number of each step done; with "together", replaces three files
// together at each step, as a new notebook does; with "restore A.zip B.zip", restores the two
// zips over the notebook in turn (A at odd steps).
#include "core/backup/notebook_zip.h"
#include "core/files/notebook_folder.h"
#include "save_crash_steps.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 3 && argc != 5)
        return 2;
    const NotebookFolder folder(QString::fromLocal8Bit(argv[1]));
    const bool restore = argc == 5 && QByteArray(argv[2]) == "restore";
    const bool together = argc == 3 && QByteArray(argv[2]) == "together";
    const QString name = save_crash::fileName();
    for (int step = 1;; ++step) {
        QString error;
        QList<std::pair<QString, QByteArray>> files;
        for (int k = 0; k < 3; ++k)
            files.append({save_crash::togetherNames()[k], save_crash::together(step, k)});
        if (restore) {
            const notebook_zip::Outcome o = notebook_zip::replaceWith(QString::fromLocal8Bit(argv[step % 2 ? 3 : 4]),
                                                                      folder.dir(), QDateTime::currentDateTime());
            error = o.error;
        }
        const bool done = restore                        ? error.isEmpty()
                          : together                     ? folder.saveTogether(files, &error)
                          : save_crash::isRewrite(step) ? folder.save(name, save_crash::version(step), &error)
                                                        : folder.append(name, save_crash::record(step), &error);
        if (!done) {
            std::fprintf(stderr, "step %d failed: %s\n", step, qPrintable(error));
            return 1;
        }
        char line[16];
        const int length = std::snprintf(line, sizeof line, "%d\n", step);
        if (write(STDOUT_FILENO, line, size_t(length)) != length)
            return 1;
    }
}
