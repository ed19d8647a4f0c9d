// Platform flags that the skin engine consults, computed once per process:
// whether Windows is of the NT family (platform id 2) and whether its major
// version is other than 6.
#pragma once

namespace tf {

struct TPlatformFlags {
    bool NTFamily = true;
    bool MajorNot6 = true;
};

const TPlatformFlags& PlatformFlags();

// Tests only: answer with other flags (nullptr goes back to the real ones).
void OverridePlatformFlags(const TPlatformFlags* flags);

} // namespace tf
