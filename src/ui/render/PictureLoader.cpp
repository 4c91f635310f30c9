// Picture files into QtPictures. Raster formats go through Qt's image
// readers; metafiles are turned into SVG by the Debian libraries made for
// them and drawn with Qt SVG. Nothing here decodes pixels by hand.

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

#include "ui/render/QtPicture.h"

namespace ravelin {

namespace {

// Metafiles are read whole and turned into SVG text several times their
// size; drawings of that kind stay far below this.
constexpr qint64 kMaxMetafileBytes = 64 << 20;
// Pixels per inch at which a metafile's physical size becomes pixels.
constexpr double kMetafileDpi = 96;

enum class MetafileKind { None, Enhanced, Windows };

std::uint32_t littleEndian32(const QByteArray& bytes, qsizetype at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint16_t littleEndian16(const QByteArray& bytes, qsizetype at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

// By the signatures of the file's first record, whatever its name says.
MetafileKind metafileKind(const QByteArray& head) {
    constexpr std::uint32_t kEmrHeader = 1;
    constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
    constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
    if (head.size() >= 44 && littleEndian32(head, 0) == kEmrHeader && littleEndian32(head, 40) == kEmfSignature)
        return MetafileKind::Enhanced;
    if (head.size() >= 4 && littleEndian32(head, 0) == kPlaceableKey) return MetafileKind::Windows;
    // A Windows metafile without placeable header: memory or disk type, a 9-word header, version 1 or 3.
    if (head.size() >= 6 && (littleEndian16(head, 0) == 1 || littleEndian16(head, 0) == 2) &&
        littleEndian16(head, 2) == 9 && (littleEndian16(head, 4) == 0x100 || littleEndian16(head, 4) == 0x300))
        return MetafileKind::Windows;
    return MetafileKind::None;
}

PictureLoad damaged(const std::string& path, const std::string& detail) {
    return {nullptr, pictureDamagedError(path, detail)};
}

// SVG text drawn on white at its own size, or why not.
PictureLoad renderSvg(const std::string& path, const QByteArray& svg, long long maxPixels) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return damaged(path, "its drawing cannot be read");
    const QSize size = renderer.defaultSize();
    if (size.width() <= 0 || size.height() <= 0) return damaged(path, "it has no size");
    if (!pictureSizeAllowed(size.width(), size.height(), maxPixels))
        return {nullptr, pictureSizeError(path, size.width(), size.height(), maxPixels)};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return {nullptr, pictureSizeError(path, size.width(), size.height(), maxPixels)};
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    renderer.render(&painter);
    painter.end();
    return {std::make_shared<QtPicture>(std::move(image)), {}};
}

// The converter reads the header's description string wherever its offset
// points, as far as it finds a terminator, whatever length the header gives:
// an offset outside the header record read past the file. The description is
// never drawn, so an unsound one is dropped rather than the picture refused.
// False when the header record itself does not lie within the file.
bool mendEnhancedMetafileHeader(QByteArray& bytes) {
    constexpr std::uint32_t kMinimumHeaderBytes = 88;
    constexpr qsizetype kSizeAt = 4;
    constexpr qsizetype kCountAt = 60;
    constexpr qsizetype kOffsetAt = 64;
    if (bytes.size() < kMinimumHeaderBytes) return false;
    const std::uint64_t recordBytes = littleEndian32(bytes, kSizeAt);
    if (recordBytes < kMinimumHeaderBytes || recordBytes > static_cast<std::uint64_t>(bytes.size())) return false;
    const std::uint64_t count = littleEndian32(bytes, kCountAt);
    const std::uint64_t offset = littleEndian32(bytes, kOffsetAt);
    if (count == 0 && offset == 0) return true;
    const bool sound = count > 0 && offset >= kMinimumHeaderBytes && offset + 2 * count <= recordBytes;
    if (!sound) {
        bytes.replace(kCountAt, 4, QByteArray(4, '\0'));
        bytes.replace(kOffsetAt, 4, QByteArray(4, '\0'));
    }
    return true;
}

PictureLoad loadEnhancedMetafile(const std::string& path, QByteArray bytes, long long maxPixels) {
    if (!mendEnhancedMetafileHeader(bytes)) return damaged(path, "its header record does not lie within the file");
    generatorOptions options{};
    char noNamespace[] = "";
    options.nameSpace = noNamespace;
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    char* svg = nullptr;
    std::size_t length = 0;
    const int converted = emf2svg(bytes.data(), static_cast<std::size_t>(bytes.size()), &svg, &length, &options);
    const std::unique_ptr<char, decltype(&std::free)> owned(svg, &std::free);
    if (!converted || !svg || length == 0) return damaged(path, "the enhanced metafile cannot be converted");
    return renderSvg(path, QByteArray(svg, static_cast<qsizetype>(length)), maxPixels);
}

// libwmf allocates a record buffer of the size the header announces before
// reading a record: a header of a few bytes could ask for gigabytes. The
// largest record of a sound file lies within the file.
bool windowsMetafileHeaderFits(const QByteArray& bytes) {
    constexpr qsizetype kPlaceableHeaderBytes = 22;
    constexpr qsizetype kHeaderBytes = 18;
    constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
    const qsizetype header = littleEndian32(bytes, 0) == kPlaceableKey ? kPlaceableHeaderBytes : 0;
    if (bytes.size() < header + kHeaderBytes) return false;
    const std::uint64_t largestRecordBytes = std::uint64_t{littleEndian32(bytes, header + 12)} * 2;
    return largestRecordBytes <= static_cast<std::uint64_t>(bytes.size() - header);
}

PictureLoad loadWindowsMetafile(const std::string& path, QByteArray bytes, long long maxPixels) {
    if (!windowsMetafileHeaderFits(bytes)) return damaged(path, "its header announces records larger than the file");
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    wmfAPI* api = nullptr;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api) wmf_api_destroy(api);
        return damaged(path, "the Windows metafile reader cannot start");
    }
    // Everything the library allocated goes with the API object.
    const std::unique_ptr<wmfAPI, decltype(&wmf_api_destroy)> owned(api, &wmf_api_destroy);
    auto* data = reinterpret_cast<unsigned char*>(bytes.data());
    wmfD_Rect bounds{};
    if (wmf_mem_open(api, data, static_cast<long>(bytes.size())) != wmf_E_None ||
        wmf_scan(api, 0, &bounds) != wmf_E_None)
        return damaged(path, "the Windows metafile cannot be read");
    // The scan finds what is drawn; a placeable metafile names its page, which is what its author sized.
    constexpr double kDevicePerInch = 72;  // the library's device units are points
    if (api->File->placeable && api->File->pmh->Inch > 0) {
        const wmfPlaceableMetaHeader& page = *api->File->pmh;
        const double perUnit = kDevicePerInch / page.Inch;
        bounds.TL = {static_cast<float>(page.Left * perUnit), static_cast<float>(page.Top * perUnit)};
        bounds.BR = {static_cast<float>(page.Right * perUnit), static_cast<float>(page.Bottom * perUnit)};
    }
    unsigned int width = 0, height = 0;
    if (wmf_display_size(api, &width, &height, kMetafileDpi, kMetafileDpi) != wmf_E_None || width == 0 || height == 0)
        return damaged(path, "it has no size");
    if (!pictureSizeAllowed(width, height, maxPixels))
        return {nullptr, pictureSizeError(path, width, height, maxPixels)};
    wmf_svg_t* device = WMF_SVG_GetData(api);
    device->out = wmf_stream_create(api, nullptr);  // into memory
    device->Description = nullptr;
    device->bbox = bounds;
    device->width = width;
    device->height = height;
    if (!device->out || wmf_play(api, 0, &bounds) != wmf_E_None)
        return damaged(path, "the Windows metafile cannot be drawn");
    char* svg = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, device->out, &svg, &length);
    if (!svg || length == 0) return damaged(path, "the Windows metafile cannot be drawn");
    const QByteArray text(svg, static_cast<qsizetype>(length));
    wmf_mem_close(api);
    return renderSvg(path, text, maxPixels);
}

// The header of an uncompressed bitmap: its size and the bytes its rows need.
struct BitmapHeader {
    qint64 width = 0;
    qint64 height = 0;
    qint64 bytesNeeded = 0;  // up to the end of the last row
};

std::optional<BitmapHeader> bitmapHeader(const QByteArray& head) {
    constexpr std::uint32_t kUncompressed = 0, kBitFields = 3;
    if (head.size() < 34 || !head.startsWith("BM") || littleEndian32(head, 14) < 40) return std::nullopt;
    const std::uint32_t compression = littleEndian32(head, 30);
    if (compression != kUncompressed && compression != kBitFields) return std::nullopt;
    BitmapHeader header;
    header.width = std::abs(static_cast<qint64>(static_cast<std::int32_t>(littleEndian32(head, 18))));
    header.height = std::abs(static_cast<qint64>(static_cast<std::int32_t>(littleEndian32(head, 22))));
    // A width below 2^32 of pixels below 2^16 bits: a row fits; rows beyond any file are held at the largest size.
    const qint64 rowBytes = (header.width * littleEndian16(head, 28) + 31) / 32 * 4;
    const qint64 offset = littleEndian32(head, 10);
    const qint64 largest = std::numeric_limits<qint64>::max();
    header.bytesNeeded = header.height > 0 && rowBytes > (largest - offset) / header.height
                             ? largest
                             : offset + rowBytes * header.height;
    return header;
}

// Qt's JPEG and GIF readers complete a cut file with grey and only warn:
// while one reads, its warnings of an early end are kept.
class CutFileWatch {
public:
    CutFileWatch() : previous_(qInstallMessageHandler(&CutFileWatch::handle)) { active_ = this; }
    ~CutFileWatch() {
        qInstallMessageHandler(previous_);
        active_ = nullptr;
    }
    const std::string& warning() const { return warning_; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        const bool imageReader = context.category && std::strncmp(context.category, "qt.gui.imageio", 14) == 0;
        if (active_ && imageReader && message.contains("premature end", Qt::CaseInsensitive)) {
            if (active_->warning_.empty()) active_->warning_ = message.toStdString();
            return;
        }
        if (active_ && active_->previous_) active_->previous_(type, context, message);
    }
    static inline CutFileWatch* active_ = nullptr;
    QtMessageHandler previous_;
    std::string warning_;
};

PictureLoad loadRaster(const std::string& path, QImageReader& reader, const QByteArray& head, qint64 fileSize,
                       long long maxPixels) {
    if (!reader.canRead()) return {nullptr, pictureFormatError(path)};
    const QSize size = reader.size();
    const std::optional<BitmapHeader> bitmap = bitmapHeader(head);
    if (!size.isValid() || size.isEmpty()) {
        // Qt's bitmap reader gives no size beyond its own limits: the header still tells why.
        if (bitmap && !pictureSizeAllowed(bitmap->width, bitmap->height, maxPixels))
            return {nullptr, pictureSizeError(path, bitmap->width, bitmap->height, maxPixels)};
        return damaged(path, "it has no size");
    }
    if (!pictureSizeAllowed(size.width(), size.height(), maxPixels))
        return {nullptr, pictureSizeError(path, size.width(), size.height(), maxPixels)};
    // Qt's bitmap reader fills the rows a cut file lacks and says nothing.
    if (bitmap && fileSize < bitmap->bytesNeeded) return damaged(path, "the file ends before its last row");
    QImage image;
    {
        CutFileWatch watch;
        if (!reader.read(&image) || image.isNull()) return damaged(path, reader.errorString().toStdString());
        if (!watch.warning().empty()) return damaged(path, watch.warning());
    }
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.isNull()) return {nullptr, pictureSizeError(path, size.width(), size.height(), maxPixels)};
    return {std::make_shared<QtPicture>(std::move(image)), {}};
}

}  // namespace

PictureLoad loadPictureFile(const std::string& path, long long maxPixels) {
    const QString name = QString::fromStdString(path);
    QFile file(name);
    if (!QFileInfo(name).isFile()) return {nullptr, pictureOpenError(path, "no such file")};
    if (!file.open(QIODevice::ReadOnly)) return {nullptr, pictureOpenError(path, file.errorString().toStdString())};
    const QByteArray head = file.peek(64);
    if (const MetafileKind kind = metafileKind(head); kind != MetafileKind::None) {
        if (file.size() > kMaxMetafileBytes) return damaged(path, "the metafile is larger than 64 MB");
        QByteArray bytes = file.readAll();
        if (bytes.size() != file.size()) return {nullptr, pictureOpenError(path, file.errorString().toStdString())};
        return kind == MetafileKind::Enhanced ? loadEnhancedMetafile(path, std::move(bytes), maxPixels)
                                              : loadWindowsMetafile(path, std::move(bytes), maxPixels);
    }
    // Qt refuses on its own any image whose pixels would pass the size limit at 4 bytes each.
    QImageReader::setAllocationLimit(static_cast<int>(std::max(maxPixels * 4 >> 20, 1LL)));
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);  // canvas units follow the pixels as stored
    return loadRaster(path, reader, head, file.size(), maxPixels);
}

}  // namespace ravelin
