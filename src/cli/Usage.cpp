#include "cli/Usage.h"

#include <sstream>
#include <vector>

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "0"
#endif

namespace corvane {

namespace {

const char kUsageLine[] = "corvane-cli COMMAND [ARGS] [--settings PATH] [--language English|Chinese]";

// Terms and texts shared by every command: "term<TAB>text" a line.
const char kCommonOptions[] =
    "--settings PATH\tthe settings file (default: the desktop program's Program.ini: the one beside "
    "the program, or the per-user copy ~/.config/Corvane/Program.ini that an installed program "
    "makes)\n"
    "--language English|Chinese\tthe language of labels, values and messages (default: the "
    "settings file's)";

const char kPorts[] =
    "COM1 to COM4 stand for the devices the settings file names in its section [Ports] (for example "
    "COM1=/dev/ttyUSB0); without that section, for the n-th serial device of the system, USB "
    "adapters first. Any device path is accepted as a port as well (/dev/ttyUSB0, "
    "/dev/serial/by-id/...).";

const char kExitStatus[] =
    "0\tdone\n1\trejected input (a CSV cell, an option)\n2\twrong command-line words\n"
    "3\ta file cannot be read or written\n4\tthe port cannot be opened\n"
    "5\tcommunication error: the radio did not answer\n"
    "6\tprogram interrupted (the radio stopped answering) or verify mismatch\n7\tcancelled (Ctrl+C)";

std::vector<std::string> Split(const std::string &text, char at)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = text.find(at, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// Paragraphs are separated by an empty line.
std::vector<std::string> Paragraphs(const std::string &text)
{
    std::vector<std::string> out;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = text.find("\n\n", start);
        out.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return out;
        start = end + 2;
    }
}

// Words of `text` filled into lines of at most `width` characters, each
// line after the first starting with `indent`.
void Fill(std::ostringstream &out, const std::string &text, std::size_t width, const std::string &indent,
          std::size_t used)
{
    std::istringstream words(text);
    std::string word;
    bool first = true;
    while (words >> word) {
        if (!first && used + 1 + word.size() > width) {
            out << '\n' << indent;
            used = indent.size();
        } else if (!first) {
            out << ' ';
            ++used;
        }
        out << word;
        used += word.size();
        first = false;
    }
    out << '\n';
}

// "term<TAB>text" lines as a two-column list for a terminal.
void TermList(std::ostringstream &out, const std::string &lines)
{
    const std::string indent(26, ' ');
    for (const std::string &line : Split(lines, '\n')) {
        const std::vector<std::string> cells = Split(line, '\t');
        std::string term = cells[0];
        while (!term.empty() && term[0] == ' ')
            term.erase(0, 1);
        out << "  " << term;
        if (term.size() + 2 < indent.size() - 1) {
            out << std::string(indent.size() - 2 - term.size(), ' ');
        } else {
            out << '\n' << indent;
        }
        Fill(out, cells.size() > 1 ? cells[1] : std::string(), 79, indent, indent.size());
    }
}

void Details(std::ostringstream &out, const std::string &details)
{
    for (const std::string &p : Paragraphs(details)) {
        out << '\n';
        if (p.find('\t') != std::string::npos)
            TermList(out, p);
        else
            Fill(out, p, 79, std::string(), 0);
    }
}

// Text for roff: backslashes and hyphens escaped, and no line may start
// with a control character.
std::string Roff(const std::string &text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

void RoffTerms(std::ostringstream &out, const std::string &lines)
{
    for (const std::string &line : Split(lines, '\n')) {
        const std::vector<std::string> cells = Split(line, '\t');
        std::string term = cells[0];
        while (!term.empty() && term[0] == ' ')
            term.erase(0, 1);
        // A quote would end the macro's argument.
        std::string quoted;
        for (char c : Roff(term))
            quoted += c == '"' ? std::string("\\(dq") : std::string(1, c);
        out << ".TP\n.B " << quoted << '\n' << Roff(cells.size() > 1 ? cells[1] : std::string()) << '\n';
    }
}

void RoffDetails(std::ostringstream &out, const std::string &details)
{
    for (const std::string &p : Paragraphs(details)) {
        if (p.find('\t') != std::string::npos) {
            RoffTerms(out, p);
        } else {
            out << ".PP\n" << Roff(p) << '\n';
        }
    }
}

} // namespace

const CommandUsage *FindCommand(const std::string &name)
{
    std::size_t count = 0;
    const CommandUsage *commands = Commands(count);
    for (std::size_t i = 0; i < count; ++i)
        if (name == commands[i].name)
            return &commands[i];
    return nullptr;
}

std::string OverviewText()
{
    std::ostringstream out;
    out << "usage: " << kUsageLine << "\n       corvane-cli help COMMAND | --help | --version\n\n";
    Fill(out, "Programs the radio's memory from a terminal: memory images (*.dat), their channel tables and "
              "options, printing, and transfers over a serial port.", 79, std::string(), 0);
    out << "\ncommands:\n";
    std::size_t count = 0;
    const CommandUsage *commands = Commands(count);
    std::string list;
    for (std::size_t i = 0; i < count; ++i)
        list += std::string(commands[i].name) + '\t' + commands[i].summary + (i + 1 < count ? "\n" : "");
    TermList(out, list);
    out << "\n\"corvane-cli help COMMAND\" tells a command's arguments and options.\n\noptions of every command:\n";
    TermList(out, kCommonOptions);
    out << "\nPORT: ";
    Fill(out, kPorts, 79, "  ", 6);
    out << "\nexit status:\n";
    TermList(out, kExitStatus);
    return out.str();
}

std::string CommandHelpText(const CommandUsage &command)
{
    std::ostringstream out;
    const std::string usage = "usage: corvane-cli ";
    Fill(out, usage + command.synopsis, 79, std::string(usage.size(), ' '), 0);
    if (std::string(command.name) != "help")
        out << "       [--settings PATH] [--language English|Chinese]\n";
    out << '\n';
    Fill(out, std::string(command.summary) + '.', 79, std::string(), 0);
    Details(out, command.details);
    return out.str();
}

std::string VersionText() { return std::string("corvane-cli ") + CORVANE_VERSION + "\n"; }

std::string ManPage()
{
    std::ostringstream out;
    out << ".TH CORVANE-CLI 1 \"\" \"Corvane " CORVANE_VERSION "\" \"User Commands\"\n"
        << ".SH NAME\ncorvane\\-cli \\- program a two\\-way radio's memory from a terminal\n"
        << ".SH SYNOPSIS\n.B corvane\\-cli\n" << Roff(std::string(kUsageLine).substr(12)) << "\n.br\n"
        << ".B corvane\\-cli\nhelp COMMAND | \\-\\-help | \\-\\-version\n"
        << ".SH DESCRIPTION\n.B corvane\\-cli\nruns the core of the Corvane desktop program from a terminal: it "
           "creates, shows and changes memory images (*.dat files of 8192 bytes), prints their listing "
           "as PDF, reads and writes radios over a serial port, programs several radios at once, and "
           "runs virtual radios for trying all of this without hardware.\n"
        << ".SH COMMANDS\n";
    std::size_t count = 0;
    const CommandUsage *commands = Commands(count);
    for (std::size_t i = 0; i < count; ++i) {
        out << ".SS " << commands[i].name << "\n.B corvane\\-cli\n" << Roff(commands[i].synopsis) << "\n";
        RoffDetails(out, commands[i].details);
    }
    out << ".SH OPTIONS OF EVERY COMMAND\n";
    RoffTerms(out, kCommonOptions);
    out << ".SH PORTS\n" << Roff(kPorts) << "\n.SH EXIT STATUS\n";
    RoffTerms(out, kExitStatus);
    out << ".SH FILES\n.TP\n.I Program.ini\nthe settings file beside the program (installed: "
           "/etc/corvane/Program.ini).\n"
           ".TP\n.I ~/.config/Corvane/Program.ini\nthe per\\-user copy of the settings that an installed "
           "desktop program makes at its first saved change; read instead of the installed file from then on.\n"
           ".TP\n.I ~/.config/Corvane/user.ini\nper\\-user choices: serial port, radio type and band, last folder.\n"
           ".SH SEE ALSO\nThe user manual: Help > Help Topics in the desktop program\n.RB ( corvane ),\n"
           "or /usr/share/corvane/help/English/index.html.\n";
    return out.str();
}

} // namespace corvane
