#include "documents/DocumentCommands.h"

#include "core/FileFacts.h"
#include "core/MainForm.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "documents/DocumentKinds.h"
#include "documents/InfoBoxForm.h"
#include "documents/InfoText.h"
#include "documents/PrintPreview.h"
#include "documents/PropertiesForm.h"

namespace ravelin {

namespace {

constexpr const char* kPrintTitle = "Ravelin - Print";

// The open dialog's filter while no document of a kind with its own is current.
const char* const kOpenFilterNoDocument =
    "All Ravelin datafiles (*.dgt;*.spg)|*.dgt;*.spg|Digitized data (*.dgt)|*.dgt|Spacing datasheet (*.spg)|*.spg|"
    "All Files (*.*)|*.*";

MessageAnswer ask(Session& session, const std::string& title, const std::string& text, MessageButtons buttons) {
    return session.platform().messageBox({title, text, MessageIcon::Question, buttons});
}

const DocumentKind* kindOf(Session& session, const Form* window) { return documentKinds(session).of(window); }

// Saves a document window of any kind; false when nothing was saved.
bool saveWindow(Form& window) {
    const DocumentKind* kind = kindOf(window.session(), &window);
    return kind && kind->save && kind->save(window);
}

bool holdsUnsavedChanges(const DocumentKind& kind, const Form& window) {
    return kind.modified ? kind.modified(window) : IsModified(window);
}

bool saveInPlace(const DocumentKind& kind, Form& window) {
    if (kind.saveInPlace) return kind.saveInPlace(window);
    return kind.save && kind.save(window);
}

// The documents that could lose changes, in the order they were opened.
std::vector<Form*> unsavedDocuments(Session& session) {
    std::vector<Form*> found;
    for (const auto& form : session.forms()) {
        const DocumentKind* kind = kindOf(session, form.get());
        if (kind && kind->save && holdsUnsavedChanges(*kind, *form)) found.push_back(form.get());
    }
    return found;
}

}  // namespace

void SaveAllDocuments(Session& session) {
    for (Form* window : unsavedDocuments(session)) {
        // A save may close or replace windows (a failed one tells the user): only those still open go on.
        if (!session.owns(window)) continue;
        if (const DocumentKind* kind = kindOf(session, window)) saveInPlace(*kind, *window);
    }
}

bool AskToSaveBeforeExit(Session& session) {
    std::vector<Form*> discarded;
    for (Form* window : unsavedDocuments(session)) {
        const MessageAnswer answer =
            ask(session, "Closing Ravelin", "Save '" + UnmarkedCaption(*window) + "' before closing ?",
                MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::Cancel) return false;
        if (answer == MessageAnswer::No) {
            discarded.push_back(window);
            continue;
        }
        const DocumentKind* kind = kindOf(session, window);
        if (!kind || !saveInPlace(*kind, *window)) return false;
    }
    // Answered already: their own close handling does not ask again.
    for (Form* window : discarded) ClearModifiedMarker(*window);
    return true;
}

std::vector<PropertyLine> DocumentPropertyLines(const Form& window) {
    Session& session = window.session();
    const DocumentKind* kind = kindOf(session, &window);
    if (!kind) return {};
    std::vector<PropertyLine> lines{{"Document", kind->title}, {"Window", UnmarkedCaption(window)}};
    const std::string path = kind->filePath ? kind->filePath(window) : std::string();
    if (path.empty()) {
        lines.push_back({"File", "not saved"});
    } else {
        lines.push_back({"File", path});
        if (const std::optional<FileFacts> facts = fileFacts(path)) {
            lines.push_back({"Size", byteCountText(facts->size)});
            if (facts->created) lines.push_back({"Created", localTimeText(*facts->created)});
            lines.push_back({"Modified", localTimeText(facts->modified)});
        } else {
            lines.push_back({"Size", "the file is no longer there"});
        }
    }
    lines.push_back({"Unsaved changes", holdsUnsavedChanges(*kind, window) ? "yes" : "no"});
    if (kind->properties) {
        const std::vector<PropertyLine> content = kind->properties(window);
        lines.insert(lines.end(), content.begin(), content.end());
    }
    return lines;
}

void ShowDocumentProperties(Session& session) {
    Form* window = session.activeForm();
    if (!kindOf(session, window)) window = session.currentDocument();
    if (!kindOf(session, window) || !session.hasFormType("frmProperties")) {
        session.platform().messageBox(
            {"Ravelin - Properties", "   No document is open.", MessageIcon::Information, MessageButtons::Ok});
        return;
    }
    auto& dialog = dynamic_cast<PropertiesForm&>(session.createForm("frmProperties"));
    dialog.fill(UnmarkedCaption(*window), DocumentPropertyLines(*window));
    session.platform().showModal(dialog);
    if (session.owns(&dialog)) session.destroyForm(dialog);
}

void OpenDocumentFile(Session& session, const std::string& path) {
    const DocumentKind* kind = documentKinds(session).forFile(path);
    if (kind && kind->open) kind->open(session, path);
}

void OpenDocument(Session& session) {
    FileDialogRequest request{"Ravelin - Open", kOpenFilterNoDocument, "", 1, true, false};
    const DocumentKind* current = kindOf(session, session.currentDocument());
    if (current && !current->openFilter.empty()) {
        request.filter = current->openFilter;
        request.fileName = current->openFileName;
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
    const DocumentKind* kind = kindOf(session, &window);
    if (kind && kind->close) kind->close(window);
    else main->CloseDocumentWindow(window);
    return true;
}

void SaveDocument(Session& session) {
    if (Form* active = session.activeForm()) saveWindow(*active);
}

void SaveDocumentAs(Session& session) {
    Form* active = session.activeForm();
    const DocumentKind* activeKind = kindOf(session, active);
    if (activeKind && activeKind->saveAsFromActiveWindow) {
        if (activeKind->saveAs) activeKind->saveAs(*active);
        return;
    }
    Form* current = session.currentDocument();
    const DocumentKind* kind = kindOf(session, current);
    if (kind && kind->saveAs) kind->saveAs(*current);
}

void PrintDocument(Session& session) {
    Form* active = session.activeForm();
    const DocumentKind* kind = kindOf(session, active);
    if (!kind || !kind->print) {
        session.platform().messageBox(
            {kPrintTitle, "   Nothing to print !", MessageIcon::Exclamation, MessageButtons::Ok});
        return;
    }
    if (!kind->printQuestion.empty() &&
        ask(session, kPrintTitle, kind->printQuestion, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    kind->print(*active);
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
    main.setCommand("mnuFileSaveAll", [&session] { SaveAllDocuments(session); });
    main.setCommand("mnuFileProperties", [&session] { ShowDocumentProperties(session); });
    main.setExitQuestion([&session] { return AskToSaveBeforeExit(session); });
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
    printField(session);
    auto& installer = session.moduleState<DocumentCommandInstaller>();
    session.removeObserver(&installer);  // registering twice installs once
    session.addObserver(&installer);
}

}  // namespace ravelin
