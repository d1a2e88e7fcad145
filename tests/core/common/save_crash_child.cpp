// Rewrites and appends to one file through NotebookFolder until it is killed, telling its
// parent on stdout the number of each step done; with "together", replaces three files
// together at each step, as a new notebook does.
#include "core/common/notebook_folder.h"
#include "save_crash_steps.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 3)
        return 2;
    const NotebookFolder folder(QString::fromLocal8Bit(argv[1]));
    const bool together = argc == 3 && QByteArray(argv[2]) == "together";
    const QString name = save_crash::fileName();
    for (int step = 1;; ++step) {
        QString error;
        QList<std::pair<QString, QByteArray>> files;
        for (int k = 0; k < 3; ++k)
            files.append({save_crash::togetherNames()[k], save_crash::together(step, k)});
        const bool done = together                       ? folder.saveTogether(files, &error)
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
