// A probe that a test loads into DriverSetup.exe through a WH_CALLWNDPROC hook, to do there what
// only the program's own process can: send a message whose parameter points into its memory,
// and look at its GDI objects and icons. The test sends probe::messageName to the program's
// window with a command in wParam; the probe carries it out on the window's thread and replies
// with the result.
#pragma once

#include <windows.h>

namespace probe {

inline constexpr wchar_t messageName[] = L"DriverSetupTestProbe";
inline constexpr char hookName[] = "ProbeHook";

enum Command : WPARAM {
    // lParam: the new DPI. Sends WM_DPICHANGED with a suggested rectangle 7 pixels right of and
    // 5 below the window's own, watching every WM_SETFONT meanwhile. Replies with the failure
    // flags below, the font height before (bits 8 to 15) and after (bits 16 to 23).
    changeDpi = 1,
    // Replies with the window class's small icon's width (low word) and height (high word).
    smallIconSize = 2,
    // lParam: a message box of the program. Replies with the system icon it shows, a BoxIcon.
    boxIcon = 3,
};

enum BoxIcon : LRESULT { noIcon, informationIcon, warningIcon, errorIcon, otherIcon };

// Failure flags of changeDpi.
inline constexpr LRESULT fontSetWhileHoldingADeletedOne = 0x1;
inline constexpr LRESULT controlHoldsNoLiveFont = 0x2;
inline constexpr LRESULT oldFontNotDeleted = 0x4;

inline constexpr POINT suggestedOffset{7, 5};

} // namespace probe
