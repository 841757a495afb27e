// A process started by a test, ended on every path out of the test.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// Variables set for the child on top of this process's own environment.
using EnvironmentChanges = std::vector<std::pair<std::wstring, std::wstring>>;

class ChildProcess {
public:
    // Starts program in workingFolder. Every VELMORA_SIM_* variable of this process is left out,
    // so only the changes given here reach the stand-in library. showWindow is what a shortcut's
    // "Run" setting asks of the program's first window (SW_SHOWMAXIMIZED for "Maximized").
    // Throws std::runtime_error.
    static ChildProcess Start(const std::filesystem::path& program,
                              const std::filesystem::path& workingFolder,
                              const EnvironmentChanges& changes,
                              std::optional<WORD> showWindow = std::nullopt);

    ChildProcess(ChildProcess&&) noexcept = default;
    ChildProcess& operator=(ChildProcess&&) = delete;
    // Terminates the process if it is still running, so no test leaves one behind.
    ~ChildProcess();

    DWORD Id() const noexcept { return id_; }
    bool Running() const;
    // The exit status, or nothing if the process is still running at the timeout.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout) const;

private:
    struct CloseHandleDeleter {
        void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
    };
    using UniqueHandle = std::unique_ptr<void, CloseHandleDeleter>;

    ChildProcess(UniqueHandle process, DWORD id) noexcept : process_(std::move(process)), id_(id) {}

    UniqueHandle process_;
    DWORD id_ = 0;
};

} // namespace e2e
