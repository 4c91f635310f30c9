#include "ReportFiles.h"

#include <iterator>

#include "core/TextCodec.h"
#include "documents/InfoText.h"
#include "documents/Rtf.h"

namespace ravelin::cli {

namespace {
const char* const kReportFileOptions[] = {"--rtf", "--txt", "--pdf"};
}  // namespace

std::vector<std::string> withReportFileOptions(std::vector<std::string> options) {
    options.insert(options.end(), std::begin(kReportFileOptions), std::end(kReportFileOptions));
    return options;
}

bool wantsReportFiles(const Arguments& arguments) {
    for (const char* option : kReportFileOptions)
        if (arguments.has(option)) return true;
    return false;
}

Json writeReportFiles(Platform& platform, const Arguments& arguments, const std::vector<ReportBlock>& blocks) {
    if (!wantsReportFiles(arguments)) return Json::object();
    return writeReportFiles(platform, arguments, reportRichText(blocks));
}

Json writeReportFiles(Platform& platform, const Arguments& arguments, const RichText& text) {
    Json written = Json::object();
    auto fail = [](const std::string& path, const std::string& why) {
        throw WorkError("cannot write " + path + (why.empty() ? "" : ": " + why));
    };
    std::string error;
    if (arguments.has("--rtf")) {
        const std::string path = arguments.value("--rtf");
        if (!writeFileAtomically(path, writeRtf(text), &error)) fail(path, error);
        written["rtf"] = path;
    }
    if (arguments.has("--txt")) {
        const std::string path = arguments.value("--txt");
        const RichTextDocument document(text);
        if (!writeFileAtomically(path, encodeFileText(document.plainText("\r\n")), &error)) fail(path, error);
        written["txt"] = path;
    }
    if (arguments.has("--pdf")) {
        const std::string path = arguments.value("--pdf");
        if (!platform.exportRichText(text, path, &error)) fail(path, error);
        written["pdf"] = path;
    }
    return written;
}

}  // namespace ravelin::cli
