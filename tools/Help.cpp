#include "Help.h"

#include <sstream>

namespace mm::tool {

namespace {

constexpr size_t kTermColumn = 24; // where the descriptions start
constexpr size_t kWidth = 100;     // the longest line, descriptions wrapped at words

// "  TERM  description" with the description wrapped at words onto lines indented to the
// term column; a term too long for its column has its description start on the next line.
void AddEntry(std::ostringstream& out, const std::string& term, const std::string& text) {
    std::string line = "  " + term;
    if (line.size() + 2 > kTermColumn) {
        out << line << "\n";
        line.clear();
    }
    line.resize(kTermColumn, ' ');
    bool lineHasWord = false;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (lineHasWord && line.size() + 1 + word.size() > kWidth) {
            out << line << "\n";
            line = std::string(kTermColumn, ' ');
            lineHasWord = false;
        }
        line += (lineHasWord ? " " : "") + word;
        lineHasWord = true;
    }
    out << line << "\n";
}

} // namespace

std::string ProgramHelp(const std::vector<TCommand>& commands) {
    std::ostringstream out;
    out << "Usage: modeltool COMMAND ARGS...\n"
           "Works on the model manager's files from the command line. A model is named by its ID "
           "in\nhexadecimal (1 to 4 digits). Exit status: 0 success, 1 failure, 2 usage error.\n"
           "\nCommands:\n";
    for (const TCommand& c : commands)
        AddEntry(out, std::string(c.name) + " " + c.usage, c.summary);
    out << "\nOptions:\n";
    AddEntry(out, "--help", "this text; modeltool COMMAND --help describes one command");
    AddEntry(out, "--version", "the program's name and version");
    return out.str();
}

std::string CommandHelp(const std::vector<const TCommand*>& commands) {
    std::ostringstream out;
    for (const TCommand* c : commands)
        out << "usage: modeltool " << c->name << " " << c->usage << "\n";
    for (const TCommand* c : commands)
        AddEntry(out, c->name, c->summary);
    return out.str();
}

} // namespace mm::tool
