#pragma once
// The simulated PC: every platform interface, implemented from a scenario, with the
// machine's state (registry, files) kept in its machine folder between runs.
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "sim/Scenario.h"
#include "sim/SimHardware.h"

namespace sim {

class RegistryStore;

class SimPC : public SystemInfo,
              public Registry,
              public Files,
              public NamedMutex,
              public Shell,
              public Clipboard {
public:
    // Throws ScenarioError when the machine folder's registry file is damaged, and
    // HostFileError ("PATH: reason") when the machine folder cannot be made.
    SimPC(Scenario scenario, std::filesystem::path machineDir, std::filesystem::path discDir);
    ~SimPC() override;

    Platform AsPlatform();
    const Scenario& GetScenario() const { return m_scenario; }
    const std::filesystem::path& MachineDir() const { return m_machineDir; }

    // Where a Windows path lives on the host (the disc for the program's drive when the
    // machine holds no file of that name).
    std::filesystem::path HostPath(const std::wstring& windowsPath, bool forWriting) const;
    std::vector<std::wstring> OpenedDocuments() const;
    // A new process of the program starts on this PC: it gets the next process number.
    void BeginProcess() { m_processId += 4; }
    // The wall clock at the start of the run, ms since 1970 (UTC fields = local time).
    std::int64_t StartWallMs() const;

    // SystemInfo
    OsVersionInfo GetVersionExW() override;
    WORD GetNativeProcessorArchitecture() override;
    BOOL VerifyVersionInfoW(DWORD major, DWORD minor, WORD spMajor, WORD spMinor) override;
    LANGID GetUserDefaultUILanguage() override;
    LANGID GetSystemDefaultLangID() override;
    BOOL AllocateAdministratorsSid() override;
    BOOL CheckTokenMembership(BOOL* isMember) override;
    std::wstring GetModuleFileNameW() override;
    std::optional<FileVersion> GetFileVersionInfo(const std::wstring& path) override;
    UINT GetACP() override;
    std::wstring MultiByteToWideChar(const std::string& bytes) override;
    std::string WideCharToMultiByte(const std::wstring& text) override;
    std::optional<std::wstring> GetEnvironmentVariableW(const std::wstring& name) override;
    DWORD GetCurrentProcessId() override;

    // Registry
    LONG RegOpenKeyExW(HKEY_ROOT root, const std::wstring& subKey) override;
    LONG RegCreateKeyExW(HKEY_ROOT root, const std::wstring& subKey) override;
    LONG RegQueryValueExW(HKEY_ROOT root, const std::wstring& subKey, const std::wstring& name,
                          std::wstring* data, DWORD bufferBytes, DWORD* bytes) override;
    LONG RegSetValueExW(HKEY_ROOT root, const std::wstring& subKey, const std::wstring& name,
                        const std::wstring& data, DWORD byteCount) override;
    LONG RegDeleteValueW(HKEY_ROOT root, const std::wstring& subKey, const std::wstring& name) override;
    LONG RegFlushKey(HKEY_ROOT root) override;
    // For the lab: the value's data, or nullopt.
    std::optional<std::wstring> RegistryValue(const std::wstring& key, const std::wstring& name);
    bool RegistryKeyExists(const std::wstring& key);

    // Files
    std::wstring GetCommonAppDataFolder() override;
    bool DirectoryExists(const std::wstring& path) override;
    bool CreateDirectoryTree(const std::wstring& path) override;
    bool PathFileExistsW(const std::wstring& path) override;
    bool MoveFileW(const std::wstring& from, const std::wstring& to) override;
    bool DeleteFileW(const std::wstring& path) override;
    std::unique_ptr<FileHandle> CreateFileForWriting(const std::wstring& path) override;
    std::optional<std::string> ReadFile(const std::wstring& path, std::size_t maxBytes) override;
    std::optional<std::uint64_t> FileSize(const std::wstring& path) override;

    // NamedMutex: a real lock between processes that use the same machine folder.
    std::unique_ptr<MutexHandle> CreateMutexW(const std::wstring& name, LONG* lastError) override;

    // Shell and clipboard
    int ShellExecuteW(const std::wstring& verb, const std::wstring& file, int showCommand) override;
    bool SetText(const std::wstring& text) override;
    std::wstring GetText() override;

    // The devices, services, wireless service, vendor library and processes.
    SimHardware& Hardware() { return *m_hardware; }

private:
    Scenario m_scenario;
    std::filesystem::path m_machineDir;
    std::filesystem::path m_discDir;
    std::unique_ptr<RegistryStore> m_registry;
    std::unique_ptr<SimHardware> m_hardware;
    mutable std::mutex m_mutex;
    std::vector<std::wstring> m_opened;
    std::wstring m_clipboard;
    DWORD m_processId = 3408;  // process numbers are the PC's own, so runs repeat exactly
};

// The per-user folder where a scenario's machine lives when no --machine is given.
std::filesystem::path DefaultMachineDir(const std::string& scenarioName);
// --fresh: removes a machine folder; refuses (HostFileError "PATH: reason") a folder that
// holds files but no registry.txt, which is no simulated PC's.
void EmptyMachineFolder(const std::filesystem::path& dir);

}  // namespace sim
