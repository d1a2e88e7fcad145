#pragma once

#include "core/notebook/growth_reference.h"

#include <QList>

#include <array>
#include <optional>

// The percentiles of the Japanese survey of 2023 (令和5年乳幼児身体発育調査, こども家庭庁), weight
// and length by sex, as the 母子健康手帳 draws them. The survey gives points at birth and at day
// 30, then bands of completed months ([1, 2) to [11, 12), then half-years to [36, 42)); each band's
// values stand at the middle of its range and the curve runs straight from point to point.

// The percentile lines the survey gives, in order.
constexpr std::array<int, 7> JapanPercentiles{3, 10, 25, 50, 75, 90, 97};

// One point of a curve: the age in days and the seven values there, in grams for weight (the
// table gives kilograms) and centimetres for length.
struct JapanCurvePoint {
    double ageDays = 0;
    std::array<double, 7> values{};
};

// The points of one measure and sex in age order. Empty for Sex::None, and for every measure
// when the compiled table cannot be read whole (the chart then draws no Japanese bands).
const QList<JapanCurvePoint> &japanCurve(GrowthMeasure kind, Sex sex);

// The seven values at an age in days, interpolated linearly between the points around it; empty
// before birth and after the last band's middle.
std::optional<std::array<double, 7>> japanPercentiles(GrowthMeasure kind, Sex sex, double ageDays);

// Where a value stands against the 3rd and 97th lines, as the handbook reads its curves:
// "3パーセンタイル未満", "97パーセンタイルを超える", or "3〜97パーセンタイルの間" (the lines themselves
// count as inside).
QString japanStandingWords(const std::array<double, 7> &values, double value);
