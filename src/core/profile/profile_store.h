#pragma once

#include "core/files/file_names.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The child's profile, ﾌﾟﾗｲﾍﾞｰﾄ.txt: eleven values, one a line. Only TargetPoint is a number;
// every other value is kept as text exactly as read.
struct Profile {
    QString nickname;    // Nickname
    QString birthDate;   // yyyy/mm/dd once a notebook was created
    QString birthTime;
    QString birthHeight; // as typed
    QString birthWeight;
    QString birthChest;
    QString birthHead;
    QString reserved;    // line 8, carried through unchanged
    qint16 targetPoint = 0;
    QString diaryPictureMode; // "写真表示" or "写真非表示"
    QString pictureMode;
};

inline QString photosShown() { return QStringLiteral("写真表示"); }
inline QString photosHidden() { return QStringLiteral("写真非表示"); }

// The values and the lines (counted from 1) that are not in the layout's form: a value with a
// comma outside quotes, or a quote that does not close on its line. Such a line is read whole
// as the value of its own line, so no later value is shifted.
struct ProfileParse {
    Profile profile;
    QList<int> badLines;
};
ProfileParse parseProfileLines(const QString &text);
// The values alone.
Profile parseProfile(const QString &text);
// The nickname as parseProfile reads it, for the splash screen.
QString parseNickname(const QString &text);

// The eleven lines with CR LF; line 9 is targetPointText as given. A value that the reader
// would cut or change (a comma, a leading quote, blanks at either end) is written between
// double quotes, which the reader strips, so that it comes back whole.
QString profileText(const Profile &profile, const QString &targetPointText);
// True when the value, written by profileText, is read back exactly and in the layout's form:
// false for a value with a line break, one that starts with a double quote, or one that holds
// a double quote and needs quoting (a comma, blanks at either end), since the file has no
// escape for a quote.
bool readsBackWhole(const QString &value);
// The profile file's form: line 9 the goal as a printed integer (" 140 ").
QString profileText(const Profile &profile);
