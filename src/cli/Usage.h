#pragma once
// The usage texts of corvane-cli, one entry per command. `--help`,
// `help COMMAND` and the manual page corvane-cli.1 (written at build time
// by corvane-manpage) all print from this one table. Plain C++, so the
// page generator needs no Qt.
#include <cstddef>
#include <string>

namespace corvane {

struct CommandUsage {
    const char *name;
    const char *synopsis;  // the words after "corvane-cli", options in brackets
    const char *summary;   // one line for the list of commands
    // Paragraphs separated by a blank line. A line "  --opt ARG<TAB>text"
    // describes an option (the tab separates the term from its text).
    const char *details;
};

const CommandUsage *Commands(std::size_t &count);
// nullptr for an unknown name.
const CommandUsage *FindCommand(const std::string &name);

// `corvane-cli --help`: usage line, commands, common options, ports,
// exit statuses.
std::string OverviewText();
// `corvane-cli help NAME`.
std::string CommandHelpText(const CommandUsage &command);
// `corvane-cli --version`.
std::string VersionText();
// The manual page in roff (man(7) macros).
std::string ManPage();

} // namespace corvane
