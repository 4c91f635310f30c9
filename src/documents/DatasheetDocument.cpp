#include "documents/DatasheetDocument.h"

#include <algorithm>
#include <filesystem>

#include "core/FileMessages.h"
#include "core/MainForm.h"
#include "core/NumberText.h"
#include "core/Platform.h"
#include "core/SaveDialog.h"
#include "core/Session.h"
#include "documents/DatasheetReport.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpacingState.h"
#include "spacing/SpgFile.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";

bool samePath(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    return a == b || fs::path(a).lexically_normal() == fs::path(b).lexically_normal();
}

void rememberDatasheetPath(Session& session, Form& sheet, const std::string& path) {
    for (DatasheetRow& row : session.moduleState<SpacingState>().datasheetTable) {
        if (row.window == &sheet) {
            row.path = path;
            return;
        }
    }
    session.moduleState<SpacingState>().datasheetTable.push_back({path, &sheet});
}

// The "*" goes only once the file is safely written.
bool writeDatasheet(SpacingForm& sheet, const std::string& path) {
    const SpgSaveOutcome outcome = SaveSpacingFile(path, sheet);
    if (!outcome.written) {
        tellSaveFailed(sheet.session(), path, outcome.error, true);  // the writer logged its error
        return false;
    }
    sheet.undoStack().setClean();
    ClearModifiedMarker(sheet);
    return true;
}

bool saveDatasheetAs(SpacingForm& sheet) {
    Session& session = sheet.session();
    FileDialogRequest request{"Ravelin - Save as",
                              "Spacing datasheet (*.spg)|*.spg|All Files (*.*)|*.*",
                              UnmarkedCaption(sheet),
                              1,
                              false,
                              true};
    const auto path = chooseSaveFile(session.platform(), request);
    if (!path) return false;
    if (!writeDatasheet(sheet, *path)) return false;
    sheet.setFilePath(*path);
    sheet.setCaption(DatasheetCaption(*path, session.platform().currentFolder()));
    rememberDatasheetPath(session, sheet, *path);
    return true;
}

// The full path the window keeps, never one rebuilt from its caption.
bool saveDatasheet(SpacingForm& sheet) {
    if (sheet.filePath().empty()) return saveDatasheetAs(sheet);
    return writeDatasheet(sheet, sheet.filePath());
}

// What the datasheet holds: its kind of data, how many values and the
// total length it shows ("Tot. length": the sum of spacings, the farthest
// intersection along the scanline).
std::vector<PropertyLine> datasheetProperties(const SpacingForm& sheet) {
    struct Total {
        long long count = 0;
        double sum = 0;
        double largest = 0;
    };
    const Total total = sheet.grid(0).foldRows(Total{}, [](Total t, long long, double value, bool empty) {
        if (empty) return t;
        ++t.count;
        t.sum += value;
        t.largest = std::max(t.largest, value);
        return t;
    });
    const bool spacings = sheet.at("optData", 1).value() != 0;
    return {{"Data type", spacings ? "Discontinuity spacings" : "Intersection distances"},
            {"Number of values", std::to_string(total.count)},
            {"Total length", formatNumber(spacings ? total.sum : total.largest, "0.0#") + " m"}};
}

}  // namespace

SpacingForm* OpenDatasheetFile(Session& session, const std::string& path) {
    session.writeLogFile("Opening spacing datafile '" + path + "'");
    for (const DatasheetRow& row : session.moduleState<SpacingState>().datasheetTable) {
        auto* sheet = dynamic_cast<SpacingForm*>(row.window);
        if (!sheet || !session.owns(sheet) || !samePath(row.path, path)) continue;
        const MessageAnswer answer = session.platform().messageBox(
            {"Open file", "The file '" + path + "' is already opened." + kCrLf + kCrLf + "Do you want to overwrite it?",
             MessageIcon::Question, MessageButtons::YesNo});
        if (answer != MessageAnswer::Yes) return nullptr;
        LoadSpacingFile(path, *sheet);
        return sheet;
    }
    MainForm* main = session.mainForm();
    if (!main || !session.hasFormType("frmSpacing")) return nullptr;
    auto& sheet = dynamic_cast<SpacingForm&>(main->NewDocumentWindow(2));
    session.moduleState<SpacingState>().datasheetTable.push_back({path, &sheet});
    LoadSpacingFile(path, sheet);
    sheet.show();
    return &sheet;
}

DocumentKind datasheetDocumentKind() {
    DocumentKind kind;
    kind.name = "datasheet";
    kind.title = "Spacing datasheet";
    kind.windowName = "frmSpacing";
    kind.extensions = {".spg"};
    kind.openFilter =
        "Spacing datasheet (*.spg)|*.spg|Digitized data (*.dgt)|*.dgt|All Ravelin datafiles (*.dgt;*.spg)|"
        "*.dgt;*.spg|All Files (*.*)|*.*";
    kind.openFileName = "*.spg";
    kind.open = [](Session& session, const std::string& path) { OpenDatasheetFile(session, path); };
    kind.save = [](Form& window) { return saveDatasheet(dynamic_cast<SpacingForm&>(window)); };
    kind.saveAs = [](Form& window) { return saveDatasheetAs(dynamic_cast<SpacingForm&>(window)); };
    kind.printQuestion = "Print the contents of the current datasheet ?";
    kind.print = [](Form& window) { PrintDatasheet(dynamic_cast<SpacingForm&>(window)); };
    kind.printout = [](Form& window) { return datasheetPrintout(dynamic_cast<SpacingForm&>(window)); };
    kind.filePath = [](const Form& window) { return dynamic_cast<const SpacingForm&>(window).filePath(); };
    kind.properties = [](const Form& window) { return datasheetProperties(dynamic_cast<const SpacingForm&>(window)); };
    return kind;
}

}  // namespace ravelin
