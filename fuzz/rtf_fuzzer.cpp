// The rich text reader on any bytes: no fault, no hang, at least one
// paragraph, runs of valid UTF-8 without line breaks and with finite sizes,
// and a text that survives writing: what was read, written and read again,
// is the same text.

#include <cmath>

#include "FuzzCheck.h"
#include "core/TextCodec.h"
#include "documents/RichTextDocument.h"
#include "documents/Rtf.h"

using namespace ravelin;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const RichText text = readRtf(fuzz::bytesOf(data, size));
    RAVELIN_FUZZ_CHECK(!text.paragraphs.empty());
    std::size_t characters = 0;
    for (const RichParagraph& paragraph : text.paragraphs) {
        for (const TextRun& run : paragraph.runs) {
            RAVELIN_FUZZ_CHECK(!run.text.empty());
            RAVELIN_FUZZ_CHECK(run.text.find_first_of("\r\n") == std::string::npos);
            RAVELIN_FUZZ_CHECK(isValidUtf8(run.text));
            RAVELIN_FUZZ_CHECK(std::isfinite(run.format.size) && run.format.size > 0);
            characters += run.text.size();
        }
    }
    // A character of text takes at least one byte of the file, and no escape
    // gives more than four bytes of UTF-8 (\uN, \'hh, a symbol word).
    RAVELIN_FUZZ_CHECK(characters <= 4 * size);

    const RichTextDocument document(text);
    const RichText kept = document.richText();
    RAVELIN_FUZZ_CHECK(readRtf(writeRtf(kept)) == kept);
    return 0;
}
