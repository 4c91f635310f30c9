#pragma once
// A picture the platform decoded from a file (a photograph of a cliff, a
// metafile). The core never sees its pixels: it keeps the handle, knows the
// size, and draws it scaled into a rectangle of a canvas; the platform's
// painter recognises its own pictures when the drawing is replayed.

#include <memory>
#include <string>

namespace ravelin {

class Picture {
public:
    virtual ~Picture() = default;
    int width() const { return width_; }    // pixels, > 0
    int height() const { return height_; }  // pixels, > 0

protected:
    Picture(int width, int height) : width_(width), height_(height) {}

private:
    int width_;
    int height_;
};

using PictureHandle = std::shared_ptr<const Picture>;

// What loading a picture file gave: the picture, or why there is none.
struct PictureLoad {
    PictureHandle picture;
    std::string error;  // a sentence for the user when picture is null
};

// The largest picture any platform is asked to hold (pixels): 1 GB at 4 bytes a pixel.
constexpr long long kMaxPicturePixels = 1LL << 28;

// What the user is told when a picture cannot be loaded, the same on every platform.
std::string pictureOpenError(const std::string& path, const std::string& reason);
std::string pictureFormatError(const std::string& path);
std::string pictureDamagedError(const std::string& path, const std::string& detail);
std::string pictureSizeError(const std::string& path, long long width, long long height,
                             long long maxPixels = kMaxPicturePixels);
// Whether a picture of width x height pixels may be held: both positive, at most maxPixels in all.
bool pictureSizeAllowed(long long width, long long height, long long maxPixels = kMaxPicturePixels);

}  // namespace ravelin
