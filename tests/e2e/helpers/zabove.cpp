// zabove.exe <upper class> <lower class>
// Tells whether the first visible top-level window of the first class lies above the first visible top-level window
// of the second class in the z-order, which decides what the screen shows where the two overlap.
// Exit code 0 when above, 3 when below, 1 when either window is missing, 2 without both classes.
#include <windows.h>

namespace {

bool HasClass(HWND window, const wchar_t* className) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, static_cast<int>(sizeof name / sizeof name[0]));
    return lstrcmpiW(name, className) == 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc != 3) {
        return 2;
    }
    // Places counted from the top; -1 while not found.
    int upperPlace = -1;
    int lowerPlace = -1;
    int place = 0;
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT), ++place) {
        if (!IsWindowVisible(window)) {
            continue;
        }
        if (upperPlace < 0 && HasClass(window, __wargv[1])) {
            upperPlace = place;
        } else if (lowerPlace < 0 && HasClass(window, __wargv[2])) {
            lowerPlace = place;
        }
    }
    if (upperPlace < 0 || lowerPlace < 0) {
        return 1;
    }
    return upperPlace < lowerPlace ? 0 : 3;
}
