/* DriverSetup.exe's window written plainly in C: scripts/bench's reference for start-up time.
 * It shows what the program shows (the program's manifest and icon, from plain_form.rc; the
 * seven controls with their classes, captions, styles and visibility; the message font; the
 * client area from the twips table) and runs IsDialogMessageW in its loop, with nothing of the
 * program's own: no library, no handlers, no C++ run-time. */
#include <windows.h>

#include <stddef.h>

#define TWIPS_PER_INCH 1440
#define FIRST_CONTROL_ID 1000 /* plus the tab index, as the program numbers them */

struct control {
    const wchar_t* class_name;
    const wchar_t* caption;
    DWORD style;
    int left, top, width, height; /* twips */
};

#define BUTTON (WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY)

/* In tab order. The labels carry the texts the program writes into them before it shows. */
static const struct control controls[] = {
    {L"Button", L"&GetTolvekDriverInfo", BUTTON, 120, 2400, 1455, 375},
    {L"Button", L"&DisplayInstallInterface", BUTTON, 1920, 2400, 1695, 375},
    {L"Button", L"安裝驅動程式", WS_VISIBLE | BUTTON, 120, 120, 1452, 372},
    {L"Button", L"移除驅動程式", WS_VISIBLE | BUTTON, 1920, 120, 1695, 375},
    {L"Button", L"關閉", WS_VISIBLE | BUTTON, 3960, 120, 855, 375},
    {L"Static",
     L"Driver setup sample of VelmoraSetup.dll\r\nCopyright (C) Velmora. All rights reserved.",
     SS_LEFT, 120, 240, 4935, 495},
    {L"Static",
     L"Click GetTolvekDriverInfo to get the information of tolvek driver\r\n"
     L"Click DisplayInstallInterface to display install interface\r\n"
     L"Click Install Driver to Install the Tolvek driver \r\n"
     L"Click Uninstall Driver to Uninstall the Tolvek driver.",
     SS_LEFT, 120, 960, 4695, 1215},
};

static const DWORD frame_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
static const int client_width_twips = 5115, client_height_twips = 615;
static HWND first_button; /* the first visible one, which takes the focus */

static int pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, TWIPS_PER_INCH);
}

static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wparam) != WA_INACTIVE) {
            SetFocus(first_button);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

/* The icon's image drawn for this size rather than one scaled by the system. */
static HICON program_icon(HINSTANCE instance, int width_metric, int height_metric) {
    return (HICON)LoadImageW(instance, L"PROGRAM", IMAGE_ICON, GetSystemMetrics(width_metric),
                             GetSystemMetrics(height_metric), 0);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR command_line, int show) {
    (void)previous;
    (void)command_line;
    WNDCLASSEXW window_class = {0};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = instance;
    window_class.hIcon = program_icon(instance, SM_CXICON, SM_CYICON);
    window_class.hIconSm = program_icon(instance, SM_CXSMICON, SM_CYSMICON);
    window_class.hCursor = LoadCursorW(NULL, MAKEINTRESOURCEW(32512)); /* IDC_ARROW */
    window_class.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    window_class.lpszClassName = L"PlainForm";
    RegisterClassExW(&window_class);

    /* The manifest makes the process DPI aware: the screen's DPI is the window's. */
    HDC screen = GetDC(NULL);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    RECT frame = {0, 0, pixels(client_width_twips, dpi), pixels(client_height_twips, dpi)};
    AdjustWindowRectEx(&frame, frame_style, FALSE, 0);
    HWND window = CreateWindowExW(0, L"PlainForm", L"驅動程式安裝工具", frame_style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  NULL, NULL, instance, NULL);

    NONCLIENTMETRICSW metrics = {0};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    for (size_t index = 0; index < sizeof controls / sizeof controls[0]; ++index) {
        const struct control* control = &controls[index];
        HWND child =
            CreateWindowExW(0, control->class_name, control->caption, WS_CHILD | control->style,
                            pixels(control->left, dpi), pixels(control->top, dpi),
                            pixels(control->width, dpi), pixels(control->height, dpi), window,
                            (HMENU)(INT_PTR)(FIRST_CONTROL_ID + index), instance, NULL);
        SendMessageW(child, WM_SETFONT, (WPARAM)font, TRUE);
        if (first_button == NULL && (control->style & WS_VISIBLE)) {
            first_button = child;
        }
    }
    ShowWindow(window, show);

    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    DeleteObject(font);
    return 0;
}
