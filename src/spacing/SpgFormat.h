#pragma once
// The spacing datasheet file (".spg") as a value: reading is a function from
// the file's bytes to a SpgDocument (or the line where reading stopped, with
// what was read before it), writing a function from a SpgDocument to bytes.
// No window, no session, no message: spacing/SpgFile fills a datasheet from
// the value and builds the value from a datasheet.
//
// The file is a list of key lines ("Head = ", "Clif = ", ...; a key is known
// by its first letter, case-sensitive), comment lines beginning with "'" and
// one distance per line. Fields are read as comma-separated input: a field
// ends at a comma or a line end, leading blanks are skipped, and a field that
// starts with a double quote runs to its closing quote. Windows-1252 and
// UTF-8 are both read (TextCodec), with any line end.
//
// The writer protects a field holding a comma by writing it whole between
// double quotes, so every file Ravelin writes reads back as it was written;
// a file without commas in its texts is written as it always was.

#include <optional>
#include <string>
#include <string_view>

#include "spacing/SpacingColumn.h"

namespace ravelin {

// One orientation line: "Clif = 135,80" holds the dip direction 135 and the dip 80 (degrees, as typed).
struct SpgOrientation {
    std::optional<std::string> direction;
    std::optional<std::string> dip;
    bool operator==(const SpgOrientation&) const = default;
};

// The chart settings last used for the datasheet's histogram, as texts.
struct SpgChartSettings {
    std::optional<std::string> interval;     // "Inte = ": class interval (metres)
    std::optional<std::string> classes;      // "Nbcl = ": number of classes
    std::optional<std::string> exponential;  // "Wexp = ": law drawn, 1 or 0
    std::optional<std::string> lognormal;    // "Xlog = "
    std::optional<std::string> normal;       // "Ynor = "
    std::optional<std::string> triangular;   // "Ztri = "
    // "'Lgnd = ": the chart's legend shown ("1") or not. A comment line, so
    // readers that do not know it skip it; written only when the legend is on.
    std::optional<std::string> legend;
    bool any() const { return interval || classes || exponential || lognormal || normal || triangular; }
    bool operator==(const SpgChartSettings&) const = default;
};

// What a datasheet file holds. A field is set only when the file holds its
// key (the last one wins): a key left out leaves the datasheet's field as it
// was. Written, a missing text is an empty one and a missing type is 1.
struct SpgDocument {
    std::optional<std::string> comment;   // "Head = "
    std::optional<std::string> family;    // "Fami = "
    std::optional<std::string> location;  // "Loca = "
    SpgOrientation cliff;                 // "Clif = "
    SpgOrientation scanline;              // "Scan = "
    SpgOrientation set;                   // "Disc = ": the discontinuity set
    std::optional<int> dataType;          // "Type = ": 1 intersection distances, 2 discontinuity spacings
    std::optional<std::string> theta;     // "Angl = ": degrees, as typed
    SpgChartSettings chart;
    // The distances in file order, as typed (trimmed). Written, empty cells
    // and cells that would read back as a key or a comment are left out.
    SpacingColumn values;
};

// Why reading stopped before the end of the file.
struct SpgReadError {
    int number = 0;           // the error number recorded in the log
    std::string description;  // its description in the log
    std::string reason;       // what the user is told
    long long line = 0;       // 1-based line of the file; 0 when the file could not be read at all
    std::string lineText;     // that line, cut to 80 characters
};

struct SpgReadResult {
    SpgDocument document;  // everything read before the error, if any
    std::optional<SpgReadError> error;
};

// Reads a datasheet file's bytes. Memory grows with the input only: at most
// one cell per two bytes, and texts no longer than the file's own.
SpgReadResult ReadSpacingDocument(std::string_view bytes);

// The file text of a document in UTF-8 with CR LF line ends.
std::string SpacingDocumentText(const SpgDocument& document);
// The file's bytes: SpacingDocumentText encoded as TextCodec writes files.
std::string WriteSpacingDocument(const SpgDocument& document);

}  // namespace ravelin
