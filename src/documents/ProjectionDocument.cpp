#include "documents/ProjectionDocument.h"

#include "core/FileMessages.h"
#include "core/Platform.h"
#include "core/SaveDialog.h"
#include "core/Session.h"
#include "core/TextCodec.h"
#include "documents/PrintOutput.h"
#include "projection/ProjForm.h"

namespace ravelin {

namespace {

const char* const kSaveFilterProjection =
    "PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf";

}  // namespace

std::string projectionFileName(const std::string& path) {
    const std::string extension = lowerExtension(path);
    if (extension == ".png" || extension == ".svg" || extension == ".pdf") return path;
    return path + ".png";
}

bool saveProjection(Form& window) {
    auto* plot = dynamic_cast<ProjForm*>(&window);
    if (!plot) return false;
    FileDialogRequest request{"Ravelin - Save", kSaveFilterProjection, "*.png", 1, false, true};
    const auto path = chooseSaveFile(window.platform(), request);
    if (!path || path->empty()) return false;
    const std::string target = projectionFileName(*path);
    std::string error;
    if (plot->exportTo(target, &error)) return true;
    tellSaveFailed(window.session(), target, error);
    return false;
}

DocumentKind projectionDocumentKind() {
    DocumentKind kind;
    kind.name = "projection";
    kind.title = "Stereographic projection";
    kind.windowName = "frmProj";
    // A picture of the data grid's rows, which the grid keeps: nothing to lose, so nothing for Save All.
    kind.modified = [](const Form&) { return false; };
    kind.properties = [](const Form& window) {
        const auto* plot = dynamic_cast<const ProjForm*>(&window);
        if (!plot) return std::vector<PropertyLine>{};
        std::size_t readings = 0;
        for (const PlottedData& d : plot->data()) readings += d.readings.size();
        return std::vector<PropertyLine>{{"Plotted sets", std::to_string(plot->data().size())},
                                         {"Readings", std::to_string(readings)}};
    };
    kind.save = saveProjection;
    kind.saveAs = saveProjection;
    // Never the current document: Save As acts on it while it is active.
    kind.saveAsFromActiveWindow = true;
    kind.printQuestion = "Print a draft copy of the current projection ?";
    kind.printout = [](Form& window) { return drawingPrintout(dynamic_cast<ProjForm&>(window).exportPicture()); };
    kind.print = [](Form& window) {
        printContent(window.session(), window.caption(),
                     drawingPrintout(dynamic_cast<ProjForm&>(window).exportPicture()));
    };
    return kind;
}

}  // namespace ravelin
