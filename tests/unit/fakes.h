// A WindowModel that records every operation, and a library that answers from a script and
// notes what the window looked like at the moment it was called.
#pragma once

#include "window/form.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace driversetup::testing {

inline std::wstring NameOf(Control control) {
    static constexpr std::array<const wchar_t*, 7> names{
        L"GetDrvInfo",  L"DisplayDialog", L"Install",   L"Uninstall",
        L"CloseButton", L"copyright",     L"Resultbox",
    };
    return names.at(static_cast<std::size_t>(control));
}

class RecordingWindow final : public WindowModel {
public:
    void SetCaption(Control label, std::wstring_view text) override {
        captions.at(static_cast<std::size_t>(label)) = text;
        log.push_back(L"set " + NameOf(label) + L" \"" + std::wstring(text) + L"\"");
    }
    std::wstring GetCaption(Control label) const override {
        log.push_back(L"get " + NameOf(label));
        return captions.at(static_cast<std::size_t>(label));
    }
    void SetEnabled(Control button, bool enabled) override {
        this->enabled.at(static_cast<std::size_t>(button)) = enabled;
        log.push_back((enabled ? L"enable " : L"disable ") + NameOf(button));
    }
    void Unload() override {
        ++unloads;
        log.emplace_back(L"unload");
    }

    bool Enabled(Control button) const { return enabled.at(static_cast<std::size_t>(button)); }
    const std::wstring& Caption(Control label) const {
        return captions.at(static_cast<std::size_t>(label));
    }
    // "EEDEE" style summary of Install, Uninstall, DisplayDialog, GetDrvInfo, CloseButton.
    std::string ButtonStates() const {
        std::string states;
        for (const Control button : {Control::Install, Control::Uninstall, Control::DisplayDialog,
                                     Control::GetDrvInfo, Control::CloseButton}) {
            states += Enabled(button) ? 'E' : 'D';
        }
        return states;
    }

    std::array<std::wstring, 7> captions{};
    std::array<bool, 7> enabled{true, true, true, true, true, true, true};
    mutable std::vector<std::wstring> log;
    int unloads = 0;
};

class ScriptedLibrary final : public DriverSetupLibrary {
public:
    explicit ScriptedLibrary(const RecordingWindow& window) : window_(window) {}

    std::int16_t InstDriver(std::int32_t argument) override {
        Called(L"InstDriver " + std::to_wstring(argument));
        return result16;
    }
    std::int16_t UninstallDriver(std::int32_t argument) override {
        Called(L"UninstallDriver " + std::to_wstring(argument));
        return result16;
    }
    std::int32_t GetTolvekDriverInfo() override {
        Called(L"GetTolvekDriverInfo");
        return status;
    }
    void DriverDialog(Variant* result) override {
        Called(L"DriverDialog");
        if (fillDialogResult) {
            fillDialogResult(*result);
        }
    }

    std::int16_t result16 = 0;
    std::int32_t status = 0;
    std::function<void(Variant&)> fillDialogResult;
    // Runs inside every call, as a library that pumps messages would run other events.
    std::function<void()> duringCall;

    std::vector<std::wstring> calls;
    std::string statesAtCall;     // button states when the last call was made
    std::wstring resultboxAtCall; // Resultbox text when the last call was made

private:
    void Called(std::wstring call) {
        calls.push_back(std::move(call));
        statesAtCall = window_.ButtonStates();
        resultboxAtCall = window_.Caption(Control::Resultbox);
        if (duringCall) {
            duringCall();
        }
    }

    const RecordingWindow& window_;
};

// A Form1 between a recording window and a scripted library.
struct Form1Test : ::testing::Test {
    RecordingWindow window;
    ScriptedLibrary library{window};
    Form1 form{window, library};

    // Runs one handler with the library answering `result`; returns the window operations.
    std::vector<std::wstring> Run(void (Form1::*handler)(), std::int16_t result) {
        library.result16 = result;
        window.log.clear();
        (form.*handler)();
        return window.log;
    }
};

} // namespace driversetup::testing
