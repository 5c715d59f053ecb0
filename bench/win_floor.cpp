// The Windows size floor: a window of Form1's shape made of stock controls
// (about thirty static texts, a tab control, a drive combo box, a list box, a
// button), with no program logic. bench_win builds it with the cross compiler
// and the flags of Vantora.exe and compares the two executables.

#include <windows.h>
#include <commctrl.h>

#include <array>

namespace {

struct FloorControl {
  const wchar_t* windowClass;
  const wchar_t* text;
  int left, top, width, height;
  DWORD style;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

constexpr std::array<FloorControl, 34> kControls{{
    {L"STATIC", L"header", 16, 8, 417, 25, kChild | SS_CENTER},
    {L"STATIC", L"title", 96, 56, 249, 25, kChild | SS_CENTER},
    {L"STATIC", L"drive", 96, 88, 89, 17, kChild},
    {L"COMBOBOX", L"", 184, 84, 169, 200, kChild | CBS_DROPDOWNLIST | WS_TABSTOP},
    {WC_TABCONTROLW, L"", 8, 120, 433, 161, kChild | WS_TABSTOP},
    {L"STATIC", L"type", 40, 168, 97, 17, kChild},
    {L"STATIC", L"*", 168, 168, 225, 17, kChild},
    {L"STATIC", L"total", 40, 200, 89, 17, kChild},
    {L"STATIC", L"*", 168, 200, 225, 17, kChild},
    {L"STATIC", L"free", 40, 232, 97, 17, kChild},
    {L"STATIC", L"*", 168, 232, 225, 17, kChild},
    {L"STATIC", L"system", 40, 168, 97, 17, WS_CHILD},
    {L"STATIC", L"*", 168, 168, 169, 17, WS_CHILD},
    {L"STATIC", L"volume", 40, 200, 105, 17, WS_CHILD},
    {L"STATIC", L"*", 168, 200, 169, 17, WS_CHILD},
    {L"STATIC", L"serial", 40, 232, 97, 17, WS_CHILD},
    {L"STATIC", L"*", 168, 232, 169, 17, WS_CHILD},
    {L"STATIC", L"features", 40, 168, 33, 25, WS_CHILD},
    {L"LISTBOX", L"", 80, 168, 337, 79, WS_CHILD | WS_BORDER | WS_VSCROLL},
    {L"STATIC", L"usage", 152, 288, 65, 17, kChild},
    {L"STATIC", L"*", 216, 288, 49, 17, kChild | SS_RIGHT},
    {L"BUTTON", L"F10", 352, 288, 89, 41, kChild | BS_PUSHBUTTON | WS_TABSTOP},
    {L"STATIC", L"credit", 16, 312, 273, 17, kChild},
    {L"STATIC", L"", 16, 32, 64, 64, kChild | SS_ICON},
    {L"STATIC", L"", 16, 48, 64, 64, WS_CHILD | SS_ICON},
    {L"STATIC", L"", 16, 48, 64, 64, WS_CHILD | SS_ICON},
    {L"STATIC", L"", 16, 48, 64, 64, WS_CHILD | SS_ICON},
    {L"STATIC", L"", 16, 48, 63, 63, WS_CHILD | SS_ICON},
    {L"STATIC", L"", 272, 272, 81, 73, kChild},
    {L"EDIT", L"", 8, 288, 49, 18, WS_CHILD},
    {L"EDIT", L"", 64, 288, 49, 18, WS_CHILD},
    {L"STATIC", L"name", 88, 40, 41, 17, WS_CHILD},
    {L"STATIC", L"", 0, 0, 0, 0, WS_CHILD},
    {L"STATIC", L"", 0, 0, 0, 0, WS_CHILD},
}};

LRESULT CALLBACK floorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = floorWindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"VantoraFloor";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"VantoraFloor", L"floor", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                CW_USEDEFAULT, CW_USEDEFAULT, 450, 338, nullptr, nullptr, instance, nullptr);
  for (const FloorControl& control : kControls) {
    CreateWindowExW(0, control.windowClass, control.text, control.style, control.left, control.top, control.width,
                    control.height, window, nullptr, instance, nullptr);
  }
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
