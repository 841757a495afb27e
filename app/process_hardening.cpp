#include "app/process_hardening.h"

#include "window/system_function.h"

#include <windows.h>

namespace driversetup {

void HardenProcess() noexcept {
    HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);

    // Windows 8 and later, Windows 7 with KB2533623, and Wine have it. SetDllDirectoryW(L"")
    // alone is not enough everywhere: Wine treats an empty directory as none and keeps
    // searching the current one.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    constexpr DWORD searchDefaultDirs = 0x00001000; // LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
    const auto setDefaultDllDirectories =
        SystemFunction<SetDefaultDllDirectoriesFn>(L"kernel32.dll", "SetDefaultDllDirectories");
    if (setDefaultDllDirectories == nullptr || !setDefaultDllDirectories(searchDefaultDirs)) {
        SetDllDirectoryW(L"");
    }
}

} // namespace driversetup
