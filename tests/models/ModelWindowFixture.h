#pragma once
// The model windows driven as a user would drive them, in a full session
// whose Info box reports are collected.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/Report.h"
#include "support/InputSweep.h"
#include "support/TestSession.h"

namespace ravelin::testing {

class ModelWindowTest : public ::testing::Test, public SessionObserver {
protected:
    ModelWindowTest() { session.addObserver(this); }
    ~ModelWindowTest() override { session.removeObserver(this); }

    void reportAppended(const ReportBlock& block, ReportTarget target) override {
        if (target == ReportTarget::InfoBox) report.push_back(block);
    }

    static Control& control(Form& form, const std::string& key) {
        Control* found = form.findByKey(key);
        if (!found) throw std::runtime_error("no control " + key + " on " + form.name());
        return *found;
    }
    static void type(Form& form, const std::string& key, const std::string& text) {
        typeInto(form, control(form, key), text);
    }
    static void click(Form& form, const std::string& key) { form.userClick(control(form, key)); }
    static void selectPage(Form& form, int page) { form.userSelectTab(control(form, "tbsOptions"), page); }
    static const std::string& text(Form& form, const std::string& key) { return control(form, key).text(); }

    std::string reportText() const {
        std::string all;
        for (const ReportBlock& block : report) all += block.text;
        return all;
    }

    TestSession t;
    TestPlatform& platform = t.platform;
    Session& session = t.session;
    std::vector<ReportBlock> report;
};

}  // namespace ravelin::testing
