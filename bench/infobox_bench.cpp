// The Info box's speed: appending report blocks and saving them as RTF, and
// opening a large RTF. Prints one "name milliseconds" line per measurement.
//
//   ravelin-bench-infobox append BLOCKS OUT.rtf   append BLOCKS report blocks, save OUT.rtf
//   ravelin-bench-infobox write-rtf BYTES OUT.rtf  write a word-processor style RTF of about BYTES
//   ravelin-bench-infobox open FILE.rtf            open FILE.rtf into the Info box

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/Registrations.h"
#include "core/MainForm.h"
#include "core/Report.h"
#include "core/ScriptedPlatform.h"
#include "core/Session.h"
#include "documents/InfoBoxForm.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Program {
    ravelin::ScriptedPlatform platform;
    ravelin::Session session{platform};
    Program() {
        ravelin::registerAllForms(session);
        session.createForm("frmMain");
    }
    ravelin::InfoBoxForm& infoBox() { return session.form<ravelin::InfoBoxForm>("frmInfoBox"); }
};

// The blocks of a typical calculation report, cycled: titles, headings, body
// lines with numbers and accented characters, a table-like block.
std::vector<ravelin::ReportBlock> reportBlocks(int count) {
    using namespace ravelin;
    const std::string crlf = "\r\n";
    std::vector<ReportBlock> pattern = {
        {crlf + "Plane failure - slope 3", style::Bold, 16, ""},
        {crlf + crlf + "File name : ", style::Bold | style::Italic, 11, ""},
        {"Carri\xC3\xA8re nord - banc 2.spg", style::Plain, 0, ""},
        {crlf + "Input data : " + crlf, style::Bold | style::Italic, 11, ""},
        {"Slope height H = 12.50 m" + crlf + "Slope angle = 65\xC2\xB0" + crlf + "Unit weight = 26.0 kN/m\xC2\xB3" +
             crlf + "Friction angle = 32\xC2\xB0, cohesion = 15 kPa",
         style::Plain, 0, ""},
        {crlf + "Results : " + crlf, style::Bold | style::Underline, 11, ""},
        {"N\xC2\xB0\tDip dir.\tDip\tSafety factor" + crlf + "1\t135\t42\t1.27" + crlf + "2\t140\t45\t1.18" + crlf +
             "3\t150\t48\t1.09",
         style::Plain, 9, "Courier New"},
        {crlf + "Safety factor = 1.09 (critical plane 3)" + crlf, style::Bold, 0, ""},
    };
    std::vector<ReportBlock> blocks;
    for (int i = 0; i < count; ++i) blocks.push_back(pattern[static_cast<std::size_t>(i) % pattern.size()]);
    return blocks;
}

int append(int count, const std::string& out) {
    Program program;
    const std::vector<ravelin::ReportBlock> blocks = reportBlocks(count);
    const Clock::time_point start = Clock::now();
    program.session.initInfoText(ravelin::ReportTarget::InfoBox);
    for (const ravelin::ReportBlock& block : blocks) program.session.appendInfoText(block);
    const double appended = millisecondsSince(start);
    const Clock::time_point saving = Clock::now();
    if (!program.infoBox().saveFile(out)) return 1;
    const double saved = millisecondsSince(saving);
    std::cout << "append_ms " << appended << "\nsave_ms " << saved << "\ntotal_ms " << appended + saved
              << "\ncharacters " << program.infoBox().document().length() << "\n";
    return 0;
}

// An RTF as word processors write it: font, colour and style tables, an
// info group, paragraph properties on every paragraph, character runs with
// bold, italic, underline, sizes and colours, escaped and Unicode characters.
int writeRtf(std::size_t bytes, const std::string& out) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036"
        "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}"
        "{\\f2\\fmodern\\fcharset0 Courier New;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue0;\\red192\\green0\\blue0;}\r\n"
        "{\\stylesheet{\\s0\\ql\\f0\\fs22 Normal;}{\\s1\\qc\\b\\f0\\fs32 heading 1;}}\r\n"
        "{\\*\\generator Word processor 6.2;}{\\info{\\title Quarry survey}{\\author Field team}}\r\n"
        "\\paperw11906\\paperh16838\\margl1134\\margr1134\\viewkind4\\uc1\r\n";
    long long paragraph = 0;
    while (rtf.size() < bytes) {
        ++paragraph;
        if (paragraph % 20 == 1) {
            rtf += "\\pard\\s1\\qc\\sb240\\sa120\\b\\f0\\fs32 Section " + std::to_string(paragraph / 20 + 1) +
                   " - Carri\\'e8re du Ravin\\b0\\fs22\\par\r\n";
            continue;
        }
        rtf += "\\pard\\s0\\ql\\li" + std::to_string(paragraph % 3 * 360) + "\\fi-180\\f0\\fs22 ";
        rtf += "Scanline " + std::to_string(paragraph) + " : spacing {\\b 0." + std::to_string(paragraph % 97) +
               " m}, dip {\\i " + std::to_string(paragraph % 90) + "\\'b0}, set {\\ul J" +
               std::to_string(paragraph % 4 + 1) + "}, ";
        rtf += "{\\f1\\fs24\\cf2 \\u8805? 1.5 \\u8364? \\'e9t\\'e9} {\\f2\\fs18 N\\'b0" + std::to_string(paragraph) +
               "\\tab 135\\tab 42}\\par\r\n";
    }
    rtf += "}\r\n";
    std::ofstream file(out, std::ios::binary);
    file << rtf;
    return file ? 0 : 1;
}

int open(const std::string& path) {
    Program program;
    const Clock::time_point start = Clock::now();
    const bool loaded = program.infoBox().loadFile(path, true);
    const double opened = millisecondsSince(start);
    if (!loaded) return 1;
    std::cout << "open_ms " << opened << "\ncharacters " << program.infoBox().document().length() << "\nparagraphs "
              << program.infoBox().document().richText().paragraphs.size() << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "append") return append(std::stoi(args[1]), args[2]);
    if (args.size() == 3 && args[0] == "write-rtf") return writeRtf(std::stoull(args[1]), args[2]);
    if (args.size() == 2 && args[0] == "open") return open(args[1]);
    std::cerr << "usage: ravelin-bench-infobox append BLOCKS OUT.rtf | write-rtf BYTES OUT.rtf | open FILE.rtf\n";
    return 2;
}
