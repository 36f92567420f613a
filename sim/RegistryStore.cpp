#include "sim/RegistryStore.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/Text.h"
#include "sim/Scenario.h"

namespace sim {

struct RegistryStore::Key {
    std::wstring spelling;                                   // this key's own name
    std::map<std::wstring, std::unique_ptr<Key>> subkeys;    // lower name -> key
    std::map<std::wstring, std::pair<std::wstring, std::wstring>> values;  // lower name -> (name, data)
};

namespace {

// The roots: short name and long name.
constexpr std::pair<const wchar_t*, const wchar_t*> kRoots[] = {
    {L"HKLM", L"HKEY_LOCAL_MACHINE"}, {L"HKCU", L"HKEY_CURRENT_USER"}, {L"HKCR", L"HKEY_CLASSES_ROOT"},
    {L"HKU", L"HKEY_USERS"},          {L"HKCC", L"HKEY_CURRENT_CONFIG"}};

bool NeedsQuotes(const std::wstring& path)
{
    for (wchar_t c : path)
        if (c < 0x20 || c == 0x7f) return true;
    return false;
}

std::string Quote(const std::wstring& text)
{
    std::string out = "\"";
    for (char c : WideToUtf8(text)) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\0': out += "\\0"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

// Reads a quoted text at pos; returns false when it is not one.
bool Unquote(std::string_view line, std::size_t& pos, std::string& out)
{
    if (pos >= line.size() || line[pos] != '"') return false;
    ++pos;
    out.clear();
    while (pos < line.size()) {
        char c = line[pos++];
        if (c == '"') return true;
        if (c == '\\') {
            if (pos >= line.size()) return false;
            char e = line[pos++];
            switch (e) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case '0': out += '\0'; break;
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            default: return false;
            }
        } else {
            out += c;
        }
    }
    return false;
}

// The names of a key path below the root, or a reason why it is none. Stops at the
// first fault, so that a long line of backslashes costs no more than reading it.
struct KeyPath {
    std::wstring root;  // "HKLM", ...
    std::vector<std::wstring> names;
    std::string problem;
};

KeyPath SplitKey(const std::wstring& key)
{
    KeyPath path;
    const std::wstring k = RegistryStore::NormaliseKey(key);
    std::size_t pos = k.find(L'\\');
    const std::wstring root = k.substr(0, pos);
    for (const auto& [shortName, longName] : kRoots)
        if (root == shortName) path.root = shortName;
    if (path.root.empty()) {
        path.problem = "must begin with HKLM, HKCU, HKCR, HKU, HKCC or their long names";
        return path;
    }
    while (pos != std::wstring::npos) {
        const std::size_t next = k.find(L'\\', pos + 1);
        const std::size_t length = (next == std::wstring::npos ? k.size() : next) - pos - 1;
        if (length == 0) {
            path.problem = "has an empty name between two backslashes";
            return path;
        }
        if (length > RegistryStore::kMaxKeyNameLength) {
            path.problem = "has a name longer than " + std::to_string(RegistryStore::kMaxKeyNameLength) +
                           " characters";
            return path;
        }
        if (path.names.size() == RegistryStore::kMaxKeyDepth) {
            path.problem = "is more than " + std::to_string(RegistryStore::kMaxKeyDepth) + " levels deep";
            return path;
        }
        path.names.push_back(k.substr(pos + 1, length));
        pos = next;
    }
    return path;
}

}  // namespace

RegistryStore::RegistryStore() : m_root(std::make_unique<Key>()) {}
RegistryStore::RegistryStore(RegistryStore&&) noexcept = default;
RegistryStore& RegistryStore::operator=(RegistryStore&&) noexcept = default;
RegistryStore::~RegistryStore() = default;

std::wstring RegistryStore::NormaliseKey(const std::wstring& key)
{
    std::wstring k = key;
    while (!k.empty() && k.back() == L'\\') k.pop_back();
    const std::size_t rootEnd = std::min(k.find(L'\\'), k.size());
    const std::wstring root = LowerCase(k.substr(0, rootEnd));
    for (const auto& [shortName, longName] : kRoots)
        if (root == LowerCase(shortName) || root == LowerCase(longName)) return shortName + k.substr(rootEnd);
    return k;
}

std::string RegistryStore::KeyProblem(const std::wstring& key) { return SplitKey(key).problem; }
std::string RegistryStore::KeyProblem(std::string_view utf8Key) { return SplitKey(Utf8ToWide(utf8Key)).problem; }

RegistryStore::RegistryStore(std::filesystem::path file) : RegistryStore()
{
    m_file = std::move(file);
    std::error_code ec;
    const auto status = std::filesystem::status(m_file, ec);
    if (status.type() == std::filesystem::file_type::not_found) return;
    if (status.type() == std::filesystem::file_type::directory)
        throw ScenarioError(m_file.string() + ": is a directory");
    std::ifstream in(m_file, std::ios::binary);
    if (!in) throw ScenarioError(m_file.string() + ": cannot be read (" + std::strerror(errno) + ")");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw ScenarioError(m_file.string() + ": cannot be read");
    Load(text.str());
}

RegistryStore RegistryStore::FromText(std::string_view text, std::filesystem::path file)
{
    RegistryStore store;
    store.m_file = std::move(file);
    store.Load(text);
    return store;
}

void RegistryStore::Load(std::string_view text)
{
    int lineNo = 0;
    Key* current = nullptr;
    auto fail = [&](const std::string& reason) {
        throw ScenarioError(m_file.string() + ":" + std::to_string(lineNo) + ": " + reason);
    };
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        std::size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos || line[start] == ';' || line[start] == '#') continue;
        if (line[start] == '[') {
            std::string name;
            std::size_t end = 0;
            std::size_t pos = start + 1;
            if (pos < line.size() && line[pos] == '"') {
                if (!Unquote(line, pos, name) || pos >= line.size() || line[pos] != ']')
                    fail("a key line must read [KEY] or [\"KEY\"]");
                end = pos;
            } else {
                end = line.rfind(']');
                if (end == std::string_view::npos || end <= start + 1) fail("a key line must read [KEY]");
                name = std::string(line.substr(start + 1, end - start - 1));
            }
            if (line.find_first_not_of(" \t", end + 1) != std::string_view::npos) fail("text after the key");
            const std::wstring key = Utf8ToWide(name);
            current = Create(key);
            if (!current) fail("the key " + SplitKey(key).problem);
            continue;
        }
        if (!current) fail("a value before any [KEY] line");
        std::size_t pos = start;
        std::string name, data;
        if (!Unquote(line, pos, name)) fail("a value line must read \"NAME\"=\"DATA\"");
        if (pos >= line.size() || line[pos] != '=') fail("a value line must read \"NAME\"=\"DATA\"");
        ++pos;
        if (!Unquote(line, pos, data)) fail("the data must be a quoted text");
        if (line.find_first_not_of(" \t", pos) != std::string_view::npos) fail("text after the value");
        std::wstring wname = Utf8ToWide(name);
        current->values[LowerCase(wname)] = {wname, Utf8ToWide(data)};
    }
}

RegistryStore::Key* RegistryStore::Find(const std::wstring& key) const
{
    const KeyPath path = SplitKey(key);
    if (!path.problem.empty()) return nullptr;
    auto it = m_root->subkeys.find(LowerCase(path.root));
    if (it == m_root->subkeys.end()) return nullptr;
    Key* k = it->second.get();
    for (const std::wstring& name : path.names) {
        auto sub = k->subkeys.find(LowerCase(name));
        if (sub == k->subkeys.end()) return nullptr;
        k = sub->second.get();
    }
    return k;
}

RegistryStore::Key* RegistryStore::Create(const std::wstring& key)
{
    const KeyPath path = SplitKey(key);
    if (!path.problem.empty()) return nullptr;
    auto walk = [](Key& parent, const std::wstring& name) -> Key& {
        auto& slot = parent.subkeys[LowerCase(name)];
        if (!slot) {
            slot = std::make_unique<Key>();
            slot->spelling = name;
        }
        return *slot;
    };
    Key* k = &walk(*m_root, path.root);
    for (const std::wstring& name : path.names) k = &walk(*k, name);
    return k;
}

bool RegistryStore::KeyExists(const std::wstring& key) const { return Find(key) != nullptr; }

bool RegistryStore::CreateKey(const std::wstring& key) { return Create(key) != nullptr; }

std::optional<std::wstring> RegistryStore::Value(const std::wstring& key, const std::wstring& name) const
{
    const Key* k = Find(key);
    if (!k) return std::nullopt;
    auto v = k->values.find(LowerCase(name));
    if (v == k->values.end()) return std::nullopt;
    return v->second.second;
}

bool RegistryStore::SetValue(const std::wstring& key, const std::wstring& name, const std::wstring& data)
{
    Key* k = Create(key);
    if (!k) return false;
    k->values[LowerCase(name)] = {name, data};
    return true;
}

bool RegistryStore::Empty() const { return m_root->subkeys.empty(); }

// One path buffer for the whole walk: a deep chain of keys costs what its last line does.
void RegistryStore::WriteKey(std::string& out, const Key& key, std::wstring& path)
{
    if (!key.values.empty() || key.subkeys.empty()) {
        out += "\n[" + (NeedsQuotes(path) ? Quote(path) : WideToUtf8(path)) + "]\n";
        for (auto& [lname, value] : key.values) out += Quote(value.first) + "=" + Quote(value.second) + "\n";
    }
    for (auto& [lname, sub] : key.subkeys) {
        const std::size_t length = path.size();
        path += L"\\" + sub->spelling;
        WriteKey(out, *sub, path);
        path.resize(length);
    }
}

bool RegistryStore::DeleteValue(const std::wstring& key, const std::wstring& name)
{
    Key* k = Find(key);
    return k && k->values.erase(LowerCase(name)) > 0;
}

std::string RegistryStore::Serialise(const RegistryStore& store)
{
    std::string out = "; The registry of this simulated PC. Edit with care: a damaged file stops the program.\n";
    for (auto& [lower, root] : store.m_root->subkeys) {
        std::wstring path = root->spelling;
        WriteKey(out, *root, path);
    }
    return out;
}

bool RegistryStore::Save() const
{
    // Written beside and renamed over the old file, so a failure never leaves half a file.
    std::error_code ec;
    std::filesystem::create_directories(m_file.parent_path(), ec);
    std::filesystem::path tmp = m_file;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out << Serialise(*this);
        out.flush();
        if (!out) {
            std::filesystem::remove(tmp, ec);
            return false;
        }
    }
    std::filesystem::rename(tmp, m_file, ec);
    return !ec;
}

}  // namespace sim
