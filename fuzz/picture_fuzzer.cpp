// The picture loading path on any file: whatever the bytes, loading gives a
// picture within the size limit, with its pyramid of halved copies, or a
// sentence saying why not. Bitmaps, GIF, JPEG, PNG and TIFF go through Qt's
// readers, metafiles through their converters and Qt SVG; the fuzzer guides
// itself by the loader's own branches (the decoders are not instrumented),
// and the sanitizers watch every byte the loader hands over.

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "ui/render/QtPicture.h"

using namespace ravelin;

namespace {

// Decoders fill a picture of the size its header announces: at the platform's
// limit (2^28 pixels) a few bytes cost a second of filling. The same checks
// run at 4 million pixels.
constexpr long long kFuzzedMaxPixels = 1LL << 22;

QTemporaryDir* folder = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    // The file each input is written to: in memory where the system offers it.
    const QString memory = QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath();
    static QTemporaryDir temporary(memory + "/ravelin-picture-fuzzer-XXXXXX");
    folder = &temporary;
    // The readers' warnings about damaged files are expected by the thousand.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string path = folder->filePath("picture").toStdString();
    {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
        RAVELIN_FUZZ_CHECK(file && std::fwrite(data, 1, size, file.get()) == size);
    }
    const PictureLoad loaded = loadPictureFile(path, kFuzzedMaxPixels);
    if (!loaded.picture) {
        RAVELIN_FUZZ_CHECK(!loaded.error.empty());
        return 0;
    }
    const auto* picture = dynamic_cast<const QtPicture*>(loaded.picture.get());
    RAVELIN_FUZZ_CHECK(picture && pictureSizeAllowed(picture->width(), picture->height(), kFuzzedMaxPixels));
    RAVELIN_FUZZ_CHECK(picture->levels() >= 1);
    RAVELIN_FUZZ_CHECK(picture->level(0).width() == picture->width() &&
                       picture->level(0).height() == picture->height());
    // The copy drawn at a tenth of the size is among the halved ones and no coarser than needed.
    const QImage& tenth = picture->levelFor(0.1);
    RAVELIN_FUZZ_CHECK(!tenth.isNull() && tenth.width() >= picture->width() / 10);
    return 0;
}
