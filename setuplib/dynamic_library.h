// A loaded shared library, owned: loaded by file name through the platform's standard search,
// unloaded when the owner goes. Load and Symbol throw std::runtime_error naming the library or
// the function and carrying the system's reason.
#pragma once

#include "setuplib/library_loader.h"

#include <memory>
#include <string>

namespace driversetup {

class DynamicLibrary final : public LoadedLibrary {
public:
    static DynamicLibrary Load(const std::string& fileName);

    void* Symbol(const char* name) const override;

private:
    struct Unload {
        void operator()(void* module) const noexcept;
    };

    DynamicLibrary(std::string fileName, void* module) noexcept
        : fileName_(std::move(fileName)), module_(module) {}

    std::string fileName_;
    std::unique_ptr<void, Unload> module_;
};

} // namespace driversetup
