#include "carry_driver.h"
#include <gtest/gtest.h>
#include "child_process.h"
#include "wait_until.h"

namespace carrytest {
namespace {

const char* const kProgramFiles[] = {"ovcarry.exe", "ovdesk.dll",   "ovkit.dll",
                                     "ovcore.dll",  "GSWDLL32.dll", "CSTCTLS4.dll",
                                     "FTP4W32.dll", "DUNZIP32.dll", "ovhost.exe"};
const DWORD kRunLimitMs = 60000;
const int kBoxTextId = 0xFFFF; // a message box's text control

struct Found {
    DWORD pid;
    HWND window;
};

// A visible top-level dialog of the process: the choose dialog or a box.
BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    Found* f = (Found*)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[32] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (pid != f->pid || !IsWindowVisible(window) || strcmp(cls, "#32770") != 0)
        return TRUE;
    char caption[128] = "";
    GetWindowTextA(window, caption, sizeof caption);
    bool choose = strcmp(caption, "Choose Items to Import") == 0;
    if (choose || GetDlgItem(window, kBoxTextId)) {
        f->window = window;
        return FALSE;
    }
    return TRUE;
}

std::string WindowText(HWND window) {
    char text[2048] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

} // namespace

std::string CarryInstall::BinFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1);
}

CarryInstall::CarryInstall() {
    std::string bin = BinFolder();
    for (const char* file : kProgramFiles)
        EXPECT_TRUE(CopyFileA((bin + file).c_str(), install_.Path(file).c_str(), FALSE)) << file;
}

std::string CarryInstall::Folder() const {
    std::string root = install_.Root();
    return root.substr(0, root.size() - 1);
}

std::string CarryInstall::PlaceOld(const std::string& name) {
    std::string fixtures = ovtest::WineFolderFromEnv("OV_CARRY_FIXTURES");
    EXPECT_NE(fixtures, "") << "OV_CARRY_FIXTURES names the fixture builder's output";
    if (fixtures.empty())
        return "";
    std::string from = fixtures + name + "\\";
    std::string to = old_.Root() + name + "\\";
    EXPECT_TRUE(ovtest::CopyTree(from, to)) << from;
    std::string old = to.substr(0, to.size() - 1);
    // Newer profiles name paths inside the old folder, which only now is known.
    std::string profiles = to + "ovdesk\\datfiles\\";
    for (const std::string& name : FilesIn(profiles, "*.wlp")) {
        std::string text = ovtest::ReadFileBytes(profiles + name);
        for (size_t at; (at = text.find("@OLD@")) != std::string::npos;)
            text.replace(at, 5, old);
        ovtest::WriteFileBytes(profiles + name, text);
    }
    return old;
}

CarryRun CarryInstall::Run(const std::string& arguments, ChooseAnswer answer,
                           const std::vector<int>& untick) {
    CarryRun run;
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION process = {};
    std::string line = "\"" + install_.Path("ovcarry.exe") + "\" " + arguments;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                        install_.Root().c_str(), &start, &process)) {
        ADD_FAILURE() << "ovcarry.exe did not start";
        return run;
    }
    DWORD began = GetTickCount();
    while (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT &&
           GetTickCount() - began < kRunLimitMs) {
        Found f = {process.dwProcessId, nullptr};
        bool seen = ovtest::WaitUntil(
            [&] {
                f.window = nullptr;
                EnumWindows(FindDialog, (LPARAM)&f);
                return f.window != nullptr ||
                       WaitForSingleObject(process.hProcess, 0) != WAIT_TIMEOUT;
            },
            kRunLimitMs);
        if (!seen || !f.window)
            break;
        if (WindowText(f.window) == "Choose Items to Import") {
            run.sawChoose = true;
            for (int id : untick)
                SendMessageA(GetDlgItem(f.window, id), BM_CLICK, 0, 0);
            PostMessageA(f.window, WM_COMMAND, answer == CHOOSE_OK ? IDOK : IDCANCEL, 0);
        } else {
            char text[2048] = "";
            GetDlgItemTextA(f.window, kBoxTextId, text, sizeof text);
            run.boxes.push_back(text);
            PostMessageA(f.window, WM_COMMAND, IDOK, 0);
        }
        HWND handled = f.window;
        ovtest::WaitUntil([&] { return !IsWindow(handled) || !IsWindowVisible(handled); }, 10000);
    }
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 99);
        ADD_FAILURE() << "ovcarry.exe " << arguments << " did not end";
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return run;
}

DWORD CarryInstall::RunHost(const std::string& arguments, std::string* output) {
    ovtest::ChildRun run =
        ovtest::RunChild("\"" + install_.Path("ovhost.exe") + "\" " + arguments, install_.Root(),
                         install_.Path("ovhost-output.txt"), kRunLimitMs);
    EXPECT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut) << "ovhost.exe " << arguments << " did not end";
    *output = run.output;
    return run.exitCode;
}

void CarryInstall::CopyContent() {
    std::string from = ovtest::WineFolderFromEnv("OV_CONTENT_DIR");
    ASSERT_NE(from, "") << "OV_CONTENT_DIR names the shipped content";
    ASSERT_TRUE(ovtest::CopyTree(from, install_.Root()));
}

std::string IniValue(const std::string& file, const char* section, const char* key) {
    char value[1024] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
    return value;
}

std::vector<std::string> FilesIn(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

} // namespace carrytest
