// Plays a player's part against the settings program: starts it in a game folder, waits until
// its dialog is ready, then clicks, picks and slides through the messages those actions
// produce, reports the controls' state, records every message box (caption and text) and
// closes it with OK, and finally reports the program's exit code.
//
// Usage: driver <program.exe> <game folder> <step>...
//   ready              wait until the dialog can be used (or the program has ended)
//   tab:N              select tab N as a click on it does
//   combo:P:ID:N       pick entry N of combo box ID on page P (0, 1, 2, or m for the dialog)
//   click:P:ID         click button or check box ID
//   slider:P:ID:N      drag slider ID to position N
//   apply | exit | close   press Apply, press Exit, use the close box
//   dump               print the state of every control
//   pause:NAME         create NAME.pause in the game folder and wait until it is deleted
//   sleep:MS           wait, still answering message boxes
// After the last step it waits for the program to end (closing boxes meanwhile) and prints
// "exit <code>"; a program still running after 30 s is ended and reported as "exit timeout".
// Output: one line per event; texts in Windows-1252 with bytes outside ASCII as \xNN.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
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

std::string Escape(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// Reads text as UTF-16 (the ANSI forms lose characters across processes) and gives it back
// in the program's code page, 1252.
std::string FromWide(const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    int size = WideCharToMultiByte(1252, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0,
                                   nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(1252, 0, wide.c_str(), static_cast<int>(wide.size()), &out[0], size,
                        nullptr, nullptr);
    return out;
}

std::string WindowText(HWND window) {
    wchar_t buffer[1024] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                        5000, &got);
    return FromWide(buffer);
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

struct TopLevel {
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
    if (ProcessOf(window) == program.dwProcessId && ClassOf(window) == "#32770")
        reinterpret_cast<TopLevel*>(data)->windows.push_back(window);
    return TRUE;
}

std::vector<HWND> ProgramDialogs() {
    TopLevel found;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

HWND TabControl() {
    return mainDialog != nullptr ? FindWindowExA(mainDialog, nullptr, "SysTabControl32", nullptr)
                                 : nullptr;
}

// Any other top-level dialog of the program is a message box.
void AnswerBoxes() {
    for (HWND window : ProgramDialogs()) {
        // The settings dialog holds Apply from its creation on; a box never does.
        if (window == mainDialog || GetDlgItem(window, 1009) != nullptr)
            continue;
        if (!IsWindowVisible(window) || answeredBoxes.count(window))
            continue;
        answeredBoxes.insert(window);
        std::string caption = WindowText(window);
        HWND textWindow = GetDlgItem(window, 0xFFFF);
        std::string text = textWindow != nullptr ? WindowText(textWindow) : std::string();
        std::printf("box %s|%s\n", Escape(caption).c_str(), Escape(text).c_str());
        std::fflush(stdout);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

void Sleep20() {
    AnswerBoxes();
    Sleep(20);
}

bool RoundTrip() {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(mainDialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
}

HWND PageWithControl(int id) {
    for (HWND child = FindWindowExA(mainDialog, nullptr, "#32770", nullptr); child != nullptr;
         child = FindWindowExA(mainDialog, child, "#32770", nullptr)) {
        if (GetDlgItem(child, id) != nullptr)
            return child;
    }
    return nullptr;
}

// Each page is known by a control only it holds.
HWND Page(char which) {
    switch (which) {
    case '0':
        return PageWithControl(1002);
    case '1':
        return PageWithControl(1018);
    case '2':
        return PageWithControl(1067);
    default:
        return mainDialog;
    }
}

bool AnyPageVisible() {
    for (char p : {'0', '1', '2'}) {
        HWND page = Page(p);
        if (page != nullptr && IsWindowVisible(page))
            return true;
    }
    return false;
}

// The dialog is visible from its creation on, long before its pages exist: wait for the
// tabs, a shown page and a message answered.
void WaitReady() {
    for (int i = 0; i < 1500; ++i) {
        if (ProgramEnded()) {
            std::printf("ready no-dialog\n");
            return;
        }
        if (mainDialog == nullptr) {
            for (HWND window : ProgramDialogs()) {
                if (FindWindowExA(window, nullptr, "SysTabControl32", nullptr))
                    mainDialog = window;
            }
        }
        HWND tab = TabControl();
        if (tab != nullptr && SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0) == 3 && AnyPageVisible() &&
            RoundTrip()) {
            std::printf("ready %lu ms\n", GetTickCount() - startTick);
            return;
        }
        Sleep20();
    }
    Fail("dialog not ready after 30 s");
}

HWND Control(char page, int id) {
    HWND parent = Page(page);
    HWND control = parent != nullptr ? GetDlgItem(parent, id) : nullptr;
    if (control == nullptr)
        Fail("no control " + std::to_string(id) + " on page " + page);
    return control;
}

// A posted command runs after everything sent; a second posted message that marks a button
// tells when the program has come back to its loop.
void Settle() {
    HWND marker = GetDlgItem(mainDialog, 1010);
    PostMessageA(marker, BM_SETSTATE, TRUE, 0);
    for (int i = 0; i < 1500 && !ProgramEnded(); ++i) {
        DWORD_PTR state = 0;
        if (SendMessageTimeoutA(marker, BM_GETSTATE, 0, 0, SMTO_NORMAL, 200, &state) &&
            (state & BST_PUSHED)) {
            SendMessageTimeoutA(marker, BM_SETSTATE, FALSE, 0, SMTO_NORMAL, 5000, &state);
            return;
        }
        Sleep20();
    }
}

void PostCommand(int id) {
    PostMessageA(mainDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(mainDialog, id)));
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1)
        parts.push_back(text.substr(start, colon - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string ComboItems(HWND combo) {
    std::string items;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t buffer[512] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) < 511)
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer));
        items += (i ? "|" : "") + Escape(FromWide(buffer));
    }
    return items;
}

RECT ClientRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, mainDialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void DumpControl(char page, HWND control) {
    int id = static_cast<short>(GetDlgCtrlID(control));
    std::string cls = ClassOf(control);
    std::printf("%c %d ", page, id);
    if (cls == "ComboBox") {
        std::printf("combo sel=%d items=%s",
                    static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)),
                    ComboItems(control).c_str());
    } else if (cls == "msctls_trackbar32") {
        std::printf("slider pos=%d range=%d..%d",
                    static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0)),
                    static_cast<int>(SendMessageA(control, TBM_GETRANGEMIN, 0, 0)),
                    static_cast<int>(SendMessageA(control, TBM_GETRANGEMAX, 0, 0)));
    } else if (cls == "Button" && (GetWindowLongA(control, GWL_STYLE) & 0xF) != BS_GROUPBOX &&
               (GetWindowLongA(control, GWL_STYLE) & 0xF) != BS_PUSHBUTTON) {
        std::printf("check=%d text=%s", static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)),
                    Escape(WindowText(control)).c_str());
    } else {
        std::printf("text=%s", Escape(WindowText(control)).c_str());
    }
    std::printf(" enabled=%d\n", IsWindowEnabled(control) ? 1 : 0);
}

struct PageRef {
    char name;
    HWND window;
};

BOOL CALLBACK DumpChild(HWND control, LPARAM data) {
    const PageRef* page = reinterpret_cast<const PageRef*>(data);
    if (GetParent(control) == page->window)
        DumpControl(page->name, control);
    return TRUE;
}

void Dump() {
    HWND tab = TabControl();
    RECT r = ClientRect(tab);
    std::printf("m tab sel=%d count=%d rect=%ld,%ld,%ld,%ld\n",
                static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)),
                static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0)), r.left, r.top,
                r.right - r.left, r.bottom - r.top);
    std::printf("m title text=%s\n", Escape(WindowText(mainDialog)).c_str());
    for (int id : {1009, 1010, 1058})
        std::printf("m %d text=%s\n", id, Escape(WindowText(GetDlgItem(mainDialog, id))).c_str());
    HWND choice = GetDlgItem(mainDialog, 1012);
    std::printf("m 1012 combo sel=%d items=%s\n",
                static_cast<int>(SendMessageA(choice, CB_GETCURSEL, 0, 0)),
                ComboItems(choice).c_str());
    for (char p : {'0', '1', '2'}) {
        HWND page = Page(p);
        if (page == nullptr) {
            std::printf("page %c missing\n", p);
            continue;
        }
        RECT pr = ClientRect(page);
        std::printf("page %c visible=%d at=%ld,%ld\n", p, IsWindowVisible(page) ? 1 : 0, pr.left,
                    pr.top);
        PageRef ref = {p, page};
        EnumChildWindows(page, DumpChild, reinterpret_cast<LPARAM>(&ref));
    }
}

void Step(const std::string& step) {
    std::vector<std::string> a = Split(step);
    if (a[0] != "ready" && a[0] != "sleep" && a[0] != "pause" && mainDialog == nullptr)
        Fail("no dialog for " + step);
    if (a[0] == "ready") {
        WaitReady();
    } else if (a[0] == "tab" && a.size() == 2) {
        SendMessageA(TabControl(), TCM_SETCURFOCUS, std::atoi(a[1].c_str()), 0);
        RoundTrip();
    } else if (a[0] == "combo" && a.size() == 4) {
        HWND combo = Control(a[1][0], std::atoi(a[2].c_str()));
        SendMessageA(combo, CB_SETCURSEL, std::atoi(a[3].c_str()), 0);
        SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    } else if (a[0] == "click" && a.size() == 3) {
        SendMessageA(Control(a[1][0], std::atoi(a[2].c_str())), BM_CLICK, 0, 0);
    } else if (a[0] == "slider" && a.size() == 4) {
        HWND slider = Control(a[1][0], std::atoi(a[2].c_str()));
        int position = std::atoi(a[3].c_str());
        SendMessageA(slider, TBM_SETPOS, TRUE, position);
        SendMessageA(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                     reinterpret_cast<LPARAM>(slider));
    } else if (a[0] == "apply") {
        PostCommand(1009);
        Settle();
    } else if (a[0] == "exit") {
        PostCommand(1010);
    } else if (a[0] == "close") {
        PostMessageA(mainDialog, WM_CLOSE, 0, 0);
    } else if (a[0] == "dump") {
        Dump();
    } else if (a[0] == "pause" && a.size() == 2) {
        std::string marker = folder + "\\" + a[1] + ".pause";
        CloseHandle(
            CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        for (int i = 0; i < 3000 && GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
             ++i)
            Sleep20();
    } else if (a[0] == "sleep" && a.size() == 2) {
        for (DWORD end = GetTickCount() + std::atoi(a[1].c_str()); GetTickCount() < end;)
            Sleep20();
    } else {
        Fail("unknown step " + step);
    }
    std::fflush(stdout);
}

void Start(const std::string& exe) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    startTick = GetTickCount();
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &program))
        Fail("cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")");
}

void WaitForEnd() {
    for (int i = 0; i < 1500 && !ProgramEnded(); ++i)
        Sleep20();
    if (!ProgramEnded()) {
        TerminateProcess(program.hProcess, 99);
        std::printf("exit timeout\n");
        return;
    }
    DWORD code = 0;
    GetExitCodeProcess(program.hProcess, &code);
    std::printf("exit %d\n", static_cast<int>(code));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: driver <program.exe> <game folder> <step>...\n");
        return 2;
    }
    folder = argv[2];
    Start(argv[1]);
    for (int i = 3; i < argc; ++i)
        Step(argv[i]);
    WaitForEnd();
    std::fflush(stdout);
    return 0;
}
