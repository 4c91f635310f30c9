#include "core/Session.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "core/MainForm.h"
#include "core/TextCodec.h"

namespace ravelin {

namespace {
constexpr const char* kCrLf = "\r\n";
}

Session::Session(Platform& platform) : platform_(platform) {}

Session::~Session() {
    // Destroy windows in reverse order of creation so that owners outlive their children.
    while (!forms_.empty()) {
        std::unique_ptr<Form> form = std::move(forms_.back());
        forms_.pop_back();
        for (SessionObserver* observer : std::vector<SessionObserver*>(observers_)) observer->formDestroyed(*form);
    }
}

void Session::registerForm(const std::string& name, FormFactory factory) { factories_[name] = std::move(factory); }

bool Session::hasFormType(const std::string& name) const { return factories_.count(name) != 0; }

Form& Session::adopt(std::unique_ptr<Form> form) {
    forms_.push_back(std::move(form));
    Form& created = *forms_.back();
    for (SessionObserver* observer : std::vector<SessionObserver*>(observers_)) observer->formCreated(created);
    created.load();
    return created;
}

Form& Session::createForm(const std::string& name) {
    auto it = factories_.find(name);
    if (it == factories_.end()) throw std::out_of_range("unknown window " + name);
    return adopt(it->second(*this));
}

Form& Session::form(const std::string& name) {
    if (Form* existing = findForm(name)) return *existing;
    return createForm(name);
}

Form* Session::findForm(const std::string& name) const {
    for (const auto& form : forms_)
        if (form->name() == name) return form.get();
    return nullptr;
}

Form* Session::mainWindow() const { return mainForm_; }

void Session::setActiveForm(Form* form) {
    activeForm_ = form;
    if (mainForm_) mainForm_->refreshUndoItems();
}

void Session::undoStateChanged(Form& form) {
    if (mainForm_ && &form == activeForm_) mainForm_->refreshUndoItems();
}

bool Session::owns(const Form* form) const {
    return std::any_of(forms_.begin(), forms_.end(), [form](const auto& f) { return f.get() == form; });
}

bool Session::closeForm(Form& form) {
    if (!owns(&form)) return false;
    if (!form.queryUnload()) return false;
    // The window's own close handling may already have closed it.
    if (owns(&form)) destroyForm(form);
    return true;
}

void Session::destroyForm(Form& form) {
    auto it = std::find_if(forms_.begin(), forms_.end(), [&form](const auto& f) { return f.get() == &form; });
    if (it == forms_.end()) return;
    form.unloadHandlers();  // a window's own unload frees what refers to it
    if (currentDocument_ == &form) currentDocument_ = mainWindow();
    if (mainWindow() == &form) mainForm_ = nullptr;
    if (activeForm_ == &form) setActiveForm(nullptr);
    std::unique_ptr<Form> owned = std::move(*it);
    forms_.erase(it);
    for (SessionObserver* observer : std::vector<SessionObserver*>(observers_)) observer->formDestroyed(form);
    graveyard_.push_back(std::move(owned));
}

void Session::releaseClosedForm(const Form* form) {
    std::erase_if(graveyard_, [form](const auto& kept) { return kept.get() == form; });
}

void Session::appendInfoText(const ReportBlock& block, long long position, ReportTarget target) {
    if (target == ReportTarget::InfoBox) {
        if (hasFormType("frmInfoBox")) {
            if (auto* sink = dynamic_cast<InfoSink*>(&form("frmInfoBox"))) sink->appendInfoText(block, position);
        }
    } else if (printField_) {
        printField_->appendInfoText(block, position);
    }
    for (SessionObserver* observer : std::vector<SessionObserver*>(observers_)) observer->reportAppended(block, target);
}

void Session::appendReport(const std::vector<ReportBlock>& blocks) {
    if (hasFormType("frmInfoBox")) {
        if (auto* sink = dynamic_cast<InfoSink*>(&form("frmInfoBox"))) sink->appendReport(blocks);
    }
    for (const ReportBlock& block : blocks)
        for (SessionObserver* observer : std::vector<SessionObserver*>(observers_))
            observer->reportAppended(block, ReportTarget::InfoBox);
}

void Session::initInfoText(ReportTarget target) {
    if (target == ReportTarget::InfoBox) {
        if (hasFormType("frmInfoBox")) {
            if (auto* sink = dynamic_cast<InfoSink*>(&form("frmInfoBox"))) sink->initInfoText();
        }
    } else if (printField_) {
        printField_->initInfoText();
    }
}

void Session::clearInfoText(ReportTarget target) {
    InfoSink* sink = printField_;
    if (target == ReportTarget::InfoBox)
        sink = hasFormType("frmInfoBox") ? dynamic_cast<InfoSink*>(&form("frmInfoBox")) : nullptr;
    if (sink) sink->clearInfoText();
}

void Session::nameInfoBox(const std::string& name) {
    if (hasFormType("frmInfoBox"))
        if (auto* sink = dynamic_cast<InfoSink*>(&form("frmInfoBox"))) sink->setReportName(name);
}

std::string Session::logFilePath() const {
    std::string folder = platform_.programFolder();
    if (folder.empty()) return {};  // no program folder (tests, command line): no log file
    std::string exe = platform_.executableName();
    if (exe.size() > 4) exe.resize(4);
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + exe + "Events.log";
}

void Session::logEvent(const std::string& message) {
    if (Form* log = findForm("frmLog")) {
        if (Control* text = log->find("txtLog")) {
            const std::string updated =
                text->text() + kCrLf + std::string(8, ' ') + platform_.now().time + "  -  " + message;
            log->setText(*text, updated);
            log->setSelection(*text, static_cast<int>(updated.size()), 0);
        }
    }
    writeLogFile(message);
}

void Session::writeLogFile(const std::string& message) {
    for (SessionObserver* observer : std::vector<SessionObserver*>(observers_)) observer->logWritten(message);
    const std::string path = logFilePath();
    if (path.empty()) return;
    if (!logFileStarted_) {
        // The first write of a session replaces the previous session's log.
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out) return;
        out << encodeFileText(std::string("Ravelin last session events") + kCrLf + message + kCrLf);
        if (out) logFileStarted_ = true;
        return;
    }
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out) return;
    const bool startsWithBreak = message.rfind(kCrLf, 0) == 0;
    const std::string record = startsWithBreak ? message + kCrLf : platform_.now().time + "  -  " + message + kCrLf;
    out << encodeFileText(record);
}

void Session::logError(int number, const std::string& description, const std::string& source) {
    writeLogFile(std::string("ERROR") + kCrLf + "N°          : " + std::to_string(number) +
                 "Description : " + description + "Context     : 0" + "Helpfile    : " + "Source      : " + source);
}

void Session::addObserver(SessionObserver* observer) { observers_.push_back(observer); }

void Session::removeObserver(SessionObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void MarkModified(Form& window) {
    const std::string& caption = window.caption();
    if (caption.empty() || caption.back() != '*') window.setCaption(caption + "*");
}

void ClearModifiedMarker(Form& window) {
    if (IsModified(window)) window.setCaption(UnmarkedCaption(window));
}

std::string UnmarkedCaption(const Form& window) {
    const std::string& caption = window.caption();
    return IsModified(window) ? caption.substr(0, caption.size() - 1) : caption;
}

bool IsModified(const Form& window) { return !window.caption().empty() && window.caption().back() == '*'; }

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace ravelin
