#pragma once
// --rtf OUT, --txt OUT and --pdf OUT, taken by every command that produces a
// report: the report written as the Info box saves it (rich text, plain
// text) or prints it (PDF, through the platform's printer rendering).

#include <string>
#include <vector>

#include "CliSupport.h"
#include "core/Report.h"
#include "core/RichText.h"

namespace ravelin::cli {

// A command's options that take a value, with these added, for parseArguments.
std::vector<std::string> withReportFileOptions(std::vector<std::string> options);
bool wantsReportFiles(const Arguments& arguments);

// Writes every file asked for, the report laid out as a fresh Info box shows
// it; throws WorkError "cannot write PATH: why". Returns {"rtf": PATH, ...}.
Json writeReportFiles(Platform& platform, const Arguments& arguments, const std::vector<ReportBlock>& blocks);
// The same for a text as it stands (the Info box holding an opened file).
Json writeReportFiles(Platform& platform, const Arguments& arguments, const RichText& text);

}  // namespace ravelin::cli
