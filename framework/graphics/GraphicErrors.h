// Failures of the graphics layer. Portable: the image file readers use them too.
#pragma once
#include "framework/core/SysUtils.h"

namespace tf {

// Malformed or unsupported image data (BMP, icon files).
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// An operation the graphic cannot do in its current state.
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

} // namespace tf

namespace tf {

// A named resource that the module does not have.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

} // namespace tf
