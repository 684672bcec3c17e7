// modeltool: the model manager's files from the command line.
#include "Command.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

using namespace mm::tool;

namespace {

std::vector<TCommand> AllCommands() {
    std::vector<TCommand> all;
    for (auto group : {DatabaseCommands, CheckCommands, PictureCommands, ExchangeCommands,
                       HotmapCommands, DemoCommands}) {
        const std::vector<TCommand> commands = group();
        all.insert(all.end(), commands.begin(), commands.end());
    }
    return all;
}

void PrintHelp(const std::vector<TCommand>& commands) {
    std::cout << "usage: modeltool COMMAND ARGS...\n\n"
                 "Works on the model manager's files. A model is named by its ID in hexadecimal "
                 "(1 to 4 digits).\nExit status: 0 success, 1 failure, 2 usage error.\n\n";
    for (const TCommand& c : commands)
        std::cout << "  " << c.name << " " << c.usage << "\n      " << c.summary << "\n";
}

int Run(int argc, char** argv) {
    const std::vector<TCommand> commands = AllCommands();
    const Args args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintHelp(commands);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        PrintHelp(commands);
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << "modeltool " << MM_VERSION << "\n";
        return 0;
    }
    for (const TCommand& c : commands) {
        if (args[0] != c.name)
            continue;
        const Args rest(args.begin() + 1, args.end());
        if (!rest.empty() && rest[0] == "--help") {
            std::cout << "usage: modeltool " << c.name << " " << c.usage << "\n"
                      << c.summary << "\n";
            return 0;
        }
        try {
            return c.run(rest);
        } catch (const UsageError& error) {
            std::cerr << "modeltool " << c.name << ": " << error.what() << "\nusage: modeltool "
                      << c.name << " " << c.usage << "\n";
            return 2;
        } catch (const std::exception& error) {
            std::cerr << error.what() << "\n";
            return 1;
        }
    }
    std::cerr << "modeltool: unknown command '" << args[0] << "' (see modeltool --help)\n";
    return 2;
}

// What was printed must have reached standard output: a full disk or a closed output is a
// failure even when the command itself went well. A command that failed has said why already.
int CheckStandardOutput(int status) {
    int error = 0; // what std::cout printed waits in stdout's buffer, which it shares
    if (std::fflush(stdout) != 0)
        error = errno;
    else if (std::ferror(stdout) || std::cout.fail())
        error = EIO; // an earlier write failed and its reason is gone
    if (std::fclose(stdout) != 0 && error == 0)
        error = errno;
    if (error == 0 || status != 0)
        return status;
    std::cerr << kStandardOutput << ": write error: " << mm::SystemReason(error) << "\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    return CheckStandardOutput(Run(argc, argv));
}
