#include "setuplib/dynamic_library.h"

#include "setuplib/system_error.h"

#include <windows.h>

#include <stdexcept>

namespace driversetup {

DynamicLibrary DynamicLibrary::Load(const std::string& fileName) {
    const std::wstring wideName(fileName.begin(), fileName.end()); // the names are ASCII
    HMODULE module = LoadLibraryW(wideName.c_str());
    if (module == nullptr) {
        throw std::runtime_error("Cannot load the library " + fileName + ": " +
                                 SystemMessage(GetLastError(), fileName));
    }
    return {fileName, module};
}

void* DynamicLibrary::Symbol(const char* name) const {
    FARPROC address = GetProcAddress(static_cast<HMODULE>(module_.get()), name);
    if (address == nullptr) {
        throw std::runtime_error(std::string("Cannot find the function ") + name + " in " +
                                 fileName_ + ": " + SystemMessage(GetLastError()));
    }
    return reinterpret_cast<void*>(address);
}

void DynamicLibrary::Unload::operator()(void* module) const noexcept {
    FreeLibrary(static_cast<HMODULE>(module));
}

} // namespace driversetup
