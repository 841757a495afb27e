// What Resultbox reads after start-up, until an operation replaces it.
#pragma once

namespace e2e {

inline constexpr wchar_t startUpText[] =
    L"Click GetTolvekDriverInfo to get the information of tolvek driver\r\n"
    L"Click DisplayInstallInterface to display install interface\r\n"
    L"Click Install Driver to Install the Tolvek driver \r\n"
    L"Click Uninstall Driver to Uninstall the Tolvek driver.";

} // namespace e2e
