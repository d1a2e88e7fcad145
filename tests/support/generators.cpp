#include "generators.h"

#include "common/cp932.h"
#include "common/dates.h"
#include "notebook/diary_store.h"

namespace generators {

QByteArray diaryFile(int days)
{
    QList<DiaryDay> table;
    table.reserve(days);
    const QDate first(2024, 1, 1);
    static const QString lines[] = {
        QStringLiteral("今日は公園でお散歩。ベビーカーの中でずっとにこにこしていました。"),
        QStringLiteral("離乳食はかぼちゃのペースト。口をあーんと開けて上手に食べました。"),
        QStringLiteral("夜は三時間おきに起きて、ママもパパも少し寝不足です。"),
        QStringLiteral("おばあちゃんから電話があり、声を聞かせてあげました。"),
    };
    for (int i = 0; i < days; ++i) {
        DiaryDay d;
        d.date = dateText(first.addDays(i));
        if (i % 3 == 0)
            d.weight = qint16(3000 + i * 8);
        if (i % 7 == 0)
            d.height = qint16(50 + i / 30);
        d.text = lines[i % 4] + QStringLiteral("\r\n") + lines[(i + 1) % 4] + QStringLiteral("\r\n") +
                 QStringLiteral("%1日目の記録。").arg(i + 1);
        table.append(d);
    }
    return cp932::encode(diaryFileText(table)).bytes;
}

} // namespace generators
