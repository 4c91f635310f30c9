#pragma once
// The File commands that move documents between windows and files: "&Open
// datasheet", "&Close", "&Save", "Save &As..." and "&Print...", each run by
// the kind of window it acts on (documents/DocumentKinds); and the Info
// box's text-format buttons of the main toolbar. Open, Close and Save As act
// on the current document, Save and Print on the active window.

#include <string>

namespace ravelin {

class Form;
class MainForm;
class Session;

// The open dialog, with the current document's kind's filter first.
void OpenDocument(Session& session);
// Asks "Save '...' before closing ?" and closes the document unless the
// user cancels, or the save the user asked for did not happen; either sets
// the session's close-cancelled flag. Returns true when the window closed.
bool CloseDocument(Form& window);
void SaveDocument(Session& session);
void SaveDocumentAs(Session& session);
// Asks the kind's question, then prints; "Nothing to print !" for a window
// whose kind prints nothing.
void PrintDocument(Session& session);

// Opens a file by the kind that lists its extension (".spg" a datasheet,
// ".rtf" and ".txt" the Info box), any other as the kind that opens other
// files (the Info box, as plain text).
void OpenDocumentFile(Session& session, const std::string& path);

// Installs the commands on the main window (Save, Save As and Print start
// disabled: a document window enables them while it is active).
void installDocumentCommands(MainForm& main);

// The hidden print field, and the commands installed on the main window
// when it is created. The document kinds and the Info box window are
// registered by the programs (src/app).
void registerDocuments(Session& session);

}  // namespace ravelin
