#pragma once

#include <QDate>
#include <QList>
#include <QString>

class Notebook;
class Printer;

// 母子手帳に書き写す: for one age of the 母子健康手帳's pages, what the notebook knows that the
// handbook asks there — the check-up of that age, the diary's height and weight nearest it, the
// vaccinations given by its end and the firsts reached by then — on one A4 page.
namespace handbook_copy {

// An age of the handbook's pages and the completed months it spans ("6〜7か月": 6 to 7).
struct Age {
    QString label;
    int fromMonths = 0;
    int toMonths = 0;
};
// 1か月, 3〜4か月, 6〜7か月, 9〜10か月, 1歳, 1歳6か月, 2歳, 3歳.
const QList<Age> &ages();
// The index of the age a child born on birth is at today, or the last one passed (0 before
// the first).
int ageNow(QDate birth, QDate today);

// One line of a part of the page: a caption and its value.
struct Line {
    QString caption;
    QString value;
};
struct Sheet {
    QString label;            // the age: 6〜7か月
    QString title;            // 母子手帳に書き写す（6〜7か月のころ）
    QString child;            // ももちゃん　2025/06/10 生まれ
    QString period;           // 2025/12/10〜2026/02/09
    QList<Line> checkups;     // the check-ups of the age (two computers may give two)
    QList<Line> measures;     // the diary's height and weight nearest the middle of the age
    QList<Line> vaccinations; // each dose given by the age's last day
    QList<Line> milestones;   // each first reached by then, with the age that day
};

// The sheet from the notebook's tables; empty with refusal set when the birth date is not
// a date the notebook can count from.
Sheet sheetFor(const Notebook &notebook, const Age &age, QString *refusal);

// The sheet on one A4 page. Returns what Printer::end says ("" after a printer), or the error.
QString print(Printer &printer, const Sheet &sheet);

} // namespace handbook_copy
