#include "core/FileMessages.h"

#include "core/Platform.h"
#include "core/Session.h"

namespace ravelin {

namespace {
constexpr const char* kCrLf = "\r\n";
}

void tellSaveFailed(Session& session, const std::string& path, const std::string& why, bool logged) {
    session.platform().messageBox({"Ravelin - Save", "The file '" + path + "' could not be saved." + kCrLf + why,
                                   MessageIcon::Exclamation, MessageButtons::Ok});
    if (!logged) session.writeLogFile("The file " + path + " could not be saved: " + why);
}

void tellOpenCancelled(Session& session, const std::string& path, const std::string& why) {
    session.platform().messageBox(
        {"Unable to open file", "The file '" + path + "' " + why, MessageIcon::Exclamation, MessageButtons::Ok});
    session.writeLogFile("The file " + path + " " + why + kCrLf + std::string(13, ' ') +
                         "Opening operation cancelled.");
}

}  // namespace ravelin
