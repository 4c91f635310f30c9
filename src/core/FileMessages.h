#pragma once
// What the user and the log are told when a file cannot be opened or saved,
// in the same words whichever window's file it is.

#include <string>

namespace ravelin {

class Session;

// "Ravelin - Save": the file could not be saved, and why; the log gets a line
// too unless the writer has `logged` the failure itself.
void tellSaveFailed(Session& session, const std::string& path, const std::string& why, bool logged = false);
// "Unable to open file": "The file '...' " followed by `why`, and a log line
// saying the opening was cancelled.
void tellOpenCancelled(Session& session, const std::string& path, const std::string& why);

}  // namespace ravelin
