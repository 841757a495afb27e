// The system's own wording for an error, as UTF-8, followed by its code as Windows writes it:
// "<text> (error <code>)", or "error <code>" alone where the system has no text. The Win32
// functions are defined on Windows only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace driversetup {

// A Win32 error code (GetLastError), in decimal: "error 126". The text's "%1", where it has one
// ("%1 is not a valid Win32 application"), becomes `subject`.
std::string SystemMessage(std::uint32_t error, std::string_view subject = {});

// An HRESULT, in hexadecimal: "error 0x80020005".
std::string HresultMessage(std::int32_t result);

// A system text with every "%1" insert (but not "%10" and on) replaced by `subject`.
std::string WithInsert(std::string_view text, std::string_view subject);

} // namespace driversetup
