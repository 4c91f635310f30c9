#include "documents/InfoBoxForm.h"

#include <algorithm>

#include "core/FileMessages.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "core/TextCodec.h"
#include "documents/InfoText.h"
#include "documents/Rtf.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";
// Plain text is turned into paragraphs this many bytes at a time, with
// pending window events let through in between.
constexpr std::size_t kTextChunk = 256 * 1024;

struct ToolbarButton {
    const char* key;
    const char* toolTip;
    bool twoState;
};

const std::vector<ToolbarButton>& toolbarButtons() {
    static const std::vector<ToolbarButton> buttons = {
        {"Font", "Font", false},    {"Copy", "Copy", false},          {"Bold", "Bold", true},
        {"Italic", "Italic", true}, {"Underline", "Underline", true}, {"Left", "Left Justify", true},
        {"Center", "Center", true}, {"Right", "Right Justify", true},
    };
    return buttons;
}

// Lines of a plain text as Info box paragraphs.
RichText plainRichText(const std::string& text, const ReadProgress& progress) {
    RichText out;
    const TextFormat format = infoTextFormat();
    const ParagraphFormat paragraphFormat = infoParagraphFormat();
    std::size_t nextReport = kTextChunk;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find_first_of("\r\n", start);
        RichParagraph paragraph;
        paragraph.setFormat(paragraphFormat);
        const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty()) paragraph.runs.push_back({line, format});
        out.paragraphs.push_back(std::move(paragraph));
        if (end == std::string::npos) break;
        start = end + (text.compare(end, 2, kCrLf) == 0 ? 2 : 1);
        if (progress && start >= nextReport) {
            progress(start, text.size());
            nextReport = start + kTextChunk;
        }
    }
    return out;
}

// One change of the text: the piece that was at `start` and the length the
// change left there. Undo and Redo are the same exchange of the two pieces;
// only the caret they restore differs.
class InfoBoxEdit final : public UndoCommand {
public:
    InfoBoxEdit(InfoBoxForm& box, long long start, long long length, RichText removed, InfoBoxForm::Caret before,
                InfoBoxForm::Caret after, int kind, long long report)
        : box_(box),
          start_(start),
          length_(length),
          piece_(std::move(removed)),
          before_(before),
          after_(after),
          kind_(kind),
          report_(report) {}

    void undo() override {
        swap();
        box_.restoreCaret(before_);
    }
    void redo() override {
        swap();
        box_.restoreCaret(after_);
    }
    // Letters typed in a row join, and so do the blocks of one report.
    bool absorb(UndoCommand& next) override {
        auto* edit = dynamic_cast<InfoBoxEdit*>(&next);
        if (!edit || edit->kind_ != kind_ || edit->start_ != start_ + length_) return false;
        if (RichTextDocument::fragmentLength(edit->piece_) != 0) return false;
        if (kind_ == kTyping ? edit->before_.start != after_.start : edit->report_ != report_ || report_ == 0)
            return false;
        length_ += edit->length_;
        after_ = edit->after_;
        return true;
    }

    static constexpr int kTyping = 0;

private:
    void swap() {
        RichText present = box_.exchange(start_, length_, piece_);
        length_ = RichTextDocument::fragmentLength(piece_);
        piece_ = std::move(present);
    }

    InfoBoxForm& box_;
    long long start_;
    long long length_;
    RichText piece_;  // what the change replaced (before Undo) or made (after it)
    InfoBoxForm::Caret before_;
    InfoBoxForm::Caret after_;
    int kind_;
    long long report_;
};

}  // namespace

InfoBoxForm::InfoBoxForm(Session& session) : Form(session, "frmInfoBox", kCaption), typingFormat_(infoTextFormat()) {
    int index = 1;
    for (const ToolbarButton& b : toolbarButtons()) {
        add(ControlKind::ToolButton, "Toolbar1", index++)
            .withTag(b.key)
            .withToolTip(b.toolTip)
            .withDescription(b.twoState ? "two-state" : "push");
    }
    add(ControlKind::TextBox, "txtText").withFont({"Arial", 11});
}

void InfoBoxForm::onLoad() {
    move(1000, 1250, 8500, 6000);  // the window's own placement (twips), below the toolbar
    initInfoText();
}

// ------------------------------------------------------------------ reports

void InfoBoxForm::initInfoText() {
    document_.setParagraphFormat(session().insertionPoint, 0, infoParagraphFormat());
    typingFormat_ = infoTextFormat();
    selectionMoved();
}

void InfoBoxForm::appendInfoText(const ReportBlock& block, long long position) {
    const long long start = appendPosition(document_, position, session().insertionPoint);
    record(start, 0, EditKind::Report, [&] {
        const AppendedBlock appended = appendInfoBlock(document_, block, position, session().insertionPoint);
        session().insertionPoint = appended.insertionPoint;
        selectionStart_ = appended.insertionPoint;
        selectionLength_ = 0;
    });
    typingFormat_ = infoTextFormat();
    show();
    selectionMoved();
}

void InfoBoxForm::clearInfoText() {
    // One step of the history: Undo brings the earlier reports back.
    record(0, document_.length(), EditKind::Other, [&] { document_.clear(); });
    session().insertionPoint = 0;
    selectionStart_ = selectionLength_ = 0;
    typingFormat_ = infoTextFormat();
    selectionMoved();
}

void InfoBoxForm::appendReport(const std::vector<ReportBlock>& blocks) {
    report_ = ++reports_;
    for (const ReportBlock& block : blocks) appendInfoText(block, 0);
    report_ = 0;
}

// ------------------------------------------------------------- history

InfoBoxForm::Caret InfoBoxForm::caret() const { return {selectionStart_, selectionLength_, session().insertionPoint}; }

void InfoBoxForm::restoreCaret(const Caret& caret) {
    session().insertionPoint = std::clamp(caret.insertionPoint, 0LL, document_.length());
    setSelection(caret.start, caret.length);
}

RichText InfoBoxForm::exchange(long long start, long long length, const RichText& piece) {
    RichText present = document_.richText(start, length);
    document_.remove(start, length);
    document_.insertFragment(start, piece);
    return present;
}

template <class Change>
void InfoBoxForm::record(long long start, long long length, EditKind kind, Change change) {
    const Caret before = caret();
    RichText removed = document_.richText(start, length);
    const long long total = document_.length();
    change();
    const long long left = length + document_.length() - total;
    if (left == length && document_.richText(start, left) == removed) return;  // nothing changed
    const int code = kind == EditKind::Typing ? InfoBoxEdit::kTyping : kind == EditKind::Report ? 1 : 2;
    undoStack().push(std::make_unique<InfoBoxEdit>(*this, start, left, std::move(removed), before, caret(), code,
                                                   kind == EditKind::Report ? report_ : 0));
}

// ------------------------------------------------------------- selection

void InfoBoxForm::setSelection(long long start, long long length) {
    undoStack().breakJoin();  // typing elsewhere is a step of its own
    start = std::clamp(start, 0LL, document_.length());
    length = std::clamp(length, 0LL, document_.length() - start);
    selectionStart_ = start;
    selectionLength_ = length;
    typingFormat_ = document_.formatAt(length > 0 ? start + 1 : start);
    selectionMoved();
}

RangeFormat InfoBoxForm::selectionFormat() const {
    if (selectionLength_ > 0) return document_.formatOf(selectionStart_, selectionLength_);
    RangeFormat format;
    format.font = typingFormat_.font;
    format.size = typingFormat_.size;
    format.bold = typingFormat_.bold;
    format.italic = typingFormat_.italic;
    format.underline = typingFormat_.underline;
    format.alignment = document_.paragraphFormatAt(selectionStart_).alignment;
    return format;
}

void InfoBoxForm::selectionMoved() {
    updateToolbar();
    for (InfoBoxObserver* observer : std::vector<InfoBoxObserver*>(observers_)) observer->selectionChanged(*this);
}

void InfoBoxForm::updateToolbar() {
    const RangeFormat format = selectionFormat();
    auto show = [this](const char* key, bool pressed) {
        for (const auto& control : controls())
            if (control->name() == "Toolbar1" && control->tag() == key) setValue(*control, pressed ? 1 : 0);
    };
    show("Bold", format.bold.value_or(false));
    show("Italic", format.italic.value_or(false));
    show("Underline", format.underline.value_or(false));
    show("Left", format.alignment == ParagraphAlignment::Left);
    show("Center", format.alignment == ParagraphAlignment::Center);
    show("Right", format.alignment == ParagraphAlignment::Right);
}

void InfoBoxForm::addInfoBoxObserver(InfoBoxObserver* observer) { observers_.push_back(observer); }

void InfoBoxForm::removeInfoBoxObserver(InfoBoxObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

// ------------------------------------------------------------------ edits

void InfoBoxForm::removeRange(long long start, long long length) {
    start = std::clamp(start, 0LL, document_.length());
    length = std::clamp(length, 0LL, document_.length() - start);
    if (length == 0) return;
    document_.remove(start, length);
    // The insertion point keeps marking the end of what was appended.
    long long& point = session().insertionPoint;
    if (point >= start + length) point -= length;
    else if (point > start) point = start;
}

void InfoBoxForm::replaceSelection(const std::string& utf8, const TextFormat& format) {
    const long long start = selectionStart_;
    record(start, selectionLength_, EditKind::Typing, [&] {
        removeRange(start, selectionLength_);
        const long long inserted = document_.insertText(start, utf8, format);
        long long& point = session().insertionPoint;
        if (start <= point) point += inserted;
        selectionStart_ = start + inserted;
        selectionLength_ = 0;
    });
    typingFormat_ = format;
    selectionMoved();
}

namespace {
long long codePoints(std::string_view utf8) {
    return std::count_if(utf8.begin(), utf8.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}
}  // namespace

void InfoBoxForm::typeText(const std::string& utf8) {
    const TextFormat format = typingFormat_;  // typing over text keeps the caret's format
    // With Insert switched to overwriting, what is typed replaces as many
    // characters after the caret, up to the end of the paragraph; a line
    // break still starts a new paragraph.
    if (selectionLength_ == 0 && utf8.find_first_of("\r\n") == std::string::npos &&
        !platform().keyboardState().insertMode.value_or(true)) {
        std::string after = document_.plainText(selectionStart_, codePoints(utf8), "\n");
        after.erase(std::min(after.find('\n'), after.size()));
        if (!after.empty()) setSelection(selectionStart_, codePoints(after));
    }
    replaceSelection(utf8, format);
}

void InfoBoxForm::deleteRange(long long start, long long length) {
    start = std::clamp(start, 0LL, document_.length());
    length = std::clamp(length, 0LL, document_.length() - start);
    if (length == 0) return;
    record(start, length, EditKind::Other, [&] {
        removeRange(start, length);
        selectionStart_ = start;
        selectionLength_ = 0;
    });
    setSelection(start, 0);
}

void InfoBoxForm::deleteSelection() { deleteRange(selectionStart_, selectionLength_); }

void InfoBoxForm::deleteBackward() {
    if (selectionLength_ > 0) return deleteSelection();
    if (selectionStart_ > 0) deleteRange(selectionStart_ - 1, 1);
}

void InfoBoxForm::deleteForward() {
    if (selectionLength_ > 0) return deleteSelection();
    deleteRange(selectionStart_, 1);
}

// ---------------------------------------------------------------- toolbar

void InfoBoxForm::onClick(Control& control) {
    if (control.name() == "Toolbar1") toolbarClick(control.tag());
}

void InfoBoxForm::toolbarClick(const std::string& key) {
    if (key == "Font") chooseFont();
    else if (key == "Copy") copyAll();
    else if (key == "Bold") toggleBold();
    else if (key == "Italic") toggleItalic();
    else if (key == "Underline") toggleUnderline();
    else if (key == "Left") setAlignment(ParagraphAlignment::Left);
    else if (key == "Center") setAlignment(ParagraphAlignment::Center);
    else if (key == "Right") setAlignment(ParagraphAlignment::Right);
    updateToolbar();  // a two-state button shows the state, not the click
}

void InfoBoxForm::applyToSelection(const FormatChange& change) {
    if (selectionLength_ > 0)
        record(selectionStart_, selectionLength_, EditKind::Other,
               [&] { document_.applyFormat(selectionStart_, selectionLength_, change); });
    if (change.font && !change.font->empty()) typingFormat_.font = *change.font;
    if (change.size) typingFormat_.size = normalizedFontSize(*change.size);
    if (change.bold) typingFormat_.bold = *change.bold;
    if (change.italic) typingFormat_.italic = *change.italic;
    if (change.underline) typingFormat_.underline = *change.underline;
    selectionMoved();
}

void InfoBoxForm::toggleBold() {
    FormatChange change;
    change.bold = !selectionFormat().bold.value_or(false);
    applyToSelection(change);
}

void InfoBoxForm::toggleItalic() {
    FormatChange change;
    change.italic = !selectionFormat().italic.value_or(false);
    applyToSelection(change);
}

void InfoBoxForm::toggleUnderline() {
    FormatChange change;
    change.underline = !selectionFormat().underline.value_or(false);
    applyToSelection(change);
}

void InfoBoxForm::setAlignment(ParagraphAlignment alignment) {
    const auto [from, to] = document_.paragraphBounds(selectionStart_, selectionLength_);
    record(from, to - from, EditKind::Other,
           [&] { document_.setAlignment(selectionStart_, selectionLength_, alignment); });
    selectionMoved();
}

void InfoBoxForm::chooseFont() {
    const RangeFormat current = selectionFormat();
    const FontChoice initial{current.font.value_or(""), current.size.value_or(0), current.bold.value_or(false),
                             current.italic.value_or(false)};
    const auto choice = platform().fontDialog(initial);
    if (!choice) return;
    FormatChange change;
    if (!choice->name.empty()) change.font = choice->name;
    if (choice->size > 0) change.size = choice->size;
    change.bold = choice->bold;
    change.italic = choice->italic;
    applyToSelection(change);
}

std::string InfoBoxForm::richTextFile() const { return writeRtf(document_.richText()); }

std::string InfoBoxForm::plainTextFile() const { return encodeFileText(document_.plainText(kCrLf)); }

void InfoBoxForm::copyAll() {
    platform().clipboardClear();
    platform().setClipboardRichText(document_.plainText(kCrLf), richTextFile());
}

void InfoBoxForm::copySelection() {
    platform().clipboardClear();
    platform().setClipboardRichText(document_.plainText(selectionStart_, selectionLength_, kCrLf),
                                    writeRtf(document_.richText(selectionStart_, selectionLength_)));
}

// ----------------------------------------------------------- edit commands

bool InfoBoxForm::editCopy() {
    // The report window (named after a report or not) copies all; a file loaded into it copies its selection.
    if (caption().starts_with(kCaption)) copyAll();
    else copySelection();
    return true;
}

bool InfoBoxForm::editCut() {
    if (selectionLength_ == 0) return true;
    copySelection();
    deleteSelection();
    return true;
}

bool InfoBoxForm::editPaste() {
    const std::string text = platform().clipboardText();
    if (!text.empty()) typeText(text);
    return true;
}

// ------------------------------------------------------------------ files

bool InfoBoxForm::loadFile(const std::string& path, bool asRichText) {
    auto refuse = [this, &path](const std::string& why) {
        tellOpenCancelled(session(), path, why);
        return false;
    };
    const std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) return refuse("cannot be read.");
    const bool rich = asRichText && looksLikeRtf(*bytes);
    // A text file holds no NUL byte; anything else would show as garbage.
    if (!rich && bytes->find('\0') != std::string::npos) return refuse("is not a text file.");

    MainForm* main = session().mainForm();
    const Control* panel = main ? main->find("Panels", 1) : nullptr;
    const std::string panelText = panel ? panel->text() : std::string();
    platform().setBusy(true);
    if (main) main->showProcessing(true);
    const ReadProgress progress = [this, main](std::size_t done, std::size_t total) {
        if (main && total > 0) main->setStatusPanel(1, "Opening... " + std::to_string(done * 100 / total) + " %");
        platform().processEvents();
    };
    const RichText text = rich ? readRtf(*bytes, progress) : plainRichText(decodeFileText(*bytes), progress);
    document_.assign(text);
    if (main) {
        main->setStatusPanel(1, panelText);
        main->showProcessing(false);
    }
    platform().setBusy(false);

    setCaption("Info box - " + path);
    filePath_ = path;
    // Reports appended from now on follow the loaded text.
    session().insertionPoint = document_.length();
    setSelection(0, 0);
    undoStack().clear();
    return true;
}

bool InfoBoxForm::saveFile(const std::string& path) {
    const std::string bytes = lowerExtension(path) == ".txt" ? plainTextFile() : richTextFile();
    std::string error;
    if (platform().writeFile(path, bytes, &error)) {
        filePath_ = path;
        undoStack().setClean();
        return true;
    }
    tellSaveFailed(session(), path, error);
    return false;
}

// ------------------------------------------------------------- activation

void InfoBoxForm::setDocumentMenus(bool enabled) {
    if (MainForm* main = session().mainForm())
        main->enableDocumentCommands({enabled, enabled, enabled, enabled, enabled});
}

void InfoBoxForm::onActivate() { setDocumentMenus(true); }

void InfoBoxForm::onDeactivate() { setDocumentMenus(false); }

bool InfoBoxForm::onQueryUnload() {
    if (session().shuttingDown) return false;
    // Closing only hides it: the reports and the insertion point stay for the run.
    hide();
    setDocumentMenus(false);
    return true;
}

void InfoBoxForm::onUnload() { setDocumentMenus(false); }

}  // namespace ravelin
