#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <utility>

// A small painting kit shared by every picture. All pictures are painted on a logical canvas
// 640 units wide (480 or 640 high); the painter is scaled to the real size.
namespace pg {

// Same numbers on every machine: std distributions are not portable, so map raw bits ourselves.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    double uni(); // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uni(); }
    int irange(int lo, int hi); // [lo, hi]

  private:
    std::uint64_t state_;
};

struct Canvas {
    double w = 640;
    double h = 480;
    Rng rng{1};
};

using Stops = std::initializer_list<std::pair<double, QColor>>;

QColor mix(const QColor &a, const QColor &b, double t);
QColor alpha(const QColor &c, double a);

// Backgrounds and light.
void skyGradient(QPainter &p, const QRectF &r, Stops stops);
void glow(QPainter &p, QPointF c, double r, const QColor &color);
void sun(QPainter &p, QPointF c, double r, const QColor &core, const QColor &halo);
void moon(QPainter &p, QPointF c, double r, const QColor &sky, bool crescent = false);
void stars(QPainter &p, Rng &rng, const QRectF &area, int count, double maxSize = 1.8);
void cloud(QPainter &p, Rng &rng, QPointF c, double width, const QColor &light,
           const QColor &shade);
void hills(QPainter &p, double width, double baseY, double amp, double phase, const QColor &top,
           const QColor &bottom);
void lawn(QPainter &p, const QRectF &r, const QColor &far, const QColor &near);
void grassTufts(QPainter &p, Rng &rng, const QRectF &area, int count, const QColor &color,
                double size = 6);
void flowers(QPainter &p, Rng &rng, const QRectF &area, int count,
             std::initializer_list<QColor> colors, double size = 3);
void groundShadow(QPainter &p, QPointF c, double rx, double ry, double strength = 0.3);
void vignette(QPainter &p, const Canvas &cv, double strength = 0.35);
void lightRays(QPainter &p, QPointF from, double length, int count, double spread,
               const QColor &color, double angle = 90);

// Weather.
void rain(QPainter &p, Rng &rng, const QRectF &area, int count, const QColor &color);
void snowfall(QPainter &p, Rng &rng, const QRectF &area, int count, double maxSize = 3.2);
void petals(QPainter &p, Rng &rng, const QRectF &area, int count, const QColor &color);

// Park furniture and buildings.
struct TreeLook {
    QColor dark{46, 104, 52};
    QColor mid{72, 142, 66};
    QColor light{132, 190, 92};
    QColor trunk{104, 72, 48};
};
TreeLook blossomLook();
TreeLook autumnLook();
TreeLook duskLook(double darkness);
void tree(QPainter &p, Rng &rng, QPointF base, double height, const TreeLook &look,
          double spread = 1.0);
void bareTree(QPainter &p, Rng &rng, QPointF base, double height, const QColor &color,
              bool snow = false);
void conifer(QPainter &p, QPointF base, double height, const QColor &dark, const QColor &light,
             bool snow = false);
void bush(QPainter &p, Rng &rng, QPointF c, double width, const TreeLook &look);
void bench(QPainter &p, QPointF base, double width, const QColor &wood, const QColor &iron);
void streetLamp(QPainter &p, QPointF base, double height, bool lit, const QColor &pole);
void fountain(QPainter &p, QPointF base, double width, const QColor &stone, const QColor &water);
void fence(QPainter &p, double x0, double x1, double baseY, double height, const QColor &color);
void path(QPainter &p, double nearX0, double nearX1, double farX0, double farX1, double nearY,
          double farY, const QColor &far, const QColor &near);
void building(QPainter &p, Rng &rng, const QRectF &r, const QColor &wall, const QColor &window,
              double litShare);
void house(QPainter &p, const QRectF &body, const QColor &wall, const QColor &roof,
           const QColor &window);
void skyline(QPainter &p, Rng &rng, double baseY, double width, double maxH, const QColor &color,
             const QColor &window, double litShare);
void person(QPainter &p, QPointF base, double height, const QColor &color, double lean = 0,
            bool skirt = false);
void lantern(QPainter &p, QPointF top, double size, const QColor &color);
void cameraIcon(QPainter &p, const QRectF &r, const QColor &body, const QColor &lens,
                bool outline = false);
void viewfinder(QPainter &p, const QRectF &r, const QColor &color, double width);
void bird(QPainter &p, QPointF c, double size, const QColor &color, double flap = 0);
void pigeon(QPainter &p, QPointF c, double size, bool facingLeft, double peck = 0);
void snowman(QPainter &p, QPointF base, double size);
void cat(QPainter &p, QPointF c, double size, const QColor &fur, const QColor &stripe, bool asleep);

// The park seen at one time of day: sky, clouds, a distant line of trees, the lawn.
struct Light {
    QColor skyTop, skyMid, skyBottom;
    QColor cloud, cloudShade;
    QColor farTrees;
    QColor lawnFar, lawnNear;
    QColor pathFar, pathNear;
    double clouds = 1; // how many clouds, relative
};
Light dayLight();
Light morningLight();
Light sunsetLight();
Light duskLight();
Light nightLight();
Light rainLight();
Light snowLight();
void treeLine(QPainter &p, Rng &rng, double y, double width, double height, const QColor &color);
void parkBackground(QPainter &p, Canvas &cv, double horizon, const Light &light);

// Text in the game's Japanese face, with an optional outline and drop shadow.
void text(QPainter &p, const QRectF &r, const QString &s, double px, const QColor &fill,
          int flags = Qt::AlignCenter, const QColor &outline = Qt::transparent,
          double outlineWidth = 0, bool bold = false);
QFont japaneseFont(double px, bool bold = false);

} // namespace pg
