#include "panel/artwork_drawing.h"

#include "panel/artwork_canvas.h"
#include "panel/fonts.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace artwork {
namespace {

// Everything below is in pixels of the 820 x 616 picture; 15 twips make one pixel.
using drawing::kBackgroundSize;

// Picture1 (600, 4680, 9975 x 2175 twips) and its user scale: y = 2 at the top, -0.8 at the bottom.
constexpr QRectF kChartBox(40, 312, 665, 145);
constexpr double kChartTop = 2.0;
constexpr double kChartBottom = -0.8;

// The framed panel behind the value labels and the keypad (6450..9570 x 90..4320 twips), and its
// divider between the status labels and the keypad (2025 twips).
constexpr QRectF kPanel(430, 6, 208, 282);
constexpr double kPanelDivider = 135;

// The swirl of light: its centre and its radii across and down.
constexpr QPointF kSwirlCentre(218, 128);
constexpr double kSwirlRadiusX = 190;
constexpr double kSwirlRadiusY = 112;

const QColor kInk(16, 34, 72);           // the chart heading, frame and figures
const QColor kFieldTop(214, 234, 252);   // the light-blue field
const QColor kFieldBottom(178, 210, 243);
const QColor kCyan(0, 238, 255);

// Three passes of a box blur approach a Gaussian: the glow around the arms of light.
void boxBlur(QImage& image, int radius)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<QRgb> line(static_cast<size_t>(std::max(w, h)));
    auto blurLine = [&](QRgb* first, int count, int stride) {
        for (int i = 0; i < count; ++i)
            line[static_cast<size_t>(i)] = first[i * stride];
        std::array<int, 4> sum{};
        auto add = [&](int i, int sign) {
            const QRgb p = line[static_cast<size_t>(std::clamp(i, 0, count - 1))];
            sum[0] += sign * qAlpha(p);
            sum[1] += sign * qRed(p);
            sum[2] += sign * qGreen(p);
            sum[3] += sign * qBlue(p);
        };
        for (int i = -radius; i <= radius; ++i)
            add(i, 1);
        const int n = 2 * radius + 1;
        for (int i = 0; i < count; ++i) {
            first[i * stride] = qRgba(sum[1] / n, sum[2] / n, sum[3] / n, sum[0] / n);
            add(i + radius + 1, 1);
            add(i - radius, -1);
        }
    };
    auto* bits = reinterpret_cast<QRgb*>(image.bits());
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            blurLine(bits + y * w, w, 1);
        for (int x = 0; x < w; ++x)
            blurLine(bits + x, h, w);
    }
}


void paintField(QPainter& p)
{
    QLinearGradient field(0, 0, 0, kBackgroundSize.height());
    field.setColorAt(0, kFieldTop);
    field.setColorAt(1, kFieldBottom);
    p.fillRect(QRect(QPoint(0, 0), kBackgroundSize), field);
}

// The dark-blue glow at the heart of the swirl: an ellipse that fades out into the field.
void paintGlow(QPainter& p)
{
    QRadialGradient glow(QPointF(0, 0), 1.0);
    glow.setColorAt(0.0, QColor(4, 10, 52));
    glow.setColorAt(0.35, QColor(8, 30, 112, 235));
    glow.setColorAt(0.65, QColor(22, 76, 178, 130));
    glow.setColorAt(1.0, QColor(60, 130, 220, 0));
    p.save();
    p.translate(kSwirlCentre);
    p.rotate(-10);
    p.scale(kSwirlRadiusX * 1.05, kSwirlRadiusY * 1.15);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(0, 0), 1.0, 1.0);
    p.restore();
}

struct Arm {
    double startAngle; // radians
    double sweep;      // radians
    double innerRadius, outerRadius; // fractions of the swirl's radii
    double width;      // widest point, pixels
};

// One arm of light as a filled ribbon along a widening spiral, tapered at both ends.
QPainterPath armPath(const Arm& arm)
{
    constexpr int kSteps = 90;
    QTransform tilt;
    tilt.rotate(-10);
    auto pointAt = [&](double t) {
        const double angle = arm.startAngle + arm.sweep * t;
        const double r = arm.innerRadius + (arm.outerRadius - arm.innerRadius) * std::pow(t, 0.8);
        return tilt.map(QPointF(std::cos(angle) * r * kSwirlRadiusX, std::sin(angle) * r * kSwirlRadiusY));
    };
    QPolygonF left, right;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = double(i) / kSteps;
        const QPointF at = pointAt(t);
        const QPointF ahead = pointAt(std::min(1.0, t + 0.002)) - pointAt(std::max(0.0, t - 0.002));
        const double length = std::hypot(ahead.x(), ahead.y());
        const QPointF normal(-ahead.y() / length, ahead.x() / length);
        // Thin at the core, widest two thirds out, a fine point at the tip.
        const double half = 0.5 * arm.width * std::pow(std::sin(M_PI * std::pow(t, 0.75)), 1.4) + 0.15;
        left << at + normal * half;
        right.prepend(at - normal * half);
    }
    QPainterPath path;
    path.addPolygon(left + right);
    path.closeSubpath();
    path.translate(kSwirlCentre);
    return path;
}

QList<QPainterPath> swirlArms()
{
    static const Arm arms[] = {
        {0.00, 4.4, 0.10, 1.00, 15},  {1.05, 4.0, 0.16, 0.92, 10}, {2.10, 4.3, 0.08, 0.98, 13},
        {3.15, 3.8, 0.20, 0.86, 8},   {4.20, 4.2, 0.12, 0.95, 12}, {5.25, 3.6, 0.22, 0.80, 7},
        {0.55, 3.0, 0.30, 0.70, 4},   {2.65, 2.8, 0.34, 0.74, 4},  {4.75, 3.1, 0.28, 0.66, 3},
    };
    QList<QPainterPath> paths;
    for (const Arm& arm : arms)
        paths << armPath(arm);
    return paths;
}

// The arms' light: white-hot near the core, bright blue further out, fading at the rim.
QBrush armLight()
{
    QRadialGradient light(QPointF(0, 0), 1.0);
    light.setColorAt(0.0, QColor(255, 255, 255, 255));
    light.setColorAt(0.30, QColor(190, 236, 255, 255));
    light.setColorAt(0.60, QColor(70, 170, 255, 235));
    light.setColorAt(0.85, QColor(40, 120, 255, 150));
    light.setColorAt(1.0, QColor(40, 120, 255, 0));
    QBrush brush(light);
    QTransform shape;
    shape.translate(kSwirlCentre.x(), kSwirlCentre.y());
    shape.rotate(-10);
    shape.scale(kSwirlRadiusX * 1.05, kSwirlRadiusY * 1.05);
    brush.setTransform(shape);
    return brush;
}

// The arms drawn sharp over a blurred copy of themselves, added to the light already there.
void paintSwirl(QPainter& p)
{
    const QList<QPainterPath> arms = swirlArms();
    const QBrush light = armLight();
    QRectF reach;
    for (const QPainterPath& arm : arms)
        reach |= arm.boundingRect();
    reach.adjust(-24, -24, 24, 24);
    // The glow is blurred at half resolution over the swirl alone: cheap, and it is soft anyway.
    QImage glow((reach.size() / 2).toSize(), QImage::Format_ARGB32_Premultiplied);
    glow.fill(Qt::transparent);
    {
        QPainter g(&glow);
        g.setRenderHint(QPainter::Antialiasing);
        g.scale(0.5, 0.5);
        g.translate(-reach.topLeft());
        g.setPen(Qt::NoPen);
        g.setBrush(light);
        for (const QPainterPath& arm : arms)
            g.drawPath(arm);
    }
    boxBlur(glow, 4);
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.setOpacity(0.8);
    p.drawImage(reach.topLeft(), glow.scaled(glow.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    p.setOpacity(0.9);
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    for (const QPainterPath& arm : arms)
        p.drawPath(arm);
    p.restore();
}

// A few points of light scattered along the swirl.
void paintSparkles(QPainter& p)
{
    static const QPointF points[] = {{120, 70}, {302, 92}, {250, 190}, {150, 168}, {330, 150}, {196, 52}};
    static const double radii[] = {9, 7, 8, 6, 5, 6};
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.setPen(Qt::NoPen);
    for (size_t i = 0; i < std::size(points); ++i) {
        QRadialGradient spark(points[i], radii[i]);
        spark.setColorAt(0.0, QColor(255, 255, 255, 230));
        spark.setColorAt(0.25, QColor(150, 215, 255, 140));
        spark.setColorAt(1.0, QColor(60, 140, 255, 0));
        p.setBrush(spark);
        p.drawEllipse(points[i], radii[i], radii[i]);
    }
    p.restore();
}

// The model designation in large blue capitals outlined in red, set with a slight forward lean.
void paintModelName(QPainter& p)
{
    QFont font = canvas::latinFont(54);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("KVR6718"));
    const QRectF bounds = text.boundingRect();
    QTransform place;
    place.translate(262 - bounds.center().x(), 262);
    place.shear(-0.12, 0);
    text = place.map(text);
    const QRectF box = text.boundingRect();

    p.save();
    // A soft shadow lifts the letters off the swirl.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 10, 50, 60));
    p.drawPath(text.translated(3, 4));
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0.0, QColor(120, 196, 255));
    fill.setColorAt(0.45, QColor(26, 110, 240));
    fill.setColorAt(0.55, QColor(12, 76, 214));
    fill.setColorAt(1.0, QColor(6, 40, 150));
    p.setPen(QPen(QColor(230, 24, 24), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(text);
    p.restore();
}

// The tall framed panel behind the value labels and the keypad.
void paintPanel(QPainter& p)
{
    const QRectF frame = kPanel.adjusted(1, 1, -1, -1);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 20, 70, 60));
    p.drawRoundedRect(frame.translated(2, 3), 10, 10);
    QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
    fill.setColorAt(0.0, QColor(104, 150, 226));
    fill.setColorAt(1.0, QColor(74, 118, 206));
    p.setBrush(fill);
    p.setPen(QPen(kCyan, 2));
    p.drawRoundedRect(frame, 10, 10);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame.adjusted(2.5, 2.5, -2.5, -2.5), 8, 8);
    p.setPen(QPen(kCyan, 1));
    p.drawLine(QPointF(frame.left() + 1, kPanelDivider + 0.5), QPointF(frame.right() - 1, kPanelDivider + 0.5));
    p.restore();
}

// Screw heads in the panel's corners.
void paintScrews(QPainter& p)
{
    const double inset = 9;
    const QPointF heads[] = {kPanel.topLeft() + QPointF(inset, inset), kPanel.topRight() + QPointF(-inset, inset),
                             kPanel.bottomLeft() + QPointF(inset, -inset),
                             kPanel.bottomRight() + QPointF(-inset, -inset)};
    p.save();
    for (const QPointF& at : heads) {
        QRadialGradient metal(at - QPointF(1.2, 1.2), 4.5);
        metal.setColorAt(0, QColor(240, 248, 255));
        metal.setColorAt(1, QColor(110, 140, 190));
        p.setPen(QPen(QColor(30, 60, 120), 0.8));
        p.setBrush(metal);
        p.drawEllipse(at, 3.4, 3.4);
        p.setPen(QPen(QColor(40, 70, 130), 1.0));
        p.drawLine(at + QPointF(-2, 1.2), at + QPointF(2, -1.2));
    }
    p.restore();
}

double chartY(double value)
{
    return kChartBox.top() + (kChartTop - value) / (kChartTop - kChartBottom) * kChartBox.height();
}

// The chart's heading, the frame around Picture1 and the y-axis figures to its left.
void paintChartFrame(QPainter& p)
{
    p.save();
    QFont heading = songFont(10);
    heading.setPixelSize(14);
    p.setFont(heading);
    p.setPen(kInk);
    p.drawText(QRectF(kChartBox.left(), 284, 400, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("泵当前压力（单位：MPa）"));

    const QRectF frame = kChartBox.adjusted(-0.5, -0.5, 0.5, 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 20, 70, 45));
    p.drawRect(frame.translated(2, 2));
    // The box itself is white, as Picture1 is, and the frame sits on the pixels just outside it.
    p.setBrush(Qt::white);
    p.setPen(QPen(kInk, 1));
    p.drawRect(frame);

    p.setFont(canvas::latinFont(11));
    for (double value : {2.0, 1.5, 1.0, 0.5, 0.0}) {
        const double y = chartY(value);
        p.drawLine(QPointF(kChartBox.left() - 5, y), QPointF(kChartBox.left() - 1, y));
        p.drawText(QRectF(0, y - 8, kChartBox.left() - 7, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(value, 'f', 1));
    }
    p.restore();
}

} // namespace

QImage drawing::background()
{
    QImage image = canvas::blank(kBackgroundSize);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paintField(p);
    paintGlow(p);
    paintSwirl(p);
    paintSparkles(p);
    paintModelName(p);
    paintPanel(p);
    paintScrews(p);
    paintChartFrame(p);
    p.end();
    return image;
}

} // namespace artwork
