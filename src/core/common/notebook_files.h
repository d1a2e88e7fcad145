#pragma once

#include "core/common/notebook_folder.h"
#include "core/common/read_damage.h"
#include "core/common/rewrite_guard.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class Clock;
class Dialogs;

// What a write of a notebook file came to, for the message the user sees.
struct WriteResult {
    bool ok = true;
    QString error;      // a sentence for the user when !ok
    QString backupName; // a copy kept before this first rewrite of a file not read whole
};

// The one way to the notebook folder's data files: every read, rewrite and append of the
// program goes through here, so that each keeps the same promises. Text is checked against
// CP932 before anything is written; a rewrite is atomic; a file that was not read whole is
// copied aside (named by the clock's time) before its first rewrite.
class NotebookFiles
{
public:
    NotebookFiles(const QString &dir, Clock &clock);

    const NotebookFolder &folder() const { return m_folder; }
    QString dir() const { return m_folder.dir(); }
    Clock &clock() const { return m_clock; }

    // The whole file; empty when it is missing (ok, when given, tells the two apart). A file
    // that is there but cannot be read (no permission, a folder of that name, a link leading
    // out of the folder) reads as empty, is never written over, and is told of once.
    QByteArray read(const QString &bareName, bool *ok = nullptr) const;
    // The messages of files that could not be read (or not as their layout says), each file
    // once; taking them empties the list.
    QStringList takeReadProblems();
    // Adds such a message, unless this file was told of already.
    void tellOnce(const QString &bareName, const QString &message) const;
    // True the first time it is asked for this key in the run: a box shown once.
    bool firstTime(const QString &key) const;
    // The whole file anew from text.
    WriteResult rewrite(const QString &bareName, const QString &text);
    // One record at the end, in one write. A file that was not read whole, or whose bytes do
    // not end exactly where its last record ends (blank lines after it, no final CR LF), is
    // first rewritten from wholeText() (the records that were read); a file of one-line
    // records whose last line has no line end gets one first. Either way the new record
    // never runs into an old one.
    WriteResult appendRecord(const QString &bareName, const QString &record,
                             const std::function<QString()> &wholeText = {});

    // Remembers a file that could not be read whole; true the first time (tell the user then).
    bool markNotWhole(const QString &bareName) { return m_guard.markNotWhole(bareName); }
    bool isNotWhole(const QString &bareName) const { return m_guard.isNotWhole(bareName); }
    // What the reader found at the end of a file of several-line records: false when the
    // bytes run on after the last record, so an append must rewrite the file first.
    void setTidy(const QString &bareName, bool tidy);

    // The message shown once when a file could not be read whole: the lines passed over and
    // the records past the capacity, each named.
    static QString notWholeMessage(const QString &bareName, int recordsRead, const QString &unit,
                                   const ReadDamage &damage = {});

    // Pictures (notebook_files_pictures.cpp). The names of the folder's files.
    QStringList fileNames() const;
    // A picture copied into the folder as bareName, replacing a file of that name: byte for
    // byte, or, with convert, decoded, turned upright and stored as JPEG. A name that could
    // reach outside the folder is refused; nothing half-written remains after a failure.
    WriteResult copyPicture(const QString &sourcePath, const QString &bareName, bool convert = false);
    // A picture of the folder moved to the user's trash; when that cannot be done, it stays.
    WriteResult removePicture(const QString &bareName);

private:
    void checkEncoding(const QString &bareName, const QByteArray &bytes) const;

    NotebookFolder m_folder;
    mutable RewriteGuard m_guard; // reads mark what they found
    QSet<QString> m_untidy; // lower-case names
    // What reads found; reading is const for the screens, these are its memory.
    mutable QSet<QString> m_unreadable; // lower-case names
    mutable QSet<QString> m_told;       // lower-case names
    mutable QStringList m_readProblems;
    Clock &m_clock;
};

// The boxes ("読み込みエラー") of the files read since the last call that could not be read,
// or not as their layout says.
void tellReadProblems(NotebookFiles &files, Dialogs &dialogs);

// The one box for a write that failed ("書き込みエラー" with the reason); returns written.ok.
bool reportWrite(Dialogs &dialogs, const WriteResult &written);
