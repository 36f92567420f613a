#include "install/FileTypePolicy.h"

#include <mutex>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace {

const wchar_t* const kAssociationsKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Associations\\";
const wchar_t* const kValueName = L"LowRiskFileTypes";

std::mutex g_lock;
bool g_bRemembered = false;
std::optional<std::wstring> g_previous;  // nullopt: the user had no value

bool OpenOrCreate(Registry* reg)
{
    const auto root = HKEY_ROOT::HKEY_CURRENT_USER;
    return reg->RegOpenKeyExW(root, kAssociationsKey) == ERROR_SUCCESS ||
           reg->RegCreateKeyExW(root, kAssociationsKey) == ERROR_SUCCESS;
}

void WriteWhole(Registry* reg, const std::wstring& text)
{
    // REG_SZ with its terminating zero.
    reg->RegSetValueExW(HKEY_ROOT::HKEY_CURRENT_USER, kAssociationsKey, kValueName, text,
                        static_cast<DWORD>((text.size() + 1) * 2));
}

}  // namespace

void SetLowRiskFileTypes()
{
    Registry* reg = Os().registry;
    const auto root = HKEY_ROOT::HKEY_CURRENT_USER;
    if (!OpenOrCreate(reg)) return;
    {
        std::lock_guard lock(g_lock);
        // Only the first call of a run sees what the user had; later ones would see ours.
        if (!g_bRemembered) {
            std::wstring previous;
            DWORD bytes = 0;
            LONG r = reg->RegQueryValueExW(root, kAssociationsKey, kValueName, &previous, 0x10000, &bytes);
            g_previous = r == ERROR_SUCCESS ? std::optional<std::wstring>(previous) : std::nullopt;
            g_bRemembered = r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
        }
    }
    WriteWhole(reg, L".exe");
    reg->RegFlushKey(root);
}

void RestoreLowRiskFileTypes()
{
    Registry* reg = Os().registry;
    const auto root = HKEY_ROOT::HKEY_CURRENT_USER;
    if (reg->RegOpenKeyExW(root, kAssociationsKey) != ERROR_SUCCESS) return;
    std::lock_guard lock(g_lock);
    if (!g_bRemembered) WriteWhole(reg, L".txt");  // what the user had could not be read
    else if (g_previous) WriteWhole(reg, *g_previous);
    else reg->RegDeleteValueW(root, kAssociationsKey, kValueName);
    g_bRemembered = false;
}

void ResetLowRiskFileTypesMemory()
{
    std::lock_guard lock(g_lock);
    g_bRemembered = false;
    g_previous.reset();
}
