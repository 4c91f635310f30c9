#pragma once
// The acquisition window as a document: how it is known, its ".dgt" files,
// its open dialog, and what Open, Save, Save As and Print do with it.

#include <string>

#include "documents/DocumentKinds.h"

namespace ravelin {

class ScanForm;

// "&Open datasheet" on a ".dgt" file: the acquisition window is unloaded
// (it may ask to save itself; a cancel ends the command) and loaded again
// with the file. nullptr when the old window was kept.
ScanForm* OpenDigitizedFile(Session& session, const std::string& path);

DocumentKind acquisitionDocumentKind();

}  // namespace ravelin
