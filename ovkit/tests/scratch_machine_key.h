// Maps HKEY_LOCAL_MACHINE of this process onto a scratch key of the current
// user for one test, so that code reading machine settings sees only what the
// test wrote.
#pragma once
#include <windows.h>
#include <string>

namespace ovkittest {

class ScratchMachineKey {
  public:
    ScratchMachineKey() {
        RegCreateKeyExA(HKEY_CURRENT_USER, kRoot, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_,
                        nullptr);
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, root_);
    }
    ~ScratchMachineKey() {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegCloseKey(root_);
        RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    }
    void SetDefault(const char* subKey, const std::string& value) {
        HKEY key;
        RegCreateKeyExA(root_, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }

  private:
    static constexpr const char* kRoot = "Software\\OstrevaneTestMachine";
    HKEY root_ = nullptr;
};

} // namespace ovkittest
