// What the stand-in asks of the system: environment variables, the user's data folder, the
// administrator check and the process id, each answered by the platform's own means.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace velmora {

// Text as the system hands it over: UTF-16 on Windows, bytes (taken as UTF-8) elsewhere.
using NativeText = std::filesystem::path::string_type;

// The variable's value, or nothing when it is unset or empty.
std::optional<NativeText> EnvironmentVariable(const char* name);

// The text as UTF-16 (Windows) or UTF-32 (elsewhere); nothing when it is not valid UTF-8.
std::optional<std::wstring> WideText(const NativeText& text);

// The user's local application data folder; empty when the system names none.
std::filesystem::path LocalDataFolder();

// Whether the process may change the machine's drivers: an elevated member of the
// Administrators group on Windows, the superuser elsewhere.
bool IsAdministrator();

std::uint32_t ProcessId();

// What a library of desktop programs relies on in the calling thread, in words: its COM
// apartment and DPI awareness on Windows ("apartment=sta dpi=unaware"), "" elsewhere.
std::string CallerContext();

} // namespace velmora
