#include "documents/PrintPreview.h"

#include "core/Session.h"
#include "documents/DocumentKinds.h"
#include "documents/InfoBoxForm.h"
#include "documents/PrintOutput.h"

namespace ravelin {

PrintContent infoBoxPrintout(const InfoBoxForm& box) {
    if (box.selectionLength() <= 0) return richTextPrintout(box.document().richText());
    return richTextPrintout(box.document().richText(),
                            box.document().richText(box.selectionStart(), box.selectionLength()));
}

void PreviewDocument(Session& session) {
    Form* active = session.activeForm();
    const DocumentKind* kind = documentKinds(session).of(active);
    if (const PrintContent content = kind && kind->printout ? kind->printout(*active) : PrintContent()) {
        previewContent(session, active->caption(), content);
        return;
    }
    session.platform().messageBox(
        {"Ravelin - Print", "   Nothing to print !", MessageIcon::Exclamation, MessageButtons::Ok});
}

}  // namespace ravelin
