#include "acquisition/DgtFile.h"

#include <filesystem>
#include <optional>

#include "acquisition/ScanForm.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "core/TextCodec.h"
#include "spacing/SpgFile.h"

namespace ravelin {

namespace {

namespace fs = std::filesystem;

constexpr const char* kCrLf = "\r\n";
constexpr const char* kSource = "Ravelin";
// The log's continuation lines start under the text of the line above, after its time.
const std::string kLogIndent(13, ' ');

bool isFile(const std::string& path) {
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

bool exists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

// The error record of a reading that stopped, each field on its own line.
void logReadError(Session& session, int number, const std::string& description) {
    session.writeLogFile(std::string("ERROR") + kCrLf + "N°          : " + std::to_string(number) + kCrLf +
                         "Description : " + description + kCrLf + "Context     : 0" + kCrLf + "Helpfile    : " + kCrLf +
                         "Source      : " + kSource);
}

void tellReadStopped(Session& session, const std::string& path, const DgtReadError& error) {
    logReadError(session, error.number, error.description);
    std::string text = "The file '" + path + "' could not be read completely." + kCrLf + kCrLf;
    if (error.line > 0) text += "Line " + std::to_string(error.line) + " : " + error.lineText + kCrLf;
    text += error.reason + std::string(kCrLf) + kCrLf +
            "The acquisition window shows what was read before it: saving it now would lose the rest of the file.";
    session.platform().messageBox({"Ravelin - Open", text, MessageIcon::Exclamation, MessageButtons::Ok});
}

void tellFileMissing(Session& session, const std::string& path) {
    const std::string sentence = "The file '" + path + "' does not exist in this folder.";
    session.writeLogFile(sentence + kCrLf + kLogIndent + "Opening operation cancelled.");
    session.platform().messageBox({"Unable to open datafile", sentence, MessageIcon::Exclamation, MessageButtons::Ok});
}

// The photograph of a datafile, or nothing when it cannot be had (told to the user and the log).
void loadPhotograph(ScanForm& window, const std::string& source, const std::string& datafilePath) {
    Session& session = window.session();
    Platform& platform = session.platform();
    if (source.empty()) {
        window.removePicture();
        return;
    }
    const std::string path = ResolveImageSource(source, datafilePath, platform.currentFolder());
    const PictureLoad loaded = platform.loadPicture(path);
    if (loaded.picture) {
        window.setPicture(loaded.picture, source, path);
        return;
    }
    // The window opens without the picture, and saves without it.
    window.removePicture();
    const std::string sentence =
        exists(path) ? loaded.error : "The background image '" + source + "' was not found in this folder.";
    session.writeLogFile(sentence + kCrLf + kLogIndent + "Acquisition window opened without image.");
    platform.messageBox({"Unable to open background image", sentence, MessageIcon::Exclamation, MessageButtons::Ok});
}

}  // namespace

std::string AcquisitionCaption(const std::string& path, const std::string& currentFolder) {
    return ScanForm::kCaptionPrefix + DatasheetCaption(path, currentFolder);
}

std::string ResolveImageSource(const std::string& source, const std::string& datafilePath,
                               const std::string& currentFolder) {
    const fs::path image(source);
    if (source.empty() || image.is_absolute()) return source;
    const fs::path beside = fs::path(datafilePath).parent_path() / image;
    if (!datafilePath.empty() && exists(beside.string())) return beside.lexically_normal().string();
    return currentFolder.empty() ? source : (fs::path(currentFolder) / image).lexically_normal().string();
}

bool LoadDigitizedFile(const std::string& path, ScanForm& window) {
    Session& session = window.session();
    Platform& platform = session.platform();
    platform.setBusy(true);
    std::optional<std::string> bytes;
    if (isFile(path)) bytes = readFileBytes(path);
    if (!bytes) {
        window.setCaption(ScanForm::kNewCaption);
        if (!exists(path)) {
            tellFileMissing(session, path);
        } else {
            tellReadStopped(
                session, path,
                {75, "Path/File access error", "The file cannot be read (access denied, or not a file).", 0, ""});
        }
        window.removePicture();
        window.show();
        platform.setBusy(false);
        return false;
    }
    DgtReadResult read = ReadDigitizedFile(*bytes);
    bytes.reset();

    window.setCaption(AcquisitionCaption(path, platform.currentFolder()));
    window.setFilePath(path);
    loadPhotograph(window, read.document.imageSource, path);
    window.showAcquisition(std::move(read.document.geometry));
    window.show();
    platform.setBusy(false);
    if (read.error) tellReadStopped(session, path, *read.error);
    return !read.error;
}

DigitizedDocument ScanDocument(const ScanForm& window, const std::string& path) {
    DigitizedDocument document;
    document.geometry = window.geometry();
    document.geometry.scaleText = window.text("txtScale");
    document.imageSource = window.imageSource();
    const std::string& picture = window.picturePath();
    if (!picture.empty() && !fs::path(document.imageSource).is_absolute()) {
        // A relative source stays relative only when it still leads to the photograph from the new file.
        std::error_code ignored;
        const fs::path fromNewFile = fs::path(path).parent_path() / document.imageSource;
        if (!fs::equivalent(fromNewFile, picture, ignored))
            document.imageSource = fs::absolute(picture, ignored).lexically_normal().string();
    }
    return document;
}

DgtSaveOutcome SaveDigitizedFile(const std::string& path, const ScanForm& window) {
    DgtSaveOutcome outcome;
    if (path.empty()) return outcome;
    Session& session = window.session();
    session.platform().setBusy(true);
    outcome.written =
        session.platform().writeFile(path, WriteDigitizedFile(ScanDocument(window, path)), &outcome.error);
    if (!outcome.written) session.logError(75, outcome.error, kSource);
    session.platform().setBusy(false);
    return outcome;
}

}  // namespace ravelin
