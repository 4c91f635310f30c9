#pragma once
// What every ravelin-cli command shares: a session on a scripted platform,
// the collection of messages and report blocks, argument parsing helpers
// and the JSON or text output.

#include <functional>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/MainForm.h"
#include "core/ScriptedPlatform.h"
#include "CliPlatform.h"
#include "core/Session.h"

namespace ravelin::cli {

using Json = nlohmann::ordered_json;

// Exit 1: the work could not be done.
struct WorkError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// Exit 2: the command line is wrong.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class CliSession : public SessionObserver {
public:
    CliSession();
    ~CliSession() override;

    CliPlatform platform;
    Session session{platform};
    MainForm* main = nullptr;
    std::vector<ReportBlock> report;
    std::vector<std::string> log;  // every message written to the log file, from the start

    void reportAppended(const ReportBlock& block, ReportTarget target) override;
    void logWritten(const std::string& message) override { log.push_back(message); }

    Json messagesJson() const;
    // The messages shown, one "message [icon] title: text" line each.
    void printMessages(std::ostream& out) const;
};

// Writes a command's JSON answer with its line end. Bytes that are not UTF-8
// (a file name given in another encoding) become U+FFFD: the answer is
// always valid JSON.
void writeJson(std::ostream& out, const Json& answer);

// Report blocks as the "report" member of a command's JSON, and as text
// with LF line ends.
Json reportBlocksJson(const std::vector<ReportBlock>& blocks);
std::string reportBlocksText(const std::vector<ReportBlock>& blocks);

// Types into a field as the user does: focus, keys, then leaving it, which
// is when a window checks and applies what was typed.
void typeInto(Form& form, Control& field, const std::string& text);

// Arguments after the command name, with the options that take a value.
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;  // "--page" -> "2"; flags map to ""
    bool has(const std::string& option) const { return options.count(option) != 0; }
    std::string value(const std::string& option, const std::string& fallback = "") const;
};
// Splits argv; options listed in `withValue` consume the next argument.
Arguments parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& withValue,
                         const std::vector<std::string>& flags);

// The --png, --svg and --pdf outputs asked for among `formats` ("png", ...), checked before any work.
std::vector<std::string> pictureOutputs(const Arguments& parsed, const std::vector<std::string>& formats);

// Every text field, check box, option button and changed font of a window.
Json formFields(const Form& form);
Json formChecks(const Form& form);
Json formOptions(const Form& form);
Json formFonts(const Form& form);

struct Command {
    std::string name;
    std::string usage;
    // Writes its result; returns the exit status.
    std::function<int(const std::vector<std::string>& args, std::ostream& out)> run;
};

// The commands of ravelin-cli, in the order the usage lists them.
const std::vector<Command>& commands();

// Commands add themselves to the list through these.
Command calcCommand();
Command infoBoxCommand();
Command datasheetCommand();
Command histogramCommand();
Command variogramCommand();
Command pictureCommand();
Command projectCommand();
Command acquisitionCommand();

}  // namespace ravelin::cli
