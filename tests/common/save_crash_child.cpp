// Rewrites and appends to one file through NotebookFolder until it is killed, telling its
// parent on stdout the number of each step done.
#include "common/notebook_folder.h"
#include "save_crash_steps.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const NotebookFolder folder(QString::fromLocal8Bit(argv[1]));
    const QString name = save_crash::fileName();
    for (int step = 1;; ++step) {
        QString error;
        const bool done = save_crash::isRewrite(step) ? folder.save(name, save_crash::version(step), &error)
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
