#include "ui/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>
#include <map>

namespace ravelin {

namespace {

using Painter = std::function<void(QPainter&)>;

const QColor kInk(40, 48, 60);
const QColor kPaper(252, 252, 248);
const QColor kAccent(30, 110, 200);
const QColor kRock(150, 110, 80);

QPen pen(const QColor& color, double width = 1.6) {
    QPen p(color, width);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void page(QPainter& p, QRectF r) {
    p.setPen(pen(kInk, 1.3));
    p.setBrush(kPaper);
    p.drawRect(r);
}

void letter(QPainter& p, const QString& text, bool bold, bool italic, bool underline) {
    QFont font("DejaVu Serif");
    font.setPixelSize(22);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, text);
}

void alignment(QPainter& p, int mode) {
    p.setPen(pen(kInk, 2));
    const double widths[] = {22, 14, 20, 12};
    for (int i = 0; i < 4; ++i) {
        const double w = widths[i];
        const double x = mode == 0 ? 5 : mode == 1 ? 16 - w / 2 : 27 - w;
        p.drawLine(QPointF(x, 8 + i * 5.5), QPointF(x + w, 8 + i * 5.5));
    }
}

const std::map<std::string, Painter>& painters() {
    static const std::map<std::string, Painter> map = {
        {"NewData",
         [](QPainter& p) {
             page(p, QRectF(6, 4, 20, 24));
             p.setPen(pen(kInk, 1));
             for (int i = 1; i < 5; ++i) p.drawLine(QPointF(6, 4 + i * 4.8), QPointF(26, 4 + i * 4.8));
             p.drawLine(QPointF(12, 4), QPointF(12, 28));
             p.setPen(pen(kAccent, 2.2));
             p.drawLine(QPointF(24, 20), QPointF(24, 30));
             p.drawLine(QPointF(19, 25), QPointF(29, 25));
         }},
        {"NewScan",
         [](QPainter& p) {
             page(p, QRectF(3, 6, 26, 20));
             const QPolygonF cliff({QPointF(4, 25), QPointF(12, 11), QPointF(17, 17), QPointF(22, 9), QPointF(28, 25)});
             p.setPen(Qt::NoPen);
             p.setBrush(kRock);
             p.drawPolygon(cliff);
             p.setPen(pen(kAccent, 2));
             p.drawLine(QPointF(6, 20), QPointF(26, 20));
         }},
        {"Open",
         [](QPainter& p) {
             p.setPen(pen(kInk, 1.3));
             p.setBrush(QColor(240, 200, 90));
             const QPolygonF folder({QPointF(3, 8), QPointF(12, 8), QPointF(14, 11), QPointF(28, 11), QPointF(28, 26), QPointF(3, 26)});
             p.drawPolygon(folder);
             p.setBrush(QColor(250, 220, 120));
             const QPolygonF flap({QPointF(3, 26), QPointF(8, 15), QPointF(31, 15), QPointF(28, 26)});
             p.drawPolygon(flap);
         }},
        {"Save",
         [](QPainter& p) {
             p.setPen(pen(kInk, 1.3));
             p.setBrush(kAccent);
             p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
             p.setBrush(kPaper);
             p.drawRect(QRectF(9, 4, 14, 9));
             p.setBrush(QColor(220, 225, 235));
             p.drawRect(QRectF(8, 17, 16, 11));
         }},
        {"Print",
         [](QPainter& p) {
             page(p, QRectF(9, 3, 14, 9));
             p.setPen(pen(kInk, 1.3));
             p.setBrush(QColor(200, 205, 215));
             p.drawRoundedRect(QRectF(3, 11, 26, 12), 2, 2);
             page(p, QRectF(9, 19, 14, 10));
             p.setPen(pen(kInk, 1));
             p.drawLine(QPointF(11, 23), QPointF(21, 23));
             p.drawLine(QPointF(11, 26), QPointF(19, 26));
         }},
        {"Cut",
         [](QPainter& p) {
             p.setPen(pen(kInk, 1.8));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(9, 24), 4, 4);
             p.drawEllipse(QPointF(23, 24), 4, 4);
             p.drawLine(QPointF(11.5, 21), QPointF(22, 4));
             p.drawLine(QPointF(20.5, 21), QPointF(10, 4));
         }},
        {"Copy",
         [](QPainter& p) {
             page(p, QRectF(4, 3, 16, 20));
             page(p, QRectF(12, 9, 16, 20));
             p.setPen(pen(kInk, 1));
             for (int i = 0; i < 3; ++i) p.drawLine(QPointF(15, 15 + i * 4), QPointF(25, 15 + i * 4));
         }},
        {"Paste",
         [](QPainter& p) {
             p.setPen(pen(kInk, 1.3));
             p.setBrush(QColor(190, 150, 100));
             p.drawRoundedRect(QRectF(5, 5, 20, 24), 2, 2);
             p.setBrush(QColor(200, 205, 215));
             p.drawRect(QRectF(11, 3, 8, 5));
             page(p, QRectF(13, 12, 15, 17));
         }},
        {"Font",
         [](QPainter& p) {
             // A large and a small letter over a colour bar: the font dialog.
             QFont font("DejaVu Serif");
             font.setBold(true);
             font.setPixelSize(27);
             p.setFont(font);
             p.setPen(kInk);
             p.drawText(QRectF(-1, -2, 22, 28), Qt::AlignHCenter | Qt::AlignBottom, "A");
             font.setPixelSize(17);
             p.setFont(font);
             p.drawText(QRectF(18, 4, 14, 22), Qt::AlignHCenter | Qt::AlignBottom, "a");
             p.setPen(Qt::NoPen);
             p.setBrush(kAccent);
             p.drawRect(QRectF(2, 27, 28, 3.5));
         }},
        {"Bold", [](QPainter& p) { letter(p, "B", true, false, false); }},
        {"Italic", [](QPainter& p) { letter(p, "I", false, true, false); }},
        {"Underline", [](QPainter& p) { letter(p, "U", false, false, true); }},
        {"Left", [](QPainter& p) { alignment(p, 0); }},
        {"Center", [](QPainter& p) { alignment(p, 1); }},
        {"Right", [](QPainter& p) { alignment(p, 2); }},
        {"XYZ",
         [](QPainter& p) {
             p.setPen(pen(kInk, 1.8));
             const QPointF o(12, 19);
             p.drawLine(o, QPointF(12, 4));
             p.drawLine(o, QPointF(28, 19));
             p.drawLine(o, QPointF(4, 28));
             QFont font("DejaVu Sans");
             font.setPixelSize(8);
             font.setBold(true);
             p.setFont(font);
             p.setPen(kAccent);
             p.drawText(QPointF(14, 9), "N");
             p.drawText(QPointF(24, 28), "E");
             p.drawText(QPointF(3, 22), "Z");
         }},
        {"Volume",
         [](QPainter& p) {
             p.setPen(pen(kInk, 1.4));
             p.setBrush(QColor(200, 170, 140));
             p.drawPolygon(QPolygonF({QPointF(4, 12), QPointF(20, 12), QPointF(20, 28), QPointF(4, 28)}));
             p.setBrush(QColor(225, 200, 170));
             p.drawPolygon(QPolygonF({QPointF(4, 12), QPointF(12, 4), QPointF(28, 4), QPointF(20, 12)}));
             p.setBrush(QColor(170, 135, 105));
             p.drawPolygon(QPolygonF({QPointF(20, 12), QPointF(28, 4), QPointF(28, 20), QPointF(20, 28)}));
         }},
        {"DiscSpac",
         [](QPainter& p) {
             p.setPen(pen(kRock, 2));
             for (double x : {6.0, 14.0, 26.0}) p.drawLine(QPointF(x - 2, 26), QPointF(x + 2, 4));
             p.setPen(pen(kAccent, 1.5));
             p.drawLine(QPointF(6, 16), QPointF(14, 16));
             p.drawLine(QPointF(14, 16), QPointF(26, 16));
             p.setBrush(kAccent);
             for (double x : {6.0, 14.0, 26.0}) p.drawEllipse(QPointF(x, 16), 1.6, 1.6);
         }},
        {"EventLog",
         [](QPainter& p) {
             page(p, QRectF(6, 3, 20, 26));
             p.setPen(pen(kInk, 1));
             for (int i = 0; i < 5; ++i) {
                 p.drawLine(QPointF(9, 8 + i * 4.5), QPointF(12, 8 + i * 4.5));
                 p.drawLine(QPointF(14, 8 + i * 4.5), QPointF(23, 8 + i * 4.5));
             }
         }},
        {"HistoOptions",
         [](QPainter& p) {
             p.setPen(pen(kInk, 1.1));
             p.setBrush(QColor(255, 255, 230));
             const double heights[] = {8, 18, 22, 13, 6};
             for (int i = 0; i < 5; ++i) p.drawRect(QRectF(4 + i * 5, 28 - heights[i], 5, heights[i]));
             p.setPen(pen(QColor(0, 0, 255), 1.6));
             p.setBrush(Qt::NoBrush);
             QPainterPath curve;
             curve.moveTo(4, 24);
             curve.cubicTo(12, 2, 18, 2, 29, 25);
             p.drawPath(curve);
         }},
        {"Contour",
         [](QPainter& p) {
             p.setPen(pen(QColor(0, 140, 0), 1.8));
             p.setBrush(QColor(0, 140, 0, 40));
             p.drawPolygon(QPolygonF({QPointF(5, 10), QPointF(15, 4), QPointF(28, 9), QPointF(25, 26), QPointF(9, 27)}));
         }},
        {"Discont",
         [](QPainter& p) {
             p.setPen(pen(QColor(200, 0, 0), 2));
             p.drawLine(QPointF(5, 24), QPointF(15, 5));
             p.drawLine(QPointF(13, 28), QPointF(25, 8));
             p.drawLine(QPointF(20, 29), QPointF(29, 17));
         }},
        {"Rectangle",
         [](QPainter& p) {
             QPen dashed = pen(QColor(0, 0, 200), 1.8);
             dashed.setStyle(Qt::DashLine);
             p.setPen(dashed);
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(5, 7, 22, 18));
         }},
        {"Scanline",
         [](QPainter& p) {
             p.setPen(pen(kInk, 2));
             p.drawLine(QPointF(3, 16), QPointF(29, 16));
             p.setPen(pen(kInk, 1.4));
             for (double x : {3.0, 10.0, 19.0, 29.0}) p.drawLine(QPointF(x, 12), QPointF(x, 20));
         }},
        {"HidePict",
         [](QPainter& p) {
             p.setPen(pen(kInk, 1.6));
             p.setBrush(kPaper);
             QPainterPath eye;
             eye.moveTo(3, 16);
             eye.quadTo(16, 4, 29, 16);
             eye.quadTo(16, 28, 3, 16);
             p.drawPath(eye);
             p.setBrush(kInk);
             p.drawEllipse(QPointF(16, 16), 4, 4);
             p.setPen(pen(QColor(200, 0, 0), 2.2));
             p.drawLine(QPointF(5, 27), QPointF(27, 5));
         }},
        {"Ravelin",
         [](QPainter& p) {
             const QPolygonF cliff({QPointF(2, 30), QPointF(8, 6), QPointF(16, 3), QPointF(22, 12), QPointF(30, 30)});
             p.setPen(pen(kInk, 1.2));
             p.setBrush(kRock);
             p.drawPolygon(cliff);
             p.setPen(pen(QColor(60, 40, 30), 1.4));
             p.drawLine(QPointF(7, 14), QPointF(20, 9));
             p.drawLine(QPointF(5, 22), QPointF(25, 17));
             p.drawLine(QPointF(12, 30), QPointF(16, 5));
         }},
    };
    return map;
}

QPixmap drawn(const Painter& paint, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    paint(p);
    return pixmap;
}

}  // namespace

QIcon toolbarIcon(const std::string& key) {
    // Drawn once per key: every datasheet and chart window asks again. Never
    // destroyed, so no pixmap outlives the application object at exit.
    static auto* cache = new std::map<std::string, QIcon>;
    if (auto cached = cache->find(key); cached != cache->end()) return cached->second;
    auto it = painters().find(key);
    if (it == painters().end()) return {};
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(drawn(it->second, size));
    return cache->emplace(key, icon).first->second;
}

}  // namespace ravelin
