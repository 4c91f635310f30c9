#pragma once
// A session with every window registered and the main window loaded, in
// which the model windows are driven as a user would drive them.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/MainForm.h"
#include "core/Report.h"
#include "core/ScriptedPlatform.h"
#include "core/Session.h"
#include "core/Startup.h"

namespace ravelin::testing {

class ModelWindowTest : public ::testing::Test, public SessionObserver {
protected:
    void SetUp() override {
        session.addObserver(this);
        registerAllForms(session);
        main = &dynamic_cast<MainForm&>(session.createForm("frmMain"));
    }
    void TearDown() override { session.removeObserver(this); }

    void reportAppended(const ReportBlock& block, ReportTarget target) override {
        if (target == ReportTarget::InfoBox) report.push_back(block);
    }

    static Control& control(Form& form, const std::string& key) {
        Control* found = form.findByKey(key);
        if (!found) throw std::runtime_error("no control " + key + " on " + form.name());
        return *found;
    }
    // Focus, replace the text, leave: as a user typing into a field and tabbing away.
    static void type(Form& form, const std::string& key, const std::string& text) {
        Control& field = control(form, key);
        form.userFocus(field);
        form.userType(field, text);
        form.userLeave();
    }
    static void click(Form& form, const std::string& key) { form.userClick(control(form, key)); }
    static void selectPage(Form& form, int page) { form.userSelectTab(control(form, "tbsOptions"), page); }
    static const std::string& text(Form& form, const std::string& key) { return control(form, key).text(); }

    std::string reportText() const {
        std::string all;
        for (const ReportBlock& block : report) all += block.text;
        return all;
    }

    ScriptedPlatform platform;
    Session session{platform};
    MainForm* main = nullptr;
    std::vector<ReportBlock> report;
};

}  // namespace ravelin::testing
