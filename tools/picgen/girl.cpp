#include "girl.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace pg::girl {

namespace {

QPointF dir(int side, double deg) {
    const double a = deg * std::numbers::pi / 180;
    return {side * std::sin(a), std::cos(a)};
}

// The colour of a part, or the one silhouette colour when she is seen against the light.
struct Paint {
    const Pose &pose;
    QColor operator()(const QColor &c) const { return pose.silhouette ? pose.silhouetteColor : c; }
};

void bow(QPainter &p, QPointF c, double s, const QColor &color) {
    p.setPen(Qt::NoPen);
    p.setBrush(color.darker(125));
    QPolygonF tails;
    tails << c << c + QPointF(-s * 0.5, s * 1.3) << c + QPointF(-s * 0.1, s * 1.1);
    p.drawPolygon(tails);
    tails.clear();
    tails << c << c + QPointF(s * 0.6, s * 1.2) << c + QPointF(s * 0.2, s * 1.2);
    p.drawPolygon(tails);
    p.setBrush(color);
    for (int side : {-1, 1}) {
        QPolygonF loop;
        loop << c << c + QPointF(side * s * 1.2, -s * 0.75)
             << c + QPointF(side * s * 1.3, s * 0.55);
        p.drawPolygon(loop);
    }
    p.setBrush(color.lighter(120));
    p.drawEllipse(c, s * 0.35, s * 0.35);
}

void smallFace(QPainter &p, double y0, Face face) {
    const QColor dark(60, 36, 28);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 150, 150, 110));
    p.drawEllipse(QPointF(-6.4, y0 + 4.2), 2.2, 1.2);
    p.drawEllipse(QPointF(6.4, y0 + 4.2), 2.2, 1.2);
    for (int side : {-1, 1}) {
        const QPointF e(side * 4.2, y0);
        p.setPen(Qt::NoPen);
        switch (face) {
        case Face::Laugh: {
            QPainterPath arc;
            arc.moveTo(e + QPointF(-1.9, 0.6));
            arc.quadTo(e + QPointF(0, -2.4), e + QPointF(1.9, 0.6));
            p.setPen(QPen(dark, 0.9, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(arc);
            break;
        }
        case Face::Asleep: {
            QPainterPath arc;
            arc.moveTo(e + QPointF(-1.9, -0.2));
            arc.quadTo(e + QPointF(0, 1.6), e + QPointF(1.9, -0.2));
            p.setPen(QPen(dark, 0.8, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(arc);
            break;
        }
        default: {
            const double ry = face == Face::Surprised ? 2.6 : 2.2;
            const double dy = face == Face::Sad ? 0.6 : 0;
            p.setBrush(dark);
            p.drawEllipse(e + QPointF(0, dy), 1.55, ry);
            p.setBrush(Qt::white);
            p.drawEllipse(e + QPointF(-0.5, dy - 0.8), 0.55, 0.55);
            break;
        }
        }
        // Brows say most of the mood at this size.
        p.setPen(QPen(hairDark, 0.7, Qt::SolidLine, Qt::RoundCap));
        const double by = y0 - (face == Face::Surprised ? 4.6 : 3.8);
        if (face == Face::Sad)
            p.drawLine(QPointF(side * 6, by + 0.6), QPointF(side * 2.6, by - 0.6));
        else
            p.drawLine(QPointF(side * 6, by), QPointF(side * 2.6, by - 0.3));
    }
    const QPointF m(0, y0 + 5.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(150, 60, 60), 0.8, Qt::SolidLine, Qt::RoundCap));
    QPainterPath mouth;
    switch (face) {
    case Face::Laugh:
        mouth.moveTo(m + QPointF(-2.2, -0.4));
        mouth.quadTo(m + QPointF(0, -0.2), m + QPointF(2.2, -0.4));
        mouth.quadTo(m + QPointF(0, 3.6), m + QPointF(-2.2, -0.4));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(176, 64, 72));
        break;
    case Face::Sad:
        mouth.moveTo(m + QPointF(-1.4, 0.8));
        mouth.quadTo(m + QPointF(0, -0.5), m + QPointF(1.4, 0.8));
        break;
    case Face::Surprised:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 60, 60));
        p.drawEllipse(m + QPointF(0, 0.4), 1.0, 1.3);
        return;
    case Face::Asleep:
    case Face::Calm:
        mouth.moveTo(m + QPointF(-1.2, 0));
        mouth.quadTo(m + QPointF(0, 0.8), m + QPointF(1.2, 0));
        break;
    case Face::Smile:
        mouth.moveTo(m + QPointF(-2, -0.3));
        mouth.quadTo(m + QPointF(0, 2.0), m + QPointF(2, -0.3));
        break;
    }
    p.drawPath(mouth);
}

} // namespace

Points figure(QPainter &p, QPointF feet, double height, const Pose &pose) {
    const Paint c{pose};
    const double u = height / 100;
    const double sy = pose.sitting ? 22 : 0;
    const bool back = pose.view == View::Back;
    const double hem = pose.sitting ? -19 : pose.yukata ? -6 : -30;
    const double hemHalf = pose.sitting ? 17 : pose.yukata ? 10.5 : 16;
    const QPointF neck(0, -72 + sy);
    const QPointF head(0, -84 + sy);

    p.save();
    p.translate(feet);
    p.scale(u, u);
    if (!pose.silhouette)
        groundShadow(p, QPointF(2, 0), 16, 3, 0.3);

    auto tilted = [&](auto &&draw) {
        p.save();
        p.translate(neck);
        p.rotate(pose.headTilt);
        p.translate(-neck);
        draw();
        p.restore();
    };

    // Long hair behind her when she faces us.
    if (!back) {
        tilted([&] {
            QPainterPath h;
            h.moveTo(-11.5, -84 + sy);
            h.cubicTo(-13.5, -72 + sy, -14, -64 + sy, -13, -57 + sy);
            h.quadTo(0, -54 + sy, 13, -57 + sy);
            h.cubicTo(14, -64 + sy, 13.5, -72 + sy, 11.5, -84 + sy);
            h.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(c(hairDark));
            p.drawPath(h);
        });
    }

    // Legs, socks, shoes.
    p.setPen(Qt::NoPen);
    const double legTop = pose.sitting ? -21 : hem + 1;
    for (int side : {-1, 1}) {
        const double x = side * 3.8;
        if (!pose.yukata) {
            p.setBrush(c(skin));
            p.drawRoundedRect(QRectF(x - 2, legTop, 4, -3 - legTop), 1.5, 1.5);
            p.setBrush(c(collar));
            p.drawRoundedRect(QRectF(x - 2.1, -11, 4.2, 8.5), 1, 1);
        }
        p.setBrush(c(pose.yukata ? QColor(150, 100, 60) : QColor(110, 54, 40)));
        p.drawEllipse(QPointF(x + side * 0.6, -1.8), 3.4, 2);
    }

    // Dress or yukata.
    {
        QPainterPath d;
        const double sh = -70.5 + sy, waist = -52 + sy;
        d.moveTo(-6.5, sh);
        d.quadTo(-9, sh + 1, -8.8, sh + 5);
        d.lineTo(-7, waist);
        d.quadTo(-9, (waist + hem) / 2, -hemHalf, hem);
        d.quadTo(0, hem + 2.5, hemHalf, hem);
        d.quadTo(9, (waist + hem) / 2, 7, waist);
        d.lineTo(8.8, sh + 5);
        d.quadTo(9, sh + 1, 6.5, sh);
        d.quadTo(0, sh + 2.5, -6.5, sh);
        d.closeSubpath();
        const QColor base = pose.yukata ? yukata : dress;
        QLinearGradient g(-hemHalf, 0, hemHalf, 0);
        g.setColorAt(0, c(base.lighter(112)));
        g.setColorAt(0.55, c(base));
        g.setColorAt(1, c(pose.yukata ? base.darker(130) : dressDark));
        p.setBrush(g);
        p.drawPath(d);
        if (!pose.silhouette) {
            if (pose.yukata) {
                // Morning glories on the cloth, a broad obi and the crossed collar.
                p.setBrush(QColor(236, 150, 190));
                for (QPointF f : {QPointF(-5, -44 + sy), QPointF(4, -36 + sy), QPointF(-3, -24),
                                  QPointF(6, -14), QPointF(-7, -10), QPointF(5, -60 + sy)})
                    p.drawEllipse(f, 1.6, 1.6);
                p.setBrush(c(obi));
                p.drawRect(QRectF(-7.6, waist - 4, 15.2, 6));
                p.setBrush(c(obi.darker(120)));
                p.drawRect(QRectF(-2, waist - 4, 4, 6));
                p.setPen(QPen(QColor(240, 240, 240), 1.1));
                if (!back) {
                    p.drawLine(QPointF(-4, sh + 0.5), QPointF(2, waist - 4));
                    p.drawLine(QPointF(4, sh + 0.5), QPointF(-0.5, waist - 6.5));
                }
                p.setPen(Qt::NoPen);
            } else {
                p.setBrush(dressDark);
                p.drawRect(QRectF(-7.2, waist - 1.2, 14.4, 2.4));
                if (!back) {
                    p.setBrush(collar);
                    QPolygonF l, r;
                    l << QPointF(0, sh + 4.5) << QPointF(-6.8, sh + 0.4) << QPointF(-6.2, sh + 4.2);
                    r << QPointF(0, sh + 4.5) << QPointF(6.8, sh + 0.4) << QPointF(6.2, sh + 4.2);
                    p.drawPolygon(l);
                    p.drawPolygon(r);
                    bow(p, QPointF(0, sh + 4.6), 1.5, ribbon);
                }
            }
        }
    }

    // Neck.
    p.setBrush(c(skinShade));
    p.drawRect(QRectF(-2.4, -75 + sy, 4.8, 5.2));

    // Arms.
    Points out;
    auto arm = [&](int side, const Arm &a) {
        const QPointF s(side * 7.6, -68.5 + sy);
        const QPointF e = s + dir(side, a.shoulder) * 13;
        const QPointF h = e + dir(side, a.shoulder + a.elbow) * 12;
        if (pose.yukata) {
            p.setPen(QPen(c(yukata), 5.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(s, e);
            p.setPen(QPen(c(skin), 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(e, h);
            // The wide sleeve hangs from the forearm.
            p.setPen(Qt::NoPen);
            p.setBrush(c(yukata.darker(110)));
            QPolygonF sleeve;
            const QPointF m = (s + e) / 2;
            sleeve << m << e + (h - e) * 0.45 << e + (h - e) * 0.45 + QPointF(0, 9)
                   << m + QPointF(0, 9);
            p.drawPolygon(sleeve);
        } else {
            p.setPen(QPen(c(skin), 3.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(s, e);
            p.setPen(QPen(c(skin), 3.1, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(e, h);
            p.setPen(Qt::NoPen);
            p.setBrush(c(dress));
            p.drawEllipse(s + dir(side, a.shoulder) * 2.6, 3.9, 3.9);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(c(skin));
        p.drawEllipse(h, 2.2, 2.2);
        return h;
    };
    out.leftHand = arm(-1, pose.left);
    out.rightHand = arm(1, pose.right);

    // Head, face, fringe, ribbon.
    tilted([&] {
        p.setPen(Qt::NoPen);
        if (back) {
            QPainterPath h;
            h.addEllipse(head, 11.6, 12);
            QPainterPath fall;
            fall.moveTo(-11.4, -84 + sy);
            fall.cubicTo(-13, -72 + sy, -13.5, -62 + sy, -12, -53 + sy);
            fall.quadTo(-6, -50.5 + sy, 0, -52 + sy);
            fall.quadTo(6, -50.5 + sy, 12, -53 + sy);
            fall.cubicTo(13.5, -62 + sy, 13, -72 + sy, 11.4, -84 + sy);
            fall.closeSubpath();
            h = h.united(fall);
            QLinearGradient g(0, -96 + sy, 0, -52 + sy);
            g.setColorAt(0, c(hairLight));
            g.setColorAt(0.3, c(hair));
            g.setColorAt(1, c(hairDark));
            p.setBrush(g);
            p.drawPath(h);
            if (!pose.silhouette) {
                p.setPen(QPen(alpha(hairDark, 0.6), 0.6));
                for (double x : {-6.0, -2.0, 2.5, 7.0})
                    p.drawLine(QPointF(x * 0.6, -80 + sy), QPointF(x, -54 + sy));
                p.setPen(Qt::NoPen);
            }
            bow(p, head + QPointF(8.5, -8), 2.8, c(ribbon));
            return;
        }
        QRadialGradient fg(head + QPointF(-3, -2), 13);
        fg.setColorAt(0, c(skin.lighter(104)));
        fg.setColorAt(1, c(skin));
        p.setBrush(fg);
        p.drawEllipse(head, 10.4, 11);
        if (!pose.silhouette)
            smallFace(p, head.y() + 1.4, pose.face);
        QPainterPath f;
        const double y = sy;
        f.moveTo(-11.6, -78 + y);
        f.cubicTo(-13, -92 + y, -6, -97.5 + y, 0, -97 + y);
        f.cubicTo(6, -97.5 + y, 13, -92 + y, 11.6, -78 + y);
        f.lineTo(10.2, -82.5 + y);
        const QPointF tips[] = {{7.2, -84.6},  {3.6, -83.6},  {0, -84.8},
                                {-3.8, -83.4}, {-7.4, -84.4}, {-10.2, -82.5}};
        QPointF prev(10.2, -82.5 + y);
        for (QPointF t : tips) {
            t.ry() += y;
            const QPointF notch = (prev + t) / 2 + QPointF(0, -3);
            f.quadTo(notch, t);
            prev = t;
        }
        f.lineTo(-11.6, -78 + y);
        f.closeSubpath();
        // Locks that fall in front of the shoulders.
        QPainterPath locks;
        locks.moveTo(-11.8, -84 + y);
        locks.quadTo(-13.2, -72 + y, -12, -64 + y);
        locks.lineTo(-9.2, -66 + y);
        locks.quadTo(-9.6, -74 + y, -9.4, -82 + y);
        locks.closeSubpath();
        locks.moveTo(11.8, -84 + y);
        locks.quadTo(13.2, -72 + y, 12, -64 + y);
        locks.lineTo(9.2, -66 + y);
        locks.quadTo(9.6, -74 + y, 9.4, -82 + y);
        locks.closeSubpath();
        f = f.united(locks);
        QLinearGradient g(0, -97 + y, 0, -64 + y);
        g.setColorAt(0, c(hairLight));
        g.setColorAt(0.35, c(hair));
        g.setColorAt(1, c(hairDark));
        p.setBrush(g);
        p.drawPath(f);
        if (!pose.silhouette) {
            p.setPen(QPen(QColor(220, 170, 120, 150), 1.1, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(-8, -95.5 + y, 16, 9), 40 * 16, 100 * 16);
            p.setPen(Qt::NoPen);
        }
        bow(p, head + QPointF(-8.5, -8), 2.8, c(ribbon));
    });
    p.restore();

    auto map = [&](QPointF q) { return feet + q * u; };
    out.head = map(head);
    out.leftHand = map(out.leftHand);
    out.rightHand = map(out.rightHand);
    out.unit = u;
    return out;
}

namespace {

void bigEye(QPainter &p, QPointF c, const Portrait &look) {
    const QColor lash(58, 34, 26);
    if (look.face == Face::Laugh || look.face == Face::Asleep) {
        QPainterPath arc;
        if (look.face == Face::Laugh) {
            arc.moveTo(c + QPointF(-5.5, 1.5));
            arc.quadTo(c + QPointF(0, -5.5), c + QPointF(5.5, 1.5));
        } else {
            arc.moveTo(c + QPointF(-5.5, 0));
            arc.quadTo(c + QPointF(0, 4.5), c + QPointF(5.5, 0));
        }
        p.setPen(QPen(lash, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
        return;
    }
    const bool wide = look.face == Face::Surprised;
    const double rx = 5.2, ry = wide ? 6.8 : 6.0;
    const double down = look.lookDown ? 1.6 : 0;
    // The upper lash line is the top edge of the eye: everything above it is lid.
    const double top = look.lookDown ? c.y() - ry * 0.2 : c.y() - ry * 0.62;
    QPainterPath lashes;
    lashes.moveTo(c.x() - rx - 0.6, top + 2.6);
    lashes.quadTo(c.x(), top - 3.6 + (look.lookDown ? 2.0 : 0), c.x() + rx + 0.6, top + 2.6);
    QPainterPath lid = lashes;
    lid.lineTo(c.x() + rx + 2, c.y() - ry - 2);
    lid.lineTo(c.x() - rx - 2, c.y() - ry - 2);
    lid.closeSubpath();
    QPainterPath white;
    white.addEllipse(c, rx, ry);
    white = white.subtracted(lid);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(white);
    p.save();
    p.setClipPath(white);
    const QPointF ic = c + QPointF(0, 0.8 + down);
    QLinearGradient ig(ic + QPointF(0, -5), ic + QPointF(0, 5));
    ig.setColorAt(0, eye.darker(150));
    ig.setColorAt(0.6, eye);
    ig.setColorAt(1, QColor(196, 132, 70));
    p.setBrush(ig);
    const double irx = wide ? 3.2 : 3.9, iry = wide ? 4.2 : 5.0;
    p.drawEllipse(ic, irx, iry);
    p.setBrush(QColor(36, 20, 16));
    p.drawEllipse(ic, irx * 0.45, iry * 0.5);
    p.setBrush(Qt::white);
    p.drawEllipse(ic + QPointF(-1.4, -2.0), 1.35, 1.35);
    p.drawEllipse(ic + QPointF(1.3, 1.8), 0.6, 0.6);
    p.restore();
    // Upper lash line with a flick at the outer corner.
    p.setPen(QPen(lash, 1.7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(lashes);
    const double outer = c.x() < 50 ? -1 : 1;
    p.drawLine(QPointF(c.x() + outer * (rx + 0.4), top + 2.4),
               QPointF(c.x() + outer * (rx + 2.0), top + 0.8));
    p.setPen(QPen(alpha(lash, 0.5), 0.8));
    p.drawArc(QRectF(c.x() - rx * 0.7, c.y() + ry - 2.5, rx * 1.4, 2.2), 200 * 16, 140 * 16);
}

} // namespace

void portrait(QPainter &p, const QRectF &area, const Portrait &look) {
    const double s = std::min(area.width(), area.height()) / 100;
    p.save();
    p.translate(area.center().x() - 50 * s, area.bottom() - 100 * s);
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.translate(50, 78);
    p.rotate(look.headTilt);
    p.translate(-50, -78);

    // Hair behind the shoulders.
    QPainterPath back;
    back.moveTo(27, 34);
    back.cubicTo(20, 60, 18, 84, 16, 104);
    back.lineTo(84, 104);
    back.cubicTo(82, 84, 80, 60, 73, 34);
    back.closeSubpath();
    QLinearGradient bg(0, 30, 0, 104);
    bg.setColorAt(0, hair);
    bg.setColorAt(1, hairDark);
    p.setBrush(bg);
    p.drawPath(back);

    // Shoulders in the dress.
    QPainterPath body;
    body.moveTo(12, 104);
    body.cubicTo(14, 90, 22, 82, 40, 78);
    body.lineTo(60, 78);
    body.cubicTo(78, 82, 86, 90, 88, 104);
    body.closeSubpath();
    QLinearGradient dg(12, 0, 88, 0);
    dg.setColorAt(0, dress.lighter(110));
    dg.setColorAt(1, dressDark);
    p.setBrush(dg);
    p.drawPath(body);
    p.setBrush(skinShade);
    p.drawRect(QRectF(43.5, 62, 13, 18));
    QLinearGradient ng(0, 62, 0, 72);
    ng.setColorAt(0, skinShade.darker(112));
    ng.setColorAt(1, skinShade);
    p.setBrush(ng);
    p.drawRect(QRectF(43.5, 62, 13, 10));
    p.setBrush(collar);
    QPolygonF cl, cr;
    cl << QPointF(50, 90) << QPointF(40.5, 77.5) << QPointF(30, 82) << QPointF(36, 90);
    cr << QPointF(50, 90) << QPointF(59.5, 77.5) << QPointF(70, 82) << QPointF(64, 90);
    p.drawPolygon(cl);
    p.drawPolygon(cr);
    bow(p, QPointF(50, 89), 4, ribbon);

    // Face.
    QPainterPath face;
    face.moveTo(28, 40);
    face.cubicTo(28, 60, 40, 70, 50, 70);
    face.cubicTo(60, 70, 72, 60, 72, 40);
    face.cubicTo(72, 22, 62, 15, 50, 15);
    face.cubicTo(38, 15, 28, 22, 28, 40);
    QRadialGradient fg(QPointF(44, 42), 32);
    fg.setColorAt(0, skin.lighter(104));
    fg.setColorAt(0.8, skin);
    fg.setColorAt(1, skinShade);
    p.setBrush(fg);
    p.drawPath(face);
    p.setBrush(QColor(255, 140, 150, look.face == Face::Sad ? 50 : 90));
    p.drawEllipse(QPointF(35.5, 56), 5, 2.6);
    p.drawEllipse(QPointF(64.5, 56), 5, 2.6);

    bigEye(p, QPointF(39.5, 47), look);
    bigEye(p, QPointF(60.5, 47), look);

    // Brows.
    p.setPen(QPen(hairDark, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const double by = look.face == Face::Surprised ? 35.5 : 38.5;
    for (int side : {-1, 1}) {
        const double outer = 50 + side * 16, inner = 50 + side * 5;
        if (look.face == Face::Sad)
            p.drawLine(QPointF(outer, by + 0.5), QPointF(inner, by - 2.5));
        else {
            QPainterPath b;
            b.moveTo(outer, by + 0.8);
            b.quadTo(50 + side * 10.5, by - 1.6, inner, by);
            p.drawPath(b);
        }
    }
    p.setPen(QPen(skinShade.darker(115), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(50.5, 54), QPointF(49.6, 55.6));

    // Mouth.
    QPainterPath m;
    switch (look.face) {
    case Face::Laugh:
        m.moveTo(43, 59.5);
        m.quadTo(50, 60.5, 57, 59.5);
        m.quadTo(50, 71, 43, 59.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(170, 58, 70));
        p.drawPath(m);
        p.setBrush(QColor(240, 130, 140));
        p.drawEllipse(QPointF(50, 64.6), 3.4, 1.6);
        break;
    case Face::Sad:
        m.moveTo(45.5, 63);
        m.quadTo(50, 60.4, 54.5, 63);
        p.setPen(QPen(QColor(160, 70, 70), 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(m);
        break;
    case Face::Surprised:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(170, 58, 70));
        p.drawEllipse(QPointF(50, 62), 2.6, 3.3);
        break;
    default:
        m.moveTo(44.5, 60);
        m.quadTo(50, look.face == Face::Smile ? 65 : 62.5, 55.5, 60);
        p.setPen(QPen(QColor(160, 70, 70), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(m);
        break;
    }
    if (look.tear) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(170, 210, 255, 220));
        QPainterPath t;
        t.moveTo(63, 53);
        t.quadTo(61.2, 57, 63, 58);
        t.quadTo(64.8, 57, 63, 53);
        p.drawPath(t);
    }

    // Fringe, side locks and shine.
    QPainterPath fringe;
    fringe.moveTo(26.5, 52);
    fringe.cubicTo(21, 20, 37, 7, 50, 7);
    fringe.cubicTo(63, 7, 79, 20, 73.5, 52);
    fringe.lineTo(71.5, 41);
    // Pointed strands, parted a little to her left so the fringe sweeps.
    struct Strand {
        QPointF notch, tip;
    };
    const Strand strands[] = {{{69, 32}, {65.5, 40.5}}, {{63, 29}, {59.5, 38.5}},
                              {{57, 30}, {53, 40}},     {{51.5, 27}, {46.5, 38}},
                              {{44, 30}, {39.5, 40}},   {{37, 31}, {33.5, 41.5}},
                              {{32, 34}, {28.5, 45}}};
    QPointF prev(71.5, 41);
    for (const Strand &st : strands) {
        fringe.quadTo(QPointF((prev.x() + st.notch.x()) / 2 + 0.8, prev.y() - 3), st.notch);
        fringe.quadTo(QPointF(st.notch.x() - 0.5, (st.notch.y() + st.tip.y()) / 2), st.tip);
        prev = st.tip;
    }
    fringe.closeSubpath();
    QPainterPath locks;
    locks.moveTo(27, 40);
    locks.cubicTo(24, 60, 24, 80, 22, 96);
    locks.lineTo(30, 95);
    locks.cubicTo(31, 80, 31, 62, 32.5, 46);
    locks.closeSubpath();
    locks.moveTo(73, 40);
    locks.cubicTo(76, 60, 76, 80, 78, 96);
    locks.lineTo(70, 95);
    locks.cubicTo(69, 80, 69, 62, 67.5, 46);
    locks.closeSubpath();
    fringe = fringe.united(locks);
    QLinearGradient hg(0, 7, 0, 96);
    hg.setColorAt(0, hairLight);
    hg.setColorAt(0.25, hair);
    hg.setColorAt(1, hairDark);
    p.setPen(Qt::NoPen);
    p.setBrush(hg);
    p.drawPath(fringe);
    // The ring of shine on the crown, crossed by the strand lines.
    p.setBrush(Qt::NoBrush);
    QPainterPath shine;
    shine.moveTo(33, 23.5);
    shine.quadTo(50, 10, 67, 23.5);
    p.setPen(QPen(QColor(226, 178, 132, 120), 3.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(shine);
    for (const Strand &st : strands) {
        QPainterPath line;
        line.moveTo(50 + (st.notch.x() - 50) * 0.3, 10);
        line.quadTo(QPointF(50 + (st.notch.x() - 50) * 0.9, 16), st.notch);
        p.setPen(QPen(alpha(hairDark, 0.45), 0.7, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(line);
    }
    bow(p, QPointF(29, 22), 6, ribbon);

    if (look.wave) {
        // A raised hand beside her face, with two small motion marks.
        p.setPen(QPen(skin, 7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(84, 104), QPointF(88, 70));
        p.setPen(Qt::NoPen);
        p.setBrush(dress);
        p.drawEllipse(QPointF(84.5, 100), 7, 6);
        p.setBrush(skin);
        p.drawEllipse(QPointF(88, 65), 5, 5.5);
        for (int k = 0; k < 4; ++k) {
            p.save();
            p.translate(88, 64);
            p.rotate(-24 + k * 15);
            p.drawRoundedRect(QRectF(-1.1, -10.5, 2.2, 7), 1.1, 1.1);
            p.restore();
        }
        p.save();
        p.translate(84, 66);
        p.rotate(-50);
        p.drawRoundedRect(QRectF(-1.2, -6.5, 2.4, 5.5), 1.2, 1.2);
        p.restore();
        p.setPen(QPen(skinShade, 0.5));
        p.drawLine(QPointF(85.5, 67), QPointF(90, 68));
        p.setPen(Qt::NoPen);
        p.setPen(QPen(QColor(255, 255, 255, 200), 1.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(94, 50, 8, 12), -60 * 16, 120 * 16);
        p.drawArc(QRectF(96, 46, 10, 18), -60 * 16, 120 * 16);
    }
    p.restore();
}

} // namespace pg::girl

namespace pg::girl {

Points player(QPainter &p, QPointF feet, double height, bool back, const Arm &left,
              const Arm &right) {
    const double u = height / 100;
    const QColor shirt(244, 244, 238), trousers(46, 56, 92), shoes(60, 44, 38);
    const QColor hairC(40, 32, 30);
    p.save();
    p.translate(feet);
    p.scale(u, u);
    groundShadow(p, QPointF(2, 0), 16, 3, 0.3);
    p.setPen(Qt::NoPen);
    for (int side : {-1, 1}) {
        p.setBrush(trousers);
        p.drawRoundedRect(QRectF(side * 4.4 - 2.9, -48, 5.8, 46), 2, 2);
        p.setBrush(shoes);
        p.drawEllipse(QPointF(side * 5, -1.8), 3.8, 2.1);
    }
    QPainterPath torso;
    torso.moveTo(-8, -74);
    torso.quadTo(-10.5, -73, -10, -68);
    torso.lineTo(-8.5, -46);
    torso.lineTo(8.5, -46);
    torso.lineTo(10, -68);
    torso.quadTo(10.5, -73, 8, -74);
    torso.closeSubpath();
    QLinearGradient g(-10, 0, 10, 0);
    g.setColorAt(0, shirt);
    g.setColorAt(1, shirt.darker(118));
    p.setBrush(g);
    p.drawPath(torso);
    p.setBrush(trousers.darker(120));
    p.drawRect(QRectF(-8.6, -48.5, 17.2, 2.5));
    Points out;
    auto arm = [&](int side, const Arm &a) {
        const QPointF s(side * 8.8, -71);
        const QPointF e = s + dir(side, a.shoulder) * 14;
        const QPointF h = e + dir(side, a.shoulder + a.elbow) * 13;
        p.setPen(QPen(shirt.darker(106), 4.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(s, e);
        p.setPen(QPen(skin, 3.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(e + (h - e) * 0.35, h);
        p.setPen(QPen(shirt.darker(106), 4.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(e, e + (h - e) * 0.35);
        p.setPen(Qt::NoPen);
        p.setBrush(skin);
        p.drawEllipse(h, 2.4, 2.4);
        return h;
    };
    if (!back) {
        // Camera on its strap, resting on his chest.
        p.setPen(QPen(QColor(50, 40, 36), 1.0));
        p.drawLine(QPointF(-6, -74), QPointF(-3, -60));
        p.drawLine(QPointF(6, -74), QPointF(3, -60));
        p.setPen(Qt::NoPen);
        cameraIcon(p, QRectF(-5, -62, 10, 7), QColor(40, 40, 44), QColor(70, 90, 120));
    }
    out.leftHand = arm(-1, left);
    out.rightHand = arm(1, right);
    p.setBrush(skinShade);
    p.drawRect(QRectF(-2.6, -78, 5.2, 5));
    const QPointF head(0, -87);
    p.setBrush(skin);
    p.drawEllipse(head, 10, 10.8);
    QPainterPath h;
    if (back) {
        h.addEllipse(head + QPointF(0, -0.5), 10.6, 11.2);
    } else {
        h.moveTo(-10.6, -84);
        h.cubicTo(-12, -95, -5, -99.5, 0, -99);
        h.cubicTo(6, -99.5, 12.5, -95, 10.6, -84);
        h.lineTo(9, -89);
        h.quadTo(4, -91.5, -1, -89);
        h.quadTo(-5, -91, -8.5, -88);
        h.closeSubpath();
    }
    p.setBrush(hairC);
    p.drawPath(h);
    if (!back) {
        p.setBrush(QColor(40, 30, 26));
        p.drawEllipse(QPointF(-3.8, -85.5), 1.3, 1.8);
        p.drawEllipse(QPointF(3.8, -85.5), 1.3, 1.8);
        p.setPen(QPen(QColor(150, 70, 60), 0.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(-2, -82, 4, 2.4), 200 * 16, 140 * 16);
    }
    p.restore();
    out.head = feet + head * u;
    out.leftHand = feet + out.leftHand * u;
    out.rightHand = feet + out.rightHand * u;
    out.unit = u;
    return out;
}

} // namespace pg::girl
