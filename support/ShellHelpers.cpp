#include "ShellHelpers.h"

#include <windows.h>
#include <shellapi.h>

#include "support/PathUtils.h"
#include "support/Wow64.h"

namespace tf {

namespace {

const char* const RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const SRegSetDataFailed = "为 '%s' 设置数据时失败";

class TRegKey {
public:
    TRegKey(HKEY root, const char* path)
    {
        if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &FKey,
                            nullptr) != ERROR_SUCCESS)
            FKey = nullptr;
    }
    ~TRegKey()
    {
        if (FKey) RegCloseKey(FKey);
    }
    TRegKey(const TRegKey&) = delete;
    TRegKey& operator=(const TRegKey&) = delete;
    HKEY Handle() const { return FKey; }

private:
    HKEY FKey = nullptr;
};

TOwnerProvider gAskOwner = nullptr;

} // namespace

bool SetStartWithWindows(const std::string& valueName, const std::string& command, bool add, bool allUsers)
{
    TRegKey key(allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, RunKey);
    if (!key.Handle()) return false;
    if (add) {
        if (RegSetValueExA(key.Handle(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                           static_cast<DWORD>(command.size() + 1)) != ERROR_SUCCESS)
            throw ERegistryException(Format(SRegSetDataFailed, valueName.c_str()));
    } else {
        RegDeleteValueA(key.Handle(), valueName.c_str());
    }
    return true;
}

bool OpenDocument(const std::string& target, const std::string& parameters)
{
    const std::string file = NativeFilePath(target);
    const std::string directory = ExtractFilePath(file);
    const HINSTANCE r = ShellExecuteA(GetActiveWindow(), nullptr, file.c_str(), parameters.c_str(), directory.c_str(),
                                      SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(r) > 32;
}

bool DeleteFileAtReboot(const std::string& path)
{
    return MoveFileExA(NativeFilePath(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

TOwnerProvider SetAskOwner(TOwnerProvider provider)
{
    const TOwnerProvider previous = gAskOwner;
    gAskOwner = provider;
    return previous;
}

bool AskYesNo(const std::string& text)
{
    const HWND owner = gAskOwner ? static_cast<HWND>(gAskOwner()) : nullptr;
    return MessageBoxA(owner, text.c_str(), "提示", MB_YESNO | MB_ICONQUESTION | MB_TOPMOST) == IDYES;
}

TExtractedIcon& TExtractedIcon::operator=(TExtractedIcon&& other) noexcept
{
    if (this != &other) Reset(other.Release());
    return *this;
}

bool TExtractedIcon::IsIcon() const { return reinterpret_cast<uintptr_t>(FIcon) > 1; }

void* TExtractedIcon::Release()
{
    void* icon = FIcon;
    FIcon = nullptr;
    return icon;
}

void TExtractedIcon::Reset(void* icon)
{
    if (IsIcon()) DestroyIcon(static_cast<HICON>(FIcon));
    FIcon = icon;
}

TExtractedIcon ExtractFileIcon(void* instance, const std::string& path, int32_t index)
{
    return TExtractedIcon(ExtractIconA(static_cast<HINSTANCE>(instance), NativeFilePath(path).c_str(),
                                    static_cast<UINT>(index)));
}

} // namespace tf
