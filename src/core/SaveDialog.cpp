#include "core/SaveDialog.h"

#include <filesystem>

#include "core/TextCodec.h"

namespace ravelin {

namespace {

std::string lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// "*.a;*.b" -> {".a", ".b"}; patterns with a wildcard after the dot list nothing.
std::vector<std::string> patternExtensions(const std::string& patterns) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= patterns.size()) {
        const std::size_t end = std::min(patterns.find(';', start), patterns.size());
        const std::string pattern = patterns.substr(start, end - start);
        const std::size_t dot = pattern.rfind('.');
        if (dot != std::string::npos && dot + 1 < pattern.size() &&
            pattern.find_first_of("*?", dot) == std::string::npos)
            out.push_back(lower(pattern.substr(dot)));
        start = end + 1;
    }
    return out;
}

}  // namespace

std::vector<std::vector<std::string>> filterExtensions(const std::string& filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t end = std::min(filter.find('|', start), filter.size());
        parts.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::vector<std::string>> filters;
    for (std::size_t i = 1; i < parts.size(); i += 2) filters.push_back(patternExtensions(parts[i]));
    return filters;
}

std::string pathForFilter(const std::string& path, const std::string& filter, int filterIndex) {
    const std::vector<std::vector<std::string>> filters = filterExtensions(filter);
    const std::string extension = lowerExtension(path);
    if (!extension.empty()) {
        for (const auto& listed : filters)
            for (const std::string& known : listed)
                if (known == extension) return path;
    }
    if (filterIndex < 1 || filterIndex > static_cast<int>(filters.size())) return path;
    const std::vector<std::string>& chosen = filters[static_cast<std::size_t>(filterIndex - 1)];
    return chosen.empty() ? path : path + chosen.front();
}

std::optional<std::string> chooseSaveFile(Platform& platform, const FileDialogRequest& request) {
    const std::optional<FileChoice> choice = platform.saveFileDialog(request);
    if (!choice || choice->path.empty()) return std::nullopt;
    const std::string path = pathForFilter(choice->path, request.filter, choice->filterIndex);
    std::error_code ignored;
    if (path != choice->path && request.confirmOverwrite && std::filesystem::exists(path, ignored)) {
        const MessageAnswer answer =
            platform.messageBox({request.title, "The file '" + path + "' already exists.\r\nDo you want to replace it?",
                                 MessageIcon::Exclamation, MessageButtons::YesNo});
        if (answer != MessageAnswer::Yes) return std::nullopt;
    }
    return path;
}

}  // namespace ravelin
