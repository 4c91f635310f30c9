// `ravelin-cli calc` on any arguments: a window, a page, assignments of any
// text to its controls (or to names it does not have), an export and the
// JSON answer. A command either answers or refuses with a usage or work
// error; any other exception, a fault or a hang is a finding.

#include <fuzzer/FuzzedDataProvider.h>
#include <sstream>
#include <string>
#include <vector>

#include "Assignment.h"
#include "CliSupport.h"
#include "FuzzCheck.h"
#include "core/TextCodec.h"

using namespace ravelin;

namespace {

struct Window {
    std::string name;
    std::vector<std::string> keys;  // its controls, "txtW(19)"
};

// The windows calc accepts and their controls, taken once from a session.
const std::vector<Window>& windows() {
    static const std::vector<Window> list = [] {
        std::vector<Window> found;
        cli::CliSession cli;
        for (const char* name :
             {"frmToolXYZ", "frmToolSpacing", "frmToolVol", "frmModGeom", "frmModProb", "frmHistoTools", "frmOptions",
              "frmInfoBox", "frmSpacing", "frmHisto", "frmLog", "frmAbout"}) {
            if (!cli.session.hasFormType(name)) continue;
            Window window{name, {}};
            for (const auto& control : cli.session.form(name).controls()) window.keys.push_back(control->key());
            found.push_back(std::move(window));
        }
        return found;
    }();
    return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Window& window = windows()[input.ConsumeIntegralInRange<std::size_t>(0, windows().size() - 1)];
    std::vector<std::string> args{window.name};
    if (input.ConsumeBool()) args.insert(args.end(), {"--page", std::to_string(input.ConsumeIntegralInRange(0, 9))});
    while (input.remaining_bytes() > 0 && args.size() < 40) {
        switch (input.ConsumeIntegralInRange(0, 9)) {
            case 0: args.push_back(input.ConsumeRandomLengthString(40)); break;  // anything at all
            case 1: args.push_back(input.PickValueInArray({"--export", "--json", "--list", "--page"})); break;
            default: {
                const std::string& key =
                    window.keys[input.ConsumeIntegralInRange<std::size_t>(0, window.keys.size() - 1)];
                args.push_back(key + "=" + input.ConsumeRandomLengthString(24));
            }
        }
    }
    // Report files would be written wherever the fuzzer runs.
    for (std::string& arg : args)
        if (arg == "--rtf" || arg == "--txt" || arg == "--pdf") arg = "--json";

    std::ostringstream out;
    try {
        const int status = cli::calcCommand().run(args, out);
        RAVELIN_FUZZ_CHECK(status == 0 && !out.str().empty());
    } catch (const cli::UsageError&) {
    } catch (const cli::WorkError&) {}
    // The parser alone: an argument it takes names a control, whatever the window.
    for (std::size_t i = 1; i < args.size(); ++i) {
        try {
            const cli::Assignment assignment = cli::parseAssignment(args[i]);
            RAVELIN_FUZZ_CHECK(!assignment.key.empty() && args[i].starts_with(assignment.key + "="));
            RAVELIN_FUZZ_CHECK(isValidUtf8(assignment.value));
            RAVELIN_FUZZ_CHECK(parseControlKey(assignment.key).has_value());
        } catch (const cli::UsageError&) {
            RAVELIN_FUZZ_CHECK(args[i].find('=') == std::string::npos || args[i].front() == '=' ||
                               !parseControlKey(args[i].substr(0, args[i].find('='))));
        }
    }
    return 0;
}
