// rov2-lzh: runs one archiver command line, as the backup and restore do,
// for scripts and for checking an archive by hand.
//
//   rov2-lzh 'a -+ -a1 -d0 -f0 -n0 -jm4 "/data/rov2data.lzh" "/data/" "/data/""Rov2data.mdb"""'
//   rov2-lzh 't "/data/rov2data.lzh"'
//
// Prints the report and exits with the archiver's result (0: success).
#include "Unlha.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: %s 'COMMAND LINE'\n"
                     "  a [switches] \"ARCHIVE\" \"BASE/\" \"FILE\"...   create an archive\n"
                     "  x [switches] \"ARCHIVE\" \"FOLDER/\" \"*.*\"     extract\n"
                     "  t \"ARCHIVE\"                                  test\n"
                     "  l \"ARCHIVE\"                                  list\n",
                     argv[0]);
        return rov2::UnlhaBadCommandLine;
    }
    std::string report;
    const int result = rov2::Unlha(argv[1], report);
    std::fputs(report.c_str(), result == rov2::UnlhaOk ? stdout : stderr);
    return result;
}
