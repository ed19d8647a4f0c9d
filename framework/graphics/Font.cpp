#include "Font.h"

#include <cstring>
#include <utility>

#include "framework/core/SysUtils.h"

namespace tf {

const char* const DefaultFontName = "宋体";

const TEnumInfo FontStyleInfo{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};

const TClassInfo& TFont::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TFont>("TFont", TPersistent::StaticClass())
            .Int("Charset", [](TFont* f) { return static_cast<int32_t>(f->Charset()); },
                 [](TFont* f, int32_t v) { f->SetCharset(static_cast<uint8_t>(v)); })
            .Int("Color", &TFont::Color, &TFont::SetColor)
            .Int("Height", &TFont::Height, &TFont::SetHeight)
            .String("Name", &TFont::Name, &TFont::SetName)
            .Int("Size", &TFont::Size, &TFont::SetSize)
            .Set("Style", FontStyleInfo, [](TFont* f) { return f->Style().Bits(); },
                 [](TFont* f, uint32_t bits) { f->SetStyle(TFontStyles::FromBits(bits)); })
            .Build();
    return info;
}

TFont::TFont()
    : FName(DefaultFontName), FHeight(DefaultFontHeight), FColor(clWindowText), FCharset(DEFAULT_CHARSET)
{
    RegisterColorIdents();
}

TFont::TFont(const LOGFONTA& lf) : TFont() { SetLogFont(lf); }

TFont::~TFont() = default;

HFONT TFont::Handle()
{
    if (!FHandle) {
        const LOGFONTA lf = LogFont();
        FHandle.Reset(::CreateFontIndirectA(&lf));
        if (!FHandle) FHandle.Reset(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    }
    return FHandle.Get();
}

LOGFONTA TFont::LogFont() const
{
    LOGFONTA lf{};
    lf.lfHeight = FHeight;
    lf.lfEscapement = lf.lfOrientation = FEscapement;
    lf.lfWeight = FWeight ? FWeight : (FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL);
    lf.lfItalic = FStyle.Contains(fsItalic);
    lf.lfUnderline = FStyle.Contains(fsUnderline);
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    lf.lfCharSet = FCharset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = FQuality;
    lf.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    const size_t n = FName.size() < LF_FACESIZE - 1 ? FName.size() : LF_FACESIZE - 1;
    std::memcpy(lf.lfFaceName, FName.data(), n);
    return lf;
}

namespace {
void ReadLogFont(const LOGFONTA& lf, std::string& name, int32_t& height, TFontStyles& style,
                 uint8_t& charset, TFontPitch& pitch, int32_t& weight, int32_t& escapement, uint8_t& quality)
{
    name.assign(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    height = lf.lfHeight;
    style = {};
    if (lf.lfWeight >= FW_BOLD) style.Include(fsBold);
    if (lf.lfItalic) style.Include(fsItalic);
    if (lf.lfUnderline) style.Include(fsUnderline);
    if (lf.lfStrikeOut) style.Include(fsStrikeOut);
    weight = (lf.lfWeight == FW_BOLD || lf.lfWeight == FW_NORMAL || lf.lfWeight == 0) ? 0 : lf.lfWeight;
    charset = lf.lfCharSet;
    const int p = lf.lfPitchAndFamily & 3;
    pitch = p == FIXED_PITCH ? fpFixed : p == VARIABLE_PITCH ? fpVariable : fpDefault;
    escapement = lf.lfEscapement;
    quality = lf.lfQuality;
}
} // namespace

void TFont::SetLogFont(const LOGFONTA& lf)
{
    ReadLogFont(lf, FName, FHeight, FStyle, FCharset, FPitch, FWeight, FEscapement, FQuality);
    ChangeHandle(true);
}

void TFont::SetHandle(HFONT h)
{
    if (h && h == FHandle.Get()) return;
    LOGFONTA lf{};
    if (h && ::GetObjectA(h, sizeof lf, &lf) == 0) throw EInvalidOperation("Invalid font handle");
    if (h) ReadLogFont(lf, FName, FHeight, FStyle, FCharset, FPitch, FWeight, FEscapement, FQuality);
    TFontHandle old(FHandle.Detach());
    FHandle.Reset(h);
    Changed();
    // old is released here, after the handlers have let go of it.
}

void TFont::ChangeHandle(bool handleAffected)
{
    TFontHandle old;
    if (handleAffected) old.Reset(FHandle.Detach());
    Changed();
}

void TFont::Changed() { OnChange(this); }

void TFont::SetName(const std::string& name)
{
    if (name.empty() || name == FName) return;
    FName = name;
    ChangeHandle(true);
}

void TFont::SetHeight(int32_t height)
{
    if (height == FHeight) return;
    FHeight = height;
    ChangeHandle(true);
}

int32_t TFont::Size() const { return -::MulDiv(FHeight, 72, ScreenPixelsPerInch); }

void TFont::SetSize(int32_t points) { SetHeight(-::MulDiv(points, ScreenPixelsPerInch, 72)); }

void TFont::SetColor(TColor color)
{
    if (color == FColor) return;
    FColor = color;
    ChangeHandle(false);
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == FStyle && FWeight == 0) return;
    FStyle = style;
    FWeight = 0;
    ChangeHandle(true);
}

void TFont::SetCharset(uint8_t charset)
{
    if (charset == FCharset) return;
    FCharset = charset;
    ChangeHandle(true);
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (pitch == FPitch) return;
    FPitch = pitch;
    ChangeHandle(true);
}

void TFont::Assign(TPersistent* source)
{
    if (auto* f = dynamic_cast<TFont*>(source)) {
        if (f == this) return;
        FName = f->FName;
        FHeight = f->FHeight;
        FColor = f->FColor;
        FStyle = f->FStyle;
        FCharset = f->FCharset;
        FPitch = f->FPitch;
        FWeight = f->FWeight;
        FEscapement = f->FEscapement;
        FQuality = f->FQuality;
        ChangeHandle(true);
        return;
    }
    TPersistent::Assign(source);
}

} // namespace tf
