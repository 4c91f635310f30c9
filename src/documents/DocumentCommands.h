#pragma once
// The File commands that move documents between windows and files: "&Open
// datasheet", "&Close", "&Save", "Save &As..." and "&Print...", each run by
// the kind of window it acts on (documents/DocumentKinds); and the Info
// box's text-format buttons of the main toolbar. Open, Close and Save As act
// on the current document, Save and Print on the active window.

#include <string>
#include <vector>

#include "documents/DocumentKinds.h"

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

// Save All: every document with changes no file holds is saved as Save
// would, to its own file; a name is asked only where a document has none.
void SaveAllDocuments(Session& session);

// Before the program ends: "Save '...' before closing ?" (Yes, No, Cancel;
// "Closing Ravelin") for each document with unsaved changes, before any
// window closes. False, with every window as it was, when the user cancels
// or a save asked for did not happen; the documents answered No then close
// without asking again.
bool AskToSaveBeforeExit(Session& session);

// The lines of the Properties dialog for a document window: what it is, its
// file (path, size, dates) and what it holds.
std::vector<PropertyLine> DocumentPropertyLines(const Form& window);
// Shows them for the active document (the current one when the active
// window is no document); tells the user when there is none.
void ShowDocumentProperties(Session& session);

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
