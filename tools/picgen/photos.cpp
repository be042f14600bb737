// The ordinary photos the park yields, 00 to 30: small moments, one subject each.

#include "pictures.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>

#include <cmath>
#include <numbers>

namespace pg {

namespace {

constexpr double pi = std::numbers::pi;

void blossom(QPainter &p, QPointF c, double r, double angle, const QColor &petal) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 5; ++k) {
        p.save();
        p.rotate(k * 72);
        QPainterPath pe;
        pe.moveTo(0, 0);
        pe.cubicTo(-r * 0.6, -r * 0.3, -r * 0.55, -r * 0.95, -r * 0.12, -r);
        pe.lineTo(0, -r * 0.85);
        pe.lineTo(r * 0.12, -r);
        pe.cubicTo(r * 0.55, -r * 0.95, r * 0.6, -r * 0.3, 0, 0);
        QRadialGradient g(QPointF(0, 0), r);
        g.setColorAt(0, petal.darker(115));
        g.setColorAt(0.5, petal);
        g.setColorAt(1, mix(petal, Qt::white, 0.5));
        p.setBrush(g);
        p.drawPath(pe);
        p.restore();
    }
    p.setPen(QPen(QColor(200, 60, 100), r * 0.06));
    for (int k = 0; k < 8; ++k) {
        const double a = k * pi / 4;
        p.drawLine(QPointF(0, 0), QPointF(std::cos(a), std::sin(a)) * r * 0.35);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 100));
    p.drawEllipse(QPointF(0, 0), r * 0.1, r * 0.1);
    p.restore();
}

void mapleLeaf(QPainter &p, QPointF c, double s, double angle, const QColor &color) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    QPainterPath leaf;
    const int lobes = 7;
    for (int k = 0; k <= lobes * 2; ++k) {
        const double a = -pi / 2 + (k - lobes) * (pi * 0.85 / lobes);
        const double r = (k % 2 == 0) ? s * (1 - 0.25 * std::abs(k - lobes) / lobes) : s * 0.42;
        const QPointF q(std::cos(a) * r, std::sin(a) * r);
        if (k == 0)
            leaf.moveTo(q);
        else
            leaf.lineTo(q);
    }
    leaf.lineTo(0, s * 0.15);
    leaf.closeSubpath();
    QRadialGradient g(QPointF(0, 0), s);
    g.setColorAt(0, color.lighter(120));
    g.setColorAt(1, color.darker(115));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(leaf);
    p.setPen(QPen(color.darker(140), s * 0.04));
    for (int k = 0; k <= lobes * 2; k += 2) {
        const double a = -pi / 2 + (k - lobes) * (pi * 0.85 / lobes);
        p.drawLine(QPointF(0, 0), QPointF(std::cos(a), std::sin(a)) * s * 0.7);
    }
    p.drawLine(QPointF(0, 0), QPointF(0, s * 0.5));
    p.restore();
}

void duck(QPainter &p, QPointF c, double s, bool drake, bool facingLeft) {
    p.save();
    p.translate(c);
    if (!facingLeft)
        p.scale(-1, 1);
    p.setPen(Qt::NoPen);
    // Reflection first, broken into strips by ripples.
    p.setBrush(QColor(60, 60, 50, 50));
    p.drawEllipse(QPointF(s * 0.1, s * 0.35), s * 0.7, s * 0.2);
    QPainterPath body;
    body.moveTo(-s * 0.5, 0);
    body.cubicTo(-s * 0.5, s * 0.35, s * 0.5, s * 0.35, s * 0.8, -s * 0.15);
    body.cubicTo(s * 0.5, -s * 0.1, s * 0.2, -s * 0.3, -s * 0.3, -s * 0.2);
    body.closeSubpath();
    p.setBrush(drake ? QColor(170, 160, 150) : QColor(160, 120, 80));
    p.drawPath(body);
    p.setBrush(drake ? QColor(110, 90, 80) : QColor(120, 86, 56));
    p.drawEllipse(QPointF(s * 0.2, -s * 0.05), s * 0.35, s * 0.14);
    if (drake) {
        p.setBrush(QColor(70, 100, 200));
        p.drawRect(QRectF(s * 0.25, -s * 0.1, s * 0.14, s * 0.07));
    }
    p.setBrush(drake ? QColor(30, 110, 70) : QColor(150, 110, 70));
    p.drawEllipse(QPointF(-s * 0.45, -s * 0.42), s * 0.2, s * 0.2);
    p.drawRect(QRectF(-s * 0.5, -s * 0.42, s * 0.14, s * 0.3));
    if (drake) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(-s * 0.52, -s * 0.16, s * 0.18, s * 0.04));
    }
    p.setBrush(QColor(240, 190, 50));
    QPolygonF beak;
    beak << QPointF(-s * 0.6, -s * 0.46) << QPointF(-s * 0.86, -s * 0.38)
         << QPointF(-s * 0.6, -s * 0.36);
    p.drawPolygon(beak);
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QPointF(-s * 0.5, -s * 0.47), s * 0.03, s * 0.03);
    p.restore();
}

void ripples(QPainter &p, Rng &rng, const QRectF &area, int n, const QColor &color) {
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < n; ++i) {
        QPointF c(area.left() + rng.uni() * area.width(), area.top() + rng.uni() * area.height());
        double w = rng.range(10, 40) * (0.5 + (c.y() - area.top()) / area.height());
        p.setPen(QPen(alpha(color, rng.range(0.3, 0.7)), 1.2));
        p.drawArc(QRectF(c.x() - w, c.y() - w * 0.12, w * 2, w * 0.24), 0, 180 * 16);
    }
    p.setPen(Qt::NoPen);
}

void reeds(QPainter &p, Rng &rng, double x0, double x1, double baseY, double h) {
    for (double x = x0; x < x1; x += rng.range(4, 9)) {
        const double top = baseY - h * rng.range(0.6, 1.0);
        const double bend = rng.range(-8, 8);
        QPainterPath r;
        r.moveTo(x, baseY);
        r.quadTo(x, (top + baseY) / 2, x + bend, top);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(70, 110, 50), 2));
        p.drawPath(r);
        if (rng.uni() < 0.3) {
            p.setPen(QPen(QColor(110, 70, 40), 5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x + bend * 0.9, top + 6), QPointF(x + bend * 0.95, top + 18));
        }
    }
    p.setPen(Qt::NoPen);
}

// --- the photos ---

void p00(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.36;
    parkBackground(p, cv, hz, dayLight());
    tree(p, cv.rng, {cv.w * 0.2, hz + 6}, cv.h * 0.3, TreeLook{});
    tree(p, cv.rng, {cv.w * 0.8, hz + 4}, cv.h * 0.26, TreeLook{});
    path(p, -cv.w * 0.3, cv.w * 1.3, cv.w * 0.4, cv.w * 0.6, cv.h, hz, QColor(220, 206, 172),
         QColor(206, 188, 150));
    p.setBrush(QColor(180, 160, 120, 120));
    for (int i = 0; i < 80; ++i)
        p.drawEllipse(QPointF(cv.rng.range(0, cv.w), cv.rng.range(hz + 20, cv.h)), 1.5, 1.2);
    p.setBrush(QColor(240, 220, 170));
    for (int i = 0; i < 30; ++i)
        p.drawEllipse(
            QPointF(cv.rng.range(cv.w * 0.2, cv.w * 0.8), cv.rng.range(cv.h * 0.7, cv.h * 0.95)), 2,
            1.5);
    const struct {
        double x, y, s;
        bool left;
        double peck;
    } birds[] = {{0.46, 0.52, 22, true, 0},   {0.62, 0.56, 24, false, 0.7},
                 {0.3, 0.62, 32, false, 0.5}, {0.72, 0.7, 38, true, 0},
                 {0.5, 0.78, 46, false, 0.8}, {0.2, 0.86, 54, true, 0.3}};
    for (const auto &b : birds)
        pigeon(p, {cv.w * b.x, cv.h * b.y}, b.s * 1.4, b.left, b.peck);
}

void p01(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.55;
    parkBackground(p, cv, hz, dayLight());
    tree(p, cv.rng, {cv.w * 0.1, hz + 6}, cv.h * 0.36, TreeLook{});
    tree(p, cv.rng, {cv.w * 0.9, hz + 8}, cv.h * 0.4, TreeLook{});
    skyGradient(p, QRectF(0, hz + 30, cv.w, cv.h),
                {{0, QColor(214, 200, 170)}, {1, QColor(196, 180, 150)}});
    fountain(p, {cv.w * 0.5, cv.h * 0.86}, cv.w * 0.62, QColor(210, 204, 196),
             QColor(110, 170, 220));
    p.setBrush(QColor(255, 255, 255, 200));
    for (int i = 0; i < 60; ++i) {
        double a = cv.rng.range(-pi, 0), d = cv.rng.range(60, 200);
        p.drawEllipse(QPointF(cv.w * 0.5, cv.h * 0.45) +
                          QPointF(std::cos(a) * d, std::sin(a) * d * 0.5 + d * 0.6),
                      1.6, 1.6);
    }
    glow(p, {cv.w * 0.5, cv.h * 0.4}, 120, QColor(255, 255, 255, 70));
}

void p02(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(90, 150, 226)}, {1, QColor(200, 228, 250)}});
    cloud(p, cv.rng, {cv.w * 0.75, cv.h * 0.8}, 200, QColor(255, 255, 255), QColor(220, 226, 240));
    // Branches reaching in from the top left, heavy with flowers.
    struct Branch {
        QPointF a, c, b;
        double w;
    };
    const Branch branches[] = {
        {{-20, cv.h * 0.1}, {cv.w * 0.3, cv.h * 0.15}, {cv.w * 0.7, cv.h * 0.42}, 16},
        {{cv.w * 0.25, cv.h * 0.14}, {cv.w * 0.35, cv.h * 0.45}, {cv.w * 0.3, cv.h * 0.75}, 8},
        {{cv.w * 0.5, cv.h * 0.3}, {cv.w * 0.7, cv.h * 0.2}, {cv.w * 0.95, cv.h * 0.16}, 7},
        {{-20, cv.h * 0.55}, {cv.w * 0.1, cv.h * 0.5}, {cv.w * 0.2, cv.h * 0.62}, 9}};
    for (const Branch &br : branches) {
        QPainterPath path;
        path.moveTo(br.a);
        path.quadTo(br.c, br.b);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(80, 50, 44), br.w, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 14; ++k) {
            QPointF at = path.pointAtPercent(0.15 + 0.85 * cv.rng.uni());
            at += QPointF(cv.rng.range(-26, 26), cv.rng.range(-22, 22));
            blossom(p, at, cv.rng.range(12, 20), cv.rng.range(0, 72), QColor(250, 196, 214));
        }
        for (int k = 0; k < 4; ++k) {
            QPointF at = path.pointAtPercent(cv.rng.uni());
            p.setBrush(QColor(150, 40, 70));
            p.drawEllipse(at + QPointF(cv.rng.range(-10, 10), cv.rng.range(-10, 10)), 4, 5);
        }
    }
    petals(p, cv.rng, QRectF(0, 0, cv.w, cv.h), 50, QColor(250, 190, 210));
}

void p03(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.62;
    parkBackground(p, cv, hz, morningLight());
    tree(p, cv.rng, {cv.w * 0.45, cv.h * 0.82}, cv.h * 1.05, TreeLook{}, 1.35);
    // Dappled light through the leaves on the grass.
    p.setBrush(QColor(255, 250, 200, 50));
    for (int i = 0; i < 26; ++i)
        p.drawEllipse(
            QPointF(cv.rng.range(cv.w * 0.15, cv.w * 0.85), cv.rng.range(cv.h * 0.78, cv.h * 0.98)),
            cv.rng.range(6, 16), cv.rng.range(2, 5));
    bench(p, {cv.w * 0.66, cv.h * 0.9}, cv.w * 0.3, QColor(170, 112, 66), QColor(54, 56, 60));
    grassTufts(p, cv.rng, QRectF(0, cv.h * 0.86, cv.w, cv.h * 0.14), 60, QColor(60, 120, 50), 8);
}

void p04(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.6;
    parkBackground(p, cv, hz, dayLight());
    fence(p, 0, cv.w, hz + 20, 30, QColor(230, 230, 220));
    skyGradient(p, QRectF(0, hz + 24, cv.w, cv.h),
                {{0, QColor(226, 208, 160)}, {1, QColor(210, 190, 140)}});
    groundShadow(p, {cv.w * 0.5, cv.h * 0.92}, cv.w * 0.4, 18, 0.3);
    // Ladder and platform.
    const QColor steel(90, 130, 200);
    const double px = cv.w * 0.32, top = cv.h * 0.36;
    p.setPen(QPen(steel, 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(px - 40, cv.h * 0.92), QPointF(px - 30, top));
    p.drawLine(QPointF(px + 20, cv.h * 0.92), QPointF(px + 30, top));
    p.setPen(QPen(steel.lighter(120), 5));
    for (double t = 0.15; t < 1; t += 0.14) {
        double y = top + (cv.h * 0.92 - top) * t;
        p.drawLine(QPointF(px - 30 - 10 * t, y), QPointF(px + 30 - 10 * t, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 210, 60));
    p.drawRect(QRectF(px - 36, top - 10, 72, 12));
    p.setPen(QPen(QColor(250, 210, 60), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(px - 34, top - 10), QPointF(px - 34, top - 60));
    p.drawLine(QPointF(px + 34, top - 10), QPointF(px + 34, top - 60));
    p.drawArc(QRectF(px - 34, top - 80, 68, 40), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    // The red chute curving down to the sand.
    QPainterPath chute;
    chute.moveTo(px + 34, top - 8);
    chute.cubicTo(cv.w * 0.55, top + 10, cv.w * 0.62, cv.h * 0.82, cv.w * 0.86, cv.h * 0.86);
    chute.lineTo(cv.w * 0.86, cv.h * 0.9);
    chute.cubicTo(cv.w * 0.6, cv.h * 0.88, cv.w * 0.52, top + 40, px + 34, top + 10);
    chute.closeSubpath();
    QLinearGradient g(0, top, 0, cv.h * 0.9);
    g.setColorAt(0, QColor(240, 70, 60));
    g.setColorAt(1, QColor(190, 30, 40));
    p.setBrush(g);
    p.drawPath(chute);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 140, 120), 3));
    QPainterPath rim;
    rim.moveTo(px + 34, top - 8);
    rim.cubicTo(cv.w * 0.55, top + 10, cv.w * 0.62, cv.h * 0.82, cv.w * 0.86, cv.h * 0.86);
    p.drawPath(rim);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 30, 30));
    p.drawRect(QRectF(cv.w * 0.84, cv.h * 0.86, 8, cv.h * 0.06));
}

void p05(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h * 0.6),
                {{0, QColor(110, 170, 230)}, {1, QColor(220, 236, 246)}});
    for (int i = 0; i < 3; ++i)
        house(p, QRectF(cv.w * (0.08 + i * 0.32), cv.h * 0.32, cv.w * 0.22, cv.h * 0.2),
              QColor(240, 232, 220), i == 1 ? QColor(80, 100, 140) : QColor(160, 80, 60),
              QColor(150, 180, 210));
    bush(p, cv.rng, {cv.w * 0.3, cv.h * 0.56}, 160, TreeLook{});
    bush(p, cv.rng, {cv.w * 0.85, cv.h * 0.56}, 140, TreeLook{});
    // A block wall with a sunny top.
    const double top = cv.h * 0.56;
    p.setBrush(QColor(190, 186, 176));
    p.drawRect(QRectF(0, top, cv.w, cv.h - top));
    p.setBrush(QColor(224, 220, 210));
    p.drawRect(QRectF(0, top - 10, cv.w, 14));
    p.setPen(QPen(QColor(160, 156, 148), 1.5));
    for (double y = top + 40; y < cv.h; y += 40) {
        p.drawLine(QPointF(0, y), QPointF(cv.w, y));
        for (double x = (int(y / 40) % 2) * 40; x < cv.w; x += 80)
            p.drawLine(QPointF(x, y - 40), QPointF(x, y));
    }
    p.setPen(Qt::NoPen);
    groundShadow(p, {cv.w * 0.52, top}, 120, 10, 0.35);
    cat(p, {cv.w * 0.55, top - 34}, 70, QColor(236, 170, 100), QColor(200, 120, 60), true);
    text(p, QRectF(cv.w * 0.66, top - 120, 100, 40), QStringLiteral("z z"), 26,
         QColor(90, 90, 120, 180), Qt::AlignLeft | Qt::AlignVCenter);
}

void p06(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.3;
    parkBackground(p, cv, hz, dayLight());
    skyGradient(p, QRectF(0, hz + 10, cv.w, cv.h),
                {{0, QColor(90, 140, 150)}, {1, QColor(60, 110, 120)}});
    // The far bank's trees mirrored in the water.
    p.save();
    p.translate(0, (hz + 10) * 2);
    p.scale(1, -1);
    p.setOpacity(0.3);
    treeLine(p, cv.rng, hz + 10, cv.w, cv.h * 0.1, QColor(50, 90, 60));
    p.restore();
    ripples(p, cv.rng, QRectF(0, hz + 20, cv.w, cv.h - hz), 60, QColor(220, 240, 250));
    reeds(p, cv.rng, 0, cv.w * 0.2, cv.h, cv.h * 0.4);
    duck(p, {cv.w * 0.4, cv.h * 0.6}, 70, true, true);
    duck(p, {cv.w * 0.62, cv.h * 0.66}, 62, false, true);
    duck(p, {cv.w * 0.78, cv.h * 0.5}, 38, false, false);
    p.setPen(QPen(QColor(220, 240, 250, 160), 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(cv.w * 0.4 - 60, cv.h * 0.6 + 10, 180, 24), 180 * 16, 180 * 16);
    p.setPen(Qt::NoPen);
    reeds(p, cv.rng, cv.w * 0.86, cv.w, cv.h, cv.h * 0.35);
}

void p07(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(50, 110, 210)}, {1, QColor(170, 210, 246)}});
    sun(p, {cv.w * 0.8, cv.h * 0.1}, 24, QColor(255, 252, 230), QColor(255, 250, 220));
    cloud(p, cv.rng, {cv.w * 0.2, cv.h * 0.3}, 170, Qt::white, QColor(210, 220, 236));
    const double cx = cv.w * 0.5, base = cv.h * 0.9, tw = cv.w * 0.2;
    // Tower body in brick, lit from the left.
    QLinearGradient g(cx - tw / 2, 0, cx + tw / 2, 0);
    g.setColorAt(0, QColor(210, 130, 100));
    g.setColorAt(1, QColor(150, 80, 64));
    p.setBrush(g);
    p.drawRect(QRectF(cx - tw / 2, cv.h * 0.3, tw, base - cv.h * 0.3));
    p.setBrush(QColor(236, 226, 210));
    p.drawRect(QRectF(cx - tw / 2 - 8, cv.h * 0.28, tw + 16, 14));
    p.drawRect(QRectF(cx - tw / 2 - 6, cv.h * 0.55, tw + 12, 8));
    QPolygonF roof;
    roof << QPointF(cx - tw / 2 - 10, cv.h * 0.28) << QPointF(cx, cv.h * 0.1)
         << QPointF(cx + tw / 2 + 10, cv.h * 0.28);
    p.setBrush(QColor(60, 120, 110));
    p.drawPolygon(roof);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.drawLine(QPointF(cx, cv.h * 0.1), QPointF(cx, cv.h * 0.04));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 210, 80));
    p.drawEllipse(QPointF(cx, cv.h * 0.04), 4, 4);
    // The clock: both hands on twelve.
    const QPointF cc(cx, cv.h * 0.42);
    const double r = tw * 0.36;
    p.setBrush(QColor(236, 226, 210));
    p.drawEllipse(cc, r + 5, r + 5);
    p.setBrush(QColor(252, 250, 244));
    p.drawEllipse(cc, r, r);
    p.setPen(QPen(QColor(40, 40, 50), 2));
    for (int k = 0; k < 12; ++k) {
        const double a = k * pi / 6;
        p.drawLine(cc + QPointF(std::sin(a), -std::cos(a)) * r * 0.8,
                   cc + QPointF(std::sin(a), -std::cos(a)) * r * 0.94);
    }
    p.setPen(QPen(QColor(30, 30, 40), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(cc, cc + QPointF(0, -r * 0.5));
    p.setPen(QPen(QColor(30, 30, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(cc, cc + QPointF(1, -r * 0.78));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 70));
    for (double y = cv.h * 0.62; y < base - 30; y += 50)
        p.drawRoundedRect(QRectF(cx - 8, y, 16, 28), 8, 8);
    p.drawRoundedRect(QRectF(cx - 16, base - 40, 32, 40), 16, 16);
    bush(p, cv.rng, {cv.w * 0.22, base + 6}, 200, TreeLook{});
    bush(p, cv.rng, {cv.w * 0.8, base + 6}, 200, TreeLook{});
    lawn(p, QRectF(0, base, cv.w, cv.h - base), QColor(120, 180, 90), QColor(80, 150, 60));
}

void p08(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.5;
    parkBackground(p, cv, hz, dayLight());
    skyGradient(p, QRectF(0, cv.h * 0.78, cv.w, cv.h),
                {{0, QColor(200, 190, 170)}, {1, QColor(180, 170, 150)}});
    fence(p, 0, cv.w, cv.h * 0.8, 120, QColor(200, 170, 120));
    // The bicycle, side on, leaning a little.
    const double gy = cv.h * 0.9, r = 70;
    const QPointF rw(cv.w * 0.3, gy - r), fw(cv.w * 0.7, gy - r);
    groundShadow(p, {cv.w * 0.5, gy}, 230, 10, 0.35);
    for (QPointF w : {rw, fw}) {
        p.setPen(QPen(QColor(30, 30, 34), 9));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(w, r, r);
        p.setPen(QPen(QColor(180, 180, 186), 1));
        for (int k = 0; k < 18; ++k) {
            const double a = k * pi / 9;
            p.drawLine(w, w + QPointF(std::cos(a), std::sin(a)) * (r - 4));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(160, 160, 166));
        p.drawEllipse(w, 6, 6);
    }
    const QColor frame(40, 130, 120);
    const QPointF crank(cv.w * 0.47, gy - r + 4), seat(cv.w * 0.41, gy - r - 90),
        head(cv.w * 0.65, gy - r - 100);
    p.setPen(QPen(frame, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(rw, crank);
    p.drawLine(rw, seat + QPointF(4, 20));
    p.drawLine(crank, seat + QPointF(4, 20));
    p.drawLine(crank, head + QPointF(-4, 24));
    p.drawLine(seat + QPointF(4, 20), head + QPointF(-4, 24));
    p.drawLine(head, fw);
    p.setPen(QPen(QColor(60, 60, 64), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(seat + QPointF(4, 20), seat);
    p.drawLine(head, head + QPointF(-20, -14));
    p.drawLine(crank, crank + QPointF(18, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 44, 40));
    p.drawRoundedRect(QRectF(seat.x() - 24, seat.y() - 8, 48, 12), 6, 6);
    p.setBrush(QColor(170, 120, 70));
    p.drawRect(QRectF(head.x() + 4, head.y() - 16, 54, 38));
    p.setPen(QPen(QColor(130, 86, 50), 1.5));
    for (double x = head.x() + 10; x < head.x() + 56; x += 8)
        p.drawLine(QPointF(x, head.y() - 16), QPointF(x, head.y() + 22));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 220, 90));
    p.drawEllipse(crank, 12, 12);
}

void p09(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h * 0.4),
                {{0, QColor(130, 186, 240)}, {1, QColor(230, 240, 250)}});
    treeLine(p, cv.rng, cv.h * 0.4, cv.w, cv.h * 0.12, QColor(110, 160, 110));
    lawn(p, QRectF(0, cv.h * 0.4, cv.w, cv.h * 0.6), QColor(120, 170, 80), QColor(70, 120, 50));
    const QColor colours[] = {QColor(230, 40, 50), QColor(250, 200, 40), QColor(250, 130, 170),
                              QColor(250, 250, 240)};
    for (int row = 0; row < 5; ++row) {
        const double y = cv.h * (0.48 + row * 0.12), s = 0.5 + row * 0.35;
        for (double x = -10 + row * 6; x < cv.w + 10; x += 22 * s + 8) {
            const QColor c = colours[(int(x / 30) + row) % 4];
            p.setPen(QPen(QColor(60, 120, 50), 2.5 * s));
            p.drawLine(QPointF(x, y), QPointF(x, y - 40 * s));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(80, 140, 60));
            p.drawEllipse(QPointF(x - 6 * s, y - 14 * s), 4 * s, 14 * s);
            p.drawEllipse(QPointF(x + 6 * s, y - 12 * s), 4 * s, 12 * s);
            QPainterPath cup;
            cup.moveTo(x - 9 * s, y - 58 * s);
            cup.lineTo(x - 5 * s, y - 52 * s);
            cup.lineTo(x, y - 60 * s);
            cup.lineTo(x + 5 * s, y - 52 * s);
            cup.lineTo(x + 9 * s, y - 58 * s);
            cup.cubicTo(x + 11 * s, y - 44 * s, x + 6 * s, y - 38 * s, x, y - 38 * s);
            cup.cubicTo(x - 6 * s, y - 38 * s, x - 11 * s, y - 44 * s, x - 9 * s, y - 58 * s);
            QLinearGradient g(x - 9 * s, 0, x + 9 * s, 0);
            g.setColorAt(0, c.lighter(115));
            g.setColorAt(1, c.darker(120));
            p.setBrush(g);
            p.drawPath(cup);
        }
    }
}

void p10(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.56;
    skyGradient(
        p, QRectF(0, 0, cv.w, hz),
        {{0, QColor(80, 60, 130)}, {0.5, QColor(240, 120, 90)}, {1, QColor(255, 210, 120)}});
    for (int i = 0; i < 4; ++i)
        cloud(p, cv.rng, {cv.rng.range(0, cv.w), cv.rng.range(cv.h * 0.08, cv.h * 0.3)},
              cv.rng.range(140, 240), QColor(255, 160, 140, 180), QColor(140, 70, 110, 180));
    const QPointF sunAt(cv.w * 0.45, hz - 8);
    sun(p, sunAt, 40, QColor(255, 190, 90), QColor(255, 150, 70));
    hills(p, cv.w, hz, 6, 0.3, QColor(70, 40, 60), QColor(60, 36, 50));
    skyGradient(p, QRectF(0, hz, cv.w, cv.h - hz),
                {{0, QColor(250, 160, 100)}, {1, QColor(60, 40, 80)}});
    for (int i = 0; i < 110; ++i) {
        double y = hz + 3 + cv.rng.uni() * (cv.h - hz) * 0.8;
        double spread = 16 + (y - hz) * 0.45;
        double x = sunAt.x() + cv.rng.range(-spread, spread), len = cv.rng.range(8, 40);
        p.setPen(QPen(QColor(255, 220, 150, int(cv.rng.range(90, 230))), 2.5, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(QPointF(x - len / 2, y), QPointF(x + len / 2, y));
    }
    p.setPen(Qt::NoPen);
    // A lone tree on the near bank, black against the light.
    QPainterPath bank;
    bank.moveTo(cv.w * 0.6, cv.h);
    bank.quadTo(cv.w * 0.8, cv.h * 0.8, cv.w + 10, cv.h * 0.78);
    bank.lineTo(cv.w + 10, cv.h);
    p.setBrush(QColor(30, 20, 30));
    p.drawPath(bank);
    tree(p, cv.rng, {cv.w * 0.88, cv.h * 0.82}, cv.h * 0.5, duskLook(0.95));
    for (int i = 0; i < 5; ++i)
        bird(p, {cv.w * (0.2 + i * 0.06), cv.h * (0.2 + (i % 2) * 0.05)}, 8, QColor(50, 30, 60),
             i * 0.15);
}

void p11(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(40, 110, 220)}, {1, QColor(180, 220, 250)}});
    cloud(p, cv.rng, {cv.w * 0.25, cv.h * 0.7}, 220, Qt::white, QColor(210, 220, 236));
    cloud(p, cv.rng, {cv.w * 0.8, cv.h * 0.85}, 180, Qt::white, QColor(210, 220, 236));
    const QPointF k(cv.w * 0.58, cv.h * 0.3);
    // String down to a hand out of the picture.
    QPainterPath str;
    str.moveTo(k + QPointF(0, 60));
    str.cubicTo(k + QPointF(-60, 200), QPointF(cv.w * 0.2, cv.h * 0.8),
                QPointF(cv.w * 0.05, cv.h + 10));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(250, 250, 250), 1.5));
    p.drawPath(str);
    // Tail of bows.
    QPainterPath tail;
    tail.moveTo(k + QPointF(0, 70));
    tail.cubicTo(k + QPointF(40, 140), k + QPointF(-30, 200), k + QPointF(20, 280));
    p.setPen(QPen(QColor(60, 60, 80), 1.5));
    p.drawPath(tail);
    p.setPen(Qt::NoPen);
    for (int i = 1; i <= 5; ++i) {
        QPointF b = tail.pointAtPercent(i / 6.0);
        p.setBrush(i % 2 ? QColor(250, 210, 60) : QColor(240, 80, 90));
        QPolygonF bow;
        bow << b << b + QPointF(-12, -7) << b + QPointF(-12, 7) << b << b + QPointF(12, -7)
            << b + QPointF(12, 7);
        p.drawPolygon(bow);
    }
    QPolygonF kite;
    kite << k + QPointF(0, -90) << k + QPointF(60, -10) << k + QPointF(0, 70)
         << k + QPointF(-60, -10);
    p.setBrush(QColor(230, 60, 70));
    p.drawPolygon(kite);
    QPolygonF half;
    half << k + QPointF(0, -90) << k + QPointF(60, -10) << k + QPointF(0, 70);
    p.setBrush(QColor(250, 210, 60));
    p.drawPolygon(half);
    p.setBrush(QColor(40, 100, 200));
    p.drawEllipse(k + QPointF(0, -10), 18, 18);
    p.setPen(QPen(QColor(90, 60, 40), 2));
    p.drawLine(k + QPointF(0, -90), k + QPointF(0, 70));
    p.drawLine(k + QPointF(-60, -10), k + QPointF(60, -10));
    p.setPen(Qt::NoPen);
    lawn(p, QRectF(0, cv.h * 0.94, cv.w, cv.h * 0.06), QColor(110, 170, 80), QColor(80, 140, 60));
}

void p12(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(20, 30, 80)}, {0.6, QColor(130, 90, 140)}, {1, QColor(240, 150, 110)}});
    stars(p, cv.rng, QRectF(0, 0, cv.w, cv.h * 0.3), 14);
    sun(p, {cv.w * 0.2, cv.h * 0.14}, 3, QColor(255, 250, 230), QColor(255, 250, 230));
    treeLine(p, cv.rng, cv.h * 0.84, cv.w, cv.h * 0.2, QColor(30, 30, 50));
    lawn(p, QRectF(0, cv.h * 0.84, cv.w, cv.h * 0.16), QColor(30, 34, 50), QColor(20, 22, 34));
    streetLamp(p, {cv.w * 0.62, cv.h * 0.98}, cv.h * 0.86, true, QColor(26, 28, 40));
    glow(p, {cv.w * 0.62, cv.h * 0.96}, 110, QColor(255, 210, 140, 60));
    bench(p, {cv.w * 0.3, cv.h * 0.95}, cv.w * 0.3, QColor(60, 50, 60), QColor(30, 30, 40));
}

void p13(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(250, 220, 160)}, {1, QColor(220, 140, 90)}});
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 18; ++i) {
        QPointF c(cv.rng.range(0, cv.w), cv.rng.range(0, cv.h));
        glow(p, c, cv.rng.range(30, 70), QColor(255, cv.rng.irange(120, 200), 80, 90));
    }
    QPainterPath br;
    br.moveTo(-10, cv.h * 0.2);
    br.cubicTo(cv.w * 0.3, cv.h * 0.3, cv.w * 0.6, cv.h * 0.2, cv.w + 10, cv.h * 0.35);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 40, 30), 10, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(br);
    p.setPen(Qt::NoPen);
    const QColor reds[] = {QColor(210, 40, 30), QColor(230, 80, 30), QColor(200, 30, 50),
                           QColor(240, 130, 40)};
    for (int i = 0; i < 16; ++i) {
        QPointF at = br.pointAtPercent(cv.rng.uni());
        at += QPointF(cv.rng.range(-30, 30), cv.rng.range(10, 120));
        p.setPen(QPen(QColor(90, 40, 30), 2));
        p.drawLine(br.pointAtPercent(std::clamp((at.x() + 10) / (cv.w + 20), 0.0, 1.0)), at);
        mapleLeaf(p, at, cv.rng.range(26, 48), cv.rng.range(-40, 40), reds[i % 4]);
    }
    for (int i = 0; i < 8; ++i)
        mapleLeaf(p, {cv.rng.range(0, cv.w), cv.rng.range(cv.h * 0.6, cv.h)}, cv.rng.range(16, 26),
                  cv.rng.range(0, 360), reds[(i + 1) % 4]);
}

void p14(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.5;
    parkBackground(p, cv, hz, snowLight());
    conifer(p, {cv.w * 0.12, hz + 10}, cv.h * 0.4, QColor(40, 80, 70), QColor(70, 110, 90), true);
    bareTree(p, cv.rng, {cv.w * 0.85, hz + 6}, cv.h * 0.4, QColor(100, 90, 90), true);
    snowman(p, {cv.w * 0.5, cv.h * 0.92}, cv.h * 0.52);
    snowfall(p, cv.rng, QRectF(0, 0, cv.w, cv.h), 120);
}

void p15(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h), {{0, QColor(110, 110, 104)}, {1, QColor(70, 70, 66)}});
    p.setBrush(QColor(90, 90, 84, 120));
    for (int i = 0; i < 200; ++i)
        p.drawEllipse(QPointF(cv.rng.range(0, cv.w), cv.rng.range(0, cv.h)), cv.rng.range(1, 3),
                      cv.rng.range(1, 2));
    // The puddle holds the clearing sky and a tree upside down.
    QPainterPath puddle;
    puddle.moveTo(cv.w * 0.1, cv.h * 0.55);
    puddle.cubicTo(cv.w * 0.1, cv.h * 0.2, cv.w * 0.7, cv.h * 0.15, cv.w * 0.9, cv.h * 0.45);
    puddle.cubicTo(cv.w * 1.0, cv.h * 0.7, cv.w * 0.6, cv.h * 0.95, cv.w * 0.35, cv.h * 0.85);
    puddle.cubicTo(cv.w * 0.15, cv.h * 0.8, cv.w * 0.1, cv.h * 0.7, cv.w * 0.1, cv.h * 0.55);
    p.save();
    p.setClipPath(puddle);
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(210, 230, 250)}, {1, QColor(90, 150, 220)}});
    cloud(p, cv.rng, {cv.w * 0.4, cv.h * 0.55}, 220, QColor(255, 255, 255), QColor(220, 230, 240));
    p.save();
    p.translate(0, cv.h * 0.3);
    p.scale(1, -1);
    tree(p, cv.rng, {cv.w * 0.72, -cv.h * 0.15}, cv.h * 0.6, duskLook(0.3));
    p.restore();
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 60, 56), 4));
    p.drawPath(puddle);
    for (int i = 0; i < 3; ++i) {
        QPointF c(cv.w * (0.35 + i * 0.15), cv.h * (0.45 + i * 0.08));
        for (int k = 1; k <= 3; ++k) {
            p.setPen(QPen(QColor(255, 255, 255, 120 - k * 30), 1.5));
            p.drawEllipse(c, k * 14, k * 4);
        }
    }
    p.setPen(Qt::NoPen);
    mapleLeaf(p, {cv.w * 0.8, cv.h * 0.85}, 24, 30, QColor(220, 160, 40));
}

void p16(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h), {{0, QColor(8, 10, 24)}, {1, QColor(20, 24, 40)}});
    stars(p, cv.rng, QRectF(0, 0, cv.w, cv.h * 0.3), 20);
    skyGradient(p, QRectF(0, cv.h * 0.82, cv.w, cv.h * 0.18),
                {{0, QColor(40, 42, 50)}, {1, QColor(30, 30, 36)}});
    const QRectF m(cv.w * 0.3, cv.h * 0.12, cv.w * 0.4, cv.h * 0.72);
    glow(p, m.center(), cv.w * 0.55, QColor(200, 230, 255, 70));
    p.setBrush(QColor(220, 240, 255, 50));
    QPolygonF spill;
    spill << m.bottomLeft() << m.bottomRight() << QPointF(m.right() + 90, cv.h)
          << QPointF(m.left() - 90, cv.h);
    p.drawPolygon(spill);
    p.setBrush(QColor(200, 40, 50));
    p.drawRoundedRect(m, 6, 6);
    const QRectF panel(m.left() + 12, m.top() + 14, m.width() - 24, m.height() * 0.58);
    p.setBrush(QColor(236, 246, 255));
    p.drawRect(panel);
    const QColor cans[] = {QColor(40, 90, 200), QColor(240, 200, 40),  QColor(40, 160, 90),
                           QColor(230, 80, 40), QColor(250, 250, 250), QColor(120, 60, 40)};
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k < 5; ++k) {
            const double cw = panel.width() / 5;
            const QRectF can(panel.left() + k * cw + cw * 0.2,
                             panel.top() + 10 + row * panel.height() / 3, cw * 0.6,
                             panel.height() / 3 - 30);
            p.setBrush(cans[(row * 5 + k) % 6]);
            p.drawRoundedRect(can, 4, 4);
            p.setBrush(row == 2 ? QColor(230, 60, 60) : QColor(60, 120, 230));
            p.drawRect(QRectF(can.left(), can.bottom() + 6, can.width(), 8));
        }
    text(p, QRectF(panel.left(), panel.bottom() - 22, panel.width() / 2, 20),
         QStringLiteral("つめた〜い"), 13, QColor(40, 90, 200), Qt::AlignCenter, Qt::transparent, 0,
         true);
    text(p, QRectF(panel.center().x(), panel.bottom() - 22, panel.width() / 2, 20),
         QStringLiteral("あったか〜い"), 13, QColor(220, 50, 50), Qt::AlignCenter, Qt::transparent,
         0, true);
    p.setBrush(QColor(40, 30, 34));
    p.drawRect(QRectF(m.left() + 20, m.bottom() - 60, m.width() - 40, 34));
    p.setBrush(QColor(150, 150, 156));
    p.drawRect(QRectF(m.right() - 40, panel.bottom() + 14, 16, 30));
    p.setBrush(QColor(255, 255, 200, 160));
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(m.left() + cv.rng.range(0, m.width()), m.top() - cv.rng.range(0, 40)),
                      2, 2);
}

void p17(QPainter &p, Canvas &cv) {
    skyGradient(
        p, QRectF(0, 0, cv.w, cv.h),
        {{0, QColor(90, 130, 200)}, {0.7, QColor(250, 190, 150)}, {1, QColor(250, 200, 160)}});
    for (int i = 0; i < 5; ++i)
        house(p, QRectF(cv.w * (i * 0.22 - 0.05), cv.h * 0.6, cv.w * 0.16, cv.h * 0.12),
              QColor(110, 90, 100), QColor(70, 60, 76), QColor(255, 220, 150));
    skyGradient(p, QRectF(0, cv.h * 0.72, cv.w, cv.h * 0.28),
                {{0, QColor(120, 110, 110)}, {1, QColor(90, 84, 86)}});
    // Rails crossing the road.
    p.setBrush(QColor(190, 190, 196));
    p.drawRect(QRectF(0, cv.h * 0.8, cv.w, 4));
    p.drawRect(QRectF(0, cv.h * 0.88, cv.w, 5));
    // The signal: X sign, two lamps (one lit), the bell.
    const double x = cv.w * 0.3;
    p.setBrush(QColor(40, 40, 44));
    p.drawRect(QRectF(x - 5, cv.h * 0.14, 10, cv.h * 0.8));
    for (int k = 0; k < 6; ++k) {
        p.setBrush(k % 2 ? QColor(250, 210, 40) : QColor(30, 30, 30));
        p.drawRect(QRectF(x - 6, cv.h * (0.7 + k * 0.04), 12, cv.h * 0.04));
    }
    for (int sgn : {-1, 1}) {
        p.save();
        p.translate(x, cv.h * 0.2);
        p.rotate(sgn * 35);
        p.setBrush(QColor(250, 210, 40));
        p.drawRect(QRectF(-60, -8, 120, 16));
        p.setBrush(QColor(30, 30, 30));
        for (double t = -50; t < 60; t += 30)
            p.drawRect(QRectF(t, -8, 12, 16));
        p.restore();
    }
    p.setBrush(QColor(30, 30, 34));
    p.drawRect(QRectF(x - 70, cv.h * 0.34, 140, 10));
    for (int sgn : {-1, 1}) {
        const QPointF l(x + sgn * 48, cv.h * 0.42);
        p.setBrush(QColor(20, 20, 24));
        p.drawEllipse(l, 24, 24);
        if (sgn < 0) {
            glow(p, l, 80, QColor(255, 60, 40, 160));
            p.setBrush(QColor(255, 80, 60));
        } else {
            p.setBrush(QColor(90, 20, 20));
        }
        p.drawEllipse(l, 17, 17);
    }
    // The barrier arm lowered across the road.
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(x + 10, cv.h * 0.72, 30, 40));
    p.save();
    p.translate(x + 30, cv.h * 0.74);
    for (int k = 0; k < 10; ++k) {
        p.setBrush(k % 2 ? QColor(250, 210, 40) : QColor(30, 30, 30));
        p.drawRect(QRectF(k * 40, -6, 40, 12));
    }
    p.restore();
}

void dog(QPainter &p, QPointF c, double s) {
    const QColor fur(210, 140, 70), light(250, 236, 210);
    groundShadow(p, c + QPointF(0, s * 0.5), s * 0.8, s * 0.1, 0.35);
    p.setPen(QPen(fur.darker(110), s * 0.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-s * 0.4, s * 0.1), c + QPointF(-s * 0.5, s * 0.48));
    p.drawLine(c + QPointF(-s * 0.25, s * 0.1), c + QPointF(-s * 0.15, s * 0.48));
    p.drawLine(c + QPointF(s * 0.3, s * 0.1), c + QPointF(s * 0.42, s * 0.48));
    p.drawLine(c + QPointF(s * 0.4, s * 0.1), c + QPointF(s * 0.3, s * 0.48));
    p.setPen(Qt::NoPen);
    p.setBrush(fur);
    p.drawEllipse(c, s * 0.55, s * 0.24);
    QPainterPath tail;
    tail.addEllipse(c + QPointF(-s * 0.58, -s * 0.28), s * 0.14, s * 0.14);
    p.drawPath(tail);
    p.setBrush(light);
    p.drawEllipse(c + QPointF(-s * 0.58, -s * 0.28), s * 0.06, s * 0.06);
    p.drawEllipse(c + QPointF(s * 0.2, s * 0.1), s * 0.3, s * 0.12);
    const QPointF head = c + QPointF(s * 0.58, -s * 0.28);
    p.setBrush(fur);
    p.drawEllipse(head, s * 0.22, s * 0.2);
    for (int k : {-1, 1}) {
        QPolygonF ear;
        ear << head + QPointF(k * s * 0.1 - s * 0.02, -s * 0.12)
            << head + QPointF(k * s * 0.14, -s * 0.34)
            << head + QPointF(k * s * 0.2 + s * 0.04, -s * 0.1);
        p.drawPolygon(ear);
    }
    p.setBrush(light);
    p.drawEllipse(head + QPointF(s * 0.14, s * 0.06), s * 0.14, s * 0.1);
    p.setBrush(QColor(30, 24, 20));
    p.drawEllipse(head + QPointF(s * 0.27, s * 0.02), s * 0.04, s * 0.035);
    p.drawEllipse(head + QPointF(s * 0.06, -s * 0.05), s * 0.03, s * 0.035);
    p.setBrush(QColor(220, 60, 60));
    p.drawRect(QRectF(head.x() - s * 0.18, head.y() + s * 0.08, s * 0.1, s * 0.16));
}

void p18(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.45;
    parkBackground(p, cv, hz, dayLight());
    tree(p, cv.rng, {cv.w * 0.85, hz + 10}, cv.h * 0.4, TreeLook{});
    path(p, -cv.w * 0.2, cv.w * 1.2, cv.w * 0.3, cv.w * 0.5, cv.h, hz, QColor(226, 212, 180),
         QColor(206, 186, 146));
    // The owner, only legs in the frame as in a quick snap; the leash runs up out of it.
    groundShadow(p, {cv.w * 0.22, cv.h * 0.96}, 90, 10, 0.3);
    for (int k = 0; k < 2; ++k) {
        const double x = cv.w * (0.16 + k * 0.1), lean = k ? 14 : -6;
        QPolygonF leg;
        leg << QPointF(x - 22, -10) << QPointF(x + 22, -10) << QPointF(x + 14 + lean, cv.h * 0.9)
            << QPointF(x - 12 + lean, cv.h * 0.9);
        QLinearGradient jeans(x - 22, 0, x + 22, 0);
        jeans.setColorAt(0, QColor(90, 120, 170));
        jeans.setColorAt(1, QColor(60, 84, 130));
        p.setBrush(jeans);
        p.drawPolygon(leg);
        p.setBrush(QColor(250, 250, 250));
        p.drawRoundedRect(QRectF(x - 18 + lean, cv.h * 0.89, 44, 16), 8, 8);
        p.setBrush(QColor(220, 60, 70));
        p.drawRect(QRectF(x - 18 + lean, cv.h * 0.93, 44, 4));
    }
    dog(p, {cv.w * 0.56, cv.h * 0.74}, cv.h * 0.36);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 40, 60), 3));
    QPainterPath leash;
    leash.moveTo(cv.w * 0.36, -10);
    leash.quadTo(cv.w * 0.42, cv.h * 0.6, cv.w * 0.69, cv.h * 0.67);
    p.drawPath(leash);
    p.setPen(Qt::NoPen);
}

void p19(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(70, 140, 220)}, {1, QColor(200, 230, 250)}});
    cloud(p, cv.rng, {cv.w * 0.2, cv.h * 0.2}, 170, Qt::white, QColor(210, 220, 236));
    tree(p, cv.rng, {cv.w * 0.5, cv.h * 1.05}, cv.h * 1.3, TreeLook{}, 1.1);
    const QPointF b(cv.w * 0.62, cv.h * 0.26);
    p.setPen(QPen(QColor(250, 250, 250), 1.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath s;
    s.moveTo(b + QPointF(0, 52));
    s.cubicTo(b + QPointF(10, 90), b + QPointF(-20, 120), b + QPointF(0, 180));
    p.drawPath(s);
    p.setPen(Qt::NoPen);
    QRadialGradient g(b + QPointF(-14, -16), 60);
    g.setColorAt(0, QColor(255, 150, 150));
    g.setColorAt(0.4, QColor(230, 40, 50));
    g.setColorAt(1, QColor(150, 20, 30));
    p.setBrush(g);
    p.drawEllipse(b, 40, 48);
    p.setBrush(QColor(150, 20, 30));
    QPolygonF knot;
    knot << b + QPointF(0, 46) << b + QPointF(-6, 56) << b + QPointF(6, 56);
    p.drawPolygon(knot);
    p.setBrush(QColor(255, 255, 255, 180));
    p.drawEllipse(b + QPointF(-16, -20), 8, 12);
    // A few leaves in front, so it is caught rather than floating.
    p.setBrush(QColor(72, 142, 66));
    p.drawEllipse(b + QPointF(30, 30), 26, 20);
    p.setBrush(QColor(46, 104, 52));
    p.drawEllipse(b + QPointF(-40, 40), 24, 18);
}

void p20(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(160, 180, 210)}, {1, QColor(230, 220, 210)}});
    cloud(p, cv.rng, {cv.w * 0.6, cv.h * 0.8}, 260, QColor(250, 246, 240), QColor(210, 210, 220));
    p.setBrush(QColor(110, 100, 90));
    p.drawRect(QRectF(cv.w * 0.08, 0, 16, cv.h));
    p.drawRect(QRectF(cv.w * 0.08 - 40, cv.h * 0.2, 100, 8));
    p.setBrush(Qt::NoBrush);
    QPainterPath w1, w2;
    w1.moveTo(cv.w * 0.08 - 30, cv.h * 0.22);
    w1.quadTo(cv.w * 0.6, cv.h * 0.56, cv.w + 10, cv.h * 0.36);
    w2.moveTo(cv.w * 0.08 + 50, cv.h * 0.22);
    w2.quadTo(cv.w * 0.6, cv.h * 0.7, cv.w + 10, cv.h * 0.5);
    p.setPen(QPen(QColor(40, 40, 44), 2));
    p.drawPath(w1);
    p.drawPath(w2);
    p.setPen(Qt::NoPen);
    const QPointF c = w1.pointAtPercent(0.55);
    // The crow, on the wire, head turned.
    p.save();
    p.translate(c);
    const QColor black(24, 24, 30), sheen(60, 70, 100);
    QPolygonF tail;
    tail << QPointF(20, -20) << QPointF(58, 10) << QPointF(50, 18) << QPointF(14, -6);
    p.setBrush(black);
    p.drawPolygon(tail);
    p.drawEllipse(QPointF(0, -30), 30, 22);
    p.setBrush(sheen);
    p.drawEllipse(QPointF(6, -34), 18, 9);
    p.setBrush(black);
    p.drawEllipse(QPointF(-24, -52), 15, 14);
    QPolygonF beak;
    beak << QPointF(-34, -56) << QPointF(-58, -48) << QPointF(-34, -46);
    p.drawPolygon(beak);
    p.setBrush(QColor(230, 230, 230));
    p.drawEllipse(QPointF(-27, -55), 2.5, 2.5);
    p.setPen(QPen(black, 3));
    p.drawLine(QPointF(-4, -10), QPointF(-4, 0));
    p.drawLine(QPointF(6, -10), QPointF(6, 2));
    p.restore();
}

void p21(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h * 0.3),
                {{0, QColor(150, 200, 240)}, {1, QColor(220, 236, 220)}});
    lawn(p, QRectF(0, cv.h * 0.3, cv.w, cv.h * 0.7), QColor(120, 176, 90), QColor(60, 120, 44));
    grassTufts(p, cv.rng, QRectF(0, cv.h * 0.3, cv.w, cv.h * 0.7), 200, QColor(50, 110, 40), 12);
    auto flower = [&](QPointF c, double r) {
        p.setPen(QPen(QColor(80, 140, 60), r * 0.12));
        p.drawLine(c, c + QPointF(r * 0.2, cv.h));
        p.setPen(Qt::NoPen);
        for (int ring = 0; ring < 3; ++ring)
            for (int k = 0; k < 18; ++k) {
                const double a = k * pi / 9 + ring * 0.2, rr = r * (1 - ring * 0.28);
                p.setBrush(QColor(250, 200 + ring * 15, 30 + ring * 20));
                p.save();
                p.translate(c);
                p.rotate(a * 180 / pi);
                p.drawEllipse(QPointF(rr * 0.55, 0), rr * 0.45, rr * 0.1);
                p.restore();
            }
        p.setBrush(QColor(230, 170, 20));
        p.drawEllipse(c, r * 0.2, r * 0.2);
    };
    auto puff = [&](QPointF c, double r) {
        p.setPen(QPen(QColor(100, 150, 80), r * 0.08));
        p.drawLine(c, c + QPointF(-r * 0.3, cv.h));
        for (int k = 0; k < 40; ++k) {
            const double a = k * pi / 20;
            p.setPen(QPen(QColor(255, 255, 255, 200), 0.8));
            p.drawLine(c, c + QPointF(std::cos(a), std::sin(a)) * r);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, 230));
            p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * r, 2.2, 2.2);
        }
        p.setBrush(QColor(200, 190, 150));
        p.drawEllipse(c, r * 0.12, r * 0.12);
    };
    puff({cv.w * 0.72, cv.h * 0.3}, 50);
    flower({cv.w * 0.3, cv.h * 0.5}, 60);
    flower({cv.w * 0.55, cv.h * 0.68}, 44);
    flower({cv.w * 0.12, cv.h * 0.78}, 34);
    puff({cv.w * 0.9, cv.h * 0.6}, 30);
    p.setBrush(QColor(255, 255, 255, 200));
    for (int i = 0; i < 6; ++i) {
        const QPointF s(cv.w * 0.6 + i * 30, cv.h * (0.15 - i * 0.02));
        p.drawEllipse(s, 2, 2);
        p.setPen(QPen(QColor(255, 255, 255, 160), 0.8));
        p.drawLine(s, s + QPointF(-6, 6));
        p.setPen(Qt::NoPen);
    }
}

void p22(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.6;
    parkBackground(p, cv, hz, dayLight());
    skyGradient(p, QRectF(0, hz, cv.w, cv.h - hz),
                {{0, QColor(220, 210, 190)}, {1, QColor(200, 186, 160)}});
    const QRectF v(cv.w * 0.18, cv.h * 0.3, cv.w * 0.64, cv.h * 0.5);
    groundShadow(p, {v.center().x(), v.bottom() + 30}, v.width() * 0.6, 16, 0.35);
    p.setBrush(QColor(250, 246, 236));
    p.drawRoundedRect(v, 20, 20);
    p.setBrush(QColor(250, 170, 190));
    p.drawRect(QRectF(v.left(), v.bottom() - 50, v.width(), 30));
    const QRectF hatch(v.left() + 40, v.top() + 50, v.width() - 80, v.height() * 0.45);
    p.setBrush(QColor(255, 230, 190));
    p.drawRect(hatch);
    for (int k = 0; k < 8; ++k) {
        p.setBrush(k % 2 ? QColor(250, 250, 250) : QColor(240, 110, 140));
        p.drawRect(QRectF(hatch.left() - 20 + k * (hatch.width() + 40) / 8, hatch.top() - 24,
                          (hatch.width() + 40) / 8, 26));
    }
    text(p, QRectF(v.left(), v.top() + 4, v.width(), 40), QStringLiteral("クレープ"), 30,
         QColor(230, 80, 120), Qt::AlignCenter, QColor(255, 255, 255), 2, true);
    // Three crepes on show in the counter.
    for (int i = 0; i < 3; ++i) {
        const QPointF c(hatch.left() + hatch.width() * (0.2 + i * 0.3), hatch.bottom() - 10);
        QPolygonF cone;
        cone << c + QPointF(-18, -40) << c + QPointF(18, -40) << c + QPointF(0, 10);
        p.setBrush(QColor(230, 180, 110));
        p.drawPolygon(cone);
        p.setBrush(QColor(255, 255, 250));
        p.drawEllipse(c + QPointF(0, -44), 20, 12);
        const QColor fruit[] = {QColor(230, 40, 60), QColor(250, 200, 60), QColor(110, 60, 40)};
        p.setBrush(fruit[i]);
        p.drawEllipse(c + QPointF(-6, -50), 6, 6);
        p.drawEllipse(c + QPointF(8, -48), 5, 5);
    }
    p.setBrush(QColor(50, 50, 56));
    p.drawEllipse(QPointF(v.left() + 60, v.bottom()), 22, 22);
    p.drawEllipse(QPointF(v.right() - 60, v.bottom()), 22, 22);
    p.setBrush(QColor(160, 160, 166));
    p.drawEllipse(QPointF(v.left() + 60, v.bottom()), 8, 8);
    p.drawEllipse(QPointF(v.right() - 60, v.bottom()), 8, 8);
    p.setBrush(QColor(40, 40, 44));
    p.drawRect(QRectF(v.right() + 20, v.bottom() - 80, 6, 80));
    p.setBrush(QColor(250, 240, 200));
    p.drawRect(QRectF(v.right() + 4, v.bottom() - 120, 40, 44));
    text(p, QRectF(v.right() + 4, v.bottom() - 120, 40, 44), QStringLiteral("￥400"), 12,
         QColor(200, 50, 80));
}

void p23(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h), {{0, QColor(90, 150, 90)}, {1, QColor(70, 130, 70)}});
    grassTufts(p, cv.rng, QRectF(0, 0, cv.w, cv.h), 160, QColor(40, 90, 40), 12);
    QPainterPath stream;
    stream.moveTo(-20, cv.h * 0.1);
    stream.cubicTo(cv.w * 0.4, cv.h * 0.2, cv.w * 0.3, cv.h * 0.7, cv.w + 20, cv.h * 0.75);
    stream.lineTo(cv.w + 20, cv.h * 1.05);
    stream.cubicTo(cv.w * 0.2, cv.h * 1.0, cv.w * 0.2, cv.h * 0.5, -20, cv.h * 0.45);
    stream.closeSubpath();
    QLinearGradient g(0, 0, cv.w, cv.h);
    g.setColorAt(0, QColor(120, 180, 210));
    g.setColorAt(1, QColor(60, 130, 170));
    p.setBrush(g);
    p.drawPath(stream);
    p.save();
    p.setClipPath(stream);
    p.setPen(QPen(QColor(230, 246, 255, 140), 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 50; ++i) {
        QPointF a(cv.rng.range(0, cv.w), cv.rng.range(0, cv.h));
        p.drawLine(a, a + QPointF(20, 8));
    }
    p.restore();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 10; ++i) {
        QPointF c = stream.pointAtPercent(cv.rng.uni());
        p.setBrush(QColor(140, 136, 126));
        p.drawEllipse(c, cv.rng.range(10, 24), cv.rng.range(7, 14));
    }
    // The paper boat, folded from a page with ruled lines.
    const QPointF b(cv.w * 0.5, cv.h * 0.62);
    groundShadow(p, b + QPointF(6, 14), 60, 10, 0.3);
    QPolygonF hull;
    hull << b + QPointF(-64, -10) << b + QPointF(64, -10) << b + QPointF(44, 16)
         << b + QPointF(-44, 16);
    p.setBrush(QColor(250, 250, 244));
    p.drawPolygon(hull);
    QPolygonF sail;
    sail << b + QPointF(-30, -10) << b + QPointF(0, -70) << b + QPointF(30, -10);
    p.setBrush(QColor(236, 236, 230));
    p.drawPolygon(sail);
    QPolygonF shade;
    shade << b + QPointF(0, -70) << b + QPointF(30, -10) << b + QPointF(6, -10);
    p.setBrush(QColor(210, 210, 206));
    p.drawPolygon(shade);
    p.setPen(QPen(QColor(150, 180, 220), 1));
    p.drawLine(b + QPointF(-50, 2), b + QPointF(50, 2));
    p.drawLine(b + QPointF(-16, -30), b + QPointF(14, -30));
    p.setPen(Qt::NoPen);
}

void p24(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(180, 210, 200)}, {1, QColor(230, 236, 220)}});
    for (int i = 0; i < 7; ++i)
        conifer(p, {cv.w * (i * 0.16), cv.h * 0.7}, cv.h * cv.rng.range(0.6, 0.9),
                QColor(30, 70, 50), QColor(60, 100, 70));
    skyGradient(p, QRectF(0, cv.h * 0.68, cv.w, cv.h * 0.32),
                {{0, QColor(150, 140, 120)}, {1, QColor(110, 100, 90)}});
    // Stepping stones to the gate.
    p.setBrush(QColor(180, 176, 166));
    for (int k = 0; k < 6; ++k) {
        double t = k / 6.0, y = cv.h * (0.72 + t * t * 0.28), w = 30 + t * 90;
        p.drawRoundedRect(QRectF(cv.w * 0.5 - w / 2, y, w, 8 + t * 14), 4, 4);
    }
    const QColor red(210, 60, 40), dark(40, 30, 30);
    const double cx = cv.w * 0.5, top = cv.h * 0.2, base = cv.h * 0.74, span = cv.w * 0.24;
    p.setBrush(red);
    for (int side : {-1, 1}) {
        QPolygonF post;
        post << QPointF(cx + side * span - 9, top + 30) << QPointF(cx + side * span + 9, top + 30)
             << QPointF(cx + side * (span + 6) + 11, base)
             << QPointF(cx + side * (span + 6) - 11, base);
        p.drawPolygon(post);
        p.setBrush(dark);
        p.drawRect(QRectF(cx + side * (span + 6) - 13, base - 16, 26, 16));
        p.setBrush(red);
    }
    p.drawRect(QRectF(cx - span - 30, top + 48, span * 2 + 60, 14));
    p.drawRect(QRectF(cx - 8, top + 20, 16, 30));
    QPainterPath kasagi;
    kasagi.moveTo(cx - span - 56, top);
    kasagi.quadTo(cx, top + 16, cx + span + 56, top);
    kasagi.lineTo(cx + span + 50, top + 16);
    kasagi.quadTo(cx, top + 30, cx - span - 50, top + 16);
    kasagi.closeSubpath();
    p.drawPath(kasagi);
    p.setBrush(dark);
    QPainterPath cap;
    cap.moveTo(cx - span - 60, top - 8);
    cap.quadTo(cx, top + 8, cx + span + 60, top - 8);
    cap.lineTo(cx + span + 56, top + 2);
    cap.quadTo(cx, top + 18, cx - span - 56, top + 2);
    cap.closeSubpath();
    p.drawPath(cap);
    glow(p, {cx, cv.h * 0.5}, cv.w * 0.25, QColor(255, 250, 220, 60));
}

void p25(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.58;
    Light l = morningLight();
    l.farTrees = QColor(170, 186, 180);
    parkBackground(p, cv, hz, l);
    sun(p, {cv.w * 0.3, cv.h * 0.32}, 26, QColor(255, 246, 220), QColor(255, 240, 210));
    for (int i = 0; i < 4; ++i)
        tree(p, cv.rng, {cv.w * (0.15 + i * 0.24), hz + 4 + i * 2}, cv.h * 0.34, duskLook(0.0));
    // Layers of mist, thickest near the grass.
    for (int k = 0; k < 5; ++k) {
        const double y = hz - 50 + k * 28;
        QLinearGradient g(0, y - 40, 0, y + 40);
        g.setColorAt(0, QColor(255, 255, 255, 0));
        g.setColorAt(0.5, QColor(250, 250, 252, 120));
        g.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(QRectF(0, y - 40, cv.w, 80), g);
    }
    grassTufts(p, cv.rng, QRectF(0, cv.h * 0.8, cv.w, cv.h * 0.2), 80, QColor(80, 130, 70), 9);
    p.setBrush(QColor(255, 255, 255, 200));
    for (int i = 0; i < 40; ++i)
        p.drawEllipse(QPointF(cv.rng.range(0, cv.w), cv.rng.range(cv.h * 0.82, cv.h)), 1.4, 1.4);
}

void p26(QPainter &p, Canvas &cv) {
    skyGradient(
        p, QRectF(0, 0, cv.w, cv.h),
        {{0, QColor(100, 130, 170)}, {0.6, QColor(190, 210, 226)}, {1, QColor(240, 230, 210)}});
    cloud(p, cv.rng, {cv.w * 0.15, cv.h * 0.15}, 220, QColor(200, 206, 216), QColor(140, 150, 170));
    const QPointF c(cv.w * 0.55, cv.h * 0.95);
    const QColor bands[] = {QColor(230, 60, 60), QColor(250, 150, 50), QColor(250, 230, 80),
                            QColor(90, 190, 90), QColor(70, 140, 230), QColor(110, 80, 200),
                            QColor(160, 90, 200)};
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < 7; ++k) {
        const double r = cv.w * 0.56 - k * 9;
        p.setPen(QPen(alpha(bands[k], 0.55), 9));
        p.drawArc(QRectF(c.x() - r, c.y() - r, r * 2, r * 2), 0, 180 * 16);
    }
    p.setPen(Qt::NoPen);
    sun(p, {cv.w * 0.1, cv.h * 0.08}, 14, QColor(255, 250, 230), QColor(255, 250, 220));
    // Rooftops in the foreground, still wet.
    const QColor roofs[] = {QColor(70, 80, 110), QColor(150, 70, 60), QColor(90, 110, 90),
                            QColor(120, 90, 80)};
    for (int i = 0; i < 6; ++i) {
        const double x = cv.w * (i * 0.19 - 0.05), w = cv.w * 0.2,
                     y = cv.h * (0.7 + (i % 2) * 0.05);
        house(p, QRectF(x, y, w, cv.h - y), QColor(236, 228, 214), roofs[i % 4],
              QColor(140, 170, 200));
        p.setPen(QPen(QColor(255, 255, 255, 120), 2));
        p.drawLine(QPointF(x + w * 0.1, y - 4), QPointF(x + w * 0.45, y - (cv.h - y) * 0.55));
        p.setPen(Qt::NoPen);
    }
    p.setPen(QPen(QColor(40, 40, 44), 1.5));
    p.drawLine(QPointF(0, cv.h * 0.62), QPointF(cv.w, cv.h * 0.58));
    p.setPen(Qt::NoPen);
}

void p27(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(180, 220, 170)}, {1, QColor(90, 150, 80)}});
    for (int i = 0; i < 14; ++i)
        glow(p, {cv.rng.range(0, cv.w), cv.rng.range(0, cv.h)}, cv.rng.range(30, 80),
             QColor(255, 255, 220, 70));
    // A cosmos flower, large, and the butterfly settled on it.
    const QPointF f(cv.w * 0.45, cv.h * 0.6);
    p.save();
    p.translate(f);
    p.scale(1.6, 1.6);
    p.translate(-f);
    p.setPen(QPen(QColor(60, 120, 50), 6));
    p.drawLine(f, QPointF(cv.w * 0.5, cv.h + 10));
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 8; ++k) {
        p.save();
        p.translate(f);
        p.rotate(k * 45);
        QPainterPath petal;
        petal.moveTo(0, 0);
        petal.cubicTo(-40, -30, -34, -110, -10, -120);
        petal.lineTo(0, -112);
        petal.lineTo(10, -120);
        petal.cubicTo(34, -110, 40, -30, 0, 0);
        QLinearGradient g(0, 0, 0, -120);
        g.setColorAt(0, QColor(220, 80, 140));
        g.setColorAt(1, QColor(250, 170, 210));
        p.setBrush(g);
        p.scale(0.8, 0.6);
        p.drawPath(petal);
        p.restore();
    }
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(f, 20, 16);
    const QPointF b = f + QPointF(10, -30);
    for (int side : {-1, 1}) {
        p.save();
        p.translate(b);
        p.scale(side, 1);
        QPainterPath up, low;
        up.moveTo(0, 0);
        up.cubicTo(30, -70, 100, -80, 90, -30);
        up.cubicTo(80, -10, 40, 0, 0, 0);
        low.moveTo(0, 4);
        low.cubicTo(50, 10, 70, 50, 40, 60);
        low.cubicTo(20, 60, 6, 30, 0, 4);
        p.setBrush(QColor(250, 220, 80));
        p.drawPath(up);
        p.drawPath(low);
        p.setPen(QPen(QColor(40, 30, 30), 5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(up);
        p.drawLine(QPointF(20, -20), QPointF(70, -50));
        p.drawLine(QPointF(10, 10), QPointF(40, 50));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 120, 220));
        p.drawEllipse(QPointF(40, 50), 6, 6);
        p.setBrush(QColor(230, 80, 50));
        p.drawEllipse(QPointF(28, 54), 5, 5);
        p.restore();
    }
    p.setBrush(QColor(30, 24, 24));
    p.drawEllipse(b + QPointF(0, 10), 6, 30);
    p.setPen(QPen(QColor(30, 24, 24), 2));
    p.drawLine(b + QPointF(0, -18), b + QPointF(-16, -50));
    p.drawLine(b + QPointF(0, -18), b + QPointF(16, -50));
    p.setPen(Qt::NoPen);
    p.restore();
}

void p28(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.4;
    parkBackground(p, cv, hz, dayLight());
    tree(p, cv.rng, {cv.w * 0.85, hz + 10}, cv.h * 0.4, TreeLook{});
    QPolygonF frame;
    frame << QPointF(cv.w * 0.1, cv.h * 0.5) << QPointF(cv.w * 0.9, cv.h * 0.5)
          << QPointF(cv.w * 1.05, cv.h * 0.98) << QPointF(-cv.w * 0.05, cv.h * 0.98);
    p.setBrush(QColor(170, 120, 80));
    p.drawPolygon(frame);
    QPolygonF sand;
    sand << QPointF(cv.w * 0.13, cv.h * 0.53) << QPointF(cv.w * 0.87, cv.h * 0.53)
         << QPointF(cv.w * 1.0, cv.h * 0.94) << QPointF(0, cv.h * 0.94);
    QLinearGradient g(0, cv.h * 0.53, 0, cv.h);
    g.setColorAt(0, QColor(236, 214, 160));
    g.setColorAt(1, QColor(220, 196, 140));
    p.setBrush(g);
    p.drawPolygon(sand);
    p.setBrush(QColor(200, 176, 120, 120));
    for (int i = 0; i < 120; ++i)
        p.drawEllipse(
            QPointF(cv.rng.range(cv.w * 0.1, cv.w * 0.9), cv.rng.range(cv.h * 0.56, cv.h * 0.92)),
            1.5, 1);
    // A half-fallen castle and the bucket, tipped over, with its spade.
    QPolygonF castle;
    castle << QPointF(cv.w * 0.22, cv.h * 0.74) << QPointF(cv.w * 0.36, cv.h * 0.74)
           << QPointF(cv.w * 0.33, cv.h * 0.64) << QPointF(cv.w * 0.26, cv.h * 0.62);
    p.setBrush(QColor(214, 186, 130));
    p.drawPolygon(castle);
    const QPointF b(cv.w * 0.6, cv.h * 0.76);
    groundShadow(p, b + QPointF(10, 30), 70, 12, 0.35);
    p.save();
    p.translate(b);
    p.rotate(-70);
    QPolygonF pail;
    pail << QPointF(-40, -40) << QPointF(40, -40) << QPointF(30, 40) << QPointF(-30, 40);
    QLinearGradient pg(-40, 0, 40, 0);
    pg.setColorAt(0, QColor(250, 90, 80));
    pg.setColorAt(1, QColor(180, 40, 40));
    p.setBrush(pg);
    p.drawPolygon(pail);
    p.setBrush(QColor(120, 30, 30));
    p.drawEllipse(QPointF(0, -40), 40, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(250, 220, 80), 4));
    p.drawArc(QRectF(-40, -80, 80, 80), 180 * 16, 180 * 16);
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 140, 220));
    p.save();
    p.translate(cv.w * 0.78, cv.h * 0.86);
    p.rotate(20);
    p.drawRect(QRectF(-4, -60, 8, 50));
    p.drawRoundedRect(QRectF(-16, -14, 32, 30), 10, 10);
    p.restore();
}

void p29(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(4, 6, 24)}, {0.7, QColor(20, 30, 70)}, {1, QColor(40, 50, 90)}});
    // The milky way: a soft band with extra stars in it.
    p.save();
    p.translate(cv.w * 0.5, cv.h * 0.4);
    p.rotate(-30);
    QLinearGradient band(0, -70, 0, 70);
    band.setColorAt(0, QColor(160, 170, 230, 0));
    band.setColorAt(0.5, QColor(190, 190, 240, 60));
    band.setColorAt(1, QColor(160, 170, 230, 0));
    p.fillRect(QRectF(-cv.w, -70, cv.w * 2, 140), band);
    stars(p, cv.rng, QRectF(-cv.w, -50, cv.w * 2, 100), 260, 1.0);
    p.restore();
    stars(p, cv.rng, QRectF(0, 0, cv.w, cv.h * 0.8), 180, 2.2);
    treeLine(p, cv.rng, cv.h * 0.86, cv.w, cv.h * 0.2, QColor(8, 12, 20));
    lawn(p, QRectF(0, cv.h * 0.86, cv.w, cv.h * 0.14), QColor(10, 14, 22), QColor(6, 8, 14));
    streetLamp(p, {cv.w * 0.82, cv.h * 0.95}, cv.h * 0.36, true, QColor(10, 12, 20));
}

void p30(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h), {{0, QColor(6, 10, 30)}, {1, QColor(26, 40, 80)}});
    stars(p, cv.rng, QRectF(0, 0, cv.w, cv.h), 60);
    moon(p, {cv.w * 0.5, cv.h * 0.42}, cv.w * 0.22, QColor(10, 16, 40));
    for (int i = 0; i < 2; ++i)
        cloud(p, cv.rng, {cv.w * (0.25 + i * 0.5), cv.h * (0.62 + i * 0.1)}, 220,
              QColor(90, 100, 140, 200), QColor(40, 46, 80, 200));
    treeLine(p, cv.rng, cv.h * 0.92, cv.w, cv.h * 0.14, QColor(6, 8, 16));
    p.setBrush(QColor(6, 8, 16));
    p.drawRect(QRectF(0, cv.h * 0.92, cv.w, cv.h * 0.08));
}

} // namespace

void addPhotos(std::vector<Picture> &out) {
    out.insert(out.end(),
               {
                   {"00", 400, 300, Format::Png, p00},  {"01", 320, 240, Format::Bmp8, p01},
                   {"02", 480, 360, Format::Jpeg, p02}, {"03", 400, 300, Format::Png, p03},
                   {"04", 320, 240, Format::Gif, p04},  {"05", 400, 300, Format::Gif, p05},
                   {"06", 400, 300, Format::Bmp8, p06}, {"07", 360, 360, Format::Png, p07},
                   {"08", 400, 300, Format::Gif, p08},  {"09", 320, 240, Format::Bmp8, p09},
                   {"10", 640, 480, Format::Jpeg, p10}, {"11", 320, 320, Format::Gif, p11},
                   {"12", 360, 360, Format::Png, p12},  {"13", 400, 300, Format::Bmp8, p13},
                   {"14", 320, 240, Format::Gif, p14},  {"15", 480, 360, Format::Jpeg, p15},
                   {"16", 320, 240, Format::Gif, p16},  {"17", 400, 300, Format::Gif, p17},
                   {"18", 400, 300, Format::Png, p18},  {"19", 320, 320, Format::Gif, p19},
                   {"20", 320, 240, Format::Gif, p20},  {"21", 320, 240, Format::Bmp24, p21},
                   {"22", 400, 300, Format::Gif, p22},  {"23", 320, 240, Format::Png, p23},
                   {"24", 400, 300, Format::Gif, p24},  {"25", 480, 360, Format::Jpeg, p25},
                   {"26", 480, 360, Format::Gif, p26},  {"27", 320, 320, Format::Bmp8, p27},
                   {"28", 320, 240, Format::Bmp8, p28}, {"29", 480, 360, Format::Jpeg, p29},
                   {"30", 320, 320, Format::Png, p30},
               });
}

} // namespace pg
