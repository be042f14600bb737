// The special photos, t00 to t15: rare moments with the girl.

#include "girl.h"
#include "pictures.h"

#include <QImage>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace pg {

namespace {

using namespace girl;
constexpr double pi = std::numbers::pi;

void firework(QPainter &p, Rng &rng, QPointF c, double r, const QColor &color) {
    glow(p, c, r * 1.4, alpha(color, 0.25));
    p.setPen(Qt::NoPen);
    const int rays = 40;
    for (int i = 0; i < rays; ++i) {
        const double a = i * 2 * pi / rays + rng.range(-0.03, 0.03);
        const double reach = r * rng.range(0.85, 1.05);
        for (int k = 1; k <= 7; ++k) {
            const double t = k / 7.0;
            // Sparks droop a little as they fly out.
            const QPointF d =
                c + QPointF(std::cos(a), std::sin(a)) * reach * t + QPointF(0, t * t * r * 0.12);
            const double s = 2.6 * (1 - t * 0.6);
            p.setBrush(alpha(mix(QColor(255, 255, 230), color, t), 1 - t * 0.55));
            p.drawEllipse(d, s, s);
        }
    }
    glow(p, c, r * 0.25, QColor(255, 255, 240, 200));
}

// The bench as most photos frame it: `w` wide, its seat at base.y - 0.3 w.
double seatHeight(double benchWidth) {
    return benchWidth * 0.3;
}
// Sitting, the figure's seat is 24 of its 100 units above her feet.
double sittingHeightFor(double benchWidth) {
    return seatHeight(benchWidth) / 0.24;
}

void scarf(QPainter &p, const Points &at) {
    const double u = at.unit;
    p.setPen(Qt::NoPen);
    p.setBrush(ribbon);
    p.drawRoundedRect(QRectF(at.head.x() - 7 * u, at.head.y() + 10 * u, 14 * u, 5 * u), 2.5 * u,
                      2.5 * u);
    p.drawRoundedRect(QRectF(at.head.x() + 2 * u, at.head.y() + 12 * u, 4.5 * u, 12 * u), 2 * u,
                      2 * u);
}

void kitten(QPainter &p, QPointF c, double s) {
    const QColor fur(190, 186, 180), stripe(120, 116, 112), white(250, 248, 244);
    p.setPen(Qt::NoPen);
    p.setBrush(fur);
    p.drawEllipse(c + QPointF(0, s * 0.9), s * 0.8, s * 0.6);
    for (int side : {-1, 1}) {
        QPolygonF ear;
        ear << c + QPointF(side * s * 0.75, -s * 0.3) << c + QPointF(side * s * 0.7, -s * 1.0)
            << c + QPointF(side * s * 0.2, -s * 0.65);
        p.setBrush(fur);
        p.drawPolygon(ear);
        QPolygonF inner;
        inner << c + QPointF(side * s * 0.66, -s * 0.4) << c + QPointF(side * s * 0.64, -s * 0.86)
              << c + QPointF(side * s * 0.32, -s * 0.62);
        p.setBrush(QColor(240, 180, 180));
        p.drawPolygon(inner);
    }
    p.setBrush(fur);
    p.drawEllipse(c, s * 0.8, s * 0.68);
    p.setPen(QPen(stripe, s * 0.08, Qt::SolidLine, Qt::RoundCap));
    for (double x : {-0.18, 0.0, 0.18})
        p.drawLine(c + QPointF(x * s, -s * 0.66), c + QPointF(x * s * 1.2, -s * 0.38));
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawEllipse(c + QPointF(0, s * 0.3), s * 0.38, s * 0.3);
    for (int side : {-1, 1}) {
        const QPointF e = c + QPointF(side * s * 0.32, -s * 0.05);
        p.setBrush(QColor(110, 170, 90));
        p.drawEllipse(e, s * 0.15, s * 0.17);
        p.setBrush(QColor(20, 20, 20));
        p.drawEllipse(e, s * 0.07, s * 0.14);
        p.setBrush(Qt::white);
        p.drawEllipse(e + QPointF(-s * 0.05, -s * 0.06), s * 0.04, s * 0.04);
        p.setPen(QPen(QColor(255, 255, 255, 200), s * 0.015));
        for (int k = -1; k <= 1; ++k)
            p.drawLine(c + QPointF(side * s * 0.25, s * 0.28 + k * s * 0.05),
                       c + QPointF(side * s * 0.9, s * 0.22 + k * s * 0.12));
        p.setPen(Qt::NoPen);
    }
    p.setBrush(QColor(240, 150, 160));
    QPolygonF nose;
    nose << c + QPointF(-s * 0.07, s * 0.18) << c + QPointF(s * 0.07, s * 0.18)
         << c + QPointF(0, s * 0.26);
    p.drawPolygon(nose);
    p.setPen(QPen(QColor(90, 70, 70), s * 0.03, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - s * 0.14, c.y() + s * 0.2, s * 0.14, s * 0.12), 180 * 16, 180 * 16);
    p.drawArc(QRectF(c.x(), c.y() + s * 0.2, s * 0.14, s * 0.12), 180 * 16, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawEllipse(c + QPointF(-s * 0.35, s * 1.15), s * 0.2, s * 0.14);
    p.drawEllipse(c + QPointF(s * 0.35, s * 1.15), s * 0.2, s * 0.14);
}

void book(QPainter &p, QPointF c, double s, bool open) {
    p.setPen(Qt::NoPen);
    if (!open) {
        p.setBrush(QColor(60, 110, 90));
        p.drawRoundedRect(QRectF(c.x() - s * 0.6, c.y() - s * 0.4, s * 1.2, s * 0.8), s * 0.05,
                          s * 0.05);
        p.setBrush(QColor(250, 246, 230));
        p.drawRect(QRectF(c.x() - s * 0.55, c.y() + s * 0.3, s * 1.1, s * 0.08));
        return;
    }
    p.setBrush(QColor(70, 100, 150));
    QPolygonF cover;
    cover << c + QPointF(-s, -s * 0.5) << c + QPointF(0, -s * 0.35) << c + QPointF(s, -s * 0.5)
          << c + QPointF(s, s * 0.35) << c + QPointF(0, s * 0.5) << c + QPointF(-s, s * 0.35);
    p.drawPolygon(cover);
    for (int side : {-1, 1}) {
        QPolygonF page;
        page << c + QPointF(0, -s * 0.3) << c + QPointF(side * s * 0.92, -s * 0.44)
             << c + QPointF(side * s * 0.92, s * 0.3) << c + QPointF(0, s * 0.44);
        p.setBrush(side < 0 ? QColor(252, 250, 240) : QColor(238, 234, 222));
        p.drawPolygon(page);
        p.setPen(QPen(QColor(170, 170, 180), s * 0.025));
        for (int k = 0; k < 5; ++k) {
            const double y = -s * 0.24 + k * s * 0.13;
            p.drawLine(c + QPointF(side * s * 0.12, y), c + QPointF(side * s * 0.8, y - s * 0.08));
        }
        p.setPen(Qt::NoPen);
    }
}

// --- the photos ---

void t00(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.48;
    parkBackground(p, cv, hz, dayLight());
    sun(p, {cv.w * 0.2, cv.h * 0.08}, 16, QColor(255, 252, 230), QColor(255, 250, 220));
    tree(p, cv.rng, {cv.w * 0.92, hz + 6}, cv.h * 0.42, TreeLook{});
    lawn(p, QRectF(0, hz + 40, cv.w, cv.h), QColor(214, 200, 170), QColor(196, 180, 146));
    fountain(p, {cv.w * 0.7, cv.h * 0.82}, cv.w * 0.46, QColor(214, 208, 200),
             QColor(110, 170, 220));
    figure(p, {cv.w * 0.3, cv.h * 0.97}, cv.h * 0.74,
           Pose{View::Front, Face::Laugh, {50, 30}, {45, 35}, false, false, false, {}, -6});
    // Spray sparkling in the sun around her.
    p.setBrush(QColor(255, 255, 255, 220));
    for (int i = 0; i < 50; ++i) {
        const QPointF d(cv.rng.range(cv.w * 0.4, cv.w * 0.95),
                        cv.rng.range(cv.h * 0.2, cv.h * 0.7));
        p.drawEllipse(d, 1.8, 1.8);
    }
    glow(p, {cv.w * 0.62, cv.h * 0.36}, 90, QColor(255, 255, 255, 80));
}

void t01(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.46;
    parkBackground(p, cv, hz, morningLight());
    tree(p, cv.rng, {cv.w * 0.1, hz + 10}, cv.h * 0.4, TreeLook{});
    path(p, -cv.w * 0.2, cv.w * 1.2, cv.w * 0.42, cv.w * 0.58, cv.h, hz, QColor(230, 216, 186),
         QColor(210, 190, 150));
    const Points g =
        figure(p, {cv.w * 0.4, cv.h * 0.9}, cv.h * 0.7,
               Pose{View::Front, Face::Smile, {14, 8}, {62, 8}, false, false, false, {}, 5});
    // Crumbs falling from her hand, pigeons hurrying in.
    p.setBrush(QColor(236, 210, 150));
    for (int i = 0; i < 18; ++i)
        p.drawEllipse(g.rightHand + QPointF(cv.rng.range(-10, 30), cv.rng.range(4, cv.h * 0.42)), 2,
                      1.6);
    pigeon(p, {cv.w * 0.62, cv.h * 0.88}, 34, true, 0.7);
    pigeon(p, {cv.w * 0.76, cv.h * 0.92}, 38, true, 0);
    pigeon(p, {cv.w * 0.56, cv.h * 0.96}, 40, false, 0.8);
    pigeon(p, {cv.w * 0.86, cv.h * 0.82}, 30, true, 0.5);
    pigeon(p, {cv.w * 0.2, cv.h * 0.94}, 36, false, 0.3);
    // One in the air, wings up.
    const QPointF f(cv.w * 0.78, cv.h * 0.3);
    p.setBrush(QColor(140, 144, 158));
    p.drawEllipse(f, 22, 12);
    QPolygonF wing;
    wing << f + QPointF(-6, -4) << f + QPointF(-40, -40) << f + QPointF(10, -8);
    p.drawPolygon(wing);
    wing.clear();
    wing << f + QPointF(6, -4) << f + QPointF(30, -46) << f + QPointF(14, -4);
    p.setBrush(QColor(120, 124, 138));
    p.drawPolygon(wing);
    p.setBrush(QColor(110, 112, 128));
    p.drawEllipse(f + QPointF(-22, -4), 8, 7);
}

void t02(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.62;
    Light l = morningLight();
    l.skyMid = QColor(214, 226, 246);
    l.skyBottom = QColor(255, 232, 226);
    parkBackground(p, cv, hz, l);
    glow(p, {cv.w * 0.8, cv.h * 0.3}, cv.w * 0.5, QColor(255, 246, 230, 110));
    tree(p, cv.rng, {cv.w * 0.88, hz + 4}, cv.h * 0.36, blossomLook());
    path(p, cv.w * 0.3, cv.w * 1.1, cv.w * 0.7, cv.w * 0.76, cv.h, hz, QColor(236, 222, 200),
         QColor(220, 200, 170));
    // Petals already lying on the grass and path.
    p.setBrush(QColor(250, 200, 214));
    for (int i = 0; i < 120; ++i)
        p.drawEllipse(QPointF(cv.rng.range(0, cv.w), cv.rng.range(hz + 10, cv.h)), 2.2, 1.3);
    tree(p, cv.rng, {cv.w * 0.2, cv.h * 0.94}, cv.h * 1.2, blossomLook(), 1.5);
    const Points g =
        figure(p, {cv.w * 0.56, cv.h * 0.95}, cv.h * 0.6,
               Pose{View::Front, Face::Smile, {12, 6}, {140, 30}, false, false, false, {}, -7});
    // A petal landing on her open hand.
    p.setBrush(QColor(255, 190, 210));
    p.drawEllipse(g.rightHand + QPointF(0, -8), 4, 2.4);
    petals(p, cv.rng, QRectF(0, 0, cv.w, cv.h), 130, QColor(250, 186, 206));
    vignette(p, cv, 0.22);
}

void t03(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.5;
    parkBackground(p, cv, hz, rainLight());
    tree(p, cv.rng, {cv.w * 0.12, hz + 10}, cv.h * 0.42, duskLook(0.25));
    streetLamp(p, {cv.w * 0.86, hz + cv.h * 0.2}, cv.h * 0.5, true, QColor(50, 54, 60));
    path(p, -cv.w * 0.1, cv.w * 1.1, cv.w * 0.44, cv.w * 0.56, cv.h, hz, QColor(150, 150, 150),
         QColor(110, 112, 116));
    // Puddles on the path with their rings.
    for (int i = 0; i < 4; ++i) {
        const QPointF c(cv.w * (0.2 + i * 0.2), cv.h * (0.82 + (i % 2) * 0.08));
        p.setBrush(QColor(170, 180, 196, 160));
        p.drawEllipse(c, 50, 10);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(230, 236, 246, 160), 1));
        p.drawEllipse(c + QPointF(10, 0), 14, 3);
        p.drawEllipse(c + QPointF(-20, 2), 8, 2);
        p.setPen(Qt::NoPen);
    }
    const Points g =
        figure(p, {cv.w * 0.46, cv.h * 0.93}, cv.h * 0.66,
               Pose{View::Front, Face::Smile, {12, 6}, {18, 165}, false, false, false, {}, 4});
    // The umbrella: shaft from her hand, a pale yellow canopy over her head.
    const QPointF top = g.head + QPointF(4, -22 * g.unit);
    p.setPen(QPen(QColor(60, 50, 40), 2.2));
    p.drawLine(g.rightHand + QPointF(0, 4), top);
    p.setPen(Qt::NoPen);
    const double r = 34 * g.unit;
    QPainterPath dome;
    dome.moveTo(top + QPointF(-r, r * 0.35));
    dome.cubicTo(top + QPointF(-r, -r * 0.45), top + QPointF(r, -r * 0.45),
                 top + QPointF(r, r * 0.35));
    for (int k = 5; k >= 0; --k)
        dome.quadTo(top + QPointF(-r + (k + 0.5) * r / 3, r * 0.2),
                    top + QPointF(-r + k * r / 3, r * 0.35));
    QLinearGradient ug(top + QPointF(-r, 0), top + QPointF(r, 0));
    ug.setColorAt(0, QColor(255, 240, 150));
    ug.setColorAt(1, QColor(230, 200, 90));
    p.setBrush(ug);
    p.drawPath(dome);
    p.setPen(QPen(QColor(200, 170, 70), 1));
    for (int k = 1; k < 6; ++k)
        p.drawLine(top, top + QPointF(-r + k * r / 3, r * 0.33));
    p.setPen(Qt::NoPen);
    rain(p, cv.rng, QRectF(0, -20, cv.w, cv.h), 360, QColor(230, 236, 250));
}

void t04(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.55;
    parkBackground(p, cv, hz, dayLight());
    tree(p, cv.rng, {cv.w * 0.9, hz + 8}, cv.h * 0.4, TreeLook{});
    lawn(p, QRectF(0, cv.h * 0.86, cv.w, cv.h * 0.14), QColor(200, 180, 140),
         QColor(186, 164, 122));
    const double barY = cv.h * 0.08, x0 = cv.w * 0.18, x1 = cv.w * 0.82;
    p.setPen(QPen(QColor(220, 80, 60), 9, Qt::SolidLine, Qt::RoundCap));
    for (double x : {x0, x1}) {
        p.drawLine(QPointF(x, barY), QPointF(x - 40, cv.h * 0.92));
        p.drawLine(QPointF(x, barY), QPointF(x + 40, cv.h * 0.92));
    }
    p.setPen(QPen(QColor(90, 140, 200), 10, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x0, barY), QPointF(x1, barY));
    p.setPen(Qt::NoPen);
    // The swing mid-arc, her on it; the frame stays put.
    const QPointF pivot(cv.w * 0.5, barY);
    const double len = cv.h * 0.58, bw = 90;
    p.save();
    p.translate(pivot);
    p.rotate(-16);
    p.translate(-pivot);
    const QPointF seat = pivot + QPointF(0, len);
    p.setPen(QPen(QColor(150, 150, 156), 2.5));
    p.drawLine(pivot + QPointF(-bw / 2, 0), seat + QPointF(-bw / 2, 0));
    p.drawLine(pivot + QPointF(bw / 2, 0), seat + QPointF(bw / 2, 0));
    p.setPen(Qt::NoPen);
    const double h = cv.h * 0.62, u = h / 100;
    figure(p, seat + QPointF(0, 24 * u), h,
           Pose{View::Front, Face::Laugh, {168, 4}, {168, 4}, true, false, false, {}, -4});
    p.setBrush(QColor(110, 70, 44));
    p.drawRoundedRect(QRectF(seat.x() - bw / 2 - 6, seat.y() - 2, bw + 12, 9), 3, 3);
    p.restore();
    p.setPen(QPen(QColor(255, 255, 255, 170), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < 3; ++k)
        p.drawArc(QRectF(pivot.x() - len - 20 - k * 10, pivot.y() - len + 40,
                         (len + 20 + k * 10) * 2, (len + 20 + k * 10) * 2),
                  (-62 - k * 3) * 16, -14 * 16);
    p.setPen(Qt::NoPen);
}

void t05(QPainter &p, Canvas &cv) {
    skyGradient(
        p, QRectF(0, 0, cv.w, cv.h),
        {{0, QColor(250, 226, 190)}, {0.6, QColor(200, 224, 170)}, {1, QColor(140, 180, 110)}});
    for (int i = 0; i < 22; ++i)
        glow(p, {cv.rng.range(0, cv.w), cv.rng.range(0, cv.h)}, cv.rng.range(20, 60),
             QColor(255, 255, 230, 70));
    portrait(p, QRectF(0, cv.h * 0.04, cv.w, cv.h * 0.96),
             Portrait{Face::Smile, false, false, false, -5});
    // Her hands under the kitten she holds against her.
    kitten(p, {cv.w * 0.5, cv.h * 0.78}, cv.w * 0.17);
    p.setBrush(skin);
    p.drawEllipse(QPointF(cv.w * 0.33, cv.h * 0.96), cv.w * 0.07, cv.w * 0.05);
    p.drawEllipse(QPointF(cv.w * 0.67, cv.h * 0.96), cv.w * 0.07, cv.w * 0.05);
}

void t06(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(14, 14, 44)}, {0.6, QColor(60, 34, 70)}, {1, QColor(40, 24, 34)}});
    // The stalls out of focus behind her.
    for (int i = 0; i < 26; ++i)
        glow(p, {cv.rng.range(0, cv.w), cv.rng.range(cv.h * 0.4, cv.h * 0.8)}, cv.rng.range(20, 50),
             QColor(255, cv.rng.irange(150, 220), 120, 120));
    for (int row = 0; row < 2; ++row) {
        QPainterPath wire;
        const double y0 = cv.h * (0.06 + row * 0.16);
        wire.moveTo(-10, y0);
        wire.quadTo(cv.w / 2, y0 + 70, cv.w + 10, y0);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(30, 20, 20), 1.2));
        p.drawPath(wire);
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 8; ++k)
            lantern(p, wire.pointAtPercent((k + 0.5 + row * 0.5) / 8.5), 24 - row * 6,
                    k % 2 ? QColor(250, 240, 220) : QColor(235, 70, 60));
    }
    glow(p, {cv.w * 0.5, cv.h * 0.55}, cv.w * 0.4, QColor(255, 200, 140, 70));
    const Points g =
        figure(p, {cv.w * 0.5, cv.h * 0.99}, cv.h * 0.78,
               Pose{View::Front, Face::Smile, {14, 8}, {24, 110}, false, true, false, {}, -5});
    // A round paper fan in her hand.
    p.setPen(QPen(QColor(160, 120, 80), 2.5));
    p.drawLine(g.rightHand, g.rightHand + QPointF(10, -24));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 245));
    p.drawEllipse(g.rightHand + QPointF(16, -40), 20, 20);
    p.setBrush(QColor(90, 150, 220));
    p.drawEllipse(g.rightHand + QPointF(12, -44), 7, 7);
    p.setBrush(QColor(240, 120, 160));
    p.drawEllipse(g.rightHand + QPointF(22, -34), 6, 6);
}

void t07(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(6, 8, 30)}, {0.7, QColor(26, 26, 66)}, {1, QColor(40, 36, 70)}});
    stars(p, cv.rng, QRectF(0, 0, cv.w, cv.h * 0.6), 40);
    firework(p, cv.rng, {cv.w * 0.32, cv.h * 0.26}, cv.h * 0.2, QColor(255, 90, 120));
    firework(p, cv.rng, {cv.w * 0.7, cv.h * 0.2}, cv.h * 0.24, QColor(120, 200, 255));
    firework(p, cv.rng, {cv.w * 0.56, cv.h * 0.46}, cv.h * 0.12, QColor(255, 220, 90));
    // Rising trail of one more.
    p.setPen(QPen(QColor(255, 230, 180, 180), 2, Qt::DotLine));
    p.drawLine(QPointF(cv.w * 0.86, cv.h * 0.75), QPointF(cv.w * 0.88, cv.h * 0.45));
    p.setPen(Qt::NoPen);
    treeLine(p, cv.rng, cv.h * 0.86, cv.w, cv.h * 0.12, QColor(16, 14, 32));
    lawn(p, QRectF(0, cv.h * 0.86, cv.w, cv.h * 0.14), QColor(56, 44, 76), QColor(26, 22, 44));
    glow(p, {cv.w * 0.5, cv.h * 0.3}, cv.w * 0.5, QColor(255, 180, 200, 30));
    figure(p, {cv.w * 0.24, cv.h * 0.99}, cv.h * 0.34,
           Pose{View::Back, Face::Calm, {10, 4}, {10, 4}, false, true, true, QColor(6, 6, 14), 0});
}

void benchScene(QPainter &p, Canvas &cv, const Light &light, double benchW) {
    const double hz = cv.h * 0.5;
    parkBackground(p, cv, hz, light);
    tree(p, cv.rng, {cv.w * 0.12, hz + 10}, cv.h * 0.5, TreeLook{});
    tree(p, cv.rng, {cv.w * 0.86, hz + 6}, cv.h * 0.36, TreeLook{});
    bench(p, {cv.w * 0.5, cv.h * 0.95}, benchW, QColor(170, 112, 66), QColor(54, 56, 60));
}

void t08(QPainter &p, Canvas &cv) {
    const double bw = cv.w * 0.62;
    benchScene(p, cv, dayLight(), bw);
    const Points g =
        figure(p, {cv.w * 0.5, cv.h * 0.95}, sittingHeightFor(bw),
               Pose{View::Front, Face::Calm, {22, -58}, {22, -58}, true, false, false, {}, 8});
    book(p, (g.leftHand + g.rightHand) / 2 + QPointF(0, -10 * g.unit), 16 * g.unit, true);
    // Sun through leaves on the seat.
    p.setBrush(QColor(255, 250, 200, 50));
    for (int i = 0; i < 16; ++i)
        p.drawEllipse(QPointF(cv.rng.range(cv.w * 0.2, cv.w * 0.8), cv.rng.range(cv.h * 0.7, cv.h)),
                      10, 4);
}

void t09(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(60, 50, 120)},
                 {0.45, QColor(236, 110, 100)},
                 {0.75, QColor(255, 196, 120)},
                 {1, QColor(255, 220, 150)}});
    for (int i = 0; i < 4; ++i)
        cloud(p, cv.rng, {cv.rng.range(0, cv.w), cv.rng.range(cv.h * 0.08, cv.h * 0.35)},
              cv.rng.range(140, 240), QColor(255, 150, 130, 170), QColor(130, 60, 100, 170));
    sun(p, {cv.w * 0.5, cv.h * 0.7}, 56, QColor(255, 210, 120), QColor(255, 160, 80));
    QPainterPath hill;
    hill.moveTo(-10, cv.h * 0.86);
    hill.cubicTo(cv.w * 0.3, cv.h * 0.76, cv.w * 0.7, cv.h * 0.76, cv.w + 10, cv.h * 0.86);
    hill.lineTo(cv.w + 10, cv.h + 10);
    hill.lineTo(-10, cv.h + 10);
    const QColor dark(36, 20, 36);
    p.setBrush(dark);
    p.drawPath(hill);
    grassTufts(p, cv.rng, QRectF(0, cv.h * 0.78, cv.w, cv.h * 0.1), 80, dark, 10);
    figure(p, {cv.w * 0.5, cv.h * 0.8}, cv.h * 0.5,
           Pose{View::Front, Face::Calm, {28, 6}, {34, 8}, false, false, true, dark, -6});
    for (int i = 0; i < 4; ++i)
        bird(p, {cv.w * (0.7 + i * 0.05), cv.h * (0.3 + (i % 2) * 0.04)}, 9, QColor(60, 30, 60),
             i * 0.2);
}

void t10(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.5;
    parkBackground(p, cv, hz, snowLight());
    conifer(p, {cv.w * 0.88, hz + 10}, cv.h * 0.36, QColor(40, 80, 70), QColor(70, 110, 90), true);
    bareTree(p, cv.rng, {cv.w * 0.1, hz + 4}, cv.h * 0.4, QColor(100, 90, 90), true);
    snowman(p, {cv.w * 0.64, cv.h * 0.93}, cv.h * 0.42);
    const Points g =
        figure(p, {cv.w * 0.34, cv.h * 0.95}, cv.h * 0.64,
               Pose{View::Front, Face::Laugh, {16, 8}, {70, 10}, false, false, false, {}, 6});
    scarf(p, g);
    // A snowball in her hand, for the snowman's last button.
    p.setBrush(QColor(250, 252, 255));
    p.drawEllipse(g.rightHand + QPointF(4, -2), 8, 8);
    snowfall(p, cv.rng, QRectF(0, 0, cv.w, cv.h), 140);
}

void t11(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(4, 8, 30)}, {0.75, QColor(30, 40, 90)}, {1, QColor(40, 50, 90)}});
    stars(p, cv.rng, QRectF(0, 0, cv.w, cv.h * 0.75), 200, 2.0);
    // The shooting star: a bright head and a fading tail.
    const QPointF head(cv.w * 0.3, cv.h * 0.34), tail(cv.w * 0.72, cv.h * 0.08);
    QLinearGradient g(tail, head);
    g.setColorAt(0, QColor(255, 255, 255, 0));
    g.setColorAt(1, QColor(255, 255, 240, 240));
    p.setPen(QPen(QBrush(g), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(tail, head);
    p.setPen(Qt::NoPen);
    glow(p, head, 26, QColor(255, 255, 230, 220));
    treeLine(p, cv.rng, cv.h * 0.9, cv.w, cv.h * 0.1, QColor(8, 12, 24));
    lawn(p, QRectF(0, cv.h * 0.9, cv.w, cv.h * 0.1), QColor(22, 30, 44), QColor(12, 16, 26));
    streetLamp(p, {cv.w * 0.12, cv.h * 0.94}, cv.h * 0.4, true, QColor(14, 16, 26));
    figure(
        p, {cv.w * 0.66, cv.h * 0.98}, cv.h * 0.44,
        Pose{
            View::Back, Face::Calm, {12, 4}, {150, 10}, false, false, true, QColor(14, 16, 34), 0});
}

void t12(QPainter &p, Canvas &cv) {
    const double bw = cv.w * 0.62;
    Light warm = morningLight();
    warm.skyBottom = QColor(255, 220, 180);
    benchScene(p, cv, warm, bw);
    const Points g =
        figure(p, {cv.w * 0.46, cv.h * 0.95}, sittingHeightFor(bw),
               Pose{View::Front, Face::Asleep, {20, -50}, {20, -50}, true, false, false, {}, 16});
    book(p, (g.leftHand + g.rightHand) / 2 + QPointF(0, -4 * g.unit), 12 * g.unit, false);
    text(p, QRectF(g.head.x() + 12 * g.unit, g.head.y() - 14 * g.unit - 40, 120, 40),
         QStringLiteral("Z z z"), 22, QColor(90, 100, 150, 200), Qt::AlignLeft | Qt::AlignVCenter,
         QColor(255, 255, 255, 160), 1.5, true);
    petals(p, cv.rng, QRectF(0, 0, cv.w, cv.h), 30, QColor(250, 190, 210));
}

void t13(QPainter &p, Canvas &cv) {
    skyGradient(
        p, QRectF(0, 0, cv.w, cv.h),
        {{0, QColor(160, 210, 244)}, {0.6, QColor(190, 226, 180)}, {1, QColor(110, 170, 96)}});
    for (int i = 0; i < 24; ++i)
        glow(p, {cv.rng.range(0, cv.w), cv.rng.range(0, cv.h)}, cv.rng.range(20, 60),
             QColor(255, 255, 240, 80));
    portrait(p, QRectF(-cv.w * 0.05, cv.h * 0.0, cv.w * 1.1, cv.h * 1.05),
             Portrait{Face::Surprised});
    // Caught in the frame: focus brackets on her face and the flash.
    viewfinder(p, QRectF(cv.w * 0.22, cv.h * 0.12, cv.w * 0.56, cv.h * 0.62),
               QColor(120, 255, 140, 220), 3);
    glow(p, {cv.w * 0.92, cv.h * 0.08}, cv.w * 0.3, QColor(255, 255, 255, 200));
    text(p, QRectF(cv.w * 0.05, cv.h * 0.05, cv.w * 0.5, 30), QStringLiteral("！？"), 28,
         QColor(240, 80, 90), Qt::AlignLeft | Qt::AlignVCenter, QColor(255, 255, 255), 2, true);
}

void t14(QPainter &p, Canvas &cv) {
    const double py = cv.h * 0.64;
    skyGradient(
        p, QRectF(0, 0, cv.w, py),
        {{0, QColor(80, 70, 140)}, {0.6, QColor(240, 140, 110)}, {1, QColor(255, 200, 140)}});
    sun(p, {cv.w * 0.2, py - 60}, 22, QColor(255, 200, 120), QColor(255, 160, 90));
    hills(p, cv.w, py - 30, 10, 1.2, QColor(120, 70, 90), QColor(100, 60, 80));
    // Far platform with its roof, and her on it.
    p.setBrush(QColor(190, 160, 150));
    p.drawRect(QRectF(0, py - 8, cv.w, 14));
    p.setBrush(QColor(110, 90, 96));
    p.drawRect(QRectF(0, py + 6, cv.w, 8));
    p.setBrush(QColor(80, 70, 90));
    for (double x = 0.1; x < 1; x += 0.3)
        p.drawRect(QRectF(cv.w * x, cv.h * 0.14, 6, py - cv.h * 0.14 - 8));
    p.drawRect(QRectF(-10, cv.h * 0.12, cv.w + 20, cv.h * 0.04));
    const QRectF sign(cv.w * 0.62, cv.h * 0.24, cv.w * 0.3, cv.h * 0.11);
    p.setBrush(QColor(250, 246, 240));
    p.drawRect(sign);
    p.setBrush(QColor(40, 120, 90));
    p.drawRect(QRectF(sign.left(), sign.bottom() - 10, sign.width(), 6));
    text(p, sign.adjusted(0, 0, 0, -10), QStringLiteral("みどり公園前"), sign.height() * 0.38,
         QColor(30, 30, 36), Qt::AlignCenter, Qt::transparent, 0, true);
    figure(p, {cv.w * 0.44, py - 4}, cv.h * 0.42,
           Pose{View::Front, Face::Smile, {12, 6}, {160, 20}, false, false, false, {}, -5});
    // Tracks and our platform edge.
    skyGradient(p, QRectF(0, py + 14, cv.w, cv.h * 0.2),
                {{0, QColor(110, 90, 86)}, {1, QColor(130, 110, 100)}});
    p.setBrush(QColor(220, 200, 190));
    p.drawRect(QRectF(0, py + 34, cv.w, 3));
    p.drawRect(QRectF(0, py + 56, cv.w, 3));
    const double ny = cv.h * 0.88;
    skyGradient(p, QRectF(0, ny, cv.w, cv.h - ny),
                {{0, QColor(200, 180, 170)}, {1, QColor(170, 150, 140)}});
    p.setBrush(QColor(240, 200, 40));
    p.drawRect(QRectF(0, ny + 8, cv.w, 8));
    glow(p, {cv.w * 0.2, py - 60}, cv.w * 0.6, QColor(255, 190, 130, 50));
}

void t15(QPainter &p, Canvas &cv) {
    // Low sun behind us: the path and the two long shadows running ahead.
    skyGradient(p, QRectF(0, 0, cv.w, cv.h * 0.3),
                {{0, QColor(240, 180, 130)}, {1, QColor(255, 220, 170)}});
    treeLine(p, cv.rng, cv.h * 0.3, cv.w, cv.h * 0.1, QColor(120, 110, 80));
    lawn(p, QRectF(0, cv.h * 0.3, cv.w, cv.h * 0.7), QColor(170, 170, 90), QColor(120, 130, 60));
    grassTufts(p, cv.rng, QRectF(0, cv.h * 0.3, cv.w, cv.h * 0.7), 150, QColor(90, 100, 40), 10);
    path(p, -cv.w * 0.1, cv.w * 1.1, cv.w * 0.44, cv.w * 0.56, cv.h, cv.h * 0.3,
         QColor(236, 210, 170), QColor(226, 190, 146));
    QImage layer(int(cv.w), int(cv.h), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter q(&layer);
        q.setRenderHint(QPainter::Antialiasing);
        const QColor ink(40, 30, 40);
        for (int who = 0; who < 2; ++who) {
            q.save();
            q.translate(cv.w * (who ? 0.6 : 0.4), cv.h * 1.02);
            q.scale(1.0, 2.2);
            q.shear(who ? 0.18 : 0.1, 0);
            if (who)
                figure(q, {0, 0}, cv.h * 0.34,
                       Pose{View::Back, Face::Calm, {40, 6}, {10, 4}, false, false, true, ink, 0});
            else
                person(q, {0, 0}, cv.h * 0.38, ink);
            q.restore();
        }
        // Their hands meet in the shadow between them.
        q.setPen(QPen(ink, 10, Qt::SolidLine, Qt::RoundCap));
        q.drawLine(QPointF(cv.w * 0.44, cv.h * 0.55), QPointF(cv.w * 0.53, cv.h * 0.52));
    }
    p.setOpacity(0.42);
    p.drawImage(QRectF(0, 0, cv.w, cv.h), layer);
    p.setOpacity(1);
    p.setBrush(QColor(200, 110, 50));
    for (int i = 0; i < 10; ++i) {
        p.save();
        p.translate(cv.rng.range(0, cv.w), cv.rng.range(cv.h * 0.5, cv.h));
        p.rotate(cv.rng.range(0, 360));
        p.drawEllipse(QPointF(0, 0), 5, 2.5);
        p.restore();
    }
    glow(p, {cv.w * 0.5, cv.h * 0.1}, cv.w * 0.7, QColor(255, 220, 160, 70));
}

} // namespace

void addSpecials(std::vector<Picture> &out) {
    out.insert(out.end(), {
                              {"t00", 400, 300, Format::Png, t00},
                              {"t01", 400, 300, Format::Bmp8, t01},
                              {"t02", 480, 360, Format::Jpeg, t02},
                              {"t03", 400, 300, Format::Png, t03},
                              {"t04", 400, 300, Format::Bmp8, t04},
                              {"t05", 360, 360, Format::Png, t05},
                              {"t06", 480, 360, Format::Jpeg, t06},
                              {"t07", 480, 360, Format::Gif, t07},
                              {"t08", 400, 300, Format::Bmp8, t08},
                              {"t09", 640, 480, Format::Jpeg, t09},
                              {"t10", 400, 300, Format::Gif, t10},
                              {"t11", 480, 360, Format::Jpeg, t11},
                              {"t12", 400, 300, Format::Bmp8, t12},
                              {"t13", 400, 400, Format::Png, t13},
                              {"t14", 480, 360, Format::Gif, t14},
                              {"t15", 320, 240, Format::Bmp24, t15},
                          });
}

} // namespace pg
