#include "ui/care/care_charts_window.h"

#include "ui/widgets/care_day.h"

#include "core/book/notebook.h"
#include "core/care/care_print.h"
#include "core/files/dialogs.h"
#include "core/text/dates.h"
#include "ui/widgets/qt_printer.h"
#include "ui/widgets/ui_util.h"

#include <QButtonGroup>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSettings>
#include <QShortcut>
#include <QVBoxLayout>

#include <functional>

namespace {

QString title() { return QStringLiteral("生活リズム"); }

// A chart on screen: it paints through the same drawing as the print.
class ChartView : public QWidget
{
public:
    using Draw = std::function<void(QPainter &, const QRectF &, const QFont &)>;
    ChartView(Draw draw, QSize minimum, QWidget *parent) : QWidget(parent), m_draw(std::move(draw))
    {
        setMinimumSize(minimum);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        QFont f = font();
        f.setFamily(care::chartFont(12).family());
        m_draw(painter, QRectF(rect()).adjusted(6, 6, -6, -6), f);
    }

private:
    Draw m_draw;
};

QLineEdit *dateField(const QString &name, const QString &caption, QDate date, QWidget *parent)
{
    auto *edit = new QLineEdit(dateText(date), parent);
    nameControl(edit, name, caption);
    edit->setToolTip(QStringLiteral("%1（例 2026/12/8）").arg(caption));
    return edit;
}

} // namespace

CareChartsWindow::CareChartsWindow(Notebook &notebook, Dialogs &dialogs, QWidget *parent, Printer *printer)
    : QDialog(parent), m_notebook(notebook), m_dialogs(dialogs), m_printer(printer)
{
    prepareAccessibility();
    setObjectName(QStringLiteral("frmCareCharts"));
    setWindowTitle(title());
    setAttribute(Qt::WA_DeleteOnClose);
    m_lastShown = notebook.clock.today();

    m_weekOption = new QRadioButton(QStringLiteral("週"), this);
    nameControl(m_weekOption, QStringLiteral("optWeek"), QStringLiteral("週"));
    m_weekOption->setToolTip(QStringLiteral("7日分を表示します (Alt+W)"));
    m_weekOption->setShortcut(QKeySequence(QStringLiteral("Alt+W")));
    m_weekOption->setChecked(true);
    m_monthOption = new QRadioButton(QStringLiteral("月"), this);
    nameControl(m_monthOption, QStringLiteral("optMonth"), QStringLiteral("月"));
    m_monthOption->setToolTip(QStringLiteral("1か月分を表示します (Alt+M)"));
    m_monthOption->setShortcut(QKeySequence(QStringLiteral("Alt+M")));
    auto *span = new QButtonGroup(this);
    span->addButton(m_weekOption);
    span->addButton(m_monthOption);
    m_backButton = makeButton(QStringLiteral("cmdBack"), QStringLiteral("◀"),
                              QStringLiteral("前の期間を表示します (PageUp)"), this);
    nameControl(m_backButton, QStringLiteral("cmdBack"), QStringLiteral("前の期間"));
    m_forwardButton = makeButton(QStringLiteral("cmdForward"), QStringLiteral("▶"),
                                 QStringLiteral("次の期間を表示します (PageDown)"), this);
    nameControl(m_forwardButton, QStringLiteral("cmdForward"), QStringLiteral("次の期間"));
    m_periodLabel =
        nameValueLabel(new QLabel(this), QStringLiteral("lblPeriod"), QStringLiteral("表示している期間"));

    m_rhythmView =
        new ChartView([this](QPainter &p, const QRectF &r,
                             const QFont &f) { care::drawRhythm(p, r, m_rows, m_dayStartHour, f); },
                      QSize(560, 240), this);
    m_rhythmView->setObjectName(QStringLiteral("picRhythm"));
    m_rhythmView->setAccessibleName(QStringLiteral("生活リズムのグラフ"));
    m_temperatureView = new ChartView(
        [this](QPainter &p, const QRectF &r, const QFont &f) { care::drawTemperatures(p, r, m_rows, f); },
        QSize(560, 150), this);
    m_temperatureView->setObjectName(QStringLiteral("picTemperature"));
    m_temperatureView->setAccessibleName(QStringLiteral("体温のグラフ"));

    QPushButton *print = makeButton(QStringLiteral("cmdPrint"), QStringLiteral("印刷"),
                                    QStringLiteral("表示しているグラフを A4 に印刷します (Ctrl+P)"), this);
    print->setShortcut(QKeySequence::Print);
    QPushButton *visit =
        makeButton(QStringLiteral("cmdVisit"), QStringLiteral("受診用"),
                   QStringLiteral("直近7日分の記録と体温のグラフを受診用に印刷します"), this);
    const QDate today = notebook.clock.today();
    m_csvFromEdit = dateField(QStringLiteral("txtCsvFrom"), QStringLiteral("書き出す期間の始め"),
                              today.addDays(1 - care::VisitDays), this);
    m_csvToEdit = dateField(QStringLiteral("txtCsvTo"), QStringLiteral("書き出す期間の終わり"), today, this);
    QPushButton *csv = makeButton(
        QStringLiteral("cmdCsv"), QStringLiteral("CSVに書き出す"),
        QStringLiteral(
            "期間の記録を表計算ソフト用の CSV ファイルにして、ドキュメントフォルダーに書き出します"),
        this);
    QPushButton *close = makeButton(QStringLiteral("cmdClose"), QStringLiteral("閉じる"), QString(), this);

    auto *top = new QHBoxLayout;
    top->addWidget(m_weekOption);
    top->addWidget(m_monthOption);
    top->addSpacing(12);
    top->addWidget(m_backButton);
    top->addWidget(m_periodLabel, 1, Qt::AlignCenter);
    top->addWidget(m_forwardButton);
    auto *commands = new QHBoxLayout;
    commands->addWidget(print);
    commands->addWidget(visit);
    commands->addSpacing(12);
    commands->addWidget(makeLabel(QStringLiteral("書き出す期間"), m_csvFromEdit, this));
    m_csvFromEdit->setAccessibleName(QStringLiteral("書き出す期間の始め")); // the label names the pair
    commands->addWidget(m_csvFromEdit);
    commands->addWidget(new QLabel(QStringLiteral("〜"), this));
    commands->addWidget(m_csvToEdit);
    commands->addWidget(csv);
    commands->addStretch();
    commands->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_rhythmView, 3);
    layout->addWidget(m_temperatureView, 2);
    layout->addLayout(commands);
    resize(860, 680);

    connect(m_weekOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showPeriod();
    });
    connect(m_monthOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showPeriod();
    });
    connect(m_backButton, &QPushButton::clicked, this, [this] { step(-1); });
    connect(m_forwardButton, &QPushButton::clicked, this, [this] { step(1); });
    connect(new QShortcut(QKeySequence(Qt::Key_PageUp), this), &QShortcut::activated, this,
            [this] { step(-1); });
    connect(new QShortcut(QKeySequence(Qt::Key_PageDown), this), &QShortcut::activated, this,
            [this] { step(1); });
    connect(print, &QPushButton::clicked, this, &CareChartsWindow::printShown);
    connect(visit, &QPushButton::clicked, this, &CareChartsWindow::printForVisit);
    connect(csv, &QPushButton::clicked, this, &CareChartsWindow::exportCsv);
    connect(m_csvToEdit, &QLineEdit::returnPressed, this, &CareChartsWindow::exportCsv);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(&m_notebook, &Notebook::changed, this, [this](const NotebookChange &told) {
        if (told.table == NotebookTable::CareLog)
            showPeriod();
    });
    m_notebook.readTable(NotebookTable::CareLog);
    showPeriod();
}

CareChartsWindow::~CareChartsWindow() = default;

void CareChartsWindow::showPeriod()
{
    QDate first = m_lastShown.addDays(1 - care::VisitDays);
    int days = care::VisitDays;
    if (m_monthOption->isChecked()) {
        first = QDate(m_lastShown.year(), m_lastShown.month(), 1);
        days = m_lastShown.daysInMonth();
    }
    m_dayStartHour = careDayStartHour();
    m_rows = care::rhythmOf(m_notebook.careLog, first, days, m_dayStartHour, m_notebook.clock.now());
    m_periodLabel->setText(m_monthOption->isChecked()
                               ? QStringLiteral("%1年%2月").arg(first.year()).arg(first.month())
                               : care::periodLabel(first, m_lastShown));
    m_rhythmView->update();
    m_temperatureView->update();
}

void CareChartsWindow::step(int direction)
{
    m_lastShown = m_monthOption->isChecked() ? m_lastShown.addMonths(direction)
                                             : m_lastShown.addDays(direction * care::VisitDays);
    showPeriod();
}

Printer &CareChartsWindow::printer()
{
    if (m_printer)
        return *m_printer;
    if (!m_ownPrinter)
        m_ownPrinter = std::make_unique<QtPrinter>(m_notebook.folder().dir(),
                                                   QtPrinter::Target::DefaultPrinter, &m_notebook.clock);
    return *m_ownPrinter;
}

void CareChartsWindow::printShown()
{
    const QString said = care::printCharts(printer(), m_rows, m_dayStartHour, m_notebook.profile.nickname);
    if (!said.isEmpty())
        m_dialogs.information(QStringLiteral("印刷"), said);
}

void CareChartsWindow::printForVisit()
{
    care::VisitPrint visit{m_notebook.careLog, m_notebook.clock.today(), careDayStartHour(),
                           m_notebook.clock.now(), m_notebook.profile.nickname};
    const QString said = care::printVisit(printer(), visit);
    if (!said.isEmpty())
        m_dialogs.information(QStringLiteral("受診用"), said);
}

void CareChartsWindow::exportCsv()
{
    const QString boxTitle = QStringLiteral("CSVに書き出す");
    const QDate today = m_notebook.clock.today();
    const auto from = parseTypedDate(m_csvFromEdit->text().trimmed(), today);
    const auto to = parseTypedDate(m_csvToEdit->text().trimmed(), today);
    QLineEdit *wrong = !from ? m_csvFromEdit : !to ? m_csvToEdit : nullptr;
    if (wrong) {
        m_dialogs.warning(boxTitle,
                          QStringLiteral("%1が日付になっていません。2026/12/8 のように入れてください。")
                              .arg(wrong == m_csvFromEdit ? QStringLiteral("書き出す期間の始め")
                                                          : QStringLiteral("書き出す期間の終わり")));
        wrong->setFocus();
        wrong->selectAll();
        return;
    }
    if (*to < *from) {
        m_dialogs.warning(boxTitle, QStringLiteral("期間の終わり（%1）が始め（%2）より前になっています。")
                                        .arg(dateText(*to), dateText(*from)));
        m_csvToEdit->setFocus();
        m_csvToEdit->selectAll();
        return;
    }
    // The documents folder, never the notebook folder, which is synced and backed up.
    const QString path =
        QDir(pdfFolderFor(m_notebook.folder().dir())).filePath(care::csvFileName(*from, *to));
    const QByteArray bytes = care::csvOf(m_notebook.careLog, *from, *to);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_dialogs.warning(boxTitle, QStringLiteral("%1 に書き出せませんでした（%2）。")
                                        .arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    m_dialogs.information(
        boxTitle, QStringLiteral("お世話記録を書き出しました。\n%1").arg(QDir::toNativeSeparators(path)));
}
