#include "CliSupport.h"

#include <algorithm>
#include <sstream>

#include "app/Registrations.h"
#include "core/Startup.h"
#include "core/TextCodec.h"

namespace ravelin::cli {

CliSession::CliSession() {
    session.addObserver(this);
    registerAllForms(session);
    main = &dynamic_cast<MainForm&>(session.createForm("frmMain"));
}

CliSession::~CliSession() { session.removeObserver(this); }

void CliSession::reportAppended(const ReportBlock& block, ReportTarget target) {
    if (target == ReportTarget::InfoBox) report.push_back(block);
}

Json CliSession::messagesJson() const {
    Json list = Json::array();
    for (const MessageRequest& m : platform.messages) {
        const char* icon = iconName(m.icon);
        list.push_back({{"title", m.title}, {"text", m.text}, {"icon", icon}});
    }
    return list;
}

void CliSession::printMessages(std::ostream& out) const {
    for (const MessageRequest& m : platform.messages)
        out << "message [" << iconName(m.icon) << "] " << m.title << ": " << m.text << "\n";
}

void writeJson(std::ostream& out, const Json& answer) {
    out << answer.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}

Json reportBlocksJson(const std::vector<ReportBlock>& blocks) {
    Json list = Json::array();
    for (const ReportBlock& b : blocks)
        list.push_back({{"text", b.text}, {"style", b.style}, {"size", b.size}, {"font", b.font}});
    return list;
}

std::string reportBlocksText(const std::vector<ReportBlock>& blocks) {
    std::string text;
    for (const ReportBlock& b : blocks) text += b.text;
    // Report line breaks are CR LF; a terminal wants LF.
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

void typeInto(Form& form, Control& field, const std::string& text) {
    form.userFocus(field);
    form.userType(field, text);
    form.userLeave();
}

std::string Arguments::value(const std::string& option, const std::string& fallback) const {
    auto it = options.find(option);
    return it == options.end() ? fallback : it->second;
}

Arguments parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& withValue,
                         const std::vector<std::string>& flags) {
    Arguments parsed;
    auto contains = [](const std::vector<std::string>& list, const std::string& s) {
        return std::find(list.begin(), list.end(), s) != list.end();
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
            if (contains(withValue, arg)) {
                if (i + 1 >= args.size()) throw UsageError("option " + arg + " needs a value");
                parsed.options[arg] = args[++i];
            } else if (contains(flags, arg)) {
                parsed.options[arg] = "";
            } else {
                throw UsageError("unknown option " + arg);
            }
        } else {
            parsed.positional.push_back(arg);
        }
    }
    return parsed;
}

Json formFields(const Form& form) {
    Json fields = Json::object();
    for (const auto& control : form.controls())
        if (control->kind() == ControlKind::TextBox) fields[control->key()] = control->text();
    return fields;
}

Json formChecks(const Form& form) {
    Json checks = Json::object();
    for (const auto& control : form.controls())
        if (control->kind() == ControlKind::CheckBox) checks[control->key()] = control->value();
    return checks;
}

Json formOptions(const Form& form) {
    Json options = Json::object();
    for (const auto& control : form.controls())
        if (control->kind() == ControlKind::OptionButton) options[control->key()] = control->value();
    return options;
}

Json formFonts(const Form& form) {
    Json fonts = Json::object();
    for (const auto& control : form.controls())
        if (control->fontChanged()) fonts[control->key()] = control->font().name;
    return fonts;
}

std::vector<std::string> pictureOutputs(const Arguments& parsed, const std::vector<std::string>& formats) {
    std::vector<std::string> paths;
    for (const std::string& format : formats) {
        const std::string option = "--" + format;
        if (!parsed.has(option)) continue;
        const std::string path = parsed.value(option);
        if (lowerExtension(path) != "." + format) throw UsageError(option + " needs a file name ending in ." + format);
        paths.push_back(path);
    }
    return paths;
}

const std::vector<Command>& commands() {
    static const std::vector<Command> list = {calcCommand(),      datasheetCommand(), histogramCommand(),
                                              variogramCommand(), infoBoxCommand(),   acquisitionCommand(),
                                              projectCommand(),   pictureCommand()};
    return list;
}

}  // namespace ravelin::cli
