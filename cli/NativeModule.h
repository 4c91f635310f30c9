#pragma once
// The system calls ravelin-cli needs to find and open its picture module:
// where the running executable lies, and loadable modules with their
// symbols. NativeModule.cpp holds the branch for each system.

#include <string>

namespace ravelin::cli {

// The folder of the running executable, with its trailing separator; empty when unknown.
std::string executableFolder();

// A module opened from `path` (UTF-8), its symbols resolved at once; nullptr when it cannot be opened.
void* openModule(const std::string& path);
// The address of a symbol the module exports; nullptr when it has none of that name.
void* moduleSymbol(void* module, const char* name);
void closeModule(void* module);

}  // namespace ravelin::cli
