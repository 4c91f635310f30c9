#include "documents/InfoBoxDocument.h"

#include "core/Platform.h"
#include "core/SaveDialog.h"
#include "core/Session.h"
#include "core/TextCodec.h"
#include "documents/InfoBoxForm.h"
#include "documents/PrintOutput.h"
#include "documents/PrintPreview.h"

namespace ravelin {

namespace {

bool saveInfoBox(InfoBoxForm& box) {
    FileDialogRequest request{
        "Ravelin - Save", "Rich text files (*.rtf)|*.rtf|Text files (*.txt)|*.txt", "", 1, false, true};
    const auto path = chooseSaveFile(box.platform(), request);
    return path && box.saveFile(*path);
}

// Back to the file it was loaded from or saved to; a name is asked only when it has none.
bool saveInfoBoxInPlace(InfoBoxForm& box) {
    return box.filePath().empty() ? saveInfoBox(box) : box.saveFile(box.filePath());
}

void openInfoBoxFile(Session& session, const std::string& path) {
    // Reports no file holds yet would be replaced by the file's text: the user decides first.
    if (auto* existing = dynamic_cast<InfoBoxForm*>(session.findForm("frmInfoBox")); existing && existing->modified()) {
        const MessageAnswer answer =
            session.platform().messageBox({"Closing Ravelin", "Save '" + existing->caption() + "' before closing ?",
                                           MessageIcon::Question, MessageButtons::YesNoCancel});
        if (answer == MessageAnswer::Cancel) return;
        if (answer == MessageAnswer::Yes && !saveInfoBoxInPlace(*existing)) return;
    }
    const bool rich = lowerExtension(path) == ".rtf";
    session.writeLogFile(std::string(rich ? "Opening rich text file '" : "Opening file '") + path + "'");
    auto& box = session.form<InfoBoxForm>("frmInfoBox");
    if (box.loadFile(path, rich)) box.show();
}

void printInfoBox(InfoBoxForm& box) {
    printContent(box.session(), box.caption(), infoBoxPrintout(box), box.selectionLength() > 0);
}

std::vector<PropertyLine> infoBoxProperties(const InfoBoxForm& box) {
    const RichTextDocument& text = box.document();
    // A paragraph break counts as one position of the text, not as a character the user typed.
    const long long characters = text.length() - (text.paragraphCount() - 1);
    return {{"Characters", std::to_string(characters)}, {"Paragraphs", std::to_string(text.paragraphCount())}};
}

}  // namespace

DocumentKind infoBoxDocumentKind() {
    DocumentKind kind;
    kind.name = "infobox";
    kind.title = "Info box";
    kind.windowName = "frmInfoBox";  // by name alone: a datasheet saved as "InfoBox" stays a datasheet
    kind.extensions = {".rtf", ".txt"};
    kind.opensOtherFiles = true;
    kind.open = openInfoBoxFile;
    kind.save = [](Form& window) { return saveInfoBox(dynamic_cast<InfoBoxForm&>(window)); };
    kind.saveAs = kind.save;
    kind.saveAsFromActiveWindow = true;
    kind.print = [](Form& window) { printInfoBox(dynamic_cast<InfoBoxForm&>(window)); };
    kind.printout = [](Form& window) { return infoBoxPrintout(dynamic_cast<InfoBoxForm&>(window)); };
    kind.modified = [](const Form& window) { return dynamic_cast<const InfoBoxForm&>(window).modified(); };
    kind.saveInPlace = [](Form& window) { return saveInfoBoxInPlace(dynamic_cast<InfoBoxForm&>(window)); };
    kind.filePath = [](const Form& window) { return dynamic_cast<const InfoBoxForm&>(window).filePath(); };
    kind.properties = [](const Form& window) { return infoBoxProperties(dynamic_cast<const InfoBoxForm&>(window)); };
    return kind;
}

}  // namespace ravelin
