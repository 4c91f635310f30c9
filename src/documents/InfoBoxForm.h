#pragma once
// The Info box (frmInfoBox, "InfoBox"): the rich text every report is
// appended to, which the user edits, formats, copies, saves and prints.
// The text lives in a RichTextDocument; the view shows it and forwards the
// user's caret moves and edits here, so the shared insertion point, the
// typing attributes and the toolbar states stay right without a widget.
//
// View API: document() (observe it for text changes), selectionStart(),
// selectionLength(), setSelection(), typeText(), deleteBackward(),
// deleteForward(), deleteSelection(), toolbarClick(key) or the actions it
// runs, addInfoBoxObserver() for selection and typing-format changes.

#include <string>
#include <vector>

#include "core/Form.h"
#include "core/MainForm.h"
#include "core/Report.h"
#include "documents/RichTextDocument.h"

namespace ravelin {

class InfoBoxForm;

class InfoBoxObserver {
public:
    virtual ~InfoBoxObserver() = default;
    // The selection moved or the typing attributes changed.
    virtual void selectionChanged(InfoBoxForm&) {}
};

class InfoBoxForm : public Form, public InfoSink, public EditTarget {
public:
    static constexpr const char* kCaption = "InfoBox";

    explicit InfoBoxForm(Session& session);

    // --- reports ---
    void initInfoText() override;
    void appendInfoText(const ReportBlock& block, long long position) override;
    void clearInfoText() override;
    // The blocks of one report, taken back by one Undo.
    void appendReport(const std::vector<ReportBlock>& blocks) override;
    void setReportName(const std::string& name) override { reportName_ = name; }
    // The name the last naming report gave; "" before any.
    const std::string& reportName() const { return reportName_; }

    // --- the text and the selection (positions in characters) ---
    RichTextDocument& document() { return document_; }
    const RichTextDocument& document() const { return document_; }
    long long selectionStart() const { return selectionStart_; }
    long long selectionLength() const { return selectionLength_; }
    // The caret or selection moved (clamped); the typing attributes follow it.
    void setSelection(long long start, long long length);
    const TextFormat& typingFormat() const { return typingFormat_; }
    // What the selection has in common (the typing attributes at a caret).
    RangeFormat selectionFormat() const;

    // --- the user's edits ---
    // Replaces the selection with typed text in the typing attributes.
    void typeText(const std::string& utf8);
    void deleteSelection();
    void deleteBackward();  // Backspace
    void deleteForward();   // Delete

    // --- toolbar actions ---
    void toolbarClick(const std::string& key);
    void chooseFont();
    void copyAll();
    void toggleBold();
    void toggleItalic();
    void toggleUnderline();
    void setAlignment(ParagraphAlignment alignment);

    // --- files ---
    // Replaces the text with the file's, as rich text when `asRichText` and the
    // bytes are RTF, else as plain text; caption "Info box - " + path. A file
    // that cannot be read or is not text is refused with a message and the
    // text stays as it was. Returns true when loaded.
    bool loadFile(const std::string& path, bool asRichText);
    // ".txt" is written as plain text, any other name as rich text, atomically.
    // A failure is told to the user and logged; returns true when saved.
    bool saveFile(const std::string& path);
    std::string richTextFile() const;
    std::string plainTextFile() const;
    // The file the text was loaded from or last saved to; empty when none.
    const std::string& filePath() const { return filePath_; }
    // Reports or edits that no file holds yet (Undo back to the saved text clears it).
    bool modified() const { return undoStack().modified(); }

    // The caret or selection and the shared insertion point, as an undo step restores them.
    struct Caret {
        long long start = 0;
        long long length = 0;
        long long insertionPoint = 0;
    };
    Caret caret() const;
    void restoreCaret(const Caret& caret);
    // Replaces the characters [start, start + length) with a piece of rich
    // text (richText's), giving back the piece that was there.
    RichText exchange(long long start, long long length, const RichText& piece);

    // --- Edit commands of the main window ---
    bool editCopy() override;
    bool editCut() override;
    bool editPaste() override;

    void addInfoBoxObserver(InfoBoxObserver* observer);
    void removeInfoBoxObserver(InfoBoxObserver* observer);

protected:
    void onLoad() override;
    void onClick(Control& control) override;
    void onActivate() override;
    void onDeactivate() override;
    bool onQueryUnload() override;
    void onUnload() override;
    // The caption carries no "*": the Info box is asked about by its history.
    void onModifiedChanged(bool) override {}

private:
    enum class EditKind { Typing, Report, Other };
    // Runs a change of the characters [start, start + length) and records it
    // for Undo with what was there and what the caret was.
    template <class Change>
    void record(long long start, long long length, EditKind kind, Change change);
    void replaceSelection(const std::string& utf8, const TextFormat& format);
    void removeRange(long long start, long long length);
    // Removes a range as one undo step and puts the caret where it was.
    void deleteRange(long long start, long long length);
    void applyToSelection(const FormatChange& change);
    void updateToolbar();
    void selectionMoved();
    void setDocumentMenus(bool enabled);
    void copySelection();

    RichTextDocument document_;
    long long selectionStart_ = 0;
    long long selectionLength_ = 0;
    TextFormat typingFormat_;
    std::vector<InfoBoxObserver*> observers_;
    std::string filePath_;
    std::string reportName_;
    long long report_ = 0;   // the report being appended (its blocks join), 0 when none
    long long reports_ = 0;  // reports appended so far
};

}  // namespace ravelin
