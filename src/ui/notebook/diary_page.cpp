#include "ui/notebook/diary_page.h"

#include "core/book/notebook.h"
#include "core/care/care_log.h"
#include "core/text/cp932.h"
#include "core/text/dates.h"
#include "core/files/dialogs.h"
#include "core/files/file_names.h"
#include "core/text/numbers.h"
#include "core/pictures/pictures.h"
#include "core/notebook/diary_checks.h"
#include "core/notebook/diary_files.h"
#include "core/notebook/diary_search.h"
#include "ui/notebook/anniversary_box.h"
#include "ui/notebook/day_photos.h"
#include "ui/notebook/list_panel.h"
#include "ui/widgets/care_day.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/pick_combo.h"
#include "ui/widgets/picture_frame.h"
#include "ui/widgets/ui_util.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The picture's normal size, in twips.
constexpr int NormalPictureWidth = 5085, NormalPictureHeight = 3825;
// How long the dragged bar rests on a day before its picture is decoded.
constexpr int DragRestMs = 150;

} // namespace

DiaryPage::DiaryPage(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraDiary"));
    QLayout *page = buildPage();
    QLayout *side = buildSide();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(page, 11);
    layout->addLayout(side, 9);
    connectHandlers();
    connect(&host.notebook(), &Notebook::diaryChanged, this, &DiaryPage::fillDates);
    connect(&host.notebook(), &Notebook::diaryNoteAdded, this, &DiaryPage::takeDiaryNote);
    connect(&host.notebook(), &Notebook::replaced, this, [this] { showDay(m_host.notebook().diary.count()); });
    connect(&host.notebook(), &Notebook::changed, this, [this](const NotebookChange &change) {
        if (change.table == NotebookTable::CareLog)
            showCareTotals();
    });
    m_dayPhotos = new DayPhotos(host,
                                {this, m_pictureFrame, m_shownPicture, m_dateBox, m_slideDateLabel, m_diaryCaption, m_photoSlotButtons,
                                 m_playButton, m_stopButton},
                                [this] { return m_photoSlot; }, [this](int k) { showDay(k); });
}

// The day itself: date, height, weight, the text and the scroll bar.
QLayout *DiaryPage::buildPage()
{
    m_dateBox = new PickComboBox(this);
    m_dateBox->setMaxVisibleItems(20);
    m_dateBox->setMinimumContentsLength(12);
    nameControl(m_dateBox, QStringLiteral("cboDay"), QStringLiteral("日付"));
    m_heightEdit = new QLineEdit(this);
    nameControl(m_heightEdit, QStringLiteral("txtShincyo"), QStringLiteral("身長"));
    m_weightEdit = new QLineEdit(this);
    nameControl(m_weightEdit, QStringLiteral("txtTaijyu"), QStringLiteral("体重"));
    for (QLineEdit *e : {m_heightEdit, m_weightEdit})
        e->setMaximumWidth(90);
    m_diaryText = new QPlainTextEdit(this);
    nameControl(m_diaryText, QStringLiteral("txtDiary"), QStringLiteral("なんでも日記"));
    m_diaryText->setTabChangesFocus(true);
    m_diaryText->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #fffdf4; color: #3a3026; }"));
    {
        QFont paper = m_diaryText->font();
        paper.setPointSizeF(paper.pointSizeF() * 1.15);
        m_diaryText->setFont(paper);
    }
    m_diaryCaption = makeLabel(QStringLiteral("なんでも日記"), m_diaryText, this);
    m_diaryCaption->setObjectName(QStringLiteral("lblDiaryM"));
    m_diaryCaption->setToolTip(QStringLiteral("ダブルクリックで画像登録"));
    m_dayBar = new QScrollBar(Qt::Horizontal, this);
    makePageBar(m_dayBar);
    nameControl(m_dayBar, QStringLiteral("hsbDay"), QStringLiteral("日記のページ"));
    m_dayBar->setRange(1, 1);
    m_dayBar->setPageStep(1);
    m_pictureDelay = new QTimer(this);
    m_pictureDelay->setSingleShot(true);
    m_pictureDelay->setInterval(DragRestMs);

    auto *page = new QGridLayout;
    page->addWidget(makeLabel(QStringLiteral("日付"), m_dateBox, this), 0, 0);
    auto *measures = new QHBoxLayout;
    measures->addWidget(m_dateBox);
    measures->addSpacing(12);
    measures->addWidget(makeLabel(QStringLiteral("身長"), m_heightEdit, this));
    measures->addWidget(m_heightEdit);
    measures->addWidget(new QLabel(QStringLiteral("cm"), this));
    measures->addSpacing(8);
    measures->addWidget(makeLabel(QStringLiteral("体重"), m_weightEdit, this));
    measures->addWidget(m_weightEdit);
    measures->addWidget(new QLabel(QStringLiteral("g"), this));
    measures->addStretch();
    page->addLayout(measures, 0, 1);
    page->addWidget(m_diaryCaption, 1, 0, 1, 2);
    page->addWidget(m_diaryText, 2, 0, 1, 2);
    m_dayCountLabel = new QLabel(this);
    nameValueLabel(m_dayCountLabel, QStringLiteral("lblDayNo"), QStringLiteral("何日目"));
    m_dayCountLabel->setMinimumWidth(90);
    m_dayCountLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The day's care totals, read-only under the text.
    m_careCaption = new QLabel(QStringLiteral("お世話の記録"), this);
    m_careTotals =
        nameValueLabel(new QLabel(this), QStringLiteral("lblOsewa"), QStringLiteral("お世話の記録"));
    m_careTotals->setWordWrap(true);
    m_careTotals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_careCaption->hide();
    m_careTotals->hide();
    auto *careRow = new QHBoxLayout;
    careRow->addWidget(m_careCaption);
    careRow->addWidget(m_careTotals, 1);
    page->addLayout(careRow, 3, 0, 1, 2);
    auto *scrollRow = new QHBoxLayout;
    scrollRow->addWidget(m_dayBar, 1);
    scrollRow->addWidget(m_dayCountLabel);
    page->addLayout(scrollRow, 4, 0, 1, 2);
    page->setRowStretch(2, 1);

    return page;
}

// Search, the search results, the anniversaries and the picture frame.
QLayout *DiaryPage::buildSide()
{
    m_searchEdit = new QLineEdit(this);
    nameControl(m_searchEdit, QStringLiteral("txtKensaku"), QStringLiteral("検索"));
    m_searchEdit->setPlaceholderText(QStringLiteral("文字を入れて Enter"));
    m_foldCheck = makeSearchFoldingBox(this); // after the box on the Tab round
    m_searchResults = new QListWidget(this);
    nameControl(m_searchResults, QStringLiteral("lstDay"), QStringLiteral("検索結果"));
    m_searchResults->setItemDelegate(
        new OneLineDelegate(m_searchResults)); // a result that holds a line break stays one line
    m_anniversaries = new AnniversaryBox(m_host, this);

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(makeLabel(QStringLiteral("検索"), m_searchEdit, this));
    searchRow->addWidget(m_searchEdit);

    buildPictureFrame();

    auto *side = new QVBoxLayout;
    side->addLayout(searchRow);
    side->addWidget(m_foldCheck);
    auto *lists = new QHBoxLayout;
    lists->addWidget(m_searchResults, 1);
    lists->addWidget(m_anniversaries, 1);
    side->addLayout(lists, 1);
    side->addWidget(m_pictureFrame);

    return side;
}

void DiaryPage::buildPictureFrame()
{
    m_pictureFrame = new QFrame(this);
    m_pictureFrame->setObjectName(QStringLiteral("fraGazou"));
    m_pictureFrame->setFrameShape(QFrame::StyledPanel);
    m_shownPicture = new PictureFrame(m_pictureFrame);
    nameControl(m_shownPicture, QStringLiteral("imgGazou"), QStringLiteral("日記の写真"));
    m_shownPicture->setAlignment(Qt::AlignCenter);
    static const char *const captions[] = {"メイン", "1", "2", "3", "4", "5"};
    auto *photoButtons = new QHBoxLayout;
    for (int n = 0; n < 6; ++n) {
        QString caption = QString::fromUtf8(captions[n]);
        m_photoSlotButtons[n] =
            makeButton(QStringLiteral("cmdPic%1").arg(n), caption,
                       n == 0 ? QStringLiteral("メインの写真") : QStringLiteral("写真%1").arg(n), m_pictureFrame);
        m_photoSlotButtons[n]->setAccessibleName(n == 0 ? caption : QStringLiteral("写真%1").arg(n));
        m_photoSlotButtons[n]->setMinimumWidth(n == 0 ? 48 : 28);
        m_photoSlotButtons[n]->setAutoFillBackground(true);
        m_photoSlotButtons[n]->setCheckable(true);
        clickOnAccessibleToggle(m_photoSlotButtons[n]); // a screen reader's toggle chooses the photo too
        photoButtons->addWidget(m_photoSlotButtons[n]);
        connect(m_photoSlotButtons[n], &QPushButton::clicked, this, [this, n] { choosePhoto(n); });
    }
    m_photosShownOption = new QRadioButton(QStringLiteral("写真"), m_pictureFrame);
    nameControl(m_photosShownOption, QStringLiteral("optGazou"), QStringLiteral("写真表示"));
    m_photosShownOption->setToolTip(QStringLiteral("写真表示"));
    m_photosHiddenOption = new QRadioButton(QStringLiteral("なし"), m_pictureFrame);
    nameControl(m_photosHiddenOption, QStringLiteral("optMain"), QStringLiteral("写真非表示"));
    m_photosHiddenOption->setToolTip(QStringLiteral("写真非表示"));
    m_playButton = new QToolButton(m_pictureFrame);
    nameControl(m_playButton, QStringLiteral("cmdSaisei"), QStringLiteral("スライドショー開始"));
    m_playButton->setToolTip(QStringLiteral("スライドショー開始"));
    m_playButton->setText(QStringLiteral("▶"));
    m_stopButton = new QToolButton(m_pictureFrame);
    nameControl(m_stopButton, QStringLiteral("cmdStop"), QStringLiteral("スライドショー停止"));
    m_stopButton->setToolTip(QStringLiteral("スライドショー停止"));
    m_stopButton->setText(QStringLiteral("■"));
    m_slideDateLabel = new QLabel(m_pictureFrame);
    nameValueLabel(m_slideDateLabel, QStringLiteral("lblSDate"), QStringLiteral("スライドショーの日付"));
    auto *modeRow = new QHBoxLayout;
    modeRow->addWidget(m_photosShownOption);
    modeRow->addWidget(m_photosHiddenOption);
    modeRow->addStretch();
    modeRow->addWidget(m_slideDateLabel);
    modeRow->addWidget(m_playButton);
    modeRow->addWidget(m_stopButton);
    auto *frameLayout = new QVBoxLayout(m_pictureFrame);
    frameLayout->setContentsMargins(4, 4, 4, 4);
    frameLayout->addWidget(m_shownPicture, 1);
    frameLayout->addLayout(photoButtons);
    frameLayout->addLayout(modeRow);
    setNormalPictureLayout();
}

void DiaryPage::connectHandlers()
{
    connect(m_dayBar, &QScrollBar::valueChanged, this, [this] { showPage(); });
    connect(m_dayBar, &QScrollBar::sliderReleased, this, &DiaryPage::showPendingPicture);
    connect(m_pictureDelay, &QTimer::timeout, this, &DiaryPage::showPendingPicture);
    connect(m_dateBox, &PickComboBox::picked, this, [this](int index) { setCurrentDay(index + 1); });
    hookEvents(m_searchEdit, [this](QEvent *e) {
        if (!isEnterKey(e) || m_searchEdit->text().isEmpty())
            return false;
        search();
        return true;
    });
    connect(m_searchResults, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { openSearchResult(item->text()); });
    openOnEnter(m_searchResults, [this](const QString &line) { openSearchResult(line); });
    // toggled, not clicked: the keyboard and the accessibility toggle action count as a click.
    connect(m_photosShownOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            photosShownClicked();
    });
    connect(m_photosHiddenOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            photosHiddenClicked();
    });
}

int DiaryPage::currentDay() const { return m_dayBar->value(); }
QString DiaryPage::dateText() const { return m_dateBox->currentText(); }

void DiaryPage::setCurrentDay(int k)
{
    // The bar may already point at day k while another page is shown (a new page).
    if (m_dayBar->value() != k)
        m_dayBar->setValue(k);
    else if (m_shownDay != k)
        showPage();
}

void DiaryPage::showDay(int k)
{
    {
        const QSignalBlocker block(m_dayBar);
        m_dayBar->setValue(k);
    }
    showPage();
}

void DiaryPage::readDiary()
{
    Notebook &nb = m_host.notebook();
    const DiaryLoad load = nb.readDiary();
    if (load.firstNotWhole)
        m_host.dialogs().warning(
            QStringLiteral("日記の読み込み"),
            NotebookFiles::notWholeMessage(diaryFileName(), nb.diary.count(), QStringLiteral("日"), load.damage));
}

// Whoever changed the day table, the date list and the bar follow it.
QStringList DiaryPage::fieldsOf(const DiaryDay &day)
{
    return {day.date, measureText(day.height), QString::number(day.weight), editText(day.text)};
}

bool DiaryPage::isTyped() const
{
    return !m_shownFields.isEmpty() && QStringList{m_shownFields[0], m_heightEdit->text(), m_weightEdit->text(),
                                                   m_diaryText->toPlainText()} != m_shownFields;
}

void DiaryPage::fillDates()
{
    const Notebook &nb = m_host.notebook();
    // Filling the list moves the box to its first date: a date being typed stays.
    const QString typedDate = m_dateBox->currentText();
    m_dateBox->clear();
    QStringList dates;
    dates.reserve(nb.diary.count());
    for (const DiaryDay &d : nb.diary.days())
        dates.append(d.date);
    m_dateBox->addItems(dates);
    m_dateBox->setEditText(typedDate);
    const QSignalBlocker block(m_dayBar);
    m_dayBar->setMaximum(qMax(1, nb.diary.count()));
}

void DiaryPage::clearPage()
{
    m_shownDay = 0;
    m_dateBox->setEditText(QString());
    m_heightEdit->clear();
    m_weightEdit->clear();
    m_diaryText->clear();
    showCareTotals();
}

void DiaryPage::showPage()
{
    const DiaryTable &diary = m_host.notebook().diary;
    if (diary.count() == 0) {
        clearPage();
        m_dayCountLabel->clear();
        const QSignalBlocker block(m_dayBar);
        m_dayBar->setMaximum(1);
        return;
    }
    const int k = qBound(1, m_dayBar->value(), diary.count());
    m_shownDay = k;
    const DiaryDay &day = diary.day(k);
    m_dayCountLabel->setText(QStringLiteral("%1 / %2 日").arg(k).arg(diary.count()));
    m_shownFields = fieldsOf(day);
    m_dateBox->setEditText(m_shownFields[0]);
    m_heightEdit->setText(m_shownFields[1]);
    m_weightEdit->setText(m_shownFields[2]);
    m_diaryText->setPlainText(m_shownFields[3]);
    showCareTotals();
    if (m_host.notebook().profile.diaryPictureMode != photosShown())
        return;
    // A drag across photo days decodes only the day it stops on; the load shows the picture
    // once the window is laid out.
    if (m_dayBar->isSliderDown())
        showPictureWhenBarStops(QString(day.date).remove(u'/'));
    else if (!m_host.loading())
        showPicture(QString(day.date).remove(u'/'));
    resetPhotoButtons();
    m_photoSlot = 0;
}

void DiaryPage::showCareTotals()
{
    const Notebook &nb = m_host.notebook();
    const std::optional<QDate> day =
        m_shownDay > 0 && !m_shownFields.isEmpty() ? parseStoredDate(m_shownFields[0]) : std::nullopt;
    const QString totals =
        day ? care::totalsLine(care::totalsOf(nb.careLog, *day, careDayStartHour(), nb.clock.now()))
            : QString();
    // Empty when hidden, so that nothing reads an old day's totals.
    m_careTotals->setText(totals);
    m_careCaption->setVisible(!totals.isEmpty());
    m_careTotals->setVisible(!totals.isEmpty());
}

void DiaryPage::showEvent(QShowEvent *event)
{
    showCareTotals(); // the day's start hour may have changed on the care panel
    QFrame::showEvent(event);
}

void DiaryPage::showReloaded()
{
    if (m_shownDay == 0 || m_shownFields.isEmpty())
        return;
    const DiaryTable &diary = m_host.notebook().diary;
    const int k = diary.find(m_shownFields[0]);
    // An untyped page shows its day anew, or the last day when its day is gone.
    if (!isTyped()) {
        showDay(k > 0 ? k : diary.count());
        return;
    }
    // The typed page stays; the bar stands on its date wherever the date now is.
    const QSignalBlocker block(m_dayBar);
    if (k > 0) {
        m_dayBar->setValue(k);
        m_shownDay = k;
        m_dayCountLabel->setText(QStringLiteral("%1 / %2 日").arg(k).arg(diary.count()));
    }
    m_dateBox->setEditText(m_shownFields[0]);
}

void DiaryPage::takeDiaryNote(const QString &date, const QString &line)
{
    if (m_shownDay == 0 || m_shownFields.isEmpty() || m_shownFields[0] != date || !isTyped())
        return; // an untyped page shows the day anew with its note
    const int k = m_host.notebook().diary.find(date);
    if (k == 0)
        return;
    const QString shown = editText(line);
    if (!m_diaryText->toPlainText().split(u'\n').contains(shown)) {
        QTextCursor end(m_diaryText->document());
        end.movePosition(QTextCursor::End);
        end.insertText(m_diaryText->document()->isEmpty() ? shown : u'\n' + shown);
    }
    // The page now starts from the day with its note, unless the day had changed otherwise too
    // (another computer): then its save keeps that version in a copy.
    QStringList withNote = m_shownFields;
    withNote[3] = withNote[3].isEmpty() ? shown : withNote[3] + u'\n' + shown;
    if (fieldsOf(m_host.notebook().diary.day(k)) == withNote)
        m_shownFields = withNote;
}

void DiaryPage::showPicture(const QString &key)
{
    m_picturePending = false;
    m_pictureDelay->stop();
    m_shownPicture->showKey(m_host.notebook().folder(), key);
}

void DiaryPage::showPictureWhenBarStops(const QString &key)
{
    m_pendingPicture = key;
    m_picturePending = true;
    m_pictureDelay->start();
}

void DiaryPage::showPendingPicture()
{
    if (m_picturePending)
        showPicture(m_pendingPicture);
}

void DiaryPage::resetPhotoButtons()
{
    for (QPushButton *b : m_photoSlotButtons) {
        b->setPalette(QPalette());
        b->setStyleSheet(QString());
        b->setChecked(false);
    }
}

void DiaryPage::choosePhoto(int slot)
{
    resetPhotoButtons();
    m_photoSlotButtons[slot]->setStyleSheet(QStringLiteral("background-color: rgb(255, 192, 255);"));
    m_photoSlotButtons[slot]->setChecked(true); // the chosen slot, not by its colour alone
    const DiaryTable &diary = m_host.notebook().diary;
    if (diary.count() > 0) {
        const QString key = QString(diary.day(qBound(1, m_dayBar->value(), diary.count())).date).remove(u'/');
        showPicture(slot == 0 ? key : key + u'_' + QString::number(slot));
    }
    m_photoSlot = slot;
}

void DiaryPage::applyPictureMode()
{
    const bool shown = m_host.notebook().profile.diaryPictureMode == photosShown();
    {
        const QSignalBlocker blockShown(m_photosShownOption);
        const QSignalBlocker blockHidden(m_photosHiddenOption);
        m_photosShownOption->setChecked(shown);
        m_photosHiddenOption->setChecked(!shown);
    }
    if (m_host.loading())
        return; // the load shows the picture once the window is laid out
    if (shown)
        photosShownClicked();
    else
        photosHiddenClicked();
}

void DiaryPage::showLoadedPicture()
{
    const bool shown = m_host.notebook().profile.diaryPictureMode == photosShown();
    showPicture(shown ? m_dateBox->currentText().remove(u'/') : QString());
}

void DiaryPage::photosShownClicked()
{
    showPicture(m_dateBox->currentText().remove(u'/'));
    savePictureMode(photosShown());
}

void DiaryPage::photosHiddenClicked()
{
    savePictureMode(photosHidden());
    showPicture(QString());
}

void DiaryPage::savePictureMode(const QString &mode)
{
    Notebook &nb = m_host.notebook();
    if (!m_host.loading())
        reportWrite(m_host.dialogs(), nb.setPictureMode(nb.profile.diaryPictureMode, mode));
}

void DiaryPage::setNormalPictureLayout()
{
    if (m_dayPhotos)
        m_dayPhotos->normalLayout();
    m_shownPicture->setMinimumSize(twipsToPixels(NormalPictureWidth), twipsToPixels(NormalPictureHeight));
}

void DiaryPage::newPage()
{
    m_host.panelHide();
    m_host.showDiaryPanel();
    clearPage();
    m_dateBox->setEditText(::dateText(m_host.notebook().clock.today()));
    m_host.helpTour(
        QStringLiteral("新しい日記を登録します。\r\n\r\n"
                       "デフォルトで本日の日付を表示しますが必要に応じて修正してください。\r\n\r\n"
                       "身長・体重データは必ずしも入力する必要はありませんが、\r\n"
                       "身長を入力するときには体重もセットで入力してください。\r\n\r\n"
                       "※最後に「保存」ボタンを押してください。\r\n\r\n"
                       "※入力を取り消したい場合はスクロールバーで他の日記を表示させてください。"));
    m_diaryText->setFocus();
}

void DiaryPage::search()
{
    m_searchResults->clear();
    m_searchResults->addItems(
        diarySearchLines(m_host.notebook().diary, m_searchEdit->text(), m_foldCheck->isChecked()));
}

void DiaryPage::openSearchResult(const QString &line)
{
    const int k = m_host.notebook().diary.find(line.left(10));
    if (k > 0)
        setCurrentDay(k);
}

void DiaryPage::save()
{
    Notebook &nb = m_host.notebook();
    Dialogs &dialogs = m_host.dialogs();
    const DiarySaveCheck check = checkDiarySave(nb.diary,
                                                {m_dateBox->currentText(), m_heightEdit->text(),
                                                 m_weightEdit->text(), storedText(m_diaryText->toPlainText())},
                                                nb.clock.today());
    if (!check.date.isEmpty())
        m_dateBox->setEditText(check.date);
    if (check.refusal) {
        dialogs.warning(check.refusal->title, check.refusal->text);
        if (check.date.isEmpty())
            m_dateBox->setEditText(QString());
        else if (check.refusal->focus != DiaryRefusal::Field::None)
            (check.refusal->focus == DiaryRefusal::Field::Height ? m_heightEdit : m_weightEdit)->setFocus();
        return;
    }
    const bool isNew = check.day == 0;
    if (!dialogs.confirm(isNew ? QStringLiteral("新規登録確認") : QStringLiteral("変更登録確認"),
                         isNew ? QStringLiteral("新しい日付です。日記に追加します。")
                               : QStringLiteral("既存の日付です。変更して書き込みます。"),
                         Dialogs::Icon::Information, Dialogs::Answer::Ok))
        return;
    const WriteResult written = isNew ? appendDay(check) : changeDay(check);
    if (!written.ok) {
        // The table was read back from the file, so memory still matches what is stored; the
        // typed page stays on screen.
        m_dateBox->setEditText(check.date);
        reportWrite(dialogs, written);
        return;
    }
    showPage();
    dialogs.information(QStringLiteral("書き込み終了"), QStringLiteral("日記に書き込みました。"));
}

WriteResult DiaryPage::appendDay(const DiarySaveCheck &check)
{
    Notebook &nb = m_host.notebook();
    WaitPointer wait;
    const WriteResult written =
        nb.addDay(check.date, check.height, check.weight, storedText(m_diaryText->toPlainText()));
    const QSignalBlocker block(m_dayBar);
    m_dayBar->setValue(nb.diary.count());
    return written;
}

WriteResult DiaryPage::changeDay(const DiarySaveCheck &check)
{
    Notebook &nb = m_host.notebook();
    // The other computer changed the day while this page was typed over it: its version is
    // kept whole in a dated copy, this page's goes into the file.
    if (!m_shownFields.isEmpty() && m_shownFields[0] == check.date &&
        fieldsOf(nb.diary.day(check.day)) != m_shownFields) {
        const WriteResult kept = nb.keepOtherVersion(diaryFileName(), {check.date});
        if (!kept.ok)
            return kept;
    }
    WaitPointer wait;
    const WriteResult written = nb.changeDay(check.day, check.height, *toInt16(check.weight),
                                             storedText(m_diaryText->toPlainText()));
    const QSignalBlocker block(m_dayBar);
    m_dayBar->setValue(check.day);
    return written;
}
