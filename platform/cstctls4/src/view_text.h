// The text of one buffer of the view: the bytes read so far from the bound
// file and where each line starts. Lines end in LF (a CR before it is not
// part of the line); the last line may still be growing.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class ViewText {
  public:
    explicit ViewText(HANDLE file) : file_(file) {}
    void Rebind(HANDLE file) { file_ = file; }
    // Reads what the file gained since the last call; the lines added.
    long ReadMore();
    long LineCount() const { return (long)starts_.size(); }
    // Line n with its codes (no line end); empty past the end.
    std::string RawLine(long n) const;
    // Line n without its codes.
    std::string PlainLine(long n) const { return Plain(RawLine(n)); }
    static std::string Plain(const std::string& raw);
    long LongestLine() const { return longest_; }

  private:
    void AddLines(size_t from);
    HANDLE file_;
    std::string bytes_;
    std::vector<size_t> starts_;
    std::vector<size_t> ends_; // end of each line's text (before CR LF)
    bool lastOpen_ = false;    // the last line has no line end yet
    long longest_ = 0;
};
