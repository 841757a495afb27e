// DriverSetup.exe: starting the program means loading and showing Form1; it ends when Form1
// is unloaded.
#include "app/process_hardening.h"
#include "app/resource_ids.h"
#include "setuplib/bound_library.h"
#include "window/win32_window.h"

#include <windows.h>

namespace {

int RunMessageLoop(const driversetup::MainWindow& window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, arrow keys and the "&" accelerators, as in a dialog.
        if (window.Handle() != nullptr && IsDialogMessageW(window.Handle(), &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return window.ExitCode();
}

} // namespace

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): <winbase.h> names them
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    driversetup::HardenProcess();
    driversetup::BoundDriverSetupLibrary library;
    driversetup::MainWindow window(library);
    const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_DRIVERSETUP));
    if (!window.Create(instance, icon, showCommand)) {
        return 1;
    }
    return RunMessageLoop(window);
}
