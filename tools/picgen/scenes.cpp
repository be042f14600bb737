// The title, the girl's portrait, the empty card and the scenes that events show.

#include "girl.h"
#include "pictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace pg {

namespace {

using namespace girl;

// Soft out-of-focus discs, as a portrait lens paints the leaves behind her.
void bokeh(QPainter &p, Canvas &cv, int count, std::initializer_list<QColor> colors) {
    p.setPen(Qt::NoPen);
    const int n = int(colors.size());
    for (int i = 0; i < count; ++i) {
        QPointF c(cv.rng.range(0, cv.w), cv.rng.range(0, cv.h));
        double r = cv.rng.range(cv.w * 0.02, cv.w * 0.08);
        QColor col = *(colors.begin() + cv.rng.irange(0, n - 1));
        QRadialGradient g(c, r);
        g.setColorAt(0, alpha(col, 0.35));
        g.setColorAt(0.8, alpha(col, 0.28));
        g.setColorAt(1, alpha(col, 0));
        p.setBrush(g);
        p.drawEllipse(c, r, r);
    }
}

void paintPark(QPainter &p, Canvas &cv, const Light &light, bool people) {
    const double hz = cv.h * 0.5;
    parkBackground(p, cv, hz, light);
    tree(p, cv.rng, {cv.w * 0.1, hz + 8}, cv.h * 0.32, TreeLook{});
    tree(p, cv.rng, {cv.w * 0.62, hz + 4}, cv.h * 0.22, TreeLook{}, 1.2);
    grassTufts(p, cv.rng, QRectF(0, hz + 10, cv.w, cv.h - hz), 120, light.lawnNear.darker(120));
    path(p, cv.w * 0.18, cv.w * 0.72, cv.w * 0.47, cv.w * 0.53, cv.h, hz, light.pathFar,
         light.pathNear);
    flowers(p, cv.rng, QRectF(cv.w * 0.7, cv.h * 0.8, cv.w * 0.3, cv.h * 0.18), 24,
            {QColor(250, 240, 120), QColor(255, 255, 255), QColor(250, 160, 190)}, 3.5);
    fountain(p, {cv.w * 0.36, hz + cv.h * 0.12}, cv.w * 0.22, QColor(200, 196, 190),
             QColor(110, 170, 220));
    bench(p, {cv.w * 0.8, hz + cv.h * 0.2}, cv.w * 0.16, QColor(170, 110, 64), QColor(60, 60, 64));
    streetLamp(p, {cv.w * 0.66, hz + cv.h * 0.15}, cv.h * 0.34, false, QColor(56, 66, 62));
    tree(p, cv.rng, {cv.w * 0.95, hz + cv.h * 0.32}, cv.h * 0.6, TreeLook{});
    if (people) {
        person(p, {cv.w * 0.52, hz + 12}, 26, QColor(90, 80, 110));
        person(p, {cv.w * 0.56, hz + 14}, 18, QColor(200, 90, 80), 0, true);
        person(p, {cv.w * 0.24, hz + 20}, 34, QColor(70, 90, 120));
    }
    pigeon(p, {cv.w * 0.44, cv.h * 0.86}, 16, true, 0.6);
    pigeon(p, {cv.w * 0.54, cv.h * 0.9}, 18, false);
}

void ttl(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.56;
    Light light = morningLight();
    parkBackground(p, cv, hz, light);
    sun(p, {cv.w * 0.78, cv.h * 0.2}, 22, QColor(255, 246, 214), QColor(255, 236, 190));
    lightRays(p, {cv.w * 0.78, cv.h * 0.2}, cv.w * 0.9, 7, 70, QColor(255, 246, 220, 60), 135);
    hills(p, cv.w, hz - 6, 6, 1.3, QColor(110, 160, 110, 160), QColor(110, 160, 110, 0));
    grassTufts(p, cv.rng, QRectF(0, hz + 8, cv.w, cv.h - hz), 140, QColor(60, 120, 50));
    path(p, cv.w * 0.3, cv.w * 0.86, cv.w * 0.5, cv.w * 0.56, cv.h, hz, light.pathFar,
         light.pathNear);
    flowers(p, cv.rng, QRectF(0, cv.h * 0.8, cv.w * 0.32, cv.h * 0.18), 30,
            {QColor(255, 255, 255), QColor(255, 200, 220), QColor(255, 236, 120)}, 4);
    fountain(p, {cv.w * 0.66, hz + cv.h * 0.1}, cv.w * 0.2, QColor(214, 206, 198),
             QColor(120, 180, 226));
    streetLamp(p, {cv.w * 0.84, hz + cv.h * 0.16}, cv.h * 0.3, false, QColor(60, 70, 66));
    bench(p, {cv.w * 0.3, hz + cv.h * 0.14}, cv.w * 0.16, QColor(176, 116, 70), QColor(60, 60, 64));
    // The girl, small, beside the bench: the one to find in this park.
    figure(p, {cv.w * 0.44, hz + cv.h * 0.15}, cv.h * 0.17,
           Pose{View::Front, Face::Smile, {12, 4}, {150, 25}});
    tree(p, cv.rng, {cv.w * 0.98, hz + cv.h * 0.3}, cv.h * 0.5, TreeLook{});
    // A blossoming cherry frames the left side; its petals drift across the title.
    tree(p, cv.rng, {cv.w * 0.08, hz + cv.h * 0.36}, cv.h * 0.78, blossomLook(), 1.1);
    petals(p, cv.rng, QRectF(0, 0, cv.w, cv.h), 70, QColor(250, 190, 210));

    // Camera motif: the viewfinder over the whole picture, a focus mark on her.
    viewfinder(p, QRectF(cv.w * 0.05, cv.h * 0.05, cv.w * 0.9, cv.h * 0.9),
               QColor(255, 255, 255, 210), 3.2);
    p.setPen(QPen(QColor(255, 255, 255, 200), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(cv.w * 0.44 - 22, hz + cv.h * 0.15 - cv.h * 0.2, 44, cv.h * 0.22));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 60, 70));
    p.drawEllipse(QPointF(cv.w * 0.09, cv.h * 0.09), 5, 5);
    text(p, QRectF(cv.w * 0.105, cv.h * 0.065, 200, 24), QStringLiteral("F2.8  1/250"), 15,
         QColor(255, 255, 255, 240), Qt::AlignLeft | Qt::AlignVCenter, QColor(60, 60, 90, 120),
         1.2);
    text(p, QRectF(cv.w * 0.6, cv.h * 0.065, cv.w * 0.33, 24), QStringLiteral("[ 24 ]"), 15,
         QColor(255, 255, 255, 240), Qt::AlignRight | Qt::AlignVCenter, QColor(60, 60, 90, 120),
         1.2);

    // The title: white letters with a rose edge and a soft shadow.
    const QRectF band(0, cv.h * 0.16, cv.w, cv.h * 0.22);
    QLinearGradient veil(band.topLeft(), band.bottomLeft());
    veil.setColorAt(0, QColor(255, 255, 255, 0));
    veil.setColorAt(0.5, QColor(255, 255, 255, 70));
    veil.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(band, veil);
    const QString title = QStringLiteral("ミルテナ");
    text(p, band.translated(4, 5), title, cv.w * 0.19, QColor(90, 40, 70, 90), Qt::AlignCenter,
         QColor(90, 40, 70, 70), 9, true);
    text(p, band, title, cv.w * 0.19, QColor(255, 255, 255), Qt::AlignCenter, QColor(226, 92, 130),
         6, true);
    // A row of small cameras under the title, and the tag line.
    const QRectF tag(0, band.bottom() - 4, cv.w, 34);
    text(p, tag, QStringLiteral("公園で出会う、一枚の物語"), cv.w * 0.045, QColor(255, 255, 255),
         Qt::AlignCenter, QColor(150, 70, 100, 200), 2.5);
    const double iw = 26;
    const double tagHalf = QFontMetricsF(japaneseFont(cv.w * 0.045))
                               .horizontalAdvance(QStringLiteral("公園で出会う、一枚の物語")) /
                           2;
    cameraIcon(p,
               QRectF(cv.w * 0.5 - tagHalf - iw - 10, tag.center().y() - iw * 0.4, iw, iw * 0.72),
               QColor(250, 250, 250), QColor(90, 130, 190));
}

void portraitScene(QPainter &p, Canvas &cv, Stops back, std::initializer_list<QColor> blur,
                   const Portrait &look) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h), back);
    bokeh(p, cv, 26, blur);
    portrait(p, QRectF(0, cv.h * 0.06, cv.w, cv.h * 0.94), look);
}

void girlPortrait(QPainter &p, Canvas &cv) {
    portraitScene(
        p, cv,
        {{0, QColor(170, 214, 244)}, {0.55, QColor(200, 230, 190)}, {1, QColor(110, 170, 96)}},
        {QColor(255, 255, 255), QColor(190, 230, 150), QColor(255, 220, 230)},
        Portrait{Face::Smile, true});
    petals(p, cv.rng, QRectF(0, 0, cv.w, cv.h * 0.5), 10, QColor(250, 190, 210));
}

void girlSmile(QPainter &p, Canvas &cv) {
    portraitScene(
        p, cv,
        {{0, QColor(255, 226, 170)}, {0.6, QColor(255, 200, 190)}, {1, QColor(240, 160, 150)}},
        {QColor(255, 255, 230), QColor(255, 200, 140), QColor(255, 170, 190)},
        Portrait{Face::Laugh, false, false, false, -4});
    glow(p, {cv.w * 0.85, cv.h * 0.1}, cv.w * 0.4, QColor(255, 250, 220, 120));
}

void girlSad(QPainter &p, Canvas &cv) {
    portraitScene(
        p, cv, {{0, QColor(70, 84, 120)}, {0.6, QColor(120, 130, 160)}, {1, QColor(90, 96, 120)}},
        {QColor(180, 190, 220), QColor(140, 150, 190), QColor(220, 200, 210)},
        Portrait{Face::Sad, false, true, true, 5});
    rain(p, cv.rng, QRectF(0, 0, cv.w, cv.h), 90, QColor(220, 230, 255));
    vignette(p, cv, 0.45);
}

void dmy(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(214, 214, 218)}, {1, QColor(176, 176, 184)}});
    const QRectF card(cv.w * 0.08, cv.h * 0.1, cv.w * 0.84, cv.h * 0.8);
    p.setPen(QPen(QColor(140, 140, 150), 3, Qt::DashLine));
    p.setBrush(QColor(236, 236, 240));
    p.drawRoundedRect(card, 18, 18);
    const double iw = cv.w * 0.26;
    cameraIcon(p, QRectF(cv.w / 2 - iw / 2, cv.h * 0.22, iw, iw * 0.72), QColor(130, 130, 140),
               QColor(0, 0, 0), true);
    p.setPen(QPen(QColor(200, 110, 110), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cv.w / 2 - iw * 0.62, cv.h * 0.2),
               QPointF(cv.w / 2 + iw * 0.62, cv.h * 0.22 + iw * 0.8));
    text(p, QRectF(0, cv.h * 0.58, cv.w, cv.h * 0.14), QStringLiteral("NO PICTURE"), cv.h * 0.11,
         QColor(110, 110, 120), Qt::AlignCenter, Qt::transparent, 0, true);
    text(p, QRectF(0, cv.h * 0.72, cv.w, cv.h * 0.1), QStringLiteral("写真はありません"),
         cv.h * 0.06, QColor(130, 130, 140));
}

void park(QPainter &p, Canvas &cv) {
    paintPark(p, cv, dayLight(), true);
    sun(p, {cv.w * 0.86, cv.h * 0.1}, 18, QColor(255, 250, 226), QColor(255, 246, 210));
}

// A room: back wall down to `floorY`, then a plank floor running away from us.
void room(QPainter &p, Canvas &cv, double floorY, const QColor &wall, const QColor &floor) {
    skyGradient(p, QRectF(0, 0, cv.w, floorY), {{0, wall.darker(108)}, {1, wall}});
    skyGradient(p, QRectF(0, floorY, cv.w, cv.h - floorY),
                {{0, floor.darker(115)}, {1, floor.lighter(108)}});
    p.setPen(QPen(alpha(floor.darker(140), 0.5), 1));
    const double vx = cv.w / 2;
    for (int i = -12; i <= 12; ++i)
        p.drawLine(QPointF(vx + i * cv.w * 0.035, floorY), QPointF(vx + i * cv.w * 0.14, cv.h));
    p.setPen(Qt::NoPen);
    p.setBrush(wall.darker(135));
    p.drawRect(QRectF(0, floorY - 4, cv.w, 5));
}

// A window onto some sky, with a white frame and a cross bar.
void window(QPainter &p, Canvas &cv, const QRectF &r, const Light &light, bool trees = true) {
    p.save();
    p.setClipRect(r);
    skyGradient(p, r, {{0, light.skyTop}, {1, light.skyBottom}});
    cloud(p, cv.rng, r.center() + QPointF(-r.width() * 0.2, -r.height() * 0.2), r.width() * 0.4,
          light.cloud, light.cloudShade);
    if (trees)
        treeLine(p, cv.rng, r.bottom(), cv.w, r.height() * 0.35, light.farTrees);
    p.restore();
    p.setPen(QPen(QColor(246, 244, 238), r.width() * 0.035));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    p.setPen(Qt::NoPen);
}

void school(QPainter &p, Canvas &cv) {
    const double fy = cv.h * 0.6;
    room(p, cv, fy, QColor(234, 228, 206), QColor(184, 142, 98));
    const Light day = dayLight();
    for (int i = 0; i < 2; ++i)
        window(p, cv, QRectF(cv.w * (0.03 + i * 0.15), cv.h * 0.1, cv.w * 0.13, cv.h * 0.38), day);
    // Sunlight from the windows falls across the floor.
    p.setBrush(QColor(255, 246, 210, 60));
    QPolygonF beam;
    beam << QPointF(cv.w * 0.03, fy) << QPointF(cv.w * 0.31, fy) << QPointF(cv.w * 0.55, cv.h)
         << QPointF(cv.w * 0.05, cv.h);
    p.drawPolygon(beam);
    // Blackboard with today's lesson.
    const QRectF board(cv.w * 0.38, cv.h * 0.1, cv.w * 0.56, cv.h * 0.34);
    p.setBrush(QColor(150, 110, 70));
    p.drawRect(board.adjusted(-7, -7, 7, 7));
    skyGradient(p, board, {{0, QColor(40, 84, 64)}, {1, QColor(30, 66, 50)}});
    const QColor chalk(240, 240, 230, 220);
    text(p, board.adjusted(14, 10, 0, 0), QStringLiteral("写真の基本"), 22, chalk,
         Qt::AlignLeft | Qt::AlignTop);
    text(p, board.adjusted(14, 48, 0, 0), QStringLiteral("・しぼり（F値）"), 15, chalk,
         Qt::AlignLeft | Qt::AlignTop);
    text(p, board.adjusted(14, 72, 0, 0), QStringLiteral("・シャッター速度"), 15, chalk,
         Qt::AlignLeft | Qt::AlignTop);
    text(p, board.adjusted(14, 96, 0, 0), QStringLiteral("・ISO感度"), 15, chalk,
         Qt::AlignLeft | Qt::AlignTop);
    cameraIcon(p, QRectF(board.right() - 110, board.top() + 40, 80, 56), chalk, chalk, true);
    p.setBrush(QColor(120, 84, 54));
    p.drawRect(QRectF(board.left(), board.bottom() + 7, board.width(), 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(board.left() + 30, board.bottom() + 4, 14, 4));
    // Clock over the windows.
    const QPointF clk(cv.w * 0.3, cv.h * 0.06 + 12);
    p.setBrush(QColor(250, 250, 250));
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.drawEllipse(clk, 15, 15);
    p.drawLine(clk, clk + QPointF(0, -10));
    p.drawLine(clk, clk + QPointF(7, 3));
    p.setPen(Qt::NoPen);
    // Teacher's desk, a camera on its tripod.
    p.setBrush(QColor(150, 104, 66));
    p.drawRect(QRectF(cv.w * 0.5, cv.h * 0.47, cv.w * 0.26, cv.h * 0.15));
    p.setBrush(QColor(176, 128, 84));
    p.drawRect(QRectF(cv.w * 0.49, cv.h * 0.45, cv.w * 0.28, cv.h * 0.03));
    p.setPen(QPen(QColor(50, 50, 54), 3));
    const QPointF tri(cv.w * 0.86, cv.h * 0.42);
    for (double dx : {-30.0, 0.0, 26.0})
        p.drawLine(tri, QPointF(tri.x() + dx, cv.h * 0.68));
    p.setPen(Qt::NoPen);
    cameraIcon(p, QRectF(tri.x() - 20, tri.y() - 28, 40, 28), QColor(40, 40, 46),
               QColor(80, 110, 160));
    // Pupils' desks, nearer ones larger.
    for (int row = 0; row < 3; ++row) {
        const double y = cv.h * (0.72 + row * 0.12), s = 0.75 + row * 0.3;
        for (int col = 0; col < 4; ++col) {
            const double x = cv.w * (0.14 + col * 0.24) + (col - 1.5) * row * 18;
            const double dw = 70 * s, dh = 12 * s;
            p.setBrush(QColor(60, 60, 66));
            p.drawRect(QRectF(x - dw * 0.42, y, 3 * s, 30 * s));
            p.drawRect(QRectF(x + dw * 0.42 - 3 * s, y, 3 * s, 30 * s));
            QPolygonF top;
            top << QPointF(x - dw * 0.45, y - dh) << QPointF(x + dw * 0.45, y - dh)
                << QPointF(x + dw * 0.5, y) << QPointF(x - dw * 0.5, y);
            p.setBrush(QColor(226, 196, 150));
            p.drawPolygon(top);
            p.setBrush(QColor(180, 150, 110));
            p.drawRect(QRectF(x - dw * 0.5, y, dw, 3 * s));
            if ((row + col) % 2 == 0)
                cameraIcon(p, QRectF(x - 10 * s, y - dh - 8 * s, 20 * s, 14 * s),
                           QColor(36, 36, 40), QColor(90, 120, 170));
        }
    }
    vignette(p, cv, 0.2);
}

void office(QPainter &p, Canvas &cv) {
    const double fy = cv.h * 0.56;
    skyGradient(p, QRectF(0, 0, cv.w, fy),
                {{0, QColor(210, 214, 220)}, {1, QColor(196, 200, 208)}});
    // Window band with the city outside.
    const QRectF win(0, cv.h * 0.12, cv.w, cv.h * 0.34);
    p.save();
    p.setClipRect(win);
    skyGradient(p, win, {{0, QColor(120, 170, 226)}, {1, QColor(210, 228, 244)}});
    skyline(p, cv.rng, win.bottom(), cv.w, win.height() * 0.8, QColor(150, 164, 186),
            QColor(220, 232, 244), 0.3);
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 96, 106));
    for (double x = 0; x <= cv.w; x += cv.w / 6)
        p.drawRect(QRectF(x - 3, win.top(), 6, win.height()));
    p.drawRect(QRectF(0, win.top() - 3, cv.w, 6));
    p.drawRect(QRectF(0, win.bottom() - 3, cv.w, 6));
    // Ceiling lights.
    p.setBrush(QColor(236, 238, 240));
    p.drawRect(QRectF(0, 0, cv.w, cv.h * 0.08));
    for (int i = 0; i < 4; ++i) {
        QRectF l(cv.w * (0.06 + i * 0.24), cv.h * 0.025, cv.w * 0.16, cv.h * 0.03);
        glow(p, l.center(), cv.w * 0.12, QColor(255, 255, 255, 120));
        p.setBrush(QColor(255, 255, 250));
        p.drawRoundedRect(l, 3, 3);
    }
    skyGradient(p, QRectF(0, fy, cv.w, cv.h - fy),
                {{0, QColor(112, 122, 140)}, {1, QColor(80, 88, 104)}});
    // Two rows of desks with screens and low partitions.
    for (int row = 0; row < 2; ++row) {
        const double y = cv.h * (0.64 + row * 0.22), s = 0.8 + row * 0.4;
        for (int col = 0; col < 4; ++col) {
            const double x = cv.w * (0.13 + col * 0.25);
            p.setBrush(QColor(150, 168, 160));
            p.drawRect(QRectF(x - 58 * s, y - 44 * s, 116 * s, 34 * s));
            p.setBrush(QColor(230, 232, 234));
            p.drawRect(QRectF(x - 62 * s, y - 12 * s, 124 * s, 8 * s));
            p.setBrush(QColor(60, 62, 70));
            p.drawRect(QRectF(x - 60 * s, y - 4 * s, 4 * s, 26 * s));
            p.drawRect(QRectF(x + 56 * s, y - 4 * s, 4 * s, 26 * s));
            const QRectF scr(x - 26 * s, y - 44 * s, 40 * s, 28 * s);
            p.setBrush(QColor(40, 42, 50));
            p.drawRect(scr.adjusted(-2 * s, -2 * s, 2 * s, 2 * s));
            p.drawRect(QRectF(x - 8 * s, y - 16 * s, 4 * s, 5 * s));
            skyGradient(p, scr, {{0, QColor(120, 180, 240)}, {1, QColor(60, 110, 190)}});
            p.setBrush(QColor(255, 255, 255, 150));
            for (int k = 0; k < 3; ++k)
                p.drawRect(QRectF(scr.left() + 4 * s, scr.top() + (5 + k * 7) * s, (26 - k * 6) * s,
                                  2 * s));
            p.setBrush(QColor(250, 250, 250));
            p.drawRect(QRectF(x + 22 * s, y - 16 * s, 20 * s, 5 * s));
            if ((row + col) % 3 == 1)
                person(p, {x + 34 * s, y - 4 * s}, 60 * s, QColor(60, 64, 84));
        }
    }
    // A potted plant by the window.
    p.setBrush(QColor(180, 120, 80));
    p.drawRect(QRectF(cv.w * 0.9, cv.h * 0.5, 30, 26));
    bush(p, cv.rng, {cv.w * 0.9 + 15, cv.h * 0.5}, 60, TreeLook{});
    vignette(p, cv, 0.18);
}

void home(QPainter &p, Canvas &cv) {
    const double fy = cv.h * 0.68;
    room(p, cv, fy, QColor(238, 222, 196), QColor(170, 122, 82));
    // Faint wallpaper stripes.
    p.setBrush(QColor(255, 255, 255, 30));
    for (double x = 0; x < cv.w; x += 28)
        p.drawRect(QRectF(x, 0, 10, fy));
    const QRectF win(cv.w * 0.34, cv.h * 0.1, cv.w * 0.3, cv.h * 0.34);
    window(p, cv, win, sunsetLight(), false);
    p.save();
    p.setClipRect(win);
    for (int i = 0; i < 4; ++i)
        house(p, QRectF(win.left() + i * 50 - 10, win.bottom() - 22, 40, 24), QColor(70, 56, 74),
              QColor(50, 40, 56), QColor(255, 210, 140));
    p.restore();
    // Curtains.
    for (int side : {-1, 1}) {
        const double x = side < 0 ? win.left() - 26 : win.right() - 8;
        QLinearGradient g(x, 0, x + 34, 0);
        g.setColorAt(0, QColor(150, 186, 214));
        g.setColorAt(0.5, QColor(190, 216, 236));
        g.setColorAt(1, QColor(140, 176, 206));
        p.setBrush(g);
        p.drawRect(QRectF(x, win.top() - 10, 34, win.height() + 30));
    }
    p.setBrush(QColor(120, 90, 70));
    p.drawRect(QRectF(win.left() - 34, win.top() - 14, win.width() + 68, 5));
    // Pinned photos above the desk.
    const QColor shots[] = {QColor(120, 180, 230), QColor(250, 190, 210), QColor(120, 190, 110),
                            QColor(250, 170, 90)};
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(cv.w * (0.06 + i * 0.065), cv.h * (0.2 + (i % 2) * 0.08));
        p.rotate(-6 + i * 5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(-14, -11, 28, 24));
        p.setBrush(shots[i]);
        p.drawRect(QRectF(-11, -8, 22, 15));
        p.setBrush(QColor(220, 50, 50));
        p.drawEllipse(QPointF(0, -10), 2, 2);
        p.restore();
    }
    // Desk with a lamp, books and the camera.
    const double dy = cv.h * 0.56;
    p.setBrush(QColor(130, 88, 56));
    p.drawRect(QRectF(cv.w * 0.02, dy, cv.w * 0.34, 8));
    p.drawRect(QRectF(cv.w * 0.04, dy + 8, 6, cv.h * 0.26));
    p.drawRect(QRectF(cv.w * 0.32, dy + 8, 6, cv.h * 0.26));
    p.setBrush(QColor(150, 104, 68));
    p.drawRect(QRectF(cv.w * 0.2, dy + 8, cv.w * 0.12, cv.h * 0.12));
    glow(p, {cv.w * 0.1, dy - 30}, 70, QColor(255, 220, 150, 140));
    p.setBrush(QColor(70, 80, 90));
    p.drawRect(QRectF(cv.w * 0.08, dy - 4, 18, 4));
    p.setPen(QPen(QColor(70, 80, 90), 3));
    p.drawLine(QPointF(cv.w * 0.08 + 9, dy - 4), QPointF(cv.w * 0.08 + 20, dy - 36));
    p.setPen(Qt::NoPen);
    QPolygonF shade;
    shade << QPointF(cv.w * 0.08 + 6, dy - 46) << QPointF(cv.w * 0.08 + 30, dy - 36)
          << QPointF(cv.w * 0.08 + 22, dy - 24) << QPointF(cv.w * 0.08 - 4, dy - 34);
    p.setBrush(QColor(240, 200, 120));
    p.drawPolygon(shade);
    const QColor books[] = {QColor(180, 60, 60), QColor(60, 100, 160), QColor(220, 190, 90)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(books[i]);
        p.drawRect(QRectF(cv.w * 0.27 - i * 2, dy - 7 - i * 7, 40, 7));
    }
    cameraIcon(p, QRectF(cv.w * 0.16, dy - 18, 26, 18), QColor(40, 40, 44), QColor(90, 120, 170));
    // Bed along the right wall.
    const QRectF bed(cv.w * 0.66, cv.h * 0.56, cv.w * 0.36, cv.h * 0.3);
    p.setBrush(QColor(120, 84, 56));
    p.drawRect(QRectF(bed.left(), bed.top() - 30, 10, bed.height() + 30));
    p.drawRect(QRectF(bed.left(), bed.bottom() - 14, bed.width(), 14));
    p.setBrush(QColor(250, 250, 246));
    p.drawRoundedRect(QRectF(bed.left() + 10, bed.top(), bed.width(), bed.height() * 0.45), 6, 6);
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(bed.left() + 14, bed.top() - 8, 50, 18), 8, 8);
    QLinearGradient bg(bed.topLeft(), bed.bottomLeft());
    bg.setColorAt(0, QColor(110, 170, 170));
    bg.setColorAt(1, QColor(70, 130, 136));
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(bed.left() + 56, bed.top() + 6, bed.width(), bed.height() * 0.7), 8,
                      8);
    // A round rug.
    p.setBrush(QColor(214, 160, 130));
    p.drawEllipse(QPointF(cv.w * 0.48, cv.h * 0.88), cv.w * 0.17, cv.h * 0.07);
    p.setBrush(QColor(236, 190, 160));
    p.drawEllipse(QPointF(cv.w * 0.48, cv.h * 0.88), cv.w * 0.12, cv.h * 0.045);
    vignette(p, cv, 0.25);
}

void riverbank(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.5;
    const Light l = sunsetLight();
    skyGradient(p, QRectF(0, 0, cv.w, hz), {{0, l.skyTop}, {0.6, l.skyMid}, {1, l.skyBottom}});
    for (int i = 0; i < 3; ++i)
        cloud(p, cv.rng, {cv.rng.range(0, cv.w), cv.rng.range(cv.h * 0.1, cv.h * 0.32)},
              cv.rng.range(120, 200), QColor(255, 170, 150, 200), QColor(150, 80, 120, 200));
    const QPointF sunAt(cv.w * 0.6, hz - 58);
    sun(p, sunAt, 26, QColor(255, 200, 110), QColor(255, 170, 90));
    skyline(p, cv.rng, hz, cv.w, cv.h * 0.12, QColor(80, 56, 86), QColor(255, 200, 120), 0.15);
    // The river holds the sky upside down, and a road of light under the sun.
    skyGradient(p, QRectF(0, hz, cv.w, cv.h * 0.26),
                {{0, QColor(240, 150, 110)}, {1, QColor(90, 60, 110)}});
    for (int i = 0; i < 70; ++i) {
        double y = hz + 3 + cv.rng.uni() * cv.h * 0.24;
        double spread = 10 + (y - hz) * 0.5;
        double x = sunAt.x() + cv.rng.range(-spread, spread);
        double len = cv.rng.range(6, 26);
        p.setPen(QPen(QColor(255, 220, 140, int(cv.rng.range(100, 230))), 2, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(QPointF(x - len / 2, y), QPointF(x + len / 2, y));
    }
    for (int i = 0; i < 40; ++i) {
        double y = hz + 6 + cv.rng.uni() * cv.h * 0.24, x = cv.rng.range(0, cv.w);
        p.setPen(QPen(QColor(60, 40, 80, 110), 1.5));
        p.drawLine(QPointF(x, y), QPointF(x + cv.rng.range(10, 40), y));
    }
    // An iron bridge on the right.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 36, 56));
    const double by = hz - 30;
    p.drawRect(QRectF(cv.w * 0.72, by, cv.w * 0.3, 6));
    for (double x : {0.74, 0.9})
        p.drawRect(QRectF(cv.w * x, by, 10, hz - by + 14));
    p.setPen(QPen(QColor(50, 36, 56), 2.5));
    for (int k = 0; k < 9; ++k) {
        double x0 = cv.w * 0.72 + k * 24;
        p.drawLine(QPointF(x0, by), QPointF(x0 + 12, by - 18));
        p.drawLine(QPointF(x0 + 12, by - 18), QPointF(x0 + 24, by));
    }
    p.drawLine(QPointF(cv.w * 0.72, by - 18), QPointF(cv.w, by - 18));
    // The near bank: a grassy slope with pampas grass against the light.
    p.setPen(Qt::NoPen);
    QPainterPath bank;
    bank.moveTo(0, cv.h * 0.74);
    bank.cubicTo(cv.w * 0.3, cv.h * 0.72, cv.w * 0.6, cv.h * 0.8, cv.w, cv.h * 0.76);
    bank.lineTo(cv.w, cv.h);
    bank.lineTo(0, cv.h);
    bank.closeSubpath();
    QLinearGradient bg(0, cv.h * 0.72, 0, cv.h);
    bg.setColorAt(0, QColor(120, 90, 60));
    bg.setColorAt(1, QColor(50, 40, 36));
    p.setBrush(bg);
    p.drawPath(bank);
    grassTufts(p, cv.rng, QRectF(0, cv.h * 0.76, cv.w, cv.h * 0.24), 120, QColor(40, 30, 26), 9);
    for (int i = 0; i < 14; ++i) {
        const double x = cv.w * (0.02 + i * 0.025) + cv.rng.range(-6, 6);
        const QPointF b(x, cv.h), tip(x + cv.rng.range(8, 30), cv.h * cv.rng.range(0.58, 0.7));
        QPainterPath stem;
        stem.moveTo(b);
        stem.quadTo(QPointF(x, cv.h * 0.75), tip);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(40, 30, 30), 1.5));
        p.drawPath(stem);
        p.setPen(QPen(QColor(230, 180, 120, 220), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(tip, tip + QPointF(-5, 16));
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i)
        bird(p, {cv.w * (0.3 + i * 0.05), cv.h * (0.18 + (i % 2) * 0.04)}, 7, QColor(60, 40, 70),
             (i % 2) * 0.3);
    person(p, {cv.w * 0.82, cv.h * 0.77}, 44, QColor(40, 30, 40));
    person(p, {cv.w * 0.86, cv.h * 0.775}, 40, QColor(40, 30, 40), 0, true);
}

void umbrellaPerson(QPainter &p, QPointF base, double h, const QColor &umbrella) {
    person(p, base, h, QColor(40, 44, 56));
    const QPointF top = base + QPointF(h * 0.1, -h * 1.12);
    p.setPen(QPen(QColor(30, 30, 30), h * 0.02));
    p.drawLine(top, top + QPointF(-h * 0.08, h * 0.55));
    p.setPen(Qt::NoPen);
    QPainterPath dome;
    dome.moveTo(top + QPointF(-h * 0.4, h * 0.15));
    dome.quadTo(top + QPointF(0, -h * 0.2), top + QPointF(h * 0.4, h * 0.15));
    for (int k = 3; k >= 0; --k)
        dome.quadTo(top + QPointF(h * (-0.3 + k * 0.2) + h * 0.1, h * 0.08),
                    top + QPointF(h * (-0.4 + k * 0.2), h * 0.15));
    QLinearGradient g(top + QPointF(-h * 0.4, 0), top + QPointF(h * 0.4, 0));
    g.setColorAt(0, umbrella.lighter(120));
    g.setColorAt(1, umbrella.darker(130));
    p.setBrush(g);
    p.drawPath(dome);
}

void rainScene(QPainter &p, Canvas &cv) {
    const QPointF vp(cv.w * 0.5, cv.h * 0.46);
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(100, 108, 122)},
                 {0.46, QColor(160, 166, 176)},
                 {0.47, QColor(90, 94, 104)},
                 {1, QColor(50, 54, 64)}});
    // Far buildings in the mist.
    skyline(p, cv.rng, vp.y(), cv.w, cv.h * 0.2, QColor(130, 136, 148), QColor(220, 210, 170), 0.2);
    // Street walls on either side, in perspective.
    for (int side : {-1, 1}) {
        const double edge = side < 0 ? 0 : cv.w;
        const double inner = vp.x() + side * cv.w * 0.14;
        QPolygonF wall;
        wall << QPointF(edge, -10) << QPointF(inner, vp.y() - cv.h * 0.22)
             << QPointF(inner, vp.y() + 8) << QPointF(edge, cv.h * 0.82);
        p.setBrush(side < 0 ? QColor(110, 100, 96) : QColor(96, 98, 110));
        p.drawPolygon(wall);
        // Shop windows and signs along the wall.
        for (int k = 0; k < 4; ++k) {
            double t0 = k * 0.24, t1 = t0 + 0.16;
            auto at = [&](double t, double f) {
                double x = edge + (inner - edge) * t;
                double top = -10 + (vp.y() - cv.h * 0.22 + 10) * t;
                double bot = cv.h * 0.82 + (vp.y() + 8 - cv.h * 0.82) * t;
                return QPointF(x, top + (bot - top) * f);
            };
            QPolygonF shop;
            shop << at(t0, 0.62) << at(t1, 0.62) << at(t1, 0.92) << at(t0, 0.92);
            p.setBrush(QColor(255, 214, 150, 220));
            p.drawPolygon(shop);
            QPolygonF sign;
            sign << at(t0, 0.5) << at(t1, 0.5) << at(t1, 0.56) << at(t0, 0.56);
            const QColor signs[] = {QColor(230, 80, 90), QColor(90, 180, 220), QColor(250, 200, 80),
                                    QColor(140, 220, 140)};
            p.setBrush(signs[(k + (side > 0)) % 4]);
            p.drawPolygon(sign);
            glow(p, (sign[0] + sign[2]) / 2, 30 * (1 - t0 * 0.7),
                 alpha(signs[(k + (side > 0)) % 4], 0.4));
            for (double f : {0.1, 0.25, 0.38}) {
                QPolygonF w;
                w << at(t0 + 0.02, f) << at(t1 - 0.02, f) << at(t1 - 0.02, f + 0.07)
                  << at(t0 + 0.02, f + 0.07);
                p.setBrush(cv.rng.uni() < 0.5 ? QColor(255, 226, 170, 200) : QColor(70, 74, 86));
                p.drawPolygon(w);
            }
        }
    }
    // The wet road shines with long reflections.
    QPolygonF road;
    road << QPointF(vp.x() - cv.w * 0.14, vp.y() + 8) << QPointF(vp.x() + cv.w * 0.14, vp.y() + 8)
         << QPointF(cv.w * 1.1, cv.h) << QPointF(-cv.w * 0.1, cv.h);
    QLinearGradient rg(0, vp.y(), 0, cv.h);
    rg.setColorAt(0, QColor(110, 114, 124));
    rg.setColorAt(1, QColor(46, 50, 60));
    p.setBrush(rg);
    p.drawPolygon(road);
    const QColor refl[] = {QColor(255, 200, 130), QColor(230, 90, 100), QColor(120, 190, 230)};
    for (int i = 0; i < 14; ++i) {
        double x = cv.rng.range(cv.w * 0.1, cv.w * 0.9), y = cv.rng.range(cv.h * 0.6, cv.h * 0.8);
        QLinearGradient g(x, y, x, y + 80);
        g.setColorAt(0, alpha(refl[i % 3], 0.5));
        g.setColorAt(1, alpha(refl[i % 3], 0));
        p.setBrush(g);
        p.drawRect(QRectF(x - 3, y, 6, 80));
    }
    p.setPen(QPen(QColor(240, 240, 240, 160), 3));
    for (double t = 0.1; t < 1; t += 0.2) {
        double y0 = vp.y() + 8 + (cv.h - vp.y()) * t * t,
               y1 = vp.y() + 8 + (cv.h - vp.y()) * (t + 0.08) * (t + 0.08);
        p.drawLine(QPointF(vp.x(), y0), QPointF(vp.x(), y1));
    }
    p.setPen(Qt::NoPen);
    streetLamp(p, {cv.w * 0.2, cv.h * 0.82}, cv.h * 0.5, true, QColor(40, 40, 46));
    streetLamp(p, {cv.w * 0.74, cv.h * 0.66}, cv.h * 0.3, true, QColor(40, 40, 46));
    umbrellaPerson(p, {cv.w * 0.34, cv.h * 0.9}, cv.h * 0.3, QColor(220, 60, 70));
    umbrellaPerson(p, {cv.w * 0.62, cv.h * 0.72}, cv.h * 0.16, QColor(70, 120, 200));
    umbrellaPerson(p, {cv.w * 0.55, cv.h * 0.62}, cv.h * 0.09, QColor(240, 200, 70));
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(200, 206, 216, 40)},
                 {0.5, QColor(200, 206, 216, 70)},
                 {1, QColor(200, 206, 216, 0)}});
    rain(p, cv.rng, QRectF(0, -20, cv.w, cv.h), 420, QColor(230, 236, 250));
    p.setPen(QPen(QColor(230, 236, 250, 120), 1));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 40; ++i) {
        QPointF c(cv.rng.range(0, cv.w), cv.rng.range(cv.h * 0.75, cv.h));
        p.drawEllipse(c, 5, 1.5);
    }
}

void station(QPainter &p, Canvas &cv) {
    const Light l = morningLight();
    const double hz = cv.h * 0.45;
    skyGradient(p, QRectF(0, 0, cv.w, hz), {{0, l.skyTop}, {1, l.skyBottom}});
    cloud(p, cv.rng, {cv.w * 0.7, cv.h * 0.12}, 140, l.cloud, l.cloudShade);
    hills(p, cv.w, hz - 10, 12, 0.7, QColor(110, 150, 120), QColor(90, 130, 100));
    for (int i = 0; i < 6; ++i)
        house(p, QRectF(cv.w * (0.05 + i * 0.16), hz - 20, 40, 24), QColor(236, 226, 210),
              i % 2 ? QColor(150, 70, 60) : QColor(70, 90, 120), QColor(120, 150, 180));
    // Far platform: its roof on pillars, a bench and the name board.
    const double py = cv.h * 0.6;
    p.setBrush(QColor(180, 176, 168));
    p.drawRect(QRectF(0, py - 10, cv.w, 16));
    p.setBrush(QColor(120, 116, 110));
    p.drawRect(QRectF(0, py + 6, cv.w, 8));
    p.setBrush(QColor(110, 120, 130));
    for (double x = 0.08; x < 1; x += 0.28)
        p.drawRect(QRectF(cv.w * x, cv.h * 0.2, 6, py - cv.h * 0.2 - 10));
    QPolygonF roof;
    roof << QPointF(-10, cv.h * 0.17) << QPointF(cv.w + 10, cv.h * 0.17)
         << QPointF(cv.w + 10, cv.h * 0.21) << QPointF(-10, cv.h * 0.23);
    p.setBrush(QColor(90, 110, 130));
    p.drawPolygon(roof);
    bench(p, {cv.w * 0.22, py - 10}, 70, QColor(90, 140, 190), QColor(80, 80, 86));
    const QRectF sign(cv.w * 0.42, cv.h * 0.28, cv.w * 0.34, cv.h * 0.14);
    p.setBrush(QColor(80, 80, 86));
    p.drawRect(QRectF(sign.left() + 10, sign.bottom(), 4, py - sign.bottom() - 10));
    p.drawRect(QRectF(sign.right() - 14, sign.bottom(), 4, py - sign.bottom() - 10));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(sign);
    p.setBrush(QColor(40, 120, 90));
    p.drawRect(QRectF(sign.left(), sign.bottom() - sign.height() * 0.3, sign.width(),
                      sign.height() * 0.14));
    text(p, QRectF(sign.left(), sign.top() + 2, sign.width(), sign.height() * 0.45),
         QStringLiteral("みどり公園前"), sign.height() * 0.32, QColor(30, 30, 36), Qt::AlignCenter,
         Qt::transparent, 0, true);
    text(p,
         QRectF(sign.left() + 4, sign.bottom() - sign.height() * 0.17, sign.width() - 8,
                sign.height() * 0.17),
         QStringLiteral("← かわべ　　　えきまえ →"), sign.height() * 0.13, QColor(60, 60, 66),
         Qt::AlignCenter);
    // Tracks: sleepers and two pairs of rails.
    skyGradient(p, QRectF(0, py + 14, cv.w, cv.h * 0.2),
                {{0, QColor(130, 120, 110)}, {1, QColor(150, 140, 128)}});
    for (double y : {py + 30, py + 62}) {
        p.setBrush(QColor(96, 80, 66));
        for (double x = -10; x < cv.w + 10; x += 16)
            p.drawRect(QRectF(x, y - 3, 9, 14));
        p.setBrush(QColor(200, 200, 206));
        p.drawRect(QRectF(0, y - 2, cv.w, 2.5));
        p.drawRect(QRectF(0, y + 8, cv.w, 2.5));
    }
    // Overhead wires.
    p.setPen(QPen(QColor(60, 60, 66), 1.2));
    p.drawLine(QPointF(0, cv.h * 0.08), QPointF(cv.w, cv.h * 0.1));
    p.drawLine(QPointF(0, cv.h * 0.12), QPointF(cv.w, cv.h * 0.13));
    p.setPen(Qt::NoPen);
    // Our platform, nearest, with its yellow line.
    const double ny = cv.h * 0.84;
    skyGradient(p, QRectF(0, ny, cv.w, cv.h - ny),
                {{0, QColor(196, 192, 184)}, {1, QColor(160, 156, 150)}});
    p.setBrush(QColor(240, 200, 40));
    p.drawRect(QRectF(0, ny + 10, cv.w, 9));
    p.setBrush(QColor(220, 180, 30));
    for (double x = 4; x < cv.w; x += 12)
        p.drawEllipse(QPointF(x, ny + 14.5), 2, 2);
    p.setBrush(QColor(110, 106, 100));
    p.drawRect(QRectF(0, ny, cv.w, 4));
    glow(p, {cv.w * 0.9, cv.h * 0.1}, cv.w * 0.35, QColor(255, 240, 210, 70));
}

void festival(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h),
                {{0, QColor(10, 12, 40)},
                 {0.5, QColor(50, 30, 80)},
                 {0.6, QColor(40, 24, 50)},
                 {1, QColor(30, 20, 30)}});
    stars(p, cv.rng, QRectF(0, 0, cv.w, cv.h * 0.3), 50);
    // A firework opening above the trees.
    const QPointF fw(cv.w * 0.76, cv.h * 0.16);
    glow(p, fw, 90, QColor(255, 180, 120, 60));
    for (int i = 0; i < 36; ++i) {
        const double a = i * 10 * 3.14159 / 180;
        for (int k = 2; k <= 6; ++k) {
            QPointF d = fw + QPointF(std::cos(a), std::sin(a) + 0.02 * k * k) * (k * 12);
            p.setBrush(QColor(255, 200 - k * 15, 120 + k * 10, 255 - k * 30));
            p.drawEllipse(d, 2.2 - k * 0.2, 2.2 - k * 0.2);
        }
    }
    treeLine(p, cv.rng, cv.h * 0.5, cv.w, cv.h * 0.12, QColor(20, 16, 30));
    // Stalls along the back.
    const char16_t *names[] = {u"わたあめ", u"きんぎょ", u"たこやき", u"かきごおり"};
    const QColor awn[] = {QColor(220, 50, 60), QColor(60, 120, 200), QColor(220, 50, 60),
                          QColor(60, 160, 120)};
    for (int i = 0; i < 4; ++i) {
        const double x = cv.w * (0.02 + i * 0.25), w = cv.w * 0.22, top = cv.h * 0.42;
        glow(p, {x + w / 2, top + 60}, 110, QColor(255, 200, 120, 90));
        p.setBrush(QColor(255, 220, 160));
        p.drawRect(QRectF(x + 6, top + 30, w - 12, 70));
        // The stall keeper and the goods hung inside.
        person(p, {x + w * 0.6, top + 120}, 80, QColor(90, 56, 40));
        for (int k = 0; k < 4; ++k) {
            p.setBrush(QColor::fromHsv((i * 70 + k * 40) % 360, 120, 250));
            p.drawEllipse(QPointF(x + 16 + k * 14, top + 44 + (k % 2) * 8), 5, 6);
        }
        p.setBrush(QColor(110, 70, 50));
        p.drawRect(QRectF(x, top + 80, w, 40));
        for (int k = 0; k < 6; ++k) {
            p.setBrush(k % 2 ? QColor(250, 246, 240) : awn[i]);
            p.drawRect(QRectF(x + k * w / 6, top, w / 6, 26));
            p.drawEllipse(QPointF(x + (k + 0.5) * w / 6, top + 26), w / 12, 6);
        }
        text(p, QRectF(x, top + 84, w, 30), QString::fromUtf16(names[i]), 17, QColor(255, 240, 200),
             Qt::AlignCenter, QColor(60, 30, 20), 1.5, true);
        p.setBrush(QColor(60, 40, 30));
        p.drawRect(QRectF(x, top, 5, 120));
        p.drawRect(QRectF(x + w - 5, top, 5, 120));
    }
    // Strings of paper lanterns.
    for (int row = 0; row < 2; ++row) {
        const double y0 = cv.h * (0.06 + row * 0.14), sag = 40;
        QPainterPath wire;
        wire.moveTo(-10, y0);
        wire.quadTo(cv.w / 2, y0 + sag * 2, cv.w + 10, y0);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(30, 20, 20), 1.2));
        p.drawPath(wire);
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 9; ++k) {
            const double t = (k + 0.5 + row * 0.5) / 9.5;
            const QPointF at = wire.pointAtPercent(t);
            lantern(p, at, 22 - row * 4, k % 2 ? QColor(250, 240, 220) : QColor(235, 70, 60));
        }
    }
    // The crowd, dark against the stalls.
    skyGradient(p, QRectF(0, cv.h * 0.7, cv.w, cv.h * 0.3),
                {{0, QColor(60, 40, 40)}, {1, QColor(24, 16, 20)}});
    for (int i = 0; i < 14; ++i) {
        const double x = cv.rng.range(0, cv.w), hgt = cv.rng.range(90, 150);
        person(p, {x, cv.h + hgt * 0.15}, hgt, QColor(26, 18, 28), cv.rng.range(-3, 3), i % 3 == 0);
    }
}

void sea(QPainter &p, Canvas &cv) {
    const Light l = dayLight();
    const double hz = cv.h * 0.45;
    skyGradient(p, QRectF(0, 0, cv.w, hz), {{0, l.skyTop}, {1, QColor(214, 236, 250)}});
    cloud(p, cv.rng, {cv.w * 0.25, cv.h * 0.15}, 180, l.cloud, l.cloudShade);
    cloud(p, cv.rng, {cv.w * 0.7, cv.h * 0.28}, 120, l.cloud, l.cloudShade);
    sun(p, {cv.w * 0.45, cv.h * 0.08}, 18, QColor(255, 252, 230), QColor(255, 250, 220));
    skyGradient(
        p, QRectF(0, hz, cv.w, cv.h - hz),
        {{0, QColor(40, 100, 170)}, {0.5, QColor(40, 150, 190)}, {1, QColor(90, 200, 200)}});
    for (int i = 0; i < 120; ++i) {
        double y = hz + cv.rng.uni() * (cv.h * 0.3), len = 4 + (y - hz) * 0.12;
        double x = cv.rng.range(0, cv.w);
        p.setPen(QPen(QColor(255, 255, 255, int(cv.rng.range(60, 200))), 1.4, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(QPointF(x, y), QPointF(x + len, y));
    }
    p.setPen(Qt::NoPen);
    // A cape with its lighthouse.
    QPainterPath cape;
    cape.moveTo(cv.w * 0.7, hz + 4);
    cape.cubicTo(cv.w * 0.76, hz - 40, cv.w * 0.9, hz - 50, cv.w + 10, hz - 46);
    cape.lineTo(cv.w + 10, hz + 30);
    cape.lineTo(cv.w * 0.7, hz + 30);
    p.setBrush(QColor(90, 120, 80));
    p.drawPath(cape);
    p.setBrush(QColor(130, 110, 90));
    p.drawRect(QRectF(cv.w * 0.7, hz + 4, cv.w * 0.3, 26));
    const double lx = cv.w * 0.88, ly = hz - 48;
    for (int k = 0; k < 4; ++k) {
        QPolygonF band;
        double y0 = ly - k * 18, y1 = ly - (k + 1) * 18, w0 = 12 - k * 1.5, w1 = 12 - (k + 1) * 1.5;
        band << QPointF(lx - w0, y0) << QPointF(lx + w0, y0) << QPointF(lx + w1, y1)
             << QPointF(lx - w1, y1);
        p.setBrush(k % 2 ? QColor(220, 60, 60) : QColor(250, 250, 250));
        p.drawPolygon(band);
    }
    p.setBrush(QColor(60, 60, 66));
    p.drawRect(QRectF(lx - 9, ly - 84, 18, 4));
    p.setBrush(QColor(255, 240, 180));
    p.drawRect(QRectF(lx - 6, ly - 96, 12, 12));
    p.setBrush(QColor(200, 50, 50));
    QPolygonF capTop;
    capTop << QPointF(lx - 9, ly - 96) << QPointF(lx + 9, ly - 96) << QPointF(lx, ly - 108);
    p.drawPolygon(capTop);
    // The beach and the foam on its edge.
    QPainterPath sand;
    sand.moveTo(0, cv.h * 0.72);
    sand.cubicTo(cv.w * 0.3, cv.h * 0.68, cv.w * 0.6, cv.h * 0.8, cv.w, cv.h * 0.76);
    sand.lineTo(cv.w, cv.h);
    sand.lineTo(0, cv.h);
    sand.closeSubpath();
    QLinearGradient sg(0, cv.h * 0.7, 0, cv.h);
    sg.setColorAt(0, QColor(236, 218, 176));
    sg.setColorAt(1, QColor(250, 236, 200));
    p.setBrush(sg);
    p.drawPath(sand);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 220), 5, Qt::SolidLine, Qt::RoundCap));
    QPainterPath foam;
    foam.moveTo(0, cv.h * 0.72);
    foam.cubicTo(cv.w * 0.3, cv.h * 0.68, cv.w * 0.6, cv.h * 0.8, cv.w, cv.h * 0.76);
    p.drawPath(foam);
    p.setPen(QPen(QColor(255, 255, 255, 110), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(foam.translated(0, -9));
    p.setPen(Qt::NoPen);
    // A striped parasol and a few shells.
    const QPointF pol(cv.w * 0.24, cv.h * 0.95);
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(QRectF(pol.x() - 2, pol.y() - 110, 4, 110));
    for (int k = 0; k < 6; ++k) {
        QPainterPath seg;
        const QPointF top(pol.x(), pol.y() - 120);
        seg.moveTo(top);
        seg.lineTo(top + QPointF(-80 + k * 26.6, 26));
        seg.quadTo(top + QPointF(-80 + k * 26.6 + 13.3, 18),
                   top + QPointF(-80 + (k + 1) * 26.6, 26));
        seg.closeSubpath();
        p.setBrush(k % 2 ? QColor(250, 250, 250) : QColor(240, 100, 110));
        p.drawPath(seg);
    }
    groundShadow(p, pol + QPointF(10, -6), 80, 10, 0.2);
    for (int i = 0; i < 6; ++i) {
        QPointF c(cv.rng.range(cv.w * 0.4, cv.w * 0.95), cv.rng.range(cv.h * 0.85, cv.h * 0.97));
        p.setBrush(QColor(250, 220, 210));
        p.drawPie(QRectF(c.x() - 6, c.y() - 6, 12, 12), 0, 180 * 16);
    }
    for (int i = 0; i < 3; ++i)
        bird(p, {cv.w * (0.55 + i * 0.06), cv.h * (0.2 + i * 0.03)}, 8, QColor(80, 80, 90),
             i * 0.2);
}

void snow(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.5;
    const Light l = snowLight();
    parkBackground(p, cv, hz, l);
    conifer(p, {cv.w * 0.15, hz + 10}, cv.h * 0.34, QColor(40, 80, 70), QColor(70, 110, 90), true);
    conifer(p, {cv.w * 0.28, hz + 4}, cv.h * 0.24, QColor(40, 80, 70), QColor(70, 110, 90), true);
    bareTree(p, cv.rng, {cv.w * 0.7, hz + 8}, cv.h * 0.46, QColor(90, 80, 80), true);
    path(p, cv.w * 0.34, cv.w * 0.62, cv.w * 0.49, cv.w * 0.52, cv.h, hz, QColor(222, 226, 236),
         QColor(206, 212, 226));
    // Footprints along the path.
    p.setBrush(QColor(170, 180, 200, 160));
    for (int i = 0; i < 10; ++i) {
        double t = i / 10.0, y = cv.h - t * (cv.h - hz) * 0.9;
        double x = cv.w * (0.48 + 0.04 * (1 - t)) + (i % 2 ? 6 : -6) * (1 - t);
        p.drawEllipse(QPointF(x, y), 4 * (1 - t) + 1, 6 * (1 - t) + 1);
    }
    bench(p, {cv.w * 0.82, hz + cv.h * 0.22}, cv.w * 0.18, QColor(150, 110, 80),
          QColor(50, 50, 56));
    p.setBrush(QColor(250, 252, 255));
    p.drawRoundedRect(QRectF(cv.w * 0.73, hz + cv.h * 0.22 - cv.w * 0.18 * 0.3 - 5, cv.w * 0.18, 7),
                      3, 3);
    p.drawRoundedRect(
        QRectF(cv.w * 0.73, hz + cv.h * 0.22 - cv.w * 0.18 * 0.55 - 5, cv.w * 0.18, 6), 3, 3);
    streetLamp(p, {cv.w * 0.62, hz + cv.h * 0.18}, cv.h * 0.36, true, QColor(50, 56, 62));
    snowfall(p, cv.rng, QRectF(0, 0, cv.w, cv.h), 220);
}

void cafe(QPainter &p, Canvas &cv) {
    const double fy = cv.h * 0.7;
    room(p, cv, fy, QColor(206, 160, 118), QColor(120, 80, 56));
    p.setBrush(QColor(120, 78, 50));
    p.drawRect(QRectF(0, cv.h * 0.46, cv.w, fy - cv.h * 0.46));
    p.setBrush(QColor(140, 94, 62));
    for (double x = 0; x < cv.w; x += 24)
        p.drawRect(QRectF(x, cv.h * 0.46, 2, fy - cv.h * 0.46));
    window(p, cv, QRectF(cv.w * 0.04, cv.h * 0.1, cv.w * 0.32, cv.h * 0.32), dayLight());
    // Menu board.
    const QRectF menu(cv.w * 0.42, cv.h * 0.1, cv.w * 0.2, cv.h * 0.28);
    p.setBrush(QColor(110, 74, 46));
    p.drawRect(menu.adjusted(-4, -4, 4, 4));
    p.setBrush(QColor(40, 50, 44));
    p.drawRect(menu);
    const QColor chalk(250, 246, 230);
    text(p, menu.adjusted(0, 6, 0, 0), QStringLiteral("MENU"), 15, QColor(250, 210, 120),
         Qt::AlignHCenter | Qt::AlignTop);
    text(p, menu.adjusted(8, 30, 0, 0), QStringLiteral("コーヒー"), 11, chalk,
         Qt::AlignLeft | Qt::AlignTop);
    text(p, menu.adjusted(8, 48, 0, 0), QStringLiteral("紅茶"), 11, chalk,
         Qt::AlignLeft | Qt::AlignTop);
    text(p, menu.adjusted(8, 66, 0, 0), QStringLiteral("本日のケーキ"), 11, chalk,
         Qt::AlignLeft | Qt::AlignTop);
    // Counter with the machine and cups.
    const double cy = cv.h * 0.52;
    p.setBrush(QColor(90, 56, 36));
    p.drawRect(QRectF(cv.w * 0.66, cy, cv.w * 0.34, fy - cy));
    p.setBrush(QColor(170, 120, 80));
    p.drawRect(QRectF(cv.w * 0.64, cy - 6, cv.w * 0.36, 8));
    QLinearGradient mg(cv.w * 0.72, 0, cv.w * 0.86, 0);
    mg.setColorAt(0, QColor(230, 232, 236));
    mg.setColorAt(0.5, QColor(170, 174, 180));
    mg.setColorAt(1, QColor(120, 124, 130));
    p.setBrush(mg);
    p.drawRoundedRect(QRectF(cv.w * 0.72, cy - 50, cv.w * 0.14, 44), 4, 4);
    p.setBrush(QColor(250, 250, 250));
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(cv.w * (0.89 + i * 0.03) - 5, cy - 16, 9, 10), 2, 2);
    // Shelves of jars.
    for (int r = 0; r < 2; ++r) {
        p.setBrush(QColor(120, 80, 52));
        p.drawRect(QRectF(cv.w * 0.68, cv.h * (0.16 + r * 0.12), cv.w * 0.3, 4));
        for (int k = 0; k < 5; ++k) {
            p.setBrush(QColor(200 - k * 20, 160 + k * 10, 110, 220));
            p.drawRoundedRect(
                QRectF(cv.w * (0.69 + k * 0.058), cv.h * (0.16 + r * 0.12) - 18, 14, 18), 3, 3);
        }
    }
    // Pendant lamps.
    for (double x : {0.3, 0.55, 0.8}) {
        p.setPen(QPen(QColor(40, 30, 20), 1));
        p.drawLine(QPointF(cv.w * x, 0), QPointF(cv.w * x, cv.h * 0.08));
        p.setPen(Qt::NoPen);
        glow(p, {cv.w * x, cv.h * 0.1}, 60, QColor(255, 210, 140, 130));
        p.setBrush(QColor(60, 60, 50));
        p.drawPie(QRectF(cv.w * x - 14, cv.h * 0.07, 28, 20), 0, 180 * 16);
        p.setBrush(QColor(255, 236, 180));
        p.drawEllipse(QPointF(cv.w * x, cv.h * 0.115), 5, 3);
    }
    // Our table with coffee and a slice of cake.
    const QPointF t(cv.w * 0.34, cv.h * 0.82);
    p.setBrush(QColor(70, 50, 36));
    p.drawRect(QRectF(t.x() - 5, t.y(), 10, cv.h - t.y()));
    p.setBrush(QColor(236, 224, 206));
    p.drawEllipse(t, cv.w * 0.26, cv.h * 0.08);
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(t + QPointF(-40, -4), 28, 9);
    p.drawRoundedRect(QRectF(t.x() - 54, t.y() - 30, 28, 26), 4, 4);
    p.setBrush(QColor(90, 54, 30));
    p.drawEllipse(QPointF(t.x() - 40, t.y() - 30), 13, 3.5);
    p.setPen(QPen(QColor(250, 250, 250), 3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(t.x() - 32, t.y() - 26, 12, 14), -90 * 16, 180 * 16);
    p.setPen(QPen(QColor(255, 255, 255, 120), 2, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 2; ++k) {
        QPainterPath steam;
        steam.moveTo(t.x() - 44 + k * 8, t.y() - 36);
        steam.cubicTo(t.x() - 50 + k * 8, t.y() - 48, t.x() - 38 + k * 8, t.y() - 56,
                      t.x() - 44 + k * 8, t.y() - 68);
        p.drawPath(steam);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(t + QPointF(40, 2), 30, 9);
    QPolygonF cake;
    cake << t + QPointF(24, -2) << t + QPointF(58, 2) << t + QPointF(58, -20)
         << t + QPointF(24, -24);
    p.setBrush(QColor(250, 236, 210));
    p.drawPolygon(cake);
    p.setBrush(QColor(255, 250, 250));
    p.drawRect(QRectF(t.x() + 24, t.y() - 28, 34, 6));
    p.setBrush(QColor(220, 40, 60));
    p.drawEllipse(t + QPointF(41, -31), 5, 5);
    p.setBrush(QColor(230, 90, 100));
    p.drawRect(QRectF(t.x() + 24, t.y() - 14, 34, 3));
    vignette(p, cv, 0.3);
}

void camera(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h), {{0, QColor(120, 80, 52)}, {1, QColor(70, 44, 30)}});
    p.setPen(QPen(QColor(60, 36, 24, 90), 2));
    for (int i = 0; i < 30; ++i) {
        double y = cv.rng.range(0, cv.h);
        QPainterPath grain;
        grain.moveTo(0, y);
        grain.cubicTo(cv.w * 0.3, y + cv.rng.range(-8, 8), cv.w * 0.7, y + cv.rng.range(-8, 8),
                      cv.w, y);
        p.drawPath(grain);
    }
    glow(p, {cv.w * 0.35, cv.h * 0.3}, cv.w * 0.6, QColor(255, 220, 170, 90));
    const QRectF body(cv.w * 0.08, cv.h * 0.34, cv.w * 0.84, cv.h * 0.42);
    groundShadow(p, QPointF(body.center().x() + 20, body.bottom() + 10), body.width() * 0.6, 30,
                 0.5);
    // Strap lugs and strap.
    p.setPen(QPen(QColor(110, 40, 40), 16, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(body.left() + 4, body.top() + 20), QPointF(-10, body.top() - 20));
    p.drawLine(QPointF(body.right() - 4, body.top() + 20), QPointF(cv.w + 10, body.top() - 30));
    p.setPen(Qt::NoPen);
    // Top plate in satin metal, with the viewfinder hump and dials.
    QLinearGradient metal(0, body.top() - 60, 0, body.top() + 30);
    metal.setColorAt(0, QColor(236, 238, 240));
    metal.setColorAt(0.5, QColor(190, 194, 198));
    metal.setColorAt(1, QColor(140, 144, 150));
    p.setBrush(metal);
    QPolygonF hump;
    hump << QPointF(cv.w * 0.36, body.top()) << QPointF(cv.w * 0.4, body.top() - 60)
         << QPointF(cv.w * 0.6, body.top() - 60) << QPointF(cv.w * 0.64, body.top());
    p.drawPolygon(hump);
    p.drawRoundedRect(QRectF(body.left(), body.top() - 16, body.width(), 40), 14, 14);
    text(p, QRectF(cv.w * 0.4, body.top() - 52, cv.w * 0.2, 20), QStringLiteral("MIRUTENA"), 13,
         QColor(60, 62, 66), Qt::AlignCenter, Qt::transparent, 0, true);
    for (double x : {0.2, 0.76}) {
        const QRectF dial(cv.w * x - 24, body.top() - 34, 48, 20);
        p.setBrush(QColor(70, 72, 76));
        p.drawRect(QRectF(dial.left(), dial.top() + 6, dial.width(), 16));
        p.setBrush(QColor(200, 204, 208));
        p.drawEllipse(dial);
        p.setPen(QPen(QColor(90, 92, 96), 1));
        for (int k = 0; k < 12; ++k)
            p.drawLine(QPointF(dial.left() + 4 + k * 3.6, dial.bottom() + 2),
                       QPointF(dial.left() + 4 + k * 3.6, dial.bottom() + 8));
        p.setPen(Qt::NoPen);
    }
    p.setBrush(QColor(210, 60, 60));
    p.drawEllipse(QPointF(cv.w * 0.88, body.top() - 22), 9, 5);
    // Leatherette body.
    QLinearGradient lg(body.topLeft(), body.bottomLeft());
    lg.setColorAt(0, QColor(50, 50, 54));
    lg.setColorAt(1, QColor(22, 22, 26));
    p.setBrush(lg);
    p.drawRoundedRect(QRectF(body.left(), body.top() + 20, body.width(), body.height() - 20), 16,
                      16);
    p.setBrush(QColor(255, 255, 255, 14));
    for (double y = body.top() + 28; y < body.bottom() - 8; y += 6)
        for (double x = body.left() + 10 + (int(y) % 12 ? 3 : 0); x < body.right() - 10; x += 6)
            p.drawEllipse(QPointF(x, y), 1.1, 1.1);
    // The lens: barrel, knurled ring, then glass with coloured reflections.
    const QPointF lc(cv.w * 0.5, body.center().y() + 14);
    const double r = cv.h * 0.23;
    groundShadow(p, lc + QPointF(10, 14), r * 1.2, r * 1.2, 0.5);
    QRadialGradient barrel(lc - QPointF(r * 0.4, r * 0.4), r * 1.6);
    barrel.setColorAt(0, QColor(90, 92, 98));
    barrel.setColorAt(1, QColor(20, 20, 24));
    p.setBrush(barrel);
    p.drawEllipse(lc, r * 1.15, r * 1.15);
    p.setPen(QPen(QColor(140, 142, 148), 1.2));
    for (int k = 0; k < 72; ++k) {
        double a = k * 5 * 3.14159 / 180;
        p.drawLine(lc + QPointF(std::cos(a), std::sin(a)) * r * 1.02,
                   lc + QPointF(std::cos(a), std::sin(a)) * r * 1.13);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 24, 28));
    p.drawEllipse(lc, r * 0.98, r * 0.98);
    text(p, QRectF(lc.x() - r, lc.y() - r * 0.95, r * 2, r * 0.2), QStringLiteral("50mm  1:1.8"),
         r * 0.11, QColor(220, 220, 220), Qt::AlignCenter);
    QRadialGradient glass(lc + QPointF(r * 0.2, r * 0.25), r * 0.8);
    glass.setColorAt(0, QColor(40, 30, 70));
    glass.setColorAt(0.6, QColor(20, 40, 60));
    glass.setColorAt(0.9, QColor(80, 40, 110));
    glass.setColorAt(1, QColor(30, 30, 40));
    p.setBrush(glass);
    p.drawEllipse(lc, r * 0.72, r * 0.72);
    p.setBrush(QColor(120, 220, 160, 90));
    p.drawEllipse(lc + QPointF(r * 0.2, r * 0.15), r * 0.3, r * 0.22);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(lc - QPointF(r * 0.3, r * 0.32), r * 0.12, r * 0.08);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(lc - QPointF(r * 0.12, r * 0.42), r * 0.05, r * 0.04);
    p.setBrush(QColor(200, 120, 255, 80));
    p.drawEllipse(lc + QPointF(r * 0.34, -r * 0.2), r * 0.08, r * 0.08);
    vignette(p, cv, 0.35);
}

void letter(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h), {{0, QColor(170, 120, 80)}, {1, QColor(130, 88, 56)}});
    p.setPen(QPen(QColor(110, 70, 40, 90), 3));
    for (double y = 30; y < cv.h; y += 70)
        p.drawLine(QPointF(0, y), QPointF(cv.w, y + 6));
    p.setPen(Qt::NoPen);
    glow(p, {cv.w * 0.3, cv.h * 0.2}, cv.w * 0.6, QColor(255, 230, 190, 80));
    // The envelope underneath, sealed with a heart.
    p.save();
    p.translate(cv.w * 0.66, cv.h * 0.62);
    p.rotate(12);
    groundShadow(p, QPointF(8, 10), 160, 100, 0.35);
    p.setBrush(QColor(244, 236, 222));
    p.drawRect(QRectF(-150, -90, 300, 180));
    p.setPen(QPen(QColor(210, 198, 180), 2));
    p.drawLine(QPointF(-150, -90), QPointF(0, 10));
    p.drawLine(QPointF(150, -90), QPointF(0, 10));
    p.setPen(Qt::NoPen);
    QPainterPath heart;
    heart.moveTo(0, 26);
    heart.cubicTo(-26, 6, -20, -16, 0, -6);
    heart.cubicTo(20, -16, 26, 6, 0, 26);
    p.setBrush(QColor(220, 60, 80));
    p.drawPath(heart.translated(0, -4));
    p.restore();
    // The letter itself.
    p.save();
    p.translate(cv.w * 0.4, cv.h * 0.46);
    p.rotate(-6);
    const QRectF sheet(-170, -150, 320, 300);
    groundShadow(p, QPointF(10, 14), 200, 180, 0.3);
    p.setBrush(QColor(255, 253, 246));
    p.drawRect(sheet);
    p.setPen(QPen(QColor(170, 200, 230), 1));
    for (double y = sheet.top() + 50; y < sheet.bottom() - 20; y += 30)
        p.drawLine(QPointF(sheet.left() + 20, y), QPointF(sheet.right() - 20, y));
    p.setPen(Qt::NoPen);
    const QColor ink(60, 70, 120);
    const char16_t *lines[] = {u"お元気ですか。", u"公園の桜が、今年も", u"きれいに咲きました。",
                               u"あの日の写真、", u"今も大切にしています。"};
    for (int i = 0; i < 5; ++i)
        text(p, QRectF(sheet.left() + 28, sheet.top() + 24 + i * 30, sheet.width() - 40, 26),
             QString::fromUtf16(lines[i]), 19, ink, Qt::AlignLeft | Qt::AlignBottom);
    p.restore();
    // A pressed flower and a pen.
    p.setBrush(QColor(120, 150, 90));
    p.setPen(QPen(QColor(110, 140, 80), 2));
    p.drawLine(QPointF(cv.w * 0.08, cv.h * 0.95), QPointF(cv.w * 0.16, cv.h * 0.78));
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 5; ++k) {
        double a = k * 72 * 3.14159 / 180;
        p.setBrush(QColor(250, 180, 200));
        p.drawEllipse(QPointF(cv.w * 0.16, cv.h * 0.76) + QPointF(std::cos(a), std::sin(a)) * 9, 7,
                      7);
    }
    p.setBrush(QColor(255, 230, 120));
    p.drawEllipse(QPointF(cv.w * 0.16, cv.h * 0.76), 4, 4);
    p.save();
    p.translate(cv.w * 0.84, cv.h * 0.2);
    p.rotate(35);
    p.setBrush(QColor(40, 60, 110));
    p.drawRoundedRect(QRectF(-6, -80, 12, 140), 5, 5);
    p.setBrush(QColor(210, 180, 90));
    p.drawRect(QRectF(-6, -40, 12, 4));
    p.drawRect(QRectF(4, -76, 3, 40));
    p.setBrush(QColor(200, 200, 206));
    QPolygonF nib;
    nib << QPointF(-6, 60) << QPointF(6, 60) << QPointF(0, 78);
    p.drawPolygon(nib);
    p.restore();
    vignette(p, cv, 0.3);
}

void girlBack(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.62;
    const Light l = morningLight();
    skyGradient(p, QRectF(0, 0, cv.w, hz),
                {{0, l.skyTop}, {0.7, l.skyMid}, {1, QColor(255, 236, 214)}});
    cloud(p, cv.rng, {cv.w * 0.3, cv.h * 0.2}, 220, l.cloud, l.cloudShade);
    cloud(p, cv.rng, {cv.w * 0.8, cv.h * 0.32}, 130, l.cloud, l.cloudShade);
    glow(p, {cv.w * 0.2, hz - 20}, cv.w * 0.5, QColor(255, 240, 210, 120));
    hills(p, cv.w, hz - 12, 10, 2.0, QColor(150, 170, 190), QColor(160, 180, 196));
    skyline(p, cv.rng, hz, cv.w, cv.h * 0.06, QColor(170, 184, 200), QColor(240, 240, 230), 0.1);
    // The hill we stand on.
    QPainterPath hill;
    hill.moveTo(0, cv.h * 0.7);
    hill.cubicTo(cv.w * 0.3, cv.h * 0.64, cv.w * 0.7, cv.h * 0.7, cv.w, cv.h * 0.78);
    hill.lineTo(cv.w, cv.h);
    hill.lineTo(0, cv.h);
    QLinearGradient hg(0, cv.h * 0.64, 0, cv.h);
    hg.setColorAt(0, QColor(150, 200, 110));
    hg.setColorAt(1, QColor(70, 130, 56));
    p.setBrush(hg);
    p.drawPath(hill);
    grassTufts(p, cv.rng, QRectF(0, cv.h * 0.72, cv.w, cv.h * 0.28), 110, QColor(50, 110, 40), 8);
    flowers(p, cv.rng, QRectF(0, cv.h * 0.8, cv.w, cv.h * 0.18), 20,
            {QColor(255, 255, 255), QColor(255, 230, 120)});
    figure(p, {cv.w * 0.62, cv.h * 0.96}, cv.h * 0.6,
           Pose{View::Back, Face::Calm, {14, 4}, {12, 6}, false, false, false, {}, 4});
    for (int i = 0; i < 3; ++i)
        bird(p, {cv.w * (0.2 + i * 0.05), cv.h * (0.42 + (i % 2) * 0.03)}, 5, QColor(90, 90, 110),
             i * 0.2);
}

QImage mini(Painter f, int w, int h, std::uint64_t seed) {
    QImage img(w, h, QImage::Format_RGB32);
    QPainter q(&img);
    q.setRenderHint(QPainter::Antialiasing);
    const double s = w / 640.0;
    q.scale(s, s);
    Canvas c{640, h / s, Rng(seed)};
    f(q, c);
    return img;
}

// A print with a white border and black corners, slightly turned.
void print(QPainter &p, QPointF c, double angle, const QImage &img, double w,
           const QString &caption) {
    const double h = w * img.height() / img.width();
    p.save();
    p.translate(c);
    p.rotate(angle);
    groundShadow(p, QPointF(3, 4), w * 0.6, h * 0.6, 0.25);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(-w / 2 - 5, -h / 2 - 5, w + 10, h + 10));
    p.drawImage(QRectF(-w / 2, -h / 2, w, h), img);
    p.setBrush(QColor(30, 30, 30));
    for (int sx : {-1, 1})
        for (int sy : {-1, 1}) {
            QPolygonF corner;
            QPointF k(sx * (w / 2 + 5), sy * (h / 2 + 5));
            corner << k << k + QPointF(-sx * 14, 0) << k + QPointF(0, -sy * 14);
            p.drawPolygon(corner);
        }
    p.restore();
    text(p, QRectF(c.x() - w / 2, c.y() + h / 2 + 8, w, 18), caption, 12, QColor(90, 70, 60));
}

void album(QPainter &p, Canvas &cv) {
    skyGradient(p, QRectF(0, 0, cv.w, cv.h), {{0, QColor(100, 66, 44)}, {1, QColor(70, 44, 30)}});
    const QRectF book(cv.w * 0.04, cv.h * 0.06, cv.w * 0.92, cv.h * 0.88);
    groundShadow(p, book.center() + QPointF(10, 16), book.width() * 0.6, book.height() * 0.6, 0.5);
    p.setBrush(QColor(120, 40, 50));
    p.drawRoundedRect(book.adjusted(-8, -8, 8, 8), 8, 8);
    for (int side : {0, 1}) {
        QRectF page(book.left() + side * book.width() / 2, book.top(), book.width() / 2,
                    book.height());
        QLinearGradient g(page.topLeft(), page.topRight());
        g.setColorAt(side ? 0 : 1, QColor(214, 204, 184));
        g.setColorAt(side ? 0.12 : 0.88, QColor(246, 240, 226));
        g.setColorAt(side ? 1 : 0, QColor(240, 232, 216));
        p.setBrush(g);
        p.drawRect(page);
    }
    const double pw = cv.w * 0.3;
    print(p, {cv.w * 0.27, cv.h * 0.3}, -4, mini(park, 192, 144, 11), pw * 0.8,
          QStringLiteral("春の公園"));
    print(p, {cv.w * 0.25, cv.h * 0.7}, 3, mini(sea, 192, 144, 12), pw * 0.8,
          QStringLiteral("夏の海"));
    print(p, {cv.w * 0.73, cv.h * 0.3}, 5, mini(festival, 192, 144, 13), pw * 0.8,
          QStringLiteral("お祭りの夜"));
    print(p, {cv.w * 0.75, cv.h * 0.7}, -3, mini(snow, 192, 144, 14), pw * 0.8,
          QStringLiteral("雪の日"));
    p.setBrush(QColor(200, 60, 80));
    p.drawRect(QRectF(cv.w * 0.52, book.top() - 8, 8, cv.h * 0.3));
}

void end1(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.6;
    Light l = morningLight();
    l.skyTop = QColor(120, 150, 220);
    l.skyMid = QColor(250, 200, 190);
    l.skyBottom = QColor(255, 226, 180);
    l.farTrees = QColor(130, 140, 110);
    parkBackground(p, cv, hz, l);
    sun(p, {cv.w * 0.66, hz - 40}, 30, QColor(255, 236, 190), QColor(255, 220, 170));
    lightRays(p, {cv.w * 0.66, hz - 40}, cv.w, 9, 140, QColor(255, 244, 220, 50), 270);
    grassTufts(p, cv.rng, QRectF(0, hz + 10, cv.w, cv.h - hz), 130, QColor(70, 130, 56), 8);
    flowers(p, cv.rng, QRectF(0, cv.h * 0.78, cv.w, cv.h * 0.2), 40,
            {QColor(255, 255, 255), QColor(255, 200, 220), QColor(255, 236, 120)}, 4);
    // The big cherry: its trunk on the left, its crown over both of them.
    tree(p, cv.rng, {cv.w * 0.22, cv.h * 0.84}, cv.h * 0.95, blossomLook(), 1.45);
    const double feetY = cv.h * 0.86;
    player(p, {cv.w * 0.47, feetY}, cv.h * 0.36, false, {8, 4}, {28, 8});
    figure(p, {cv.w * 0.6, feetY}, cv.h * 0.32,
           Pose{View::Front, Face::Laugh, {30, 10}, {10, 6}, false, false, false, {}, -6});
    // Their hands meet between them.
    p.setBrush(skin);
    p.drawEllipse(QPointF(cv.w * 0.535, feetY - cv.h * 0.36 * 0.47), 5, 5);
    petals(p, cv.rng, QRectF(0, 0, cv.w, cv.h), 110, QColor(250, 186, 206));
    glow(p, {cv.w * 0.54, cv.h * 0.44}, 50, QColor(255, 230, 240, 110));
    vignette(p, cv, 0.25);
}

void end2(QPainter &p, Canvas &cv) {
    const double hz = cv.h * 0.55;
    parkBackground(p, cv, hz, duskLight());
    glow(p, {cv.w * 0.2, hz}, cv.w * 0.5, QColor(255, 170, 120, 60));
    TreeLook late = autumnLook();
    late.dark = mix(late.dark, QColor(30, 20, 40), 0.5);
    late.mid = mix(late.mid, QColor(30, 20, 40), 0.4);
    late.light = mix(late.light, QColor(30, 20, 40), 0.3);
    tree(p, cv.rng, {cv.w * 0.14, hz + cv.h * 0.2}, cv.h * 0.66, late, 0.9);
    grassTufts(p, cv.rng, QRectF(0, hz + 10, cv.w, cv.h - hz), 90, QColor(30, 40, 34), 8);
    const QPointF seat(cv.w * 0.55, cv.h * 0.84);
    streetLamp(p, {cv.w * 0.82, cv.h * 0.8}, cv.h * 0.56, true, QColor(30, 32, 40));
    glow(p, seat + QPointF(60, -40), 160, QColor(255, 210, 140, 70));
    bench(p, seat, cv.w * 0.42, QColor(150, 100, 70), QColor(40, 40, 46));
    // The one photo left on the seat: her, small, in a white border.
    p.save();
    p.translate(seat + QPointF(-30, -cv.w * 0.42 * 0.3 - 4));
    p.rotate(-8);
    p.setBrush(QColor(250, 250, 246));
    QPolygonF card;
    card << QPointF(-26, -2) << QPointF(26, -2) << QPointF(22, 6) << QPointF(-30, 6);
    p.drawPolygon(card);
    p.setBrush(QColor(250, 250, 246));
    p.drawRect(QRectF(-20, -40, 34, 40));
    QImage face = QImage(60, 60, QImage::Format_RGB32);
    face.fill(QColor(180, 210, 240));
    {
        QPainter q(&face);
        q.setRenderHint(QPainter::Antialiasing);
        portrait(q, QRectF(0, 0, 60, 60), Portrait{Face::Smile});
    }
    p.drawImage(QRectF(-17, -37, 28, 28), face);
    p.restore();
    // Fallen leaves round the bench and a few still falling.
    for (int i = 0; i < 50; ++i) {
        QPointF c(cv.rng.range(0, cv.w), cv.rng.range(cv.h * 0.6, cv.h));
        if (i > 40)
            c.setY(cv.rng.range(cv.h * 0.2, cv.h * 0.6));
        p.save();
        p.translate(c);
        p.rotate(cv.rng.range(0, 360));
        p.setBrush(mix(QColor(200, 80, 40), QColor(230, 160, 60), cv.rng.uni()));
        p.drawEllipse(QPointF(0, 0), 4, 2);
        p.restore();
    }
    vignette(p, cv, 0.4);
}

void gameover(QPainter &p, Canvas &cv) {
    const double fy = cv.h * 0.66;
    room(p, cv, fy, QColor(44, 48, 70), QColor(40, 36, 44));
    const QRectF win(cv.w * 0.1, cv.h * 0.1, cv.w * 0.24, cv.h * 0.3);
    p.save();
    p.setClipRect(win);
    skyGradient(p, win, {{0, QColor(8, 10, 30)}, {1, QColor(30, 40, 80)}});
    stars(p, cv.rng, win, 20);
    moon(p, win.topLeft() + QPointF(win.width() * 0.65, win.height() * 0.3), 12, QColor(20, 24, 50),
         true);
    p.restore();
    p.setPen(QPen(QColor(70, 74, 96), 5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(win);
    p.drawLine(QPointF(win.center().x(), win.top()), QPointF(win.center().x(), win.bottom()));
    p.setPen(Qt::NoPen);
    // Moonlight falls through the window onto the floor and the bed.
    QPolygonF beam;
    beam << win.topLeft() << win.topRight() << QPointF(cv.w * 0.76, cv.h * 0.98)
         << QPointF(cv.w * 0.42, cv.h * 0.98);
    p.setBrush(QColor(150, 170, 230, 40));
    p.drawPolygon(beam);
    // The unmade bed: rumpled blanket half off, the pillow askew.
    const QRectF bed(cv.w * 0.38, cv.h * 0.5, cv.w * 0.6, cv.h * 0.3);
    p.setBrush(QColor(60, 46, 40));
    p.drawRect(QRectF(bed.right() - 12, bed.top() - 40, 12, bed.height() + 40));
    p.drawRect(QRectF(bed.left(), bed.bottom() - 12, bed.width(), 12));
    p.setBrush(QColor(150, 156, 176));
    p.drawRoundedRect(QRectF(bed.left(), bed.top() + 10, bed.width() - 12, bed.height() * 0.5), 6,
                      6);
    p.save();
    p.translate(bed.right() - 70, bed.top() + 6);
    p.rotate(-14);
    p.setBrush(QColor(176, 180, 200));
    p.drawRoundedRect(QRectF(-34, -12, 68, 24), 10, 10);
    p.restore();
    QPainterPath blanket;
    blanket.moveTo(bed.left() - 20, bed.bottom() + 14);
    blanket.cubicTo(bed.left() - 10, bed.top() + 30, bed.left() + 40, bed.top() + 6,
                    bed.left() + 90, bed.top() + 26);
    blanket.cubicTo(bed.left() + 130, bed.top() + 10, bed.left() + 170, bed.top() + 34,
                    bed.left() + 200, bed.top() + 22);
    blanket.lineTo(bed.left() + 210, bed.top() + 60);
    blanket.cubicTo(bed.left() + 150, bed.top() + 70, bed.left() + 80, bed.top() + 80,
                    bed.left() + 30, bed.bottom() + 30);
    blanket.closeSubpath();
    QLinearGradient bg(bed.topLeft(), bed.bottomLeft());
    bg.setColorAt(0, QColor(90, 100, 140));
    bg.setColorAt(1, QColor(50, 56, 84));
    p.setBrush(bg);
    p.drawPath(blanket);
    p.setPen(QPen(QColor(40, 44, 70), 2));
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < 4; ++k) {
        QPainterPath fold;
        fold.moveTo(bed.left() + 20 + k * 40, bed.top() + 30 + k * 3);
        fold.quadTo(bed.left() + 40 + k * 40, bed.top() + 50, bed.left() + 30 + k * 34,
                    bed.top() + 70 + k * 6);
        p.drawPath(fold);
    }
    p.setPen(Qt::NoPen);
    // The clock's red digits and the camera left on the floor.
    p.setBrush(QColor(30, 28, 34));
    p.drawRect(QRectF(cv.w * 0.06, cv.h * 0.62, cv.w * 0.22, cv.h * 0.04));
    p.drawRoundedRect(QRectF(cv.w * 0.1, cv.h * 0.55, 60, 28), 4, 4);
    glow(p, {cv.w * 0.1 + 30, cv.h * 0.55 + 14}, 40, QColor(255, 60, 60, 90));
    text(p, QRectF(cv.w * 0.1, cv.h * 0.55, 60, 28), QStringLiteral("3:12"), 18,
         QColor(255, 70, 60));
    cameraIcon(p, QRectF(cv.w * 0.2, cv.h * 0.86, 46, 32), QColor(24, 24, 28), QColor(60, 70, 100));
    vignette(p, cv, 0.6);
}

} // namespace

void addScenes(std::vector<Picture> &out) {
    out.insert(out.end(), {
                              {"ttl", 480, 480, Format::Png, ttl},
                              {"girl", 400, 400, Format::Jpeg, girlPortrait},
                              {"dmy", 320, 240, Format::Gif, dmy},
                              {"park", 640, 480, Format::Jpeg, park},
                              {"girl_smile", 400, 400, Format::Jpeg, girlSmile},
                              {"girl_sad", 360, 360, Format::Bmp8, girlSad},
                              {"school", 480, 360, Format::Png, school},
                              {"office", 400, 300, Format::Bmp8, office},
                              {"home", 400, 300, Format::Bmp8, home},
                              {"riverbank", 640, 480, Format::Jpeg, riverbank},
                              {"rain", 480, 360, Format::Gif, rainScene},
                              {"station", 480, 360, Format::Png, station},
                              {"festival", 640, 480, Format::Jpeg, festival},
                              {"sea", 640, 480, Format::Jpeg, sea},
                              {"snow", 400, 300, Format::Bmp8, snow},
                              {"cafe", 400, 300, Format::Gif, cafe},
                              {"camera", 400, 400, Format::Png, camera},
                              {"letter", 400, 300, Format::Gif, letter},
                              {"girl_back", 480, 360, Format::Jpeg, girlBack},
                              {"album", 480, 360, Format::Png, album},
                              {"end1", 480, 480, Format::Jpeg, end1},
                              {"end2", 480, 360, Format::Png, end2},
                              {"gameover", 400, 300, Format::Bmp8, gameover},
                          });
}

} // namespace pg
