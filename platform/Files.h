#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Win32Types.h"

// An open file. Closed when destroyed.
class FileHandle {
public:
    virtual ~FileHandle() = default;
    // Appends at the file pointer; false on a write failure (nothing or part written).
    virtual bool Write(const void* data, std::size_t bytes) = 0;
    virtual std::uint64_t GetFileSize() = 0;
};

// Files by Windows path ("C:\ProgramData\..."); paths compare without regard to case.
class Files {
public:
    virtual ~Files() = default;

    // SHGetSpecialFolderPathW(CSIDL_COMMON_APPDATA), without a trailing backslash.
    virtual std::wstring GetCommonAppDataFolder() = 0;
    virtual bool DirectoryExists(const std::wstring& path) = 0;   // GetFileAttributesW
    virtual bool CreateDirectoryTree(const std::wstring& path) = 0;  // with missing parents
    virtual bool PathFileExistsW(const std::wstring& path) = 0;
    virtual bool MoveFileW(const std::wstring& from, const std::wstring& to) = 0;  // no replace
    virtual bool DeleteFileW(const std::wstring& path) = 0;
    // Creates (truncating) a file for writing; null when it cannot be created.
    virtual std::unique_ptr<FileHandle> CreateFileForWriting(const std::wstring& path) = 0;
    // Reads up to maxBytes from the start; nullopt when the file cannot be opened.
    virtual std::optional<std::string> ReadFile(const std::wstring& path,
                                                std::size_t maxBytes = SIZE_MAX) = 0;
    virtual std::optional<std::uint64_t> FileSize(const std::wstring& path) = 0;
};
