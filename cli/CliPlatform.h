#pragma once
// The command line's platform: scripted dialogs, and Qt's painter and image
// readers for pictures, SVG and PDF from the picture module
// (cli/PictureModule.h), opened on the first picture asked for. Commands that draw nothing never
// load it, so they stay one short process free of Qt.

#include <string>

#include "core/ScriptedPlatform.h"

namespace ravelin::cli {

class CliPlatform : public ScriptedPlatform {
public:
    // A command scripts only the answers its own options give (a path, a width); every other question takes
    // the default button, as a user pressing Enter would, and its text goes to the command's output.
    CliPlatform() { strict = false; }

    std::optional<Image> renderImage(const RecordingCanvas& drawing, double widthTwips, double heightTwips) override;
    bool exportDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips, const std::string& path,
                       std::string* error) override;
    bool exportRichText(const RichText& text, const std::string& path, std::string* error) override;
    PictureLoad loadPicture(const std::string& path) override;
};

}  // namespace ravelin::cli
