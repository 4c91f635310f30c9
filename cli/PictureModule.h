#pragma once
// The interface between ravelin-cli and its picture module
// (ravelin-cli-render.so, beside the executable). The module holds Qt's
// painter and image readers; the executable opens it only when a picture or
// a PDF is written or a picture file is read, so that commands which draw
// nothing never load Qt. Pictures the module decodes stay its own objects:
// the executable only holds their handles and hands them back to be drawn.
//
// Both sides are built from the same sources: they share the core's types
// by reference. The module answers with the sizes of those types, and a
// module of another build is refused rather than handed objects it would
// misread.

#include <cstddef>
#include <string>

#include "core/Canvas.h"
#include "core/Picture.h"
#include "core/Platform.h"
#include "core/RichText.h"

namespace ravelin::cli {

// Raised whenever a function below changes its parameters.
constexpr int kPictureInterfaceVersion = 2;

// The file name of the module, looked for in the executable's folder, then
// in the installed library folder relative to it.
#if defined(_WIN32)
constexpr const char* kPictureModuleName = "ravelin-cli-render.dll";
#else
constexpr const char* kPictureModuleName = "ravelin-cli-render.so";  // CMake's module suffix on macOS too
#endif
constexpr const char* kInstalledModuleFolder = "../lib/ravelin/";

struct PictureInterfaceStamp {
    int version = 0;
    std::size_t canvasSize = 0;
    std::size_t richTextSize = 0;
    std::size_t imageSize = 0;
    std::size_t stringSize = 0;
    std::size_t pictureLoadSize = 0;
    bool operator==(const PictureInterfaceStamp&) const = default;
};

inline PictureInterfaceStamp currentPictureStamp() {
    return {kPictureInterfaceVersion, sizeof(RecordingCanvas), sizeof(RichText), sizeof(Image),
            sizeof(std::string),      sizeof(PictureLoad)};
}

}  // namespace ravelin::cli

// The module's exported functions (C names, looked up with dlsym).
extern "C" {
// Through a pointer: a C function cannot return a C++ type.
using RavelinPictureStampFunction = void(ravelin::cli::PictureInterfaceStamp* stamp);
using RavelinRenderImageFunction = bool(const ravelin::RecordingCanvas& drawing, double widthTwips, double heightTwips,
                                        ravelin::Image& image);
// ".bmp", ".png", ".svg" or ".pdf" by the path's extension; `error` says why not.
using RavelinExportDrawingFunction = bool(const ravelin::RecordingCanvas& drawing, double widthTwips,
                                          double heightTwips, const std::string& path, std::string& error);
using RavelinExportRichTextFunction = bool(const ravelin::RichText& text, const std::string& path, std::string& error);
// Decodes a picture file; the pictures it gives are drawn by the two functions above.
using RavelinLoadPictureFunction = void(const std::string& path, ravelin::PictureLoad& result);
}
