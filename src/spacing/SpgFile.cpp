#include "spacing/SpgFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "core/CommaFields.h"
#include "core/NumberText.h"
#include "core/NumericFields.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "core/TextCodec.h"
#include "documents/DocumentCommands.h"
#include "spacing/LargeBuffer.h"
#include "spacing/SpacingForm.h"

namespace ravelin {

namespace {

// Lines whose first letter makes them a comment or a key rather than a distance.
bool readsAsKeyOrComment(std::string_view text) {
    return !text.empty() && std::string_view("'CDSTFLHAINWXYZ").find(text.front()) != std::string_view::npos;
}


constexpr const char* kCrLf = "\r\n";
constexpr const char* kSource = "Ravelin";
// Values read between two passes of the event loop while a long file loads.
constexpr std::size_t kValuesPerEventPass = 4096;
// The value of a key line starts at its eighth character.
constexpr std::size_t kValueStart = 7;
// The chart's legend is kept on a comment line, which readers without it skip.
constexpr std::string_view kLegendKey = "'Lgnd = ";

using Field = FieldReader::Field;

// The value of a key line; nullopt when the line is too short to hold one.
// "Fami =" (an empty value, its trailing blank dropped by the reader) reads as empty.
std::optional<std::string> keyValue(std::string_view field) {
    if (field.size() >= kValueStart) return std::string(trimSpaces(field.substr(kValueStart)));
    std::string_view rest = field;
    while (!rest.empty() && FieldReader::isBlank(rest.back())) rest.remove_suffix(1);
    if (!rest.empty() && rest.back() == '=') return std::string();
    return std::nullopt;
}

SpgReadError shortKeyLine() {
    return {5, "Invalid procedure call or argument",
            "A key line must hold its value after its key and \" = \".", 0, ""};
}

void reportReadError(Session& session, const std::string& path, const SpgReadError& error) {
    session.logError(error.number, error.description, kSource);
    const std::string text = "The file '" + path + "' could not be read completely." + kCrLf + kCrLf + "Line " +
                             std::to_string(error.line) + " : " + error.lineText + kCrLf + error.reason + kCrLf +
                             kCrLf + "Only the lines above it were loaded: saving the datasheet now would lose the "
                             "rest of the file.";
    session.platform().messageBox({"Ravelin - Open", text, MessageIcon::Exclamation, MessageButtons::Ok});
}

void fileMissing(SpacingForm& window, const std::string& path) {
    window.setCaption("Spacing data");
    tellOpenCancelled(window.session(), path, "does not exist in this folder.");
}

// Reads the fields into the window; the distances are returned, the first error (if any) in `error`.
SpacingColumn readFields(FieldReader& reader, SpacingForm& window, std::optional<SpgReadError>& error) {
    Platform& platform = window.platform();
    SpacingColumn values;
    values.reserve(reader.lineCount());
    auto setField = [&](const char* name, int index, const std::string& text) {
        window.setText(window.at(name, index), text);
    };
    Field field;
    for (;;) {
        PlainDecimal decimal;
        // Nearly every line of a datasheet is a plain decimal, read at once.
        auto plainDecimal = [&decimal](std::string_view raw) { return SpacingColumn::parsePlainDecimal(raw, decimal); };
        if (reader.acceptNext(plainDecimal)) {
            values.appendDecimal(decimal);
            if (values.size() % kValuesPerEventPass == 0) platform.processEvents();
            continue;
        }
        if (!reader.next(field)) break;
        if (field.text.empty()) continue;
        const char key = field.text.front();
        if (field.text.starts_with(kLegendKey))
            setField("Legend", -1, std::string(trimSpaces(field.text.substr(kLegendKey.size()))));
        if (key == '\'') continue;
        if (!readsAsKeyOrComment(field.text)) {
            values.append(trimSpaces(field.text));
            if (values.size() % kValuesPerEventPass == 0) platform.processEvents();
            continue;
        }
        const std::optional<std::string> value = keyValue(field.text);
        if (!value) {
            error = shortKeyLine();
        } else {
            switch (key) {
                case 'C':
                case 'D':
                case 'S': {
                    const int first = key == 'C' ? 0 : key == 'D' ? 2 : 5;
                    setField("txtOr", first, *value);
                    Field second;
                    if (!reader.next(second)) {
                        error = SpgReadError{62, "Input past end of file",
                                             "The orientation has no dip value after its comma.", 0, ""};
                        break;
                    }
                    setField("txtOr", first + 1, std::string(trimSpaces(second.text)));
                    break;
                }
                case 'T': {
                    const double type = readNumber(*value);
                    if (type == 1 || type == 2) {
                        window.setValue(window.at("optData", type == 1 ? 0 : 1), 1);
                    } else {
                        error = SpgReadError{340, "Control array element doesn't exist",
                                             "The data type must be 1 (intersection distances) or 2 "
                                             "(discontinuity spacings).",
                                             0, ""};
                    }
                    break;
                }
                case 'F': setField("txtFamily", -1, *value); break;
                case 'L': setField("txtLoc", -1, *value); break;
                case 'H': setField("txtComment", -1, *value); break;
                case 'A': setField("txtOr", 4, *value); break;
                case 'I': setField("Interval", -1, *value); break;
                case 'N': setField("Classes", -1, *value); break;
                case 'W': setField("Expon", -1, *value); break;
                case 'X': setField("Lognorm", -1, *value); break;
                case 'Y': setField("Norm", -1, *value); break;
                case 'Z': setField("Triang", -1, *value); break;
                default: break;
            }
        }
        if (error) {
            error->line = field.line;
            error->lineText = reader.lineAround(field.offset);
            break;
        }
    }
    return values;
}

// Puts the distances into the grids and completes the window as after any load.
void fillWindow(SpacingForm& window, SpacingColumn values) {
    const long long defaultRows = window.DefaultDataRows() + 1;
    const auto n = static_cast<long long>(values.size());
    SpacingGrid& measured = window.grid(0);
    SpacingGrid& corrected = window.grid(1);
    if (n + 1 > defaultRows) window.NumFlexGrid(n + 1, defaultRows);
    measured.setRedraw(false);
    corrected.setRedraw(false);
    // Rows below the data keep nothing from an earlier content, in either grid.
    measured.assignColumn(std::move(values));
    corrected.clearRange(1, corrected.rows() - 1);
    measured.setRedraw(true);
    corrected.setRedraw(true);
}

// A datasheet's text in UTF-8. Plain ASCII (every usual datasheet) is
// parsed where it was read, in one buffer of large pages the size of the
// file; other text is decoded first.
class FileText {
public:
    std::string_view view() const {
        return decoded_ ? std::string_view(*decoded_) : std::string_view(bytes_.data(), bytes_.size());
    }

    // nullopt when the file cannot be opened or read, or is a folder.
    static std::optional<FileText> read(const std::string& path) {
        FileText text;
        if (!text.readRegular(path)) {
            // A pipe, a device, or a file that changed size while read: the general reading.
            std::optional<std::string> bytes = readFileBytes(path);
            if (!bytes) return std::nullopt;
            text.decoded_ = std::move(*bytes);
        }
        const std::string_view bytes = text.view();
        if (!isAscii(bytes)) {
            text.decoded_ = decodeFileText(bytes);
            text.bytes_ = LargeVector<char>();
        }
        return text;
    }

private:
    static bool isAscii(std::string_view bytes) {
        unsigned char high = 0;
        for (char c : bytes) high |= static_cast<unsigned char>(c);
        return high < 0x80;
    }

    // True when the file was read whole into bytes_ as the regular file of the size it announced.
    bool readRegular(const std::string& path) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return false;
        struct stat info {};
        bool whole = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
        if (whole) {
            bytes_.resize(static_cast<std::size_t>(info.st_size));  // left uninitialised, filled by the reading
            std::size_t filled = 0;
            while (whole && filled < bytes_.size()) {
                const ssize_t got = ::read(fd, bytes_.data() + filled, bytes_.size() - filled);
                if (got < 0 && errno == EINTR) continue;
                whole = got > 0;
                if (whole) filled += static_cast<std::size_t>(got);
            }
            char more = 0;
            whole = whole && ::read(fd, &more, 1) == 0;
        }
        ::close(fd);
        if (!whole) bytes_ = LargeVector<char>();
        return whole;
    }

    LargeVector<char> bytes_;
    std::optional<std::string> decoded_;
};

}  // namespace

std::string DatasheetCaption(const std::string& path, const std::string& currentFolder) {
    if (currentFolder.empty()) return path;
    const std::string prefix = currentFolder.back() == '/' ? currentFolder : currentFolder + "/";
    if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0) return path.substr(prefix.size());
    return path;
}

bool LoadSpacingFile(const std::string& path, SpacingForm& window) {
    Session& session = window.session();
    Platform& platform = session.platform();
    platform.setBusy(true);
    for (const char* button : {"cmdHisto", "Vario", "cmdConvert"}) window.setEnabled(window.at(button), false);

    std::optional<FileText> text = FileText::read(path);
    if (!text) {
        std::error_code ignored;
        if (!std::filesystem::exists(path, ignored)) {
            fileMissing(window, path);
        } else {
            reportReadError(session, path,
                            {75, "Path/File access error", "The file cannot be read (access denied, or not a file).",
                             0, ""});
        }
        window.UpdateDataInfo();
        platform.setBusy(false);
        return false;
    }
    FieldReader reader(text->view());
    std::optional<SpgReadError> error;
    SpacingColumn values = readFields(reader, window, error);
    text.reset();  // the column holds its own copies

    window.setCaption(DatasheetCaption(path, platform.currentFolder()));
    window.setFilePath(path);
    fillWindow(window, std::move(values));
    ComputeTheta(window);
    ClearModifiedMarker(window);
    window.UpdateDataInfo();
    for (const char* button : {"cmdHisto", "Vario", "cmdConvert"}) window.setEnabled(window.at(button), true);
    platform.setBusy(false);
    if (error) reportReadError(session, path, *error);
    return !error;
}

std::string SpacingFileText(const SpacingForm& window) {
    std::string out;
    auto line = [&out](const std::string& text) {
        out += text;
        out += kCrLf;
    };
    auto field = [&window](const char* name, int index = -1) { return oneLine(window.text(name, index)); };
    auto orientation = [&](const char* key, int first) {
        const std::string direction = field("txtOr", first);
        const std::string dip = field("txtOr", first + 1);
        line(protectField(std::string(key) + " = " + direction) + "," + protectField(dip, true));
    };

    line("'Heading comment/title");
    line(protectField("Head = " + field("txtComment")));
    line("'Family name");
    line(protectField("Fami = " + field("txtFamily")));
    line("'Location");
    line(protectField("Loca = " + field("txtLoc")));
    line("'Orientation of the cliff (degrees) : dip direction (DD) and dip angle(DA)");
    orientation("Clif", 0);
    line("'Orientation of the scanline (degrees) : DD & DA");
    orientation("Scan", 5);
    line("'Orientation of the discontinuity set (degrees) : dip direction and dip angle");
    orientation("Disc", 2);
    line("'Data type : 1=intersection distances or 2=discontinuity spacings");
    line(std::string("Type = ") + (window.at("optData", 1).value() ? "2" : "1"));
    line("'Theta angle between the scanline and the pole to the discontinuity (degrees)");
    line(protectField("Angl = " + field("txtOr", 4)));

    const std::vector<HistogramRow>& table = window.session().histogramTable;
    const auto row =
        std::find_if(table.rbegin(), table.rend(), [&](const HistogramRow& r) { return r.datasheet == &window; });
    std::string settings[6];
    bool hasSettings = false;
    if (row != table.rend()) {
        settings[0] = generalNumber(row->interval);
        settings[1] = std::to_string(row->classes);
        for (int i = 0; i < 4; ++i) settings[2 + i] = std::to_string(row->laws[i]);
        hasSettings = true;
    } else {
        // Settings loaded with the file and not yet drawn are kept, not dropped.
        const char* labels[] = {"Interval", "Classes", "Expon", "Lognorm", "Norm", "Triang"};
        for (int i = 0; i < 6; ++i) {
            settings[i] = field(labels[i]);
            hasSettings = hasSettings || !settings[i].empty();
        }
    }
    if (hasSettings) {
        line("'Interval");
        line(protectField("Inte = " + settings[0]));
        line("'Number of classes");
        line(protectField("Nbcl = " + settings[1]));
        line("'Lois de distribution: 1=true or 0=false");
        const char* keys[] = {"Wexp = ", "Xlog = ", "Ynor = ", "Ztri = "};
        for (int i = 0; i < 4; ++i) line(protectField(keys[i] + settings[2 + i]));
    }
    const bool legend = row != table.rend() ? row->legend != 0 : readNumber(field("Legend")) == 1;
    if (legend) line(std::string(kLegendKey) + "1");

    const SpacingGrid& measured = window.grid(0);
    const long long last = measured.lastFilledRow();
    for (long long r = 1; r <= last; ++r) {
        if (measured.isEmpty(r)) continue;
        const std::string value = oneLine(measured.text(r));
        // A text the reader would take for a comment or a key is worth 0, as an
        // empty cell is; written, it would break the reading of the file.
        if (value.empty() || readsAsKeyOrComment(value)) continue;
        line(protectField(value, true));
    }
    return out;
}

SpgSaveOutcome SaveSpacingFile(const std::string& path, const SpacingForm& window) {
    SpgSaveOutcome outcome;
    if (path.empty()) return outcome;
    outcome.written = writeFileAtomically(path, encodeFileText(SpacingFileText(window)), &outcome.error);
    if (!outcome.written) window.session().logError(75, outcome.error, kSource);
    return outcome;
}

}  // namespace ravelin
