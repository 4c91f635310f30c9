#pragma once
// The services Ravelin asks of its host: dialogs, clipboard, settings,
// printer, clock, beep and the program's own folder. The desktop program
// implements them with Qt; tests and ravelin-cli use ScriptedPlatform.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Picture.h"
#include "core/TextCodec.h"

namespace ravelin {

class Canvas;
class Form;
class RecordingCanvas;
struct RichText;

enum class MessageIcon { None, Information, Exclamation, Stop, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Filters are written as "Description|pattern|Description|pattern".
struct FileDialogRequest {
    std::string title;
    std::string filter;
    std::string fileName;  // proposed name, may hold a pattern such as "*.spg"
    int filterIndex = 1;   // 1-based
    bool mustExist = false;
    bool confirmOverwrite = false;
};

// What the user chose in a save dialog: the path as typed or picked, and
// the filter (1-based) that was selected when the dialog closed.
struct FileChoice {
    std::string path;
    int filterIndex = 1;
};

// The font dialog's choice; an empty name or a size of 0 means "as it was".
struct FontChoice {
    std::string name;
    double size = 0;  // points
    bool bold = false;
    bool italic = false;
    bool operator==(const FontChoice&) const = default;
};

struct PrintDialogRequest {
    std::string title;
    bool offerSelection = false;
    bool offerPageNumbers = false;
    // The window's caption: the job's name, and the name proposed for a PDF file.
    std::string documentName;
};

// Pixels of a picture, 0xAARRGGBB, row after row from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The wall clock as the system shows it.
struct ClockText {
    std::string date;  // e.g. 06/12/2026
    std::string time;  // e.g. 14:03:27
};

// A print job: pages are drawn on a canvas in twips, or a rich text is
// printed as a whole. endDocument() returns false when printing failed,
// and failure() then says why in the user's words.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    virtual Canvas& page() = 0;
    virtual void newPage() = 0;
    virtual void printRichText(const RichText& text) = 0;
    virtual bool endDocument() = 0;
    virtual std::string failure() const { return {}; }
    // The user chose to print only the selected text (when it was offered).
    virtual bool selectionOnly() const { return false; }
};

// What a document puts on paper, drawn on whichever job asks: the printer's
// or a preview's, so that a preview shows exactly what would be printed.
using PrintContent = std::function<void(PrintJob&)>;

// What became of a print preview: closed, or printed from, well or not.
struct PreviewOutcome {
    bool printed = false;
    bool failed = false;
    std::string failure;  // why, when the print from the preview failed
};

// Lock keys and the typing mode as the platform sees them; an empty value
// is a state this platform cannot report.
struct KeyboardState {
    std::optional<bool> capsLock = std::nullopt;
    std::optional<bool> numLock = std::nullopt;
    std::optional<bool> scrollLock = std::nullopt;
    std::optional<bool> insertMode = std::nullopt;  // typing inserts (true) or overwrites (false)
    bool operator==(const KeyboardState&) const = default;
};

class Platform {
public:
    virtual ~Platform() = default;

    virtual MessageAnswer messageBox(const MessageRequest& request) = 0;
    // Cancel gives std::nullopt; OK gives the typed text.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) = 0;
    virtual void beep() = 0;
    // Shows a window modally (options dialog, about box) until it is closed.
    virtual void showModal(Form& form) = 0;

    // Cancel gives std::nullopt; otherwise the full path chosen.
    virtual std::optional<std::string> openFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<FileChoice> saveFileDialog(const FileDialogRequest& request) = 0;

    virtual void clipboardClear() = 0;
    virtual void setClipboardText(const std::string& text) = 0;
    virtual void setClipboardRichText(const std::string& plain, const std::string& rtf) = 0;
    virtual void setClipboardImage(const Image& image) = 0;
    virtual std::string clipboardText() = 0;

    virtual std::optional<std::string> readSetting(const std::string& application, const std::string& section,
                                                   const std::string& key) = 0;
    virtual void writeSetting(const std::string& application, const std::string& section, const std::string& key,
                              const std::string& value) = 0;

    // Renders a recorded drawing of widthTwips x heightTwips: to an image in
    // memory (nullopt when this platform cannot draw), or to a file whose
    // extension picks the format (".bmp", ".png", ".svg", ".pdf"). A file is
    // replaced whole or not at all: a failure leaves the earlier file as it was.
    virtual std::optional<Image> renderImage(const RecordingCanvas& drawing, double widthTwips, double heightTwips) = 0;
    virtual bool exportDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips,
                               const std::string& path, std::string* error) = 0;

    // Writes a document's file (datasheet, acquisition, report) whole or not
    // at all: a failure leaves the earlier file as it was and says why in `error`.
    virtual bool writeFile(const std::string& path, std::string_view bytes, std::string* error) {
        return writeFileAtomically(path, bytes, error);
    }

    // Decodes a picture file (bitmap, GIF, JPEG, PNG, TIFF, enhanced or
    // Windows metafile) into a handle a canvas draws. A file that cannot be
    // read, is damaged or truncated, or holds more than kMaxPicturePixels
    // gives no picture and a sentence for the user; nothing is allocated
    // for a picture before its size has been checked.
    virtual PictureLoad loadPicture(const std::string& path) = 0;

    // Writes a rich text as the printer would print it, to a PDF file.
    virtual bool exportRichText(const RichText& text, const std::string& path, std::string* error) = 0;

    // The font dialog preset with `initial`; std::nullopt when cancelled.
    virtual std::optional<FontChoice> fontDialog(const FontChoice& /*initial*/) { return std::nullopt; }

    // The page set-up dialog. Its choices (paper, orientation, printer) are
    // kept for the session: every print dialog and preview starts from them,
    // and from whatever the last print dialog chose.
    virtual void printerSetupDialog() = 0;
    // Shows the print dialog; nullptr when the user cancels.
    virtual std::unique_ptr<PrintJob> startPrint(const PrintDialogRequest& request) = 0;
    // Shows `content` as it would be printed, page by page; the preview's own
    // Print button prints the same content.
    virtual PreviewOutcome printPreview(const PrintDialogRequest& request, const PrintContent& content) = 0;

    virtual KeyboardState keyboardState() { return {}; }

    virtual ClockText now() = 0;
    virtual void processEvents() = 0;
    // Lets `seconds` go by with the windows drawn and answering, without
    // keeping the processor busy.
    virtual void wait(double seconds) = 0;
    virtual void setBusy(bool busy) = 0;  // busy mouse pointer

    virtual std::string programFolder() = 0;
    virtual std::string executableName() = 0;  // without extension
    virtual std::string currentFolder() = 0;
};

const char* iconName(MessageIcon icon);  // "information", "exclamation", "stop", "question", "none"

}  // namespace ravelin
