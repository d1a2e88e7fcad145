#include "profile/profile_store.h"

#include "common/delimited.h"
#include "common/numbers.h"

Profile parseProfile(const QString &text)
{
    DelimitedReader r(text);
    Profile p;
    p.nickname = r.readText();
    p.birthDate = r.readText();
    p.birthTime = r.readText();
    p.birthHeight = r.readText();
    p.birthWeight = r.readText();
    p.birthChest = r.readText();
    p.birthHead = r.readText();
    p.reserved = r.readText();
    p.targetPoint = r.readInt16();
    p.diaryPictureMode = r.readText();
    p.pictureMode = r.readText();
    return p;
}

QString parseNickname(const QString &text) { return DelimitedReader(text).readText(); }

namespace {

QString storable(const QString &value)
{
    if (value.contains(u'"'))
        return value; // cannot be quoted; written as it is, as the old files do
    const bool needsQuotes = value.contains(u',') || value.startsWith(u' ') || value.startsWith(u'\t') ||
                             value.endsWith(u' ') || value.endsWith(u'\t');
    return needsQuotes ? u'"' + value + u'"' : value;
}

} // namespace

bool readsBackWhole(const QString &value)
{
    if (value.contains(u'\r') || value.contains(u'\n'))
        return false;
    DelimitedReader reader(storable(value) + QStringLiteral("\r\n"));
    return reader.readText() == value && reader.lastEndedLine();
}

QString profileText(const Profile &p, const QString &targetPointText)
{
    const QString crlf = QStringLiteral("\r\n");
    QString s;
    for (const QString *v : {&p.nickname, &p.birthDate, &p.birthTime, &p.birthHeight, &p.birthWeight,
                             &p.birthChest, &p.birthHead, &p.reserved})
        s += storable(*v) + crlf;
    s += targetPointText + crlf;
    s += storable(p.diaryPictureMode) + crlf;
    s += storable(p.pictureMode) + crlf;
    return s;
}

QString profileText(const Profile &p) { return profileText(p, printedInteger(p.targetPoint)); }
