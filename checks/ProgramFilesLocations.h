#pragma once
// Where the reader tools may be installed. A 32-bit program on 64-bit Windows is given the 32-bit
// Program Files folder, yet the makers' packages for 64-bit Windows install into the 64-bit one:
// there both are looked at, the program's own first. Portable: the folders come in as Windows
// gave them.
#include <string>
#include <vector>

#include "FolderFinding.h"

enum class WindowsBitness {
    Windows32,             // 32-bit Windows: one Program Files folder
    Program32OnWindows64,  // this program is 32-bit, under WOW64
    Program64,             // this program is 64-bit
};

// The Program Files folders to look in, in order, each standing for `token`: the shell's
// (`shellFolder`, CSIDL 38) first, then on 64-bit Windows the other bitness's (`otherFolder`),
// unless it is the same folder. An empty folder is one Windows did not give; its `what` names it.
std::vector<TokenFolder> ProgramFilesLocations(WindowsBitness bitness, std::string_view token,
                                               std::string shellFolder, std::string otherFolder);
