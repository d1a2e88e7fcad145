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

QByteArray registerFile(int records, int fields, QDate around)
{
    static const QString texts[] = {
        QStringLiteral("予防接種（四種混合）"),
        QStringLiteral("ばあばの家へ、お泊まり"),
        QStringLiteral("保育園の面談, 持ち物の確認"),
        QStringLiteral("ベビー服"),
    };
    QString text;
    for (int i = 0; i < records; ++i) {
        // A fixed scatter over a year, so every run reads the same file.
        const int offset = int((quint32(i) * 2654435761u) % 365u) - 182;
        text += u'"' + dateText(around.addDays(offset)) + QStringLiteral("\",\"") + texts[i % 4] +
                QString::number(i) + u'"';
        if (fields == 3)
            text += i % 2 == 0 ? QStringLiteral(",\"○\"") : QStringLiteral(",\"\"");
        text += QStringLiteral("\r\n");
    }
    return cp932::encode(text).bytes;
}

QByteArray anniversaryFile(int entries)
{
    QString text;
    const QDate first(1995, 2, 15);
    for (int i = 0; i < entries; ++i)
        text += dateText(first.addDays(i)) + QStringLiteral("　記念日%1\r\n").arg(i + 1);
    return cp932::encode(text).bytes;
}

} // namespace generators
