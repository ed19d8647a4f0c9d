// TFont: a logical font described by published properties; its HFONT is made
// on first use and re-made after a change. The colour is not part of the handle.
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "framework/core/Object.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
extern const TEnumInfo FontStyleInfo;   // TFontStyle, members of the Style set

// A set of TFontStyle (bit i = style i, as the property tables store sets).
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles)
    {
        for (TFontStyle s : styles) FBits |= Bit(s);
    }
    static constexpr TFontStyles FromBits(uint32_t bits)
    {
        TFontStyles r;
        r.FBits = static_cast<uint8_t>(bits & 0x0F);
        return r;
    }
    constexpr uint32_t Bits() const { return FBits; }
    constexpr bool Contains(TFontStyle s) const { return (FBits & Bit(s)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    TFontStyles& Include(TFontStyle s) { FBits |= Bit(s); return *this; }
    TFontStyles& Exclude(TFontStyle s) { FBits &= static_cast<uint8_t>(~Bit(s)); return *this; }
    constexpr bool operator==(const TFontStyles&) const = default;

private:
    static constexpr uint8_t Bit(TFontStyle s) { return static_cast<uint8_t>(1u << s); }
    uint8_t FBits = 0;
};

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };

// Screen resolution the framework works at; sizes are never scaled.
constexpr int ScreenPixelsPerInch = 96;

class TFont : public TPersistent {
    TF_CLASS(TFont)
public:
    TFont();
    explicit TFont(const LOGFONTA& lf);   // attributes of a logical font (caption, menu fonts)
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    // The font's handle, created on first use; owned by the font.
    HFONT Handle();
    bool HandleAllocated() const { return static_cast<bool>(FHandle); }
    // Takes ownership of h and adopts its attributes (GetObject); the previous
    // handle is released. A null h just drops the handle.
    void SetHandle(HFONT h);
    // Adopts a logical font's attributes; the handle is re-made from them.
    void SetLogFont(const LOGFONTA& lf);
    LOGFONTA LogFont() const;   // what Handle() is made from

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);   // an empty name is ignored
    int32_t Height() const { return FHeight; }   // negative: character height in pixels
    void SetHeight(int32_t height);
    int32_t Size() const;                        // points at 96 dpi, from Height
    void SetSize(int32_t points);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    uint8_t Charset() const { return FCharset; }
    void SetCharset(uint8_t charset);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch pitch);

    // Copies every attribute from another TFont; OnChange fires once.
    void Assign(TPersistent* source) override;

    // Fires after every change (and after Assign). A replaced handle is
    // deleted only after the handlers ran, so a canvas can first take it out
    // of its DC.
    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    void ChangeHandle(bool handleAffected);

    TFontHandle FHandle;
    std::string FName;
    int32_t FHeight;
    TColor FColor;
    TFontStyles FStyle;
    uint8_t FCharset;
    TFontPitch FPitch = fpDefault;
    int32_t FWeight = 0;        // from an adopted LOGFONT when neither normal nor bold
    int32_t FEscapement = 0;    // likewise
    uint8_t FQuality = DEFAULT_QUALITY;
};

// Defaults of a new TFont.
extern const char* const DefaultFontName;   // "宋体"
constexpr int32_t DefaultFontHeight = -12;

} // namespace tf
