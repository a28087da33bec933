#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vorn::test {

struct ProcessResult {
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs a program with arguments and extra environment entries ("NAME=value", added to or replacing
// the current ones), waits for it, and returns what it wrote.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment = {});

} // namespace vorn::test
