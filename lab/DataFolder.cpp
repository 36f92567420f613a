#include "lab/DataFolder.h"

#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace lab {

namespace {

bool IsFolder(const fs::path& p)
{
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool SameFolder(const fs::path& a, const fs::path& b)
{
    std::error_code ea, eb;
    return fs::equivalent(a, b, ea) && !ea && !eb;
}

}  // namespace

fs::path ThisExecutable(const char* argv0)
{
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return self;
    return fs::absolute(argv0 ? argv0 : "", ec);
}

fs::path FindDiscFolder(const fs::path& executable, const fs::path& buildDir, const fs::path& sourceDir)
{
    std::error_code ec;
    fs::path real = fs::weakly_canonical(executable, ec);
    if (ec) real = executable;
    const fs::path dir = real.parent_path();

    const fs::path installed = (dir.parent_path() / "share" / "tesraconnect" / "disc").lexically_normal();
    if (IsFolder(installed)) return installed;
    if (!buildDir.empty() && SameFolder(dir, buildDir) && IsFolder(sourceDir / "disc")) return sourceDir / "disc";
    throw std::runtime_error(installed.string() + ": the program's disc folder is missing (reinstall the program)");
}

}  // namespace lab
