#include "setuplib/dynamic_library.h"

#include <dlfcn.h>

#include <stdexcept>

namespace driversetup {
namespace {

std::string LastError() {
    const char* reason = dlerror();
    return reason != nullptr ? reason : "unknown reason";
}

} // namespace

DynamicLibrary DynamicLibrary::Load(const std::string& fileName) {
    void* module = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        throw std::runtime_error("Cannot load the library " + fileName + ": " + LastError());
    }
    return {fileName, module};
}

void* DynamicLibrary::Symbol(const char* name) const {
    dlerror();
    void* address = dlsym(module_.get(), name);
    if (address == nullptr) {
        throw std::runtime_error(std::string("Cannot find the function ") + name + " in " +
                                 fileName_ + ": " + LastError());
    }
    return address;
}

void DynamicLibrary::Unload::operator()(void* module) const noexcept {
    dlclose(module);
}

} // namespace driversetup
