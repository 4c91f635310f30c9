#pragma once
// The scripted platform as tests use it. A question (a message box with more
// than an OK button), an input box or a file dialog that the test did not
// script fails the test where it was asked. A message that only tells (OK
// alone) must be looked at by the test (`told`, `messageTexts`) or scripted;
// one still unseen when the platform goes fails the test then.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ScriptedPlatform.h"

namespace ravelin::testing {

class TestPlatform : public ScriptedPlatform {
public:
    TestPlatform() {
        onUnscripted = [this](const Unscripted& request) {
            if (request.question) ADD_FAILURE() << "Not scripted: " << request.what;
            else unseen_.push_back(request.what);
        };
    }
    ~TestPlatform() override {
        for (const std::string& what : unseen_) ADD_FAILURE() << "Not scripted and never looked at: " << what;
    }

    // The messages shown so far, in order; the test has now seen them.
    const std::vector<MessageRequest>& told() {
        unseen_.clear();
        return messages;
    }
    // Sees and drops the messages shown so far.
    void forgetMessages() {
        unseen_.clear();
        messages.clear();
    }
    std::vector<std::string> messageTexts() {
        std::vector<std::string> texts;
        for (const auto& m : told()) texts.push_back(m.text);
        return texts;
    }

private:
    std::vector<std::string> unseen_;
};

}  // namespace ravelin::testing
