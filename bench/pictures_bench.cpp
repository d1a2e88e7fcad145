// Pictures at the size phones take them: a day whose main photo is a 12-megapixel JPEG, beside
// the full-size decode of the same file (the floor: showing it should take at most 0.3 of that),
// and the photo panel opened with four such photos.
#include "common/notebook_folder.h"
#include "common/picture_frame.h"
#include "loaded_screen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A 4000 x 3000 photo with enough detail that JPEG does not make it trivially small.
QByteArray bigPhoto()
{
    static QByteArray bytes;
    if (bytes.isEmpty()) {
        QImage image(4000, 3000, QImage::Format_RGB32);
        QPainter p(&image);
        QLinearGradient g(0, 0, 4000, 3000);
        g.setColorAt(0, QColor(250, 200, 210));
        g.setColorAt(1, QColor(120, 180, 230));
        p.fillRect(image.rect(), g);
        for (int i = 0; i < 4000; ++i)
            p.fillRect((i * 7919) % 3990, (i * 104729) % 2990, 10, 10, QColor::fromHsv(i % 360, 120, 220));
        p.end();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG", 90);
    }
    return bytes;
}

void writePhoto(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bigPhoto());
}

double fullDecodeMs(const QString &path)
{
    QElapsedTimer t;
    t.start();
    benchmark::DoNotOptimize(QImageReader(path).read());
    return double(t.nsecsElapsed()) / 1e6;
}

void fullDecode(benchmark::State &state)
{
    QTemporaryDir dir;
    writePhoto(dir.filePath(QStringLiteral("20261206.jpg")));
    for (auto _ : state)
        benchmark::DoNotOptimize(QImageReader(dir.filePath(QStringLiteral("20261206.jpg"))).read());
}
BENCHMARK(fullDecode)->Unit(benchmark::kMillisecond);

// The day picture at its normal size, as a day page shows its main photo.
void showDayPhoto(benchmark::State &state)
{
    QTemporaryDir dir;
    writePhoto(dir.filePath(QStringLiteral("20261206.jpg")));
    NotebookFolder folder(dir.path());
    PictureFrame frame;
    frame.resize(339, 255);
    for (auto _ : state)
        frame.showKey(folder, QStringLiteral("20261206"));
    state.counters["floor_ms"] = 0.3 * fullDecodeMs(dir.filePath(QStringLiteral("20261206.jpg")));
}
BENCHMARK(showDayPhoto)->Unit(benchmark::kMillisecond);

void openPhotoPanel(benchmark::State &state)
{
    LoadedScreen s;
    s.setHelpTour(false);
    for (int g = 1; g <= 4; ++g)
        writePhoto(s.files.path(QStringLiteral("Photo%1_000.jpg").arg(g)));
    auto *button = s.find<QAbstractButton>(QStringLiteral("cmdPhoto"));
    for (auto _ : state) {
        button->click();
        QApplication::processEvents(); // the frames' decode at their laid-out size
    }
    state.counters["floor_ms"] = 4 * 0.3 * fullDecodeMs(s.files.path(QStringLiteral("Photo1_000.jpg")));
}
BENCHMARK(openPhotoPanel)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
