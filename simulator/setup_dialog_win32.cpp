#include "simulator/setup_dialog.h"

#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {
namespace {

constexpr wchar_t dialogTitle[] = L"VelmoraSetup installation (stand-in)";
constexpr WORD installId = 100;
constexpr WORD removeId = 101;
constexpr WORD buttonClass = 0x0080; // the predefined classes' atoms in a dialog template
constexpr WORD staticClass = 0x0082;

// One control of the dialog, in dialog units.
struct DialogItem {
    WORD classAtom;
    DWORD style;
    short x, y, width, height;
    WORD id;
    std::wstring_view text;
};

// Builds an in-memory dialog template: a DLGTEMPLATE with its title and font, then each
// control's DLGITEMTEMPLATE on a DWORD boundary. Words are the template's unit.
class DialogTemplate {
public:
    DialogTemplate(short width, short height, std::initializer_list<DialogItem> items) {
        const DWORD style =
            DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        Append(DLGTEMPLATE{style, 0, static_cast<WORD>(items.size()), 0, 0, width, height});
        words_.push_back(0); // no menu
        words_.push_back(0); // the standard dialog class
        AppendText(dialogTitle);
        words_.push_back(8); // point size
        AppendText(L"MS Shell Dlg");
        for (const DialogItem& item : items) {
            if (words_.size() % 2 != 0) {
                words_.push_back(0);
            }
            Append(DLGITEMTEMPLATE{item.style | WS_CHILD | WS_VISIBLE, 0, item.x, item.y,
                                   item.width, item.height, item.id});
            words_.push_back(0xFFFF);
            words_.push_back(item.classAtom);
            AppendText(item.text);
            words_.push_back(0); // no creation data
        }
    }

    const DLGTEMPLATE* get() const noexcept {
        return reinterpret_cast<const DLGTEMPLATE*>(words_.data());
    }

private:
    template <typename Header> void Append(const Header& header) {
        static_assert(sizeof header % sizeof(WORD) == 0);
        const std::size_t at = words_.size();
        words_.resize(at + sizeof header / sizeof(WORD));
        std::memcpy(words_.data() + at, &header, sizeof header);
    }

    void AppendText(std::wstring_view text) {
        words_.insert(words_.end(), text.begin(), text.end());
        words_.push_back(0);
    }

    std::vector<WORD> words_; // new[] aligns the start for any type, so for the DWORDs too
};

std::wstring Describe(const std::optional<Version>& version) {
    if (!version) {
        return L"not installed";
    }
    switch (*version) {
    case Version::Same:
        return L"installed, same version";
    case Version::Older:
        return L"installed, older version";
    case Version::Newer:
        return L"installed, newer version";
    }
    return {};
}

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) noexcept {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE; // focus on the first button
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case installId:
        case removeId:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

HINSTANCE ThisLibrary() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<const wchar_t*>(&SetupDialogProc), &module);
    return module;
}

} // namespace

DialogChoice AskSetupChoice(const DriverStore& installed) {
    const std::wstring status = L"Install or remove the Tolvek drivers.\r\n\r\nUSBTolvek: " +
                                Describe(installed.usb) + L"\r\nParallelTolvek: " +
                                Describe(installed.parallel);
    const DialogTemplate dialog(
        200, 76,
        {
            {staticClass, SS_LEFT, 7, 7, 186, 40, 0xFFFF, status},
            {buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, 35, 55, 50, 14, installId, L"&Install"},
            {buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 89, 55, 50, 14, removeId, L"&Remove"},
            {buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 143, 55, 50, 14, IDCANCEL, L"Cancel"},
        });
    switch (DialogBoxIndirectParamW(ThisLibrary(), dialog.get(), GetActiveWindow(), SetupDialogProc,
                                    0)) {
    case installId:
        return DialogChoice::Install;
    case removeId:
        return DialogChoice::Remove;
    default:
        return DialogChoice::Cancel; // also when the dialog could not be shown
    }
}

} // namespace velmora
