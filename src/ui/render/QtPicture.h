#pragma once
// A picture decoded by Qt, kept as a pyramid of halved copies so that a
// view draws from the smallest copy still as fine as the screen needs, and
// only the part of it that shows.

#include <QImage>
#include <vector>

#include "core/Picture.h"

namespace ravelin {

class QtPicture : public Picture {
public:
    // `image` in an opaque or premultiplied 32-bit format, not empty.
    explicit QtPicture(QImage image);

    int levels() const { return static_cast<int>(levels_.size()); }
    const QImage& level(int index) const { return levels_[static_cast<std::size_t>(index)]; }
    // The copy to draw with at `devicePerPixel` device pixels per picture
    // pixel: the smallest one that still has at least a pixel per device pixel.
    const QImage& levelFor(double devicePerPixel) const;

private:
    std::vector<QImage> levels_;
};

// Decodes a picture file: BMP, GIF, JPEG, PNG and TIFF through Qt's image
// readers, enhanced metafiles through libemf2svg and Windows metafiles
// through libwmf's SVG output, both drawn with Qt SVG. Sizes are checked
// before any pixel is allocated; a failure says why in a sentence. A
// smaller limit than the platform's serves the fuzzer, which decodes
// thousands of files a second.
PictureLoad loadPictureFile(const std::string& path, long long maxPixels = kMaxPicturePixels);

}  // namespace ravelin
