#include "documents/AcquisitionDocument.h"

namespace ravelin {

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
    kind.printQuestion = "Print a draft copy of the current Acquisition window ?";
    return kind;
}

}  // namespace ravelin
