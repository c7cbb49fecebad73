// Builds small in-memory dialog templates (DLGTEMPLATE form) for tests.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace ovtest {

class DialogTemplate {
  public:
    // Predefined control classes by atom.
    static const WORD kButton = 0x0080;
    static const WORD kEdit = 0x0081;

    DialogTemplate(const char* caption, short cx, short cy,
                   DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME) {
        PutDword(style);
        PutDword(0); // extended style
        countAt_ = words_.size();
        words_.push_back(0); // item count
        words_.push_back(0); // x
        words_.push_back(0); // y
        words_.push_back(static_cast<WORD>(cx));
        words_.push_back(static_cast<WORD>(cy));
        words_.push_back(0); // no menu
        words_.push_back(0); // default class
        PutText(caption);
    }

    DialogTemplate& Add(WORD classAtom, const char* text, WORD id, DWORD style, short x, short y,
                        short cx, short cy) {
        if (words_.size() % 2)
            words_.push_back(0); // items start on a double word
        PutDword(style | WS_CHILD | WS_VISIBLE);
        PutDword(0);
        for (short v : {x, y, cx, cy})
            words_.push_back(static_cast<WORD>(v));
        words_.push_back(id);
        words_.push_back(0xFFFF);
        words_.push_back(classAtom);
        PutText(text);
        words_.push_back(0); // no creation data
        ++words_[countAt_];
        return *this;
    }

    DLGTEMPLATE* Get() { return reinterpret_cast<DLGTEMPLATE*>(words_.data()); }
    DWORD Style() const { return words_[0] | (static_cast<DWORD>(words_[1]) << 16); }

  private:
    void PutDword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void PutText(const char* text) {
        for (const char* p = text; *p; ++p)
            words_.push_back(static_cast<WORD>(static_cast<unsigned char>(*p)));
        words_.push_back(0);
    }

    std::vector<WORD> words_;
    size_t countAt_ = 0;
};

} // namespace ovtest
