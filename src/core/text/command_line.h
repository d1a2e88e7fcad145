#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. Decided before QApplication exists, so that --help and
// --version answer without a display.
struct CommandLine {
    enum Action { Run, Help, Version, Error, Backup, Restore, ExportHtml, ExportPdf };
    Action action = Run;
    QString folder;   // the folder given, empty when none (for Restore: the target folder)
    QString zip;      // Backup, Restore: the zip file; ExportHtml, ExportPdf: the folder or file written
    QString from, to; // ExportHtml, ExportPdf: the period (yyyy/mm/dd, checked), "" for the diary's ends
    QString output;   // for standard output (Help, Version) or standard error (Error)
    int exitCode = 0; // the status to exit with when the action is not Run
};

// arguments without the program name, as they came in argv. Qt's own options (-platform,
// -style) are refused as unknown: QT_QPA_PLATFORM and QT_STYLE_OVERRIDE do the same.
CommandLine parseCommandLine(const QStringList &arguments);

// Why a folder given on the command line cannot be opened (for standard error, exit status
// 1), or "" when it is an existing folder. Nothing is created for a folder that is not there.
QString folderRefusal(const QString &folder);
