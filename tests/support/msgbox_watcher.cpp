#include "msgbox_watcher.h"
#include "wait_until.h"
#include <algorithm>

namespace ovtest {

namespace {

constexpr int kMsgBoxTextId = 0xFFFF; // the static control holding a message box's text

std::string WindowText(HWND hwnd) {
    char buf[4096];
    int n = GetWindowTextA(hwnd, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

struct Finder {
    DWORD pid;
    std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBoxes(HWND hwnd, LPARAM lp) {
    auto* f = reinterpret_cast<Finder*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != f->pid)
        return TRUE;
    char cls[32];
    if (GetClassNameA(hwnd, cls, sizeof cls) && lstrcmpA(cls, "#32770") == 0 &&
        GetDlgItem(hwnd, kMsgBoxTextId) != nullptr && IsWindowVisible(hwnd))
        f->boxes.push_back(hwnd);
    return TRUE;
}

} // namespace

MsgBoxWatcher::MsgBoxWatcher(int button) : button_(button) {
    thread_ = std::thread([this] { Run(); });
}

MsgBoxWatcher::~MsgBoxWatcher() {
    stop_ = true;
    thread_.join();
}

void MsgBoxWatcher::Run() {
    while (!stop_) {
        Finder f{GetCurrentProcessId(), {}};
        EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&f));
        for (HWND box : f.boxes)
            Dismiss(box);
        Sleep(10);
    }
}

void MsgBoxWatcher::Dismiss(HWND box) {
    int button = button_.load();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (std::find(handled_.begin(), handled_.end(), box) == handled_.end()) {
            handled_.push_back(box);
            seen_.push_back({WindowText(box), WindowText(GetDlgItem(box, kMsgBoxTextId))});
            // A box keeps the answer chosen when it was first seen.
            if (!answers_.empty()) {
                chosen_.push_back({box, answers_.front()});
                answers_.erase(answers_.begin());
            }
        }
        for (const auto& choice : chosen_)
            if (choice.first == box)
                button = choice.second;
    }
    // A handle can be reused by a later box, so forget it once it is gone.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    Sleep(20);
    if (!IsWindow(box)) {
        std::lock_guard<std::mutex> lock(mutex_);
        handled_.erase(std::remove(handled_.begin(), handled_.end(), box), handled_.end());
        chosen_.erase(
            std::remove_if(chosen_.begin(), chosen_.end(),
                           [box](const std::pair<HWND, int>& c) { return c.first == box; }),
            chosen_.end());
    }
}

void MsgBoxWatcher::AnswerNext(const std::vector<int>& buttons) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_ = buttons;
}

std::string MsgBoxWatcher::LastText() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_.empty() ? std::string() : seen_.back().text;
}

std::vector<SeenBox> MsgBoxWatcher::Seen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

size_t MsgBoxWatcher::Count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_.size();
}

void MsgBoxWatcher::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    seen_.clear();
}

bool MsgBoxWatcher::WaitFor(size_t n, DWORD timeoutMs) const {
    return WaitUntil([&] { return Count() >= n; }, timeoutMs);
}

} // namespace ovtest
