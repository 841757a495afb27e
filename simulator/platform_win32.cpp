#include "simulator/platform.h"

#include <windows.h>

#include <shlobj.h>

#include <memory>

namespace velmora {

// Read from the process's environment block rather than the C runtime's copy of it, which this
// statically linked DLL took once at load: so a change the caller makes later is seen.
std::optional<NativeText> EnvironmentVariable(const char* name) {
    const std::wstring wideName(name, name + std::char_traits<char>::length(name)); // ASCII
    // The value may grow between the two calls: then ask again with the new size.
    for (DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0); size != 0;) {
        std::wstring value(size, L'\0');
        const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
        if (length < size) {
            value.resize(length);
            return value.empty() ? std::nullopt : std::optional<NativeText>(value);
        }
        size = length;
    }
    return std::nullopt;
}

std::optional<std::wstring> WideText(const NativeText& text) {
    return text;
}

std::filesystem::path LocalDataFolder() {
    wchar_t* folder = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder);
    const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> owned(folder, &CoTaskMemFree);
    return SUCCEEDED(result) ? std::filesystem::path(folder) : std::filesystem::path();
}

// CheckTokenMembership ignores groups that are present for denial only, which is how a
// standard (not elevated) token of an administrator under UAC holds the Administrators group.
bool IsAdministrator() {
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    BOOL member = FALSE;
    return CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size) !=
               FALSE &&
           CheckTokenMembership(nullptr, administrators, &member) != FALSE && member != FALSE;
}

std::uint32_t ProcessId() {
    return GetCurrentProcessId();
}

} // namespace velmora
