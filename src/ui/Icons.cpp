#include "ui/Icons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <map>

namespace ravelin {

QIcon toolbarIcon(const std::string& key) {
    // Drawn once per key: every datasheet and chart window asks again. Never
    // destroyed, so no pixmap outlives the application object at exit.
    static auto* cache = new std::map<std::string, QIcon>;
    if (auto cached = cache->find(key); cached != cache->end()) return cached->second;
    const QString path = ":/icons/" + QString::fromStdString(key) + ".svg";
    if (!QFile::exists(path)) return {};
    QSvgRenderer drawing(path);
    if (!drawing.isValid()) return {};
    QIcon icon;
    // Toolbar, menu and title-bar sizes, and their doubles for screens of twice the density.
    for (int size : {16, 24, 32, 48, 64, 96, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawing.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return cache->emplace(key, icon).first->second;
}

}  // namespace ravelin
