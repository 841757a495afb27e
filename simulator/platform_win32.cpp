#include "simulator/platform.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <memory>

namespace velmora {
namespace {

// The apartment the caller set up, seen as a library that enters one itself sees it. The system
// may have entered one on its own (its input method support does on a thread with windows, as
// Wine's does), which CoGetApartmentType reports too: but that one gives way to the first
// CoInitializeEx, which then succeeds as on a thread with no apartment.
std::string ApartmentName() {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (result == RPC_E_CHANGED_MODE) {
        return "mta";
    }
    if (FAILED(result)) {
        return "other";
    }
    CoUninitialize(); // each successful call is paired, S_FALSE included
    return result == S_FALSE ? "sta" : "none";
}

// Windows 10 1607 and later; the context handles are the SDK's DPI_AWARENESS_CONTEXT_* values.
std::string DpiAwarenessName() {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    using GetContextFn = HANDLE(WINAPI*)();
    using ContextsEqualFn = BOOL(WINAPI*)(HANDLE, HANDLE);
    const auto getContext = reinterpret_cast<GetContextFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    const auto contextsEqual = reinterpret_cast<ContextsEqualFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "AreDpiAwarenessContextsEqual")));
    if (getContext == nullptr || contextsEqual == nullptr) {
        return "unknown";
    }
    const struct {
        INT_PTR context;
        const char* name;
    } known[] = {{-5, "unaware-gdiscaled"},
                 {-1, "unaware"},
                 {-2, "system"},
                 {-3, "per-monitor"},
                 {-4, "per-monitor-v2"}};
    const HANDLE current = getContext();
    for (const auto& candidate : known) {
        if (contextsEqual(current, reinterpret_cast<HANDLE>(candidate.context))) {
            return candidate.name;
        }
    }
    return "other";
}

} // namespace

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

std::string CallerContext() {
    return "apartment=" + ApartmentName() + " dpi=" + DpiAwarenessName();
}

std::uint32_t ProcessId() {
    return GetCurrentProcessId();
}

} // namespace velmora
