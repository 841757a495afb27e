#include "child_process.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>
#include <string_view>

namespace e2e {
namespace {

constexpr std::wstring_view simulatorPrefix = L"VELMORA_SIM_";

std::wstring Upper(std::wstring_view text) {
    std::wstring upper(text);
    std::ranges::transform(upper, upper.begin(),
                           [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    return upper;
}

std::wstring NameOf(std::wstring_view entry) {
    // Entries such as "=C:=C:\dir" start with '='; their name runs to the second one.
    return Upper(entry.substr(0, entry.find(L'=', 1)));
}

std::vector<std::wstring> CurrentEnvironment() {
    std::vector<std::wstring> entries;
    wchar_t* const block = GetEnvironmentStringsW();
    if (block == nullptr) {
        return entries;
    }
    for (const wchar_t* entry = block; *entry != L'\0'; entry += entries.back().size() + 1) {
        entries.emplace_back(entry);
    }
    FreeEnvironmentStringsW(block);
    return entries;
}

// A sorted, double-NUL-terminated block, as CreateProcessW expects it.
std::wstring EnvironmentBlock(const EnvironmentChanges& changes) {
    std::vector<std::wstring> entries;
    for (std::wstring& entry : CurrentEnvironment()) {
        const std::wstring name = NameOf(entry);
        const bool replaced = std::ranges::any_of(
            changes, [&](const auto& change) { return Upper(change.first) == name; });
        if (!replaced && !name.starts_with(simulatorPrefix)) {
            entries.push_back(std::move(entry));
        }
    }
    for (const auto& [name, value] : changes) {
        std::wstring entry = name;
        entry += L'=';
        entry += value;
        entries.push_back(std::move(entry));
    }
    std::ranges::sort(
        entries, [](const std::wstring& a, const std::wstring& b) { return Upper(a) < Upper(b); });
    std::wstring block;
    for (const std::wstring& entry : entries) {
        block += entry;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

} // namespace

ChildProcess ChildProcess::Start(const std::filesystem::path& program,
                                 const std::filesystem::path& workingFolder,
                                 const EnvironmentChanges& changes,
                                 std::optional<WORD> showWindow) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    std::wstring environment = EnvironmentBlock(changes);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (showWindow) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = *showWindow;
    }
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, environment.data(), workingFolder.c_str(),
                        &startup, &started)) {
        throw std::runtime_error("CreateProcessW failed for " + program.string() + ", error " +
                                 std::to_string(GetLastError()));
    }
    CloseHandle(started.hThread);
    return {UniqueHandle(started.hProcess), started.dwProcessId};
}

ChildProcess::~ChildProcess() {
    if (process_ && Running()) {
        TerminateProcess(process_.get(), 0xE2E);
        WaitForSingleObject(process_.get(), 5000);
    }
}

bool ChildProcess::Running() const {
    return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) const {
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD status = 0;
    GetExitCodeProcess(process_.get(), &status);
    return status;
}

} // namespace e2e
