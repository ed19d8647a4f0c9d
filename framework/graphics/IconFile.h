// Icon files (.ico): a directory of images, each a DIB (header, colour
// pixels, AND mask) or a PNG. Portable; every size is checked before use.
#pragma once
#include <cstdint>
#include <vector>

#include "framework/graphics/GraphicErrors.h"

namespace tf {

class TStream;

struct TIconImage {
    int Width = 0;        // pixels (a directory byte of 0 means 256)
    int Height = 0;
    int ColorCount = 0;   // directory colour count (0 for 256 and more)
    int Planes = 1;
    int BitCount = 0;
    std::vector<uint8_t> Data;   // the image resource as stored in the file

    bool IsPng() const;
};

// Reads an icon file from the stream's position; the stream is left after the
// last image. A bad header, directory or image raises EInvalidGraphic.
std::vector<TIconImage> ReadIconFile(TStream& stream);
// Writes the images as one icon file (images in order, right after the directory).
void WriteIconFile(TStream& stream, const std::vector<TIconImage>& images);
// Checks one image's data: a PNG signature, or a DIB whose header, colour
// table, colour pixels and mask all lie within the data. Raises EInvalidGraphic.
void ValidateIconImage(const TIconImage& image);

} // namespace tf
