#include "core/profile/profile_store.h"

#include "core/text/delimited.h"
#include "core/text/numbers.h"

namespace {

// One line as one value: quoted whole, or plain (blanks at either end dropped). False when
// the line is not in that form; the value is then the whole line, blanks dropped.
bool lineValue(const QString &line, QString *value)
{
    const QString plain = line.trimmed();
    if (plain.startsWith(u'"')) {
        const bool closed = plain.size() >= 2 && plain.endsWith(u'"') && plain.count(u'"') == 2;
        *value = closed ? plain.mid(1, plain.size() - 2) : plain;
        return closed;
    }
    *value = plain;
    return !plain.contains(u',');
}

} // namespace

ProfileParse parseProfileLines(const QString &text)
{
    ProfileParse r;
    Profile &p = r.profile;
    QString *values[] = {&p.nickname,
                         &p.birthDate,
                         &p.birthTime,
                         &p.birthHeight,
                         &p.birthWeight,
                         &p.birthChest,
                         &p.birthHead,
                         &p.reserved,
                         nullptr, // line 9, the goal
                         &p.diaryPictureMode,
                         &p.pictureMode};
    const QStringList lines = splitLines(text);
    for (int i = 0; i < 11 && i < lines.size(); ++i) {
        if (!values[i]) {
            p.targetPoint = toInt16Clamped(numericValue(lines[i].trimmed()));
        } else if (!lineValue(lines[i], values[i])) {
            r.badLines.append(i + 1);
        }
    }
    return r;
}

Profile parseProfile(const QString &text) { return parseProfileLines(text).profile; }

// The splash and the titles read the nickname by the same rule as the rest of the profile.
QString parseNickname(const QString &text) { return parseProfileLines(text).profile.nickname; }

namespace {

QString storable(const QString &value)
{
    if (value.contains(u'"'))
        return value; // cannot be quoted; written as it is, as the old files do
    const bool needsQuotes = value.contains(u',') || value != value.trimmed(); // the reader trims every blank
    return needsQuotes ? u'"' + value + u'"' : value;
}

} // namespace

bool readsBackWhole(const QString &value)
{
    if (value.contains(u'\r') || value.contains(u'\n'))
        return false;
    Profile p;
    p.nickname = value;
    const ProfileParse back = parseProfileLines(profileText(p, QString()));
    return back.profile.nickname == value && back.badLines.isEmpty();
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
