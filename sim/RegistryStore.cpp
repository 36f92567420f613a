#include "sim/RegistryStore.h"

#include <fstream>
#include <sstream>

#include <QString>

#include "sim/Scenario.h"

namespace sim {

namespace {

std::wstring Lower(const std::wstring& s) { return QString::fromStdWString(s).toLower().toStdWString(); }
std::wstring W(const std::string& utf8) { return QString::fromStdString(utf8).toStdWString(); }
std::string U(const std::wstring& w) { return QString::fromStdWString(w).toStdString(); }

std::string Quote(const std::wstring& text)
{
    std::string out = "\"";
    for (char c : U(text)) {
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
bool Unquote(const std::string& line, std::size_t& pos, std::string& out)
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

}  // namespace

std::wstring RegistryStore::NormaliseKey(const std::wstring& key)
{
    std::wstring k = key;
    while (!k.empty() && k.back() == L'\\') k.pop_back();
    auto replacePrefix = [&](const std::wstring& from, const std::wstring& to) {
        if (Lower(k.substr(0, from.size())) == Lower(from) &&
            (k.size() == from.size() || k[from.size()] == L'\\'))
            k = to + k.substr(from.size());
    };
    replacePrefix(L"HKEY_LOCAL_MACHINE", L"HKLM");
    replacePrefix(L"HKEY_CURRENT_USER", L"HKCU");
    return k;
}

RegistryStore::RegistryStore(std::filesystem::path file) : m_file(std::move(file))
{
    std::ifstream in(m_file, std::ios::binary);
    if (!in) return;
    std::string line;
    int lineNo = 0;
    Key* current = nullptr;
    auto fail = [&](const std::string& reason) {
        throw ScenarioError(m_file.string() + ":" + std::to_string(lineNo) + ": " + reason);
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == ';' || line[start] == '#') continue;
        if (line[start] == '[') {
            std::size_t end = line.rfind(']');
            if (end == std::string::npos || end <= start + 1) fail("a key line must read [KEY]");
            std::wstring name = NormaliseKey(W(line.substr(start + 1, end - start - 1)));
            if (name.rfind(L"HKLM", 0) != 0 && name.rfind(L"HKCU", 0) != 0)
                fail("a key must start with HKLM or HKCU");
            CreateKey(name);
            current = &m_keys[Lower(name)];
            continue;
        }
        if (!current) fail("a value before any [KEY] line");
        std::size_t pos = start;
        std::string name, data;
        if (!Unquote(line, pos, name)) fail("a value line must read \"NAME\"=\"DATA\"");
        if (pos >= line.size() || line[pos] != '=') fail("a value line must read \"NAME\"=\"DATA\"");
        ++pos;
        if (!Unquote(line, pos, data)) fail("the data must be a quoted text");
        if (line.find_first_not_of(" \t", pos) != std::string::npos) fail("text after the value");
        std::wstring wname = W(name);
        current->values[Lower(wname)] = {wname, W(data)};
    }
}

bool RegistryStore::KeyExists(const std::wstring& key) const
{
    return m_keys.count(Lower(NormaliseKey(key))) != 0;
}

void RegistryStore::CreateKey(const std::wstring& key)
{
    std::wstring k = NormaliseKey(key);
    std::size_t pos = 0;
    for (;;) {
        pos = k.find(L'\\', pos + 1);
        std::wstring part = pos == std::wstring::npos ? k : k.substr(0, pos);
        auto& entry = m_keys[Lower(part)];
        if (entry.spelling.empty()) entry.spelling = part;
        if (pos == std::wstring::npos) break;
    }
}

std::optional<std::wstring> RegistryStore::Value(const std::wstring& key, const std::wstring& name) const
{
    auto it = m_keys.find(Lower(NormaliseKey(key)));
    if (it == m_keys.end()) return std::nullopt;
    auto v = it->second.values.find(Lower(name));
    if (v == it->second.values.end()) return std::nullopt;
    return v->second.second;
}

void RegistryStore::SetValue(const std::wstring& key, const std::wstring& name, const std::wstring& data)
{
    CreateKey(key);
    m_keys[Lower(NormaliseKey(key))].values[Lower(name)] = {name, data};
}

std::string RegistryStore::Serialise(const RegistryStore& store)
{
    std::ostringstream out;
    out << "; The registry of this simulated PC. Edit with care: a damaged file stops the program.\n";
    for (auto& [lower, key] : store.m_keys) {
        out << "\n[" << U(key.spelling) << "]\n";
        for (auto& [lname, value] : key.values) out << Quote(value.first) << "=" << Quote(value.second) << "\n";
    }
    return out.str();
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
