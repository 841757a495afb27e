// DriverSetup.exe: starting the program means loading and showing Form1; it ends when Form1
// is unloaded.
#include "app/process_hardening.h"
#include "app/resource_ids.h"
#include "setuplib/bound_library.h"
#include "window/main_window.h"

#include <windows.h>

#include <memory>
#include <type_traits>

namespace {

struct IconDeleter {
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// The icon group's image for this size (32 x 32 for the window, 16 x 16 for its title bar),
// rather than one image scaled by the system. Not shared: Windows keeps one shared image per
// resource, whatever size the second load asks for.
UniqueIcon ProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return UniqueIcon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_DRIVERSETUP),
                                                    IMAGE_ICON, GetSystemMetrics(widthMetric),
                                                    GetSystemMetrics(heightMetric), 0)));
}

int RunMessageLoop(driversetup::MainWindow& window) {
    MSG message;
    for (;;) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) == FALSE) {
            // Everything that arrived has been handled: an operation's outcome may show now.
            if (window.ShowPendingOutcome()) {
                continue;
            }
            if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
                break;
            }
        } else if (message.message == WM_QUIT) {
            break;
        }
        if (!window.HandleDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return window.ExitCode();
}

} // namespace

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): <winbase.h> names them
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    driversetup::HardenProcess();
    // A ghost window's close box would end the process in the middle of an install, bypassing
    // the close that waits for the library call.
    DisableProcessWindowsGhosting();
    driversetup::BoundDriverSetupLibrary library;
    // Declared before the window, whose class holds them, so that they outlive it.
    const UniqueIcon icon = ProgramIcon(instance, SM_CXICON, SM_CYICON);
    const UniqueIcon smallIcon = ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
    driversetup::MainWindow window(library);
    if (!window.Create(instance, icon.get(), smallIcon.get(), showCommand)) {
        return 1;
    }
    return RunMessageLoop(window);
}
