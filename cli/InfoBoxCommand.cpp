// ravelin-cli infobox FILE [--rtf OUT] [--txt OUT] [--pdf OUT] [--json]
// Opens FILE into the Info box as "&Open datasheet" does with a file that is
// not a datasheet (".rtf" as rich text, any other as plain text) and shows
// what the Info box then holds; the options save or print it again.

#include <iostream>

#include "CliSupport.h"
#include "ReportFiles.h"
#include "core/TextCodec.h"
#include "documents/DocumentCommands.h"
#include "documents/InfoBoxForm.h"

namespace ravelin::cli {

namespace {

const char* alignmentName(ParagraphAlignment alignment) {
    switch (alignment) {
        case ParagraphAlignment::Center: return "center";
        case ParagraphAlignment::Right: return "right";
        case ParagraphAlignment::Left: break;
    }
    return "left";
}

Json paragraphsJson(const RichText& text) {
    Json paragraphs = Json::array();
    for (const RichParagraph& p : text.paragraphs) {
        Json runs = Json::array();
        for (const TextRun& r : p.runs)
            runs.push_back({{"text", r.text},
                            {"font", r.format.font},
                            {"size", r.format.size},
                            {"bold", r.format.bold},
                            {"italic", r.format.italic},
                            {"underline", r.format.underline}});
        paragraphs.push_back({{"alignment", alignmentName(p.alignment)},
                              {"left_indent", p.leftIndent},
                              {"first_indent", p.firstIndent},
                              {"right_indent", p.rightIndent},
                              {"runs", runs}});
    }
    return paragraphs;
}

int runInfoBox(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments parsed = parseArguments(args, withReportFileOptions({}), {"--json"});
    if (parsed.positional.size() != 1) throw UsageError("infobox needs one FILE");
    const std::string path = parsed.positional.front();
    const std::string extension = lowerExtension(path);
    if (extension == ".spg" || extension == ".dgt")
        throw UsageError("infobox opens rich text and text files, not " + extension);

    CliSession cli;
    OpenDocumentFile(cli.session, path);
    auto* box = dynamic_cast<InfoBoxForm*>(cli.session.findForm("frmInfoBox"));
    if (!box || box->caption() == InfoBoxForm::kCaption) {
        const std::string why =
            cli.platform.messages.empty() ? "cannot open " + path : cli.platform.messages.back().text;
        throw WorkError(why);
    }
    const RichText text = box->document().richText();
    const Json files = writeReportFiles(cli.platform, parsed, text);
    if (parsed.has("--json")) {
        Json result = {{"caption", box->caption()},
                       {"text", box->document().plainText("\n")},
                       {"paragraphs", paragraphsJson(text)},
                       {"messages", cli.messagesJson()}};
        if (!files.empty()) result["files"] = files;
        writeJson(out, result);
        return 0;
    }
    out << box->caption() << "\n" << box->document().plainText("\n") << "\n";
    return 0;
}

}  // namespace

Command infoBoxCommand() {
    return {"infobox", "infobox FILE [--rtf OUT] [--txt OUT] [--pdf OUT] [--json]", runInfoBox};
}

}  // namespace ravelin::cli
