#pragma once

#include <QFrame>

#include <array>

class AnniversaryBox;
class DayPhotos;
struct DiaryDay;
struct DiarySaveCheck;
struct WriteResult;
class PanelHost;
class PickComboBox;
class PictureFrame;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QShowEvent;
class QTimer;
class QToolButton;

// The diary panel fraDiary: one day of the day table as a page, the text search, the
// anniversaries and the day's photo.
class DiaryPage : public QFrame
{
    Q_OBJECT
public:
    DiaryPage(PanelHost &host, QWidget *parent = nullptr);

    // readDiary: the table from 日記.txt (the date list follows), told once when damaged.
    void readDiary();
    // The date list and the scroll bar's range from the day table, whenever it changes.
    void fillDates();
    // showPage: the day at the scroll bar's position.
    void showPage();
    // clearPage: empty date, height, weight and text.
    void clearPage();
    // The new page of "新規" (after the screen showed this panel).
    void newPage();
    // The save command of "保存".
    void save();

    // hsbDay: the current day.
    int currentDay() const;
    // Moves the scroll bar to day k, which shows it; when the bar already stands there the
    // page is left as it is, typed changes included.
    void setCurrentDay(int k);
    // Moves the scroll bar to day k and shows that day in any case.
    void showDay(int k);
    QString dateText() const;
    // The day table was read again because another computer changed it: the page shows its
    // date anew, or, when its fields hold typed changes, keeps them (their save joins both).
    void showReloaded();

    // The notebook picture mode as the load sets it: the option selected runs its click.
    void applyPictureMode();
    // After the load, the window laid out: the day's picture, or the placeholder, as the mode says.
    void showLoadedPicture();
    // The picture frame in its normal layout (PictureEnlarged = 0).
    void setNormalPictureLayout();
    AnniversaryBox *anniversaries() const { return m_anniversaries; }
    // Photo import, the enlarged layout and the slide show.
    DayPhotos *dayPhotos() const { return m_dayPhotos; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLayout *buildPage();
    // The shown day's care totals in one line under the text; hidden for a day without any.
    void showCareTotals();
    QLayout *buildSide();
    void buildPictureFrame();
    void connectHandlers();
    void search();
    void openSearchResult(const QString &line);
    void showPicture(const QString &key);
    void showPictureWhenBarStops(const QString &key);
    void showPendingPicture();
    void choosePhoto(int slot);
    void photosShownClicked();
    void photosHiddenClicked();
    void savePictureMode(const QString &mode);
    void resetPhotoButtons();
    WriteResult appendDay(const DiarySaveCheck &check);
    WriteResult changeDay(const DiarySaveCheck &check);
    // The fields of a day as the page shows them: date, height, weight, text.
    static QStringList fieldsOf(const DiaryDay &day);
    // The fields hold changes of the user's to the day they were shown from.
    bool isTyped() const;
    // The recipe book's cooking note for that date: a page typed on that day takes it in.
    void takeDiaryNote(const QString &date, const QString &line);

    PanelHost &m_host;
    PickComboBox *m_dateBox = nullptr;
    int m_shownDay = 0; // the day whose page the fields show, 0 for a new or empty page
    QStringList m_shownFields; // its date, height, weight and text as shown
    QLineEdit *m_heightEdit = nullptr;
    QLineEdit *m_weightEdit = nullptr;
    QLabel *m_diaryCaption = nullptr;
    QPlainTextEdit *m_diaryText = nullptr;
    QScrollBar *m_dayBar = nullptr;
    QLabel *m_dayCountLabel = nullptr; // which day of how many the page shows
    QLabel *m_careCaption = nullptr;
    QLabel *m_careTotals = nullptr;
    QLineEdit *m_searchEdit = nullptr;
    QCheckBox *m_foldCheck = nullptr; // the search finds widths and kana alike
    QListWidget *m_searchResults = nullptr;
    AnniversaryBox *m_anniversaries = nullptr;
    QFrame *m_pictureFrame = nullptr;
    PictureFrame *m_shownPicture = nullptr;
    std::array<QPushButton *, 6> m_photoSlotButtons{};
    QRadioButton *m_photosShownOption = nullptr;
    QRadioButton *m_photosHiddenOption = nullptr;
    QToolButton *m_playButton = nullptr;
    QToolButton *m_stopButton = nullptr;
    QLabel *m_slideDateLabel = nullptr;
    // While the bar is dragged the page follows it, its picture waits until the bar stops.
    QTimer *m_pictureDelay = nullptr;
    QString m_pendingPicture;
    bool m_picturePending = false;
    int m_photoSlot = 0;
    DayPhotos *m_dayPhotos = nullptr;
};
