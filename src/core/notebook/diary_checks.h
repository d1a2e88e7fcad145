#pragma once

#include "core/notebook/diary_store.h"

#include <QDate>
#include <QString>

#include <optional>

// The checks of the diary's save command, apart from the page: what was typed and the day
// table in, a refusal or the day to write out.

struct DiaryEntryTyped {
    QString date, height, weight;
    QString text; // with CR LF line ends, as stored
};

// The box that refuses a save, and the box to give the focus to.
struct DiaryRefusal {
    enum class Field { None, Height, Weight };
    QString title, text;
    Field focus = Field::None;
};

struct DiarySaveCheck {
    QString date; // the typed date as yyyy/mm/dd; empty when it is not a date
    std::optional<DiaryRefusal> refusal;
    double height = 0; // kept to 0.1 cm
    double weight = 0; // as typed; the table keeps it to the gram
    int day = 0;       // the day of that date in the table, 0 for a new one
};

// The checks in the order the user meets them: the date, not before day 1, height without
// weight, the capacity, the date's form, the last day, the 16-bit range, CP932.
DiarySaveCheck checkDiarySave(const DiaryTable &diary, const DiaryEntryTyped &typed, QDate today);
