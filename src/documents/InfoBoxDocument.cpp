#include "documents/InfoBoxDocument.h"


#include "core/Platform.h"
#include "core/Session.h"
#include "core/TextCodec.h"
#include "documents/InfoBoxForm.h"
#include "documents/PrintOutput.h"
#include "documents/PrintPreview.h"

namespace ravelin {

namespace {

void openInfoBoxFile(Session& session, const std::string& path) {
    const bool rich = lowerExtension(path) == ".rtf";
    session.logEvent(std::string(rich ? "Opening rich text file '" : "Opening file '") + path + "'");
    auto& box = session.form<InfoBoxForm>("frmInfoBox");
    if (box.loadFile(path, rich)) box.show();
}

bool saveInfoBox(InfoBoxForm& box) {
    FileDialogRequest request{"Ravelin - Save", "Rich text files (*.rtf)|*.rtf|Text files (*.txt)|*.txt", "", 1,
                              false, true};
    const auto path = box.platform().saveFileDialog(request);
    if (!path || path->empty()) return false;
    return box.saveFile(*path);
}

void printInfoBox(InfoBoxForm& box) {
    printContent(box.session(), box.caption(), infoBoxPrintout(box), box.selectionLength() > 0);
}

}  // namespace

DocumentKind infoBoxDocumentKind() {
    DocumentKind kind;
    kind.name = "infobox";
    kind.windowName = "frmInfoBox";  // by name alone: a datasheet saved as "InfoBox" stays a datasheet
    kind.extensions = {".rtf", ".txt"};
    kind.opensOtherFiles = true;
    kind.open = openInfoBoxFile;
    kind.save = [](Form& window) { return saveInfoBox(dynamic_cast<InfoBoxForm&>(window)); };
    kind.saveAs = kind.save;
    kind.saveAsFromActiveWindow = true;
    kind.print = [](Form& window) { printInfoBox(dynamic_cast<InfoBoxForm&>(window)); };
    kind.printout = [](Form& window) { return infoBoxPrintout(dynamic_cast<InfoBoxForm&>(window)); };
    return kind;
}

}  // namespace ravelin
