#include "Command.h"

#include "platform/FileTarget.h"

#include <cctype>
#include <cerrno>
#include <cstdio>

namespace mm::tool {

void RequireArgs(const Args& args, size_t count) {
    if (args.size() != count)
        throw UsageError("wrong number of arguments");
}

void WriteOutput(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        throw Failure(kStandardOutput, "write error: " + SystemReason(errno));
}

void RefuseSameFile(const std::string& input, const std::string& output) {
    if (SameFile(input, output))
        throw Failure(output, "is the input file " + input + "; nothing was written");
}

uint16_t ParseModelId(const std::string& text) {
    if (text.empty() || text.size() > 4)
        throw UsageError("a model ID is 1 to 4 hexadecimal digits: " + text);
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            throw UsageError("a model ID is 1 to 4 hexadecimal digits: " + text);
    return static_cast<uint16_t>(std::stoul(text, nullptr, 16));
}

} // namespace mm::tool
