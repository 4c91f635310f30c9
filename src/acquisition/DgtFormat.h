#pragma once
// The digitized datafile (".dgt"): the acquisition as plain text in sections
// ("[Source]", "[Scale]", "[Window]", "[Discontinuities]", "[Scanline]",
// "[Rectangle]"), read as comma-separated fields (CommaFields.h), so that
// lines may be reflowed freely inside a section. Points are written "x,y",
// traces "x1,y1,x2,y2", in whole canvas units.
//
// The "Sour = " line and the scale are written whole between double quotes
// when they hold a comma (an image path such as "C:\Cliffs\North, 2004.jpg"),
// and both forms are read. Reading never allocates beyond the size of the
// text: a count that announces more points than the file can hold ends the
// reading with an error, as does any other fault, keeping what was read
// before it. The picture is not looked at here: the window loads it from
// `imageSource` and reports a missing one.

#include <optional>
#include <string>
#include <string_view>

#include "acquisition/AcquisitionGeometry.h"

namespace ravelin {

struct DigitizedDocument {
    AcquisitionGeometry geometry;  // with the scale text
    std::string imageSource;       // the photograph's path as stored, "" without one
    bool operator==(const DigitizedDocument&) const = default;
};

// Why reading stopped before the end of the file.
struct DgtReadError {
    int number = 0;           // the error number of the log's error record
    std::string description;  // its description there
    std::string reason;       // what the user is told
    long long line = 0;       // 1-based line of the file
    std::string lineText;     // that line, cut to a length fit for a message
};

struct DgtReadResult {
    DigitizedDocument document;  // everything read, up to the error if there is one
    std::optional<DgtReadError> error;
};

// The file's bytes (Windows-1252 or UTF-8, any line ends) to a document.
DgtReadResult ReadDigitizedFile(std::string_view bytes);

// The document as file bytes: Windows-1252 when every character fits, UTF-8
// otherwise, CR LF line ends.
std::string WriteDigitizedFile(const DigitizedDocument& document);

}  // namespace ravelin
