// Reading another process's windows: finding them, their texts, states and geometry.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The process's visible top-level windows of that class ("#32770" for message boxes).
std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& className);

std::wstring ClassName(HWND window);
// WM_GETTEXT, answered by the window's thread; throws std::runtime_error if it does not answer
// in time (its thread is busy, e.g. inside a library call that pumps no messages).
std::wstring Text(HWND window);
// The text the system keeps for the window, readable while the window's thread is busy.
std::wstring StoredText(HWND window);

// Direct children in z-order, topmost first.
std::vector<HWND> Children(HWND parent);
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
SIZE ClientSize(HWND window);

} // namespace e2e
