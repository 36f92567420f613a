#include "sim/HostFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sim {

namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& reason)
{
    throw HostFileError((path.empty() ? std::string("\"\"") : path.string()) + ": " + reason);
}

}  // namespace

std::string ReadHostFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    if (path.empty()) Fail(path, "no file named");
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Fail(path, std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0) Fail(path, std::strerror(errno));
    if (S_ISDIR(info.st_mode)) Fail(path, "is a directory");
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail(path, std::strerror(errno));
        if (n == 0) return text;
        if (text.size() + static_cast<std::size_t>(n) > maxBytes)
            Fail(path, "larger than " + std::to_string(maxBytes / (1024 * 1024)) + " MB");
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

void MakeHostFolder(const std::filesystem::path& path)
{
    if (path.empty()) Fail(path, "no folder named");
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(status)) return;
    if (std::filesystem::exists(status)) Fail(path, "is not a folder");
    std::filesystem::create_directories(path, ec);
    if (ec) Fail(path, ec.message());
}

void RemoveHostFolder(const std::filesystem::path& path)
{
    if (path.empty()) Fail(path, "no folder named");
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return;
    if (ec) Fail(path, ec.message());
    if (!std::filesystem::is_directory(status)) Fail(path, "is not a folder");
    std::filesystem::remove_all(path, ec);
    if (ec) Fail(path, ec.message());
}

}  // namespace sim
