#include "ui/profile/profile_screen.h"

#include "ui/profile/backup_commands.h"

#include "core/book/notebook.h"
#include "core/book/notebook_setup.h"
#include "core/text/dates.h"
#include "core/files/dialogs.h"
#include "core/text/numbers.h"
#include "core/profile/life_events.h"
#include "core/profile/point_goal.h"
#include "core/profile/profile_files.h"
#include "core/profile/profile_store.h"
#include "ui/widgets/ui_util.h"
#include "ui/widgets/window_print.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct FieldLook {
    const char16_t *name;
    const char16_t *label;
    const char16_t *unit;
};

// The seven fields in BirthField order.
constexpr std::array<FieldLook, 7> Fields = {{
    {u"txtNamae", u"ニックネーム", u""},
    {u"txtUmare", u"生年月日", u""},
    {u"txtPJikan", u"出産時間", u""},
    {u"txtPShincyo", u"身長", u"ｃｍ"},
    {u"txtPTaijyu", u"体重", u"ｇ"},
    {u"txtPKyoui", u"胸囲", u"ｃｍ"},
    {u"txtPToui", u"頭囲", u"ｃｍ"},
}};

// The two fixed lines under each celebration (events 9 to 12).
constexpr std::array<std::array<const char16_t *, 2>, 4> CelebrationCaptions = {{
    {u"赤ちゃんが誕生して最初の祝い事", u"産まれた日を入れて７日目にお祝いのご馳走をします。"},
    {u"赤ちゃんが誕生して初めて産土神に参詣すること", u"生後１ヶ月くらいの天気の良い日に。"},
    {u"赤ちゃんに箸を持たせ、初めて食膳につかせる祝いごと", u"生後１００日目から１２０日目を目安に。"},
    {u"出産祝いをいただいたりお世話になった人たちに", u"赤ちゃんの名前でお礼の意味で贈るもの。約１ヶ月後。"},
}};

constexpr int FirstCelebration = 9;

QString text(const char16_t *s) { return QString::fromUtf16(s); }

// A label that shows a value: a screen reader reads what it shows, and the caption or event
// it belongs to as its description.
QLabel *valueLabel(const QString &name, const QString &description, QWidget *parent)
{
    auto *l = nameValueLabel(new QLabel(parent), name, description);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QFont scaledFont(const QFont &base, double factor, bool bold)
{
    QFont f = base;
    f.setPointSizeF(base.pointSizeF() * factor);
    f.setBold(bold);
    return f;
}

} // namespace

ProfileScreen::ProfileScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer, QWidget *parent)
    : QDialog(parent), m_notebook(notebook), m_dialogs(dialogs), m_printer(printer)
{
    setObjectName(QStringLiteral("frmPrivate"));
    setWindowTitle(QStringLiteral("プライベートデータ"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto *left = new QVBoxLayout;
    left->addWidget(buildBirthData());
    left->addWidget(buildPointGoal());
    left->addStretch();
    auto *buttons = new QHBoxLayout;
    QPushButton *print = makeButton(QStringLiteral("cmdPrint"), QStringLiteral("印刷"), QString(), this);
    QPushButton *back = makeButton(QStringLiteral("cmdModori"), QStringLiteral("戻り"), QString(), this);
    QPushButton *backup = makeButton(QStringLiteral("cmdBackup"), QStringLiteral("バックアップ"),
                                     QStringLiteral("手帖をまるごと一つの zip ファイルに書き出します"), this);
    QPushButton *restore = makeButton(QStringLiteral("cmdRestore"), QStringLiteral("復元"),
                                      QStringLiteral("zip ファイルから手帖を戻します"), this);
    buttons->addWidget(print);
    buttons->addWidget(backup);
    buttons->addWidget(restore);
    buttons->addStretch();
    buttons->addWidget(back);
    left->addLayout(buttons);
    left->addWidget(backup_commands::autoBackupControls(m_notebook, m_dialogs, this));

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 0);
    layout->addSpacing(10);
    layout->addWidget(buildCalendar(), 1);

    resize(940, 520);
    connect(print, &QPushButton::clicked, this, &ProfileScreen::print);
    connect(backup, &QPushButton::clicked, this, [this] { backup_commands::backUp(m_notebook, m_dialogs, this); });
    connect(restore, &QPushButton::clicked, this, [this] {
        backup_commands::restore(m_notebook, m_dialogs, this,
                                 [this](const QString &folder) { emit restoredFolderToOpen(folder); });
    });
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_notebook, &Notebook::levelShown, this, &ProfileScreen::showPoints);
    // The file changed (the other computer, a restore): what is shown follows it, unless the
    // fields hold what the user is typing.
    connect(&m_notebook, &Notebook::replaced, this, &ProfileScreen::load);
    connect(&m_notebook, &Notebook::profileChanged, this, [this] {
        if (shownValues() == m_shownValues)
            load();
    });
}

QStringList ProfileScreen::shownValues() const
{
    QStringList values;
    for (const QLineEdit *box : m_fields)
        values.append(box->text());
    values.append(m_goalPointEdit->text());
    return values;
}

QGroupBox *ProfileScreen::buildBirthData()
{
    auto *group = new QGroupBox(QStringLiteral("出産時データ"), this);
    nameControl(group, QStringLiteral("fraData"), group->title());
    auto *grid = new QGridLayout(group);
    for (std::size_t i = 0; i < Fields.size(); ++i) {
        auto *box = new QLineEdit(group);
        nameControl(box, text(Fields[i].name), text(Fields[i].label));
        box->setMinimumWidth(i == 0 ? 200 : 120);
        grid->addWidget(makeLabel(text(Fields[i].label), box, group), int(i), 0);
        grid->addWidget(box, int(i), 1);
        grid->addWidget(new QLabel(text(Fields[i].unit), group), int(i), 2);
        m_fields[i] = box;
    }
    QPushButton *create = makeButton(QStringLiteral("cmdHozon"),
                                     QStringLiteral("上記のデータで育児手帖を作成"), QString(), group);
    create->setMinimumHeight(34);
    grid->addWidget(create, int(Fields.size()), 0, 1, 3);
    connect(create, &QPushButton::clicked, this, &ProfileScreen::newNotebook);
    return group;
}

QGroupBox *ProfileScreen::buildPointGoal()
{
    auto *group = new QGroupBox(QStringLiteral("ポイント設定"), this);
    nameControl(group, QStringLiteral("fraPoint"), group->title());
    auto *grid = new QGridLayout(group);
    m_goalPointEdit = new QLineEdit(group);
    nameControl(m_goalPointEdit, QStringLiteral("txtPoint"), QStringLiteral("目標ポイント"));
    m_goalPointEdit->setMaximumWidth(100);
    m_pointLabel = valueLabel(QStringLiteral("lblPoint"), QStringLiteral("現在ポイント"), group);
    m_levelLabel = valueLabel(QStringLiteral("lblLevel"), QStringLiteral("現在レベル"), group);
    grid->addWidget(makeLabel(QStringLiteral("目標ポイント"), m_goalPointEdit, group), 0, 0);
    grid->addWidget(m_goalPointEdit, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("現在ポイント"), group), 1, 0);
    grid->addWidget(m_pointLabel, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("現在レベル"), group), 2, 0);
    grid->addWidget(m_levelLabel, 2, 1);
    QPushButton *save = makeButton(QStringLiteral("cmdHozon2"), QStringLiteral("設定保存"), QString(), group);
    grid->addWidget(save, 0, 2, 3, 1, Qt::AlignVCenter);
    grid->setColumnStretch(1, 1);
    connect(save, &QPushButton::clicked, this, &ProfileScreen::saveGoal);
    return group;
}

QWidget *ProfileScreen::buildCalendar()
{
    auto *area = new QWidget(this);
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    auto *heading = new QLabel(QStringLiteral("祝い事一覧とカウントダウン"), area);
    heading->setFont(scaledFont(heading->font(), 1.25, true));
    heading->setStyleSheet(QStringLiteral("color: #8a4a5a;"));
    column->addWidget(heading);
    auto *schools = new QGridLayout;
    for (int g = 0; g < 4; ++g)
        schools->addWidget(buildEventGroup(g), g / 2, g % 2);
    column->addLayout(schools);
    column->addWidget(buildEventGroup(4));
    column->addStretch();
    return area;
}

// One framed group of the calendar: a row per event with its caption, date, count and the
// word after it; a celebration has its two fixed lines under it.
QGroupBox *ProfileScreen::buildEventGroup(int group)
{
    auto *box = new QGroupBox(lifeEventGroups().at(group), this);
    nameControl(box, QStringLiteral("fraEvent%1").arg(group + 1), box->title());
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(8);
    int row = 0;
    for (int i = 1; i <= LifeEventCount; ++i) {
        if (lifeEventGroup(i) != box->title())
            continue;
        const QString name = lifeEventName(i);
        auto *caption = new QLabel(lifeEventLabel(i), box);
        caption->setFont(scaledFont(caption->font(), 1.0, true));
        QLabel *&date = m_eventDateLabels[std::size_t(i - 1)];
        QLabel *&days = m_eventDaysLabels[std::size_t(i - 1)];
        QLabel *&suffix = m_eventSideLabels[std::size_t(i - 1)];
        date = valueLabel(QStringLiteral("lblIvD%1").arg(i), name, box);
        days = valueLabel(QStringLiteral("lblIvN%1").arg(i), name, box);
        suffix = valueLabel(QStringLiteral("lblZengo%1").arg(i), name, box);
        days->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        days->setFont(scaledFont(days->font(), 1.0, true));
        days->setStyleSheet(QStringLiteral("color: #3a5a9a;"));
        days->setMinimumWidth(QFontMetrics(days->font()).horizontalAdvance(QStringLiteral("000000")));
        date->setMinimumWidth(date->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00 ")));
        grid->addWidget(caption, row, 0);
        grid->addWidget(date, row, 1);
        grid->addWidget(days, row, 2);
        grid->addWidget(suffix, row, 3);
        ++row;
        if (i >= FirstCelebration) {
            const auto &lines = CelebrationCaptions[std::size_t(i - FirstCelebration)];
            auto *about = new QLabel(text(lines[0]) + u'\n' + text(lines[1]), box);
            about->setStyleSheet(QStringLiteral("color: #6a7a5a;"));
            grid->addWidget(about, row++, 0, 1, 5);
        }
    }
    grid->setColumnStretch(4, 1);
    return box;
}

void ProfileScreen::load()
{
    const Profile &p = m_notebook.profile;
    const std::array<const QString *, 7> values = {
        &p.nickname, &p.birthDate, &p.birthTime, &p.birthHeight, &p.birthWeight, &p.birthChest, &p.birthHead};
    for (std::size_t i = 0; i < values.size(); ++i)
        m_fields[i]->setText(*values[i]);
    m_goalPointEdit->setText(QString::number(p.targetPoint));
    m_shownValues = shownValues();
    showPoints();
    showCalendar(field(BirthField::Umare)->text());
}

void ProfileScreen::showPoints()
{
    m_pointLabel->setText(currentPointText(m_notebook.recipes.totalPoint));
    m_levelLabel->setText(currentLevelText(m_notebook.recipes.levelPercent));
}

void ProfileScreen::showCalendar(const QString &birthDate)
{
    const QList<LifeEventRow> rows = lifeEvents(birthDate, m_notebook.clock.today());
    for (std::size_t i = 0; i < std::size_t(LifeEventCount); ++i) {
        m_eventDateLabels[i]->setText(rows[qsizetype(i)].date);
        m_eventDaysLabels[i]->setText(rows[qsizetype(i)].days);
        m_eventSideLabels[i]->setText(rows[qsizetype(i)].suffix);
    }
}

// cmdHozon: the checks in their order, the last question, then every file in one go.
void ProfileScreen::newNotebook()
{
    for (const EmptyFieldCheck &check : emptyFieldChecks()) {
        if (field(check.field)->text().isEmpty() && !emptyFieldAccepted(check))
            return;
        if (check.field == BirthField::Umare && !normaliseBirthDate())
            return;
    }
    const PointGoal goal = pointGoal(m_goalPointEdit->text());
    if (!valuesStorable(goal))
        return;
    const QString nickname = field(BirthField::Namae)->text();
    Profile typed = m_notebook.profile; // line 8 and the picture modes as held
    QString *values[] = {&typed.nickname,    &typed.birthDate,  &typed.birthTime, &typed.birthHeight,
                         &typed.birthWeight, &typed.birthChest, &typed.birthHead};
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        *values[i] = m_fields[i]->text();
    if (!m_newNotebookFolder.isEmpty()) {
        if (makeOwnNotebook(typed, goal.lineText)) {
            close();
            emit programEndRequested();
        }
        return;
    }
    if (!m_dialogs.confirm(newNotebookTitle(), newNotebookQuestion(nickname), Dialogs::Icon::Warning,
                           Dialogs::Answer::Cancel))
        return;
    const WriteResult written = m_notebook.startNewNotebook(
        profileText(typed, goal.lineText), typed.birthDate, typedNumericValue(typed.birthHeight),
        typedNumericValue(typed.birthWeight));
    if (!reportWrite(m_dialogs, written))
        return;
    m_dialogs.information(newNotebookDoneTitle(), newNotebookDoneText(nickname));
    close();
    emit programEndRequested();
}

bool ProfileScreen::makeOwnNotebook(const Profile &typed, const QString &goalLine)
{
    if (!m_dialogs.confirm(newNotebookTitle(),
                           QStringLiteral("『%1』の育児手帖を作成します。\r\n\r\n良かったらＯＫボタンを押してください")
                               .arg(typed.nickname),
                           Dialogs::Icon::Question, Dialogs::Answer::Ok))
        return false;
    const QString sample = notebook_setup::sampleDir();
    const int recipes = notebook_setup::sampleRecipeCount(sample);
    bool withRecipes = false;
    if (recipes > 0) {
        const Dialogs::Box ask{
            QStringLiteral("離乳食レシピ"),
            QStringLiteral("見本の離乳食レシピ（%1 品）を、はじめのレシピ集として新しい手帖に入れますか？\r\n\r\n"
                           "作った日と評価は入れません。あとから消すこともできます。")
                .arg(recipes),
            Dialogs::Icon::Question, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok,
            QStringLiteral("入れる"), QStringLiteral("入れない")};
        withRecipes = m_dialogs.message(ask) == Dialogs::Answer::Ok;
    }
    QString error;
    if (!notebook_setup::createOwnNotebook(
            m_newNotebookFolder, sample, profileText(typed, goalLine),
            diaryRecordText(typed.birthDate, typedNumericValue(typed.birthHeight), typedNumericValue(typed.birthWeight),
                            QString()),
            withRecipes, &error)) {
        m_dialogs.warning(QStringLiteral("育児手帖の作成"), error);
        return false;
    }
    m_dialogs.information(
        QStringLiteral("育児手帖の作成"),
        QStringLiteral("『%1』の育児手帖を作りました（%2）。\r\n"
                       "新しい育児手帖を開くため一旦プログラムを終了します。\r\n\r\n"
                       "次に起動したときから『%1』の育児手帖がスタートします。\r\n\r\n"
                       "※出産初日のページは自動的に作られていますので、\r\n"
                       "　エピソードや思い出を記入して保存ボタンを押してみてくださいね。\r\n")
            .arg(typed.nickname, QDir::toNativeSeparators(m_newNotebookFolder)));
    return true;
}

// An empty field: a required one is refused; for the others the user decides.
bool ProfileScreen::emptyFieldAccepted(const EmptyFieldCheck &check)
{
    const bool accepted =
        !check.required &&
        m_dialogs.confirm(inputCheckTitle(), check.text, Dialogs::Icon::Warning, Dialogs::Answer::Cancel);
    if (check.required)
        m_dialogs.warning(inputCheckTitle(), check.text);
    if (!accepted)
        field(check.field)->setFocus();
    return accepted;
}

// The birth date by the typed-date rule, rewritten as yyyy/mm/dd; a text that is no date is
// refused and emptied.
bool ProfileScreen::normaliseBirthDate()
{
    QLineEdit *box = field(BirthField::Umare);
    const std::optional<QDate> date = parseTypedDate(box->text(), m_notebook.clock.today());
    if (!date) {
        m_dialogs.warning(inputCheckTitle(), notADateText());
        box->clear();
        box->setFocus();
        return false;
    }
    box->setText(dateText(*date));
    return true;
}

// Nothing is written that the profile file could not give back as it was typed.
bool ProfileScreen::valuesStorable(const PointGoal &goal)
{
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        // The birth height and weight become the first day's numbers.
        const bool numeric = i == std::size_t(BirthField::PShincyo) || i == std::size_t(BirthField::PTaijyu);
        QString refusal = numeric && !withoutGrouping(m_fields[i]->text())
                              ? groupingMessage(text(Fields[i].label))
                              : unstorableValueText(text(Fields[i].label), m_fields[i]->text());
        if (!refusal.isEmpty()) {
            m_dialogs.warning(inputCheckTitle(), refusal);
            m_fields[i]->setFocus();
            return false;
        }
    }
    const QString refusal = goal.targetPoint
                                ? unstorableValueText(QStringLiteral("目標ポイント"), goal.lineText)
                                : pointGoalRefusalText();
    if (refusal.isEmpty())
        return true;
    m_dialogs.warning(goal.targetPoint ? inputCheckTitle() : pointGoalRefusalTitle(), refusal);
    m_goalPointEdit->setFocus();
    return false;
}

// cmdHozon2: the goal into the file (lines 1 to 7 as held in memory), then the nickname and
// goal into memory, both titles, the level and the level bars.
void ProfileScreen::prepareNewNotebook()
{
    for (QLineEdit *box : m_fields)
        box->clear();
    // Nothing of the sample's child: no countdowns, no points.
    showCalendar(QString());
    m_pointLabel->clear();
    m_levelLabel->clear();
    m_shownValues = shownValues();
    field(BirthField::Namae)->setFocus();
    m_dialogs.information(QStringLiteral("育児手帖の作成"),
                          QStringLiteral("お子さんの育児手帖を作ります。\r\n\r\n"
                                         "ニックネームと生年月日などを入れて、"
                                         "「上記のデータで育児手帖を作成」ボタンを押してください。"));
}

void ProfileScreen::saveGoal()
{
    const PointGoal goal = pointGoal(m_goalPointEdit->text());
    if (!goal.targetPoint) {
        m_dialogs.warning(pointGoalRefusalTitle(), pointGoalRefusalText());
        m_goalPointEdit->setFocus();
        return;
    }
    // The nickname goes into memory and every later profile write: the file must hold it.
    QLineEdit *nickname = field(BirthField::Namae);
    const QString refusal = unstorableValueText(text(Fields[0].label), nickname->text());
    if (!refusal.isEmpty()) {
        m_dialogs.warning(inputCheckTitle(), refusal);
        nickname->setFocus();
        return;
    }
    reportWrite(m_dialogs,
                m_notebook.saveNicknameAndGoal(nickname->text(), *goal.targetPoint, goal.lineText));
}

void ProfileScreen::print()
{
    askAndPrintWindow(
        this, m_printer, m_dialogs,
        QStringLiteral("表示中の情報を印刷しますか？\r\n\r\n良かったらＯＫボタンを押してください"));
}
