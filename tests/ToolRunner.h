#pragma once
// Runs modeltool as a user would and captures what it prints.
#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace mm::test {

struct ToolResult {
    int status = -1;
    std::string out;
};

// Standard error is folded into the output when withStderr is set.
inline ToolResult RunTool(const std::string& arguments, bool withStderr = false) {
    const std::string command =
        std::string(MODELTOOL) + " " + arguments + (withStderr ? " 2>&1" : " 2>/dev/null");
    ToolResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace mm::test
