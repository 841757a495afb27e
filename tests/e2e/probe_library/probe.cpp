#include "probe.h"

#include "../window_query.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Set while WM_DPICHANGED is handled; each WM_SETFONT meanwhile checks the font it replaces.
bool watching = false;
bool fontSetWhileHoldingADeletedOne = false;

bool IsLiveFont(HFONT font) {
    return GetObjectType(font) == OBJ_FONT;
}

HFONT FontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
}

LRESULT FontHeight(HFONT font) {
    LOGFONTW description{};
    return GetObjectW(font, sizeof description, &description) != 0 ? std::abs(description.lfHeight)
                                                                   : 0;
}

LRESULT ChangeDpi(HWND window, UINT dpi) {
    const std::vector<HWND> children = e2e::Children(window);
    std::vector<HFONT> before;
    before.reserve(children.size());
    for (const HWND child : children) {
        before.push_back(FontOf(child));
    }
    const auto firstHeight = [](const std::vector<HFONT>& fonts) {
        return fonts.empty() ? 0 : FontHeight(fonts.front()) & 0xFF;
    };
    const LRESULT heightBefore = firstHeight(before); // measured while the font still exists
    RECT suggested{};
    GetWindowRect(window, &suggested);
    OffsetRect(&suggested, probe::suggestedOffset.x, probe::suggestedOffset.y);

    watching = true;
    fontSetWhileHoldingADeletedOne = false;
    SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    watching = false;

    LRESULT result = fontSetWhileHoldingADeletedOne ? probe::fontSetWhileHoldingADeletedOne : 0;
    std::vector<HFONT> after;
    after.reserve(children.size());
    for (const HWND child : children) {
        after.push_back(FontOf(child));
        if (!IsLiveFont(after.back())) {
            result |= probe::controlHoldsNoLiveFont;
        }
    }
    for (const HFONT old : before) {
        if (old != nullptr && std::ranges::find(after, old) == after.end() && IsLiveFont(old)) {
            result |= probe::oldFontNotDeleted;
        }
    }
    return result | heightBefore << 8 | firstHeight(after) << 16;
}

LRESULT SmallIconSize(HWND window) {
    auto* const icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    // A monochrome icon's mask holds the AND and the XOR image one above the other.
    const LONG height = info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return MAKELRESULT(bitmap.bmWidth, height);
}

// The system's icons are shared: the box shows the very handle this process loads.
LRESULT BoxIcon(HWND box) {
    for (const HWND child : e2e::Children(box)) {
        const auto style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        if (e2e::ClassName(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
            const LRESULT icon = SendMessageW(child, STM_GETICON, 0, 0);
            const auto system = [](const wchar_t* name) {
                return reinterpret_cast<LRESULT>(LoadIconW(nullptr, name));
            };
            return icon == system(IDI_INFORMATION) ? probe::informationIcon
                   : icon == system(IDI_WARNING)   ? probe::warningIcon
                   : icon == system(IDI_ERROR)     ? probe::errorIcon
                                                   : probe::otherIcon;
        }
    }
    return probe::noIcon;
}

LRESULT Run(HWND window, WPARAM command, LPARAM argument) {
    switch (command) {
    case probe::changeDpi:
        return ChangeDpi(window, static_cast<UINT>(argument));
    case probe::smallIconSize:
        return SmallIconSize(window);
    case probe::boxIcon:
        return BoxIcon(reinterpret_cast<HWND>(argument));
    default:
        return 0;
    }
}

} // namespace

extern "C" LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probeMessage = RegisterWindowMessageW(probe::messageName);
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent.message == probeMessage && InSendMessage()) {
        ReplyMessage(Run(sent.hwnd, sent.wParam, sent.lParam));
    } else if (code == HC_ACTION && watching && sent.message == WM_SETFONT) {
        const HFONT held = FontOf(sent.hwnd);
        if (held != nullptr && !IsLiveFont(held)) {
            fontSetWhileHoldingADeletedOne = true;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
