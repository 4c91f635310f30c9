#pragma once
// "Properties" (frmProperties): what the active document is, its file
// (path, size, dates) and its content, one line each in a read-only field
// txtProperty(i) labelled with what it tells, and "OK" to close it. The
// lines are computed by the document commands; the window only shows them.

#include <string>
#include <vector>

#include "core/Form.h"
#include "documents/DocumentKinds.h"

namespace ravelin {

class PropertiesForm : public Form {
public:
    explicit PropertiesForm(Session& session);

    // Before the window is shown: its caption names the document, a field per line.
    void fill(const std::string& documentCaption, const std::vector<PropertyLine>& lines);

protected:
    void onClick(Control& control) override;
    void onKeyDown(int& keyCode, int shiftState) override;
};

}  // namespace ravelin
