// SPDX-License-Identifier: GPL-3.0-or-later
// The game's heavy in-process paths, each beside its floor: the same work done the
// plainest way this machine allows. bench/run reads the figures; the names pair up as
// "PATH/ours" and "PATH/floor".
//
//   mirutena_bench [benchmark flags]       every path (BENCH_RUNNER_LINES: lines per run)
//   mirutena_bench --rss-play N            peak RSS in kB of a script of N lines played out
//   mirutena_bench --rss-read N            the same for reading and decoding those lines
//   mirutena_bench --picture PATH W H FMT  paints a test picture (for the game folders)

#include "album/albumlist.h"
#include "album/datafiles.h"
#include "media/midi.h"
#include "media/picture.h"
#include "runtime/cp932.h"
#include "runtime/textfile.h"
#include "script/runner.h"
#include "shell/fom.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRadialGradient>
#include <QSignalBlocker>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string_view>
#include <vector>

namespace {

constexpr int albumEntries = 10000; // a player who took very many photos
const QSize bigPicture(4000, 3000);

// Something like a photograph: soft light with plenty of detail, so that the decoder has
// as much to do as with a real one.
QImage paintPicture(QSize size, unsigned seed) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QRadialGradient sky(size.width() * 0.3, size.height() * 0.2, size.width());
    sky.setColorAt(0, QColor(255, 240, 200));
    sky.setColorAt(1, QColor(60, 110, 170));
    p.fillRect(image.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    std::mt19937 random(seed);
    auto upTo = [&random](int n) { return int(random() % unsigned(std::max(n, 1))); };
    const int shapes = std::max(8, size.width() * size.height() / 4000);
    for (int i = 0; i < shapes; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(upTo(256), upTo(256), upTo(256), 60 + upTo(150)));
        const int r = 2 + upTo(std::max(size.width() / 30, 3));
        p.drawEllipse(QPoint(upTo(size.width()), upTo(size.height())), r, r);
    }
    return image;
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

QByteArray cp932Lines(std::initializer_list<const char16_t *> lines) {
    QByteArray out;
    for (const char16_t *line : lines)
        out += rt::encodeCp932(QStringView(line)) + "\r\n";
    return out;
}

// A script as a writer has it, played by clicks: each text line is followed by a short run
// the runner passes over at once, a page break, a picture and an empty line. Every click
// then does all the kinds of work a step has (a page, a picture, a line of text) without
// the run being longer than a writer would make it.
const char16_t *const textLine = u"「おはよう。今日もいい天気だね、散歩に行こうか。」";
QByteArrayView scriptLine(qint64 i) {
    static const QByteArray text = rt::encodeCp932(QStringView(textLine));
    static const QByteArrayView kinds[] = {text, ">p", ">img px", ""};
    return kinds[i % 4];
}
qint64 textLines(qint64 lines) {
    return (lines + 3) / 4;
}
qint64 pictureLines(qint64 lines) {
    return (lines + 1) / 4;
}

void writeScript(const QString &path, qint64 lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::exit(1);
    QByteArray chunk;
    for (qint64 i = 0; i < lines; ++i) {
        chunk += scriptLine(i);
        chunk += "\r\n";
        if (chunk.size() > 65536) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
}

// An album as a player who took many photos has it: the catalogue's codes in the order
// they were taken.
QByteArray albumFile(int entries) {
    std::mt19937 random(20261207);
    QByteArray out;
    for (int i = 0; i < entries; ++i) {
        const unsigned n = random() % 47;
        out += n < 31 ? QByteArray::number(n) : "t" + QByteArray::number(n - 31);
        out += "\r\n";
    }
    return out;
}

// A game folder with the least the window needs to start, plus what the paths read.
class Folder {
  public:
    Folder() {
        QDir(dir_.path()).mkpath(QStringLiteral("dat"));
        QDir(dir_.path()).mkpath(QStringLiteral("img"));
        writeFile(path("dat/syasin.dat"), cp932Lines({u"一枚目", u">", u"二枚目"}));
        writeFile(path("dat/tsyasin.dat"), cp932Lines({u"特別な一枚"}));
        writeFile(path("dat/0.dat"), cp932Lines({u">syuuryou"})); // straight to the base screen
        writeFile(path("dat/save.dat"), {});
        paintPicture({640, 480}, 1).save(path("img/ttl.dat"), "PNG");
        paintPicture({320, 480}, 2).save(path("img/girl.dat"), "PNG");
        paintPicture({16, 16}, 3).save(path("img/dmy.dat"), "PNG");
        paintPicture({2, 2}, 4).save(path("img/px.dat"), "PNG");
    }
    QString root() const { return dir_.path() + u'/'; }
    QString path(const char *relative) const { return root() + QLatin1StringView(relative); }

  private:
    QTemporaryDir dir_;
};

// Errors end the benchmark; nothing else reaches the desktop.
struct BenchDesktop : Fom::Desktop {
    bool askClearAll(QWidget *) override { return false; }
    void reportError(const rt::RuntimeError &e) override {
        std::fprintf(stderr, "error: %s\n", qPrintable(e.text()));
        std::exit(1);
    }
    void exitProgram(int) override {}
} benchDesktop;

// The real window on a folder, music left out (it has its own figures), resting on the
// base screen as a player sees it.
std::unique_ptr<Fom> startWindow(const Folder &folder) {
    Fom::Options options;
    options.appDir = folder.root();
    options.screenWidth = 1024;
    options.logicalDpi = 96;
    options.music = nullptr; // it has figures of its own, taken on the whole program
    options.desktop = &benchDesktop;
    auto fom = std::make_unique<Fom>(options);
    try {
        fom->Form_Load();
    } catch (const rt::RuntimeError &e) {
        std::fprintf(stderr, "start-up failed: %s\n", qPrintable(e.text()));
        std::exit(1);
    }
    fom->BgmTim.stop();
    fom->show();
    QElapsedTimer waited;
    waited.start();
    while (!fom->started() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
    return fom;
}

// Lets the window catch up (paint, timers) outside the measured part.
void settle(Fom &fom) {
    fom.TimLBl.stop();
    QCoreApplication::processEvents();
}

long peakRssKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// --- a script played to its end -------------------------------------------------------------

// Clicks as the window delivers them, one a text line, until the event is over. The canvas
// is asked for after each click, as the paint that follows it draws it; then the window
// catches up (its paint, its timers) in `between`, which a measured run leaves out: that
// costs the same whatever the runner does, and the floor paints nothing.
template <typename Between> qint64 playToEnd(Fom &fom, Between between) {
    qint64 clicks = 0;
    while (fom.st.eventActive) {
        fom.entry([&fom] { lbl_Click(fom); });
        benchmark::DoNotOptimize(fom.Pic->canvas().constBits());
        ++clicks;
        between();
    }
    return clicks;
}

void runnerPlay(benchmark::State &state, Fom &fom, const QString &script, qint64 lines) {
    for (auto _ : state) {
        state.PauseTiming();
        IveStt(fom, script); // shows the first line and waits there
        settle(fom);
        state.ResumeTiming();
        const qint64 clicks = playToEnd(fom, [&state, &fom] {
            state.PauseTiming();
            settle(fom);
            state.ResumeTiming();
        });
        if (clicks != textLines(lines)) {
            state.SkipWithError("the script was not played line by line to its end");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * lines);
}

// Reads a file line by line and decodes every line, as plainly as Qt allows.
qsizetype readAndDecode(const QString &path) {
    QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        std::exit(1);
    char buffer[4096];
    qsizetype characters = 0;
    for (;;) {
        qint64 n = f.readLine(buffer, sizeof buffer);
        if (n <= 0)
            break;
        while (n > 0 && (buffer[n - 1] == '\n' || buffer[n - 1] == '\r'))
            --n;
        const QString line = decoder.decode(QByteArrayView(buffer, n));
        characters += line.size() + 1;
    }
    return characters;
}

// The same lines read and decoded, and the script's picture read as plainly as Qt allows
// once for each of its picture lines, at the view's size.
void runnerFloor(benchmark::State &state, const QString &path, const QString &picture, QSize view,
                 qint64 lines) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(readAndDecode(path));
        for (qint64 i = pictureLines(lines); i > 0; --i) {
            QImageReader reader(picture);
            reader.setScaledSize(view);
            const QImage shown = reader.read();
            benchmark::DoNotOptimize(shown.constBits());
        }
    }
    state.SetItemsProcessed(state.iterations() * lines);
}

// --- the album: start-up read and shutdown write, and one photo added ----------------------

void albumReadWrite(benchmark::State &state, Fom &fom, const QString &save,
                    const QByteArray &album) {
    for (auto _ : state) {
        state.PauseTiming();
        {
            QSignalBlocker quiet(fom.LST);
            fom.LST->clear();
        }
        writeFile(save, album); // the last shutdown wrote it sorted
        settle(fom);
        state.ResumeTiming();
        readAlbum(fom);
        writeAlbum(fom);
    }
    if (fom.LST->count() != albumEntries)
        state.SkipWithError("the album did not come back whole");
}

// Reads the lines, sorts them, writes them as safely as the game does: a new file, its data
// flushed to the disk, then renamed over the old one.
void sortFile(const QString &path) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        std::exit(1);
    const QByteArray bytes = in.readAll();
    in.close();
    std::vector<QByteArrayView> lines;
    lines.reserve(size_t(bytes.size() / 4));
    for (qsizetype at = 0; at < bytes.size();) {
        qsizetype end = bytes.indexOf("\r\n", at);
        if (end < 0)
            end = bytes.size();
        lines.push_back(QByteArrayView(bytes).sliced(at, end - at));
        at = end + 2;
    }
    std::stable_sort(lines.begin(), lines.end());
    QByteArray out;
    out.reserve(bytes.size() + 2);
    for (QByteArrayView line : lines) {
        out += line;
        out += "\r\n";
    }
    const QByteArray target = QFile::encodeName(path);
    const QByteArray fresh = target + ".new";
    const int fd = ::open(fresh.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, out.constData(), size_t(out.size())) != out.size() ||
        ::fdatasync(fd) != 0 || ::close(fd) != 0 || ::rename(fresh.constData(), target.constData()))
        std::exit(1);
}

void albumFloor(benchmark::State &state, const QString &path, const QByteArray &album) {
    for (auto _ : state) {
        state.PauseTiming();
        writeFile(path, album);
        state.ResumeTiming();
        sortFile(path);
    }
}

std::vector<QString> photoCodes() {
    std::vector<QString> codes;
    std::mt19937 random(7);
    for (int i = 0; i < 4096; ++i) {
        const unsigned n = random() % 47;
        codes.push_back(n < 31 ? QString::number(n) : u't' + QString::number(n - 31));
    }
    return codes;
}

QList<QByteArray> albumLines(int entries) {
    QList<QByteArray> lines = albumFile(entries).split('\n');
    lines.removeLast(); // after the last line break
    for (QByteArray &line : lines)
        line.chop(1); // its CR
    return lines;
}

void fillAlbum(Fom &fom, int entries) {
    QSignalBlocker quiet(fom.LST);
    fom.LST->clear();
    QList<album::Entry> rows;
    for (QByteArray &line : albumLines(entries))
        rows.push_back({rt::decodeCp932(line), line});
    fom.LST->fill(std::move(rows));
    settle(fom);
}

void addPhoto(benchmark::State &state, Fom &fom) {
    const int entries = int(state.range(0));
    fillAlbum(fom, entries);
    const std::vector<QString> codes = photoCodes();
    size_t next = 0;
    for (auto _ : state) {
        const QString &code = codes[next++ % codes.size()];
        fom.LST->add(code);
        state.PauseTiming();
        fom.LST->removeRow(fom.LST->insertRow(code) - 1);
        state.ResumeTiming();
    }
    if (fom.LST->count() != entries)
        state.SkipWithError("the album changed size");
}

std::vector<QString> sortedTexts(int entries) {
    std::vector<QString> texts;
    for (const QByteArray &line : albumLines(entries))
        texts.push_back(QString::fromLatin1(line));
    std::stable_sort(texts.begin(), texts.end());
    return texts;
}

void addFloor(benchmark::State &state) {
    std::vector<QString> texts = sortedTexts(int(state.range(0)));
    const std::vector<QString> codes = photoCodes();
    size_t next = 0;
    for (auto _ : state) {
        const QString &code = codes[next++ % codes.size()];
        auto at = texts.insert(std::upper_bound(texts.begin(), texts.end(), code), code);
        state.PauseTiming();
        texts.erase(at);
        state.ResumeTiming();
    }
}

// What one add would cost if it sorted the album again.
void fullSort(benchmark::State &state) {
    const std::vector<QString> sorted = sortedTexts(int(state.range(0)));
    std::vector<QString> texts;
    for (auto _ : state) {
        state.PauseTiming();
        texts = sorted;
        texts.push_back(QStringLiteral("17"));
        std::rotate(texts.begin(), texts.end() - 1, texts.end());
        state.ResumeTiming();
        std::stable_sort(texts.begin(), texts.end());
    }
}

// --- a big photograph onto the view --------------------------------------------------------

void picSet(benchmark::State &state, Fom &fom) {
    for (auto _ : state) {
        PicSet(fom, QStringLiteral("big"));
        state.PauseTiming();
        settle(fom);
        state.ResumeTiming();
    }
    if (fom.E.size() != fom.Pic->size())
        state.SkipWithError("the picture was not loaded at the view's size");
}

void picFloor(benchmark::State &state, const QString &path, QSize view, bool reduced) {
    for (auto _ : state) {
        QImageReader reader(path);
        if (reduced)
            reader.setScaledSize(view); // lets the decoder skip most of the detail
        QImage shown = reader.read();
        if (!reduced)
            shown = shown.scaled(view, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(shown.constBits());
        if (shown.size() != view) {
            state.SkipWithError("the floor could not read the picture");
            break;
        }
    }
}

// --- modes for bench/run -------------------------------------------------------------------

int rssOfPlay(qint64 lines) {
    Folder folder;
    writeScript(folder.path("dat/run.dat"), lines);
    std::unique_ptr<Fom> fom = startWindow(folder);
    IveStt(*fom, QStringLiteral("run"));
    if (playToEnd(*fom, [&fom] { settle(*fom); }) != textLines(lines))
        return 1;
    std::printf("%ld\n", peakRssKb());
    return 0;
}

int rssOfRead(qint64 lines) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/run.dat");
    writeScript(path, lines);
    benchmark::DoNotOptimize(readAndDecode(path));
    std::printf("%ld\n", peakRssKb());
    return 0;
}

qint64 runnerLines() {
    bool ok = false;
    const qint64 lines = qEnvironmentVariableIntValue("BENCH_RUNNER_LINES", &ok);
    return ok && lines > 0 ? lines : 100000; // a long novel of a game
}

void registerAll(Folder &folder, Fom &fom) {
    using benchmark::RegisterBenchmark;
    const qint64 lines = runnerLines();
    const QString file = folder.path("dat/run.dat");
    writeScript(file, lines);
    const QString px = folder.path("img/px.dat");
    const QSize view = fom.Pic->size();
    RegisterBenchmark("runner_play/ours", [&fom, lines](benchmark::State &s) {
        runnerPlay(s, fom, QStringLiteral("run"), lines);
    })->Unit(benchmark::kMillisecond);
    RegisterBenchmark("runner_play/floor", [file, px, view, lines](benchmark::State &s) {
        runnerFloor(s, file, px, view, lines);
    })->Unit(benchmark::kMillisecond);

    const QByteArray album = albumFile(albumEntries);
    const QString save = folder.path("dat/save.dat");
    const QString copy = folder.path("floor_save.dat");
    RegisterBenchmark("album_read_write/ours", [&fom, save, album](benchmark::State &s) {
        albumReadWrite(s, fom, save, album);
    })->Unit(benchmark::kMillisecond);
    RegisterBenchmark("album_read_write/floor", [copy, album](benchmark::State &s) {
        albumFloor(s, copy, album);
    })->Unit(benchmark::kMillisecond);

    for (int entries : {1000, albumEntries}) {
        RegisterBenchmark("album_add/ours", [&fom](benchmark::State &s) { addPhoto(s, fom); })
            ->Arg(entries)
            ->Unit(benchmark::kMicrosecond);
        RegisterBenchmark("album_add/floor", addFloor)->Arg(entries)->Unit(benchmark::kMicrosecond);
    }
    RegisterBenchmark("album_full_sort", fullSort)
        ->Arg(albumEntries)
        ->Unit(benchmark::kMicrosecond);

    const QString big = folder.path("img/big.dat");
    paintPicture(bigPicture, 5).save(big, "JPEG", 90);
    RegisterBenchmark("picset/ours", [&fom](benchmark::State &s) {
        picSet(s, fom);
    })->Unit(benchmark::kMillisecond);
    RegisterBenchmark("picset/floor", [big, view](benchmark::State &s) {
        picFloor(s, big, view, true);
    })->Unit(benchmark::kMillisecond);
    RegisterBenchmark("picset_full_decode/floor", [big, view](benchmark::State &s) {
        picFloor(s, big, view, false);
    })->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1; // the rest are the benchmark library's
    QApplication app(qtArgc, argv);

    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode == "--rss-play" && argc == 3)
        return rssOfPlay(std::atoll(argv[2]));
    if (mode == "--rss-read" && argc == 3)
        return rssOfRead(std::atoll(argv[2]));
    if (mode == "--picture" && argc == 6) {
        const QImage picture = paintPicture({std::atoi(argv[3]), std::atoi(argv[4])}, 9);
        return picture.save(QString::fromLocal8Bit(argv[2]), argv[5], 90) ? 0 : 1;
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    Folder folder;
    std::unique_ptr<Fom> fom = startWindow(folder);
    registerAll(folder, *fom);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
