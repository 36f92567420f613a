#pragma once
// The simulated PC's registry, kept on disk as a readable text file:
//
//   [HKLM\Software\Tesra Systems\Tesra connect\Metrics\AdapterSetup]
//   "adapter"="QW4100"
//
// Key and value names compare without regard to case; a key's name keeps the spelling
// it was created with. Every change is written to disk at once.
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace sim {

class RegistryStore {
public:
    // Loads the file if it exists; throws ScenarioError "PATH:LINE: reason" when damaged.
    explicit RegistryStore(std::filesystem::path file);

    static std::wstring NormaliseKey(const std::wstring& key);  // "HKLM\a\b" form, no trailing '\'
    bool KeyExists(const std::wstring& key) const;
    void CreateKey(const std::wstring& key);  // and its parents
    std::optional<std::wstring> Value(const std::wstring& key, const std::wstring& name) const;
    void SetValue(const std::wstring& key, const std::wstring& name, const std::wstring& data);
    bool Empty() const { return m_keys.empty(); }
    bool Save() const;  // false when the file could not be written (the old one stays)

    static std::string Serialise(const RegistryStore& store);

private:
    struct Key {
        std::wstring spelling;
        std::map<std::wstring, std::pair<std::wstring, std::wstring>> values;  // lower name -> (name, data)
    };
    std::filesystem::path m_file;
    std::map<std::wstring, Key> m_keys;  // lower-case path -> key
};

}  // namespace sim
