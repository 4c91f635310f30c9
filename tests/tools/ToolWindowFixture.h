#pragma once
// A tool window driven as a user drives it: entries typed field after
// field, a page selected and exported, the report blocks collected.

#include <string>
#include <utility>
#include <vector>

#include "models/ModelWindowFixture.h"

namespace ravelin::testing {

using Entries = std::vector<std::pair<std::string, std::string>>;

class ToolWindowTest : public ModelWindowTest {
protected:
    explicit ToolWindowTest(std::string window) : window_(std::move(window)) {}

    Form& tool() { return session.form(window_); }
    void typeAll(const Entries& entries) {
        for (const auto& [key, value] : entries) type(tool(), key, value);
    }
    // Types the entries, selects the page and exports it; the blocks written.
    const std::vector<ReportBlock>& exportPage(int page, const Entries& entries) {
        report.clear();
        typeAll(entries);
        selectPage(tool(), page);
        click(tool(), "cmdExport");
        return report;
    }

private:
    std::string window_;
};

}  // namespace ravelin::testing
