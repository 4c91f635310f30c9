#include "documents/AcquisitionDocument.h"

#include "acquisition/AcquisitionCommands.h"
#include "acquisition/DgtFile.h"
#include "acquisition/ScanForm.h"
#include "core/FileMessages.h"
#include "core/Platform.h"
#include "core/SaveDialog.h"
#include "core/Session.h"
#include "documents/PrintOutput.h"

namespace ravelin {

namespace {

// The "*" goes only once the file is safely written.
bool writeAcquisition(ScanForm& scan, const std::string& path) {
    const DgtSaveOutcome outcome = SaveDigitizedFile(path, scan);
    if (!outcome.written) {
        tellSaveFailed(scan.session(), path, outcome.error, true);  // the writer logged its error record
        return false;
    }
    scan.undoStack().setClean();  // which takes the "*" off
    return true;
}

// The name Save As proposes: the caption's text after its first "-" ("Digit 1", "cliff.dgt").
std::string proposedName(const ScanForm& scan) {
    const std::string caption = UnmarkedCaption(scan);
    const std::size_t dash = caption.find('-');
    return TrimBlanks(dash == std::string::npos ? caption : caption.substr(dash + 1));
}

bool saveAcquisitionAs(ScanForm& scan) {
    Platform& platform = scan.platform();
    const FileDialogRequest request{
        "Ravelin - Save as", "Digitized data (*.dgt)|*.dgt|All Files (*.*)|*.*", proposedName(scan), 1, false, true};
    const auto path = chooseSaveFile(platform, request);
    if (!path || path->empty()) return false;
    if (!writeAcquisition(scan, *path)) return false;
    scan.setFilePath(*path);
    scan.setCaption(AcquisitionCaption(*path, platform.currentFolder()));
    return true;
}

// Save writes to the full path the window keeps, never to one rebuilt from its caption.
bool saveAcquisition(ScanForm& scan) {
    if (scan.filePath().empty()) return saveAcquisitionAs(scan);
    return writeAcquisition(scan, scan.filePath());
}

// What the acquisition holds, for Properties.
std::vector<PropertyLine> acquisitionProperties(const ScanForm& scan) {
    const AcquisitionGeometry& g = scan.geometry();
    const bool scanline = g.scanline != std::array<CanvasPoint, 2>{};
    const std::string& scale = g.scaleText;
    return {{"Traces", std::to_string(scan.editor().completedTraces().size())},
            {"Contour vertices", std::to_string(g.contour.size())},
            {"Scanline", scanline ? "drawn" : "none"},
            {"Rectangular window", g.hasRectangle() ? "drawn" : "none"},
            {"Scale", scale.empty() ? "none" : scale + " m across the photograph"},
            {"Photograph", scan.picturePath().empty() ? "none" : scan.picturePath()}};
}

}  // namespace

ScanForm* OpenDigitizedFile(Session& session, const std::string& path) {
    ScanForm* scan = ReloadAcquisitionWindow(session);
    if (!scan) return nullptr;
    // The Open commands' lines go to the log file only, not to the Events log window.
    session.writeLogFile("Opening digitized datafile '" + path + "'");
    LoadDigitizedFile(path, *scan);
    return scan;
}

DocumentKind acquisitionDocumentKind() {
    DocumentKind kind;
    kind.name = "acquisition";
    kind.title = "Acquisition window";
    kind.windowName = "frmScan";
    kind.recognisesCaption = captionStartsWith("Acqu");
    kind.extensions = {".dgt"};
    kind.openFilter =
        "Digitized datasheet (*.dgt)|*.dgt|Spacing datasheet (*.spg)|*.spg|All Ravelin datafiles (*.dgt;*.spg)|"
        "*.dgt;*.spg|All Files (*.*)|*.*";
    kind.openFileName = "*.dgt";
    kind.open = [](Session& session, const std::string& path) { OpenDigitizedFile(session, path); };
    // A window known by its caption alone ("Acqu...") that is no acquisition window has nothing to save or print.
    kind.save = [](Form& window) {
        auto* scan = dynamic_cast<ScanForm*>(&window);
        return scan && saveAcquisition(*scan);
    };
    kind.saveAs = [](Form& window) {
        auto* scan = dynamic_cast<ScanForm*>(&window);
        return scan && saveAcquisitionAs(*scan);
    };
    kind.filePath = [](const Form& window) {
        const auto* scan = dynamic_cast<const ScanForm*>(&window);
        return scan ? scan->filePath() : std::string();
    };
    kind.properties = [](const Form& window) {
        const auto* scan = dynamic_cast<const ScanForm*>(&window);
        return scan ? acquisitionProperties(*scan) : std::vector<PropertyLine>{};
    };
    kind.printQuestion = "Print a draft copy of the current Acquisition window ?";
    kind.print = [](Form& window) {
        if (auto* scan = dynamic_cast<ScanForm*>(&window))
            printContent(window.session(), window.caption(), drawingPrintout(scan->Picture()));
    };
    kind.printout = [](Form& window) -> PrintContent {
        auto* scan = dynamic_cast<ScanForm*>(&window);
        if (!scan) return {};
        return drawingPrintout(scan->Picture());
    };
    return kind;
}

}  // namespace ravelin
