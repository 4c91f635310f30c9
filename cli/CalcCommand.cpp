// ravelin-cli calc WINDOW [--page N] [ASSIGN ...] [--export [--rtf OUT] [--txt OUT] [--pdf OUT]] [--json]
// ravelin-cli calc WINDOW --list
// Plays the user's part on a calculation window: a tab click, typing into
// fields and leaving them, ticking boxes, then reading back what it shows.

#include <iostream>

#include "Assignment.h"
#include "CliSupport.h"
#include "ReportFiles.h"
#include "core/NumberText.h"
#include "core/SymbolFont.h"

namespace ravelin::cli {

namespace {

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox: return "field";
        case ControlKind::CheckBox: return "check box";
        case ControlKind::OptionButton: return "option";
        case ControlKind::CommandButton: return "button";
        default: return "control";
    }
}

// The page caption of a control, from its chain of containers.
std::string pageOf(const Form& form, const Control& control) {
    const Control* tabs = form.find("tbsOptions");
    const Control* current = &control;
    for (int depth = 0; depth < 16 && current && !current->container().empty(); ++depth) {
        const auto parts = parseControlKey(current->container());
        if (!parts) break;
        if (parts->first == "picOptions" && tabs && parts->second >= 0 &&
            parts->second < static_cast<int>(tabs->tabs().size()))
            return std::to_string(parts->second + 1) + " " + tabs->tabs()[static_cast<size_t>(parts->second)].caption;
        current = form.find(parts->first, parts->second);
    }
    return "";
}

std::string listText(const Form& form) {
    std::string text;
    for (const auto& control : form.controls()) {
        const ControlKind kind = control->kind();
        if (kind != ControlKind::TextBox && kind != ControlKind::CheckBox && kind != ControlKind::OptionButton &&
            kind != ControlKind::CommandButton)
            continue;
        std::string label = control->description().empty() ? control->text() : control->description();
        if (kind == ControlKind::TextBox && control->readOnly()) label += " (result)";
        const std::string page = pageOf(form, *control);
        text += control->key() + "\t" + kindName(kind) + "\t" + (page.empty() ? "-" : page) + "\t" + label + "\n";
    }
    return text;
}

Json listJson(const Form& form) {
    Json list = Json::array();
    for (const auto& control : form.controls()) {
        const ControlKind kind = control->kind();
        if (kind != ControlKind::TextBox && kind != ControlKind::CheckBox && kind != ControlKind::OptionButton &&
            kind != ControlKind::CommandButton)
            continue;
        list.push_back({{"name", control->key()},
                        {"kind", kindName(kind)},
                        {"input", !control->readOnly()},
                        {"page", pageOf(form, *control)},
                        {"label", control->description().empty() ? control->text() : control->description()}});
    }
    return list;
}

int runCalc(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments parsed = parseArguments(args, withReportFileOptions({"--page"}), {"--export", "--json", "--list"});
    if (parsed.positional.empty()) throw UsageError("calc needs a window name");
    if (wantsReportFiles(parsed) && !parsed.has("--export")) throw UsageError("--rtf, --txt and --pdf need --export");
    const std::string window = parsed.positional.front();

    CliSession cli;
    if (!cli.session.hasFormType(window) || window == "frmMain") throw WorkError("unknown window '" + window + "'");
    Form& form = cli.session.form(window);

    if (parsed.has("--list")) {
        if (parsed.has("--json")) writeJson(out, Json({{"window", window}, {"fields", listJson(form)}}));
        else out << listText(form);
        return 0;
    }

    if (parsed.has("--page")) {
        const std::string text = parsed.value("--page");
        Control* tabs = form.find("tbsOptions");
        if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
            throw UsageError("--page takes a tab number");
        if (!tabs) throw WorkError(window + " has no pages");
        const int page = std::stoi(text.substr(0, 6));
        if (page < 1 || page > static_cast<int>(tabs->tabs().size())) throw WorkError(window + " has no page " + text);
        form.userSelectTab(*tabs, page);
    }

    for (size_t i = 1; i < parsed.positional.size(); ++i) applyAssignment(form, parseAssignment(parsed.positional[i]));

    if (parsed.has("--export")) {
        Control* button = form.find("cmdExport");
        if (!button) throw WorkError(window + " has no Export button");
        form.userClick(*button);
    }
    const Json files = writeReportFiles(cli.platform, parsed, cli.report);

    const Control* tabs = form.find("tbsOptions");
    if (parsed.has("--json")) {
        Json result = {{"window", window}};
        result["page"] = tabs ? Json(tabs->value()) : Json(nullptr);
        result["fields"] = formFields(form);
        result["checks"] = formChecks(form);
        result["options"] = formOptions(form);
        result["fonts"] = formFonts(form);
        result["messages"] = cli.messagesJson();
        if (parsed.has("--export")) result["report"] = reportBlocksJson(cli.report);
        if (!files.empty()) result["files"] = files;
        writeJson(out, result);
        return 0;
    }

    out << form.caption() << " (" << window << ")";
    if (tabs) out << ", page " << tabs->value() << " " << tabs->tabs()[static_cast<size_t>(tabs->value() - 1)].caption;
    out << "\n";
    for (const auto& control : form.controls()) {
        switch (control->kind()) {
            case ControlKind::TextBox: out << "  " << control->key() << " = " << ShownText(*control) << "\n"; break;
            case ControlKind::CheckBox:
            case ControlKind::OptionButton: out << "  " << control->key() << " = " << control->value() << "\n"; break;
            default: break;
        }
    }
    cli.printMessages(out);
    if (parsed.has("--export")) out << reportBlocksText(cli.report) << "\n";
    return 0;
}

}  // namespace

Command calcCommand() {
    return {
        "calc",
        "calc WINDOW [--page N] [NAME(I)=TEXT | NAME=0|1 ...] [--export [--rtf OUT] [--txt OUT] [--pdf OUT]] [--json]\n"
        "  calc WINDOW --list [--json]",
        runCalc};
}

}  // namespace ravelin::cli
