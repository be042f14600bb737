#pragma once

#include "kit.h"

// The girl from the park. One look everywhere she appears: long chestnut hair with a red
// ribbon on her right, a sky-blue dress with a white collar (an indigo yukata at the festival).
namespace pg::girl {

inline const QColor skin(252, 224, 204);
inline const QColor skinShade(236, 190, 170);
inline const QColor hair(116, 70, 42);
inline const QColor hairDark(84, 48, 30);
inline const QColor hairLight(168, 112, 70);
inline const QColor ribbon(214, 52, 66);
inline const QColor dress(126, 180, 228);
inline const QColor dressDark(84, 136, 196);
inline const QColor collar(250, 250, 252);
inline const QColor eye(96, 56, 36);
inline const QColor yukata(44, 58, 112);
inline const QColor obi(222, 84, 92);

enum class Face { Calm, Smile, Laugh, Sad, Surprised, Asleep };
enum class View { Front, Back };

// Arm angles in degrees: 0 hangs straight down, positive swings out to her side, 180 points up.
// The elbow bends further by `elbow` degrees the same way.
struct Arm {
    double shoulder = 10;
    double elbow = 6;
};

struct Pose {
    View view = View::Front;
    Face face = Face::Smile;
    Arm left;  // the arm on the viewer's left
    Arm right; // the arm on the viewer's right
    bool sitting = false;
    bool yukata = false;
    bool silhouette = false;
    QColor silhouetteColor{30, 24, 40};
    double headTilt = 0;
};

struct Points {
    QPointF head;
    QPointF leftHand;
    QPointF rightHand;
    double unit = 1; // picture units per figure unit (the figure is 100 units tall)
};

// The whole figure standing (or sitting) with its feet centred on `feet`.
Points figure(QPainter &p, QPointF feet, double height, const Pose &pose);

// Head and shoulders filling `area` (best square); the hand can wave beside the face.
struct Portrait {
    Face face = Face::Smile;
    bool wave = false;
    bool lookDown = false;
    bool tear = false;
    double headTilt = 0;
};
void portrait(QPainter &p, const QRectF &area, const Portrait &look);

// The player as others see him: dark hair, white shirt, navy trousers, a camera on a strap.
// Facing us (with a plain smile) or from behind; returns where his hands are.
Points player(QPainter &p, QPointF feet, double height, bool back, const Arm &left = {},
              const Arm &right = {});

} // namespace pg::girl
