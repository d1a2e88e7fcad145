#include "core/notebook/diary_checks.h"

#include "core/text/cp932.h"
#include "core/text/dates.h"
#include "core/text/numbers.h"

namespace {

const QString InputCheck = QStringLiteral("入力確認");

std::optional<DiaryRefusal> checkValues(const DiarySaveCheck &c, const DiaryEntryTyped &typed)
{
    using Field = DiaryRefusal::Field;
    for (auto [value, name, field] : {std::tuple{c.height, QStringLiteral("身長"), Field::Height},
                                      std::tuple{c.weight, QStringLiteral("体重"), Field::Weight}}) {
        if (!toInt16(value))
            return DiaryRefusal{
                InputCheck,
                QStringLiteral("%1の値が%2。\r\n\r\n"
                               "-32768 から 32767 までの数で入力してください。")
                    .arg(name, value < 0 ? QStringLiteral("範囲外です") : QStringLiteral("大きすぎます")),
                field};
    }
    for (const QString *t : {&typed.height, &typed.weight, &typed.text}) {
        const QString bad = cp932::firstUnencodable(*t);
        if (!bad.isEmpty())
            return DiaryRefusal{InputCheck, cp932::unencodableMessage(bad), Field::None};
    }
    return std::nullopt;
}

std::optional<DiaryRefusal> checkDate(const DiaryTable &diary, const DiarySaveCheck &c, QDate date,
                                      const DiaryEntryTyped &typed, QDate today)
{
    // Day 1 written by hand ("1995/2/15") is read by the rule for typed dates.
    std::optional<QDate> firstDay;
    if (diary.count() > 0) {
        firstDay = parseStoredDate(diary.day(1).date);
        if (!firstDay)
            firstDay = parseTypedDate(diary.day(1).date, today);
    }
    if (firstDay && date < *firstDay)
        return DiaryRefusal{QStringLiteral("日付確認"), QStringLiteral("出産日前の日付けは登録できません")};
    if (!typed.height.isEmpty() && typed.height != QLatin1String("0") &&
        (typed.weight.isEmpty() || typed.weight == QLatin1String("0")))
        return DiaryRefusal{InputCheck, QStringLiteral("身長入力時は必ず体重も入力してください。"),
                            DiaryRefusal::Field::Weight};
    if (diary.count() >= DiaryCapacity)
        return DiaryRefusal{QStringLiteral("登録上限"), QStringLiteral("登録できるのは１０９５件までです")};
    if (c.date.size() != 10 || c.date[4] != u'/' || c.date[7] != u'/')
        return DiaryRefusal{QStringLiteral("日付異常"), QStringLiteral("日付の形式に異常があります")};
    // The growth series holds 1095 days from day 1.
    if (firstDay && firstDay->daysTo(date) > DiaryCapacity - 1)
        return DiaryRefusal{QStringLiteral("日付確認"),
                            QStringLiteral("日記に登録できるのは出産日から１０９５日目（%1）までです。")
                                .arg(dateText(firstDay->addDays(DiaryCapacity - 1)))};
    return std::nullopt;
}

} // namespace

DiarySaveCheck checkDiarySave(const DiaryTable &diary, const DiaryEntryTyped &typed, QDate today)
{
    DiarySaveCheck c;
    const std::optional<QDate> date = parseTypedDate(typed.date, today);
    if (!date) {
        c.refusal = DiaryRefusal{InputCheck, QStringLiteral("その入力は日付の形式ではありません\r\n\r\n"
                                                            "2002/02/18　のように入力してみて下さい")};
        return c;
    }
    c.date = dateText(*date);
    for (auto [value, name, field] : {std::tuple{&typed.height, QStringLiteral("身長"), DiaryRefusal::Field::Height},
                                      std::tuple{&typed.weight, QStringLiteral("体重"), DiaryRefusal::Field::Weight}})
        if (!withoutGrouping(*value)) {
            c.refusal = DiaryRefusal{InputCheck, groupingMessage(name), field};
            return c;
        }
    c.height = keptHeight(typedNumericValue(typed.height));
    c.weight = typedNumericValue(typed.weight);
    c.refusal = checkDate(diary, c, *date, typed, today);
    if (!c.refusal)
        c.refusal = checkValues(c, typed);
    if (!c.refusal)
        c.day = diary.find(c.date);
    return c;
}
