#include "generators.h"

#include "core/text/cp932.h"
#include "core/text/dates.h"
#include "core/notebook/diary_store.h"
#include "core/recipes/recipe_store.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

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

QByteArray recipeFile(int recipes)
{
    QList<Recipe> table;
    table.reserve(recipes);
    const QString crlf = QStringLiteral("\r\n");
    const QDate first(1995, 8, 20);
    for (int i = 0; i < recipes; ++i) {
        Recipe r;
        r.name = QStringLiteral("やさいのおかゆ%1").arg(i + 1);
        r.stage = stageList()[i % 4];
        r.kind = kindList()[i % 10];
        r.method = methodList()[i % 9];
        r.time = float(5 + i % 40) + (i % 2 ? 0.5f : 0.0f);
        const int cooked = i % 3 == 2 ? 0 : 1 + i % 5;
        r.selfEval = cooked ? evalLetters()[i % 3] : evalNone();
        r.childEval = cooked ? evalLetters()[(i + 1) % 3] : evalNone();
        r.cookCount = QString::number(cooked);
        r.ref = QStringLiteral("はじめての離乳食（育児雑誌）");
        QStringList ingredients, steps, memo, history;
        for (int k = 0; k < 8; ++k)
            ingredients.append(
                QStringLiteral("材料%1　にんじん、かぼちゃ、じゃがいもを各２０ｇずつ用意する").arg(k + 1));
        for (int k = 0; k < 10; ++k)
            steps.append(
                QStringLiteral(
                    "%1．皮をむいて小さく切り、だし汁でやわらかくなるまでコトコト煮てからすりつぶす。")
                    .arg(k + 1));
        for (int k = 0; k < 5; ++k)
            memo.append(
                QStringLiteral("よく食べました。次は少しかために作ってみようと思います。（%1回目のメモ）")
                    .arg(k + 1));
        for (int k = 0; k < cooked; ++k)
            history.append(dateText(first.addDays(i + 7 * k)));
        r.ingredients = ingredients.join(crlf);
        r.steps = steps.join(crlf);
        r.memo = memo.join(crlf);
        r.history = history.join(crlf);
        table.append(r);
    }
    return cp932::encode(recipeFileText(table)).bytes;
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

QByteArray careLogFile(int days, int perDay)
{
    static const char *const lines[] = {
        "\"%1\",\"%2\",\"母乳（左）\",\"\",\"%3\",\"\",\"d-%4\",\"\",\"\"",
        "\"%1\",\"%2\",\"ミルク\",\"120\",\"\",\"少し残す\",\"d-%4\",\"パパのスマホ\",\"\"",
        "\"%1\",\"%2\",\"おしっこ\",\"\",\"\",\"\",\"d-%4\",\"\",\"\"",
        "\"%1\",\"%2\",\"うんち\",\"\",\"\",\"ゆるい\",\"d-%4\",\"\",\"\"",
        "\"%1\",\"%2\",\"睡眠\",\"\",\"%3\",\"\",\"d-%4\",\"\",\"\"",
        "\"%1\",\"%2\",\"体温\",\"37.2\",\"\",\"\",\"d-%4\",\"\",\"\"",
        "\"%1\",\"%2\",\"薬\",\"1包\",\"\",\"カロナール\",\"d-%4\",\"\",\"6\"",
    };
    QString text;
    const QDate first(2024, 1, 1);
    int n = 0;
    for (int d = 0; d < days; ++d) {
        const QString date = dateText(first.addDays(d));
        for (int k = 0; k < perDay; ++k, ++n) {
            // Spread over the day; the last entry a night's sleep that ends the next morning.
            const int minute = k * (1440 - 120) / perDay;
            const QTime at(minute / 60, minute % 60);
            const int kind = k == perDay - 1 ? 4 : k % 7;
            const QTime end = kind == 4 && k == perDay - 1 ? QTime(6, 30) : at.addSecs(20 * 60);
            text += QString::fromUtf8(lines[kind])
                        .replace(QStringLiteral("%1"), date)
                        .replace(QStringLiteral("%2"), at.toString(QStringLiteral("HH:mm")))
                        .replace(QStringLiteral("%3"), end.toString(QStringLiteral("HH:mm")))
                        .replace(QStringLiteral("%4"), QStringLiteral("%1").arg(n, 12, 16, QChar(u'0'))) +
                    QStringLiteral("\r\n");
        }
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

QByteArray pictureBomb(int side)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    writer.write(image);
    const qsizetype sof = jpeg.indexOf("\xFF\xC2");
    for (int at : {5, 7}) { // height, then width, big-endian
        jpeg[sof + at] = char(side >> 8);
        jpeg[sof + at + 1] = char(side & 0xff);
    }
    return jpeg;
}

} // namespace generators
