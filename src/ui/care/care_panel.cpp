#include "ui/care/care_panel.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/text/numbers.h"
#include "ui/care/care_charts_window.h"
#include "ui/widgets/care_day.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/ui_util.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

using care::Kind;

namespace {

const QString Title = QStringLiteral("記録");

bool takesAmount(Kind kind)
{
    return kind == Kind::Formula || kind == Kind::Pumped || kind == Kind::Temperature ||
           kind == Kind::Medicine || kind == Kind::Solids;
}

// "15分", "2時間05分", as the since-last line counts.
QString durationText(qint64 minutes)
{
    minutes = qMax<qint64>(0, minutes);
    if (minutes < 60)
        return QStringLiteral("%1分").arg(minutes);
    return QStringLiteral("%1時間%2分").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString unitOf(Kind kind)
{
    if (kind == Kind::Formula || kind == Kind::Pumped)
        return QStringLiteral("ml");
    if (kind == Kind::Temperature)
        return QStringLiteral("℃");
    return {};
}

// The box that asks before a dose or a delete: はい or いいえ, いいえ the default.
bool askYesNo(Dialogs &dialogs, const QString &text)
{
    return dialogs.message({Title, text, Dialogs::Icon::Question, Dialogs::Buttons::OkCancel,
                            Dialogs::Answer::Cancel, QStringLiteral("はい"), QStringLiteral("いいえ")}) ==
           Dialogs::Answer::Ok;
}

QString keyText(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    return QKeySequence(QKeyCombination(mods, Qt::Key(key))).toString(QKeySequence::NativeText);
}

} // namespace

QString careRowText(const care::Entry &entry, QDate day, const QDateTime &now)
{
    QString when = entry.time.toString(QStringLiteral("hh:mm"));
    if (entry.date > day)
        when.prepend(QStringLiteral("翌"));
    if (entry.running)
        when += u'–';
    else if (entry.end)
        when += u'–' + entry.end->toString(QStringLiteral("hh:mm"));
    QStringList parts{when, care::kindName(entry.kind)};
    if (!entry.note.isEmpty())
        parts.append(entry.note);
    if (!entry.amount.isEmpty())
        parts.append(entry.amount + unitOf(entry.kind));
    if (entry.running)
        parts.append(QStringLiteral("計測中 ") + durationText(entry.start().secsTo(now) / 60));
    else if (entry.end)
        parts.append(durationText(entry.start().secsTo(entry.finish(now)) / 60));
    if (!entry.by.isEmpty())
        parts.last() += u'（' + entry.by + u'）';
    return parts.join(u' ');
}

const QList<CarePanel::KindButton> &CarePanel::kindButtons()
{
    static const QList<KindButton> buttons = {
        {Kind::BreastLeft, QStringLiteral("母乳（左）"),
         QStringLiteral("左の授乳を計り始めます（右の計測中なら左右を切り替えます）"), Qt::Key_1},
        {Kind::BreastRight, QStringLiteral("母乳（右）"),
         QStringLiteral("右の授乳を計り始めます（左の計測中なら左右を切り替えます）"), Qt::Key_2},
        {Kind::Formula, QStringLiteral("ミルク"), QStringLiteral("量の欄の ml でミルクを記録します"),
         Qt::Key_3},
        {Kind::Pumped, QStringLiteral("搾乳"), QStringLiteral("量の欄の ml で搾乳を記録します"), Qt::Key_4},
        {Kind::Sleep, QStringLiteral("寝た/起きた"),
         QStringLiteral("寝た時刻から睡眠を計り、もう一度押すと起きた時刻で止めます"), Qt::Key_5},
        {Kind::Pee, QStringLiteral("おしっこ"), QStringLiteral("おしっこを記録します"), Qt::Key_6},
        {Kind::Poo, QStringLiteral("うんち"), QStringLiteral("うんちの様子と一緒に記録します"), Qt::Key_7},
        {Kind::Temperature, QStringLiteral("体温"), QStringLiteral("量の欄の ℃ で体温を記録します"),
         Qt::Key_8},
        {Kind::Medicine, QStringLiteral("薬"), QStringLiteral("薬の名前と量の欄の量を記録します"), Qt::Key_9},
        {Kind::Solids, QStringLiteral("離乳食"), QStringLiteral("離乳食の料理と量を記録します"), Qt::Key_A},
        {Kind::Bath, QStringLiteral("お風呂"), QStringLiteral("お風呂を記録します"), Qt::Key_B},
        {Kind::Memo, QStringLiteral("メモ"), QStringLiteral("メモの欄の文を記録します"), Qt::Key_M},
    };
    return buttons;
}

CarePanel::CarePanel(PanelHost &screen, QWidget *parent) : QFrame(parent), m_screen(screen)
{
    prepareAccessibility();
    setObjectName(QStringLiteral("fraKiroku"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildButtons());
    layout->addWidget(buildNow());
    layout->addWidget(buildInputs());
    layout->addWidget(buildDay(), 1);
    connectEntryCommands();

    m_ticker = new QTimer(this);
    m_ticker->setInterval(1000);
    connect(m_ticker, &QTimer::timeout, this, &CarePanel::tick);
    m_ticker->start();
    Notebook &nb = screen.notebook();
    connect(&nb, &Notebook::changed, this, &CarePanel::showChange);
    connect(&nb, &Notebook::recipesChanged, this, [this] {
        const QString typed = m_dishBox->currentText();
        m_dishBox->clear();
        m_dishBox->addItems(m_screen.notebook().recipes.names());
        m_dishBox->setEditText(typed);
    });
}

QWidget *CarePanel::buildButtons()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    big.setBold(true);
    int i = 0;
    for (const KindButton &k : kindButtons()) {
        const QString key = keyText(k.key);
        auto *b = makeButton(QStringLiteral("cmdKind%1").arg(key), k.caption + u'\n' + key, QString(), box);
        b->setFont(big);
        b->setMinimumHeight(58);
        b->setMinimumWidth(110);
        b->setAccessibleName(k.caption + QStringLiteral(" (") + key + u')');
        addKeys(k, b);
        m_kindButtons.insert(int(k.kind), b);
        grid->addWidget(b, i / 6, i % 6);
        ++i;
    }
    return box;
}

// Each kind's key, from any control of the panel; in a text box, where the key types, with Alt.
void CarePanel::addKeys(const KindButton &k, QPushButton *button)
{
    const QString tip = k.description + QStringLiteral(" (") + keyText(k.key) +
                        QStringLiteral("、入力欄では ") + keyText(k.key, Qt::AltModifier) + u')';
    button->setToolTip(tip);
    button->setAccessibleDescription(tip);
    const Kind kind = k.kind;
    connect(button, &QPushButton::clicked, this, [this, kind] { record(kind); });
    for (Qt::KeyboardModifiers mods :
         {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::AltModifier)}) {
        auto *shortcut = new QShortcut(QKeySequence(QKeyCombination(mods, Qt::Key(k.key))), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, kind] { record(kind); });
    }
}

// The running timers and the time since the last feed and nappy, always in view.
QWidget *CarePanel::buildNow()
{
    auto *box = new QWidget(this);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    m_timersLabel = nameValueLabel(new QLabel(box), QStringLiteral("lblTimers"), QStringLiteral("計測中"));
    m_timersLabel->setStyleSheet(QStringLiteral("color: #b0402a; font-weight: bold;"));
    m_stopFeedButton =
        makeButton(QStringLiteral("cmdFeedEnd"), QStringLiteral("授乳終了"),
                   QStringLiteral("計測中の授乳を今の時刻（時刻の欄があればその時刻）で止めます"), box);
    m_stopFeedButton->setEnabled(false);
    m_sinceLastLabel =
        nameValueLabel(new QLabel(box), QStringLiteral("lblSinceLast"), QStringLiteral("前回から"));
    row->addWidget(m_sinceLastLabel, 1);
    row->addWidget(m_timersLabel);
    row->addWidget(m_stopFeedButton);
    connect(m_stopFeedButton, &QPushButton::clicked, this, &CarePanel::stopFeed);
    return box;
}

QWidget *CarePanel::buildInputs()
{
    auto *box = new QWidget(this);
    m_timeEdit = new QLineEdit(box);
    nameControl(m_timeEdit, QStringLiteral("txtJikoku"), QStringLiteral("時刻"));
    m_timeEdit->setPlaceholderText(QStringLiteral("今"));
    m_timeEdit->setToolTip(
        QStringLiteral("空なら今の時刻。03:10 のように入れると、次の記録と変更する記録の時刻になります"));
    m_timeEdit->setMaximumWidth(80);
    auto *earlier = makeButton(QStringLiteral("cmdMinus5"), QStringLiteral("−5分"),
                               QStringLiteral("時刻を5分戻します"), box);
    auto *later = makeButton(QStringLiteral("cmdPlus5"), QStringLiteral("＋5分"),
                             QStringLiteral("時刻を5分進めます"), box);
    earlier->setAccessibleName(QStringLiteral("時刻を5分戻す"));
    later->setAccessibleName(QStringLiteral("時刻を5分進める"));
    m_amountEdit = new QLineEdit(box);
    nameControl(m_amountEdit, QStringLiteral("txtRyou"), QStringLiteral("量"));
    m_amountEdit->setToolTip(
        QStringLiteral("ミルク・搾乳は ml、体温は ℃、薬と離乳食は量（例: 1包、小さじ2）"));
    m_amountEdit->setMaximumWidth(100);
    m_pooBox = new QComboBox(box);
    nameControl(m_pooBox, QStringLiteral("cboUnchi"), QStringLiteral("うんちの様子"));
    m_pooBox->addItems({QStringLiteral("ふつう"), QStringLiteral("ゆるい"), QStringLiteral("かたい")});
    m_medicineBox = new QComboBox(box);
    m_medicineBox->setEditable(true);
    m_medicineBox->setMinimumContentsLength(10);
    nameControl(m_medicineBox, QStringLiteral("cboKusuri"), QStringLiteral("薬の名前"));
    m_intervalSpin = new QSpinBox(box);
    nameControl(m_intervalSpin, QStringLiteral("spnKankaku"), QStringLiteral("間隔(時間)"));
    m_intervalSpin->setRange(0, 48);
    m_intervalSpin->setToolTip(QStringLiteral("次に飲ませてよいまでの時間（0 は決まりなし）"));
    m_nextDoseLabel = nameValueLabel(new QLabel(box), QStringLiteral("lblNextDose"),
                                     QStringLiteral("次に飲ませてよい時刻"));
    m_dishBox = new QComboBox(box);
    m_dishBox->setEditable(true);
    m_dishBox->setMinimumContentsLength(12);
    nameControl(m_dishBox, QStringLiteral("cboRyouri"), QStringLiteral("離乳食の料理"));
    m_memoEdit = new QLineEdit(box);
    nameControl(m_memoEdit, QStringLiteral("txtMemo"), QStringLiteral("メモ"));

    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *first = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{makeLabel(QStringLiteral("時刻"), m_timeEdit, box),
                                                       m_timeEdit, earlier, later})
        first->addWidget(w);
    first->addSpacing(12);
    for (QWidget *w :
         std::initializer_list<QWidget *>{makeLabel(QStringLiteral("量"), m_amountEdit, box), m_amountEdit})
        first->addWidget(w);
    first->addSpacing(12);
    for (QWidget *w :
         std::initializer_list<QWidget *>{makeLabel(QStringLiteral("うんちの様子"), m_pooBox, box), m_pooBox})
        first->addWidget(w);
    first->addSpacing(12);
    first->addWidget(makeLabel(QStringLiteral("メモ"), m_memoEdit, box));
    first->addWidget(m_memoEdit, 1);
    auto *second = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{
             makeLabel(QStringLiteral("薬の名前"), m_medicineBox, box), m_medicineBox,
             makeLabel(QStringLiteral("間隔(時間)"), m_intervalSpin, box), m_intervalSpin, m_nextDoseLabel})
        second->addWidget(w);
    second->addSpacing(12);
    second->addWidget(makeLabel(QStringLiteral("離乳食の料理"), m_dishBox, box));
    second->addWidget(m_dishBox, 1);
    grid->addLayout(first, 0, 0);
    grid->addLayout(second, 1, 0);

    connect(earlier, &QPushButton::clicked, this, [this] { stepTime(-5); });
    connect(later, &QPushButton::clicked, this, [this] { stepTime(5); });
    connect(m_medicineBox, &QComboBox::currentTextChanged, this, [this](const QString &name) {
        if (const int hours = care::intervalOf(m_screen.notebook().careLog, name.trimmed()); hours > 0)
            m_intervalSpin->setValue(hours);
        showNextDose();
    });
    return box;
}

// The shown day: its entries, its totals, the day's start, and the doors to the charts.
QWidget *CarePanel::buildDay()
{
    auto *box = new QWidget(this);
    auto *previous =
        makeButton(QStringLiteral("cmdMaeNoHi"), QStringLiteral("◀"), QStringLiteral("前の日"), box);
    auto *next =
        makeButton(QStringLiteral("cmdTsugiNoHi"), QStringLiteral("▶"), QStringLiteral("次の日"), box);
    previous->setAccessibleName(QStringLiteral("前の日"));
    next->setAccessibleName(QStringLiteral("次の日"));
    m_dayEdit = new QDateEdit(box);
    m_dayEdit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    nameControl(m_dayEdit, QStringLiteral("dtpHi"), QStringLiteral("表示する日"));
    m_dayStartSpin = new QSpinBox(box);
    m_dayStartSpin->setRange(0, 23);
    m_dayStartSpin->setSuffix(QStringLiteral("時"));
    m_dayStartSpin->setValue(careDayStartHour());
    m_dayStartSpin->setToolTip(QStringLiteral("一日を何時から数えるか（このパソコンに覚えます）"));
    nameControl(m_dayStartSpin, QStringLiteral("spnHajimari"), QStringLiteral("一日の始まり"));
    auto *rhythm = makeButton(QStringLiteral("cmdRhythm"), QStringLiteral("生活リズム"),
                              QStringLiteral("睡眠・授乳・おむつの生活リズムと体温のグラフを開きます"), box);
    auto *visit =
        makeButton(QStringLiteral("cmdJushin"), QStringLiteral("受診用・CSV"),
                   QStringLiteral("受診のときに見せる記録の印刷と、表計算用の CSV 書き出しを開きます"), box);
    m_dayList = new QListWidget(box);
    nameControl(m_dayList, QStringLiteral("lstKiroku"), QStringLiteral("その日の記録"));
    m_dayList->setToolTip(QStringLiteral("Enter で変更、Delete で削除します"));
    m_totalsLabel =
        nameValueLabel(new QLabel(box), QStringLiteral("lblGoukei"), QStringLiteral("その日の合計"));
    m_totalsLabel->setWordWrap(true);
    m_totalsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_loadButton = makeButton(QStringLiteral("cmdHenkou"), QStringLiteral("変更"),
                              QStringLiteral("選んだ記録を欄に読み込みます"), box);
    m_saveChangeButton =
        makeButton(QStringLiteral("cmdHenkouHozon"), QStringLiteral("変更を保存"),
                   QStringLiteral("欄の時刻・量・メモで、読み込んだ記録を書き換えます"), box);
    m_deleteButton = makeButton(QStringLiteral("cmdSakujo"), QStringLiteral("削除"),
                                QStringLiteral("選んだ記録を削除します"), box);
    m_saveChangeButton->setEnabled(false);

    auto *head = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{
             previous, makeLabel(QStringLiteral("表示する日"), m_dayEdit, box), m_dayEdit, next})
        head->addWidget(w);
    head->addSpacing(12);
    head->addWidget(makeLabel(QStringLiteral("一日の始まり"), m_dayStartSpin, box));
    head->addWidget(m_dayStartSpin);
    head->addStretch();
    head->addWidget(rhythm);
    head->addWidget(visit);
    auto *edits = new QVBoxLayout;
    for (QPushButton *b : {m_loadButton, m_saveChangeButton, m_deleteButton})
        edits->addWidget(b);
    edits->addStretch();
    auto *body = new QHBoxLayout;
    body->addWidget(m_dayList, 1);
    body->addLayout(edits);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(head);
    layout->addWidget(makeLabel(QStringLiteral("その日の記録"), m_dayList, box));
    layout->addLayout(body, 1);
    layout->addWidget(m_totalsLabel);

    connect(previous, &QPushButton::clicked, this,
            [this] { m_dayEdit->setDate(m_dayEdit->date().addDays(-1)); });
    connect(next, &QPushButton::clicked, this, [this] { m_dayEdit->setDate(m_dayEdit->date().addDays(1)); });
    connect(m_dayEdit, &QDateEdit::dateChanged, this, &CarePanel::showDay);
    connect(m_dayStartSpin, &QSpinBox::valueChanged, this, [this](int hour) {
        setCareDayStartHour(hour);
        showDay();
    });
    connect(rhythm, &QPushButton::clicked, this, &CarePanel::openCareCharts);
    connect(visit, &QPushButton::clicked, this, &CarePanel::openCareCharts);
    return box;
}

// 変更, 変更を保存 and 削除; on the list Enter (or a double-click) loads and Delete deletes.
void CarePanel::connectEntryCommands()
{
    connect(m_loadButton, &QPushButton::clicked, this, &CarePanel::loadChosen);
    connect(m_saveChangeButton, &QPushButton::clicked, this, &CarePanel::saveChange);
    connect(m_deleteButton, &QPushButton::clicked, this, &CarePanel::deleteChosen);
    connect(m_dayList, &QListWidget::itemDoubleClicked, this, &CarePanel::loadChosen);
    hookEvents(m_dayList, [this](QEvent *e) {
        if (isEnterKey(e))
            loadChosen();
        else if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_Delete)
            deleteChosen();
        else
            return false;
        return true;
    });
}

void CarePanel::open()
{
    Notebook &nb = m_screen.notebook();
    const QString typed = m_dishBox->currentText();
    m_dishBox->clear();
    m_dishBox->addItems(nb.recipes.names());
    m_dishBox->setEditText(typed);
    // The day as the parent counts it: before the day's start hour it is still yesterday.
    m_dayEdit->setDate(now().addSecs(-3600 * m_dayStartSpin->value()).date());
    showDay();
    m_screen.panelHide();
    show();
    m_kindButtons.value(int(Kind::BreastLeft))->setFocus();
    m_screen.helpTour(
        QStringLiteral("授乳・睡眠・おむつ・体温・薬などを、ボタンひとつで今の時刻で記録します。\r\n\r\n"
                       "ボタンの数字や文字のキーでも記録できます（入力欄の中では Alt と一緒に）。\r\n"
                       "母乳と睡眠は計測を始め、もう一度押すと止まります。\r\n\r\n"
                       "下の一覧で記録を選ぶと、変更や削除ができます。"));
}

void CarePanel::readCareLog() { m_screen.notebook().readTable(NotebookTable::CareLog); }

QDateTime CarePanel::now() const
{
    const QDateTime n = m_screen.notebook().clock.now();
    return QDateTime(n.date(), QTime(n.time().hour(), n.time().minute()));
}

void CarePanel::record(Kind kind)
{
    if (kind == Kind::BreastLeft || kind == Kind::BreastRight)
        startOrSwitchFeed(kind);
    else if (kind == Kind::Sleep)
        toggleSleep();
    else
        recordMoment(kind);
}

void CarePanel::recordMoment(Kind kind)
{
    const std::optional<QDateTime> at = nextMoment();
    if (!at)
        return;
    care::Entry entry;
    entry.date = at->date();
    entry.time = at->time();
    entry.kind = kind;
    entry.amount = amountFor(kind);
    entry.note = noteFor(kind, QString());
    if (kind == Kind::Medicine)
        entry.intervalHours = m_intervalSpin->value();
    entry.id = care::newId();
    if (kind == Kind::Medicine && !doseAllowed(entry))
        return;
    if (add(entry))
        clearInputs();
}

// A side pressed while the other runs switches at that moment; the same side again ends it.
void CarePanel::startOrSwitchFeed(Kind side)
{
    const std::optional<QDateTime> at = nextMoment();
    if (!at)
        return;
    if (const std::optional<care::Entry> running = runningOf(true)) {
        if (!stopTimer(*running))
            return;
        if (running->kind == side) {
            clearInputs();
            return;
        }
    }
    care::Entry entry;
    entry.date = at->date();
    entry.time = at->time();
    entry.kind = side;
    entry.running = true;
    entry.id = care::newId();
    if (add(entry))
        clearInputs();
}

void CarePanel::toggleSleep()
{
    if (const std::optional<care::Entry> running = runningOf(false)) {
        if (stopTimer(*running))
            clearInputs();
        return;
    }
    const std::optional<QDateTime> at = nextMoment();
    if (!at)
        return;
    care::Entry entry;
    entry.date = at->date();
    entry.time = at->time();
    entry.kind = Kind::Sleep;
    entry.running = true;
    entry.id = care::newId();
    if (add(entry))
        clearInputs();
}

void CarePanel::stopFeed()
{
    if (const std::optional<care::Entry> running = runningOf(true); running && stopTimer(*running))
        clearInputs();
}

bool CarePanel::stopTimer(const care::Entry &running)
{
    const std::optional<QDateTime> at = nextMoment();
    if (!at)
        return false;
    care::Entry done = running;
    done.running = false;
    done.end = at->time();
    return change(running.id, done);
}

std::optional<care::Entry> CarePanel::runningOf(bool feed) const
{
    for (const care::Entry &e : care::runningTimers(m_screen.notebook().careLog))
        if (feed ? care::isFeed(e.kind) && care::isSpan(e.kind) : e.kind == Kind::Sleep)
            return e;
    return std::nullopt;
}

std::optional<QTime> CarePanel::typedTime(bool *empty)
{
    const QString text = asciiDigits(m_timeEdit->text()).trimmed().replace(u'：', u':');
    *empty = text.isEmpty();
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):?(\\d{2})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt());
    return t.isValid() ? std::optional<QTime>(t) : std::nullopt;
}

std::optional<QDateTime> CarePanel::nextMoment()
{
    bool empty = false;
    const std::optional<QTime> typed = typedTime(&empty);
    const QDateTime n = now();
    if (empty)
        return n;
    if (!typed) {
        m_screen.dialogs().warning(Title,
                                   QStringLiteral("時刻は 03:10 のように、時と分で入力してください。"));
        m_timeEdit->setFocus();
        m_timeEdit->selectAll();
        return std::nullopt;
    }
    // A time typed afterwards: the latest such moment, so 23:50 typed after midnight is last night.
    QDateTime at(n.date(), *typed);
    return at > n ? at.addDays(-1) : at;
}

void CarePanel::stepTime(int minutes)
{
    bool empty = false;
    const std::optional<QTime> typed = typedTime(&empty);
    const QTime base = typed ? *typed : now().time();
    m_timeEdit->setText(base.addSecs(60 * minutes).toString(QStringLiteral("hh:mm")));
}

// The amount as the file keeps it: ml as a whole number, ℃ to one decimal, a dose as typed.
QString CarePanel::amountFor(Kind kind) const
{
    if (!takesAmount(kind))
        return {};
    const QString typed = m_amountEdit->text().trimmed();
    QString plain = asciiDigits(typed);
    plain.remove(QRegularExpression(QStringLiteral("\\s*(ml|mL|ML|ｍｌ|℃|度)$")));
    bool ok = false;
    if (kind == Kind::Formula || kind == Kind::Pumped) {
        const int ml = plain.toInt(&ok);
        return ok ? QString::number(ml) : typed;
    }
    if (kind == Kind::Temperature) {
        const double degrees = plain.toDouble(&ok);
        return ok ? QString::number(degrees, 'f', 1) : typed;
    }
    return typed;
}

QString CarePanel::noteFor(Kind kind, const QString &kept) const
{
    switch (kind) {
    case Kind::Poo:
        return m_pooBox->currentText();
    case Kind::Medicine:
        return m_medicineBox->currentText().trimmed();
    case Kind::Solids:
        return m_dishBox->currentText().trimmed();
    case Kind::Memo:
        return m_memoEdit->text().trimmed();
    default:
        return kept;
    }
}

bool CarePanel::doseAllowed(const care::Entry &dose)
{
    const QList<care::Entry> &log = m_screen.notebook().careLog;
    const QDateTime allowed = care::nextDoseAllowed(log, dose.note);
    if (!allowed.isValid() || dose.start() >= allowed)
        return true;
    const QDateTime last = allowed.addSecs(-3600 * qint64(care::intervalOf(log, dose.note)));
    const qint64 minutes = qMax<qint64>(0, last.secsTo(dose.start()) / 60);
    return askYesNo(m_screen.dialogs(),
                    QStringLiteral("前回の%1から %2時間%3分しかたっていません。記録しますか？")
                        .arg(dose.note)
                        .arg(minutes / 60)
                        .arg(minutes % 60, 2, 10, QLatin1Char('0')));
}

bool CarePanel::add(const care::Entry &entry)
{
    const WriteResult written = m_screen.notebook().addCareEntry(entry);
    if (!written.ok)
        m_screen.dialogs().warning(Title, written.error);
    return written.ok;
}

bool CarePanel::change(const QString &id, const std::optional<care::Entry> &now)
{
    if (now) {
        if (const QString refused = care::checkEntry(*now); !refused.isEmpty()) {
            m_screen.dialogs().warning(Title, refused);
            return false;
        }
    }
    const WriteResult written = m_screen.notebook().changeCareEntry(id, now);
    if (!written.ok)
        m_screen.dialogs().warning(Title, written.error);
    return written.ok;
}

void CarePanel::clearInputs()
{
    m_timeEdit->clear();
    m_amountEdit->clear();
    m_memoEdit->clear();
    m_pooBox->setCurrentIndex(0);
    m_dishBox->setEditText(QString());
    m_editedId.clear();
    m_saveChangeButton->setEnabled(false);
}

std::optional<care::Entry> CarePanel::chosenEntry() const
{
    const QListWidgetItem *item = m_dayList->currentItem();
    if (!item)
        return std::nullopt;
    const QString id = item->data(Qt::UserRole).toString();
    for (const care::Entry &e : m_screen.notebook().careLog)
        if (e.id == id)
            return e;
    return std::nullopt;
}

void CarePanel::loadChosen()
{
    const std::optional<care::Entry> entry = chosenEntry();
    if (!entry)
        return;
    m_editedId = entry->id;
    m_timeEdit->setText(entry->time.toString(QStringLiteral("hh:mm")));
    m_amountEdit->setText(entry->amount);
    if (entry->kind == Kind::Poo)
        m_pooBox->setCurrentIndex(qMax(0, m_pooBox->findText(entry->note)));
    else if (entry->kind == Kind::Medicine) {
        m_medicineBox->setEditText(entry->note);
        m_intervalSpin->setValue(entry->intervalHours);
    } else if (entry->kind == Kind::Solids)
        m_dishBox->setEditText(entry->note);
    else if (entry->kind == Kind::Memo)
        m_memoEdit->setText(entry->note);
    m_saveChangeButton->setEnabled(true);
    m_timeEdit->setFocus();
    m_timeEdit->selectAll();
}

void CarePanel::saveChange()
{
    std::optional<care::Entry> was;
    for (const care::Entry &e : m_screen.notebook().careLog)
        if (e.id == m_editedId)
            was = e;
    if (!was) {
        m_screen.dialogs().warning(
            Title,
            QStringLiteral("変更する記録が見つかりません（別のパソコンで削除されたかもしれません）。"));
        clearInputs();
        return;
    }
    bool empty = false;
    const std::optional<QTime> typed = typedTime(&empty);
    if (!empty && !typed) {
        m_screen.dialogs().warning(Title,
                                   QStringLiteral("時刻は 03:10 のように、時と分で入力してください。"));
        m_timeEdit->setFocus();
        return;
    }
    care::Entry now = *was;
    if (typed)
        now.time = *typed;
    if (takesAmount(now.kind))
        now.amount = amountFor(now.kind);
    now.note = noteFor(now.kind, was->note);
    if (now.kind == Kind::Medicine)
        now.intervalHours = m_intervalSpin->value();
    if (change(was->id, now))
        clearInputs();
}

void CarePanel::deleteChosen()
{
    const std::optional<care::Entry> entry = chosenEntry();
    if (!entry || !askYesNo(m_screen.dialogs(), QStringLiteral("この記録を削除しますか？")))
        return;
    if (change(entry->id, std::nullopt) && m_editedId == entry->id)
        clearInputs();
}

void CarePanel::showChange(const NotebookChange &change)
{
    if (change.table != NotebookTable::CareLog)
        return;
    showDay();
    showMedicineNames();
    showNextDose();
    tick();
}

void CarePanel::showDay()
{
    const Notebook &nb = m_screen.notebook();
    const QDate day = m_dayEdit->date();
    const int dayStart = m_dayStartSpin->value();
    const QDateTime n = nb.clock.now();
    const QString chosen =
        m_dayList->currentItem() ? m_dayList->currentItem()->data(Qt::UserRole).toString() : QString();
    m_dayList->clear();
    for (const care::Entry &e : care::entriesOfDay(nb.careLog, day, dayStart)) {
        auto *item = new QListWidgetItem(careRowText(e, day, n), m_dayList);
        item->setData(Qt::UserRole, e.id);
        if (e.id == chosen)
            m_dayList->setCurrentItem(item);
    }
    const QString totals = care::totalsLine(care::totalsOf(nb.careLog, day, dayStart, n));
    m_totalsLabel->setText(totals.isEmpty() ? QStringLiteral("この日の記録はありません") : totals);
}

void CarePanel::showMedicineNames()
{
    QStringList names;
    const QList<care::Entry> &log = m_screen.notebook().careLog;
    for (auto e = log.crbegin(); e != log.crend(); ++e)
        if (e->kind == Kind::Medicine && !e->note.isEmpty() && !names.contains(e->note))
            names.append(e->note);
    const QString typed = m_medicineBox->currentText();
    const QSignalBlocker block(m_medicineBox);
    m_medicineBox->clear();
    m_medicineBox->addItems(names);
    m_medicineBox->setEditText(typed);
}

void CarePanel::showNextDose()
{
    const QString name = m_medicineBox->currentText().trimmed();
    const QDateTime allowed =
        name.isEmpty() ? QDateTime() : care::nextDoseAllowed(m_screen.notebook().careLog, name);
    const QDateTime n = now();
    QString text;
    if (allowed.isValid() && allowed > n) {
        const QString time = allowed.time().toString(QStringLiteral("hh:mm"));
        if (allowed.date() == n.date())
            text = QStringLiteral("次は %1 から").arg(time);
        else if (allowed.date() == n.date().addDays(1))
            text = QStringLiteral("次は 明日 %1 から").arg(time);
        else
            text =
                QStringLiteral("次は %1 %2 から").arg(allowed.date().toString(QStringLiteral("M/d")), time);
    }
    m_nextDoseLabel->setText(text);
}

// Each second: the running timers count on screen (the file is written only when one stops);
// the since-last line and the day's list follow the minute.
void CarePanel::tick()
{
    const Notebook &nb = m_screen.notebook();
    const QDateTime n = nb.clock.now();
    QStringList timers;
    bool feeding = false;
    for (const care::Entry &e : care::runningTimers(nb.careLog)) {
        timers.append(QStringLiteral("%1 計測中 %2")
                          .arg(care::kindName(e.kind), durationText(e.start().secsTo(n) / 60)));
        feeding = feeding || e.kind != Kind::Sleep;
    }
    m_timersLabel->setText(timers.join(QStringLiteral("　")));
    // The stopped feed's button goes grey: the keys stay with the panel's buttons, not a text box.
    if (!feeding && m_stopFeedButton->hasFocus())
        m_kindButtons.value(int(Kind::BreastLeft))->setFocus();
    m_stopFeedButton->setEnabled(feeding);
    const QString since = care::sinceLast(nb.careLog, n).join(QStringLiteral("　"));
    if (since == m_sinceLastText)
        return;
    m_sinceLastText = since;
    m_sinceLastLabel->setText(since);
    emit sinceLastChanged(since);
    if (!timers.isEmpty() && isVisible())
        showDay();
    showNextDose();
}

void CarePanel::openCareCharts()
{
    // One window, kept while the panel lives: its period stays for the next look.
    if (!m_chartsWindow)
        m_chartsWindow = new CareChartsWindow(m_screen.notebook(), m_screen.dialogs(), this, &m_screen.printer());
    m_chartsWindow->show();
    m_chartsWindow->raise();
    m_chartsWindow->activateWindow();
}
