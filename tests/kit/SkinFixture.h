// The program's light blue skin for tests (LIGHTBLUE_SKINSTREAM names its
// stored block): alone in a component of its own, or in a skin data
// component as stored form data makes one, with the manager made the
// program's way by a skin engine.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/core/Streams.h"
#include "skin/SkinEngine.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "tests/kit/AppPump.h"

namespace tftest {

inline const std::vector<uint8_t>& LightBlueBlock()
{
    static const std::vector<uint8_t> block = [] {
        tf::TFileStream f(LIGHTBLUE_SKINSTREAM, tf::fmOpenRead);
        tf::TMemoryStream m;
        m.LoadFromStream(f);
        return m.Bytes();
    }();
    return block;
}

// The light blue skin in a component of its own, outside any manager.
inline std::unique_ptr<tf::TSkinData> LightBlueSkin()
{
    auto d = std::make_unique<tf::TSkinData>(nullptr);
    tf::TMemoryStream block(LightBlueBlock());
    d->ReadBinaryProperty("SkinStream", block);
    return d;
}

// The window layer alone: the engine without caption buttons, menus and
// control skinners.
inline tf::TSkinEngineParts WindowsOnly() { return tf::TSkinEngineParts{false, false}; }

// A skin data component as stored form data makes one: properties set while
// loading, the light blue skin read, then Loaded. The manager comes from the
// skin engine, made by the first fixture of a test (with parts) and freed
// at its end, after the component.
struct SkinFixture {
    explicit SkinFixture(tf::TSkinFormType type = tf::sfMainform, bool active = true, tf::TComponent* owner = nullptr,
                         std::function<void(tf::TSkinData&)> configure = {}, tf::TSkinEngineParts parts = WindowsOnly())
    {
        if (!tf::TSkinEngine::Current()) engine = std::make_unique<tf::TSkinEngine>(parts);
        data = new tf::TSkinData(owner);
        data->SetLoading(true);
        data->SetSkinFormtype(type);
        data->SetActive(active);
        data->SetOptions(tf::TSkinOptions{tf::xoPreview, tf::xoToolbarBK});
        if (configure) configure(*data);
        tf::TMemoryStream block(LightBlueBlock());
        data->ReadBinaryProperty("SkinStream", block);
        data->Loaded();
    }
    ~SkinFixture()
    {
        if (data) data->Free();
        engine.reset();
    }
    SkinFixture(const SkinFixture&) = delete;
    SkinFixture& operator=(const SkinFixture&) = delete;

    tf::TSkinManage& Manager() const { return *tf::SkinManage(); }
    tf::TWinSkinForm* Skinner(HWND window) const { return tf::SkinManage()->FindFormSkinner(window); }
    // Waits until the window's skinner has run its completion.
    bool WaitSkinned(HWND window, int ms = 2000) const
    {
        return app::PumpUntil(
            [&] {
                tf::TWinSkinForm* s = Skinner(window);
                return s && s->SkinState() == tf::TFormSkinState::Running;
            },
            ms);
    }

    std::unique_ptr<tf::TSkinEngine> engine;
    tf::TSkinData* data = nullptr;
};

} // namespace tftest
