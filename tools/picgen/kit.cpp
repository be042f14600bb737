#include "kit.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace pg {

namespace {
constexpr double pi = std::numbers::pi;
double rad(double deg) {
    return deg * pi / 180;
}
} // namespace

std::uint64_t Rng::next() {
    // splitmix64: tiny, and its sequence is fixed by the seed alone.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uni() {
    return double(next() >> 11) / double(1ull << 53);
}

int Rng::irange(int lo, int hi) {
    return lo + int(next() % std::uint64_t(hi - lo + 1));
}

QColor mix(const QColor &a, const QColor &b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor alpha(const QColor &c, double a) {
    QColor r = c;
    r.setAlphaF(float(std::clamp(a, 0.0, 1.0)));
    return r;
}

void skyGradient(QPainter &p, const QRectF &r, Stops stops) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    for (const auto &[at, color] : stops)
        g.setColorAt(at, color);
    p.fillRect(r, g);
}

void glow(QPainter &p, QPointF c, double r, const QColor &color) {
    QRadialGradient g(c, r);
    g.setColorAt(0, color);
    g.setColorAt(0.35, alpha(color, color.alphaF() * 0.45));
    g.setColorAt(1, alpha(color, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void sun(QPainter &p, QPointF c, double r, const QColor &core, const QColor &halo) {
    glow(p, c, r * 5, alpha(halo, 0.55));
    glow(p, c, r * 2, alpha(halo, 0.8));
    QRadialGradient g(c, r);
    g.setColorAt(0, mix(core, Qt::white, 0.6));
    g.setColorAt(1, core);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void moon(QPainter &p, QPointF c, double r, const QColor &sky, bool crescent) {
    glow(p, c, r * 4, alpha(QColor(220, 230, 255), 0.35));
    QPainterPath disc;
    disc.addEllipse(c, r, r);
    if (crescent) {
        QPainterPath bite;
        bite.addEllipse(c + QPointF(r * 0.45, -r * 0.2), r * 0.92, r * 0.92);
        disc = disc.subtracted(bite);
    }
    QRadialGradient g(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
    g.setColorAt(0, QColor(255, 253, 235));
    g.setColorAt(1, QColor(236, 226, 188));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(disc);
    if (!crescent) {
        // Seas: faint and soft, so it reads as the moon and not a lamp.
        const QColor sea = alpha(mix(QColor(200, 190, 160), sky, 0.15), 0.45);
        p.setBrush(sea);
        p.drawEllipse(c + QPointF(-r * 0.30, -r * 0.20), r * 0.28, r * 0.22);
        p.drawEllipse(c + QPointF(r * 0.18, -r * 0.35), r * 0.2, r * 0.16);
        p.drawEllipse(c + QPointF(r * 0.25, r * 0.18), r * 0.3, r * 0.2);
        p.drawEllipse(c + QPointF(-r * 0.15, r * 0.42), r * 0.14, r * 0.1);
    }
}

void stars(QPainter &p, Rng &rng, const QRectF &area, int count, double maxSize) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        QPointF c(area.left() + rng.uni() * area.width(), area.top() + rng.uni() * area.height());
        double s = 0.4 + rng.uni() * rng.uni() * maxSize;
        double a = 0.45 + rng.uni() * 0.55;
        QColor tint = rng.uni() < 0.2 ? QColor(255, 236, 200) : QColor(235, 240, 255);
        if (s > maxSize * 0.7)
            glow(p, c, s * 4, alpha(tint, 0.35));
        p.setBrush(alpha(tint, a));
        p.drawEllipse(c, s, s);
    }
}

void cloud(QPainter &p, Rng &rng, QPointF c, double width, const QColor &light,
           const QColor &shade) {
    p.setPen(Qt::NoPen);
    const int puffs = 6;
    QPainterPath body;
    for (int i = 0; i < puffs; ++i) {
        double t = double(i) / (puffs - 1);
        double x = c.x() - width / 2 + t * width;
        double r = width * (0.12 + 0.14 * std::sin(t * pi)) * rng.range(0.85, 1.15);
        body.addEllipse(QPointF(x, c.y() - r * 0.45), r, r);
    }
    body.addRoundedRect(
        QRectF(c.x() - width * 0.55, c.y() - width * 0.08, width * 1.1, width * 0.12), width * 0.06,
        width * 0.06);
    body.setFillRule(Qt::WindingFill);
    body = body.simplified();
    QRectF b = body.boundingRect();
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, light);
    g.setColorAt(0.6, light);
    g.setColorAt(1, shade);
    p.setBrush(g);
    p.drawPath(body);
}

void hills(QPainter &p, double width, double baseY, double amp, double phase, const QColor &top,
           const QColor &bottom) {
    QPainterPath path;
    path.moveTo(-10, baseY + amp * 4);
    for (double x = -10; x <= width + 10; x += 8) {
        double y = baseY - amp * (0.6 * std::sin(x / width * 5.1 + phase) +
                                  0.4 * std::sin(x / width * 11.3 + phase * 2.3));
        path.lineTo(x, y);
    }
    path.lineTo(width + 10, baseY + amp * 4);
    path.closeSubpath();
    QLinearGradient g(0, baseY - amp, 0, baseY + amp * 2);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
}

void lawn(QPainter &p, const QRectF &r, const QColor &far, const QColor &near) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, far);
    g.setColorAt(1, near);
    p.fillRect(r, g);
}

void grassTufts(QPainter &p, Rng &rng, const QRectF &area, int count, const QColor &color,
                double size) {
    for (int i = 0; i < count; ++i) {
        double fy = rng.uni();
        QPointF b(area.left() + rng.uni() * area.width(), area.top() + fy * area.height());
        double s = size * (0.5 + fy);
        p.setPen(QPen(alpha(color, 0.35 + 0.5 * fy), std::max(0.6, s * 0.18), Qt::SolidLine,
                      Qt::RoundCap));
        for (int k = -1; k <= 1; ++k)
            p.drawLine(b, b + QPointF(k * s * 0.45 + rng.range(-1, 1), -s * rng.range(0.7, 1.2)));
    }
}

void flowers(QPainter &p, Rng &rng, const QRectF &area, int count,
             std::initializer_list<QColor> colors, double size) {
    p.setPen(Qt::NoPen);
    const int n = int(colors.size());
    for (int i = 0; i < count; ++i) {
        double fy = rng.uni();
        QPointF c(area.left() + rng.uni() * area.width(), area.top() + fy * area.height());
        double s = size * (0.5 + fy);
        QColor col = *(colors.begin() + rng.irange(0, n - 1));
        p.setBrush(col);
        for (int k = 0; k < 5; ++k) {
            double a = rad(k * 72);
            p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * s * 0.6, s * 0.5, s * 0.5);
        }
        p.setBrush(QColor(255, 225, 90));
        p.drawEllipse(c, s * 0.35, s * 0.35);
    }
}

void groundShadow(QPainter &p, QPointF c, double rx, double ry, double strength) {
    QRadialGradient g(c, rx);
    g.setColorAt(0, QColor(0, 0, 0, int(255 * strength)));
    g.setColorAt(1, QColor(0, 0, 0, 0));
    p.save();
    p.translate(c);
    p.scale(1, ry / rx);
    p.translate(-c);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, rx, rx);
    p.restore();
}

void vignette(QPainter &p, const Canvas &cv, double strength) {
    QPointF c(cv.w / 2, cv.h / 2);
    double r = std::hypot(cv.w, cv.h) * 0.62;
    QRadialGradient g(c, r);
    g.setColorAt(0, QColor(0, 0, 0, 0));
    g.setColorAt(0.65, QColor(0, 0, 0, 0));
    g.setColorAt(1, QColor(0, 0, 0, int(255 * strength)));
    p.fillRect(QRectF(0, 0, cv.w, cv.h), g);
}

void lightRays(QPainter &p, QPointF from, double length, int count, double spread,
               const QColor &color, double angle) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        double a = angle - spread / 2 + spread * (i + 0.5) / count;
        double half = spread / count * 0.25;
        QPointF e1 = from + QPointF(std::cos(rad(a - half)), std::sin(rad(a - half))) * length;
        QPointF e2 = from + QPointF(std::cos(rad(a + half)), std::sin(rad(a + half))) * length;
        QLinearGradient g(from, (e1 + e2) / 2);
        g.setColorAt(0, color);
        g.setColorAt(1, alpha(color, 0));
        p.setBrush(g);
        QPolygonF tri;
        tri << from << e1 << e2;
        p.drawPolygon(tri);
    }
}

void rain(QPainter &p, Rng &rng, const QRectF &area, int count, const QColor &color) {
    for (int i = 0; i < count; ++i) {
        QPointF a(area.left() + rng.uni() * area.width(), area.top() + rng.uni() * area.height());
        double len = rng.range(8, 22);
        p.setPen(QPen(alpha(color, rng.range(0.25, 0.6)), rng.range(0.6, 1.3)));
        p.drawLine(a, a + QPointF(-len * 0.18, len));
    }
}

void snowfall(QPainter &p, Rng &rng, const QRectF &area, int count, double maxSize) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        QPointF c(area.left() + rng.uni() * area.width(), area.top() + rng.uni() * area.height());
        double s = 0.8 + rng.uni() * maxSize;
        p.setBrush(QColor(255, 255, 255, int(140 + rng.uni() * 115)));
        p.drawEllipse(c, s, s);
    }
}

void petals(QPainter &p, Rng &rng, const QRectF &area, int count, const QColor &color) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        QPointF c(area.left() + rng.uni() * area.width(), area.top() + rng.uni() * area.height());
        double s = rng.range(2.0, 4.5);
        p.save();
        p.translate(c);
        p.rotate(rng.range(0, 360));
        p.setBrush(alpha(mix(color, Qt::white, rng.uni() * 0.5), rng.range(0.7, 1.0)));
        p.drawEllipse(QPointF(0, 0), s, s * 0.55);
        p.restore();
    }
}

TreeLook blossomLook() {
    return {QColor(226, 142, 170), QColor(244, 182, 204), QColor(255, 226, 236),
            QColor(92, 64, 58)};
}

TreeLook autumnLook() {
    return {QColor(162, 40, 28), QColor(214, 78, 36), QColor(246, 150, 60), QColor(86, 58, 40)};
}

TreeLook duskLook(double darkness) {
    TreeLook l;
    const QColor night(20, 24, 40);
    l.dark = mix(l.dark, night, darkness);
    l.mid = mix(l.mid, night, darkness);
    l.light = mix(l.light, night, darkness * 0.9);
    l.trunk = mix(l.trunk, night, darkness);
    return l;
}

void tree(QPainter &p, Rng &rng, QPointF base, double height, const TreeLook &look, double spread) {
    const double h = height;
    groundShadow(p, base + QPointF(h * 0.08, 0), h * 0.42 * spread, h * 0.07, 0.28);
    // Trunk with two forks into the crown.
    QPainterPath trunk;
    double bw = h * 0.065, tw = h * 0.03;
    trunk.moveTo(base.x() - bw, base.y());
    trunk.cubicTo(base.x() - bw * 0.6, base.y() - h * 0.25, base.x() - tw * 1.2,
                  base.y() - h * 0.45, base.x() - tw, base.y() - h * 0.62);
    trunk.lineTo(base.x() + tw, base.y() - h * 0.62);
    trunk.cubicTo(base.x() + tw * 1.2, base.y() - h * 0.45, base.x() + bw * 0.6,
                  base.y() - h * 0.25, base.x() + bw, base.y());
    trunk.closeSubpath();
    QLinearGradient tg(base.x() - bw, 0, base.x() + bw, 0);
    tg.setColorAt(0, mix(look.trunk, Qt::white, 0.15));
    tg.setColorAt(1, mix(look.trunk, Qt::black, 0.35));
    p.setPen(Qt::NoPen);
    p.setBrush(tg);
    p.drawPath(trunk);
    p.setPen(QPen(look.trunk, h * 0.022, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(base + QPointF(0, -h * 0.45), base + QPointF(-h * 0.2 * spread, -h * 0.7));
    p.drawLine(base + QPointF(0, -h * 0.5), base + QPointF(h * 0.22 * spread, -h * 0.72));

    const QPointF crown = base + QPointF(0, -h * 0.7);
    const double rx = h * 0.36 * spread, ry = h * 0.3;
    p.setPen(Qt::NoPen);
    auto layer = [&](const QColor &c, int n, double rScale, QPointF shift, double reach) {
        for (int i = 0; i < n; ++i) {
            double a = rng.range(0, 2 * pi), d = std::sqrt(rng.uni()) * reach;
            QPointF at = crown + shift + QPointF(std::cos(a) * rx * d, std::sin(a) * ry * d);
            double r = rx * rScale * rng.range(0.75, 1.2);
            p.setBrush(c);
            p.drawEllipse(at, r, r * 0.92);
        }
    };
    layer(look.dark, 20, 0.36, QPointF(0, ry * 0.06), 0.8);
    layer(look.mid, 18, 0.28, QPointF(-rx * 0.08, -ry * 0.12), 0.72);
    layer(look.light, 14, 0.14, QPointF(-rx * 0.24, -ry * 0.32), 0.55);
    // Small clumps over the whole crown, lighter towards the sun (upper left) and darker
    // underneath, keep a big crown from reading as one soft cloud.
    for (int i = 0; i < 110; ++i) {
        const double a = rng.range(0, 2 * pi), d = std::sqrt(rng.uni()) * 0.92;
        const QPointF off(std::cos(a) * rx * d, std::sin(a) * ry * d);
        const double lightness =
            std::clamp(0.5 - off.x() / rx * 0.35 - off.y() / ry * 0.45, 0.0, 1.0);
        QColor c = lightness > 0.6 ? look.light : lightness > 0.35 ? look.mid : look.dark;
        c = mix(c, Qt::white, rng.range(0, 0.15));
        const double r = rx * rng.range(0.05, 0.1);
        p.setBrush(alpha(c, 0.85));
        p.drawEllipse(crown + off + QPointF(0, -ry * 0.05), r, r * 0.85);
    }
}

void bareTree(QPainter &p, Rng &rng, QPointF base, double height, const QColor &color, bool snow) {
    // Recursive forks; snow sits on the upper side of each limb.
    struct Limb {
        QPointF a;
        double angle, len, width;
        int depth;
    };
    std::vector<Limb> todo{{base, -90, height * 0.38, height * 0.05, 0}};
    while (!todo.empty()) {
        Limb l = todo.back();
        todo.pop_back();
        QPointF b = l.a + QPointF(std::cos(rad(l.angle)), std::sin(rad(l.angle))) * l.len;
        p.setPen(QPen(color, l.width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(l.a, b);
        if (snow && l.depth > 0) {
            p.setPen(QPen(QColor(250, 252, 255), l.width * 0.55, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(l.a + QPointF(0, -l.width * 0.45), b + QPointF(0, -l.width * 0.45));
        }
        if (l.depth < 5) {
            int kids = l.depth == 0 ? 3 : 2;
            for (int k = 0; k < kids; ++k) {
                double da = (k - (kids - 1) / 2.0) * rng.range(22, 38);
                todo.push_back({b, l.angle + da + rng.range(-8, 8), l.len * rng.range(0.62, 0.78),
                                l.width * 0.66, l.depth + 1});
            }
        }
    }
}

void conifer(QPainter &p, QPointF base, double height, const QColor &dark, const QColor &light,
             bool snow) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 56, 40));
    p.drawRect(
        QRectF(base.x() - height * 0.04, base.y() - height * 0.15, height * 0.08, height * 0.15));
    for (int i = 0; i < 4; ++i) {
        double top = base.y() - height * (1.0 - i * 0.2);
        double bottom = base.y() - height * (0.52 - i * 0.14);
        double half = height * (0.16 + i * 0.07);
        QPolygonF tri;
        tri << QPointF(base.x(), top) << QPointF(base.x() - half, bottom)
            << QPointF(base.x() + half, bottom);
        QLinearGradient g(base.x() - half, 0, base.x() + half, 0);
        g.setColorAt(0, light);
        g.setColorAt(1, dark);
        p.setBrush(g);
        p.drawPolygon(tri);
        if (snow) {
            QPolygonF cap;
            cap << QPointF(base.x(), top)
                << QPointF(base.x() - half * 0.45, top + (bottom - top) * 0.45)
                << QPointF(base.x() - half * 0.1, top + (bottom - top) * 0.38)
                << QPointF(base.x() + half * 0.2, top + (bottom - top) * 0.5)
                << QPointF(base.x() + half * 0.42, top + (bottom - top) * 0.42);
            p.setBrush(QColor(248, 250, 255));
            p.drawPolygon(cap);
        }
    }
}

void bush(QPainter &p, Rng &rng, QPointF c, double width, const TreeLook &look) {
    p.setPen(Qt::NoPen);
    groundShadow(p, c + QPointF(0, 2), width * 0.6, width * 0.1, 0.25);
    for (int pass = 0; pass < 3; ++pass) {
        const QColor col = pass == 0 ? look.dark : pass == 1 ? look.mid : look.light;
        int n = pass == 2 ? 4 : 7;
        for (int i = 0; i < n; ++i) {
            double x = c.x() + rng.range(-0.42, 0.42) * width - pass * width * 0.05;
            double r = width * (pass == 2 ? 0.09 : 0.2) * rng.range(0.8, 1.2);
            double y = c.y() - r * 0.8 - rng.uni() * width * 0.15 - pass * width * 0.06;
            p.setBrush(col);
            p.drawEllipse(QPointF(x, y), r, r * 0.85);
        }
    }
}

void bench(QPainter &p, QPointF base, double width, const QColor &wood, const QColor &iron) {
    const double w = width, x0 = base.x() - w / 2, y = base.y();
    groundShadow(p, base + QPointF(w * 0.05, 0), w * 0.6, w * 0.06, 0.35);
    p.setPen(Qt::NoPen);
    p.setBrush(iron);
    // Legs and arm rests.
    for (double fx : {0.06, 0.94}) {
        p.drawRect(QRectF(x0 + w * fx - w * 0.02, y - w * 0.26, w * 0.04, w * 0.26));
        p.drawRect(QRectF(x0 + w * fx - w * 0.02, y - w * 0.55, w * 0.03, w * 0.3));
    }
    auto slat = [&](double top, double hgt) {
        QLinearGradient g(0, top, 0, top + hgt);
        g.setColorAt(0, mix(wood, Qt::white, 0.2));
        g.setColorAt(1, mix(wood, Qt::black, 0.25));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(x0, top, w, hgt), hgt * 0.3, hgt * 0.3);
    };
    slat(y - w * 0.55, w * 0.07);
    slat(y - w * 0.44, w * 0.07);
    slat(y - w * 0.30, w * 0.05);
    slat(y - w * 0.255, w * 0.045);
}

void streetLamp(QPainter &p, QPointF base, double height, bool lit, const QColor &pole) {
    const double h = height;
    p.setPen(Qt::NoPen);
    p.setBrush(pole);
    p.drawRect(QRectF(base.x() - h * 0.03, base.y() - h * 0.06, h * 0.06, h * 0.06));
    p.drawRect(QRectF(base.x() - h * 0.012, base.y() - h * 0.88, h * 0.024, h * 0.85));
    const QPointF head = base + QPointF(0, -h * 0.93);
    if (lit)
        glow(p, head, h * 0.45, QColor(255, 214, 140, 170));
    QPolygonF glass;
    glass << head + QPointF(-h * 0.05, -h * 0.05) << head + QPointF(h * 0.05, -h * 0.05)
          << head + QPointF(h * 0.035, h * 0.06) << head + QPointF(-h * 0.035, h * 0.06);
    p.setBrush(lit ? QColor(255, 236, 180) : QColor(200, 210, 215));
    p.drawPolygon(glass);
    p.setBrush(pole);
    QPolygonF cap;
    cap << head + QPointF(-h * 0.075, -h * 0.05) << head + QPointF(h * 0.075, -h * 0.05)
        << head + QPointF(0, -h * 0.1);
    p.drawPolygon(cap);
    p.drawRect(QRectF(head.x() - h * 0.04, head.y() + h * 0.055, h * 0.08, h * 0.015));
}

void fountain(QPainter &p, QPointF base, double width, const QColor &stone, const QColor &water) {
    const double w = width;
    groundShadow(p, base, w * 0.62, w * 0.1, 0.3);
    p.setPen(Qt::NoPen);
    // Basin: a low ring seen from slightly above.
    QRectF rim(base.x() - w / 2, base.y() - w * 0.2, w, w * 0.2);
    QLinearGradient sg(rim.topLeft(), rim.bottomLeft());
    sg.setColorAt(0, mix(stone, Qt::white, 0.3));
    sg.setColorAt(1, mix(stone, Qt::black, 0.25));
    p.setBrush(sg);
    p.drawRect(QRectF(rim.left(), rim.center().y(), w, w * 0.12));
    p.drawEllipse(QRectF(rim.left(), base.y() - w * 0.06, w, w * 0.12));
    p.setBrush(mix(stone, Qt::white, 0.35));
    p.drawEllipse(rim);
    QLinearGradient wg(rim.topLeft(), rim.bottomLeft());
    wg.setColorAt(0, mix(water, Qt::white, 0.3));
    wg.setColorAt(1, water);
    p.setBrush(wg);
    p.drawEllipse(rim.adjusted(w * 0.04, w * 0.02, -w * 0.04, -w * 0.02));
    // Pillar and upper bowl.
    const double cx = base.x(), cy = rim.center().y();
    p.setBrush(sg);
    p.drawRect(QRectF(cx - w * 0.04, cy - w * 0.32, w * 0.08, w * 0.32));
    p.setBrush(mix(stone, Qt::white, 0.25));
    QPainterPath bowl;
    bowl.moveTo(cx - w * 0.2, cy - w * 0.33);
    bowl.quadTo(cx, cy - w * 0.2, cx + w * 0.2, cy - w * 0.33);
    bowl.closeSubpath();
    p.drawPath(bowl);
    p.setBrush(water);
    p.drawEllipse(QPointF(cx, cy - w * 0.335), w * 0.2, w * 0.03);
    // Jets: arcs falling from the top back into the bowl and basin.
    const QColor jet = alpha(mix(water, Qt::white, 0.7), 0.8);
    p.setBrush(Qt::NoBrush);
    for (int side : {-1, 1}) {
        for (int k = 0; k < 3; ++k) {
            QPainterPath arc;
            arc.moveTo(cx, cy - w * 0.5);
            arc.quadTo(cx + side * w * (0.14 + k * 0.06), cy - w * (0.62 - k * 0.03),
                       cx + side * w * (0.2 + k * 0.05), cy - w * (0.34 - k * 0.1));
            p.setPen(QPen(jet, w * 0.012, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(arc);
        }
        QPainterPath fall;
        fall.moveTo(cx + side * w * 0.2, cy - w * 0.33);
        fall.quadTo(cx + side * w * 0.26, cy - w * 0.2, cx + side * w * 0.3, cy - w * 0.02);
        p.setPen(QPen(jet, w * 0.02, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(fall);
    }
    p.setPen(QPen(jet, w * 0.02, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx, cy - w * 0.34), QPointF(cx, cy - w * 0.58));
    glow(p, QPointF(cx, cy - w * 0.58), w * 0.05, alpha(Qt::white, 0.9));
}

void fence(QPainter &p, double x0, double x1, double baseY, double height, const QColor &color) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const double step = height * 0.55;
    for (double x = x0; x <= x1; x += step) {
        QPolygonF post;
        post << QPointF(x - height * 0.08, baseY) << QPointF(x - height * 0.08, baseY - height)
             << QPointF(x, baseY - height * 1.15) << QPointF(x + height * 0.08, baseY - height)
             << QPointF(x + height * 0.08, baseY);
        p.drawPolygon(post);
    }
    p.setBrush(mix(color, Qt::black, 0.15));
    p.drawRect(QRectF(x0 - step, baseY - height * 0.8, x1 - x0 + step * 2, height * 0.12));
    p.drawRect(QRectF(x0 - step, baseY - height * 0.35, x1 - x0 + step * 2, height * 0.12));
}

void path(QPainter &p, double nearX0, double nearX1, double farX0, double farX1, double nearY,
          double farY, const QColor &far, const QColor &near) {
    QPainterPath road;
    road.moveTo(nearX0, nearY);
    road.cubicTo(nearX0, (nearY + farY) / 2, farX0, farY + (nearY - farY) * 0.2, farX0, farY);
    road.lineTo(farX1, farY);
    road.cubicTo(farX1, farY + (nearY - farY) * 0.2, nearX1, (nearY + farY) / 2, nearX1, nearY);
    road.closeSubpath();
    QLinearGradient g(0, farY, 0, nearY);
    g.setColorAt(0, far);
    g.setColorAt(1, near);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(road);
}

void building(QPainter &p, Rng &rng, const QRectF &r, const QColor &wall, const QColor &window,
              double litShare) {
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, mix(wall, Qt::white, 0.12));
    g.setColorAt(1, mix(wall, Qt::black, 0.18));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(r);
    const double ww = std::max(3.0, r.width() / 9), wh = ww * 1.2;
    for (double y = r.top() + wh * 0.8; y < r.bottom() - wh * 1.5; y += wh * 1.9) {
        for (double x = r.left() + ww * 0.8; x < r.right() - ww * 1.2; x += ww * 1.8) {
            bool lit = rng.uni() < litShare;
            p.setBrush(lit ? window : mix(wall, Qt::black, 0.3));
            p.drawRect(QRectF(x, y, ww, wh));
        }
    }
}

void house(QPainter &p, const QRectF &body, const QColor &wall, const QColor &roof,
           const QColor &window) {
    p.setPen(Qt::NoPen);
    p.setBrush(wall);
    p.drawRect(body);
    QPolygonF r;
    r << QPointF(body.left() - body.width() * 0.1, body.top())
      << QPointF(body.center().x(), body.top() - body.height() * 0.6)
      << QPointF(body.right() + body.width() * 0.1, body.top());
    p.setBrush(roof);
    p.drawPolygon(r);
    p.setBrush(window);
    const double s = body.width() * 0.2;
    p.drawRect(QRectF(body.left() + body.width() * 0.15, body.top() + body.height() * 0.25, s, s));
    p.drawRect(
        QRectF(body.right() - body.width() * 0.15 - s, body.top() + body.height() * 0.25, s, s));
}

void skyline(QPainter &p, Rng &rng, double baseY, double width, double maxH, const QColor &color,
             const QColor &window, double litShare) {
    double x = -10;
    while (x < width + 10) {
        double bw = rng.range(30, 70), bh = rng.range(maxH * 0.35, maxH);
        building(p, rng, QRectF(x, baseY - bh, bw, bh + 2), color, window, litShare);
        x += bw + rng.range(-4, 4);
    }
}

void person(QPainter &p, QPointF base, double height, const QColor &color, double lean,
            bool skirt) {
    const double h = height;
    p.save();
    p.translate(base);
    p.rotate(lean);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QPointF(0, -h * 0.9), h * 0.075, h * 0.085);
    QPainterPath body;
    body.moveTo(-h * 0.11, -h * 0.78);
    body.quadTo(0, -h * 0.82, h * 0.11, -h * 0.78);
    if (skirt) {
        body.lineTo(h * 0.16, -h * 0.42);
        body.lineTo(-h * 0.16, -h * 0.42);
    } else {
        body.lineTo(h * 0.1, -h * 0.45);
        body.lineTo(-h * 0.1, -h * 0.45);
    }
    body.closeSubpath();
    p.drawPath(body);
    p.drawRoundedRect(QRectF(-h * 0.085, -h * 0.47, h * 0.07, h * 0.47), h * 0.03, h * 0.03);
    p.drawRoundedRect(QRectF(h * 0.015, -h * 0.47, h * 0.07, h * 0.47), h * 0.03, h * 0.03);
    p.drawRoundedRect(QRectF(-h * 0.15, -h * 0.77, h * 0.05, h * 0.36), h * 0.025, h * 0.025);
    p.drawRoundedRect(QRectF(h * 0.1, -h * 0.77, h * 0.05, h * 0.36), h * 0.025, h * 0.025);
    p.restore();
}

void lantern(QPainter &p, QPointF top, double size, const QColor &color) {
    const double s = size;
    const QPointF c = top + QPointF(0, s * 0.7);
    glow(p, c, s * 2.2, alpha(color, 0.45));
    p.setPen(Qt::NoPen);
    QRadialGradient g(c - QPointF(s * 0.15, s * 0.15), s * 0.8);
    g.setColorAt(0, mix(color, QColor(255, 250, 220), 0.7));
    g.setColorAt(1, color);
    p.setBrush(g);
    p.drawEllipse(c, s * 0.5, s * 0.62);
    p.setPen(QPen(alpha(mix(color, Qt::black, 0.4), 0.5), s * 0.03));
    for (double f : {-0.3, 0.0, 0.3})
        p.drawLine(c + QPointF(-s * 0.48 * std::sqrt(1 - f * f), s * f * 0.62 * 1.2),
                   c + QPointF(s * 0.48 * std::sqrt(1 - f * f), s * f * 0.62 * 1.2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 30));
    p.drawRect(QRectF(c.x() - s * 0.25, c.y() - s * 0.68, s * 0.5, s * 0.1));
    p.drawRect(QRectF(c.x() - s * 0.25, c.y() + s * 0.58, s * 0.5, s * 0.1));
}

void cameraIcon(QPainter &p, const QRectF &r, const QColor &body, const QColor &lens,
                bool outline) {
    const double w = r.width(), h = r.height();
    QPainterPath shape;
    shape.addRoundedRect(QRectF(r.left(), r.top() + h * 0.18, w, h * 0.82), w * 0.08, w * 0.08);
    shape.addRoundedRect(QRectF(r.left() + w * 0.32, r.top(), w * 0.36, h * 0.3), w * 0.04,
                         w * 0.04);
    shape = shape.simplified();
    const QPointF lc(r.center().x(), r.top() + h * 0.6);
    const double lr = h * 0.3;
    if (outline) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(body, w * 0.05, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shape);
        p.drawEllipse(lc, lr, lr);
        p.drawEllipse(lc, lr * 0.45, lr * 0.45);
        p.setPen(Qt::NoPen);
        p.setBrush(body);
        p.drawEllipse(QPointF(r.left() + w * 0.15, r.top() + h * 0.34), w * 0.04, w * 0.04);
        return;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPath(shape);
    p.setBrush(mix(body, Qt::white, 0.6));
    p.drawEllipse(lc, lr * 1.12, lr * 1.12);
    QRadialGradient g(lc - QPointF(lr * 0.3, lr * 0.3), lr);
    g.setColorAt(0, mix(lens, Qt::white, 0.5));
    g.setColorAt(1, lens);
    p.setBrush(g);
    p.drawEllipse(lc, lr, lr);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(lc - QPointF(lr * 0.35, lr * 0.35), lr * 0.18, lr * 0.18);
    p.setBrush(QColor(255, 230, 160));
    p.drawRect(QRectF(r.left() + w * 0.08, r.top() + h * 0.28, w * 0.12, h * 0.1));
}

void viewfinder(QPainter &p, const QRectF &r, const QColor &color, double width) {
    const double len = std::min(r.width(), r.height()) * 0.12;
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap));
    p.setBrush(Qt::NoBrush);
    auto corner = [&](QPointF c, double dx, double dy) {
        p.drawLine(c, c + QPointF(dx * len, 0));
        p.drawLine(c, c + QPointF(0, dy * len));
    };
    corner(r.topLeft(), 1, 1);
    corner(r.topRight(), -1, 1);
    corner(r.bottomLeft(), 1, -1);
    corner(r.bottomRight(), -1, -1);
    const QPointF c = r.center();
    p.setPen(QPen(color, width * 0.6));
    p.drawLine(c + QPointF(-len * 0.35, 0), c + QPointF(len * 0.35, 0));
    p.drawLine(c + QPointF(0, -len * 0.35), c + QPointF(0, len * 0.35));
}

void bird(QPainter &p, QPointF c, double size, const QColor &color, double flap) {
    QPainterPath b;
    b.moveTo(c + QPointF(-size, -size * (0.2 + flap)));
    b.quadTo(c + QPointF(-size * 0.5, -size * (0.5 + flap)), c);
    b.quadTo(c + QPointF(size * 0.5, -size * (0.5 + flap)),
             c + QPointF(size, -size * (0.2 + flap)));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, size * 0.18, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(b);
}

void pigeon(QPainter &p, QPointF c, double size, bool facingLeft, double peck) {
    const double s = size;
    p.save();
    p.translate(c);
    if (!facingLeft)
        p.scale(-1, 1);
    groundShadow(p, QPointF(0, s * 0.5), s * 0.7, s * 0.12, 0.3);
    p.setPen(QPen(QColor(200, 90, 90), s * 0.06));
    p.drawLine(QPointF(-s * 0.05, s * 0.3), QPointF(-s * 0.08, s * 0.5));
    p.drawLine(QPointF(s * 0.12, s * 0.3), QPointF(s * 0.12, s * 0.5));
    p.setPen(Qt::NoPen);
    // Tail, body, folded wing with two dark bars, then head and neck.
    QPolygonF tail;
    tail << QPointF(s * 0.4, 0) << QPointF(s * 0.95, s * 0.08) << QPointF(s * 0.9, s * 0.2)
         << QPointF(s * 0.35, s * 0.2);
    p.setBrush(QColor(88, 92, 106));
    p.drawPolygon(tail);
    QRadialGradient g(QPointF(-s * 0.1, -s * 0.1), s * 0.7);
    g.setColorAt(0, QColor(176, 180, 192));
    g.setColorAt(1, QColor(120, 124, 138));
    p.setBrush(g);
    p.drawEllipse(QPointF(0, s * 0.05), s * 0.5, s * 0.3);
    p.setBrush(QColor(150, 154, 168));
    p.drawEllipse(QPointF(s * 0.12, 0), s * 0.34, s * 0.18);
    p.setPen(QPen(QColor(70, 72, 84), s * 0.05));
    p.drawLine(QPointF(s * 0.05, -s * 0.02), QPointF(s * 0.25, s * 0.04));
    p.drawLine(QPointF(s * 0.1, s * 0.08), QPointF(s * 0.3, s * 0.12));
    p.setPen(Qt::NoPen);
    const QPointF head(-s * 0.45, -s * 0.22 + peck * s * 0.45);
    p.setBrush(QColor(96, 140, 120));
    p.drawEllipse((head + QPointF(-s * 0.3, 0)) / 2 + QPointF(s * 0.1, s * 0.1), s * 0.2, s * 0.2);
    p.setBrush(QColor(110, 112, 128));
    p.drawEllipse(head, s * 0.17, s * 0.16);
    p.setBrush(QColor(230, 120, 60));
    p.drawEllipse(head + QPointF(-s * 0.05, -s * 0.04), s * 0.04, s * 0.04);
    p.setBrush(QColor(60, 50, 50));
    QPolygonF beak;
    beak << head + QPointF(-s * 0.14, -s * 0.02) << head + QPointF(-s * 0.28, s * 0.03)
         << head + QPointF(-s * 0.14, s * 0.05);
    p.drawPolygon(beak);
    p.restore();
}

void cat(QPainter &p, QPointF c, double size, const QColor &fur, const QColor &stripe,
         bool asleep) {
    const double s = size;
    p.save();
    p.translate(c);
    p.setPen(Qt::NoPen);
    // Curled up: body loaf, tail round the front, head tucked on the left.
    p.setBrush(fur);
    p.drawEllipse(QPointF(0, 0), s, s * 0.55);
    p.setPen(QPen(stripe, s * 0.09, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (double x : {-0.1, 0.2, 0.5})
        p.drawArc(QRectF(s * x - s * 0.2, -s * 0.55, s * 0.4, s * 0.5), 30 * 16, 120 * 16);
    QPainterPath tail;
    tail.moveTo(s * 0.9, s * 0.2);
    tail.quadTo(s * 0.6, s * 0.65, -s * 0.4, s * 0.5);
    p.setPen(QPen(fur.darker(110), s * 0.18, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    p.setPen(Qt::NoPen);
    const QPointF head(-s * 0.85, s * 0.05);
    p.setBrush(fur);
    p.drawEllipse(head, s * 0.38, s * 0.32);
    for (int side : {-1, 1}) {
        QPolygonF ear;
        ear << head + QPointF(side * s * 0.3, -s * 0.1)
            << head + QPointF(side * s * 0.28, -s * 0.45)
            << head + QPointF(side * s * 0.05, -s * 0.28);
        p.drawPolygon(ear);
    }
    p.setBrush(QColor(240, 170, 170));
    p.drawEllipse(head + QPointF(0, s * 0.1), s * 0.04, s * 0.03);
    p.setPen(QPen(QColor(40, 30, 30), s * 0.04, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int side : {-1, 1}) {
        QPointF e = head + QPointF(side * s * 0.15, -s * 0.02);
        if (asleep)
            p.drawArc(QRectF(e.x() - s * 0.08, e.y() - s * 0.06, s * 0.16, s * 0.1), 200 * 16,
                      140 * 16);
        else
            p.drawPoint(e);
        p.setPen(QPen(QColor(250, 250, 250, 160), s * 0.015));
        p.drawLine(head + QPointF(side * s * 0.12, s * 0.12),
                   head + QPointF(side * s * 0.5, s * 0.08));
        p.setPen(QPen(QColor(40, 30, 30), s * 0.04, Qt::SolidLine, Qt::RoundCap));
    }
    p.restore();
}

QFont japaneseFont(double px, bool bold) {
    QFont f(QStringLiteral("IPAGothic"));
    f.setPixelSize(std::max(1, int(std::lround(px))));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void text(QPainter &p, const QRectF &r, const QString &s, double px, const QColor &fill, int flags,
          const QColor &outline, double outlineWidth, bool bold) {
    const QFont f = japaneseFont(px, bold);
    const QFontMetricsF fm(f);
    const double tw = fm.horizontalAdvance(s);
    double x = r.left();
    if (flags & Qt::AlignHCenter)
        x = r.center().x() - tw / 2;
    else if (flags & Qt::AlignRight)
        x = r.right() - tw;
    double y = r.top() + fm.ascent();
    if (flags & Qt::AlignVCenter)
        y = r.center().y() + (fm.ascent() - fm.descent()) / 2;
    else if (flags & Qt::AlignBottom)
        y = r.bottom() - fm.descent();
    QPainterPath glyphs;
    glyphs.addText(QPointF(x, y), f, s);
    if (outlineWidth > 0 && outline.alpha() > 0) {
        p.setPen(QPen(outline, outlineWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(outline);
        p.drawPath(glyphs);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(glyphs);
}

} // namespace pg

namespace pg {

Light dayLight() {
    return {QColor(84, 150, 224),
            QColor(140, 190, 238),
            QColor(206, 230, 248),
            QColor(255, 255, 255),
            QColor(200, 212, 230),
            QColor(86, 136, 96),
            QColor(140, 190, 98),
            QColor(82, 148, 60),
            QColor(228, 214, 180),
            QColor(204, 184, 144),
            1.0};
}

Light morningLight() {
    return {QColor(120, 176, 236),
            QColor(186, 214, 240),
            QColor(255, 226, 204),
            QColor(255, 250, 244),
            QColor(236, 200, 200),
            QColor(96, 142, 110),
            QColor(152, 196, 110),
            QColor(92, 156, 70),
            QColor(236, 220, 190),
            QColor(212, 190, 150),
            0.8};
}

Light sunsetLight() {
    return {QColor(64, 58, 124),
            QColor(232, 120, 100),
            QColor(255, 198, 120),
            QColor(255, 190, 160),
            QColor(170, 96, 120),
            QColor(70, 52, 70),
            QColor(120, 96, 70),
            QColor(64, 62, 44),
            QColor(200, 150, 110),
            QColor(150, 110, 80),
            0.7};
}

Light duskLight() {
    return {QColor(26, 34, 84),
            QColor(120, 96, 150),
            QColor(236, 158, 124),
            QColor(170, 130, 170),
            QColor(90, 76, 120),
            QColor(34, 36, 56),
            QColor(62, 74, 66),
            QColor(34, 48, 40),
            QColor(120, 110, 116),
            QColor(84, 76, 80),
            0.5};
}

Light nightLight() {
    return {QColor(6, 10, 32),
            QColor(16, 26, 64),
            QColor(40, 56, 100),
            QColor(70, 80, 110),
            QColor(40, 46, 70),
            QColor(14, 20, 32),
            QColor(28, 44, 42),
            QColor(12, 22, 22),
            QColor(60, 62, 72),
            QColor(36, 38, 46),
            0.3};
}

Light rainLight() {
    return {QColor(104, 114, 130),
            QColor(144, 152, 164),
            QColor(184, 190, 198),
            QColor(170, 176, 186),
            QColor(122, 130, 144),
            QColor(70, 92, 84),
            QColor(100, 130, 92),
            QColor(60, 96, 60),
            QColor(150, 150, 146),
            QColor(110, 110, 108),
            1.6};
}

Light snowLight() {
    return {QColor(150, 174, 206),
            QColor(196, 210, 228),
            QColor(232, 236, 244),
            QColor(244, 246, 250),
            QColor(200, 206, 220),
            QColor(120, 134, 150),
            QColor(232, 238, 246),
            QColor(214, 224, 240),
            QColor(200, 206, 214),
            QColor(176, 184, 196),
            0.9};
}

void treeLine(QPainter &p, Rng &rng, double y, double width, double height, const QColor &color) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRect(QRectF(-10, y - height * 0.4, width + 20, height * 0.4 + 2));
    for (double x = -10; x < width + 20; x += rng.range(10, 22)) {
        double r = height * rng.range(0.3, 0.6);
        p.drawEllipse(QPointF(x, y - height * 0.4 - r * rng.range(0.1, 0.6)), r, r);
    }
    // A lighter rim where the sky catches the leaves.
    p.setBrush(alpha(color.lighter(125), 0.5));
    for (double x = -10; x < width + 20; x += rng.range(30, 60)) {
        double r = height * rng.range(0.12, 0.25);
        p.drawEllipse(QPointF(x, y - height * rng.range(0.6, 0.85)), r, r * 0.8);
    }
}

void parkBackground(QPainter &p, Canvas &cv, double horizon, const Light &light) {
    skyGradient(p, QRectF(0, 0, cv.w, horizon + 2),
                {{0, light.skyTop}, {0.55, light.skyMid}, {1, light.skyBottom}});
    const int n = int(std::lround(4 * light.clouds));
    for (int i = 0; i < n; ++i) {
        QPointF c(cv.rng.range(-40, cv.w + 40), cv.rng.range(horizon * 0.12, horizon * 0.62));
        cloud(p, cv.rng, c, cv.rng.range(90, 170) * (0.6 + c.y() / horizon * 0.5), light.cloud,
              light.cloudShade);
    }
    treeLine(p, cv.rng, horizon, cv.w, cv.h * 0.09, light.farTrees);
    lawn(p, QRectF(0, horizon, cv.w, cv.h - horizon), light.lawnFar, light.lawnNear);
}

void snowman(QPainter &p, QPointF base, double s) {
    groundShadow(p, base, s * 0.8, s * 0.12, 0.3);
    p.setPen(Qt::NoPen);
    for (auto [dy, r] : {std::pair{0.45, 0.5}, std::pair{1.15, 0.36}}) {
        QRadialGradient g(base + QPointF(-s * r * 0.3, -s * dy - s * r * 0.3), s * r * 1.2);
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(1, QColor(200, 210, 230));
        p.setBrush(g);
        p.drawEllipse(base + QPointF(0, -s * dy), s * r, s * r * 0.95);
    }
    const QPointF head = base + QPointF(0, -s * 1.15);
    p.setBrush(QColor(200, 50, 50));
    p.drawRoundedRect(QRectF(head.x() - s * 0.34, head.y() + s * 0.2, s * 0.68, s * 0.12), 4, 4);
    p.drawRect(QRectF(head.x() + s * 0.1, head.y() + s * 0.26, s * 0.12, s * 0.34));
    p.setBrush(QColor(40, 40, 44));
    p.drawEllipse(head + QPointF(-s * 0.12, -s * 0.06), s * 0.04, s * 0.04);
    p.drawEllipse(head + QPointF(s * 0.12, -s * 0.06), s * 0.04, s * 0.04);
    for (double y : {0.3, 0.5, 0.7})
        p.drawEllipse(base + QPointF(0, -s * y), s * 0.035, s * 0.035);
    p.setBrush(QColor(240, 130, 40));
    QPolygonF nose;
    nose << head + QPointF(-s * 0.03, s * 0.02) << head + QPointF(s * 0.24, s * 0.08)
         << head + QPointF(-s * 0.03, s * 0.1);
    p.drawPolygon(nose);
    p.setBrush(QColor(60, 120, 200));
    QPolygonF bucket;
    bucket << head + QPointF(-s * 0.26, -s * 0.26) << head + QPointF(s * 0.26, -s * 0.3)
           << head + QPointF(s * 0.2, -s * 0.6) << head + QPointF(-s * 0.18, -s * 0.56);
    p.drawPolygon(bucket);
    p.setPen(QPen(QColor(90, 60, 40), s * 0.03, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(base + QPointF(-s * 0.3, -s * 0.95), base + QPointF(-s * 0.75, -s * 1.25));
    p.drawLine(base + QPointF(-s * 0.6, -s * 1.15), base + QPointF(-s * 0.7, -s * 1.32));
    p.drawLine(base + QPointF(s * 0.3, -s * 0.95), base + QPointF(s * 0.72, -s * 1.1));
    p.setPen(Qt::NoPen);
}

} // namespace pg
