#include "mht/MhtArchive.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string StripAngles(std::string_view id)
{
    std::string s(id);
    if (!s.empty() && s.front() == '<') s.erase(0, 1);
    if (!s.empty() && s.back() == '>') s.pop_back();
    return s;
}

std::string FileName(std::string_view url)
{
    std::size_t cut = url.find_first_of("?#");
    if (cut != std::string_view::npos) url = url.substr(0, cut);
    std::size_t slash = url.find_last_of("/\\");
    return Lower(std::string(slash == std::string_view::npos ? url : url.substr(slash + 1)));
}

// Resolves a relative reference against the page's location, dropping "./" and "../".
std::string Resolve(const std::string& base, std::string_view ref)
{
    std::size_t slash = base.find_last_of("/\\");
    std::string joined = (slash == std::string::npos ? std::string() : base.substr(0, slash + 1)) + std::string(ref);
    std::string scheme;
    std::size_t start = joined.find("://");
    if (start != std::string::npos) {
        std::size_t pathStart = joined.find('/', start + 3);
        if (pathStart == std::string::npos) return joined;
        scheme = joined.substr(0, pathStart);
        joined = joined.substr(pathStart);
    }
    std::vector<std::string> segments;
    std::size_t pos = 0;
    while (pos <= joined.size()) {
        std::size_t next = joined.find('/', pos);
        std::string seg = joined.substr(pos, next == std::string::npos ? std::string::npos : next - pos);
        if (seg == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (seg != ".") {
            segments.push_back(seg);
        }
        if (next == std::string::npos) break;
        pos = next + 1;
    }
    std::string out = scheme;
    for (std::size_t i = 0; i < segments.size(); ++i) out += (i ? "/" : "") + segments[i];
    return out;
}

// Where a tag's name ends: anything but a letter or digit ends it ("<script<img" is
// taken for a script, as a lenient reader could take it).
bool IsSpaceOrEnd(const std::string& s, std::size_t i)
{
    return i >= s.size() || !std::isalnum(static_cast<unsigned char>(s[i]));
}

}  // namespace

bool MhtDocument::Has(MhtProblem p) const
{
    return std::find(problems.begin(), problems.end(), p) != problems.end();
}

const MhtResource* MhtDocument::Find(std::string_view url) const
{
    if (url.empty()) return nullptr;
    std::string lower = Lower(std::string(url));
    if (lower.rfind("cid:", 0) == 0) {
        std::string id = StripAngles(url.substr(4));
        for (const auto& r : resources)
            if (!r.contentId.empty() && r.contentId == id) return &r;
        return nullptr;
    }
    for (const auto& r : resources)
        if (!r.location.empty() && r.location == url) return &r;
    if (lower.find("://") == std::string::npos && !htmlLocation.empty()) {
        std::string resolved = Resolve(htmlLocation, url);
        for (const auto& r : resources)
            if (!r.location.empty() && r.location == resolved) return &r;
    }
    // Archives saved on another machine keep the other machine's paths: a file name that
    // only one part has still names that part.
    std::string name = FileName(url);
    if (name.empty()) return nullptr;
    const MhtResource* found = nullptr;
    for (const auto& r : resources) {
        if (FileName(r.location) != name) continue;
        if (found) return nullptr;
        found = &r;
    }
    return found;
}

int RemoveActiveContent(std::string& html)
{
    static const char* const kWithContent[] = {"script", "iframe", "frameset", "object", "applet", "noscript"};
    static const char* const kTagOnly[] = {"frame", "embed"};
    int removed = 0;
    std::string lower = Lower(html);
    std::size_t pos = 0;
    while ((pos = lower.find('<', pos)) != std::string::npos) {
        std::size_t nameStart = pos + 1;
        bool matched = false;
        for (const char* name : kWithContent) {
            std::size_t n = std::char_traits<char>::length(name);
            if (lower.compare(nameStart, n, name) != 0 || !IsSpaceOrEnd(lower, nameStart + n)) continue;
            std::size_t close = lower.find(std::string("</") + name, nameStart + n);
            std::size_t end = close == std::string::npos ? std::string::npos : lower.find('>', close);
            // An element that never closes takes the rest of the page with it.
            std::size_t count = end == std::string::npos ? std::string::npos : end + 1 - pos;
            html.erase(pos, count);
            lower.erase(pos, count);
            matched = true;
            break;
        }
        if (!matched) {
            for (const char* name : kTagOnly) {
                std::size_t n = std::char_traits<char>::length(name);
                if (lower.compare(nameStart, n, name) != 0 || !IsSpaceOrEnd(lower, nameStart + n)) continue;
                std::size_t end = lower.find('>', nameStart);
                std::size_t count = end == std::string::npos ? std::string::npos : end + 1 - pos;
                html.erase(pos, count);
                lower.erase(pos, count);
                matched = true;
                break;
            }
        }
        if (matched) ++removed;
        else ++pos;
    }
    return removed;
}
