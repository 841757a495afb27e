// How the binding reaches a library: load it by file name, then look up its functions by name.
// An interface, so that tests can count what the binding asks for.
#pragma once

#include <string>

namespace driversetup {

class LoadedLibrary {
public:
    // The function's address; throws std::runtime_error naming the function and the library.
    virtual void* Symbol(const char* name) const = 0;

protected:
    ~LoadedLibrary() = default;
};

class LibraryLoader {
public:
    // The library, loaded for as long as the loader keeps it; throws std::runtime_error naming
    // the library.
    virtual const LoadedLibrary& Load(const std::string& fileName) = 0;

protected:
    ~LibraryLoader() = default;
};

// The program's loader: what it loads stays loaded until the process ends.
LibraryLoader& ResidentLoader();

} // namespace driversetup
