#pragma once
// The Info box as a document: rich-text and text files opened into it (and
// any file no other kind opens, read as text), saved as rich or plain text,
// printed through the print dialog.

#include "documents/DocumentKinds.h"

namespace ravelin {

DocumentKind infoBoxDocumentKind();

}  // namespace ravelin
