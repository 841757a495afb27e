#include "setuplib/dynamic_library.h"
#include "setuplib/library_loader.h"

#include <list>

namespace driversetup {
namespace {

class Resident final : public LibraryLoader {
public:
    const LoadedLibrary& Load(const std::string& fileName) override {
        return libraries_.emplace_back(DynamicLibrary::Load(fileName));
    }

private:
    std::list<DynamicLibrary> libraries_; // a list: what the binding holds never moves
};

} // namespace

LibraryLoader& ResidentLoader() {
    // Never destroyed, so nothing is unloaded at exit, where a vendor library's threads, hooks
    // or COM objects can crash it and replace the exit status.
    static auto* const loader = new Resident;
    return *loader;
}

} // namespace driversetup
