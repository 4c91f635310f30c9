#include "core/Picture.h"

namespace ravelin {

std::string pictureOpenError(const std::string& path, const std::string& reason) {
    return "Cannot open '" + path + "': " + reason + ".";
}

std::string pictureFormatError(const std::string& path) {
    return "'" + path +
           "' is not a picture Ravelin can read (bitmap, GIF, JPEG, PNG, TIFF, enhanced or Windows "
           "metafile).";
}

std::string pictureDamagedError(const std::string& path, const std::string& detail) {
    return "'" + path + "' is damaged or incomplete" + (detail.empty() ? "" : " (" + detail + ")") + ".";
}

std::string pictureSizeError(const std::string& path, long long width, long long height, long long maxPixels) {
    return "'" + path + "' is too large to open: " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels, more than " + std::to_string(maxPixels) + ".";
}

bool pictureSizeAllowed(long long width, long long height, long long maxPixels) {
    // Each side is checked first, so the product cannot overflow (maxPixels below 2^31 is assumed).
    return width > 0 && height > 0 && width <= maxPixels && height <= maxPixels && width * height <= maxPixels;
}

}  // namespace ravelin
