#include "core/pictures/picture_names.h"

#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>

#include <algorithm>

namespace picture_names {

QString dayPhotoKey(const QString &dateText, int slot)
{
    const QString key = dateText.mid(0, 4) + dateText.mid(5, 2) + dateText.mid(8, 2);
    return slot == 0 ? key : key + u'_' + QString::number(slot);
}

QString albumPhotoKey(int group, int number)
{
    return QStringLiteral("Photo%1_%2").arg(group).arg(number, 3, 10, QLatin1Char('0'));
}

bool inAlbumGroup(const QString &fileName, int group)
{
    return fileName.startsWith(QStringLiteral("PHOTO") + QString::number(group), Qt::CaseInsensitive);
}

QStringList albumGroupFiles(const QStringList &folderFiles, int group)
{
    QStringList files;
    for (const QString &name : folderFiles)
        if (inAlbumGroup(name, group))
            files.append(name);
    std::sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return files;
}

int nextAlbumNumber(const QStringList &groupFiles, int group)
{
    // The digits after "PhotoG_"; a name without them counts as 0.
    const int start = int(QStringLiteral("Photo_").size()) + int(QString::number(group).size());
    int highest = 0;
    for (const QString &name : groupFiles) {
        int end = start;
        while (end < name.size() && name[end].isDigit() && name[end].unicode() < 128)
            ++end;
        bool ok = false;
        const int n = name.mid(start, end - start).toInt(&ok);
        if (ok)
            highest = std::max(highest, n);
    }
    return highest + 1;
}

QString nameProblem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("名前が空のため、画像を取り込めません。\r\n先に名前を入力してください。");
    const QString head = QStringLiteral("「%1」は画像のファイル名にできません。\r\n").arg(name);
    if (name == QStringLiteral(".") || name == QStringLiteral(".."))
        return head + QStringLiteral("「.」や「..」だけの名前は使えません。");
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return head + QStringLiteral("改行などの制御文字は使えません。");
        if (QStringLiteral("/\\:*?\"<>|").contains(c))
            return head + QStringLiteral("「%1」はファイル名に使えない文字です。").arg(c);
    }
    // Windows gives these names to devices, whatever the case and the extension: a copy of the
    // folder made there could not hold the picture.
    static const QRegularExpression reserved(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])\\s*(\\..*)?$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(name).hasMatch())
        return head + QStringLiteral("「%1」は Windows が装置の名前に使うため、ファイル名にできません。")
                          .arg(name.section(u'.', 0, 0).trimmed());
    // Most file systems take 255 bytes; the extension needs four of them.
    if (name.toUtf8().size() > 250)
        return head + QStringLiteral("名前が長すぎます。");
    return {};
}

PictureSource examineSource(const QString &path)
{
    // A pipe or a device chosen in the picker would never give an end.
    if (!QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    if (!reader.canRead())
        return {};
    const QByteArray format = reader.format().toLower();
    const QString own = QFileInfo(path).fileName().right(4);
    for (const char *kept : {"jpeg", "gif", "bmp"}) {
        if (format != kept)
            continue;
        const QString ext = format == "jpeg" ? QStringLiteral(".jpg") : u'.' + QString::fromLatin1(format);
        // The extension keeps the letter case it had (IMG_0001.JPG gives .JPG).
        return {PictureSource::Kind::Copy, own.compare(ext, Qt::CaseInsensitive) == 0 ? own : ext};
    }
    return {PictureSource::Kind::Convert, QStringLiteral(".jpg")};
}

QString unreadableTitle() { return QStringLiteral("画像確認"); }

QString unreadableText(const QString &fileName)
{
    return QStringLiteral("%1 は画像として読み込めないため、取り込めません。\r\n"
                          "jpg/gif/bmp などの画像ファイルを選んでください。")
        .arg(fileName);
}

QString pickerHelpText(const QString &intro)
{
    return intro + QStringLiteral("\r\n\r\n"
                                  "①まずは画像が保存されているドライブ名を指定します。\r\n"
                                  "②次に画像が保存されているフォルダ名を指定します。\r\n"
                                  "③次に取り込みたい画像ファイル名を指定します。\r\n"
                                  "④最後に「画像を取り込む」ボタンを押してください。\r\n\r\n"
                                  "※キャンセルボタンは画像を取り込む前に有効です。");
}

QString slotButtonName(int slot)
{
    return slot == 0 ? QStringLiteral("メインボタン") : QString::number(slot) + QStringLiteral("ボタン");
}

QString confirmTitle() { return QStringLiteral("コピー確認"); }

QString dayConfirmText(const QString &dateText, int slot)
{
    if (slot == 0)
        return dateText + QStringLiteral("のメインはこの画像でＯＫですか？");
    return dateText + u'の' + QString::number(slot) + QStringLiteral("はこの画像でＯＫですか？");
}

QString namedConfirmText(const QString &name) { return name + QStringLiteral("はこの画像でＯＫですか？"); }

QString doneTitle() { return QStringLiteral("コピー終了"); }

} // namespace picture_names
