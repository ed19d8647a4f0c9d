#include "WatchTypes.h"

namespace tf {

const TEnumInfo NotifyFilterInfo{"TNotifyFilter",
                                 {"nfFileNameChange", "nfDirNameChange", "nfAttributeChange", "nfSizeChange",
                                  "nfWriteChange", "nfAccessChange", "nfCreationDateChange", "nfSecurityChange"}};

const TEnumInfo FileOperationInfo{"TFileOperation", {"foAdded", "foRemoved", "foModified", "foRenamed"}};

uint32_t FilterMask(TNotifyFilters filters)
{
    static const uint32_t flags[8] = {0x001, 0x002, 0x004, 0x008, 0x010, 0x020, 0x040, 0x100};
    uint32_t mask = 0;
    for (int i = 0; i < 8; ++i)
        if (filters & (1u << i)) mask |= flags[i];
    return mask;
}

} // namespace tf
