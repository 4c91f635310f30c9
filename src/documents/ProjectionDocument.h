#pragma once
// The projection window as a document: File > Save (and Save As) while it
// is active writes its picture as a PNG, SVG or PDF file; Print prints it.

#include <string>

#include "documents/DocumentKinds.h"

namespace ravelin {

class Form;

DocumentKind projectionDocumentKind();

// The file a projection saved as `path` goes to: ".png" is added unless the
// name ends in ".png", ".svg" or ".pdf".
std::string projectionFileName(const std::string& path);

// The save dialog ("Ravelin - Save"), then the picture, written atomically.
// A failure is told to the user. Returns true when saved.
bool saveProjection(Form& window);

}  // namespace ravelin
