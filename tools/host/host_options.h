// The command line of zepho-host.exe, and how it ends on a problem.
#pragma once

#include <string>

// Exit codes, one per kind of problem.
inline constexpr int kExitUsage = 2, kExitPlugin = 3, kExitInput = 4, kExitOutput = 5, kExitSearch = 6;

struct Options {
    bool info = false;
    int strength = -1;  // -1: the track's default
    bool search = false;
    bool typed = false;  // false: keep the dialog's own values
    int first = 0, last = 0, frames = 0, start = 0;
    std::string gains, plugin, input, output;
};


// Prints "zepho-host: message" on stderr and exits with `code`.
[[noreturn]] void Fail(int code, const std::string& message);

// Exits through Fail on a bad command line, or after --help.
Options ParseOptions(int argc, char** argv);
