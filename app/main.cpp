// DriverSetup.exe: starting the program means loading and showing Form1; it ends when Form1
// is unloaded.
#include "app/process_hardening.h"
#include "app/resource_ids.h"
#include "setuplib/bound_library.h"
#include "window/win32_window.h"

#include <windows.h>

namespace {

// The icon group's image for this size (32 x 32 for the window, 16 x 16 for its title bar),
// rather than one image scaled by the system.
HICON ProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_DRIVERSETUP), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

int RunMessageLoop(const driversetup::MainWindow& window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, Enter, the arrow keys and the "&" accelerators, as in a dialog.
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
    // A ghost window's close box would end the process in the middle of an install, bypassing
    // the close that waits for the library call.
    DisableProcessWindowsGhosting();
    driversetup::BoundDriverSetupLibrary library;
    driversetup::MainWindow window(library);
    if (!window.Create(instance, ProgramIcon(instance, SM_CXICON, SM_CYICON),
                       ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON), showCommand)) {
        return 1;
    }
    return RunMessageLoop(window);
}
