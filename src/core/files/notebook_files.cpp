#include "core/files/notebook_files.h"
#include "core/files/record_merge.h"

#include "core/files/clock.h"
#include "core/text/cp932.h"
#include "core/files/dialogs.h"

#include <QFileInfo>

#include <utility>

NotebookFiles::NotebookFiles(const QString &dir, Clock &clock) : m_folder(dir), m_clock(clock) {}

QByteArray NotebookFiles::read(const QString &bareName, bool *ok) const
{
    bool found = false;
    QByteArray bytes = m_folder.readAll(bareName, &found);
    if (ok)
        *ok = found;
    const QString key = bareName.toLower();
    if (found || !m_folder.exists(bareName)) {
        m_unreadable.remove(key);
        remember(bareName, found ? bytes : QByteArray(), false);
        if (!found)
            m_known[key].exists = false;
        if (found)
            checkEncoding(bareName, bytes);
        return bytes;
    }
    m_unreadable.insert(key);
    QString why = m_folder.refusal(bareName);
    if (why.isEmpty())
        why = QFileInfo(m_folder.pathOf(bareName)).isDir()
                  ? QStringLiteral("%1 という名前のフォルダーがあります。").arg(bareName)
                  : QStringLiteral("%1 を読み込めませんでした（読み取りの権限がありません）。").arg(bareName);
    tellOnce(bareName, why + QStringLiteral("\r\n\r\nこのファイルの中身は表示されません。"
                                            "元のファイルを守るため、書き込みもしません。"));
    return {};
}

QByteArray NotebookFiles::peek(const QString &bareName, bool *ok) const
{
    bool found = false;
    QByteArray bytes = m_folder.readAll(bareName, &found);
    if (ok)
        *ok = found;
    return found ? bytes : QByteArray();
}

// A file saved in another encoding (or with bytes CP932 cannot hold) is told of once, and
// copied aside before the program first rewrites it.
void NotebookFiles::checkEncoding(const QString &bareName, const QByteArray &bytes) const
{
    const cp932::Looks looks = cp932::looksLike(bytes);
    if (looks == cp932::Looks::Cp932)
        return;
    m_guard.markCopyFirst(bareName);
    const QString what =
        looks == cp932::Looks::Utf8
            ? QStringLiteral("%1 は UTF-8 で保存されているようです（育児手帖のファイルはシフトJISです）。\r\n"
                             "文字が正しく表示されないことがあります。")
        : looks == cp932::Looks::Utf16
            ? QStringLiteral("%1 は UTF-16 で保存されているようです（育児手帖のファイルはシフトJISです）。\r\n"
                             "中身を正しく読めません。")
            : QStringLiteral("%1 にはシフトJISとして読めないバイトがあります。\r\n"
                             "読めないところは、そのままの形で残します。");
    tellOnce(bareName, what.arg(bareName) + QStringLiteral("\r\n\r\nこのファイルを書き換える前に、元のファイルを同じフォルダーに"
                                                           "日付付きの控え（.bak）として残します。"));
}

void NotebookFiles::tellOnce(const QString &bareName, const QString &message) const
{
    if (firstTime(bareName.toLower()))
        m_readProblems.append(message);
}

bool NotebookFiles::firstTime(const QString &key) const
{
    if (m_told.contains(key))
        return false;
    m_told.insert(key);
    return true;
}

QStringList NotebookFiles::takeReadProblems() { return std::exchange(m_readProblems, {}); }

namespace {

constexpr auto failed = &WriteResult::failed;

QString notWritten(const QString &bareName, const QString &error)
{
    return QStringLiteral("%1 に書き込めませんでした。\r\n（%2）").arg(bareName, error);
}

QString unreadableNotWritten(const QString &bareName)
{
    return QStringLiteral("%1 は読み込めなかったため、書き込みません（元のファイルを守るため）。\r\n"
                          "ファイルの権限と名前を確かめてから、育児手帖を開き直してください。")
        .arg(bareName);
}

} // namespace

WriteResult NotebookFiles::rewrite(const QString &bareName, const QString &text)
{
    if (m_unreadable.contains(bareName.toLower()))
        return failed(unreadableNotWritten(bareName));
    const cp932::Encoded encoded = cp932::encode(text);
    if (!encoded.ok)
        return failed(cp932::unencodableMessage(encoded.badChar));
    WriteResult r;
    if (!m_guard.beforeRewrite(m_folder, bareName, m_clock.now(), &r.backupName))
        return failed(QStringLiteral("%1 の控えを作れなかったため、書き込みを取りやめました。\r\n"
                                     "フォルダーの空き容量と書き込み権限を確かめてください。")
                          .arg(bareName));
    const QString error = saveJoined(bareName, encoded.bytes);
    return error.isEmpty() ? r : failed(error);
}

QString NotebookFiles::saveJoined(const QString &bareName, QByteArray bytes)
{
    bool joined = false;
    QString error;
    QByteArray seen;
    bool seenKnown = false;
    if (!joinOutside(bareName, bytes, joined, error, &seen, &seenKnown))
        return error;
    bool exchanged = false;
    if (seenKnown && !exchangeJoined(bareName, bytes, seen, joined, exchanged, error))
        return notWritten(bareName, error);
    if (!exchanged && !m_folder.save(bareName, bytes, &error))
        return notWritten(bareName, error);
    remember(bareName, bytes, true);
    if (joined && m_onJoined)
        m_onJoined(bareName);
    return {};
}

bool NotebookFiles::exchangeJoined(const QString &bareName, QByteArray &bytes, QByteArray seen, bool &joined,
                                   bool &exchanged, QString &error)
{
    // Another program may rename its version into place between the read that joined it and
    // this write: the exchange hands back what it replaced, and a version that is not the one
    // joined is joined in turn and written again, a few times at most. Then it stays whole in
    // a dated copy: the bytes replaced are always bytes that were joined or kept.
    constexpr int Rounds = 8;
    const record_merge::Kind kind = record_merge::kindOf(bareName);
    for (int round = 0; round < Rounds; ++round) {
        QByteArray replaced;
        const NotebookFolder::Exchange how = m_folder.exchange(bareName, bytes, &replaced, &error);
        if (how == NotebookFolder::Exchange::NotAvailable)
            return true; // the plain save, as before
        if (how == NotebookFolder::Exchange::Failed)
            return false;
        exchanged = true;
        if (replaced == seen)
            return true;
        const bool last = round == Rounds - 1;
        const record_merge::Outcome outcome = record_merge::merge3(kind, seen, bytes, replaced);
        QString copy;
        if (!outcome.conflicts.isEmpty() || last) {
            copy = m_folder.keepBackupOf(bareName, replaced, m_clock.now());
            if (copy.isEmpty()) {
                error = QStringLiteral("別のパソコンからの内容の控えを作れませんでした。");
                return false;
            }
        }
        Known &k = m_known[bareName.toLower()];
        k.shared = replaced;
        k.sharedKnown = true;
        joined = true;
        noteOutside(bareName, outcome.fromElsewhere, last ? QStringList{bareName} : outcome.conflicts, copy);
        if (last)
            return true; // the file holds bytes, the other version is in the copy
        seen = bytes;
        bytes = outcome.bytes;
    }
    return true;
}

WriteResult NotebookFiles::appendRecord(const QString &bareName, const QString &record,
                                        const std::function<QString()> &wholeText)
{
    if (m_unreadable.contains(bareName.toLower()))
        return failed(unreadableNotWritten(bareName));
    const cp932::Encoded encoded = cp932::encode(record);
    if (!encoded.ok)
        return failed(cp932::unencodableMessage(encoded.badChar));
    WriteResult first;
    if (wholeText && (isNotWhole(bareName) || m_untidy.contains(bareName.toLower()))) {
        first = rewrite(bareName, wholeText());
        if (!first.ok)
            return first;
        m_untidy.remove(bareName.toLower());
    }
    const auto known = m_known.find(bareName.toLower());
    const bool unchanged = known != m_known.end() && unchangedSinceKnown(*known);
    // The file's last byte is the last byte known when nothing changed it since.
    const bool endsWithLineBreak = unchanged ? known->bytes.isEmpty() || known->bytes.endsWith('\n') ||
                                                   known->bytes.endsWith('\r')
                                             : m_folder.endsWithLineBreak(bareName);
    const QByteArray bytes = endsWithLineBreak ? encoded.bytes : "\r\n" + encoded.bytes;
    if (known != m_known.end() && !unchanged) {
        // Changed outside since it was read: the record joins the file's present records.
        bool found = false;
        const QByteArray now = m_folder.readAll(bareName, &found);
        if (found != known->exists || now != known->bytes) {
            const QByteArray before = known->bytes;
            const QString error =
                saveJoined(bareName, before + (before.isEmpty() || before.endsWith('\n') ? encoded.bytes : bytes));
            return error.isEmpty() ? first : failed(error);
        }
    }
    QString error;
    if (!m_folder.append(bareName, bytes, &error))
        return failed(notWritten(bareName, error));
    if (known != m_known.end()) {
        // Grown in place: a long file appended to again and again is not copied each time.
        QByteArray grown = std::exchange(known->bytes, {});
        known->written = {};
        grown += bytes;
        remember(bareName, grown, true);
    }
    return first;
}

bool NotebookFiles::unchangedSinceKnown(const Known &known) const
{
    if (!known.exists || known.bytesSize < 0)
        return false;
    const QFileInfo info(m_folder.pathOf(known.name));
    return info.exists() && info.size() == known.bytesSize && info.lastModified() == known.bytesModified;
}

void NotebookFiles::setTidy(const QString &bareName, bool tidy)
{
    if (tidy)
        m_untidy.remove(bareName.toLower());
    else
        m_untidy.insert(bareName.toLower());
}

QString NotebookFiles::notWholeMessage(const QString &bareName, int recordsRead, const QString &unit,
                                      const ReadDamage &damage)
{
    QString text;
    if (!damage.skipped.isEmpty())
        text += QStringLiteral("%1 に読み込めない行がありました（%2）。\r\n"
                               "その行を飛ばして、読み込めた %3 %4分を表示します。\r\n")
                    .arg(bareName, damage.skippedText())
                    .arg(recordsRead)
                    .arg(unit);
    if (damage.beyondCount > 0) {
        QStringList names = damage.beyondNames.mid(0, 5);
        if (damage.beyondNames.size() > 5)
            names.append(QStringLiteral("ほか"));
        text += QStringLiteral("%1 には上限の %2 %3を超える記録があります。\r\n"
                               "%4 %3目から後の %5 %3分（%6）は表示しませんが、"
                               "ファイルにはそのまま残します。\r\n")
                    .arg(bareName)
                    .arg(recordsRead)
                    .arg(unit)
                    .arg(recordsRead + 1)
                    .arg(damage.beyondCount)
                    .arg(names.join(QStringLiteral("、")));
    }
    if (text.isEmpty())
        text = QStringLiteral("%1 を最後まで読み込めませんでした。\r\n"
                              "読み込めた %2 %3分を表示します。\r\n")
                   .arg(bareName)
                   .arg(recordsRead)
                   .arg(unit);
    return text + QStringLiteral("\r\nこのファイルを書き換える前に、元のファイルを同じフォルダーに日付付きの控え（."
                                 "bak）として残します。");
}

void tellReadProblems(NotebookFiles &files, Dialogs &dialogs)
{
    for (const QString &problem : files.takeReadProblems())
        dialogs.warning(QStringLiteral("読み込みエラー"), problem);
}

bool reportWrite(Dialogs &dialogs, const WriteResult &written)
{
    if (!written.ok)
        dialogs.warning(QStringLiteral("書き込みエラー"), written.error);
    return written.ok;
}
