#pragma once
// The command line's platform: scripted dialogs, and, when the program is
// built with the desktop libraries, Qt's painter for pictures, SVG and PDF.
// The painter's machinery starts only when a picture is asked for, so
// commands that draw nothing stay one short process.

#include "core/ScriptedPlatform.h"

namespace ravelin::cli {

class CliPlatform : public ScriptedPlatform {
public:
    std::optional<Image> renderImage(const RecordingCanvas& drawing, double widthTwips, double heightTwips) override;
    bool exportDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips, const std::string& path,
                       std::string* error) override;
    bool exportRichText(const RichText& text, const std::string& path, std::string* error) override;
};

}  // namespace ravelin::cli
