#pragma once
// The acquisition window as a document: how it is known, its ".dgt" files
// and its open dialog. Its handlers (the digitized datafile's reading and
// writing, Save As, printing) come with the acquisition window; until then
// a ".dgt" file is not opened (never as text into the Info box) and the
// window has nothing to save or print.

#include "documents/DocumentKinds.h"

namespace ravelin {

DocumentKind acquisitionDocumentKind();

}  // namespace ravelin
