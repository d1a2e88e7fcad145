#include "core/registers/first_foods.h"

#include "core/files/notebook_files.h"
#include "core/pictures/printer.h"
#include "core/text/text_folding.h"
#include "core/registers/register_files.h"

#include <QFont>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace first_foods {

namespace {

struct Row {
    Food food;
    QStringList forms; // besides the name itself
};

// The table of names. A row without a group is a food the list does not offer, named so that
// the word inside it is not read as another food (ココナッツミルク is not 乳).
const QList<Row> &rows()
{
    // 授乳・離乳の支援ガイド (2019) の食品例から。★ は表示が義務の8品目。卵は卵黄、卵白、全卵の順に進める。
    static const QList<Row> table = [] {
        const QString grain = QStringLiteral("穀類"), plant = QStringLiteral("野菜・果物"),
                      protein = QStringLiteral("たんぱく質");
        struct Listed {
            const QString *group;
            const char *name;
            bool allergen;
            const char *base;
            std::initializer_list<const char *> forms;
        };
        const Listed foods[] = {
            {&grain, "米（おかゆ）", false, "", {"米", "ご飯", "ごはん", "おかゆ", "粥", "軟飯"}},
            {&grain, "パン", false, "", {"食パン", "パン粉"}},
            {&grain, "うどん", false, "", {"饂飩"}},
            {&grain, "そうめん", false, "", {"素麺"}},
            {&grain, "オートミール", false, "", {}},
            {&grain,
             "小麦",
             true,
             "",
             {"小麦粉", "こむぎ", "薄力粉", "強力粉", "焼きそば", "やきそば", "中華そば"}},
            {&grain, "そば", true, "", {"蕎麦", "そば粉"}},
            {&plant, "にんじん", false, "", {"人参"}},
            {&plant, "かぼちゃ", false, "", {"南瓜", "パンプキン"}},
            {&plant, "じゃがいも", false, "", {"じゃが芋", "馬鈴薯", "ポテト"}},
            {&plant, "さつまいも", false, "", {"さつま芋", "薩摩芋", "甘藷", "スイートポテト"}},
            {&plant, "だいこん", false, "", {"大根"}},
            {&plant, "たまねぎ", false, "", {"玉ねぎ", "玉葱", "オニオン"}},
            {&plant, "キャベツ", false, "", {}},
            {&plant, "ほうれんそう", false, "", {"ほうれん草", "法蓮草", "菠薐草"}},
            {&plant, "ブロッコリー", false, "", {"ブロッコリ"}},
            {&plant, "トマト", false, "", {}},
            {&plant, "りんご", false, "", {"林檎", "アップル"}},
            {&plant, "バナナ", false, "", {}},
            {&plant, "みかん", false, "", {"蜜柑"}},
            {&plant, "いちご", false, "", {"苺", "ストロベリー"}},
            {&protein, "豆腐", false, "", {"とうふ"}},
            {&protein, "納豆", false, "", {"なっとう"}},
            {&protein, "きな粉", false, "", {"きなこ", "黄な粉"}}, // 大豆
            {&protein, "豆乳", false, "", {"とうにゅう"}},         // 大豆: not 乳
            {&protein, "白身魚", false, "", {"鯛", "鱈", "鰈", "平目", "ひらめ", "かれい"}},
            {&protein, "しらす", false, "", {"しらす干し", "白子干し"}},
            {&protein, "鶏ささみ", false, "", {"ささみ", "ささ身", "笹身"}},
            {&protein, "ツナ", false, "", {"シーチキン"}},
            {&protein, "卵黄", true, "卵", {"らんおう", "黄身"}},
            {&protein, "卵白", true, "卵", {"らんぱく"}},
            {&protein, "卵", true, "", {"たまご", "玉子", "全卵", "鶏卵"}},
            {&protein,
             "乳",
             true,
             "",
             {"牛乳", "ミルク", "粉ミルク", "ヨーグルト", "チーズ", "粉チーズ", "バター", "生クリーム",
              "練乳", "スキムミルク", "乳製品"}},
            {&protein, "えび", true, "", {"海老", "蝦", "桜えび", "干しえび"}},
            {&protein, "かに", true, "", {"蟹"}},
            {&protein, "くるみ", true, "", {"胡桃", "ウォールナッツ"}},
            {&protein, "落花生", true, "", {"ピーナッツ", "ピーナツ", "南京豆", "ピーナッツバター"}},
        };
        static const QString none;
        const Listed shields[] = {
            {&none, "ココナッツミルク", false, "", {}},
            {&none, "アーモンドミルク", false, "", {}},
            {&none, "母乳", false, "", {}},
        };
        QList<Row> l;
        auto add = [&l](const Listed &s) {
            Row r{{*s.group, QString::fromUtf8(s.name), s.allergen, QString::fromUtf8(s.base)}, {}};
            for (const char *f : s.forms)
                r.forms.append(QString::fromUtf8(f));
            l.append(r);
        };
        for (const Listed &s : foods)
            add(s);
        for (const Listed &s : shields)
            add(s);
        return l;
    }();
    return table;
}

struct NameIndex {
    QHash<QString, int> rowOf; // a folded form: its row
    qsizetype longest = 0;
};

const NameIndex &nameIndex()
{
    static const NameIndex index = [] {
        NameIndex x;
        for (int i = 0; i < rows().size(); ++i) {
            const QStringList forms = QStringList(rows()[i].forms) << rows()[i].food.name;
            for (const QString &form : forms) {
                const QString key = matchForm(form);
                x.rowOf.insert(key, i);
                x.longest = std::max(x.longest, key.size());
            }
        }
        return x;
    }();
    return index;
}

// The row a name stands for, as a whole ("たまご", "米（おかゆ）"), or -1.
int rowOfName(const QString &name) { return nameIndex().rowOf.value(matchForm(name), -1); }

// The key names are compared by: the food's own name, or the name itself folded.
QString foodKey(const QString &name)
{
    const int r = rowOfName(name);
    return r >= 0 ? rows()[r].food.name : matchForm(name);
}

} // namespace

const QList<Food> &startingList()
{
    static const QList<Food> list = [] {
        QList<Food> l;
        for (const Row &r : rows())
            if (!r.food.group.isEmpty())
                l.append(r.food);
        return l;
    }();
    return list;
}

bool isAllergen(const QString &food)
{
    if (const int r = rowOfName(food); r >= 0)
        return rows()[r].food.allergen;
    for (const Mention &m : mentionsIn(food))
        if (m.allergen)
            return true;
    return false;
}

QString groupOf(const QString &food)
{
    const int r = rowOfName(food);
    return r >= 0 && !rows()[r].food.group.isEmpty() ? rows()[r].food.group : QStringLiteral("その他");
}

QList<Mention> mentionsIn(const QString &text)
{
    const QString folded = foldedForSearch(text);
    const NameIndex &index = nameIndex();
    QList<Mention> found;
    for (qsizetype i = 0; i < folded.size(); ++i)
        for (qsizetype n = std::min(index.longest, folded.size() - i); n > 0; --n)
            if (const auto it = index.rowOf.constFind(folded.mid(i, n)); it != index.rowOf.constEnd()) {
                const Food &f = rows()[*it].food;
                found.append({i, n, f.name, f.base.isEmpty() ? f.name : f.base, f.allergen,
                              f.base.isEmpty() ? QString() : f.name, !f.group.isEmpty()});
            }
    // The longest names take their place first; a shorter one inside them is no food of its own.
    std::stable_sort(found.begin(), found.end(),
                     [](const Mention &a, const Mention &b) { return a.length > b.length; });
    QList<bool> taken(folded.size(), false);
    QList<Mention> kept;
    for (const Mention &m : found) {
        if (std::any_of(taken.begin() + m.start, taken.begin() + m.start + m.length,
                        [](bool t) { return t; }))
            continue;
        std::fill(taken.begin() + m.start, taken.begin() + m.start + m.length, true);
        kept.append(m);
    }
    std::sort(kept.begin(), kept.end(), [](const Mention &a, const Mention &b) { return a.start < b.start; });
    return kept;
}

QStringList reactions() { return {QStringLiteral("なし"), QStringLiteral("少し"), QStringLiteral("あり")}; }

QList<Entry> read(const NotebookFiles &files)
{
    return entriesInOrder(readRegisterFile(files, fileName(), Fields).records());
}

QList<Entry> entriesInOrder(const QList<QStringList> &records)
{
    QList<Entry> entries;
    for (const QStringList &r : records)
        entries.append({r.value(0), r.value(1), r.value(2), r.value(3)});
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.date < b.date; });
    return entries;
}

WriteResult append(NotebookFiles &files, const Entry &e)
{
    return appendRegisterRecord(files, fileName(), {e.food, e.date, e.reaction, e.note});
}

WriteResult change(NotebookFiles &files, const Entry &was, const std::optional<Entry> &now,
                   QList<QStringList> *writtenRecords)
{
    const QList<QStringList> records = readRegisterFile(files, fileName(), Fields).records();
    const QStringList old{was.food, was.date, was.reaction, was.note};
    const qsizetype at = records.indexOf(old);
    if (at < 0)
        return {false,
                QStringLiteral("「%1」の行は、ほかのパソコンで変えられたため見つかりませんでした。\r\n"
                               "一覧を読み直しました。もう一度選んでください。")
                    .arg(was.food),
                {}};
    QList<QStringList> written = records;
    if (now)
        written[at] = {now->food, now->date, now->reaction, now->note};
    else
        written.removeAt(at);
    const WriteResult result = writeRegisterFile(files, fileName(), written);
    if (writtenRecords)
        *writtenRecords = written;
    return result;
}

const Entry *find(const QList<Entry> &entries, const QString &food)
{
    const QString key = foodKey(food);
    for (const Entry &e : entries)
        if (foodKey(e.food) == key)
            return &e;
    return nullptr;
}

QString matchForm(const QString &text)
{
    QString s = text;
    if (const qsizetype bracket = s.indexOf(u'（'); bracket > 0)
        s = s.left(bracket);
    return foldedForSearch(s).trimmed();
}

QStringList untriedIn(const QString &ingredients, const QList<Entry> &eaten)
{
    QSet<QString> named;
    for (const Mention &m : mentionsIn(ingredients))
        if (m.offered)
            named.insert(m.name);
    QStringList found;
    for (const Food &f : startingList())
        if (named.contains(f.name) && !find(eaten, f.name))
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
