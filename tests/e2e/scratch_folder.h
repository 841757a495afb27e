// A fresh folder under the temporary folder for one program run, removed afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace e2e {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const noexcept { return path_; }
    // A new subfolder, e.g. to hold a copy of the program apart from its library.
    std::filesystem::path Subfolder(const std::wstring& name) const;

private:
    std::filesystem::path path_;
};

// The file's bytes, or "" when it does not exist.
std::string ReadFileOrEmpty(const std::filesystem::path& file);

} // namespace e2e
