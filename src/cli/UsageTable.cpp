// The commands of corvane-cli as the user reads about them: one entry per
// command, in the order `--help` lists them.
#include "cli/Usage.h"

namespace corvane {

namespace {

const CommandUsage kCommands[] = {
    {"new", "new OUT.dat [--force]", "write a new memory image",
     "Writes a new memory image to OUT.dat: no channels, the radio-wide options of a new radio, and "
     "the radio type and band kept for the desktop program (the first ones of the settings file at "
     "first).\n\n"
     "  --force\treplaces OUT.dat when it exists; without it an existing file is refused (exit "
     "status 3)."},

    {"show", "show IMAGE.dat [--format table|common]", "print the channel table as CSV",
     "Prints the 200 channels of IMAGE.dat as CSV on standard output: a heading line, then one line "
     "per channel (CH, Rx Frequency, Tx Frequency, QT/DQT Dec, QT/DQT Enc, Power, Cha Lock, Scan Add, "
     "Cha Name) with the texts the channel grid shows, in the chosen language. An empty channel is a "
     "line of empty cells. The file is not changed.\n\n"
     "  --format common\tprints the common amateur channel-list layout instead (Location, Name, "
     "Frequency, Duplex, Offset, Tone, ...), one line per channel that is set."},

    {"options", "options IMAGE.dat [--set \"LABEL=VALUE\"]...", "print or set the radio-wide options",
     "Without --set, prints every option of IMAGE.dat as \"LABEL: VALUE\", with the labels and items "
     "the Optional Features dialog of the chosen language shows.\n\n"
     "  --set \"LABEL=VALUE\"\tsets one option as pressing OK in the dialog does for that control; "
     "LABEL is a label of the dialog (English or Chinese, any letter case), VALUE one of that list's "
     "items. Repeatable. Every other byte stays as it was, and the file is saved atomically.\n\n"
     "An unknown label or item is refused with \"option LABEL: MESSAGE\" naming the allowed ones "
     "(exit status 1), and the file is left untouched."},

    {"import", "import IMAGE.dat IN.csv [--quiet]", "apply a CSV channel table to an image",
     "Applies every row of IN.csv (UTF-8, either the layout show prints or the common layout, told "
     "by its header) to IMAGE.dat as if it were typed into the grid, receive frequency first, with "
     "the same band and channel-raster checks. A frequency may use a decimal comma (quoted in CSV: "
     "\"146,5125\"). A name equal to the channel's present name leaves it as it is; a new name has "
     "at most 6 characters.\n\n"
     "  --quiet\tdoes not print the summary line (how many channels were added, changed, erased).\n\n"
     "If any cell is rejected, every problem is listed as \"row LABEL, column HEADING: MESSAGE\", the "
     "exit status is 1 and the image file is not touched."},

    {"print", "print IMAGE.dat --pdf OUT.pdf", "write the printed listing as a PDF file",
     "Writes the pages the desktop program prints (A4, 10 mm margins): page 1 the radio-wide options, "
     "then up to seven channels a page. The file is written through a temporary file, so a failed run "
     "(exit status 3) leaves an existing OUT.pdf as it was. Needs no display.\n\n"
     "  --pdf OUT.pdf\tthe file to write (required)."},

    {"read", "read PORT OUT.dat [--retries N] [--log FILE]", "read the radio into OUT.dat",
     "Reads the whole memory of the radio on PORT (9600 baud) and saves it as OUT.dat. A failed or "
     "cancelled read writes nothing.\n\n"
     "  --retries N\tafter 15 handshake attempts without an answer, tries N more rounds of 15 before "
     "giving up (default 0).\n"
     "  --log FILE\trecords every byte sent and received, with timestamps."},

    {"write", "write PORT IMAGE.dat [--verify] [--retries N] [--log FILE]", "write the image into the radio",
     "Writes IMAGE.dat into the radio on PORT. Channels 100 to 149 and the last 16 bytes of the memory "
     "are not sent: the radio keeps what it holds there. A write that fails midway or is cancelled "
     "with Ctrl+C leaves the radio with part of the image: write it again before using the radio.\n\n"
     "  --verify\treads the radio back afterwards and compares every byte the write sent; a "
     "difference gives exit status 6 and lists the first ones.\n"
     "  --retries N\tas for read.\n"
     "  --log FILE\tas for read."},

    {"fleet", "fleet write|verify|read IMAGE.dat PORT PORT... [--verify] [--report FILE.csv] [--retries N]",
     "the same job on several radios at once",
     "Runs one job on several radios, one per port, all at the same time: the time for N radios on N "
     "cables is about the time for one. write writes IMAGE.dat into every radio; verify compares "
     "every radio with IMAGE.dat; read saves each radio as IMAGE-<port>.dat beside IMAGE.dat and "
     "refuses to start when such a file exists.\n\n"
     "  --verify\t(write) reads every radio back and compares the bytes a write sends.\n"
     "  --report FILE.csv\twrites the final table (port, device, result, time) as CSV.\n"
     "  --retries N\tadds N rounds of 15 handshake attempts for a silent radio.\n\n"
     "A terminal shows one progress line per port; at the end a table lists each port, the device it "
     "stands for, its result and the time taken. A failing port ends on its own; the others carry "
     "on. Ctrl+C stops every port. Exit status: 0 every port succeeded, 4 no port could be opened, 6 "
     "a port failed or did not verify, 7 cancelled."},

    {"simulate", "simulate [--image FILE] [--save FILE] [--baud N] [--count N] [--fault [N:]FAULT]...",
     "run a virtual radio on a pseudo-terminal",
     "Opens a pseudo-terminal, prints its device path (for example /dev/pts/3) on the first line and "
     "answers there as the radio does until Ctrl+C. Give that path as the PORT of read, write or "
     "fleet, or as a port of the desktop program.\n\n"
     "  --image FILE\tthe radio's memory at the start (default: a new image).\n"
     "  --save FILE\tsaves the radio's memory when it stops.\n"
     "  --baud N\tpaces the replies like a line at N baud (default: as fast as possible).\n"
     "  --count N\truns N radios, each with its own memory, and prints one path a line; --save then "
     "saves FILE-1.dat, FILE-2.dat, ...\n"
     "  --fault [N:]FAULT\tmakes the radio (or radio N) misbehave: silent, first-byte=0x15, "
     "short-reply=ADDRESS, no-ack=ADDRESS, no-final-ack, hangup=ADDRESS or drop-write=ADDRESS "
     "(addresses in hex or decimal). Repeatable."},

    {"help", "help [COMMAND]", "print the help of a command",
     "Prints what COMMAND does and its options; without COMMAND, the list of commands (as --help)."},
};

} // namespace

const CommandUsage *Commands(std::size_t &count)
{
    count = sizeof kCommands / sizeof kCommands[0];
    return kCommands;
}

} // namespace corvane
