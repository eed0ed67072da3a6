// corvane-manpage OUT: writes the manual page of corvane-cli (build tool).
#include "cli/Usage.h"

#include <cstdio>
#include <fstream>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvane-manpage OUT.1\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << corvane::ManPage();
    out.close();
    if (!out) {
        std::fprintf(stderr, "corvane-manpage: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
