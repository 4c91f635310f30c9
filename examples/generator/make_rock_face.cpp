// Draws the example acquisition: a photograph-like picture of a jointed
// rock face (rock-face.png) and its digitizing (rock-face.dgt): the traces
// of two joint sets as they appear in the picture, a scanline across the
// face, a rectangular window and a contoured window. Everything comes from
// one seeded random generator, so the files are the same at every run.
//
//   ravelin-make-rock-face FOLDER
//
// Built on demand only (cmake --build build --target ravelin-make-rock-face).

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "acquisition/DgtFormat.h"

namespace {

using namespace ravelin;

constexpr int kWidth = 1600;  // pixels; the face is kFaceWidth metres across
constexpr int kHeight = 1000;
constexpr double kFaceWidth = 24;  // metres
constexpr double kUnitsPerPixel = (kReferenceWidth + 1) / kWidth;

std::mt19937 random(20260612);

double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); }

// Smooth noise in [0, 1]: a lattice of random values, cosine-interpolated, summed over octaves.
class ValueNoise {
public:
    explicit ValueNoise(int size) : size_(size), values_(static_cast<std::size_t>(size * size)) {
        for (double& v : values_) v = uniform(0, 1);
    }
    double at(double x, double y, int octaves) const {
        double sum = 0, amplitude = 1, total = 0, frequency = 1;
        for (int o = 0; o < octaves; ++o) {
            sum += amplitude * smooth(x * frequency, y * frequency);
            total += amplitude;
            amplitude *= 0.5;
            frequency *= 2;
        }
        return sum / total;
    }

private:
    double lattice(int x, int y) const {
        const int wx = ((x % size_) + size_) % size_, wy = ((y % size_) + size_) % size_;
        return values_[static_cast<std::size_t>(wy * size_ + wx)];
    }
    double smooth(double x, double y) const {
        const double fx = std::floor(x), fy = std::floor(y);
        const auto ease = [](double t) { return (1 - std::cos(t * std::numbers::pi)) / 2; };
        const double tx = ease(x - fx), ty = ease(y - fy);
        const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
        const double top = lattice(ix, iy) * (1 - tx) + lattice(ix + 1, iy) * tx;
        const double bottom = lattice(ix, iy + 1) * (1 - tx) + lattice(ix + 1, iy + 1) * tx;
        return top * (1 - ty) + bottom * ty;
    }
    int size_;
    std::vector<double> values_;
};

struct Joint {
    QPointF a, b;    // pixels
    double opening;  // pixels
};

// The rock: a buff limestone in facets of slightly different tone (faces of
// blocks turned a little from one another), weathered in broad patches,
// streaked where water runs down, with the grain of the stone.
QImage rock() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const ValueNoise broad(64), grain(256), streaks(128);
    struct Facet {
        double x, y, tone, slopeX, slopeY;
    };
    std::vector<Facet> facets;
    for (int i = 0; i < 140; ++i)
        facets.push_back({uniform(0, kWidth), uniform(0, kHeight), uniform(-0.07, 0.07), uniform(-1, 1) * 2e-4,
                          uniform(-1, 1) * 2e-4});
    std::uniform_int_distribution<int> speck(-3, 3);
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            // The nearest facet, its edge softened by the noise of the stone.
            const double wx = x + 30 * (broad.at(x / 90.0, y / 90.0 + 7, 2) - 0.5);
            const double wy = y + 30 * (broad.at(x / 90.0 + 3, y / 90.0, 2) - 0.5);
            // The two nearest facets, blended across a few pixels: worn edges, not cut ones.
            const Facet* first = &facets[0];
            const Facet* second = &facets[1];
            double d1 = 1e300, d2 = 1e300;
            for (const Facet& f : facets) {
                const double d = std::hypot(f.x - wx, f.y - wy);
                if (d < d1) {
                    d2 = d1, second = first;
                    d1 = d, first = &f;
                } else if (d < d2) {
                    d2 = d, second = &f;
                }
            }
            const auto toneOf = [&](const Facet& f) { return f.tone + (x - f.x) * f.slopeX + (y - f.y) * f.slopeY; };
            const double blend = 0.5 * std::clamp((d2 - d1) / 14.0, 0.0, 1.0) + 0.5;
            const double facetTone = toneOf(*first) * blend + toneOf(*second) * (1 - blend);
            const double weathering = broad.at(x / 300.0, y / 300.0, 4);
            const double streak = std::max(0.0, streaks.at(x / 22.0, y / 260.0, 4) - 0.6) * 0.35;
            const double texture = grain.at(x / 6.0, y / 6.0, 2) - 0.5;
            const double light = 0.84 + 0.16 * (1 - y / double(kHeight));  // lit from above
            const double v = (0.70 + 0.22 * (weathering - 0.5) + facetTone + 0.10 * texture - streak) * light;
            // Buff where weathered, greyer where fresh.
            const double warm = std::clamp(weathering * 1.4 - 0.2, 0.0, 1.0);
            const int g = speck(random);
            const int r = std::clamp(static_cast<int>(v * (196 + 28 * warm)) + g, 0, 255);
            const int gr = std::clamp(static_cast<int>(v * (190 + 8 * warm)) + g, 0, 255);
            const int b = std::clamp(static_cast<int>(v * (184 - 24 * warm)) + g, 0, 255);
            line[x] = qRgb(r, gr, b);
        }
    }
    return image;
}

// A joint set: traces at `angle` degrees from the horizontal (y downwards), centres spread over the face.
std::vector<Joint> jointSet(int count, double angle, double spread, double shortest, double longest) {
    std::vector<Joint> joints;
    for (int i = 0; i < count; ++i) {
        // Evenly spaced along the face with some scatter: a set, not a random cloud.
        const double along = (i + uniform(0.15, 0.85)) / count;
        const double a = (angle + uniform(-spread, spread)) * std::numbers::pi / 180;
        const double half = uniform(shortest, longest) / 2;
        const QPointF centre(60 + along * (kWidth - 120) + uniform(-40, 40), uniform(80, kHeight - 80));
        const QPointF d(half * std::cos(a), half * std::sin(a));
        QPointF p1 = centre - d, p2 = centre + d;
        const auto clampTo = [](QPointF p) {
            return QPointF(std::clamp(p.x(), 4.0, kWidth - 5.0), std::clamp(p.y(), 4.0, kHeight - 5.0));
        };
        joints.push_back({clampTo(p1), clampTo(p2), uniform(3.0, 6.5)});
    }
    return joints;
}

// A joint as the camera sees it: an open crack, wider and narrower along
// its length, in the shadow of its upper lip, with a lit edge above it.
void drawJoint(QPainter& painter, const Joint& joint) {
    const QPointF d = joint.b - joint.a;
    const double length = std::hypot(d.x(), d.y());
    const QPointF normal(-d.y() / length, d.x() / length);
    const int steps = std::max(6, static_cast<int>(length / 10));
    std::vector<QPointF> centre;
    std::vector<double> width;
    double wander = 0;
    for (int s = 0; s <= steps; ++s) {
        const double t = double(s) / steps;
        wander = 0.7 * wander + uniform(-0.9, 0.9);
        const double ends = std::sin(t * std::numbers::pi);  // closing at its tips
        centre.push_back(joint.a + d * t + normal * wander);
        width.push_back(joint.opening * (0.35 + 0.65 * std::sqrt(ends)) * uniform(0.7, 1.3));
    }
    auto band = [&](double scale, QPointF shift) {
        QPolygonF outline;
        for (std::size_t i = 0; i < centre.size(); ++i) outline << centre[i] + shift + normal * (width[i] * scale / 2);
        for (std::size_t i = centre.size(); i-- > 0;) outline << centre[i] + shift - normal * (width[i] * scale / 2);
        return outline;
    };
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 34, 30, 45));  // the shadow the upper lip casts
    painter.drawPolygon(band(4.0, normal * 2.5 + QPointF(1.5, 2)));
    painter.setBrush(QColor(40, 34, 30, 60));
    painter.drawPolygon(band(2.4, normal * 1.2 + QPointF(0.8, 1)));
    painter.setBrush(QColor(250, 244, 232, 55));  // the lit lip
    painter.drawPolygon(band(1.2, normal * -std::max(1.5, joint.opening * 0.8)));
    painter.setBrush(QColor(22, 18, 16, 235));  // the open crack
    painter.drawPolygon(band(1.0, {}));
}

CanvasPoint canvas(QPointF p) { return roundToCanvas(p.x() * kUnitsPerPixel, p.y() * kUnitsPerPixel); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ravelin-make-rock-face FOLDER\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string folder = argv[1];

    QImage image = rock();
    // Set 1 steep, dipping to the right on the face; set 2 gentle, dipping to the left.
    std::vector<Joint> joints = jointSet(22, 72, 6, 280, 700);
    const std::vector<Joint> gentle = jointSet(14, -18, 5, 300, 760);
    joints.insert(joints.end(), gentle.begin(), gentle.end());
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        for (const Joint& joint : joints) drawJoint(painter, joint);
        // Lichen in a few places, mostly along the joints where water seeps.
        for (int i = 0; i < 24; ++i) {
            const Joint& near = joints[static_cast<std::size_t>(i) % joints.size()];
            const double t = uniform(0.1, 0.9);
            const QPointF at = near.a + (near.b - near.a) * t + QPointF(uniform(-25, 25), uniform(-10, 30));
            const double radius = uniform(12, 45);
            QRadialGradient stain(at, radius);
            stain.setColorAt(0, QColor(78, 84, 54, 110));
            stain.setColorAt(1, QColor(78, 84, 54, 0));
            painter.setPen(Qt::NoPen);
            painter.setBrush(stain);
            painter.drawEllipse(at, radius, radius);
        }
    }
    const std::string picture = folder + "/rock-face.png";
    if (!image.save(QString::fromStdString(picture), "PNG", 9)) {
        std::cerr << "cannot write " << picture << "\n";
        return 1;
    }

    DigitizedDocument document;
    document.imageSource = "rock-face.png";  // beside the datafile
    AcquisitionGeometry& g = document.geometry;
    g.scaleText = std::to_string(static_cast<int>(kFaceWidth));
    for (const Joint& joint : joints) g.traces.push_back({canvas(joint.a), canvas(joint.b)});
    g.scanline = {canvas({50, 540}), canvas({1550, 520})};
    g.rectangle = {canvas({330, 200}), canvas({1170, 200}), canvas({1170, 820}), canvas({330, 820})};
    const QPointF contour[] = {{180, 130},  {700, 90},  {1180, 170}, {1480, 380}, {1420, 760},
                               {1050, 900}, {560, 880}, {230, 720},  {120, 420}};
    for (QPointF p : contour) g.contour.push_back(canvas(p));
    const std::string datafile = folder + "/rock-face.dgt";
    std::ofstream(datafile, std::ios::binary) << WriteDigitizedFile(document);
    std::cout << picture << "\n" << datafile << "\n";
    return 0;
}
