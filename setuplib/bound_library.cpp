#include "setuplib/bound_library.h"

namespace driversetup {

template <typename Function>
Function BoundDriverSetupLibrary::Bound(Function& address, const char* name) {
    if (address == nullptr) {
        if (library_ == nullptr) {
            library_ = &loader_.Load(setupLibraryFileName);
        }
        address = reinterpret_cast<Function>(library_->Symbol(name));
    }
    return address;
}

std::int16_t BoundDriverSetupLibrary::InstDriver(std::int32_t argument) {
    return Bound(instDriver_, setup_api::InstDriverName)(argument);
}

std::int16_t BoundDriverSetupLibrary::UninstallDriver(std::int32_t argument) {
    return Bound(uninstallDriver_, setup_api::UninstallDriverName)(argument);
}

std::int32_t BoundDriverSetupLibrary::GetTolvekDriverInfo() {
    return Bound(getTolvekDriverInfo_, setup_api::GetTolvekDriverInfoName)();
}

void BoundDriverSetupLibrary::DriverDialog(Variant* result) {
    Bound(driverDialog_, setup_api::DriverDialogName)(result);
}

} // namespace driversetup
