// The yearbook of a full diary (1,095 days, six photos a day) as a web page and as a PDF,
// beside the floors of copying the same pictures and writing the same text with one sync of
// the disk at the end (the web page), and of drawing the same text and pictures on PDF pages
// (the PDF). Wall time is what counts: a wait on the disk costs no CPU.
#include "core/book/yearbook.h"
#include "core/pictures/picture_names.h"
#include "core/pictures/pictures.h"
#include "floor_report.h"
#include "generators.h"
#include "recording_printer.h"
#include "scripted_dialogs.h"
#include "test_notebook.h"
#include "ui/notebook/yearbook_window.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <memory>

namespace {

constexpr int Days = 1095;

// A photo of 640 x 480 as a camera at a small setting would give it, the same for every slot.
QByteArray photoBytes()
{
    QImage image(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return buffer.data();
}

TestNotebook &fullNotebook()
{
    static std::unique_ptr<TestNotebook> t;
    if (!t) {
        t = std::make_unique<TestNotebook>();
        t->writeBytes(QStringLiteral("日記.txt"), generators::diaryFile(Days));
        t->notebook().readProfile();
        t->notebook().readDiary();
        const QByteArray photo = photoBytes();
        for (const DiaryDay &d : t->notebook().diary.days())
            for (int slot = 0; slot < 6; ++slot)
                t->writeBytes(picture_names::dayPhotoKey(d.date, slot) + QStringLiteral(".jpg"), photo);
    }
    return *t;
}

// Every day's six photos, the chart and the anniversaries.
yearbook::Options everything()
{
    yearbook::Options o;
    o.photos = yearbook::Options::Photos::All;
    return o;
}

QTemporaryDir &outDir()
{
    static QTemporaryDir dir;
    return dir;
}

void YearbookHtml(benchmark::State &state)
{
    Notebook &nb = fullNotebook().notebook();
    ScriptedDialogs dialogs;
    dialogs.setLenient(true);
    RecordingPrinter printer;
    const QString target = outDir().filePath(QStringLiteral("page"));
    yearbook::Result r;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(target).removeRecursively();
        state.ResumeTiming();
        r = yearbook::exportFromCommandLine(nb, dialogs, printer, false, target, everything());
    }
    state.counters["files"] = r.files;
    state.counters["MiB"] = double(r.bytes) / (1 << 20);
    state.counters["aim"] = 1.5;
}

// The same pictures copied and the same texts written, the simplest way, then the disk synced once.
void YearbookHtmlFloor(benchmark::State &state)
{
    Notebook &nb = fullNotebook().notebook();
    const QString dir = nb.files.dir();
    const QString target = outDir().filePath(QStringLiteral("floor"));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(target).removeRecursively();
        QDir().mkpath(target);
        state.ResumeTiming();
        QString text;
        for (const DiaryDay &d : nb.diary.days()) {
            text += d.date + d.text;
            for (int slot = 0; slot < 6; ++slot) {
                const QString name = picture_names::dayPhotoKey(d.date, slot) + QStringLiteral(".jpg");
                QFile in(dir + u'/' + name);
                QFile copy(target + u'/' + name);
                in.open(QIODevice::ReadOnly);
                copy.open(QIODevice::WriteOnly);
                copy.write(in.readAll());
            }
        }
        QFile out(target + QStringLiteral("/index.html"));
        out.open(QIODevice::WriteOnly);
        out.write(text.toUtf8());
        out.close();
        const int fd = ::open(QFile::encodeName(target).constData(), O_RDONLY | O_DIRECTORY);
        ::syncfs(fd);
        ::close(fd);
    }
}

void YearbookPdf(benchmark::State &state)
{
    Notebook &nb = fullNotebook().notebook();
    ScriptedDialogs dialogs;
    dialogs.setLenient(true);
    RecordingPrinter printer;
    const QString target = outDir().filePath(QStringLiteral("book.pdf"));
    yearbook::Result r;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
        r = yearbook::exportFromCommandLine(nb, dialogs, printer, true, target, everything());
    }
    state.counters["MiB"] = double(r.bytes) / (1 << 20);
    state.counters["aim"] = 3;
}

// The same texts and pictures (decoded at the size they print at) drawn on A4 pages, six days a page.
void YearbookPdfFloor(benchmark::State &state)
{
    Notebook &nb = fullNotebook().notebook();
    const QString target = outDir().filePath(QStringLiteral("floor.pdf"));
    for (auto _ : state) {
        QPdfWriter pdf(target);
        pdf.setResolution(300);
        QPainter painter(&pdf);
        int onPage = 0;
        for (const DiaryDay &d : nb.diary.days()) {
            if (onPage++ == 6) {
                pdf.newPage();
                onPage = 1;
            }
            const int y = (onPage - 1) * 550;
            painter.drawText(QRect(0, y, 2000, 150), Qt::TextWordWrap, d.text);
            for (int slot = 0; slot < 6; ++slot) {
                const QImage image = pictures::loadScaled(
                    nb.files.dir() + u'/' + picture_names::dayPhotoKey(d.date, slot) + QStringLiteral(".jpg"),
                    QSize(350, 262));
                painter.drawImage(QPointF(slot * 360, y + 160), image);
            }
        }
    }
}

} // namespace

BENCHMARK(YearbookHtmlFloor)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(YearbookHtml)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(YearbookPdfFloor)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(YearbookPdf)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime()->MeasureProcessCPUTime();

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
