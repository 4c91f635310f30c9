#pragma once
// The File commands that move documents between windows and files: "&Open
// datasheet", "&Close", "&Save", "Save &As..." and "&Print...", by the kind
// of window they act on; and the Info box's text-format buttons of the main
// toolbar. Open, Close and Save As act on the current document, Save and
// Print on the active window.

#include <string>

namespace ravelin {

class Form;
class MainForm;
class Session;
class SpacingForm;

enum class DocumentKind { None, Main, InfoBox, Chart, Variogram, Acquisition, Datasheet, Other };

// Known by the window's name first, then by its caption ("InfoBox", "Hist...", "Vario...", "Acqu...").
DocumentKind documentKindOf(const Form* window);

void OpenDocument(Session& session);
// Asks "Save '...' before closing ?" and closes the document unless the
// user cancels, or the save the user asked for did not happen; either sets
// the session's close-cancelled flag. Returns true when the window closed.
bool CloseDocument(Form& window);
void SaveDocument(Session& session);
void SaveDocumentAs(Session& session);
void PrintDocument(Session& session);

// Opens a file by its extension: ".spg" into a datasheet (the already-opened
// question), ".rtf" as rich text and any other as plain text into the Info box.
void OpenDocumentFile(Session& session, const std::string& path);
// Opens a datasheet file into a new datasheet window, or, once the user
// agrees, again into the window that already holds it. Returns the window
// the file was read into; nullptr when the user kept the opened one or there
// is no main window to hold it.
SpacingForm* OpenDatasheetFile(Session& session, const std::string& path);

// Installs the commands on the main window (Save, Save As and Print start
// disabled: a document window enables them while it is active).
void installDocumentCommands(MainForm& main);

// The Info box window, the hidden print field and the commands, installed
// on the main window when it is created.
void registerDocuments(Session& session);

}  // namespace ravelin
