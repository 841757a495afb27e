// Functions newer than Windows 7 are looked up at run time, never linked: a missing one is
// nullptr and the caller takes its fallback.
#pragma once

#include <windows.h>

namespace driversetup {

template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) noexcept {
    const HMODULE handle = GetModuleHandleW(module);
    return handle != nullptr ? reinterpret_cast<Function>(
                                   reinterpret_cast<void (*)()>(GetProcAddress(handle, name)))
                             : nullptr;
}

} // namespace driversetup
