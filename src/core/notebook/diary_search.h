#pragma once

#include <QString>
#include <QStringList>

class DiaryTable;

// The diary panel's text search: the days whose text contains needle, in table (date) order,
// each as its date, an ideographic space and the first 25 characters of its text. Exact
// matching unless folded, which finds the words whatever their width or kana.
QStringList diarySearchLines(const DiaryTable &diary, const QString &needle, bool folded);
