#include "documents/DocumentKinds.h"

#include <algorithm>

#include "core/Form.h"
#include "core/MainForm.h"
#include "core/Session.h"
#include "core/TextCodec.h"

namespace ravelin {

std::function<bool(const std::string&)> captionStartsWith(std::string prefix) {
    return [prefix = std::move(prefix)](const std::string& caption) { return caption.starts_with(prefix); };
}

void DocumentKinds::add(DocumentKind kind) {
    const auto same = std::find_if(kinds_.begin(), kinds_.end(), [&](const auto& k) { return k.name == kind.name; });
    if (same != kinds_.end()) *same = std::move(kind);
    else kinds_.push_back(std::move(kind));
}

const DocumentKind* DocumentKinds::of(const Form* window) const {
    // The main window stands for "no document", whatever its caption says.
    if (!window || window == window->session().mainWindow()) return nullptr;
    // "Histo-options" is a tool window, whatever its caption begins with.
    if (toolWindowInfo(window->name())) return nullptr;
    for (const DocumentKind& kind : kinds_)
        if (!kind.windowName.empty() && kind.windowName == window->name()) return &kind;
    for (const DocumentKind& kind : kinds_)
        if (kind.recognisesCaption && kind.recognisesCaption(window->caption())) return &kind;
    return nullptr;
}

const DocumentKind* DocumentKinds::forFile(const std::string& path) const {
    const std::string extension = lowerExtension(path);
    const DocumentKind* others = nullptr;
    for (const DocumentKind& kind : kinds_) {
        const auto& listed = kind.extensions;
        if (std::find(listed.begin(), listed.end(), extension) != listed.end()) return &kind;
        if (kind.opensOtherFiles && !others) others = &kind;
    }
    return others;
}

DocumentKinds& documentKinds(Session& session) { return session.moduleState<DocumentKinds>(); }

}  // namespace ravelin
