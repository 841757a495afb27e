// Functions newer than Windows 7 are looked up at run time, never linked: a missing one is
// nullptr and the caller takes its fallback.
#pragma once

#include <windows.h>

namespace driversetup {

template <typename Function> Function FunctionOf(HMODULE module, const char* name) noexcept {
    return module != nullptr ? reinterpret_cast<Function>(
                                   reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                             : nullptr;
}

// A function of a system DLL that the process has already loaded (kernel32, user32).
template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) noexcept {
    return FunctionOf<Function>(GetModuleHandleW(module), name);
}

// A function of a system DLL that nothing else loads: the DLL is taken from the system folder
// only, and stays loaded. Call it once and keep the result.
template <typename Function>
Function SystemLibraryFunction(const wchar_t* module, const char* name) noexcept {
    constexpr DWORD systemFolderOnly = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32
    return FunctionOf<Function>(LoadLibraryExW(module, nullptr, systemFolderOnly), name);
}

} // namespace driversetup
