#pragma once
// Runs modeltool as a user would and captures what it prints.
#include <array>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace mm::test {

struct ToolResult {
    int status = -1;
    std::string out;
};

// Runs a shell command line; out is what it writes to standard output.
inline ToolResult RunShell(const std::string& command) {
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

// Standard error is folded into the output when withStderr is set.
inline ToolResult RunTool(const std::string& arguments, bool withStderr = false) {
    return RunShell(std::string(MODELTOOL) + " " + arguments +
                    (withStderr ? " 2>&1" : " 2>/dev/null"));
}

struct CappedResult {
    int status = -1;
    std::string err;
    long peakKilobytes = 0; // the most memory the run held at once
};

// Runs modeltool with standard output thrown away and its address space capped at capBytes
// (not under AddressSanitizer, whose shadow memory reserves more than any cap), and measures
// the memory it held at its peak.
inline CappedResult RunToolCapped(const std::vector<std::string>& args, rlim_t capBytes) {
    CappedResult result;
    int errPipe[2];
    if (pipe(errPipe) != 0)
        return result;
    const pid_t child = fork();
    if (child == 0) {
#if !defined(__SANITIZE_ADDRESS__)
        const rlimit cap{capBytes, capBytes};
        setrlimit(RLIMIT_AS, &cap);
#else
        (void)capBytes;
#endif
        dup2(errPipe[1], STDERR_FILENO);
        if (FILE* null = freopen("/dev/null", "w", stdout); !null)
            _exit(127);
        close(errPipe[0]);
        close(errPipe[1]);
        std::vector<char*> argv{const_cast<char*>(MODELTOOL)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(MODELTOOL, argv.data());
        _exit(127);
    }
    close(errPipe[1]);
    std::array<char, 4096> buffer{};
    ssize_t n = 0;
    while ((n = read(errPipe[0], buffer.data(), buffer.size())) > 0)
        result.err.append(buffer.data(), static_cast<size_t>(n));
    close(errPipe[0]);
    int status = 0;
    rusage usage{};
    if (child > 0 && wait4(child, &status, 0, &usage) == child) {
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.peakKilobytes = usage.ru_maxrss;
    }
    return result;
}

} // namespace mm::test
