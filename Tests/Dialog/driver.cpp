// Plays a player's part against the settings program under Wine.
// Usage: driver <program.exe> <game folder> <step>...
//   ready | tab:N | combo:P:ID:N | click:P:ID | slider:P:ID:N | apply | exit | close | dump
//   pause:NAME (make NAME.pause in the game folder, wait until it is gone)
//   key:KEY (a key stroke through the keyboard input, the dialog in the foreground; KEY is a
//   name of kKeys, after ^ for Ctrl and + for Shift) | focus | order
// P is a page 0, 1, 2 or m for the dialog. Prints "start <tick>", "ready <ms> ms" (or "ready
// no-dialog"), one "box caption|text" per message box (closed with OK), for dump
// one line of tab-separated fields per control, for key and focus "key KEY focus=P:ID
// page=N open=O" (the program's focus, the tab shown, whether its list is open), for order one line
// "order P id..." a window (its children in z-order), and last "exit <code>" ("exit timeout" after
// 30 s). A step that cannot be done, and every wait given up after 30 s, prints "fail <why>".
// Each step is announced first as "at <step>", so that a driver stuck in Wine shows where.
// The dump's fit line needs the probe hook (hook.cpp), whose DLL VELMARK_DIALOG_HOOK names.
// Texts are Windows-1252 with bytes outside ASCII as \xNN.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

PROCESS_INFORMATION program = {};
HWND dialog = nullptr, tab = nullptr;
std::set<HWND> answered;

bool Ended() {
    return WaitForSingleObject(program.hProcess, 0) == WAIT_OBJECT_0;
}

// The message's result, or -1 when the program did not answer within 5 s.
int Send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, w, l, SMTO_NORMAL, 5000, &result)
               ? static_cast<int>(result)
               : -1;
}

// Printed as 1252, whatever the code page of the program; tabs kept only as field separators.
std::string Escaped(const wchar_t* wide, bool fields = false) {
    char bytes[2048] = {}, escaped[8];
    WideCharToMultiByte(1252, 0, wide, -1, bytes, sizeof bytes - 1, nullptr, nullptr);
    std::string out;
    for (unsigned char c : std::string(bytes)) {
        std::snprintf(escaped, sizeof escaped,
                      c == '\n'               ? "\\n"
                      : c == '\t' && fields   ? "\t"
                      : c == '\\'             ? "\\\\"
                      : c < 0x20 || c >= 0x7F ? "\\x%02X"
                                              : "%c",
                      c);
        out += escaped;
    }
    return out;
}

// Read as UTF-16 (the ANSI forms lose characters across processes).
std::string Text(HWND window, UINT message = WM_GETTEXT, WPARAM w = 1024) {
    wchar_t wide[1024] = {};
    Send(window, message, w, reinterpret_cast<LPARAM>(wide));
    return Escaped(wide);
}

// For messages whose argument points to memory: a page in the program.
struct Remote {
    char* base = static_cast<char*>(
        VirtualAllocEx(program.hProcess, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    ~Remote() { VirtualFreeEx(program.hProcess, base, 0, MEM_RELEASE); }
    template <typename T> T Get() {
        T value = {};
        ReadProcessMemory(program.hProcess, base, &value, sizeof value, nullptr);
        return value;
    }
};

std::string Box(RECT r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

RECT InDialog(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// What fits the dialog to the screen, read inside the program by the probe hook (hook.cpp; its
// DLL is named by VELMARK_DIALOG_HOOK), then the pages as left,top,right,bottom in the dialog's
// client area.
void DumpFit(const std::vector<HWND>& pages) {
    static const wchar_t* path = _wgetenv(L"VELMARK_DIALOG_HOOK");
    static HMODULE dll = path != nullptr ? LoadLibraryW(path) : nullptr;
    static HHOOK hook = SetWindowsHookExW(
        WH_CALLWNDPROC,
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(GetProcAddress(dll, "ProbeHook"))),
        dll, program.dwThreadId);
    Remote remote;
    if (hook == nullptr || Send(dialog, RegisterWindowMessageW(L"VelmarkDialogProbe"), 0,
                                reinterpret_cast<LPARAM>(remote.base)) == -1)
        std::printf("fail no probe hook in the program\n");
    std::printf("m\tfit\t%s\tlist=%s",
                Escaped(remote.Get<std::array<wchar_t, 2048>>().data(), true).c_str(),
                Box(InDialog(GetDlgItem(dialog, 1012))).c_str());
    for (int i = 0; i < 3; ++i)
        std::printf("\tpage%d=%s", i, pages[i] ? Box(InDialog(pages[i])).c_str() : "");
    std::printf("\n");
}

// The settings dialog is the program's dialog with a tab control; a message box has OK.
void AnswerBoxes() {
    DWORD pid = 0;
    for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr;) {
        if (GetWindowThreadProcessId(box, &pid) && pid != program.dwProcessId)
            continue;
        if (HWND found = FindWindowExA(box, nullptr, "SysTabControl32", nullptr)) {
            dialog = box, tab = found;
        } else if (GetDlgItem(box, IDOK) && IsWindowVisible(box)) {
            if (answered.insert(box).second)
                std::printf("box %s|%s\n", Text(box).c_str(),
                            Text(GetDlgItem(box, 0xFFFF)).c_str());
            // Again while it stays: Wine 10 was seen to leave a box open after the first.
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
}

// False, with a fail line naming `what`, when `done` still does not hold after 30 s.
template <typename Done> bool WaitUntil(const char* what, Done done) {
    for (DWORD start = GetTickCount(); !done() && GetTickCount() - start < 30000;) {
        AnswerBoxes();
        Sleep(10);
    }
    bool ok = done();
    if (!ok)
        std::printf("fail gave up waiting after 30 s for %s\n", what);
    return ok;
}

// The pages 0, 1 and 2, each known by a control only it holds; null until made.
std::vector<HWND> Pages() {
    std::vector<HWND> pages(3);
    for (HWND p = nullptr; (p = FindWindowExA(dialog, p, "#32770", nullptr)) != nullptr;)
        for (int i : {0, 1, 2})
            pages[i] = GetDlgItem(p, i == 0 ? 1002 : i == 1 ? 1018 : 1067) ? p : pages[i];
    return pages;
}

// Ready when the tabs are in, the program answers, and it shows a page if it has any.
bool Ready() {
    if (Ended() || Send(tab, TCM_GETITEMCOUNT) != 3 || Send(dialog, WM_NULL) != 0)
        return Ended();
    bool shown = FindWindowExA(dialog, nullptr, "#32770", nullptr) == nullptr;
    for (HWND page : Pages())
        shown = shown || IsWindowVisible(page);
    return shown;
}

void DumpControl(const std::string& page, HWND c) {
    std::string cls(64, '\0');
    cls.resize(GetClassNameA(c, &cls[0], 64));
    int kind = GetWindowLongA(c, GWL_STYLE) & 0xF;
    std::printf("%s\t%d\tenabled=%d", page.c_str(), static_cast<short>(GetDlgCtrlID(c)),
                IsWindowEnabled(c) ? 1 : 0);
    std::string all;
    for (int i = 0, n = cls == "ComboBox" ? Send(c, CB_GETCOUNT) : 0; i < n; ++i)
        all +=
            (i ? "|" : "") + (Send(c, CB_GETLBTEXTLEN, i) < 1000 ? Text(c, CB_GETLBTEXT, i) : "");
    if (cls == "ComboBox")
        std::printf("\tsel=%d\titems=%s", Send(c, CB_GETCURSEL), all.c_str());
    if (cls == "msctls_trackbar32")
        std::printf("\tpos=%d\trange=%d..%d", Send(c, TBM_GETPOS), Send(c, TBM_GETRANGEMIN),
                    Send(c, TBM_GETRANGEMAX));
    if (cls == "Button" && kind != BS_GROUPBOX && kind != BS_PUSHBUTTON)
        std::printf("\tcheck=%d", Send(c, BM_GETCHECK));
    std::printf("\ttext=%s\n", Text(c).c_str());
}

// Places are in pixels of the dialog's client area.
void Dump() {
    std::vector<HWND> pages = Pages();
    RECT r[4] = {InDialog(tab), InDialog(pages[0]), InDialog(pages[1]), InDialog(pages[2])};
    std::printf("m\ttab\tsel=%d\tcount=%d\tat=%ld,%ld\tsize=%ld,%ld\n", Send(tab, TCM_GETCURSEL),
                Send(tab, TCM_GETITEMCOUNT), r[0].left, r[0].top, r[0].right - r[0].left,
                r[0].bottom - r[0].top);
    DumpFit(pages);
    for (int id : {1009, 1010, 1058, 1012})
        DumpControl("m", GetDlgItem(dialog, id));
    for (int i = 0; i < 3; ++i) {
        if (pages[i] != nullptr)
            std::printf("page\t%d\tvisible=%d\tat=%ld,%ld\n", i, IsWindowVisible(pages[i]) ? 1 : 0,
                        r[i + 1].left, r[i + 1].top);
        for (HWND c = GetWindow(pages[i], GW_CHILD); pages[i] != nullptr && c != nullptr;
             c = GetWindow(c, GW_HWNDNEXT))
            DumpControl(std::to_string(i), c);
    }
}

// The program's focus as P:ID (the tab control is m:tab), the page shown and whether the
// focused list is open.
void PrintFocus(const char* key) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND f = GetGUIThreadInfo(program.dwThreadId, &info) ? info.hwndFocus : nullptr;
    std::vector<HWND> pages = Pages();
    std::string where = f == nullptr ? "none" : f == tab ? "m:tab" : "?";
    for (int i = 0; i < 3 && f != nullptr && f != tab; ++i)
        where = GetParent(f) == pages[i] ? std::to_string(i) + ":" + std::to_string(GetDlgCtrlID(f))
                : GetParent(f) == dialog ? "m:" + std::to_string(GetDlgCtrlID(f))
                                         : where;
    std::printf("key %s focus=%s page=%d open=%d\n", key, where.c_str(), Send(tab, TCM_GETCURSEL),
                Send(f, CB_GETDROPPEDSTATE) == 1 ? 1 : 0);
}

const struct {
    const char* name;
    WORD key;
} kKeys[] = {{"tab", VK_TAB},   {"enter", VK_RETURN}, {"esc", VK_ESCAPE}, {"space", VK_SPACE},
             {"left", VK_LEFT}, {"right", VK_RIGHT},  {"up", VK_UP},      {"down", VK_DOWN},
             {"next", VK_NEXT}, {"prior", VK_PRIOR},  {"home", VK_HOME},  {"end", VK_END},
             {"f4", VK_F4}};

// Presses the keys of `chord` ("^+tab": Ctrl+Shift+Tab) and releases them in reverse order, as a
// keyboard would, then waits until the program has taken every one of them: with the driver sharing
// the program's input state, each key's toggle bit has flipped and the key reads as released.
void Press(const char* chord) {
    std::vector<WORD> keys;
    for (; *chord == '^' || *chord == '+'; ++chord)
        keys.push_back(*chord == '^' ? VK_CONTROL : VK_SHIFT);
    size_t modifiers = keys.size();
    for (const auto& k : kKeys)
        if (std::string(chord) == k.name)
            keys.push_back(k.key);
    if (keys.size() == modifiers)
        return static_cast<void>(std::printf("fail no key %s\n", chord));
    static bool attached = false;
    if (!attached)
        attached = AttachThreadInput(GetCurrentThreadId(), program.dwThreadId, TRUE);
    if (GetForegroundWindow() != dialog)
        SetForegroundWindow(dialog);
    std::vector<INPUT> input(keys.size() * 2);
    std::vector<SHORT> before;
    for (size_t i = 0; i < keys.size(); ++i) {
        before.push_back(GetKeyState(keys[i]) & 1);
        input[i].type = input[input.size() - 1 - i].type = INPUT_KEYBOARD;
        input[i].ki.wVk = input[input.size() - 1 - i].ki.wVk = keys[i];
        input[input.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    WaitUntil("the keys to be taken", [&] {
        bool taken = true;
        for (size_t i = 0; i < keys.size(); ++i)
            taken = taken && (GetKeyState(keys[i]) & 1) != before[i] && GetKeyState(keys[i]) >= 0;
        return taken || Ended();
    });
    Send(dialog, WM_NULL);
}

void PrintOrder() {
    std::vector<HWND> pages = Pages();
    std::string line = "order m";
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        line += c == tab ? " tab"
                : GetDlgItem(c, 1002) || GetDlgItem(c, 1018) || GetDlgItem(c, 1067)
                    ? " page"
                    : " " + std::to_string(static_cast<short>(GetDlgCtrlID(c)));
    std::printf("%s\n", line.c_str());
    for (int i = 0; i < 3; ++i) {
        line = "order " + std::to_string(i);
        for (HWND c = GetWindow(pages[i], GW_CHILD); pages[i] != nullptr && c != nullptr;
             c = GetWindow(c, GW_HWNDNEXT))
            line += " " + std::to_string(static_cast<short>(GetDlgCtrlID(c)));
        std::printf("%s\n", line.c_str());
    }
}

void Step(const char* folder, const char* step, DWORD started) {
    char verb[16] = {}, name[64] = {};
    int id = 0, n = 0;
    std::sscanf(step, "%15[^:]:%63[^:]:%d:%d", verb, name, &id, &n);
    std::string v = verb;
    HWND c = GetDlgItem(name[0] >= '0' && name[0] <= '2' ? Pages()[name[0] - '0'] : dialog, id);
    if ((v == "combo" || v == "slider" || v == "click") && c == nullptr) {
        std::printf("fail no control %s\n", step);
    } else if (v == "ready") {
        if (WaitUntil("the dialog", Ready))
            std::printf(dialog ? "ready %lu ms\n" : "ready no-dialog\n", GetTickCount() - started);
    } else if (v == "pause") {
        std::string marker = std::string(folder) + "\\" + name + ".pause";
        CloseHandle(
            CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        WaitUntil(step,
                  [&] { return GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES; });
    } else if (v == "tab") {
        Send(tab, TCM_SETCURFOCUS, std::atoi(name));
        if (Send(dialog, WM_NULL) != 0 || Send(tab, TCM_GETCURSEL) != std::atoi(name))
            std::printf("fail %s: the tab control shows %d\n", step, Send(tab, TCM_GETCURSEL));
    } else if (v == "combo") {
        Send(c, CB_SETCURSEL, n);
        Send(GetParent(c), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(c));
    } else if (v == "slider") {
        Send(c, TBM_SETPOS, TRUE, n);
        Send(GetParent(c), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, n),
             reinterpret_cast<LPARAM>(c));
    } else if (v == "click") {
        Send(c, BM_CLICK);
    } else if (v == "close") {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    } else if (v == "apply" || v == "exit") {
        // A posted command runs after everything sent before it; a second posted message,
        // which gives Exit its pressed look, tells when the program is back in its loop.
        HWND marker = GetDlgItem(dialog, 1010);
        id = v == "apply" ? 1009 : 1010;
        PostMessageA(dialog, WM_COMMAND, id, reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        PostMessageA(marker, BM_SETSTATE, TRUE, 0);
        auto back = [&] {
            return Ended() || (Send(marker, BM_GETSTATE) & (BST_PUSHED | 0x8000)) == BST_PUSHED;
        };
        if (WaitUntil(step, back) && !Ended()) // 0x8000: -1, no answer
            Send(marker, BM_SETSTATE, FALSE);
    } else if (v == "dump") {
        Dump();
    } else if (v == "key") {
        Press(name);
        if (!Ended())
            PrintFocus(name);
    } else if (v == "focus") {
        PrintFocus("-");
    } else if (v == "order") {
        PrintOrder();
    } else {
        std::printf("fail unknown step %s\n", step);
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    // The two paths as given: argv holds them in the code page, which may lack a folder's letters.
    int count = 0;
    wchar_t** paths = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring commandLine = count > 2 ? L"\"" + std::wstring(paths[1]) + L"\"" : L"";
    DWORD started = GetTickCount(), code = 0;
    std::printf("start %lu\ncodepage %u\n", started, GetACP());
    if (count < 3 || !CreateProcessW(paths[1], &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                     paths[2], &startup, &program)) {
        std::printf("fail cannot start the program (error %lu)\n", GetLastError());
        return 2;
    }
    for (int i = 3; i < argc; ++i) {
        std::printf("at %s\n", argv[i]);
        std::fflush(stdout);
        Step(argv[2], argv[i], started);
    }
    if (!WaitUntil("the program to end", Ended))
        TerminateProcess(program.hProcess, 99);
    GetExitCodeProcess(program.hProcess, &code);
    std::printf(code == 99 ? "exit timeout\n" : "exit %d\n", static_cast<int>(code));
    return 0;
}
