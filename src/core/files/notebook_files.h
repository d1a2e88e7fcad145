#pragma once

#include "core/files/notebook_folder.h"
#include "core/files/read_damage.h"
#include "core/files/rewrite_guard.h"

#include <QByteArray>
#include <QHash>
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

    static WriteResult failed(const QString &error) { return {false, error, {}}; }
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
    // The same bytes without remembering them: what a later save joins with stays what the
    // notebook's own table was read from. For exports and previews, which keep no table.
    QByteArray peek(const QString &bareName, bool *ok = nullptr) const;
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

    // Another computer (notebook_files_outside.cpp). Every rewrite and append first checks
    // that the file still holds what was last read or written here; when it does not, the
    // two versions are joined record by record, the user's change kept, and a version both
    // changed is kept in a dated copy beside the file.
    // The files whose bytes changed outside since this program last read or wrote them, each
    // version once; what came in is noted for takeOutsideNote.
    QStringList changedOutside();
    // The sentence for the status line about what came from elsewhere since the last call
    // ("別のパソコンでの変更を読み込みました（日記 2日分）" and the copies kept), or "";
    // taking it empties it.
    QString takeOutsideNote();
    // Called after a write that joined a version from outside: the memory of that file is
    // to be read again.
    void setOnJoined(std::function<void(const QString &bareName)> onJoined) { m_onJoined = std::move(onJoined); }
    // The copies a sync tool made of data files when both computers changed one
    // (日記.sync-conflict-….txt, 日記 (… conflicted copy …).txt), by name.
    QStringList conflictCopies() const;
    // The data file such a copy belongs to, "" for a name that is not one.
    static QString conflictCopyOf(const QString &fileName);
    // True when the copy holds what this program last wrote to its file: the other computer's
    // version won, and this program knows from which version both started.
    bool isOwnConflictCopy(const QString &copyName) const;
    // The copy joined into its file (records only in the copy added, equal ones kept once,
    // where they differ the file's record stays), then moved into a dated folder under
    // バックアップ. The note says what came in and where the copy went.
    WriteResult joinConflictCopy(const QString &copyName);
    // A record the user changed on a screen while the other computer's change to the same
    // record came in (memory took it in, the screen kept what was typed): the file as it stands
    // is kept whole in a dated copy before this side's version is saved over it, and the note
    // names the records and the copy.
    WriteResult keepOtherVersion(const QString &bareName, const QStringList &records);

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
    // What is to be written, joined with the file's present bytes when they changed outside
    // since it was read; false (with the reason) when the copy of a version both changed
    // could not be made.
    // seen, when seenKnown, is what the file held when it was compared.
    bool joinOutside(const QString &bareName, QByteArray &bytes, bool &joined, QString &error,
                     QByteArray *seen = nullptr, bool *seenKnown = nullptr);
    // bytes put in place by exchange, joined again with any version that came in meanwhile;
    // exchanged false when the folder cannot exchange (nothing written then).
    bool exchangeJoined(const QString &bareName, QByteArray &bytes, QByteArray seen, bool &joined,
                        bool &exchanged, QString &error);
    // The whole file written, joined first with what changed outside; "" or the error.
    QString saveJoined(const QString &bareName, QByteArray bytes);
    void remember(const QString &bareName, const QByteArray &bytes, bool written) const;
    void noteOutside(const QString &bareName, int records, const QStringList &conflicts, const QString &copy);

    // What this program last read or wrote of each file (lower-case names): a save checks it.
    struct Known {
        QString name;
        QByteArray bytes;   // the file as this program's memory stands on it
        bool exists = false;
        qint64 size = -1;   // and its size and time then: a watch reads only what differs
        QDateTime modified;
        qint64 bytesSize = -1;   // the size and time the file had when it held bytes: an
        QDateTime bytesModified; // append to a file that kept both needs no read to compare
        QByteArray shared;  // the last version read that this program had not written
        bool sharedKnown = false;
        QByteArray written; // the last version this program wrote
        QByteArray writtenFrom; // the last version from outside it was made from
        bool wrote = false;
    };
    // True when the file's size and time are still those it had when it held known.bytes (the
    // test the outside watch makes): what was read need not be read again to compare.
    bool unchangedSinceKnown(const Known &known) const;
    mutable QHash<QString, Known> m_known;
    QList<std::pair<QString, int>> m_outsideCounts; // per file, in the order they came
    QStringList m_outsideCopies;
    std::function<void(const QString &)> m_onJoined;

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
