#pragma once
// The kinds of document window the File commands act on. Each kind says how
// its windows are known, which files it opens, which open dialog it offers
// while it is the current document, and what Open, Save, Save As, Close and
// Print do with it. The commands ("&Open datasheet", "&Close", "&Save",
// "Save &As...", "&Print...") look the kind up here and run its handler; a
// kind leaves out what it does not do. The programs register the kinds at
// start (src/app); a test may add or replace one.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/Platform.h"

namespace ravelin {

class Form;
class Session;

// One line of the Properties dialog: what it tells, and its value as shown.
struct PropertyLine {
    std::string label;
    std::string value;
    bool operator==(const PropertyLine&) const = default;
};

struct DocumentKind {
    std::string name;   // "datasheet": a kind added again under the same name replaces it
    std::string title;  // what Properties calls it: "Spacing datasheet"

    // --- how a window of the kind is known: by its window name, else by its caption ---
    std::string windowName;
    std::function<bool(const std::string& caption)> recognisesCaption;

    // --- files ---
    // Extensions opened as this kind, in lower case with their dot (".spg").
    std::vector<std::string> extensions;
    // The kind that opens the files whose extension no kind lists.
    bool opensOtherFiles = false;
    // The open dialog's filter and proposed name while a window of the kind
    // is the current document; an empty filter leaves the general one.
    std::string openFilter;
    std::string openFileName;

    // --- handlers ---
    // Opens the file at a full path (the dialog's or the command line's).
    std::function<void(Session&, const std::string& path)> open;
    // Save on the active window, Save As on the current document; each
    // returns true when the document was written.
    std::function<bool(Form&)> save;
    std::function<bool(Form&)> saveAs;
    // Save As while a window of the kind is active runs its Save (a kind that
    // is never the current document, such as the Info box).
    bool saveAsFromActiveWindow = false;
    // Closes the window once the user has agreed (and it has been saved if
    // asked); without it the main window's CloseDocumentWindow does.
    std::function<void(Form&)> close;
    // Print on the active window, after the question (Yes/No, "Ravelin -
    // Print") when there is one. Without a handler the user is told there is
    // nothing to print, and no question is asked.
    std::string printQuestion;
    std::function<void(Form&)> print;
    // What Print puts on paper, shown by Print Preview without the question;
    // without it (or when it gives no content) there is nothing to preview.
    std::function<PrintContent(Form&)> printout;

    // --- Save All and the exit question ---
    // Whether the window holds changes no file has; by default its caption's "*".
    std::function<bool(const Form&)> modified;
    // Save All, and Yes to the exit question: the document back to its own
    // file, asking for a name only when it has none. Without it, Save.
    std::function<bool(Form&)> saveInPlace;

    // --- Properties ---
    // The file the window holds (empty when none), and the lines that tell its content.
    std::function<std::string(const Form&)> filePath;
    std::function<std::vector<PropertyLine>(const Form&)> properties;
};

// A caption test for the kinds known by the start of their caption ("Hist").
std::function<bool(const std::string&)> captionStartsWith(std::string prefix);

class DocumentKinds {
public:
    void add(DocumentKind kind);
    // The kind of a window: its window name first, then its caption, kinds in
    // the order they were added. nullptr for the main window, tool windows
    // and no window.
    const DocumentKind* of(const Form* window) const;
    // The kind that opens a file, by its extension in any case; nullptr when
    // no kind lists it and none opens other files.
    const DocumentKind* forFile(const std::string& path) const;
    const std::vector<DocumentKind>& all() const { return kinds_; }

private:
    std::vector<DocumentKind> kinds_;
};

// The kinds registered with a session (its module state).
DocumentKinds& documentKinds(Session& session);

}  // namespace ravelin
