#pragma once
// A session on a scripted platform with every window kind registered and
// the main window loaded, as ravelin-cli starts one.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/Registrations.h"
#include "core/MainForm.h"
#include "core/Session.h"
#include "support/TestPlatform.h"

namespace ravelin::testing {

struct TestSession {
    TestPlatform platform;
    Session session{platform};
    MainForm* main = nullptr;

    explicit TestSession(bool loadMain = true) {
        registerAllForms(session);
        if (loadMain) main = &dynamic_cast<MainForm&>(session.createForm("frmMain"));
    }

    template <class T>
    T& form(const std::string& name) {
        return dynamic_cast<T&>(session.form(name));
    }

    // The message texts shown so far, in order; the test has now seen them.
    std::vector<std::string> messageTexts() { return platform.messageTexts(); }
};

// A fresh empty folder under the system's temporary folder, removed at the end.
struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        path = std::filesystem::temp_directory_path() /
               ("ravelin-test-" + std::to_string(processTag()) + "-" + std::to_string(counter()++));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
    // Writes the bytes as they are and gives the file's path.
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path / name, std::ios::binary) << bytes;
        return file(name);
    }
    static int& counter() {
        static int value = 0;
        return value;
    }
    // Tells apart the folders of test processes running at the same time.
    static unsigned processTag() {
        static const unsigned tag = std::random_device{}();
        return tag;
    }
};

}  // namespace ravelin::testing
