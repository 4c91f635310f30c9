#include "documents/PrintPreview.h"

#include "core/Session.h"
#include "documents/ChartDocuments.h"
#include "documents/DatasheetReport.h"
#include "documents/DocumentCommands.h"
#include "documents/InfoBoxForm.h"
#include "documents/PrintOutput.h"
#include "spacing/HistoForm.h"
#include "spacing/SpacingForm.h"

namespace ravelin {

PrintContent infoBoxPrintout(const InfoBoxForm& box) {
    if (box.selectionLength() <= 0) return richTextPrintout(box.document().richText());
    return richTextPrintout(box.document().richText(),
                            box.document().richText(box.selectionStart(), box.selectionLength()));
}

void PreviewDocument(Session& session) {
    Form* active = session.activeForm();
    switch (documentKindOf(active)) {
        case DocumentKind::Chart:
        case DocumentKind::Variogram:
            if (auto* chart = dynamic_cast<HistoForm*>(active)) {
                previewContent(session, active->caption(), chartPrintout(*chart));
                return;
            }
            break;
        case DocumentKind::InfoBox:
            if (auto* box = dynamic_cast<InfoBoxForm*>(active)) {
                previewContent(session, active->caption(), infoBoxPrintout(*box));
                return;
            }
            break;
        case DocumentKind::Datasheet:
            if (auto* sheet = dynamic_cast<SpacingForm*>(active)) {
                previewContent(session, active->caption(), datasheetPrintout(*sheet));
                return;
            }
            break;
        default: break;
    }
    session.platform().messageBox(
        {"Ravelin - Print", "   Nothing to print !", MessageIcon::Exclamation, MessageButtons::Ok});
}

}  // namespace ravelin
