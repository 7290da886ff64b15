#include "make-demo/landscapekit.h"

#include "make-demo/demolayout.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace tw::demo {

namespace {

constexpr double kPi = std::numbers::pi;
const QColor kInk(40, 32, 26);

QColor jitter(const QColor& c, int amount, QRandomGenerator& rng) {
    const int d = rng.bounded(-amount, amount + 1);
    return QColor(std::clamp(c.red() + d, 0, 255), std::clamp(c.green() + d, 0, 255),
                  std::clamp(c.blue() + d, 0, 255));
}

double smooth(double t) { return t * t * (3.0 - 2.0 * t); }

} // namespace

QImage noiseTexture(QSize size, const QColor& base, int blotchAmplitude, int grainAmplitude, int blotch,
                    QRandomGenerator& rng) {
    // Value noise: random values on a coarse grid, blended smoothly in between, plus a per-pixel grain.
    const int gw = size.width() / blotch + 2, gh = size.height() / blotch + 2;
    std::vector<double> grid(static_cast<std::size_t>(gw * gh));
    for (double& v : grid) v = rng.generateDouble() * 2.0 - 1.0;
    auto at = [&](int gx, int gy) { return grid[static_cast<std::size_t>(gy * gw + gx)]; };
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const int gy = y / blotch;
        const double fy = smooth(double(y % blotch) / blotch);
        for (int x = 0; x < size.width(); ++x) {
            const int gx = x / blotch;
            const double fx = smooth(double(x % blotch) / blotch);
            const double top = at(gx, gy) * (1 - fx) + at(gx + 1, gy) * fx;
            const double bottom = at(gx, gy + 1) * (1 - fx) + at(gx + 1, gy + 1) * fx;
            const int d = int((top * (1 - fy) + bottom * fy) * blotchAmplitude) +
                          (grainAmplitude > 0 ? rng.bounded(-grainAmplitude, grainAmplitude + 1) : 0);
            line[x] = qRgb(std::clamp(base.red() + d, 0, 255), std::clamp(base.green() + d, 0, 255),
                           std::clamp(base.blue() + d, 0, 255));
        }
    }
    return image;
}

void paintGradient(QPainter& p, const QRect& area, const QColor& top, const QColor& bottom) {
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(area, g);
}

void paintClouds(QPainter& p, const QRect& area, int count, QRandomGenerator& rng) {
    p.save();
    p.setPen(Qt::NoPen);
    for (int c = 0; c < count; ++c) {
        const QPointF centre(area.left() + rng.bounded(area.width()), area.top() + rng.bounded(area.height()));
        const double w = 60 + rng.bounded(90);
        const int puffs = 5 + rng.bounded(4);
        for (int layer = 0; layer < 2; ++layer) {
            QRandomGenerator shape(static_cast<quint32>(c * 31 + 7));
            p.setBrush(layer == 0 ? QColor(200, 210, 226, 200) : QColor(255, 255, 255, 230));
            for (int i = 0; i < puffs; ++i) {
                const double x = centre.x() + (i / double(puffs - 1) - 0.5) * w;
                const double r = w * (0.16 + 0.1 * shape.generateDouble()) *
                                 (1.0 - std::abs(i / double(puffs - 1) - 0.5));
                const double lift = layer == 0 ? 0.0 : -r * 0.25;
                p.drawEllipse(QPointF(x, centre.y() - r * 0.4 + lift), r * 1.3, r);
            }
        }
    }
    p.restore();
}

void paintHills(QPainter& p, int width, int baseY, int amplitude, const QColor& colour, QRandomGenerator& rng) {
    const double f1 = 0.004 + rng.generateDouble() * 0.004, f2 = 0.011 + rng.generateDouble() * 0.01;
    const double o1 = rng.generateDouble() * 6.28, o2 = rng.generateDouble() * 6.28;
    QPainterPath ridge;
    ridge.moveTo(0, baseY + amplitude * 2);
    for (int x = 0; x <= width; x += 8) {
        const double h = 0.65 * std::sin(x * f1 + o1) + 0.35 * std::sin(x * f2 + o2);
        ridge.lineTo(x, baseY - h * amplitude);
    }
    ridge.lineTo(width, baseY + amplitude * 2 + 400);
    ridge.lineTo(0, baseY + amplitude * 2 + 400);
    ridge.closeSubpath();
    p.save();
    p.setPen(Qt::NoPen);
    QLinearGradient g(0, baseY - amplitude, 0, baseY + amplitude * 2);
    g.setColorAt(0, colour.lighter(108));
    g.setColorAt(1, colour.darker(110));
    p.setBrush(g);
    p.drawPath(ridge);
    p.restore();
}

void paintTree(QPainter& p, QPointF foot, double height, bool conifer, QRandomGenerator& rng) {
    p.save();
    p.setPen(QPen(kInk, 1.0));
    const double trunkW = std::max(4.0, height * 0.07);
    p.setBrush(QColor(104, 70, 42));
    p.drawRect(QRectF(foot.x() - trunkW / 2, foot.y() - height * 0.32, trunkW, height * 0.32));
    if (conifer) {
        const int tiers = 4;
        const QColor green = jitter(QColor(38, 92, 56), 10, rng);
        for (int t = 0; t < tiers; ++t) {
            const double bottom = foot.y() - height * (0.18 + 0.19 * t);
            const double half = height * (0.3 - 0.055 * t);
            const double top = bottom - height * 0.36;
            QPainterPath tier;
            tier.moveTo(foot.x() - half, bottom);
            tier.quadTo(foot.x(), bottom + height * 0.04, foot.x() + half, bottom);
            tier.lineTo(foot.x(), top);
            tier.closeSubpath();
            p.setPen(QPen(kInk, 1.0));
            p.setBrush(green.darker(100 + 6 * (tiers - t)));
            p.drawPath(tier);
            QPainterPath light;
            light.moveTo(foot.x(), top + 3);
            light.lineTo(foot.x() - half * 0.8, bottom - 2);
            light.lineTo(foot.x() - half * 0.2, bottom - 4);
            light.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(green.lighter(125));
            p.drawPath(light);
        }
    } else {
        const QColor green = jitter(QColor(62, 128, 52), 12, rng);
        const QPointF crown(foot.x(), foot.y() - height * 0.6);
        const double r = height * 0.34;
        p.setPen(QPen(kInk, 1.0));
        p.drawLine(QPointF(foot.x(), foot.y() - height * 0.3), crown + QPointF(-r * 0.4, 0));
        p.drawLine(QPointF(foot.x(), foot.y() - height * 0.3), crown + QPointF(r * 0.45, r * 0.1));
        for (int pass = 0; pass < 3; ++pass) {
            const QColor shade = pass == 0 ? green.darker(135) : pass == 1 ? green : green.lighter(130);
            p.setPen(pass == 0 ? QPen(kInk, 1.0) : QPen(Qt::NoPen));
            p.setBrush(shade);
            QRandomGenerator blobs(static_cast<quint32>(height * 13 + foot.x()));
            for (int i = 0; i < 9; ++i) {
                const double a = i / 9.0 * 2 * kPi;
                const double rr = r * (0.45 + 0.15 * blobs.generateDouble());
                QPointF c = crown + QPointF(std::cos(a) * r * 0.55, std::sin(a) * r * 0.45);
                if (pass == 1) c += QPointF(-rr * 0.12, -rr * 0.15);
                if (pass == 2) c += QPointF(-rr * 0.3, -rr * 0.35);
                const double scale = pass == 2 ? 0.45 : pass == 1 ? 0.85 : 1.0;
                if (pass == 2 && std::sin(a) > 0.2) continue; // highlights only on the sunny upper side
                p.drawEllipse(c, rr * scale, rr * scale * 0.9);
            }
            p.drawEllipse(crown, r * 0.55 * (pass == 2 ? 0.0 : 1.0), r * 0.5 * (pass == 2 ? 0.0 : 1.0));
        }
    }
    p.restore();
}

void paintBush(QPainter& p, QPointF foot, double width, QRandomGenerator& rng) {
    // A dome of leaf clumps: a wide lower row and a narrower upper row, each clump lit from the top left.
    p.save();
    const QColor green = jitter(QColor(56, 118, 50), 12, rng);
    struct Clump {
        QPointF centre;
        double r;
    };
    QList<Clump> clumps;
    const double r = width * 0.2;
    for (int i = 0; i < 4; ++i)
        clumps.append({foot + QPointF((i - 1.5) * r * 1.15, -r * 0.95), r * (0.9 + 0.2 * rng.generateDouble())});
    for (int i = 0; i < 3; ++i)
        clumps.append({foot + QPointF((i - 1.0) * r * 1.1, -r * 1.9), r * (0.85 + 0.2 * rng.generateDouble())});
    clumps.append({foot + QPointF(0, -r * 2.6), r * 0.8});
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(green.darker(115));
    for (const Clump& c : clumps) p.drawEllipse(c.centre, c.r, c.r * 0.85);
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    for (const Clump& c : clumps) p.drawEllipse(c.centre + QPointF(-c.r * 0.12, -c.r * 0.12), c.r * 0.8, c.r * 0.68);
    p.setBrush(green.lighter(135));
    for (const Clump& c : clumps) p.drawEllipse(c.centre + QPointF(-c.r * 0.3, -c.r * 0.35), c.r * 0.38, c.r * 0.28);
    p.restore();
}

void paintRock(QPainter& p, QPointF foot, double width, QRandomGenerator& rng) {
    p.save();
    const double h = width * (0.5 + 0.15 * rng.generateDouble());
    QPainterPath rock;
    rock.moveTo(foot.x() - width / 2, foot.y());
    rock.cubicTo(foot.x() - width * 0.55, foot.y() - h * 0.7, foot.x() - width * 0.2, foot.y() - h * 1.05,
                 foot.x() + width * 0.1, foot.y() - h);
    rock.cubicTo(foot.x() + width * 0.45, foot.y() - h * 0.95, foot.x() + width * 0.55, foot.y() - h * 0.4,
                 foot.x() + width / 2, foot.y());
    rock.closeSubpath();
    QLinearGradient g(foot.x() - width / 2, foot.y() - h, foot.x() + width / 2, foot.y());
    const QColor grey = jitter(QColor(140, 136, 128), 10, rng);
    g.setColorAt(0, grey.lighter(125));
    g.setColorAt(1, grey.darker(135));
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(g);
    p.drawPath(rock);
    p.setPen(QPen(grey.darker(160), 1.0));
    p.drawLine(QPointF(foot.x() + width * 0.05, foot.y() - h * 0.8), QPointF(foot.x() + width * 0.15, foot.y() - h * 0.45));
    p.drawLine(QPointF(foot.x() + width * 0.15, foot.y() - h * 0.45), QPointF(foot.x() + width * 0.3, foot.y() - h * 0.3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(QPointF(foot.x() - width * 0.18, foot.y() - h * 0.72), width * 0.16, h * 0.12);
    p.restore();
}

void paintFlowers(QPainter& p, const QRect& area, int count, QRandomGenerator& rng,
                  const std::function<bool(QPoint)>& skip) {
    const QColor petals[] = {QColor(250, 250, 245), QColor(250, 220, 70), QColor(236, 120, 170),
                             QColor(120, 150, 240), QColor(230, 70, 60)};
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPoint at(area.left() + rng.bounded(area.width()), area.top() + rng.bounded(area.height()));
        if (skip && skip(at)) continue;
        const double r = 1.2 + (at.y() - area.top()) / double(area.height()) * 1.4;
        p.setBrush(petals[rng.bounded(5)]);
        for (int k = 0; k < 4; ++k)
            p.drawEllipse(QPointF(at) + QPointF(std::cos(k * kPi / 2) * r, std::sin(k * kPi / 2) * r * 0.8), r, r);
        p.setBrush(QColor(250, 200, 40));
        p.drawEllipse(QPointF(at), r * 0.7, r * 0.7);
    }
    p.restore();
}

void paintGrass(QPainter& p, const QRect& area, int count, const QColor& colour, QRandomGenerator& rng,
                const std::function<bool(QPoint)>& skip) {
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        const QPoint at(area.left() + rng.bounded(area.width()), area.top() + rng.bounded(area.height()));
        if (skip && skip(at)) continue;
        // Blades nearer the bottom of the picture are nearer the viewer: longer and thicker.
        const double depth = 0.5 + (at.y() - area.top()) / double(std::max(1, area.height()));
        const double len = (4 + rng.bounded(7)) * depth;
        const double lean = (rng.generateDouble() - 0.5) * len * 0.8;
        p.setPen(QPen(jitter(colour, 28, rng), 0.8 + depth * 0.5, Qt::SolidLine, Qt::RoundCap));
        QPainterPath blade;
        blade.moveTo(at);
        blade.quadTo(QPointF(at) + QPointF(lean * 0.2, -len * 0.6), QPointF(at) + QPointF(lean, -len));
        p.drawPath(blade);
    }
    p.restore();
}

bool nearWalkable(const SceneLayout& layout, QPoint pixel, int margin) {
    for (const QRect& cells : layout.walkable)
        if (cellsToPixels(cells).adjusted(-margin, -margin, margin, margin).contains(pixel)) return true;
    return false;
}

namespace {

// Running-sum box blur of a width x height map along rows (dx = 1) or columns.
void boxBlur(std::vector<float>& map, int width, int height, int radius, bool alongRows) {
    const int lines = alongRows ? height : width, length = alongRows ? width : height;
    std::vector<float> line(static_cast<std::size_t>(length));
    for (int l = 0; l < lines; ++l) {
        auto index = [&](int i) {
            return static_cast<std::size_t>(alongRows ? l * width + i : i * width + l);
        };
        for (int i = 0; i < length; ++i) line[static_cast<std::size_t>(i)] = map[index(i)];
        double sum = 0;
        auto value = [&](int i) { return line[static_cast<std::size_t>(std::clamp(i, 0, length - 1))]; };
        for (int i = -radius; i <= radius; ++i) sum += value(i);
        for (int i = 0; i < length; ++i) {
            map[index(i)] = float(sum / (2 * radius + 1));
            sum += value(i + radius + 1) - value(i - radius);
        }
    }
}

} // namespace

void paintGround(QPainter& p, const SceneLayout& layout, const QImage& texture, int roundness,
                 const QColor& edgeGrass, QRandomGenerator& rng) {
    // The cells are blurred and cut at one half: straight edges stay exactly on the cell lines, corners
    // round off, and a little noise in the cut makes the edge look trodden rather than ruled.
    const int w = texture.width(), h = texture.height();
    std::vector<float> cover(static_cast<std::size_t>(w * h), 0.0f);
    for (const QRect& cells : layout.walkable) {
        const QRect px = cellsToPixels(cells).intersected(QRect(0, 0, w, h));
        for (int y = px.top(); y <= px.bottom(); ++y)
            for (int x = px.left(); x <= px.right(); ++x) cover[static_cast<std::size_t>(y * w + x)] = 1.0f;
    }
    if (roundness > 0)
        for (int pass = 0; pass < 2; ++pass) {
            boxBlur(cover, w, h, roundness, true);
            boxBlur(cover, w, h, roundness, false);
        }
    const QImage wobble = noiseTexture(QSize(w, h), QColor(128, 128, 128), 60, 0, 9, rng);
    QImage ground(w, h, QImage::Format_ARGB32);
    QList<QPoint> edge;
    for (int y = 0; y < h; ++y) {
        const auto* tex = reinterpret_cast<const QRgb*>(texture.constScanLine(y));
        const auto* wob = reinterpret_cast<const QRgb*>(wobble.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(ground.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const float c = cover[static_cast<std::size_t>(y * w + x)];
            const float cut = 0.5f + (qRed(wob[x]) - 128) / 128.0f * 0.22f * (roundness > 0 ? 1.0f : 0.0f);
            const float alpha = std::clamp((c - cut) * 14.0f + 0.5f, 0.0f, 1.0f);
            out[x] = qRgba(qRed(tex[x]), qGreen(tex[x]), qBlue(tex[x]), int(alpha * 255));
            if (alpha > 0.3f && alpha < 0.7f && (x + y) % 3 == 0) edge.append(QPoint(x, y));
        }
    }
    p.drawImage(0, 0, ground);
    if (!edgeGrass.isValid()) return;
    // Tufts along the border hide the last hard pixels of the edge.
    p.save();
    for (const QPoint& at : edge) {
        if (rng.bounded(3) != 0) continue;
        const double len = 3 + rng.bounded(6);
        const double lean = (rng.generateDouble() - 0.5) * 5;
        p.setPen(QPen(jitter(edgeGrass, 25, rng), 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(at) + QPointF(0, 1), QPointF(at) + QPointF(lean, 1 - len));
    }
    p.restore();
}

void paintCharacterShadows(QPainter& p, const SceneLayout& layout) {
    p.save();
    p.setPen(Qt::NoPen);
    for (const SpotPlacement& spot : layout.spots) {
        if (!isCharacterAnimation(spot.animation)) continue;
        const QPointF feet = characterRect(spot).bottomLeft() + QPointF(kCharacterFrameSize.width() / 2.0, -1.0);
        // A round soft shadow squashed flat, so it fades out evenly towards every side.
        p.save();
        p.translate(feet);
        p.scale(1.0, 0.3);
        QRadialGradient shade(QPointF(0, 0), 20);
        shade.setColorAt(0, QColor(0, 0, 0, 110));
        shade.setColorAt(1, QColor(0, 0, 0, 0));
        p.setBrush(shade);
        p.drawEllipse(QPointF(0, 0), 20.0, 20.0);
        p.restore();
    }
    p.restore();
}

void paintVignette(QPainter& p, const QRect& area, int strength) {
    QRadialGradient g(area.center(), area.width() * 0.75);
    g.setColorAt(0.55, QColor(0, 0, 0, 0));
    g.setColorAt(1.0, QColor(0, 0, 0, strength));
    p.fillRect(area, g);
}

} // namespace tw::demo
