// ravelin-cli: Ravelin's windows driven from the command line.
// Exit status: 0 success, 1 the work could not be done, 2 usage error.

#include <iostream>
#include <string>
#include <vector>

#include "CliSupport.h"

namespace {

void printUsage(std::ostream& out) {
    out << "usage: ravelin-cli COMMAND [ARGUMENTS] [--json]\n       ravelin-cli --help | --version\n\ncommands:\n";
    for (const auto& command : ravelin::cli::commands()) out << "  " << command.usage << "\n";
    out << "\nWith --json the result is one JSON object on standard output.\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        printUsage(std::cerr);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(std::cout);
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << "ravelin-cli " << RAVELIN_VERSION << "\n";
        return 0;
    }
    for (const auto& command : ravelin::cli::commands()) {
        if (command.name != args[0]) continue;
        try {
            return command.run(std::vector<std::string>(args.begin() + 1, args.end()), std::cout);
        } catch (const ravelin::cli::UsageError& e) {
            std::cerr << "ravelin-cli: " << e.what() << "\n";
            printUsage(std::cerr);
            return 2;
        } catch (const std::exception& e) {
            std::cerr << "ravelin-cli: " << e.what() << "\n";
            return 1;
        }
    }
    std::cerr << "ravelin-cli: unknown command '" << args[0] << "'\n";
    printUsage(std::cerr);
    return 2;
}
