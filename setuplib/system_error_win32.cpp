#include "setuplib/system_error.h"

#include <windows.h>

#include <memory>

namespace driversetup {
namespace {

// The system's text for `code` (without its closing full stop, its "%1" filled with `subject`
// if one is given), then `written`. The insert is filled here rather than by FormatMessageW, which
// would read a second argument, that is not there, for a text that has a "%2".
std::string Message(DWORD code, const std::string& written, std::string_view subject = {}) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, decltype(&LocalFree)> owned(buffer, &LocalFree);
    std::wstring text(buffer != nullptr ? buffer : L"", length);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                             text.back() == L'.')) {
        text.pop_back();
    }
    std::string error = "error " + written;
    if (text.empty()) {
        return error;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    return (subject.empty() ? utf8 : WithInsert(utf8, subject)) + " (" + error + ")";
}

} // namespace

std::string SystemMessage(std::uint32_t error, std::string_view subject) {
    return Message(error, std::to_string(error), subject);
}

std::string HresultMessage(std::int32_t result) {
    const auto code = static_cast<unsigned int>(result);
    // By hand: the C library's formatted printing would add a quarter to the program's size.
    std::string written = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) {
        written += "0123456789ABCDEF"[(code >> shift) & 0xFU];
    }
    return Message(code, written);
}

} // namespace driversetup
