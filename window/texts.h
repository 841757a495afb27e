// Every text the handlers write, the orders in which they lock and unlock the buttons, and the
// reason the window gives for holding up a shutdown.
#pragma once

#include "window/form.h"

#include <array>
#include <string_view>

namespace driversetup::texts {

// Start-up: the title and copyright lines, and the instructions, each joined by CR LF.
inline constexpr std::array<std::wstring_view, 2> copyrightLines{
    L"Driver setup sample of VelmoraSetup.dll",
    L"Copyright (C) Velmora. All rights reserved.",
};
inline constexpr std::array<std::wstring_view, 4> resultboxLines{
    L"Click GetTolvekDriverInfo to get the information of tolvek driver",
    L"Click DisplayInstallInterface to display install interface",
    L"Click Install Driver to Install the Tolvek driver ",
    L"Click Uninstall Driver to Uninstall the Tolvek driver.",
};
inline constexpr std::wstring_view lineBreak = L"\r\n";

// Install and uninstall.
inline constexpr std::wstring_view installed = L"The driver has been installed successfully.";
inline constexpr std::wstring_view uninstalling = L"Uninstall the driver ,Please wait......";
inline constexpr std::wstring_view uninstalled = L"The driver has been uninstalled successfully.";
inline constexpr std::wstring_view logOnAsAdministrator =
    L"Please log on with administrator identity.";
inline constexpr std::wstring_view installFailed =
    L"The driver's installation failed. Error code: ";
inline constexpr std::wstring_view uninstallFailed =
    L"The driver's uninstallation failed. Error code: ";

// Both operations lock the five buttons in this order, and afterwards unlock them in the same
// order, skipping their own button, which stays locked after a success.
inline constexpr std::array<Control, 5> lockOrder{
    Control::Install,    Control::Uninstall,   Control::DisplayDialog,
    Control::GetDrvInfo, Control::CloseButton,
};

// The driver status query: code = 1 + 3 * relation + set, relation same/older/newer,
// set both/USB only/parallel only; 0 and every value not listed mean nothing was found.
inline constexpr std::wstring_view driverNotFound = L"Not find Tolvek driver";
inline constexpr std::array<std::wstring_view, 10> driverStatus{
    driverNotFound,
    L"Find the same version USBTolvek and ParallelTolvek driver.",  // 1 + 3*0 + 0
    L"Find the same version USBTolvek driver only.",                // 1 + 3*0 + 1
    L"Find the same version ParallelTolvek driver only.",           // 1 + 3*0 + 2
    L"Find the older version USBTolvek and ParallelTolvek driver.", // 1 + 3*1 + 0
    L"Find the older version USBTolvek driver only.",               // 1 + 3*1 + 1
    L"Find the older version ParallelTolvek driver only.",          // 1 + 3*1 + 2
    L"Find the newer version USBTolvek and ParallelTolvek driver.", // 1 + 3*2 + 0
    L"Find the newer version USBTolvek driver only.",               // 1 + 3*2 + 1
    L"Find the newer version ParallelTolvek driver only.",          // 1 + 3*2 + 2
};
// The query's own administrator text, unlike the one above.
inline constexpr std::wstring_view queryLogOnAsAdministrator =
    L"Please log on with administrator identity!.";

// Shown by Windows' shutdown screen while a library call runs.
inline constexpr std::wstring_view libraryCallInProgress =
    L"A driver setup operation is in progress.";

} // namespace driversetup::texts
