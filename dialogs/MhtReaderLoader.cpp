#include "dialogs/MhtReaderLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include "diag/LogMsg.h"
#include "platform/Text.h"

namespace {

std::string ProgramFolder()
{
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0) return {};
    path.resize(static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::vector<std::string> MhtReaderFolders()
{
    const std::string program = ProgramFolder();
    if (program.empty()) return {};
    return {program, program + "/" TC_MHT_MODULE_RELDIR};
}

MhtReadEntry* LoadMhtReader(const std::vector<std::string>& folders, std::string& error)
{
    // Every folder's reason, so that the log names each place looked in.
    error.clear();
    auto why = [&error](const std::string& reason) { error += (error.empty() ? "" : "; ") + reason; };
    if (folders.empty()) why("no folder to look in");
    for (const std::string& folder : folders) {
        const std::string path = folder + "/" + kMhtModuleFileName;
        if (::access(path.c_str(), R_OK) != 0) {
            why(path + " is missing");
            continue;
        }
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* reason = ::dlerror();
            why(reason ? reason : path + " cannot be loaded");
            continue;
        }
        if (void* entry = ::dlsym(module, kMhtReadEntryName)) return reinterpret_cast<MhtReadEntry*>(entry);
        why(path + " has no " + kMhtReadEntryName);
        ::dlclose(module);
    }
    return nullptr;
}

MhtDocument ReadMhtArchiveWithModule(std::string_view bytes)
{
    static std::string s_error;
    static MhtReadEntry* const s_read = LoadMhtReader(MhtReaderFolders(), s_error);
    MhtDocument doc;
    if (!s_read) {
        LogF(LOG_FUNC, L"ReadMhtArchiveWithModule", L"No archive reader: %ls.", Utf8ToWide(s_error).c_str());
        doc.problems.push_back(MhtProblem::NotMime);
        return doc;
    }
    const MhtLimits limits;
    s_read(bytes.data(), bytes.size(), &limits, &doc);
    return doc;
}
