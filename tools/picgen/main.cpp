// mirutena-picgen: paints the bundled pictures of the sample game.
//
//   mirutena-picgen OUT_DIR GIF_DIR [NAME...]   paint (all, or the named ones); GIF pictures go
//                                               to GIF_DIR as NAME.png for conversion
//   mirutena-picgen --preview DIR [NAME...]      paint as plain NAME.png, for looking at
//   mirutena-picgen --verify DIR                 read every DIR/*.dat back, format from content

#include "pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSet>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>

namespace {

using pg::Format;
using pg::Picture;

std::vector<Picture> allPictures() {
    std::vector<Picture> all;
    pg::addScenes(all);
    pg::addPhotos(all);
    pg::addSpecials(all);
    return all;
}

std::uint64_t seedOf(const char *name) {
    std::uint64_t h = 1469598103934665603ull; // FNV-1a: each picture keeps its own fixed seed
    for (const char *c = name; *c; ++c)
        h = (h ^ std::uint8_t(*c)) * 1099511628211ull;
    return h;
}

QImage render(const Picture &pic) {
    QImage img(pic.width, pic.height, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const double scale = pic.width / 640.0;
    p.scale(scale, scale);
    pg::Canvas cv{640, pic.height / scale, pg::Rng(seedOf(pic.name))};
    pic.paint(p, cv);
    p.end();
    return img;
}

// Median cut to 256 colours, then Floyd-Steinberg: Qt's own 8-bit conversion uses a fixed
// palette that bands badly on skies.
QImage toIndexed(const QImage &src) {
    const QImage img = src.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    struct Bin {
        std::uint32_t count = 0;
        std::uint64_t r = 0, g = 0, b = 0;
    };
    std::vector<Bin> bins(32768);
    auto key = [](int r, int g, int b) { return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3); };
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            Bin &bin = bins[key(qRed(line[x]), qGreen(line[x]), qBlue(line[x]))];
            ++bin.count;
            bin.r += qRed(line[x]);
            bin.g += qGreen(line[x]);
            bin.b += qBlue(line[x]);
        }
    }
    std::vector<int> used;
    for (int k = 0; k < 32768; ++k)
        if (bins[k].count)
            used.push_back(k);
    auto channel = [](int k, int c) { return (k >> (10 - 5 * c)) & 31; };
    struct Box {
        std::vector<int> keys;
        std::uint64_t count = 0;
        int axis = 0, range = 0;
    };
    auto measure = [&](Box &b) {
        b.count = 0;
        std::array<int, 3> lo{31, 31, 31}, hi{0, 0, 0};
        for (int k : b.keys) {
            b.count += bins[k].count;
            for (int c = 0; c < 3; ++c) {
                lo[c] = std::min(lo[c], channel(k, c));
                hi[c] = std::max(hi[c], channel(k, c));
            }
        }
        b.range = -1;
        for (int c = 0; c < 3; ++c)
            if (hi[c] - lo[c] > b.range) {
                b.range = hi[c] - lo[c];
                b.axis = c;
            }
    };
    std::vector<Box> boxes(1);
    boxes[0].keys = used;
    measure(boxes[0]);
    while (boxes.size() < 256) {
        auto it = std::max_element(boxes.begin(), boxes.end(), [](const Box &a, const Box &b) {
            return a.count * std::uint64_t(a.range) < b.count * std::uint64_t(b.range);
        });
        if (it->range == 0 || it->keys.size() < 2)
            break;
        const int axis = it->axis;
        std::sort(it->keys.begin(), it->keys.end(), [&](int a, int b) {
            return channel(a, axis) != channel(b, axis) ? channel(a, axis) < channel(b, axis)
                                                        : a < b;
        });
        std::uint64_t half = it->count / 2, acc = 0;
        std::size_t cut = 0;
        while (cut < it->keys.size() - 1 && acc + bins[it->keys[cut]].count <= half)
            acc += bins[it->keys[cut++]].count;
        cut = std::max<std::size_t>(cut, 1);
        Box other;
        other.keys.assign(it->keys.begin() + std::ptrdiff_t(cut), it->keys.end());
        it->keys.resize(cut);
        measure(*it);
        measure(other);
        boxes.push_back(std::move(other));
    }
    QList<QRgb> palette;
    for (const Box &b : boxes) {
        std::uint64_t n = 0, r = 0, g = 0, bl = 0;
        for (int k : b.keys) {
            n += bins[k].count;
            r += bins[k].r;
            g += bins[k].g;
            bl += bins[k].b;
        }
        palette.push_back(qRgb(int(r / n), int(g / n), int(bl / n)));
    }
    std::vector<int> nearest(32768, -1);
    auto lookup = [&](int r, int g, int b) {
        int &slot = nearest[key(r, g, b)];
        if (slot < 0) {
            int best = 0, bestD = 1 << 30;
            for (int i = 0; i < palette.size(); ++i) {
                int dr = qRed(palette[i]) - r, dg = qGreen(palette[i]) - g,
                    db = qBlue(palette[i]) - b;
                int d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
                if (d < bestD) {
                    bestD = d;
                    best = i;
                }
            }
            slot = best;
        }
        return slot;
    };
    QImage out(w, h, QImage::Format_Indexed8);
    out.setColorTable(palette);
    std::vector<std::array<float, 3>> err(std::size_t(w + 2) * 2, {0, 0, 0});
    for (int y = 0; y < h; ++y) {
        auto *cur = &err[std::size_t(y % 2) * std::size_t(w + 2) + 1];
        auto *nxt = &err[std::size_t((y + 1) % 2) * std::size_t(w + 2) + 1];
        std::fill(nxt - 1, nxt + w + 1, std::array<float, 3>{0, 0, 0});
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        uchar *o = out.scanLine(y);
        for (int x = 0; x < w; ++x) {
            std::array<float, 3> v{qRed(line[x]) + cur[x][0], qGreen(line[x]) + cur[x][1],
                                   qBlue(line[x]) + cur[x][2]};
            std::array<int, 3> q;
            for (int c = 0; c < 3; ++c)
                q[c] = std::clamp(int(v[c] + 0.5f), 0, 255);
            const int idx = lookup(q[0], q[1], q[2]);
            o[x] = uchar(idx);
            const std::array<int, 3> got{qRed(palette[idx]), qGreen(palette[idx]),
                                         qBlue(palette[idx])};
            for (int c = 0; c < 3; ++c) {
                const float e = v[c] - float(got[c]);
                cur[x + 1][c] += e * 7 / 16;
                nxt[x - 1][c] += e * 3 / 16;
                nxt[x][c] += e * 5 / 16;
                nxt[x + 1][c] += e * 1 / 16;
            }
        }
    }
    return out;
}

bool save(const QImage &img, const QString &path, const char *format, int quality = -1) {
    QImageWriter w(path, format);
    if (quality >= 0)
        w.setQuality(quality);
    if (!w.write(img)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                     qPrintable(w.errorString()));
        return false;
    }
    return true;
}

const char *formatName(Format f) {
    switch (f) {
    case Format::Bmp8:
    case Format::Bmp24:
        return "bmp";
    case Format::Png:
        return "png";
    case Format::Jpeg:
        return "jpeg";
    case Format::Gif:
        return "gif";
    }
    return "?";
}

std::vector<Picture> selected(const QStringList &names) {
    std::vector<Picture> out;
    for (const Picture &pic : allPictures())
        if (names.isEmpty() || names.contains(QString::fromLatin1(pic.name)))
            out.push_back(pic);
    return out;
}

int paintAll(const QString &outDir, const QString &gifDir, const QStringList &names) {
    QDir().mkpath(outDir);
    QDir().mkpath(gifDir);
    for (const Picture &pic : selected(names)) {
        const QImage img = render(pic);
        const QString dat = outDir + QLatin1Char('/') + QString::fromLatin1(pic.name) + ".dat";
        bool ok = true;
        switch (pic.format) {
        case Format::Bmp8:
            ok = save(toIndexed(img), dat, "bmp");
            break;
        case Format::Bmp24:
            ok = save(img.convertToFormat(QImage::Format_RGB888), dat, "bmp");
            break;
        case Format::Png:
            ok = save(img, dat, "png", 0);
            break;
        case Format::Jpeg:
            ok = save(img, dat, "jpeg", 85);
            break;
        case Format::Gif:
            ok = save(img, gifDir + QLatin1Char('/') + QString::fromLatin1(pic.name) + ".png",
                      "png", 0);
            break;
        }
        if (!ok)
            return 1;
        std::printf("%-11s %4dx%-4d %s\n", pic.name, pic.width, pic.height, formatName(pic.format));
    }
    return 0;
}

int preview(const QString &dir, const QStringList &names) {
    QDir().mkpath(dir);
    for (const Picture &pic : selected(names))
        if (!save(render(pic), dir + QLatin1Char('/') + QString::fromLatin1(pic.name) + ".png",
                  "png"))
            return 1;
    return 0;
}

// Every expected picture must be there and read back, in the format and size we meant.
int verify(const QString &dir) {
    std::map<QString, Picture> expected;
    for (const Picture &pic : allPictures())
        expected.emplace(QString::fromLatin1(pic.name), pic);
    int failures = 0;
    QSet<QString> seen;
    std::map<QString, int> counts;
    const QFileInfoList files =
        QDir(dir).entryInfoList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name);
    for (const QFileInfo &fi : files) {
        const QString name = fi.completeBaseName();
        seen.insert(name);
        QImageReader r(fi.filePath());
        r.setDecideFormatFromContent(true);
        const QString fmt = QString::fromLatin1(r.format()); // known only before the read
        const QImage img = r.read();
        std::printf("%-11s %-5s %4dx%-4d %7lld bytes\n", qPrintable(name), qPrintable(fmt),
                    img.width(), img.height(), fi.size());
        auto it = expected.find(name);
        if (img.isNull()) {
            std::printf("  FAIL: unreadable (%s)\n", qPrintable(r.errorString()));
            ++failures;
        } else if (it == expected.end()) {
            std::printf("  FAIL: not one of the game's pictures\n");
            ++failures;
        } else if (fmt != QLatin1String(formatName(it->second.format)) ||
                   img.size() != QSize(it->second.width, it->second.height)) {
            std::printf("  FAIL: expected %s %dx%d\n", formatName(it->second.format),
                        it->second.width, it->second.height);
            ++failures;
        }
        ++counts[fmt];
    }
    for (const auto &[name, pic] : expected)
        if (!seen.contains(name)) {
            std::printf("%-11s FAIL: missing\n", qPrintable(name));
            ++failures;
        }
    for (const auto &[fmt, n] : counts)
        std::printf("%s: %d  ", qPrintable(fmt), n);
    std::printf("\n%lld files, %d failures\n", static_cast<long long>(files.size()), failures);
    return failures ? 1 : 0;
}

} // namespace

int main(int argc, char **argv) {
    // Fonts need a GUI application, but never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() >= 2 && args[0] == QLatin1String("--verify"))
        return verify(args[1]);
    if (args.size() >= 2 && args[0] == QLatin1String("--preview"))
        return preview(args[1], args.mid(2));
    if (args.size() >= 2 && !args[0].startsWith(QLatin1String("--")))
        return paintAll(args[0], args[1], args.mid(2));
    std::fprintf(stderr, "usage: mirutena-picgen OUT_DIR GIF_DIR [NAME...]\n"
                         "       mirutena-picgen --preview DIR [NAME...]\n"
                         "       mirutena-picgen --verify DIR\n");
    return 2;
}
