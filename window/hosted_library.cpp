#include "window/hosted_library.h"

#include "window/system_function.h"
#include "window/texts.h"

#include <objbase.h>

#include <utility>

namespace driversetup {
namespace {

using OleInitializeFn = HRESULT(WINAPI*)(LPVOID);

// ole32, like oleaut32, is loaded at the first library call rather than at start-up. It is a
// known DLL: the system's own copy is loaded whatever the search path.
HMODULE Ole32() noexcept {
    static const HMODULE module = LoadLibraryW(L"ole32.dll");
    return module;
}

// DPI_AWARENESS_CONTEXT_UNAWARE_GDISCALED (Windows 10 1809) and _UNAWARE (1607); the SDK
// declares them only for builds aimed at those versions.
const auto unawareGdiScaled = reinterpret_cast<HANDLE>(-5);
const auto unaware = reinterpret_cast<HANDLE>(-1);

} // namespace

// From before a call starts to after it returns or throws.
class HostedLibrary::CallScope {
public:
    explicit CallScope(HostedLibrary& host) noexcept : window_(host.window_) {
        host.EnterApartment();
        // Before Windows 10 1607 a thread has no DPI context of its own, and the library's
        // windows take the process's awareness.
        if (setContext_ != nullptr) {
            previousContext_ = setContext_(unawareGdiScaled); // nullptr where it is unknown
            if (previousContext_ == nullptr) {
                previousContext_ = setContext_(unaware);
            }
        }
        if (window_ != nullptr) {
            // The text is a literal's view, so it ends in a null character.
            // NOLINTNEXTLINE(bugprone-suspicious-stringview-data-usage)
            ShutdownBlockReasonCreate(window_, texts::libraryCallInProgress.data());
        }
    }
    ~CallScope() {
        if (window_ != nullptr) {
            ShutdownBlockReasonDestroy(window_);
        }
        if (previousContext_ != nullptr) {
            setContext_(previousContext_);
        }
    }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

private:
    using SetContextFn = HANDLE(WINAPI*)(HANDLE);
    const SetContextFn setContext_ =
        SystemFunction<SetContextFn>(L"user32.dll", "SetThreadDpiAwarenessContext");
    const HWND window_;
    HANDLE previousContext_ = nullptr;
};

void HostedLibrary::EnterApartment() noexcept {
    if (std::exchange(apartmentTried_, true)) {
        return;
    }
    // OleInitialize rather than CoInitializeEx: the library may use the clipboard or drag and
    // drop, which need it, as its original hosts set it up. The apartment ends with the process
    // and is never left: OleUninitialize unloads the DLLs that COM loaded on this thread, while
    // the library, loaded to the end of the process, may still hold their objects and release
    // them as it is unloaded, calling into code that is gone.
    const auto initialize = FunctionOf<OleInitializeFn>(Ole32(), "OleInitialize");
    if (initialize != nullptr) {
        initialize(nullptr);
    }
}

std::int16_t HostedLibrary::InstDriver(std::int32_t argument) {
    const CallScope scope(*this);
    return library_.InstDriver(argument);
}

std::int16_t HostedLibrary::UninstallDriver(std::int32_t argument) {
    const CallScope scope(*this);
    return library_.UninstallDriver(argument);
}

std::int32_t HostedLibrary::GetTolvekDriverInfo() {
    const CallScope scope(*this);
    return library_.GetTolvekDriverInfo();
}

void HostedLibrary::DriverDialog(Variant* result) {
    const CallScope scope(*this);
    library_.DriverDialog(result);
}

} // namespace driversetup
