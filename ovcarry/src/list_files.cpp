// The advertising and intranet lists: the old file's lines are appended to
// the program folder's file of the same name. A line the new file already
// holds is not appended again, so a second import adds nothing.
#include "carry_state.h"
#include "carry_steps.h"
#include "file_image.h"
#include "import_log.h"
#include "please_wait.h"
#include <set>
#include <stdio.h>

struct ListFile {
    const char* Name;
    const char* Kind; // "advertising", "intranet"
};

// The lines of a text, without their line ends; empty lines left out.
static std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == 0x1A))
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The lines of the old file that the new one lacks, with "\r\n" ends; a
// separating line end first when the new file does not end in one.
static std::string NewLines(const std::string& oldText, const std::string& newText) {
    std::vector<std::string> present = SplitLines(newText);
    std::set<std::string> seen(present.begin(), present.end());
    std::string added;
    for (const std::string& line : SplitLines(oldText))
        if (seen.insert(line).second)
            added += line + "\r\n";
    if (!added.empty() && !newText.empty() && newText.back() != '\n')
        added.insert(0, "\r\n");
    return added;
}

static void ImportList(const ListFile& list) {
    char oldPath[MAX_PATH], newPath[MAX_PATH];
    FileImage oldFile, newFile;
    if (!JoinPath(oldPath, g_carry.OldFolder, list.Name) || !ReadFileImage(oldPath, &oldFile)) {
        AppendImportLogf("Old %s file %s not found", list.Kind, list.Name);
        return;
    }
    ShowImportFile(oldPath);
    JoinPath(newPath, g_carry.ProgramFolder, list.Name);
    if (FileExists(newPath) && !ReadFileImage(newPath, &newFile)) {
        AppendImportLogf("Could not open or create new %s file.", list.Name);
        return;
    }
    FILE* out = fopen(newPath, "ab");
    if (!out) {
        AppendImportLogf("Could not open or create new %s file.", list.Name);
        return;
    }
    std::string added = NewLines(oldFile.Bytes, newFile.Bytes);
    bool written = fwrite(added.data(), 1, added.size(), out) == added.size();
    written = fclose(out) == 0 && written;
    if (!written) {
        AppendImportLogf("Failed to add some entries to %s file.", list.Name);
        return;
    }
    AppendImportLogf("Successfully copied %s file %s", list.Kind, list.Name);
}

void ImportAdViewsFile(void) {
    ImportList({"adviews.txt", "advertising"});
}

void ImportIntranetFile(void) {
    ImportList({"ovintra.txt", "intranet"});
}
