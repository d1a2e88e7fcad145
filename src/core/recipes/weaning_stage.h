#pragma once

#include <QDate>
#include <QString>

// The weaning stage a child of this age is in, after MHLW's 授乳・離乳の支援ガイド (2019):
// ゴックン期 from 5 months, モグモグ期 from 7, カミカミ期 from 9, パクパク期 from 12 until 18
// months; before 5 months "離乳食はまだ", from 18 months "幼児食". One table in the .cpp.
struct WeaningStage {
    QString name;  // the stage, "離乳食はまだ" or "幼児食"
    QString stage; // the recipe book's stage (one of stageList()), "" outside the four
    int months = -1; // whole months of age, -1 without a birth date
    QString text;  // "いまは モグモグ期（生後7か月）", "" without a birth date
};

// birthDate as stored (yyyy/mm/dd); an empty or future one gives no stage.
WeaningStage weaningStageAt(const QString &birthDate, QDate today);

