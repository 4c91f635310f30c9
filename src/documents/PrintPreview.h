#pragma once
// "Print Pre&view": the active window's printout as File > Print would put
// it on paper (Info box, spacing datasheet report, histogram or variogram),
// shown page by page without the questions Print asks first.

#include "core/Platform.h"

namespace ravelin {

class InfoBoxForm;
class Session;

// The Info box's whole text; with text selected, the print dialog also offers the selection.
PrintContent infoBoxPrintout(const InfoBoxForm& box);

void PreviewDocument(Session& session);

}  // namespace ravelin
