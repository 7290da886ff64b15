#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QRect>

#include <functional>

namespace tw::demo {

struct SceneLayout;

// Drawing pieces shared by the scene backgrounds and the applicator stamps. Every piece takes its random
// numbers from the generator it is handed, so a picture comes out the same on every run.

// A texture of `base` with soft blotches (value noise over cells of `blotch` pixels) and a fine grain.
QImage noiseTexture(QSize size, const QColor& base, int blotchAmplitude, int grainAmplitude, int blotch,
                    QRandomGenerator& rng);

// A vertical gradient filling `area`.
void paintGradient(QPainter& p, const QRect& area, const QColor& top, const QColor& bottom);

// A few soft clouds spread over `area`.
void paintClouds(QPainter& p, const QRect& area, int count, QRandomGenerator& rng);

// A range of rounded hills: a filled ridge line around baseY, `amplitude` high, over the whole width.
void paintHills(QPainter& p, int width, int baseY, int amplitude, const QColor& colour, QRandomGenerator& rng);

// A tree standing with the foot of its trunk at `foot`: a fir (`conifer`) or a leafy tree.
void paintTree(QPainter& p, QPointF foot, double height, bool conifer, QRandomGenerator& rng);
// A bush resting on `foot` (bottom centre).
void paintBush(QPainter& p, QPointF foot, double width, QRandomGenerator& rng);
// A grey boulder resting on `foot` (bottom centre).
void paintRock(QPainter& p, QPointF foot, double width, QRandomGenerator& rng);
// Small flowers of mixed colours scattered over `area`, skipping points for which `skip` is true.
void paintFlowers(QPainter& p, const QRect& area, int count, QRandomGenerator& rng,
                  const std::function<bool(QPoint)>& skip);
// Short grass blades over `area` in shades around `colour`, skipping points for which `skip` is true.
void paintGrass(QPainter& p, const QRect& area, int count, const QColor& colour, QRandomGenerator& rng,
                const std::function<bool(QPoint)>& skip);

// True when the pixel lies within `margin` pixels of the walkable ground of the layout.
bool nearWalkable(const SceneLayout& layout, QPoint pixel, int margin);

// Lays `texture` (a picture of the scene's size) over the scene's walkable ground. The ground follows the
// cell edges, with corners rounded over about `roundness` pixels and a slightly uneven border, where tufts
// of grass of colour `edgeGrass` grow (none when the colour is invalid).
void paintGround(QPainter& p, const SceneLayout& layout, const QImage& texture, int roundness,
                 const QColor& edgeGrass, QRandomGenerator& rng);

// A soft shadow on the ground under the feet of every character standing in the layout.
void paintCharacterShadows(QPainter& p, const SceneLayout& layout);

// Darkens the picture towards its edges a little, as an old painting.
void paintVignette(QPainter& p, const QRect& area, int strength);

} // namespace tw::demo
