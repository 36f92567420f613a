#pragma once
// The simulated PC's registry, kept on disk as a readable text file:
//
//   [HKLM\Software\Tesra Systems\Tesra connect\Metrics\AdapterSetup]
//   "adapter"="QW4100"
//
// A key name holding a control character is written in double quotes with the value
// lines' escapes: ["HKLM\\Software\\two\nlines"]. Only keys with values and keys without
// subkeys get a line; their parents are implied.
//
// Key and value names compare without regard to case; a key's name keeps the spelling
// it was created with. Keys are checked as Windows checks them: a root (HKLM, HKCU, HKCR,
// HKU, HKCC or their long names), no empty name between backslashes, each name at most
// 255 characters, at most 512 levels below the root. Every change is written to disk at
// once.
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

class RegistryStore {
public:
    static constexpr std::size_t kMaxKeyNameLength = 255;
    static constexpr std::size_t kMaxKeyDepth = 512;

    // Loads the file if it exists; throws ScenarioError "PATH:LINE: reason" when damaged
    // and "PATH: reason" when it cannot be read.
    explicit RegistryStore(std::filesystem::path file);
    // Reads text as the file's content (nothing is read from disk); throws as above.
    static RegistryStore FromText(std::string_view text, std::filesystem::path file);
    RegistryStore(RegistryStore&&) noexcept;
    RegistryStore& operator=(RegistryStore&&) noexcept;
    ~RegistryStore();

    static std::wstring NormaliseKey(const std::wstring& key);  // "HKLM\a\b" form, no trailing '\'
    // Why a key path cannot be a key ("must begin with HKLM, ..."), empty when it can.
    static std::string KeyProblem(const std::wstring& key);
    static std::string KeyProblem(std::string_view utf8Key);

    bool KeyExists(const std::wstring& key) const;
    bool CreateKey(const std::wstring& key);  // and its parents; false (no change) when KeyProblem
    std::optional<std::wstring> Value(const std::wstring& key, const std::wstring& name) const;
    bool SetValue(const std::wstring& key, const std::wstring& name, const std::wstring& data);
    // False when the key or the value is not there.
    bool DeleteValue(const std::wstring& key, const std::wstring& name);
    bool Empty() const;
    bool Save() const;  // false when the file could not be written (the old one stays)

    static std::string Serialise(const RegistryStore& store);

private:
    struct Key;
    RegistryStore();
    void Load(std::string_view text);
    Key* Find(const std::wstring& key) const;
    Key* Create(const std::wstring& key);
    static void WriteKey(std::string& out, const Key& key, std::wstring& path);

    std::filesystem::path m_file;
    std::unique_ptr<Key> m_root;  // its subkeys are the roots HKLM, HKCU, ...
};

}  // namespace sim
