#include "CliPlatform.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

#include "PictureModule.h"

namespace ravelin::cli {

namespace {

// What the user is told when the picture module is missing or unusable.
constexpr const char* kPictureSupportMissing = "picture support not installed";

struct PictureModule {
    RavelinRenderImageFunction* renderImage = nullptr;
    RavelinExportDrawingFunction* exportDrawing = nullptr;
    RavelinExportRichTextFunction* exportRichText = nullptr;
    RavelinLoadPictureFunction* loadPicture = nullptr;
};

template <class Function>
Function* symbol(void* handle, const char* name) {
    return reinterpret_cast<Function*>(dlsym(handle, name));
}

// The folder of the running executable, with its trailing "/"; empty when unknown.
std::string executableFolder() {
    std::vector<char> path(4096);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < path.size()) {
            std::string text(path.data(), static_cast<std::size_t>(length));
            const auto slash = text.rfind('/');
            return slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
        }
        path.resize(path.size() * 2);  // cut: try again with more room
    }
}

// Opens the module once; nullptr when it is absent, of another build, or incomplete.
const PictureModule* pictureModule() {
    static const PictureModule* loaded = [] () -> const PictureModule* {
        const std::string folder = executableFolder();
        if (folder.empty()) return nullptr;
        // Beside the executable in a build tree; in the installed library folder otherwise.
        void* handle = nullptr;
        for (const char* subfolder : {"", kInstalledModuleFolder}) {
            handle = dlopen((folder + subfolder + kPictureModuleName).c_str(), RTLD_NOW | RTLD_LOCAL);
            if (handle) break;
        }
        if (!handle) return nullptr;
        auto* stamp = symbol<RavelinPictureStampFunction>(handle, "ravelin_picture_stamp");
        static PictureModule module;
        module.renderImage = symbol<RavelinRenderImageFunction>(handle, "ravelin_picture_render_image");
        module.exportDrawing = symbol<RavelinExportDrawingFunction>(handle, "ravelin_picture_export_drawing");
        module.exportRichText = symbol<RavelinExportRichTextFunction>(handle, "ravelin_picture_export_rich_text");
        module.loadPicture = symbol<RavelinLoadPictureFunction>(handle, "ravelin_picture_load");
        const bool usable = stamp && stamp() == currentPictureStamp() && module.renderImage && module.exportDrawing &&
                            module.exportRichText && module.loadPicture;
        // Never closed when usable: Qt's application object and the pictures it decoded live in it until
        // the process ends.
        if (!usable) {
            dlclose(handle);
            return nullptr;
        }
        return &module;
    }();
    return loaded;
}

bool missing(std::string* error) {
    if (error) *error = kPictureSupportMissing;
    return false;
}

}  // namespace

std::optional<Image> CliPlatform::renderImage(const RecordingCanvas& drawing, double widthTwips, double heightTwips) {
    const PictureModule* module = pictureModule();
    if (!module) return std::nullopt;
    Image image;
    if (!module->renderImage(drawing, widthTwips, heightTwips, image)) return std::nullopt;
    return image;
}

bool CliPlatform::exportDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips,
                                const std::string& path, std::string* error) {
    exportedDrawings.push_back(path);
    const PictureModule* module = pictureModule();
    if (!module) return missing(error);
    std::string why;
    const bool written = module->exportDrawing(drawing, widthTwips, heightTwips, path, why);
    if (!written && error) *error = why;
    return written;
}

bool CliPlatform::exportRichText(const RichText& text, const std::string& path, std::string* error) {
    exportedDrawings.push_back(path);
    const PictureModule* module = pictureModule();
    if (!module) return missing(error);
    std::string why;
    const bool written = module->exportRichText(text, path, why);
    if (!written && error) *error = why;
    return written;
}

PictureLoad CliPlatform::loadPicture(const std::string& path) {
    loadedPictures.push_back(path);
    const PictureModule* module = pictureModule();
    if (!module) return {nullptr, pictureOpenError(path, kPictureSupportMissing)};
    PictureLoad loaded;
    module->loadPicture(path, loaded);
    return loaded;
}

}  // namespace ravelin::cli
