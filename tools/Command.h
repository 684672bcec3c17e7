#pragma once
// The companion's commands: each subject contributes a table of them.
#include "platform/Errors.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace mm::tool {

using Args = std::vector<std::string>;

struct TCommand {
    const char* name;
    const char* usage;   // arguments after the name, e.g. "DB OUT"
    const char* summary; // one line for --help
    int (*run)(const Args& args);
};

// A wrong number or form of arguments: exit status 2 with the usage line.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A command that failed or refused its input: exit status 1 with "FILE: text".
class Failure : public std::runtime_error {
public:
    Failure(const std::string& file, const std::string& text)
        : std::runtime_error(file + ": " + text) {}
};

// Runs a step that reads or writes one file, reporting its errors under that file's name.
template <typename Step> auto OnFile(const std::string& fileName, Step step) {
    try {
        return step();
    } catch (const Error& error) {
        throw Failure(fileName, error.what());
    }
}

void RequireArgs(const Args& args, size_t count);

// What standard output is called in messages.
inline constexpr char kStandardOutput[] = "standard output";

// Writes the text to standard output and flushes it; raises Failure naming standard output
// with the system's reason when it does not all get there (a full disk, a closed pipe).
void WriteOutput(const std::string& text);

// Refuses an output that is one of the inputs (the same file, links followed): writing it would
// destroy what is being read.
void RefuseSameFile(const std::string& input, const std::string& output);

// A model named by its ID in 1 to 4 hexadecimal digits.
uint16_t ParseModelId(const std::string& text);

std::vector<TCommand> DatabaseCommands();
std::vector<TCommand> CheckCommands();
std::vector<TCommand> PictureCommands();
std::vector<TCommand> ExchangeCommands();
std::vector<TCommand> HotmapCommands();
std::vector<TCommand> DemoCommands();

} // namespace mm::tool
