#include "skin/data/SkinElementReader.h"

#include <new>

#include "framework/core/SysUtils.h"
#include "framework/graphics/GraphicErrors.h"
#include "skin/data/SkinVocabulary.h"

namespace tf {

namespace {

int32_t Int(const TSkinSource& src, const std::string& section, const std::string& key, int32_t def)
{
    return src.Ini.ReadInteger(section, key, def);
}

std::string Str(const TSkinSource& src, const std::string& section, const std::string& key)
{
    return src.Ini.ReadString(section, key, "");
}

TColor Colour(const TSkinSource& src, const std::string& section, const std::string& key, TColor def)
{
    return ParseSkinColour(Str(src, section, key), def);
}

void ReadMargins(const TSkinSource& src, const std::string& section, TDataSkinObject& e)
{
    e.Margins.left = Int(src, section, "LeftWidth", 0);
    e.Margins.top = Int(src, section, "TopHeight", 0);
    e.Margins.right = Int(src, section, "RightWidth", 0);
    e.Margins.bottom = Int(src, section, "BottomHeight", 0);
}

void ReadColours(const TSkinSource& src, const std::string& section, TDataSkinObject& e)
{
    e.NormalColour = Int(src, section, "NormalColour", -1);
    e.MouseOverColour = Int(src, section, "MouseOverColour", -1);
    e.PressedColour = Int(src, section, "PressedColour", -1);
    e.NormalColour2 = Colour(src, section, "NormalColour2", src.ButtonText);
    e.MouseOverColour2 = Colour(src, section, "MouseOverColour2", src.ButtonText);
    e.PressedColour2 = Colour(src, section, "PressedColour2", src.ButtonText);
}

// The generic keys; "Frame" only when withFrame.
void ReadGeneric(const TSkinSource& src, const std::string& section, TDataSkinObject& e, bool withFrame)
{
    LoadSkinImage(src.Reader, Str(src, section, "Image"), *e.Bitmap);
    e.Style = Int(src, section, "Style", 0);
    ReadMargins(src, section, e);
    if (withFrame) e.FrameCount = Int(src, section, "Frame", 0);
    e.Trans = Int(src, section, "Trans", 0);
    e.Tile = ClampSwitchToZero(Int(src, section, "Tile", 0));
    ReadColours(src, section, e);
}

std::unique_ptr<TBitmap> CopyPart(TBitmap& strip, int x, int w, int h)
{
    auto part = std::make_unique<TBitmap>(w, h, pf24bit);
    ::BitBlt(part->Canvas()->Handle(), 0, 0, w, h, strip.Canvas()->Handle(), x, 0, SRCCOPY);
    return part;
}

} // namespace

void LoadSkinImage(const TSkinReader& reader, const std::string& value, TBitmap& bitmap)
{
    bitmap.Assign(nullptr);
    const std::string entry = SkinImageEntryName(value);
    if (entry.empty()) return;
    TMemoryStream data;
    reader.GetEntry(entry, data);
    if (data.Size() == 0) return;
    data.SetPosition(0);
    // Said with the entry's name, so that the skin's maker knows what to mend.
    try {
        bitmap.LoadFromStream(data);
    } catch (const std::bad_alloc&) {
        throw EInvalidGraphic(Format("Invalid bitmap in the skin's entry \"%s\": too large to hold", entry.c_str()));
    } catch (const Exception& e) {
        throw EInvalidGraphic(Format("%s, in the skin's entry \"%s\"", e.Message.c_str(), entry.c_str()));
    }
}

std::unique_ptr<TDataSkinObject> ReadPlainElement(const TSkinSource& src, const std::string& section)
{
    if (Str(src, section, "Image").empty()) return nullptr;
    auto e = std::make_unique<TDataSkinObject>(section);
    ReadGeneric(src, section, *e, true);
    return e;
}

std::unique_ptr<TDataSkinBorder> ReadTwoImageElement(const TSkinSource& src, const std::string& section,
                                                     const std::string& secondImageKey)
{
    if (Str(src, section, "Image").empty()) return nullptr;
    auto e = std::make_unique<TDataSkinBorder>(section);
    ReadGeneric(src, section, *e, false);
    LoadSkinImage(src.Reader, Str(src, section, secondImageKey), *e->Bitmap2);
    return e;
}

std::unique_ptr<TDataSkinBorder> ReadProgressElement(const TSkinSource& src, const std::string& section)
{
    const std::string image = Str(src, section, "Bitmap");
    if (image.empty()) return nullptr;
    auto e = std::make_unique<TDataSkinBorder>(section);
    LoadSkinImage(src.Reader, image, *e->Bitmap);
    e->Style = Int(src, section, "Style", 0);
    ReadMargins(src, section, *e);
    e->Trans = Int(src, section, "Trans", 0);
    e->Tile = ClampSwitchToOne(Int(src, section, "Tile", 0));
    return e;
}

std::unique_ptr<TDataSkinBoxLabel> ReadBoxLabelElement(const TSkinSource& src, const std::string& section)
{
    if (Str(src, section, "Image").empty()) return nullptr;
    auto e = std::make_unique<TDataSkinBoxLabel>(section);
    ReadGeneric(src, section, *e, false);
    e->BackgroundAlignment = Int(src, section, "BackgroundAlignment", 0);
    e->BackgroundLeftShift = Int(src, section, "BackgroundLeftShift", 0);
    e->BackgroundRightShift = Int(src, section, "BackgroundRightShift", 0);
    return e;
}

std::unique_ptr<TDataSkinObject> ReadMenuBarElement(const TSkinSource& src)
{
    const std::string image = Str(src, "Personality", "MenuBar");
    if (image.empty()) return nullptr;
    auto e = std::make_unique<TDataSkinObject>("MenuBar");
    LoadSkinImage(src.Reader, image, *e->Bitmap);
    e->Tile = ClampSwitchToOne(Int(src, "Personality", "TileMenu", 1));
    e->Margins = RECT{Int(src, "Personality", "TileLeftMenu", 1), 0, Int(src, "Personality", "TileRightMenu", 1), 0};
    return e;
}

void ReadFrameBorder(const TSkinSource& src, const std::string& side, TDataSkinBorder& border)
{
    const std::string s = "Personality";
    LoadSkinImage(src.Reader, Str(src, s, side), *border.Bitmap);
    const int32_t first = Int(src, s, side + "TopHeight", 0);
    const int32_t second = Int(src, s, side + "BotHeight", 0);
    const bool vertical = side == "Left" || side == "Right";
    border.Margins = vertical ? RECT{0, first, 0, second} : RECT{first, 0, second, 0};
    border.FrameCount = Int(src, s, side + "Frame", 1);
    border.Tile = ClampSwitchToOne(Int(src, s, side + "Stretch", 1));
    border.Trans = Int(src, s, side + "Trans", 1);
}

void ReadTitle(const TSkinSource& src, TDataSkinTitle& title)
{
    const std::string s = "Personality";
    LoadSkinImage(src.Reader, Str(src, s, "TextBack"), *title.Bitmap);
    title.Margins = RECT{Int(src, s, "TextShift", 0), Int(src, s, "TextShiftVert", 0), Int(src, s, "TextRightClip", 0), 0};
    title.TextAlignment = Int(src, s, "TextAlignment", 0);
    title.Textbackground = Int(src, s, "Textbackground", 0);
    title.TXTBackleft = Int(src, s, "TXTBackleft", 0);
    title.TXTBackRight = Int(src, s, "TXTBackRight", 0);
    auto rgb = [&](const std::string& prefix) -> TColor {
        const int32_t r = Int(src, s, prefix + "R", -1);
        const int32_t g = Int(src, s, prefix + "G", -1);
        const int32_t b = Int(src, s, prefix + "B", -1);
        if (r < 0 || g < 0 || b < 0) return clNone;
        return RGBColor(r & 0xFF, g & 0xFF, b & 0xFF);
    };
    title.ActiveText = rgb("ActiveText");
    title.InActiveText = rgb("InActiveText");
    title.FontHeight = Int(src, "Fonts", "FontHeight", 14);
}

void ReadButtons(const TSkinSource& src, TDataSkinButton& b)
{
    const std::string s = "Buttons";
    ReadMargins(src, s, b);
    b.Trans = Int(src, s, "Trans", 0);
    LoadSkinImage(src.Reader, Str(src, s, "Bitmap"), *b.Bitmap);
    b.Tile = ClampSwitchToZero(Int(src, s, "Tile", 0));
    LoadSkinImage(src.Reader, Str(src, s, "CheckButton"), *b.CheckBitmap);
    LoadSkinImage(src.Reader, Str(src, s, "RadioButton"), *b.RadioBitmap);
    b.NormalColour = Int(src, s, "NormalColour", -1);
    b.MouseOverColour = Int(src, s, "MouseOverColour", -1);
    b.PressedColour = Int(src, s, "PressedColour", -1);
    b.RadioFrameCount = Int(src, s, "RadioButtonFrame", 0);
    if (b.RadioFrameCount == 0) b.RadioFrameCount = BoxFrameCount(b.RadioBitmap->Width(), b.RadioBitmap->Height());
    b.CheckFrameCount = Int(src, s, "CheckButtonFrame", 0);
    if (b.CheckFrameCount == 0) b.CheckFrameCount = BoxFrameCount(b.CheckBitmap->Width(), b.CheckBitmap->Height());
    b.HasNormalColour2 = !Str(src, s, "NormalColour2").empty();
    b.HasMouseOverColour2 = !Str(src, s, "MouseOverColour2").empty();
    b.HasPressedColour2 = !Str(src, s, "PressedColour2").empty();
    b.NormalColour2 = Colour(src, s, "NormalColour2", src.ButtonText);
    b.MouseOverColour2 = Colour(src, s, "MouseOverColour2", src.ButtonText);
    b.PressedColour2 = Colour(src, s, "PressedColour2", src.ButtonText);
}

std::vector<std::unique_ptr<TDataSkinSysButton>> ReadCaptionButtons(const TSkinSource& src, const TStrings& sections)
{
    std::vector<std::unique_ptr<TDataSkinSysButton>> out;
    for (int i = 0; i < sections.Count(); ++i) {
        const std::string s = sections.Get(i);
        const int32_t action = Int(src, s, "Action", 0);
        if (!IsCaptionButtonSection(s, action, Int(src, s, "Visibility", -1))) continue;
        auto b = std::make_unique<TDataSkinSysButton>(UpperCaseAscii(s));
        b->Action = action;
        b->Align = Int(src, s, "Align", 0);
        b->Xcoord = Int(src, s, "Xcoord", 0);
        b->Ycoord = Int(src, s, "Ycoord", 0);
        b->Visibility = Int(src, s, "Visibility", 0);
        b->Visibility1 = Int(src, s, "Visibility1", action == -1 ? -1 : 0);
        b->CombineOp = Int(src, s, "CombineOp", -1);
        b->FrameCount = Int(src, s, "frame", 0);
        LoadSkinImage(src.Reader, Str(src, s, "ButtonImage"), *b->Bitmap);
        if (b->FrameCount == 0) {
            b->FrameCount = CaptionButtonFrameCount(!b->Bitmap->Empty(), b->Bitmap->Width(), b->Bitmap->Height(), action);
            // Icon buttons draw the window's icon, never an image.
            if (action == 3 || action == 11) b->Bitmap->Assign(nullptr);
        }
        out.push_back(std::move(b));
    }
    // A button of action 4 sits where the last earlier maximise button
    // (action 1) shown for normal windows (visibility 2) sits.
    for (size_t i = 0; i < out.size(); ++i) {
        if (out[i]->Action != 4) continue;
        for (size_t j = i; j-- > 0;)
            if (out[j]->Action == 1 && out[j]->Visibility == 2) {
                out[i]->Xcoord = out[j]->Xcoord;
                out[i]->Ycoord = out[j]->Ycoord;
                break;
            }
    }
    return out;
}

void AppendMdiButtons(const TSkinSource& src, std::vector<std::unique_ptr<TDataSkinSysButton>>& buttons)
{
    TBitmap strip;
    LoadSkinImage(src.Reader, Str(src, "MDICONTROLS", "Image"), strip);
    static const char* const kNames[3] = {"MDIMINIMIZE", "MDIRESTORE", "MDICLOSE"};
    for (int i = 0; i < 3; ++i) {
        auto b = std::make_unique<TDataSkinSysButton>(kNames[i]);
        b->Action = 7 + i;
        b->Align = b->Visibility = b->Visibility1 = 100;
        b->FrameCount = 4;
        if (!strip.Empty()) {
            const int cell = strip.Width() / 12;
            b->Bitmap = CopyPart(strip, 4 * cell * i, 4 * cell, strip.Height());
            b->Xcoord = (cell + 4) * (3 - i);
        }
        buttons.push_back(std::move(b));
    }
}

} // namespace tf
