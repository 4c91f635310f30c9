// The digitized datafile reader on any bytes: no fault, no more coordinates
// than the bytes hold, an error that names a line of the file, and a
// document that survives writing: read, written, read again, it is the same
// document and is written to the same bytes.

#include <string>

#include "FuzzCheck.h"
#include "acquisition/DgtFormat.h"
#include "core/TextCodec.h"

using namespace ravelin;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const DgtReadResult read = ReadDigitizedFile(bytes);
    const AcquisitionGeometry& geometry = read.document.geometry;
    RAVELIN_FUZZ_CHECK(geometry.contour.size() * 2 + geometry.traces.size() * 4 <= size);
    if (read.error) {
        RAVELIN_FUZZ_CHECK(read.error->line >= 1);
        RAVELIN_FUZZ_CHECK(static_cast<std::size_t>(read.error->line) <= size + 1);
        RAVELIN_FUZZ_CHECK(isValidUtf8(read.error->lineText));
        RAVELIN_FUZZ_CHECK(!read.error->reason.empty());
    }

    const std::string written = WriteDigitizedFile(read.document);
    const DgtReadResult again = ReadDigitizedFile(written);
    RAVELIN_FUZZ_CHECK(!again.error);
    const std::string rewritten = WriteDigitizedFile(again.document);
    RAVELIN_FUZZ_CHECK(rewritten == written);
    RAVELIN_FUZZ_CHECK(ReadDigitizedFile(rewritten).document == again.document);
    return 0;
}
