#pragma once
// Where the program finds its own data: the disc the simulated PC sees as the
// program's drive. Installed, the data sits beside the program as
// ../share/tesraconnect; run from its build folder, it is the source tree's.
#include <filesystem>

namespace lab {

// The running program's own file (/proc/self/exe), or argv0 when that cannot be read.
std::filesystem::path ThisExecutable(const char* argv0);

// The disc folder for the program file `executable`: DIR/../share/tesraconnect/disc
// when it is there, else SOURCE/disc when the program is the one in BUILD (the build
// folder it was made in). An installed copy never reads the source tree, so that a
// file missing from the package shows. Throws std::runtime_error "PATH: reason".
std::filesystem::path FindDiscFolder(const std::filesystem::path& executable, const std::filesystem::path& buildDir,
                                     const std::filesystem::path& sourceDir);

}  // namespace lab
