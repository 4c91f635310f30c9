#pragma once
// How report blocks land in a rich text (the Info box and the hidden print
// field alike): the text defaults of InitInfoText and the insertion of one
// styled block of AppendInfoText at the shared insertion point.

#include <string>
#include <vector>

#include "core/Report.h"
#include "documents/RichTextDocument.h"

namespace ravelin {

class Session;

// "Arial" 11, plain: the typing attributes after InitInfoText and after every block.
TextFormat infoTextFormat();
// The indent settings 200, 400 and 200 twips: first line 200 twips in, wrapped
// lines hanging 400 twips further, 200 twips clear of the right edge.
ParagraphFormat infoParagraphFormat();

// The format a block is written in: its font and size when given, Arial 11
// otherwise, bold/italic/underline from its style bits.
TextFormat blockFormat(const ReportBlock& block);

struct AppendedBlock {
    long long start = 0;           // where the block went
    long long length = 0;          // characters inserted (a line break counts one)
    long long insertionPoint = 0;  // the new shared insertion point
};

// Where appendInfoBlock puts a block: `position`, or the insertion point
// when position is 0 or less (both clamped to the text).
long long appendPosition(const RichTextDocument& document, long long position, long long insertionPoint);

// Inserts the block at `position`, or at the insertion point when position
// is 0 or less (both clamped to the text), never at the user's caret.
AppendedBlock appendInfoBlock(RichTextDocument& document, const ReportBlock& block, long long position,
                              long long insertionPoint);

// A report as a fresh Info box shows it after the blocks were appended.
RichText reportRichText(const std::vector<ReportBlock>& blocks);

// The main window's hidden rich-text field RichTextBox1, the target of
// reports that are printed rather than shown (the datasheet report).
class PrintField : public InfoSink {
public:
    void attach(Session& session) { session_ = &session; }
    void initInfoText() override;
    void appendInfoText(const ReportBlock& block, long long position) override;
    void clearInfoText() override;
    RichTextDocument& document() { return document_; }

private:
    Session* session_ = nullptr;
    RichTextDocument document_;
};

// The session's print field, registered with the session on first use.
PrintField& printField(Session& session);

}  // namespace ravelin
