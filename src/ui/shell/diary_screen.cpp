#include "ui/shell/diary_screen.h"

#include "core/book/notebook.h"
#include "core/book/notebook_setup.h"
#include "core/files/dialogs.h"
#include "core/files/file_names.h"
#include "core/profile/profile_files.h"
#include "ui/care/care_panel.h"
#include "ui/handbook/handbook_panel.h"
#include "ui/notebook/anniversary_box.h"
#include "ui/notebook/diary_page.h"
#include "ui/notebook/growth_panel.h"
#include "ui/notebook/list_panel.h"
#include "ui/notebook/screen_print.h"
#include "ui/notebook/yearbook_window.h"
#include "ui/phone/phone_widget.h"
#include "ui/profile/backup_commands.h"
#include "ui/profile/profile_screen.h"
#include "ui/recipes/recipe_screen.h"
#include "ui/registers/gift_panel.h"
#include "ui/registers/photo_panel.h"
#include "ui/registers/schedule_panel.h"
#include "ui/shell/help_window.h"
#include "ui/shell/outside_watch.h"
#include "ui/shell/recipe_tools_hookup.h"
#include "ui/widgets/ui_util.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>

#include <utility>

QString notebookTitle(const QString &nickname) { return nickname + QStringLiteral("の育児手帖"); }
QString recipeTitle(const QString &nickname)
{
    return QStringLiteral("Popora  ～ ") + nickname + QStringLiteral("のレシピ");
}

namespace {

QIcon helpTourIcon()
{
    QPixmap pm(28, 28);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 214, 120));
    p.setPen(QPen(QColor(200, 140, 40), 2));
    p.drawEllipse(QRectF(2, 2, 24, 24));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(17);
    p.setFont(f);
    p.setPen(QColor(120, 70, 10));
    p.drawText(QRectF(2, 2, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
    return QIcon(pm);
}

} // namespace

DiaryScreen::DiaryScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer, const QString &helpDir,
                         QWidget *parent)
    : QMainWindow(parent), m_notebook(notebook), m_dialogs(dialogs), m_printer(printer), m_helpDir(helpDir)
{
    prepareAccessibility();
    setObjectName(QStringLiteral("frmDiary"));
    buildBar();
    for (const BarCommand &command : barCommands())
        if (command.makePanel) {
            QFrame *panel = command.makePanel(*this);
            m_panels.append(panel);
            m_panelHelp.append({panel, command.helpPage});
        }

    // The six panels share one place of the window; exactly one is visible at a time.
    auto *area = new QGridLayout;
    for (QFrame *panel : panels()) {
        panel->setFrameShape(QFrame::StyledPanel);
        area->addWidget(panel, 0, 0);
    }
    // A main window, so that screen readers are told of a frame, not of a filler.
    auto *central = new QWidget(this);
    setCentralWidget(central);
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(m_bar);
    layout->addLayout(area, 1);

    // The titles carry the nickname, whoever changes the profile.
    connect(&m_notebook, &Notebook::profileChanged, this, [this] {
        if (m_recipeScreen)
            m_recipeScreen->setWindowTitle(recipeTitle(m_notebook.profile.nickname));
        showNotebookTitle();
        // The picture mode as the file now says (another computer may have switched it).
        if (!m_loading)
            m_diaryPage->applyPictureMode();
    });
    connect(this, &DiaryScreen::profileScreenRequested, this, &DiaryScreen::openProfileScreen);
    // The time since the last feed and nappy stays in the status line, whichever panel is shown.
    m_careSince =
        nameValueLabel(new QLabel(statusBar()), QStringLiteral("lblCareSince"), QStringLiteral("前回から"));
    statusBar()->addPermanentWidget(m_careSince);
    connect(m_carePanel, &CarePanel::sinceLastChanged, m_careSince, &QLabel::setText);
    tellRefusedPictures(this, m_dialogs, m_notebook.files);
    resize(1180, 720);
}

// The notebook screen's commands and panels, declared once: the bar's buttons (caption,
// tooltip, name, key), the panels and the help page shown with each are all made from here.
// Keys: F1 is the help and F4 stays the date lists' own; when the F-keys run out, a new panel
// takes Ctrl with a digit or Alt with a letter.
const QList<DiaryScreen::BarCommand> &DiaryScreen::barCommands()
{
    using S = DiaryScreen;
    const auto key = [](int k) { return QKeySequence(k); };
    static const QList<BarCommand> commands = {
        {QStringLiteral("cmdNew"), QStringLiteral("新規"), QStringLiteral("新しい日記のページを作ります"), {},
         key(Qt::Key_F2), false, {}, {}, [](S &s) { s.m_diaryPage->newPage(); }},
        // The bar's 保存 saves the diary page whichever panel is shown: its name says so, apart
        // from the schedule's own 保存.
        {QStringLiteral("cmdTouroku"), QStringLiteral("保存"), QStringLiteral("表示中の日記を保存します"),
         QStringLiteral("日記を保存"), key(Qt::Key_F3), false, {}, {}, [](S &s) { s.m_diaryPage->save(); }},
        {QStringLiteral("cmdDiary"), QStringLiteral("日記"), QStringLiteral("メインの育児日記のページを表示します"), {},
         key(Qt::Key_F5), true, QStringLiteral("diary.html"),
         [](S &s) { return s.m_diaryPage = new DiaryPage(s, &s); }, [](S &s) { s.diaryButtonClicked(); }},
        {QStringLiteral("cmdList"), QStringLiteral("一覧"), QStringLiteral("育児日記を一覧で見ることができます"), {},
         key(Qt::Key_F6), false, QStringLiteral("panels.html#list"),
         [](S &s) { return s.m_listPanel = new ListPanel(s, &s); }, [](S &s) { s.m_listPanel->open(); }},
        {QStringLiteral("cmdGraph"), QStringLiteral("グラフ"), QStringLiteral("身長、体重のグラフ表示です"), {},
         key(Qt::Key_F7), false, QStringLiteral("panels.html#graph"),
         [](S &s) { return s.m_growthPanel = new GrowthPanel(s, &s); }, [](S &s) { s.m_growthPanel->open(); }},
        // The schedule's text box is "予定": the button is named for the whole table.
        {QStringLiteral("cmdYotei"), QStringLiteral("予定"), QStringLiteral("予定を登録することができます"),
         QStringLiteral("予定表"), key(Qt::Key_F8), false, QStringLiteral("panels.html#yotei"),
         [](S &s) { return s.m_schedulePanel = new SchedulePanel(s, &s); }, [](S &s) { s.m_schedulePanel->open(); }},
        {QStringLiteral("cmdItadaki"), QStringLiteral("頂き物"), QStringLiteral("頂きものやお返しを管理します"), {},
         key(Qt::Key_F9), false, QStringLiteral("panels.html#gift"),
         [](S &s) { return s.m_giftPanel = new GiftPanel(s, &s); }, [](S &s) { s.m_giftPanel->open(); }},
        {QStringLiteral("cmdPhoto"), QStringLiteral("写真館"), {}, {}, key(Qt::Key_F10), false,
         QStringLiteral("panels.html#photo"), [](S &s) { return s.m_photoPanel = new PhotoPanel(s, &s); },
         [](S &s) { s.m_photoPanel->open(); }},
        {QStringLiteral("cmdKiroku"), QStringLiteral("記録"), QStringLiteral("授乳・睡眠・おむつ・体温・薬を記録します"), {},
         QKeySequence(), false, QStringLiteral("panels.html#kiroku"),
         [](S &s) {
             // The phone page's switch lives on the panel whose entries the phones add.
             s.m_carePanel = new CarePanel(s, &s);
             s.m_carePanel->layout()->addWidget(new PhoneWidget(s.notebook(), s.dialogs(), s.m_carePanel));
             return s.m_carePanel;
         },
         [](S &s) { s.m_carePanel->open(); }},
        {QStringLiteral("cmdTecho"), QStringLiteral("手帳"),
         QStringLiteral("健診の記録と「できたよ」をつけ、母子手帳に書き写すページを印刷します"), {}, QKeySequence(),
         false, QStringLiteral("panels.html#techo"), [](S &s) { return s.m_handbookPanel = new HandbookPanel(s, &s); },
         [](S &s) { s.m_handbookPanel->open(); }},
        {QStringLiteral("cmdPrint"), QStringLiteral("印刷"), QStringLiteral("表示中の画面を印刷します"), {},
         QKeySequence(Qt::CTRL | Qt::Key_P), true, {}, {}, [](S &s) { printNotebookScreen(&s, s); }},
        {QStringLiteral("cmdRinyu"), QStringLiteral("離乳食"), QStringLiteral("離乳食レシピモードです"), {},
         key(Qt::Key_F11), false, {}, {}, [](S &s) { s.recipeButtonClicked(); }},
        {QStringLiteral("cmdPrivate"), QStringLiteral("設定"), {}, {}, key(Qt::Key_F12), false, {}, {},
         [](S &s) { s.profileButtonClicked(); }},
        // The bar is full at the smallest window: the caption is short, the name says it whole.
        {QStringLiteral("cmdYearbook"), QStringLiteral("書き出し"),
         QStringLiteral("アルバム書き出し：日記を写真やグラフと一緒にウェブページや PDF に書き出します"),
         QStringLiteral("アルバム書き出し"), QKeySequence(Qt::CTRL | Qt::Key_E), false, {}, {},
         [](S &s) { s.openYearbook(); }},
        {QStringLiteral("cmdHelp"), QStringLiteral("ヘルプ"), QStringLiteral("ヘルプファイルを開きます"), {}, {}, false,
         {}, {}, [](S &s) { s.openHelp(); }},
        {QStringLiteral("cmdEnd"), QStringLiteral("終了"), QStringLiteral("プログラムを終了します"), {},
         QKeySequence(Qt::CTRL | Qt::Key_Q), false, {}, {}, [](S &s) { s.endProgram(true); }},
    };
    return commands;
}

// The button bar; the panels a button opens are made after it, so every handler reaches its
// panel when it runs.
void DiaryScreen::buildBar()
{
    m_bar = new QWidget(this);
    m_bar->setObjectName(QStringLiteral("barButtons"));
    auto *bar = new QHBoxLayout(m_bar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(4);

    // Ctrl+B, F1 and F4 are taken by the window's own shortcuts; a panel without a declared key
    // gets a free one.
    QList<QKeySequence> declared{QKeySequence(Qt::CTRL | Qt::Key_B), QKeySequence(Qt::Key_F1),
                                 QKeySequence(Qt::Key_F4)};
    QList<bool> wantsKey(declared.size(), false);
    for (const BarCommand &command : barCommands()) {
        declared.append(command.key);
        wantsKey.append(bool(command.makePanel));
    }
    const QList<QKeySequence> keys = barKeys(declared, wantsKey);
    QList<QKeySequence> commandKeys{QKeySequence(Qt::CTRL | Qt::Key_B)};
    qsizetype i = 3;
    for (const BarCommand &command : barCommands()) {
        const QKeySequence key = keys[i++];
        if (command.gapBefore)
            bar->addSpacing(10);
        QPushButton *b = addBarButton(command.id, command.caption, command.tooltip,
                                      [this, run = command.run] { run(*this); });
        if (!command.name.isEmpty())
            b->setAccessibleName(command.name);
        if (key.isEmpty())
            continue;
        // Each key told in its button's tooltip; the help's list of buttons gives them too.
        b->setShortcut(key);
        b->setToolTip((b->toolTip().isEmpty() ? b->text() : b->toolTip()) + QStringLiteral(" (") +
                      key.toString(QKeySequence::NativeText) + u')');
        commandKeys.append(key);
    }
    keepCommandKeys(this, commandKeys);
    bar->addStretch();
    m_helpTourCheck = new QCheckBox(m_bar);
    nameControl(m_helpTourCheck, QStringLiteral("chkHelp"), QStringLiteral("ヘルプツアーのＯｎ／Ｏｆｆです"));
    m_helpTourCheck->setToolTip(QStringLiteral("ヘルプツアーのＯｎ／Ｏｆｆです"));
    m_helpTourCheck->setIcon(helpTourIcon());
    m_helpTourCheck->setIconSize(QSize(28, 28));
    bar->addWidget(m_helpTourCheck);

    // toggled, not clicked: the keyboard and the accessibility toggle action count as a click.
    connect(m_helpTourCheck, &QCheckBox::toggled, this, &DiaryScreen::helpCheckClicked);
    // Ctrl+B: the whole notebook into one zip, as the profile screen's バックアップ.
    auto *backup = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_B), this);
    connect(backup, &QShortcut::activated, this, [this] { backup_commands::backUp(m_notebook, m_dialogs, this); });
    // F1 in any of the program's windows.
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::ApplicationShortcut);
    connect(f1, &QShortcut::activated, this, [this] { openHelpAt(helpPageShown()); });
}

void DiaryScreen::diaryButtonClicked()
{
    panelHide();
    showDiaryPanel();
    helpTour(
        QStringLiteral("育児日記のメイン画面です。\r\n\r\n"
                       "身長・体重を残したり、日記を記録を残すことができます。\r\n\r\n"
                       "また、特別な日を記念日としてリストに表示することができたり、\r\n"
                       "指定した文字が含まれる日記を簡単に検索することができます。\r\n\r\n"
                       "デジカメをお持ちなら１日あたり６枚までの写真を登録、表示させることができます。\r\n"));
}

void DiaryScreen::openYearbook()
{
    // One window, kept while the screen lives: its choices stay for the next export.
    if (!m_yearbook)
        m_yearbook = new YearbookWindow(*this, this);
    m_yearbook->show();
    m_yearbook->raise();
    m_yearbook->activateWindow();
}

void DiaryScreen::recipeButtonClicked()
{
    RecipeScreen *screen = recipeScreen();
    screen->show();
    screen->raise();
    helpTour(
        QStringLiteral("離乳食用のレシピ機能です。\r\n\r\n画像付きの楽しいレシピを作ることができます。"));
}

void DiaryScreen::profileButtonClicked()
{
    emit profileScreenRequested();
    helpTour(QStringLiteral(
        "サンプルデータをクリアし新規に育児手帖を作成したり料理レシピのポイントの変更が行えます。\r\n\r\n"
        "お子様が誕生してからの主なイベントの日程とその日付までのカウントダウンを表示しています。\r\n\r\n"
        "\r\n"
        "補足）出産時データ…としていますが、必ずしもこだわる必要はありません。\r\n"
        "　　　あくまでここで登録した日付が日記やグラフの初日に指定されるというだけです。\r\n\r\n"));
}

DiaryScreen::~DiaryScreen()
{
    if (m_recipeScreen)
        delete m_recipeScreen.data();
    for (const QPointer<HelpWindow> &w : m_helpWindows)
        delete w.data();
}

QPushButton *DiaryScreen::addBarButton(const QString &name, const QString &caption, const QString &tooltip,
                                       const std::function<void()> &handler)
{
    QPushButton *b = makeButton(name, caption, tooltip, m_bar);
    b->setMinimumHeight(34);
    b->setMinimumWidth(58);
    static_cast<QHBoxLayout *>(m_bar->layout())->addWidget(b);
    connect(b, &QPushButton::clicked, this, handler);
    return b;
}

QList<QFrame *> DiaryScreen::panels() const { return m_panels; }

void DiaryScreen::panelHide()
{
    for (QFrame *panel : panels())
        panel->setVisible(false);
}

void DiaryScreen::showDiaryPanel() { m_diaryPage->setVisible(true); }

void DiaryScreen::setCurrentDay(int k) { m_diaryPage->setCurrentDay(k); }

QString DiaryScreen::shownDate() const { return m_diaryPage->dateText(); }

void DiaryScreen::helpTour(const QString &text) { showHelpTour(m_notebook.tour, m_dialogs, text); }

RecipeScreen *DiaryScreen::recipeScreen()
{
    if (!m_recipeScreen) {
        m_recipeScreen = new RecipeScreen(m_notebook, m_dialogs);
        m_recipeScreen->setProperty(helpPageProperty(), QStringLiteral("recipes.html"));
        m_recipeScreen->setWindowTitle(recipeTitle(m_notebook.profile.nickname));
        m_recipeScreen->load(std::exchange(m_recipeTablesLoaded, false));
        attachRecipeTools(m_recipeScreen, m_notebook, m_dialogs, m_printer);
    }
    return m_recipeScreen;
}

void DiaryScreen::readProfile()
{
    m_notebook.readProfile();
    // The recipe screen's load, with the profile already in memory: its tables now, its
    // widgets (titled then) when it is first shown.
    if (m_recipeScreen) {
        m_recipeScreen->setWindowTitle(recipeTitle(m_notebook.profile.nickname));
    } else {
        RecipeScreen::loadTables(m_notebook, m_dialogs);
        m_recipeTablesLoaded = true;
    }
    showNotebookTitle();
}

void DiaryScreen::showNotebookTitle()
{
    setWindowTitle(notebookTitle(m_notebook.profile.nickname) +
                   (m_sampleView ? QStringLiteral("（見本）") : QString()));
}

void DiaryScreen::setFirstStart(bool sampleView, bool ownNotebook)
{
    m_sampleView = sampleView;
    m_ownNotebookStart = ownNotebook;
    showNotebookTitle();
}

void DiaryScreen::startOwnNotebook()
{
    openProfileScreen();
    m_profileScreen->prepareNewNotebook();
}

void DiaryScreen::load()
{
    m_helpFileName = QStringLiteral("index.html");
    m_loading = true;
    readProfile();
    m_diaryPage->applyPictureMode(); // the options; the picture follows once the window is laid out
    panelHide();
    m_diaryPage->clearPage();
    // The grids: headers and widths, no rows yet.
    m_listPanel->setupGrid();
    m_schedulePanel->setupGrid();
    m_giftPanel->setupGrids();
    m_diaryPage->readDiary(); // the growth series built with it
    m_diaryPage->anniversaries()->readAnniversaries();
    m_carePanel->readCareLog();
    m_diaryPage->showDay(m_notebook.diary.count());
    m_diaryPage->setNormalPictureLayout();
    readSettings(m_notebook.tour, m_notebook.files);
    m_helpTourCheck->setChecked(m_notebook.tour.helpTourOn != 0);
    m_diaryPage->setVisible(true);
    m_loading = false;
    show();
    // The day's picture (or the placeholder) decoded once, at the size the window gives it.
    m_diaryPage->showLoadedPicture();
    // Files that are there but could not be read, told once each.
    tellReadProblems(m_notebook.files, m_dialogs);
    greet();
    if (!m_outsideWatch) {
        m_outsideWatch = new OutsideWatch(m_notebook, m_dialogs, this);
        connect(m_outsideWatch, &OutsideWatch::noted, this, &DiaryScreen::showOutsideNote);
        connect(&m_notebook, &Notebook::changed, this, &DiaryScreen::showReloaded);
    }
    m_outsideWatch->check(true);
}

// The status line holds what fits of the note; 詳細 shows it whole (the days and the copies named).
void DiaryScreen::showOutsideNote(const QString &note)
{
    statusBar()->showMessage(note);
    statusBar()->setToolTip(note);
    if (!m_noteDetails) {
        m_noteDetails = new QPushButton(QStringLiteral("詳細"), statusBar());
        nameControl(m_noteDetails, QStringLiteral("cmdSyncDetails"), QStringLiteral("別のパソコンからの変更の詳細"));
        m_noteDetails->setFlat(true);
        statusBar()->addPermanentWidget(m_noteDetails);
        connect(m_noteDetails, &QPushButton::clicked, this, [this] {
            m_dialogs.information(QStringLiteral("別のパソコンからの変更"), m_lastNote);
        });
    }
    m_lastNote = note;
    m_noteDetails->show();
}

// What the folder brought in, on the screens that do not follow the Notebook's tables
// themselves; the diary page keeps what is being typed.
void DiaryScreen::showReloaded(const NotebookChange &change)
{
    if (!change.fromOutside)
        return;
    switch (change.table) {
    case NotebookTable::Diary:
    case NotebookTable::GraphLimits:
        m_diaryPage->showReloaded();
        if (m_growthPanel->isVisible()) {
            m_growthPanel->drawGrowthChart();
            m_growthPanel->fillGrowthLists();
        }
        if (m_listPanel->isVisible())
            m_listPanel->fill();
        break;
    case NotebookTable::Recipes:
        if (m_recipeScreen)
            m_recipeScreen->showReloaded();
        break;
    case NotebookTable::Settings: {
        const QSignalBlocker block(m_helpTourCheck); // shown, not saved again
        m_helpTourCheck->setChecked(m_notebook.tour.helpTourOn != 0);
        break;
    }
    default:
        break; // the other tables' screens follow them
    }
}

void DiaryScreen::greet()
{
    const Notebook &nb = m_notebook;
    const bool sample = !m_ownNotebookStart && nb.profile.nickname == QStringLiteral("ももちゃん") &&
                        nb.profile.targetPoint == 140 && nb.diary.count() > 0 &&
                        nb.diary.day(1).date == QStringLiteral("1995/02/15");
    if (sample)
        m_dialogs.information(
            QStringLiteral("ようこそ！"),
            QStringLiteral(
                "＼(^o^)／　ももちゃんの育児手帖にようこそ！\r\n\r\n"
                "まずはサンプルデータでどんなことができるのかをいろんなボタンを押してご覧ください。\r\n"
                "ご自身のデータでスタートするときは『設定』ボタンを押してみてください。\r\n\r\n"));
    if (nb.diary.count() == 1)
        m_dialogs.information(
            QStringLiteral("育児日記の初日です。"),
            QStringLiteral(
                "出産当日のページを自動的に作成しました。\r\n\r\n"
                "なんでも日記に出産時のエピソードや思い出を記入して『保存』ボタンを押してください。\r\n"
                "産まれた日ですから「記念日」として登録するのもいいですね。\r\n"
                "写真画像があれば「なんでも日記」見出しをダブルクリックして画像も登録しましょう！\r\n\r\n"
                "２日目以降の日記を作るときには「新規」ボタンを押してください。\r\n\r\n"
                "いろんな思い出を記録していきましょう！\r\n"));
}

void DiaryScreen::helpCheckClicked()
{
    if (m_loading)
        return;
    if (m_helpTourCheck->isChecked()) {
        m_dialogs.information(QStringLiteral("ヘルプツアーＯＮ"),
                              QStringLiteral("ヘルプツアー機能をオンにします。"));
    } else {
        m_dialogs.information(QStringLiteral("ヘルプツアーＯＦＦ"),
                              QStringLiteral("ヘルプツアー機能をオフにします。"));
    }
    reportWrite(m_dialogs, m_notebook.setHelpTour(m_helpTourCheck->isChecked()));
}

void DiaryScreen::openHelp() { openHelpAt(m_helpFileName); }

void DiaryScreen::openHelpAt(const QString &page)
{
    // Like the old help file, a missing help shows nothing of its own.
    if (!QFileInfo::exists(m_helpDir + u'/' + page.section(u'#', 0, 0)))
        return;
    auto *w = new HelpWindow(m_helpDir, page);
    m_helpWindows.append(w);
    w->show();
}

QString DiaryScreen::helpPageShown() const
{
    // Another window of the program says its own page; the notebook the page of the panel shown.
    for (QWidget *w = QApplication::activeWindow(); w && w != this; w = w->parentWidget())
        if (const QVariant page = w->property(helpPageProperty()); page.isValid())
            return page.toString();
    for (const auto &[panel, page] : m_panelHelp)
        if (panel->isVisible())
            return page;
    return m_helpFileName;
}

void DiaryScreen::endProgram(bool closeHelp)
{
    if (m_ended)
        return;
    m_ended = true;
    // The day's automatic backup, while the screen is still there under its progress box.
    backup_commands::backUpAtClose(m_notebook, this);
    if (closeHelp) {
        for (const QPointer<HelpWindow> &w : m_helpWindows)
            if (w)
                w->close();
        m_helpWindows.clear();
    }
    if (m_recipeScreen)
        m_recipeScreen->hide();
    hide();
    emit programEnded();
}

void DiaryScreen::closeEvent(QCloseEvent *event)
{
    event->accept();
    endProgram(false);
}

// The profile screen, modeless; its load runs each time it is opened anew. A new notebook
// written from it ends the program the way "終了" does.
void DiaryScreen::openProfileScreen()
{
    if (!m_profileScreen) {
        m_profileScreen = new ProfileScreen(m_notebook, m_dialogs, m_printer, this);
        m_profileScreen->setProperty(helpPageProperty(), QStringLiteral("settings.html"));
        connect(m_profileScreen, &ProfileScreen::programEndRequested, this, [this] { endProgram(true); });
        connect(m_profileScreen, &ProfileScreen::restoredFolderToOpen, this, &DiaryScreen::restoredFolderToOpen);
        m_profileScreen->load();
        // The sample is a temporary copy: a new notebook goes where the per-user one lives.
        if (m_sampleView)
            m_profileScreen->setNewNotebookFolder(notebook_setup::perUserFolder());
    }
    m_profileScreen->show();
    m_profileScreen->raise();
    m_profileScreen->activateWindow();
}

ProfileScreen *DiaryScreen::profileScreen() const { return m_profileScreen; }
