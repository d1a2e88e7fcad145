#include "ui/notebook/yearbook_window.h"

#include "ui/widgets/care_day.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/files/notebook_folder.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/qt_printer.h"
#include "ui/widgets/ui_util.h"
#include "ui/widgets/work_progress.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {

QString title() { return QStringLiteral("アルバム書き出し"); }

QCheckBox *checkBox(const QString &name, const QString &caption, bool on, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    nameControl(box, name, caption);
    box->setChecked(on);
    return box;
}

QDateEdit *dateEdit(const QString &name, const QString &caption, QWidget *parent)
{
    auto *edit = new QDateEdit(parent);
    nameControl(edit, name, caption);
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    edit->setCalendarPopup(true);
    edit->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
    return edit;
}

} // namespace

YearbookWindow::YearbookWindow(PanelHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("frmYearbook"));
    setWindowTitle(title());
    m_from = dateEdit(QStringLiteral("dtpFrom"), QStringLiteral("期間の始め"), this);
    m_to = dateEdit(QStringLiteral("dtpTo"), QStringLiteral("期間の終わり"), this);
    auto *period = new QHBoxLayout;
    period->addWidget(m_from);
    period->addWidget(new QLabel(QStringLiteral("〜"), this));
    period->addWidget(m_to);
    const std::pair<const char *, yearbook::Period (*)(const Notebook &)> presets[] = {
        {"最初の1年", yearbook::firstYear}, {"この1年", yearbook::lastYear}, {"全部", yearbook::wholeDiary}};
    int n = 0;
    for (const auto &[caption, preset] : presets) {
        const QString text = QString::fromUtf8(caption);
        QPushButton *b = makeButton(QStringLiteral("cmdPeriod%1").arg(++n), text,
                                    QStringLiteral("期間を%1にします").arg(text), this);
        connect(b, &QPushButton::clicked, this, [this, preset = preset] { setPeriod(preset(m_host.notebook())); });
        period->addWidget(b);
    }

    m_textCheck = checkBox(QStringLiteral("chkText"), QStringLiteral("日記の文章"), true, this);
    m_measuresCheck = checkBox(QStringLiteral("chkMeasures"), QStringLiteral("身長と体重"), true, this);
    m_photosBox = new QComboBox(this);
    m_photosBox->addItems({QStringLiteral("載せない"), QStringLiteral("メインの写真だけ"), QStringLiteral("6枚とも")});
    m_photosBox->setCurrentIndex(1);
    m_chartCheck = checkBox(QStringLiteral("chkChart"), QStringLiteral("成長グラフ"), true, this);
    m_anniversariesCheck = checkBox(QStringLiteral("chkAnniversaries"), QStringLiteral("期間中の記念日"), true, this);
    m_albumsCheck = checkBox(QStringLiteral("chkAlbums"), QStringLiteral("アルバムの写真"), false, this);
    auto *includes = new QFormLayout;
    includes->addRow(m_textCheck);
    includes->addRow(m_measuresCheck);
    includes->addRow(makeLabel(QStringLiteral("日の写真"), m_photosBox, this), m_photosBox);
    nameControl(m_photosBox, QStringLiteral("cboPhotos"), QStringLiteral("日の写真"));
    includes->addRow(m_chartCheck);
    includes->addRow(m_anniversariesCheck);
    includes->addRow(m_albumsCheck);
    auto *includeBox = new QGroupBox(QStringLiteral("載せるもの"), this);
    includeBox->setLayout(includes);

    m_htmlOption = new QRadioButton(QStringLiteral("ウェブページ（フォルダー）"), this);
    nameControl(m_htmlOption, QStringLiteral("optHtml"), QStringLiteral("ウェブページ（フォルダー）"));
    m_pdfOption = new QRadioButton(QStringLiteral("PDF"), this);
    nameControl(m_pdfOption, QStringLiteral("optPdf"), QStringLiteral("PDF"));
    m_htmlOption->setChecked(true);
    m_smallerCheck = checkBox(QStringLiteral("chkSmaller"), QStringLiteral("小さくする"), false, this);
    m_smallerCheck->setToolTip(QStringLiteral("写真を長い辺 %1 ピクセルまでに縮めます").arg(yearbook::MaxPictureSide));
    m_paperBox = new QComboBox(this);
    for (const QPageSize::PageSizeId id : {QPageSize::A4, QPageSize::A5, QPageSize::B5, QPageSize::Letter})
        m_paperBox->addItem(QPageSize(id).name(), int(id));
    nameControl(m_paperBox, QStringLiteral("cboPaper"), QStringLiteral("用紙"));
    auto *format = new QGridLayout;
    format->addWidget(m_htmlOption, 0, 0);
    format->addWidget(m_smallerCheck, 0, 1);
    format->addWidget(m_pdfOption, 1, 0);
    auto *paper = new QHBoxLayout;
    paper->addWidget(makeLabel(QStringLiteral("用紙"), m_paperBox, this));
    paper->addWidget(m_paperBox);
    format->addLayout(paper, 1, 1);
    auto *formatBox = new QGroupBox(QStringLiteral("形式"), this);
    formatBox->setLayout(format);
    for (QRadioButton *b : {m_htmlOption, m_pdfOption})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                formatChosen();
        });

    m_targetEdit = new QLineEdit(this);
    nameControl(m_targetEdit, QStringLiteral("txtTarget"), QStringLiteral("書き出し先"));
    m_targetEdit->setMinimumWidth(m_targetEdit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 34);
    QPushButton *browse =
        makeButton(QStringLiteral("cmdBrowse"), QStringLiteral("参照..."), QStringLiteral("書き出し先を選びます"), this);
    connect(browse, &QPushButton::clicked, this, &YearbookWindow::chooseTarget);
    auto *target = new QHBoxLayout;
    target->addWidget(makeLabel(QStringLiteral("書き出し先"), m_targetEdit, this));
    target->addWidget(m_targetEdit, 1);
    target->addWidget(browse);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *go = makeButton(QStringLiteral("cmdExport"), QStringLiteral("書き出す"),
                                 QStringLiteral("選んだ期間を書き出します"), this);
    go->setDefault(true);
    QPushButton *close =
        makeButton(QStringLiteral("cmdClose"), QStringLiteral("閉じる"), QStringLiteral("この画面を閉じます"), this);
    buttons->addButton(go, QDialogButtonBox::ActionRole);
    buttons->addButton(close, QDialogButtonBox::RejectRole);
    connect(go, &QPushButton::clicked, this, &YearbookWindow::exportChosen);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    auto *periodLabel = new QLabel(QStringLiteral("期間"), this);
    periodLabel->setBuddy(m_from);
    layout->addWidget(periodLabel);
    layout->addLayout(period);
    layout->addWidget(includeBox);
    layout->addWidget(formatBox);
    layout->addLayout(target);
    layout->addWidget(buttons);

    setPeriod(yearbook::firstYear(host.notebook()));
    formatChosen();
}

void YearbookWindow::setPeriod(const yearbook::Period &period)
{
    const QDate today = m_host.notebook().clock.today();
    m_from->setDate(period.from.isValid() ? period.from : today);
    m_to->setDate(period.to.isValid() ? period.to : today);
}

// The offered name follows the format: a folder for the web page, a .pdf for the PDF.
void YearbookWindow::formatChosen()
{
    const bool pdf = m_pdfOption->isChecked();
    m_smallerCheck->setEnabled(!pdf);
    m_paperBox->setEnabled(pdf);
    QString path = m_targetEdit->text().trimmed();
    if (path.isEmpty()) {
        const QString documents = documentsFolder();
        const QString name = m_host.notebook().profile.nickname;
        path = documents + u'/' + (name.isEmpty() ? QString() : name + u'_') + QStringLiteral("育児手帖");
    } else if (path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        path.chop(4);
    }
    m_targetEdit->setText(pdf ? path + QStringLiteral(".pdf") : path);
}

void YearbookWindow::chooseTarget()
{
    const bool pdf = m_pdfOption->isChecked();
    const QString chosen = m_host.dialogs().chooseFile(
        pdf ? QStringLiteral("PDF の保存先") : QStringLiteral("書き出す新しいフォルダー"), m_targetEdit->text(),
        pdf ? QStringLiteral("PDF (*.pdf)") : QString(), pdf ? Dialogs::FileUse::Save : Dialogs::FileUse::NewFolder);
    if (!chosen.isEmpty())
        m_targetEdit->setText(chosen);
}

yearbook::Options YearbookWindow::options() const
{
    yearbook::Options o;
    o.from = m_from->date();
    o.to = m_to->date();
    o.text = m_textCheck->isChecked();
    o.measures = m_measuresCheck->isChecked();
    o.photos = yearbook::Options::Photos(m_photosBox->currentIndex());
    o.chart = m_chartCheck->isChecked();
    o.anniversaries = m_anniversariesCheck->isChecked();
    o.albums = m_albumsCheck->isChecked();
    o.smaller = m_smallerCheck->isChecked();
    o.paper = QPageSize(QPageSize::PageSizeId(m_paperBox->currentData().toInt()));
    o.careDayStartHour = careDayStartHour();
    return o;
}

void YearbookWindow::exportChosen()
{
    Dialogs &dialogs = m_host.dialogs();
    Notebook &nb = m_host.notebook();
    yearbook::Options o = options();
    const bool pdf = m_pdfOption->isChecked();
    const QString target = QDir::cleanPath(QDir::fromNativeSeparators(m_targetEdit->text().trimmed()));
    const QString dir = QFileInfo(nb.files.dir()).absoluteFilePath();
    QString refusal = yearbook::periodRefusal(o.from, o.to);
    if (refusal.isEmpty() && m_targetEdit->text().trimmed().isEmpty())
        refusal = QStringLiteral("書き出し先を入力してください。");
    if (refusal.isEmpty() && (QFileInfo(target).absoluteFilePath() == dir ||
                              QFileInfo(target).absoluteFilePath().startsWith(dir + u'/')))
        refusal = QStringLiteral("手帖のフォルダーの中には書き出せません。別のフォルダーを選んでください。");
    if (!refusal.isEmpty()) {
        dialogs.warning(title(), refusal);
        return;
    }
    if (QFileInfo::exists(target)) {
        if (!pdf && !yearbook::replaceable(target)) {
            dialogs.warning(title(), QStringLiteral("%1 はすでにあり、育児手帖の書き出しではありません。\r\n"
                                                    "別のフォルダー名を入力してください。")
                                         .arg(QDir::toNativeSeparators(target)));
            return;
        }
        if (!dialogs.confirm(title(),
                             QStringLiteral("%1 はすでにあります。置き換えますか？").arg(QDir::toNativeSeparators(target)),
                             Dialogs::Icon::Question, Dialogs::Answer::Cancel))
            return;
        o.replace = true;
    }
    const yearbook::Content content = yearbook::gather(nb, o);
    WorkProgress progress(QStringLiteral("書き出しています..."), this, title());
    const yearbook::Progress step = [&progress](int done, int total) { return progress.step(double(done) / total); };
    const yearbook::Result r =
        pdf ? yearbook::writePdf(content, nb.folder(), target, o, yearbook::chartPainter(content.chart), step)
            : yearbook::writeHtml(content, nb.folder(), target, o, yearbook::chartPainter(content.chart),
                                  step);
    progress.close();
    activateWindow(); // the keyboard goes on here
    if (r.cancelled)
        return;
    if (!r.ok) {
        dialogs.warning(title(), r.error);
        return;
    }
    dialogs.information(title(), QStringLiteral("%1 に書き出しました（%2日分、写真 %3 枚、%4）。")
                                     .arg(QDir::toNativeSeparators(pdf ? target : target + QStringLiteral("/index.html")))
                                     .arg(content.dayCount())
                                     .arg(content.photoCount())
                                     .arg(dataSizeText(r.bytes)));
}

namespace yearbook {

Result exportFromCommandLine(Notebook &notebook, Dialogs &, Printer &, bool pdf, const QString &target,
                             Options o)
{
    Result refused;
    const Period period = askedPeriod(notebook, o.from, o.to, &refused.error);
    if (!refused.error.isEmpty())
        return refused;
    o.from = period.from;
    o.to = period.to;
    o.careDayStartHour = careDayStartHour();
    const Content content = gather(notebook, o);
    return pdf ? writePdf(content, notebook.folder(), target, o, chartPainter(content.chart))
               : writeHtml(content, notebook.folder(), target, o, chartPainter(content.chart));
}

} // namespace yearbook
