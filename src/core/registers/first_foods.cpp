#include "core/registers/first_foods.h"

#include "core/common/notebook_files.h"
#include "core/common/printer.h"
#include "core/registers/register_files.h"

#include <QFont>

#include <algorithm>

namespace first_foods {

const QList<Food> &startingList()
{
    // 授乳・離乳の支援ガイド (2019) の食品例から。★ は表示が義務の8品目。
    static const QList<Food> list = [] {
        const QString grain = QStringLiteral("穀類"), plant = QStringLiteral("野菜・果物"),
                      protein = QStringLiteral("たんぱく質");
        QList<Food> l;
        for (const char *n : {"米（おかゆ）", "パン", "うどん", "そうめん", "オートミール"})
            l.append({grain, QString::fromUtf8(n), false});
        for (const char *n : {"小麦", "そば"})
            l.append({grain, QString::fromUtf8(n), true});
        for (const char *n : {"にんじん", "かぼちゃ", "じゃがいも", "さつまいも", "だいこん", "たまねぎ", "キャベツ",
                              "ほうれんそう", "ブロッコリー", "トマト", "りんご", "バナナ", "みかん", "いちご"})
            l.append({plant, QString::fromUtf8(n), false});
        for (const char *n : {"豆腐", "納豆", "白身魚", "しらす", "鶏ささみ", "ツナ"})
            l.append({protein, QString::fromUtf8(n), false});
        for (const char *n : {"卵", "乳", "えび", "かに", "くるみ", "落花生"})
            l.append({protein, QString::fromUtf8(n), true});
        return l;
    }();
    return list;
}

bool isAllergen(const QString &food)
{
    for (const Food &f : startingList())
        if (f.name == food)
            return f.allergen;
    return false;
}

QString groupOf(const QString &food)
{
    for (const Food &f : startingList())
        if (f.name == food)
            return f.group;
    return QStringLiteral("その他");
}

QStringList reactions() { return {QStringLiteral("なし"), QStringLiteral("少し"), QStringLiteral("あり")}; }

QList<Entry> read(const NotebookFiles &files)
{
    const RegisterText text = readRegisterFile(files, fileName(), Fields);
    QList<Entry> entries;
    for (const QStringList &r : text.records())
        entries.append({r.value(0), r.value(1), r.value(2), r.value(3)});
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.date < b.date; });
    return entries;
}

WriteResult append(NotebookFiles &files, const Entry &e)
{
    return appendRegisterRecord(files, fileName(), {e.food, e.date, e.reaction, e.note});
}

const Entry *find(const QList<Entry> &entries, const QString &food)
{
    for (const Entry &e : entries)
        if (matchForm(e.food) == matchForm(food))
            return &e;
    return nullptr;
}

QString matchForm(const QString &text)
{
    QString s = text;
    if (const qsizetype bracket = s.indexOf(u'（'); bracket > 0)
        s = s.left(bracket);
    s = s.normalized(QString::NormalizationForm_KC);
    for (QChar &c : s)
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6) // katakana as hiragana
            c = QChar(c.unicode() - 0x60);
    return s.trimmed();
}

QStringList untriedIn(const QString &ingredients, const QList<Entry> &eaten)
{
    const QString text = matchForm(ingredients);
    QStringList found;
    for (const Food &f : startingList())
        if (text.contains(matchForm(f.name)) && !find(eaten, f.name))
            found.append(f.name);
    return found;
}

QString print(Printer &printer, const QList<Entry> &eaten, const QString &nickname)
{
    QList<Entry> rows = eaten;
    for (const Food &f : startingList())
        if (!find(eaten, f.name))
            rows.append({f.name, {}, {}, {}});
    if (!printer.begin(QStringLiteral("はじめての食材")))
        return QStringLiteral("印刷を始められませんでした。");
    QFont title(QStringLiteral("IPAGothic"), 16);
    title.setBold(true);
    printer.setFont(title);
    printer.setColor(Qt::black);
    printer.drawText({10, 8}, QStringLiteral("はじめての食材（%1）").arg(nickname));
    const double columns[] = {10, 36, 74, 86, 114, 130};
    QFont body(QStringLiteral("IPAGothic"), 9);
    printer.setFont(body);
    const QStringList heads = {QStringLiteral("分類"), QStringLiteral("食材"), QStringLiteral("表示"),
                               QStringLiteral("はじめて食べた日"), QStringLiteral("反応"), QStringLiteral("メモ")};
    for (int c = 0; c < heads.size(); ++c)
        printer.drawText({columns[c], 22}, heads[c]);
    // One page: the rows share what the page has below the heads.
    const double top = 29, bottom = printer.pageSizeMm().height() - 12;
    const double step = std::min(6.0, (bottom - top) / std::max<qsizetype>(1, rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const Entry &e = rows[r];
        printer.setColor(e.reaction == QStringLiteral("あり") ? QColor(200, 0, 0) : QColor(Qt::black));
        const QStringList cells = {groupOf(e.food), e.food, isAllergen(e.food) ? QStringLiteral("★") : QString(),
                                   e.date, e.reaction, e.note.left(40)};
        for (int c = 0; c < cells.size(); ++c)
            printer.drawText({columns[c], top + r * step}, cells[c]);
    }
    printer.setColor(Qt::black);
    printer.drawText({10, bottom + 4}, QStringLiteral("★ はアレルギー表示が義務の8品目（えび、かに、くるみ、小麦、そば、卵、乳、落花生）"));
    return printer.end();
}

} // namespace first_foods
