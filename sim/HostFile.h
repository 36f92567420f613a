#pragma once
// Files and folders of the host that the lab reads and makes (scenarios, scripts, the
// machine folder, the output folder). Every failure is a HostFileError "PATH: reason".
#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace sim {

struct HostFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The largest scenario or script the lab reads.
constexpr std::size_t kMaxLabFileBytes = 8 * 1024 * 1024;

// The whole file; a folder, an unreadable file or one larger than maxBytes is an error.
std::string ReadHostFile(const std::filesystem::path& path, std::size_t maxBytes);
// Makes the folder and its parents; an existing folder is fine, anything else there is not.
void MakeHostFolder(const std::filesystem::path& path);
// Removes the folder and everything in it; a path that is not there is fine.
void RemoveHostFolder(const std::filesystem::path& path);

}  // namespace sim
