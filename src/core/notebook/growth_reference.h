#pragma once

#include <QDate>
#include <QList>
#include <QPointF>
#include <QString>

#include <optional>

// The growth chart's reference bands. The WHO Child Growth Standards (2006): weight-for-age and
// length/height-for-age, boys and girls, birth to 60 months, from the monthly LMS tables compiled
// in from data/who-growth. The Japanese survey of 2023 (令和5年乳幼児身体発育調査) the 母子健康手帳
// draws: its percentiles compiled in from data/japan-growth (japan_growth.h). Each table is read
// once, on first use.

enum class Sex { None, Boy, Girl };
enum class GrowthMeasure { Weight, Height };
// Which curves the chart draws and the standing text uses; the handbook's are the default.
enum class GrowthReference { Japan2023, Who2006 };

// The Box-Cox parameters of one age. M is in the diary's units: grams for weight (the tables
// give kilograms), centimetres for height.
struct Lms {
    double l = 1;
    double m = 0;
    double s = 0;
};

// Month m of the tables is day m * DaysPerMonth of age.
constexpr double DaysPerMonth = 30.4375;
// The last whole day of age the tables reach (60 months is day 1826.25).
constexpr int ReferenceLastDay = 1826;
// The z-scores of the 3rd and 97th percentiles.
constexpr double ZP3 = -1.8807936081512509;
constexpr double ZP97 = 1.8807936081512509;

// L, M and S at an age in days, each interpolated linearly between the monthly rows around it.
// Height uses the length rows (measured lying down) before 24 months and the height rows
// (standing) from 24 months on. Empty for Sex::None and for an age outside 0 to 60 months.
std::optional<Lms> referenceLms(GrowthMeasure kind, Sex sex, double ageDays);

// The measurement at z-score z.
double lmsValue(const Lms &lms, double z);
// The z-score of a measurement; empty for a value that is not positive.
std::optional<double> lmsZScore(const Lms &lms, double value);
// The percentile (0 to 100) of a z-score.
double percentileOfZ(double z);

// The band of one measure along the chart's day axis: a point per diary day whose age lies in
// 0 to ReferenceLastDay, x as the chart counts days (0 for day 1), y in grams or centimetres.
struct ReferenceBand {
    QList<QPointF> p3;
    QList<QPointF> p50;
    QList<QPointF> p97;
};

// The band over `days` diary days from firstDay. Day d is birth.daysTo(firstDay) + d - 1 days
// old; without a valid birth date (or first day), day 1 is taken as the birth day. Empty for
// Sex::None. The Japanese curves reach to the middle of their last band (3歳3か月).
ReferenceBand referenceBand(GrowthMeasure kind, Sex sex, QDate firstDay, int days, QDate birth,
                            GrowthReference reference = GrowthReference::Who2006);

// Age in completed calendar months, as the chart's axis counts them: "0か月", "5か月",
// "1歳0か月", "1歳2か月". Empty when `on` is before `birth` or either is invalid.
QString ageMonthsText(QDate birth, QDate on);

// Where a z-score stands in words: "3パーセンタイル未満", "97パーセンタイル超", or the nearest
// percentile line of the chart, "25パーセンタイル付近".
QString standingWords(double z);

// "体重 9,650 g：50パーセンタイル付近（1歳0か月）" or "身長 75.0 cm：…" for a measurement taken
// on `measuredOn`. Pass the diary's first day as birth when the profile holds no valid birth
// date. Empty for Sex::None, a value that is not positive, or an age outside the tables. With
// the Japanese curves the words say which side of the 3rd and 97th lines the value lies
// (japanStandingWords).
QString standingText(GrowthMeasure kind, double value, QDate birth, QDate measuredOn, Sex sex,
                     GrowthReference reference = GrowthReference::Who2006);

// The credit the chart shows under the bands, on screen and in print.
QString referenceSourceText(GrowthReference reference = GrowthReference::Who2006);
// The reference's short name, for the legend, the choice and the chart's description.
QString referenceName(GrowthReference reference);
