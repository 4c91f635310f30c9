#include "documents/InfoText.h"

#include <algorithm>

#include "core/Session.h"

namespace ravelin {

TextFormat infoTextFormat() { return TextFormat{"Arial", 11, false, false, false}; }

ParagraphFormat infoParagraphFormat() {
    // First line at 200 twips, wrapped lines at 200 + 400, right indent 200.
    return ParagraphFormat{ParagraphAlignment::Left, 600, -400, 200};
}

TextFormat blockFormat(const ReportBlock& block) {
    TextFormat format = infoTextFormat();
    if (!block.font.empty()) format.font = block.font;
    if (block.size != 0) format.size = normalizedFontSize(block.size);
    format.bold = (block.style & style::Bold) != 0;
    format.italic = (block.style & style::Italic) != 0;
    format.underline = (block.style & style::Underline) != 0;
    return format;
}

long long appendPosition(const RichTextDocument& document, long long position, long long insertionPoint) {
    return position > 0 ? std::min(position, document.length()) : std::clamp(insertionPoint, 0LL, document.length());
}

AppendedBlock appendInfoBlock(RichTextDocument& document, const ReportBlock& block, long long position,
                              long long insertionPoint) {
    const long long anchor = std::clamp(insertionPoint, 0LL, document.length());
    const long long start = appendPosition(document, position, insertionPoint);
    const long long inserted = document.insertText(start, block.text, blockFormat(block));
    return {start, inserted, std::min(anchor + inserted, document.length())};
}

RichText reportRichText(const std::vector<ReportBlock>& blocks) {
    RichTextDocument document;
    document.clear(infoParagraphFormat());
    long long insertionPoint = 0;
    for (const ReportBlock& block : blocks)
        insertionPoint = appendInfoBlock(document, block, 0, insertionPoint).insertionPoint;
    return document.richText();
}

void PrintField::initInfoText() {
    const long long at = session_ ? session_->insertionPoint : 0;
    document_.setParagraphFormat(at, 0, infoParagraphFormat());
}

void PrintField::appendInfoText(const ReportBlock& block, long long position) {
    long long dummy = 0;
    long long& insertionPoint = session_ ? session_->insertionPoint : dummy;
    insertionPoint = appendInfoBlock(document_, block, position, insertionPoint).insertionPoint;
}

void PrintField::clearInfoText() { document_.clear(); }

PrintField& printField(Session& session) {
    PrintField& field = session.moduleState<PrintField>();
    field.attach(session);
    session.setPrintField(&field);
    return field;
}

}  // namespace ravelin
