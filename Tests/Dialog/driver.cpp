// Plays a player's part against the settings program under Wine.
// Usage: driver <program.exe> <game folder> <step>...
//   ready | tab:N | combo:P:ID:N | click:P:ID | slider:P:ID:N | apply | exit | close | dump
//   pause:NAME (make NAME.pause in the game folder, wait until it is gone)
// P is a page 0, 1, 2 or m for the dialog. Every message box is printed ("box caption|text")
// and closed with OK; the end is "exit <code>" ("exit timeout" after 30 s). Texts are
// Windows-1252 with bytes outside ASCII as \xNN.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

PROCESS_INFORMATION program = {};
std::string folder;
HWND mainDialog = nullptr;
std::set<HWND> answeredBoxes;
DWORD startTick = 0;

void Fail(const std::string& what) {
    std::printf("fail %s\n", what.c_str());
    std::fflush(stdout);
    if (program.hProcess != nullptr)
        TerminateProcess(program.hProcess, 99);
    std::exit(2);
}

bool ProgramEnded() {
    return WaitForSingleObject(program.hProcess, 0) == WAIT_OBJECT_0;
}

int Send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
    return static_cast<int>(SendMessageA(window, message, w, l));
}

// Text is read as UTF-16 (the ANSI forms lose characters across processes), then printed in
// the program's code page, 1252, escaped.
std::string Escaped(const wchar_t* wide) {
    int size = WideCharToMultiByte(1252, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(1252, 0, wide, -1, &bytes[0], size, nullptr, nullptr);
    std::string out;
    for (unsigned char c : bytes.substr(0, bytes.find('\0'))) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += c == '\n'               ? "\\n"
               : c == '\\'             ? "\\\\"
               : c < 0x20 || c >= 0x7F ? hex
                                       : std::string(1, c);
    }
    return out;
}

std::string WindowText(HWND window) {
    wchar_t buffer[1024] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                        5000, &got);
    return Escaped(buffer);
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == program.dwProcessId && ClassOf(window) == "#32770")
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> ProgramDialogs() {
    std::vector<HWND> found;
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND TabControl() {
    return FindWindowExA(mainDialog, nullptr, "SysTabControl32", nullptr);
}

// Any other dialog of the program is a message box; the settings dialog holds Apply from its
// creation on.
void AnswerBoxes() {
    for (HWND box : ProgramDialogs()) {
        if (box == mainDialog || GetDlgItem(box, 1009) != nullptr || !IsWindowVisible(box) ||
            !answeredBoxes.insert(box).second)
            continue;
        HWND text = GetDlgItem(box, 0xFFFF);
        std::printf("box %s|%s\n", WindowText(box).c_str(),
                    text != nullptr ? WindowText(text).c_str() : "");
        std::fflush(stdout);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

// Polls every 20 ms for up to `ticks` times, answering boxes meanwhile.
bool WaitUntil(int ticks, const std::function<bool()>& done) {
    for (int i = 0; i < ticks; ++i) {
        if (done())
            return true;
        AnswerBoxes();
        Sleep(20);
    }
    return done();
}

bool RoundTrip() {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(mainDialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
}

// Each page is known by a control only it holds.
HWND Page(char which) {
    if (which < '0' || which > '2')
        return mainDialog;
    int id = which == '0' ? 1002 : which == '1' ? 1018 : 1067;
    for (HWND page = FindWindowExA(mainDialog, nullptr, "#32770", nullptr); page != nullptr;
         page = FindWindowExA(mainDialog, page, "#32770", nullptr)) {
        if (GetDlgItem(page, id) != nullptr)
            return page;
    }
    return nullptr;
}

// The dialog is visible from its creation on, long before its pages exist: wait for the
// tabs, a shown page and a message answered.
bool DialogReady() {
    if (mainDialog == nullptr) {
        for (HWND window : ProgramDialogs()) {
            if (FindWindowExA(window, nullptr, "SysTabControl32", nullptr))
                mainDialog = window;
        }
    }
    if (mainDialog == nullptr || Send(TabControl(), TCM_GETITEMCOUNT) != 3)
        return false;
    for (char p : {'0', '1', '2'}) {
        HWND page = Page(p);
        if (page != nullptr && IsWindowVisible(page))
            return RoundTrip();
    }
    return false;
}

void WaitReady() {
    if (!WaitUntil(1500, [] { return ProgramEnded() || DialogReady(); }))
        Fail("dialog not ready after 30 s");
    if (ProgramEnded())
        std::printf("ready no-dialog\n");
    else
        std::printf("ready %lu ms\n", GetTickCount() - startTick);
}

HWND Control(const std::string& page, const std::string& id) {
    HWND parent = Page(page[0]);
    HWND control = parent != nullptr ? GetDlgItem(parent, std::atoi(id.c_str())) : nullptr;
    if (control == nullptr)
        Fail("no control " + id + " on page " + page);
    return control;
}

// A posted command runs after everything sent; a second posted message that marks a button
// tells when the program has come back to its loop.
void Settle() {
    HWND marker = GetDlgItem(mainDialog, 1010);
    PostMessageA(marker, BM_SETSTATE, TRUE, 0);
    bool back = WaitUntil(1500, [marker] {
        DWORD_PTR state = 0;
        return ProgramEnded() ||
               (SendMessageTimeoutA(marker, BM_GETSTATE, 0, 0, SMTO_NORMAL, 200, &state) &&
                (state & BST_PUSHED));
    });
    if (back && !ProgramEnded())
        Send(marker, BM_SETSTATE, FALSE);
}

std::string ComboItems(HWND combo) {
    std::string items;
    for (int i = 0, count = Send(combo, CB_GETCOUNT); i < count; ++i) {
        wchar_t buffer[512] = {};
        if (Send(combo, CB_GETLBTEXTLEN, i) < 511)
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer));
        items += (i ? "|" : "") + Escaped(buffer);
    }
    return items;
}

RECT RectInDialog(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, mainDialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void DumpControl(char page, HWND control) {
    std::string cls = ClassOf(control);
    int kind = GetWindowLongA(control, GWL_STYLE) & 0xF;
    std::printf("%c %d ", page, static_cast<short>(GetDlgCtrlID(control)));
    if (cls == "ComboBox")
        std::printf("combo sel=%d items=%s", Send(control, CB_GETCURSEL),
                    ComboItems(control).c_str());
    else if (cls == "msctls_trackbar32")
        std::printf("slider pos=%d range=%d..%d", Send(control, TBM_GETPOS),
                    Send(control, TBM_GETRANGEMIN), Send(control, TBM_GETRANGEMAX));
    else if (cls == "Button" && kind != BS_GROUPBOX && kind != BS_PUSHBUTTON)
        std::printf("check=%d text=%s", Send(control, BM_GETCHECK), WindowText(control).c_str());
    else
        std::printf("text=%s", WindowText(control).c_str());
    std::printf(" enabled=%d\n", IsWindowEnabled(control) ? 1 : 0);
}

void Dump() {
    HWND tab = TabControl();
    RECT r = RectInDialog(tab);
    std::printf("m tab sel=%d count=%d rect=%ld,%ld,%ld,%ld\n", Send(tab, TCM_GETCURSEL),
                Send(tab, TCM_GETITEMCOUNT), r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::printf("m title text=%s\n", WindowText(mainDialog).c_str());
    for (int id : {1009, 1010, 1058, 1012})
        DumpControl('m', GetDlgItem(mainDialog, id));
    for (char p : {'0', '1', '2'}) {
        HWND page = Page(p);
        if (page == nullptr) {
            std::printf("page %c missing\n", p);
            continue;
        }
        RECT pr = RectInDialog(page);
        std::printf("page %c visible=%d at=%ld,%ld\n", p, IsWindowVisible(page) ? 1 : 0, pr.left,
                    pr.top);
        for (HWND c = GetWindow(page, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
            DumpControl(p, c);
    }
}

void Step(const std::string& step) {
    std::vector<std::string> a;
    for (size_t start = 0, colon = 0; colon != std::string::npos; start = colon + 1) {
        colon = step.find(':', start);
        a.push_back(step.substr(start, colon - start));
    }
    a.resize(4);
    if (a[0] != "ready" && a[0] != "pause" && mainDialog == nullptr)
        Fail("no dialog for " + step);
    if (a[0] == "ready") {
        WaitReady();
    } else if (a[0] == "tab") {
        Send(TabControl(), TCM_SETCURFOCUS, std::atoi(a[1].c_str()));
        RoundTrip();
    } else if (a[0] == "combo") {
        HWND combo = Control(a[1], a[2]);
        Send(combo, CB_SETCURSEL, std::atoi(a[3].c_str()));
        Send(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
             reinterpret_cast<LPARAM>(combo));
    } else if (a[0] == "click") {
        Send(Control(a[1], a[2]), BM_CLICK);
    } else if (a[0] == "slider") {
        HWND slider = Control(a[1], a[2]);
        int position = std::atoi(a[3].c_str());
        Send(slider, TBM_SETPOS, TRUE, position);
        Send(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
             reinterpret_cast<LPARAM>(slider));
    } else if (a[0] == "apply" || a[0] == "exit") {
        int id = a[0] == "apply" ? 1009 : 1010;
        PostMessageA(mainDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(mainDialog, id)));
        if (id == 1009)
            Settle();
    } else if (a[0] == "close") {
        PostMessageA(mainDialog, WM_CLOSE, 0, 0);
    } else if (a[0] == "dump") {
        Dump();
    } else if (a[0] == "pause") {
        std::string marker = folder + "\\" + a[1] + ".pause";
        CloseHandle(
            CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        WaitUntil(3000,
                  [&] { return GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES; });
    } else {
        Fail("unknown step " + step);
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: driver <program.exe> <game folder> <step>...\n");
        return 2;
    }
    folder = argv[2];
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + std::string(argv[1]) + "\"";
    startTick = GetTickCount();
    if (!CreateProcessA(argv[1], &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &program))
        Fail("cannot start " + commandLine + " (error " + std::to_string(GetLastError()) + ")");
    for (int i = 3; i < argc; ++i)
        Step(argv[i]);
    DWORD code = 0;
    if (WaitUntil(1500, ProgramEnded) && GetExitCodeProcess(program.hProcess, &code)) {
        std::printf("exit %d\n", static_cast<int>(code));
    } else {
        TerminateProcess(program.hProcess, 99);
        std::printf("exit timeout\n");
    }
    std::fflush(stdout);
    return 0;
}
