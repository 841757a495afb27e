#include "scratch_folder.h"

#include <windows.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace e2e {

ScratchFolder::ScratchFolder() {
    static std::atomic<unsigned> created{0};
    const std::wstring name = L"driversetup-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++created);
    path_ = std::filesystem::temp_directory_path() / name;
    if (!std::filesystem::create_directories(path_)) {
        throw std::runtime_error("cannot create the scratch folder " + path_.string());
    }
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored; // a file still held open must not fail the test that made it
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchFolder::Subfolder(const std::wstring& name) const {
    std::filesystem::path folder = path_ / name;
    std::filesystem::create_directories(folder);
    return folder;
}

std::string ReadFileOrEmpty(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

} // namespace e2e
