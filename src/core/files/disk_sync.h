#pragma once

#include <QString>

// Everything written under dir put on the disk with one wait: the file system that holds it
// is synced once (its files' data and names alike), so a folder written file by file is made
// durable before the rename that shows it, without a wait for each file. "" when done, else
// the reason.
QString syncToDisk(const QString &dir);
