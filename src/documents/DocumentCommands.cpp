#include "documents/DocumentCommands.h"

#include <filesystem>

#include "core/MainForm.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "core/TextCodec.h"
#include "documents/ChartDocuments.h"
#include "documents/DatasheetReport.h"
#include "documents/InfoBoxForm.h"
#include "documents/InfoText.h"
#include "documents/PrintOutput.h"
#include "documents/PrintPreview.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpgFile.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kPrintTitle = "Ravelin - Print";

const char* const kOpenFilterNoDocument =
    "All Ravelin datafiles (*.dgt;*.spg)|*.dgt;*.spg|Digitized data (*.dgt)|*.dgt|Spacing datasheet (*.spg)|*.spg|"
    "All Files (*.*)|*.*";
const char* const kOpenFilterAcquisition =
    "Digitized datasheet (*.dgt)|*.dgt|Spacing datasheet (*.spg)|*.spg|All Ravelin datafiles (*.dgt;*.spg)|"
    "*.dgt;*.spg|All Files (*.*)|*.*";
const char* const kOpenFilterDatasheet =
    "Spacing datasheet (*.spg)|*.spg|Digitized data (*.dgt)|*.dgt|All Ravelin datafiles (*.dgt;*.spg)|"
    "*.dgt;*.spg|All Files (*.*)|*.*";
const char* const kSaveFilterDatasheet = "Spacing datasheet (*.spg)|*.spg|All Files (*.*)|*.*";
const char* const kSaveFilterInfoBox = "Rich text files (*.rtf)|*.rtf|Text files (*.txt)|*.txt";

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool samePath(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    return a == b || fs::path(a).lexically_normal() == fs::path(b).lexically_normal();
}

MessageAnswer ask(Session& session, const std::string& title, const std::string& text, MessageButtons buttons) {
    return session.platform().messageBox({title, text, MessageIcon::Question, buttons});
}

InfoBoxForm& infoBox(Session& session) { return session.form<InfoBoxForm>("frmInfoBox"); }

// ---------------------------------------------------------------- datasheet

void rememberDatasheetPath(Session& session, Form& sheet, const std::string& path) {
    for (DatasheetRow& row : session.datasheetTable) {
        if (row.window == &sheet) {
            row.path = path;
            return;
        }
    }
    session.datasheetTable.push_back({path, &sheet});
}

// The "*" goes only once the file is safely written.
bool writeDatasheet(SpacingForm& sheet, const std::string& path) {
    const SpgSaveOutcome outcome = SaveSpacingFile(path, sheet);
    if (!outcome.written) {
        tellSaveFailed(sheet.session(), path, outcome.error, true);  // the writer logged its error
        return false;
    }
    ClearModifiedMarker(sheet);
    return true;
}

bool saveDatasheetAs(SpacingForm& sheet) {
    Session& session = sheet.session();
    std::string proposed = sheet.caption();
    if (!proposed.empty() && proposed.back() == '*') proposed.pop_back();
    FileDialogRequest request{"Ravelin - Save as", kSaveFilterDatasheet, proposed, 1, false, true};
    const auto path = session.platform().saveFileDialog(request);
    if (!path || path->empty()) return false;
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

// ----------------------------------------------------------------- Info box

bool saveInfoBox(InfoBoxForm& box) {
    FileDialogRequest request{"Ravelin - Save", kSaveFilterInfoBox, "", 1, false, true};
    const auto path = box.platform().saveFileDialog(request);
    if (!path || path->empty()) return false;
    return box.saveFile(*path);
}

void printInfoBox(InfoBoxForm& box) {
    printContent(box.session(), box.caption(), infoBoxPrintout(box), box.selectionLength() > 0);
}

// -------------------------------------------------------------------- print

bool confirmPrint(Session& session, const std::string& question) {
    return ask(session, kPrintTitle, question, MessageButtons::YesNo) == MessageAnswer::Yes;
}

// Saves a document window of any kind; false when nothing was saved.
bool saveWindow(Form& window) {
    switch (documentKindOf(&window)) {
        case DocumentKind::InfoBox: return saveInfoBox(dynamic_cast<InfoBoxForm&>(window));
        case DocumentKind::Datasheet: return saveDatasheet(dynamic_cast<SpacingForm&>(window));
        case DocumentKind::Chart:
        case DocumentKind::Variogram: return saveChart(window);
        default: return false;  // the acquisition window's file comes with that window
    }
}

}  // namespace

DocumentKind documentKindOf(const Form* window) {
    if (!window) return DocumentKind::None;
    const std::string& name = window->name();
    const std::string& caption = window->caption();
    if (name == "frmMain") return DocumentKind::Main;
    if (name == "frmInfoBox" || caption == InfoBoxForm::kCaption) return DocumentKind::InfoBox;
    if (name == "frmSpacing") return DocumentKind::Datasheet;
    if (name == "frmScan" || startsWith(caption, "Acqu")) return DocumentKind::Acquisition;
    if (startsWith(caption, "Hist")) return DocumentKind::Chart;
    if (startsWith(caption, "Vario")) return DocumentKind::Variogram;
    return DocumentKind::Other;
}

void OpenDocumentFile(Session& session, const std::string& path) {
    const std::string extension = lowerExtension(path);
    if (extension == ".dgt") {
        // The acquisition window reads its digitized datafiles; it comes with its own subsystem.
        return;
    }
    if (extension == ".spg") {
        OpenDatasheetFile(session, path);
        return;
    }
    const bool rich = extension == ".rtf";
    session.logEvent(std::string(rich ? "Opening rich text file '" : "Opening file '") + path + "'");
    InfoBoxForm& box = infoBox(session);
    if (box.loadFile(path, rich)) box.show();
}

SpacingForm* OpenDatasheetFile(Session& session, const std::string& path) {
    session.logEvent("Opening spacing datafile '" + path + "'");
    for (const DatasheetRow& row : session.datasheetTable) {
        auto* sheet = dynamic_cast<SpacingForm*>(row.window);
        if (!sheet || !session.owns(sheet) || !samePath(row.path, path)) continue;
        const MessageAnswer answer =
            ask(session, "Open file",
                "The file '" + path + "' is already opened." + kCrLf + kCrLf + "Do you want to overwrite it?",
                MessageButtons::YesNo);
        if (answer != MessageAnswer::Yes) return nullptr;
        LoadSpacingFile(path, *sheet);
        return sheet;
    }
    MainForm* main = session.mainForm();
    if (!main || !session.hasFormType("frmSpacing")) return nullptr;
    auto& sheet = dynamic_cast<SpacingForm&>(main->NewDocumentWindow(2));
    session.datasheetTable.push_back({path, &sheet});
    LoadSpacingFile(path, sheet);
    sheet.show();
    return &sheet;
}

void tellSaveFailed(Session& session, const std::string& path, const std::string& why, bool logged) {
    session.platform().messageBox({"Ravelin - Save", "The file '" + path + "' could not be saved." + kCrLf + why,
                                   MessageIcon::Exclamation, MessageButtons::Ok});
    if (!logged) session.writeLogFile("The file " + path + " could not be saved: " + why);
}

void tellOpenCancelled(Session& session, const std::string& path, const std::string& why) {
    session.platform().messageBox(
        {"Unable to open file", "The file '" + path + "' " + why, MessageIcon::Exclamation, MessageButtons::Ok});
    session.writeLogFile("The file " + path + " " + why + kCrLf + std::string(13, ' ') +
                         "Opening operation cancelled.");
}

void OpenDocument(Session& session) {
    FileDialogRequest request{"Ravelin - Open", kOpenFilterNoDocument, "", 1, true, false};
    switch (documentKindOf(session.currentDocument())) {
        case DocumentKind::Acquisition:
            request.filter = kOpenFilterAcquisition;
            request.fileName = "*.dgt";
            break;
        case DocumentKind::Datasheet:
            request.filter = kOpenFilterDatasheet;
            request.fileName = "*.spg";
            break;
        default: break;
    }
    const auto path = session.platform().openFileDialog(request);
    if (!path || path->empty()) return;
    OpenDocumentFile(session, *path);
}

bool CloseDocument(Form& window) {
    Session& session = window.session();
    MainForm* main = session.mainForm();
    if (!main || &window == session.mainWindow() || !session.owns(&window)) return false;
    session.closeCancelled = false;
    const bool modified = IsModified(window);
    ClearModifiedMarker(window);
    const MessageAnswer answer = ask(session, "Closing Ravelin", "Save '" + window.caption() + "' before closing ?",
                                     MessageButtons::YesNoCancel);
    // Cancel, or a save that did not happen, keeps the window and its marker.
    if (answer == MessageAnswer::Cancel || (answer == MessageAnswer::Yes && !saveWindow(window))) {
        if (modified && session.owns(&window)) MarkModified(window);
        session.closeCancelled = true;
        return false;
    }
    main->CloseDocumentWindow(window);
    return true;
}

void SaveDocument(Session& session) {
    Form* active = session.activeForm();
    switch (documentKindOf(active)) {
        case DocumentKind::InfoBox:
        case DocumentKind::Datasheet:
        case DocumentKind::Chart:
        case DocumentKind::Variogram: saveWindow(*active); break;
        default: break;
    }
}

void SaveDocumentAs(Session& session) {
    if (documentKindOf(session.activeForm()) == DocumentKind::InfoBox) {
        saveWindow(*session.activeForm());
        return;
    }
    Form* current = session.currentDocument();
    if (documentKindOf(current) == DocumentKind::Datasheet) saveDatasheetAs(dynamic_cast<SpacingForm&>(*current));
}

void PrintDocument(Session& session) {
    Form* active = session.activeForm();
    switch (documentKindOf(active)) {
        case DocumentKind::Chart:
            if (confirmPrint(session, "Print a draft copy of the current histogram ?")) printChart(*active);
            return;
        case DocumentKind::Variogram:
            if (confirmPrint(session, "Print a draft copy of the current variogram ?")) printChart(*active);
            return;
        case DocumentKind::InfoBox: printInfoBox(dynamic_cast<InfoBoxForm&>(*active)); return;
        case DocumentKind::Datasheet:
            if (confirmPrint(session, "Print the contents of the current datasheet ?"))
                PrintDatasheet(dynamic_cast<SpacingForm&>(*active));
            return;
        default:
            session.platform().messageBox(
                {kPrintTitle, "   Nothing to print !", MessageIcon::Exclamation, MessageButtons::Ok});
            return;
    }
}

namespace {

InfoBoxForm* existingInfoBox(Session& session) { return dynamic_cast<InfoBoxForm*>(session.findForm("frmInfoBox")); }

// The main toolbar's Center and Right buttons pressed again on such a paragraph give left.
void alignFromMainToolbar(Session& session, ParagraphAlignment alignment) {
    InfoBoxForm* box = existingInfoBox(session);
    if (!box) return;
    if (alignment != ParagraphAlignment::Left && box->selectionFormat().alignment == alignment)
        alignment = ParagraphAlignment::Left;
    box->setAlignment(alignment);
}

// Creates the commands when the main window comes into being.
struct DocumentCommandInstaller : SessionObserver {
    void formCreated(Form& form) override {
        if (auto* main = dynamic_cast<MainForm*>(&form)) installDocumentCommands(*main);
    }
};

}  // namespace

void installDocumentCommands(MainForm& main) {
    Session& session = main.session();
    main.setCommand("mnuFileOpen", [&session] { OpenDocument(session); });
    main.setCommand("mnuFileClose", [&session] {
        if (Form* current = session.currentDocument()) CloseDocument(*current);
    });
    main.setCommand("mnuFileSave", [&session] { SaveDocument(session); });
    main.setCommand("mnuFileSaveAs", [&session] { SaveDocumentAs(session); });
    main.setCommand("mnuFilePrint", [&session] { PrintDocument(session); });
    main.setCommand("mnuFilePrintPreview", [&session] { PreviewDocument(session); });
    const std::pair<const char*, void (InfoBoxForm::*)()> toggles[] = {
        {"tbBold", &InfoBoxForm::toggleBold},
        {"tbItalic", &InfoBoxForm::toggleItalic},
        {"tbUnderline", &InfoBoxForm::toggleUnderline},
    };
    for (const auto& [command, toggle] : toggles) {
        auto action = toggle;
        main.setCommand(command, [&session, action] {
            if (InfoBoxForm* box = existingInfoBox(session)) (box->*action)();
        });
    }
    main.setCommand("tbLeft", [&session] { alignFromMainToolbar(session, ParagraphAlignment::Left); });
    main.setCommand("tbCenter", [&session] { alignFromMainToolbar(session, ParagraphAlignment::Center); });
    main.setCommand("tbRight", [&session] { alignFromMainToolbar(session, ParagraphAlignment::Right); });
    // Without an active document there is nothing to save or print.
    for (const char* item : {"mnuFileSave", "mnuFileSaveAs", "mnuFilePrint", "mnuFilePrintPreview"})
        main.setEnabled(main.menuItem(item), false);
    for (const char* key : {"Save", "Print"})
        if (Control* button = main.toolButton(key)) main.setEnabled(*button, false);
}

void registerDocuments(Session& session) {
    session.registerForm("frmInfoBox", [](Session& s) { return std::make_unique<InfoBoxForm>(s); });
    printField(session);
    auto& installer = session.moduleState<DocumentCommandInstaller>();
    session.removeObserver(&installer);  // registering twice installs once
    session.addObserver(&installer);
}

}  // namespace ravelin
