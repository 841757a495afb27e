#include "window_query.h"

#include "wait.h"

#include <stdexcept>

namespace e2e {
namespace {

struct WindowSearch {
    DWORD processId;
    const std::wstring& className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) noexcept {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window)) {
        try {
            if (ClassName(window) == search.className) {
                search.found.push_back(window);
            }
        } catch (...) {
            return FALSE; // out of memory: end the search with what was found
        }
    }
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& className) {
    WindowSearch search{processId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return {name, static_cast<std::size_t>(length > 0 ? length : 0)};
}

std::wstring Text(HWND window) {
    const UINT timeout = static_cast<UINT>(actionTimeout.count());
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeout, &length)) {
        throw std::runtime_error("the window did not answer WM_GETTEXTLENGTH in time");
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_NORMAL, timeout, &copied)) {
        throw std::runtime_error("the window did not answer WM_GETTEXT in time");
    }
    text.resize(copied);
    return text;
}

std::wstring StoredText(HWND window) {
    std::wstring text(4096, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

} // namespace e2e
