// Records and dismisses the message boxes a test's code shows.
//
// Under the null graphics driver a message box is a real window that waits for
// ever, so any code path that may show one runs while a watcher is alive. The
// watcher polls the process's top-level windows of class "#32770" that hold
// the message-box text control, records caption and text, and presses the
// button the test chose.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include <mutex>
#include <thread>
#include <atomic>

namespace ovtest {

struct SeenBox {
    std::string caption;
    std::string text;
};

class MsgBoxWatcher {
  public:
    // button: the command id sent to each box (IDOK, IDCANCEL, IDYES, ...).
    explicit MsgBoxWatcher(int button = IDOK);
    ~MsgBoxWatcher();
    MsgBoxWatcher(const MsgBoxWatcher&) = delete;
    MsgBoxWatcher& operator=(const MsgBoxWatcher&) = delete;

    void SetButton(int button) { button_ = button; }
    // The next boxes are answered with these buttons in order; later boxes
    // with the default button again.
    void AnswerNext(const std::vector<int>& buttons);
    // The text of the last box seen ("" when none).
    std::string LastText() const;
    std::vector<SeenBox> Seen() const;
    size_t Count() const;
    void Clear();
    // Waits up to timeoutMs for at least n boxes; returns true when seen.
    bool WaitFor(size_t n, DWORD timeoutMs = 5000) const;

  private:
    void Run();
    void Dismiss(HWND box);

    std::atomic<int> button_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenBox> seen_;
    std::vector<HWND> handled_;
    std::vector<int> answers_; // queued, front first
    std::vector<std::pair<HWND, int>> chosen_;
    std::thread thread_;
};

} // namespace ovtest
