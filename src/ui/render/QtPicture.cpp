#include "ui/render/QtPicture.h"

#include <cmath>

namespace ravelin {

namespace {
// Halving stops here: a copy this small costs nothing to draw at any zoom.
constexpr int kSmallestLevel = 256;
}  // namespace

QtPicture::QtPicture(QImage image) : Picture(image.width(), image.height()) {
    levels_.push_back(std::move(image));
    while (levels_.back().width() > kSmallestLevel || levels_.back().height() > kSmallestLevel) {
        const QImage& last = levels_.back();
        const int width = std::max(1, (last.width() + 1) / 2);
        const int height = std::max(1, (last.height() + 1) / 2);
        levels_.push_back(last.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
}

const QImage& QtPicture::levelFor(double devicePerPixel) const {
    // Level k has 2^-k pixels per picture pixel: the deepest one with at least one per device pixel.
    if (!(devicePerPixel > 0) || devicePerPixel >= 1) return levels_.front();
    const int depth = static_cast<int>(std::floor(std::log2(1 / devicePerPixel)));
    return levels_[static_cast<std::size_t>(std::clamp(depth, 0, levels() - 1))];
}

}  // namespace ravelin
