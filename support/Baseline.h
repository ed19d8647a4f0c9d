// The executable baseline: the list of executables of the system drive kept in
// "file.dat" next to the program, built by a search on the first start, and
// the read-only locks taken on every listed file.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace tf {

// Open files that deny writing and deletion to everyone else, closed together
// when the holder goes (the program keeps it until it exits).
class TFileLocks {
public:
    TFileLocks() = default;
    ~TFileLocks();
    TFileLocks(TFileLocks&& other) noexcept;
    TFileLocks& operator=(TFileLocks&& other) noexcept;
    TFileLocks(const TFileLocks&) = delete;
    TFileLocks& operator=(const TFileLocks&) = delete;

    // Opens path for reading with read sharing only; false (nothing held) when
    // it cannot be opened.
    bool Lock(const std::string& path);
    size_t Count() const { return FHandles.size(); }
    void Clear();

private:
    std::vector<void*> FHandles;
};

// The baseline file's name.
extern const char* const BaselineFileName;   // "file.dat"

// Reads a baseline: lines end at CR, LF or CR LF, a final line without end
// counts, an empty line is an empty entry, a NUL byte ends the text.
// Raises EFOpenError ("不能打开文件 %s") when the file cannot be opened.
std::vector<std::string> ReadBaseline(const std::string& fileName);
// Writes one CR LF-ended line per entry, creating or replacing the file. The
// text goes to fileName + ".tmp" first, which then replaces the file in one
// step (MoveFileEx, replace and write-through), so a write that fails or is
// cut short leaves any previous file whole. Raises EFCreateError
// ("不能创建文件 %s") when the file cannot be written or put in place.
void WriteBaseline(const std::string& fileName, const std::vector<std::string>& entries);

// Loads programDir's "file.dat", or builds it by searching drive for
// "*.exe;*.dll" and saves it, then locks every listed file that can be opened
// (the others are skipped silently). A baseline that can be neither read nor
// written raises EFOpenError / EFCreateError with the path; no lock is taken then.
TFileLocks LoadBaselineAndLock(const std::string& programDir, const std::string& drive = "c:");

} // namespace tf
