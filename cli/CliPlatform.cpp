#include "CliPlatform.h"

#include "NativeModule.h"
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
    return reinterpret_cast<Function*>(moduleSymbol(handle, name));
}

// Opens the module once; nullptr when it is absent, of another build, or incomplete.
const PictureModule* pictureModule() {
    static const PictureModule* loaded = []() -> const PictureModule* {
        const std::string folder = executableFolder();
        if (folder.empty()) return nullptr;
        // Beside the executable in a build tree; in the installed library folder otherwise.
        void* handle = nullptr;
        for (const char* subfolder : {"", kInstalledModuleFolder}) {
            handle = openModule(folder + subfolder + kPictureModuleName);
            if (handle) break;
        }
        if (!handle) return nullptr;
        auto* stamp = symbol<RavelinPictureStampFunction>(handle, "ravelin_picture_stamp");
        static PictureModule module;
        module.renderImage = symbol<RavelinRenderImageFunction>(handle, "ravelin_picture_render_image");
        module.exportDrawing = symbol<RavelinExportDrawingFunction>(handle, "ravelin_picture_export_drawing");
        module.exportRichText = symbol<RavelinExportRichTextFunction>(handle, "ravelin_picture_export_rich_text");
        module.loadPicture = symbol<RavelinLoadPictureFunction>(handle, "ravelin_picture_load");
        PictureInterfaceStamp moduleStamp;
        if (stamp) stamp(&moduleStamp);
        const bool usable = stamp && moduleStamp == currentPictureStamp() && module.renderImage &&
                            module.exportDrawing && module.exportRichText && module.loadPicture;
        // Never closed when usable: Qt's application object and the pictures it decoded live in it until
        // the process ends.
        if (!usable) {
            closeModule(handle);
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
