// modeltool: the model manager's files from the command line.
#include "Command.h"
#include "Help.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <sstream>

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

// The words of a command's name: one, or a group and a subcommand ("hotmap show").
std::vector<std::string> NameWords(const TCommand& command) {
    std::vector<std::string> words;
    std::istringstream name(command.name);
    for (std::string word; name >> word;)
        words.push_back(word);
    return words;
}

// The commands whose names start with the given words.
std::vector<const TCommand*> CommandsNamed(const std::vector<TCommand>& commands,
                                           const Args& words) {
    std::vector<const TCommand*> named;
    for (const TCommand& c : commands) {
        const std::vector<std::string> name = NameWords(c);
        if (words.size() <= name.size() && std::equal(words.begin(), words.end(), name.begin()))
            named.push_back(&c);
    }
    return named;
}

int RunCommand(const TCommand& c, const Args& rest) {
    if (!rest.empty() && rest[0] == "--help") {
        std::cout << CommandHelp({&c});
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

int Run(int argc, char** argv) {
    const std::vector<TCommand> commands = AllCommands();
    const Args args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << ProgramHelp(commands);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << ProgramHelp(commands);
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << "modeltool " << MM_VERSION << "\n";
        return 0;
    }
    for (const TCommand& c : commands) {
        const std::vector<std::string> name = NameWords(c);
        if (args.size() >= name.size() && std::equal(name.begin(), name.end(), args.begin()))
            return RunCommand(c, Args(args.begin() + name.size(), args.end()));
    }
    // A group named without one of its subcommands.
    const std::vector<const TCommand*> group = CommandsNamed(commands, {args[0]});
    if (group.empty()) {
        std::cerr << "modeltool: unknown command '" << args[0] << "' (see modeltool --help)\n";
        return 2;
    }
    if (args.size() == 2 && args[1] == "--help") {
        std::cout << CommandHelp(group);
        return 0;
    }
    std::cerr << "modeltool " << args[0] << ": "
              << (args.size() < 2 ? "a subcommand is expected"
                                  : "unknown subcommand '" + args[1] + "'")
              << "\n"
              << CommandHelp(group);
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
