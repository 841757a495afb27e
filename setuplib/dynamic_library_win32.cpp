#include "setuplib/dynamic_library.h"

#include "setuplib/library_image.h"
#include "setuplib/system_error.h"

#include <windows.h>

#include <array>
#include <memory>
#include <stdexcept>
#include <type_traits>

namespace driversetup {
namespace {

struct FileCloser {
    void operator()(HANDLE file) const noexcept { CloseHandle(file); }
};
using UniqueFile = std::unique_ptr<std::remove_pointer_t<HANDLE>, FileCloser>;

UniqueFile OpenForReading(const std::wstring& path) noexcept {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    return UniqueFile(file != INVALID_HANDLE_VALUE ? file : nullptr);
}

constexpr ImageMachine programMachine = sizeof(void*) == 8 ? ImageMachine::X64 : ImageMachine::X86;

// The folders the library is looked for in, in order: this program's, then the system folder;
// each ends in a backslash, or is empty where it could not be had.
std::array<std::wstring, 2> SearchedFolders() {
    std::array<std::wstring, 2> folders{std::wstring(MAX_PATH, L'\0'),
                                        std::wstring(MAX_PATH, L'\0')};
    auto& [program, system] = folders;
    program.resize(GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    program.erase(program.find_last_of(L'\\') + 1); // all of it without a backslash
    const UINT length = GetSystemDirectoryW(system.data(), MAX_PATH);
    system.resize(length < MAX_PATH ? length : 0);
    if (!system.empty()) {
        system += L'\\';
    }
    return folders;
}

// The sentence that names the remedy when the system found the library's file but could not load
// it as a library (one of the other architecture, a damaged file; an empty one cannot even be
// mapped), from the headers of the first file of that name in the folders searched; "" for
// other errors.
std::string RemedyFor(DWORD error, const std::wstring& fileName, const std::string& name) {
    if (error != ERROR_BAD_EXE_FORMAT && error != ERROR_FILE_INVALID) {
        return {};
    }
    for (const std::wstring& folder : SearchedFolders()) {
        const UniqueFile file = folder.empty() ? nullptr : OpenForReading(folder + fileName);
        if (!file) {
            continue;
        }
        // A library's headers lie within its first page.
        std::array<std::byte, 4096> start{};
        DWORD read = 0;
        if (ReadFile(file.get(), start.data(), static_cast<DWORD>(start.size()), &read, nullptr) ==
            FALSE) {
            return {};
        }
        return "\n" +
               LoadRemedy(ReadImageMachine(std::span(start).first(read)), programMachine, name);
    }
    return {};
}

} // namespace

DynamicLibrary DynamicLibrary::Load(const std::string& fileName) {
    const std::wstring wideName(fileName.begin(), fileName.end()); // the names are ASCII
    HMODULE module = LoadLibraryW(wideName.c_str());
    if (module == nullptr) {
        const DWORD error = GetLastError();
        throw std::runtime_error("Cannot load the library " + fileName + ": " +
                                 SystemMessage(error, fileName) +
                                 RemedyFor(error, wideName, fileName));
    }
    return {fileName, module};
}

void* DynamicLibrary::Symbol(const char* name) const {
    FARPROC address = GetProcAddress(static_cast<HMODULE>(module_.get()), name);
    if (address == nullptr) {
        const DWORD error = GetLastError();
        throw std::runtime_error(std::string("Cannot find the function ") + name + " in " +
                                 fileName_ + ": " + SystemMessage(error));
    }
    return reinterpret_cast<void*>(address);
}

void DynamicLibrary::Unload::operator()(void* module) const noexcept {
    FreeLibrary(static_cast<HMODULE>(module));
}

} // namespace driversetup
