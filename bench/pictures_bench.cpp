// Pictures at the size phones take them (12 megapixels), each figure beside its floor: the
// full decode of the same files. A day's main photo as JPEG and as BMP, a page turned between
// two photo days, the photo panel opened with four such photos, and one step of each slide
// show. "Uncached" figures drop the pictures the frames keep, as the first showing of a picture.
#include "core/files/notebook_folder.h"
#include "core/recipes/recipe_store.h"
#include "floor_report.h"
#include "generators.h"
#include "loaded_screen.h"
#include "ui/notebook/day_photos.h"
#include "ui/notebook/diary_page.h"
#include "ui/recipes/recipe_pictures.h"
#include "ui/recipes/recipe_screen.h"
#include "ui/widgets/picture_frame.h"

#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

enum Cache { Uncached, Cached };

// A 4000 x 3000 photo with enough detail that JPEG does not make it trivially small.
const QImage &bigImage()
{
    static QImage image;
    if (image.isNull()) {
        image = QImage(4000, 3000, QImage::Format_RGB32);
        QPainter p(&image);
        QLinearGradient g(0, 0, 4000, 3000);
        g.setColorAt(0, QColor(250, 200, 210));
        g.setColorAt(1, QColor(120, 180, 230));
        p.fillRect(image.rect(), g);
        for (int i = 0; i < 4000; ++i)
            p.fillRect((i * 7919) % 3990, (i * 104729) % 2990, 10, 10, QColor::fromHsv(i % 360, 120, 220));
    }
    return image;
}

// The photo's file bytes: JPEG at quality 90, or a 24-bit BMP of 36 MB.
const QByteArray &bigPhoto(bool bmp)
{
    static QByteArray bytes[2];
    QByteArray &b = bytes[bmp];
    if (b.isEmpty()) {
        QBuffer buffer(&b);
        buffer.open(QIODevice::WriteOnly);
        bigImage().save(&buffer, bmp ? "BMP" : "JPG", 90);
    }
    return b;
}

void writePhoto(const QString &path, bool bmp = false)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bigPhoto(bmp));
}

void fullDecode(const QString &path) { benchmark::DoNotOptimize(QImageReader(path).read()); }

QString dayPhotoName(bool bmp)
{
    return bmp ? QStringLiteral("20261206.bmp") : QStringLiteral("20261206.jpg");
}

// A day page's main photo at the normal size of the day picture, shown for the first time.
// Argument: 0 JPEG, 1 BMP.
void BM_DayPhoto(benchmark::State &state)
{
    QTemporaryDir dir;
    writePhoto(dir.filePath(dayPhotoName(state.range(0))), state.range(0));
    NotebookFolder folder(dir.path());
    PictureFrame frame;
    frame.resize(339, 255);
    for (auto _ : state) {
        frame.forgetPictures();
        frame.showKey(folder, QStringLiteral("20261206"));
    }
    state.counters["aim"] = 0.3; // of a full decode
}

void BM_DayPhotoFloor(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(dayPhotoName(state.range(0)));
    writePhoto(path, state.range(0));
    for (auto _ : state)
        fullDecode(path);
}

// The notebook screen over two days, each with a 12-megapixel main photo.
struct PhotoDays {
    explicit PhotoDays(int days) : s(generators::diaryFile(days))
    {
        s.setHelpTour(false);
        for (int d = 1; d <= days; ++d)
            writePhoto(s.files.path(QStringLiteral("202401%1.jpg").arg(d, 2, 10, QLatin1Char('0'))));
        s.notebook().folder().forgetListing();
    }
    QString photo(int d) const
    {
        return s.files.path(QStringLiteral("202401%1.jpg").arg(d, 2, 10, QLatin1Char('0')));
    }
    LoadedScreen s;
};

// hsbDay moved by one between two photo days. Argument: 0 uncached, 1 cached.
void BM_PageTurn(benchmark::State &state)
{
    PhotoDays days(2);
    auto *bar = days.s.find<QScrollBar>(QStringLiteral("hsbDay"));
    auto *picture = days.s.find<PictureFrame>(QStringLiteral("imgGazou"));
    int day = bar->value();
    for (auto _ : state) {
        if (state.range(0) == Uncached)
            picture->forgetPictures();
        day = 3 - day;
        bar->setValue(day);
    }
}

void BM_PageTurnFloor(benchmark::State &state)
{
    PhotoDays days(2);
    int day = 1;
    for (auto _ : state) {
        day = 3 - day;
        fullDecode(days.photo(day));
    }
}

// The photo panel opened with a 12-megapixel photo first in each group. Argument: 0 its first
// opening on a new screen, 1 opened again with the kept pictures dropped, 2 opened again.
enum PanelOpening { FirstOpening, OpenedAgainUncached, OpenedAgain };

struct PhotoAlbums {
    PhotoAlbums()
    {
        s.setHelpTour(false);
        for (int g = 1; g <= 4; ++g)
            writePhoto(photo(g));
        s.notebook().folder().forgetListing();
    }
    QString photo(int g) const { return s.files.path(QStringLiteral("Photo%1_000.jpg").arg(g)); }
    LoadedScreen s;
};

void BM_OpenPhotoPanel(benchmark::State &state)
{
    auto albums = std::make_unique<PhotoAlbums>();
    for (auto _ : state) {
        if (state.range(0) == FirstOpening) {
            state.PauseTiming();
            albums = std::make_unique<PhotoAlbums>();
            state.ResumeTiming();
        } else if (state.range(0) == OpenedAgainUncached) {
            for (int g = 1; g <= 4; ++g)
                albums->s.find<PictureFrame>(QStringLiteral("imgPhoto%1").arg(g))->forgetPictures();
        }
        albums->s.click(QStringLiteral("cmdPhoto"));
        QApplication::processEvents(); // the frames' decode at their laid-out size
    }
}

void BM_OpenPhotoPanelFloor(benchmark::State &state)
{
    PhotoAlbums albums;
    for (auto _ : state)
        for (int g = 1; g <= 4; ++g)
            fullDecode(albums.photo(g));
}

// One step of the day-photo show (the next day's main photo, enlarged), over three photo days.
void BM_DaySlideStep(benchmark::State &state)
{
    PhotoDays days(3);
    DayPhotos *photos = days.s.find<DiaryPage>(QStringLiteral("fraDiary"))->dayPhotos();
    auto *picture = days.s.find<PictureFrame>(QStringLiteral("imgGazou"));
    for (auto _ : state) {
        picture->forgetPictures();
        if (!photos->show().active())
            photos->startShow();
        photos->slideStep();
    }
}

void BM_DaySlideStepFloor(benchmark::State &state)
{
    PhotoDays days(3);
    for (auto _ : state)
        fullDecode(days.photo(1));
}

// The recipe screen over three recipes, each with a 12-megapixel picture.
struct PhotoRecipes {
    PhotoRecipes()
    {
        t.writeBytes(recipeFileName(), generators::recipeFile(3));
        for (int r = 1; r <= 3; ++r)
            writePhoto(photo(r));
        t.notebook().readProfile();
        t.notebook().tour.helpTourOn = 0;
        dialogs.setLenient(true);
        screen.load();
        screen.show();
    }
    QString photo(int r) const { return t.path(QStringLiteral("やさいのおかゆ%1.jpg").arg(r)); }
    TestNotebook t;
    ScriptedDialogs dialogs;
    RecordingPrinter printer;
    RecipeScreen screen{t.notebook(), dialogs};
};

// One tick of the recipe show (the next recipe with its enlarged picture).
void BM_RecipeSlideStep(benchmark::State &state)
{
    PhotoRecipes recipes;
    auto *pictures = recipes.screen.findChild<RecipePictures *>();
    auto *picture = recipes.screen.findChild<PictureFrame *>(QStringLiteral("imgGazou"));
    for (auto _ : state) {
        picture->forgetPictures();
        if (!pictures->slides().playing)
            pictures->startShow();
        pictures->slideTick();
    }
}

void BM_RecipeSlideStepFloor(benchmark::State &state)
{
    PhotoRecipes recipes;
    for (auto _ : state)
        fullDecode(recipes.photo(1));
}

} // namespace

BENCHMARK(BM_DayPhotoFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayPhoto)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageTurnFloor)->Arg(Uncached)->Arg(Cached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageTurn)->Arg(Uncached)->Arg(Cached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPhotoPanelFloor)->DenseRange(FirstOpening, OpenedAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPhotoPanel)->DenseRange(FirstOpening, OpenedAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DaySlideStepFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DaySlideStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecipeSlideStepFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecipeSlideStep)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
