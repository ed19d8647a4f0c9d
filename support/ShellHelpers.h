// Small stateless wrappers around the shell: start with Windows, open a
// document, delete at restart, a yes/no question and a file's icon.
#pragma once
#include <cstdint>
#include <string>

#include "framework/core/SysUtils.h"

namespace tf {

// A registry value could not be written: "为 '%s' 设置数据时失败" with the value name.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// Writes (add) or deletes the string value valueName under the Run key of the
// current user (or of the machine, allUsers). False when the key cannot be
// opened or created; raises ERegistryException when the value cannot be written.
// Deleting a value that does not exist is no failure.
bool SetStartWithWindows(const std::string& valueName, const std::string& command, bool add, bool allUsers);

// Opens a file or address with its associated program (default verb, working
// directory = target's directory). True when the shell accepted the request.
bool OpenDocument(const std::string& target, const std::string& parameters);

// Asks the system to delete the file at the next start. True when recorded.
bool DeleteFileAtReboot(const std::string& path);

// A yes/no question box captioned "提示", owned by the application's hidden
// window (see SetAskOwner), topmost. True exactly when answered Yes.
bool AskYesNo(const std::string& text);
// Where AskYesNo finds its owner window; the application installs its own.
// Null (the default) gives no owner. Returns the previous provider.
using TOwnerProvider = void* (*)();
TOwnerProvider SetAskOwner(TOwnerProvider provider);

// An icon handle owned by the holder (destroyed with it). Value() is the raw
// result of the extraction: 0 for no icon, 1 for a file that is neither an
// executable, a library nor an icon file; those are never destroyed.
class TExtractedIcon {
public:
    TExtractedIcon() = default;
    explicit TExtractedIcon(void* icon) : FIcon(icon) {}
    ~TExtractedIcon() { Reset(); }
    TExtractedIcon(TExtractedIcon&& other) noexcept : FIcon(other.Release()) {}
    TExtractedIcon& operator=(TExtractedIcon&& other) noexcept;
    TExtractedIcon(const TExtractedIcon&) = delete;
    TExtractedIcon& operator=(const TExtractedIcon&) = delete;

    void* Value() const { return FIcon; }
    bool IsIcon() const;            // a real icon (not 0 or 1)
    void* Release();                // gives up ownership
    void Reset(void* icon = nullptr);

private:
    void* FIcon = nullptr;
};

// Icon number index of the file (ExtractIconA with the given instance).
TExtractedIcon ExtractFileIcon(void* instance, const std::string& path, int32_t index);

} // namespace tf
