#include "core/recipes/weaning_stage.h"

#include "core/text/dates.h"
#include "core/recipes/recipe_store.h"

namespace {

// 授乳・離乳の支援ガイド（2019年改定版、厚生労働省）: the month each stage starts.
struct Boundary {
    int fromMonth;
    const char *name;
};
constexpr Boundary Stages[] = {
    {0, "離乳食はまだ"}, {5, "ゴックン期"}, {7, "モグモグ期"}, {9, "カミカミ期"}, {12, "パクパク期"}, {18, "幼児食"},
};

QString ageText(int months)
{
    if (months < 12)
        return QStringLiteral("生後%1か月").arg(months);
    return months % 12 == 0 ? QStringLiteral("%1歳").arg(months / 12)
                            : QStringLiteral("%1歳%2か月").arg(months / 12).arg(months % 12);
}

} // namespace

WeaningStage weaningStageAt(const QString &birthDate, QDate today)
{
    WeaningStage s;
    const QDate birth = QDate::fromString(birthDate.trimmed(), QStringLiteral("yyyy/MM/dd"));
    if (!birth.isValid() || birth > today)
        return s;
    s.months = completedMonths(birth, today);
    for (const Boundary &b : Stages)
        if (s.months >= b.fromMonth)
            s.name = QString::fromUtf8(b.name);
    s.stage = stageList().contains(s.name) ? s.name : QString();
    s.text = QStringLiteral("いまは %1（%2）").arg(s.name, ageText(s.months));
    return s;
}
