#include "Command.h"

#include <cctype>

namespace mm::tool {

void RequireArgs(const Args& args, size_t count) {
    if (args.size() != count)
        throw UsageError("wrong number of arguments");
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
