#include "Graphic.h"

#include "framework/core/Streams.h"

namespace tf {

const TClassInfo& TGraphic::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TGraphic>("TGraphic", TPersistent::StaticClass())
            .Int("Height", &TGraphic::Height, &TGraphic::SetHeight)
            .Bool("Transparent", &TGraphic::Transparent, &TGraphic::SetTransparent)
            .Int("Width", &TGraphic::Width, &TGraphic::SetWidth)
            .Build();
    return info;
}

void TGraphic::SetTransparent(bool value)
{
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

void TGraphic::LoadFromFile(const std::string& fileName)
{
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName)
{
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

bool TGraphic::ReadBinaryProperty(const std::string& name, TStream& data)
{
    if (name != "Data") return TPersistent::ReadBinaryProperty(name, data);
    LoadFromStream(data);
    return true;
}

} // namespace tf
