// The watcher's data types: notify filters, change operations and the change
// event. Portable.
#pragma once
#include <cstdint>
#include <string>

#include "framework/core/Object.h"

namespace tf {

// The order fixes each member's bit in TNotifyFilters.
enum TNotifyFilter : uint8_t {
    nfFileNameChange,       // FILE_NOTIFY_CHANGE_FILE_NAME   0x001
    nfDirNameChange,        // FILE_NOTIFY_CHANGE_DIR_NAME    0x002
    nfAttributeChange,      // FILE_NOTIFY_CHANGE_ATTRIBUTES  0x004
    nfSizeChange,           // FILE_NOTIFY_CHANGE_SIZE        0x008
    nfWriteChange,          // FILE_NOTIFY_CHANGE_LAST_WRITE  0x010
    nfAccessChange,         // FILE_NOTIFY_CHANGE_LAST_ACCESS 0x020
    nfCreationDateChange,   // FILE_NOTIFY_CHANGE_CREATION    0x040
    nfSecurityChange,       // FILE_NOTIFY_CHANGE_SECURITY    0x100 (not 0x080)
};
extern const TEnumInfo NotifyFilterInfo;

// A set of TNotifyFilter: bit i stands for member i.
using TNotifyFilters = uint8_t;
constexpr TNotifyFilters NotifyFilterBit(TNotifyFilter f) { return static_cast<TNotifyFilters>(1u << f); }

// The system notify filter: the OR of the members' flags.
uint32_t FilterMask(TNotifyFilters filters);

// The kind of a change: the system's action code minus one; a rename is one
// change made of the old-name and the new-name records.
enum TFileOperation : uint8_t { foAdded, foRemoved, foModified, foRenamed };
extern const TEnumInfo FileOperationInfo;

// The change event: (FileOperation, FileName1, FileName2). For foAdded,
// foRemoved and foModified FileName1 is the full path and FileName2 is empty;
// for foRenamed they are the old and the new full path. There is no sender.
using TFileDealMethod = TEvent<TFileOperation, const std::string&, const std::string&>;

// What a watcher tells its owner besides the changes (not stored with a
// form; an owner that wants them assigns the event in code).
enum TWatchNotice : uint8_t {
    wnBatchBegin,        // the changes of one batch (or one slice of a long one) follow
    wnBatchEnd,          // they have all been reported
    wnBlind,             // the directory cannot be read; reopening it (detail: the directory)
    wnWatching,          // reading again after wnBlind (detail: the directory)
    wnRescanBegin,       // changes were lost: looking for files written since (detail: the directory)
    wnRescanEnd,         // that search is complete (detail: the directory)
    wnUnrepresentable,   // a changed file whose name the ANSI code page cannot hold and that has
                         // no short name; its change carries an empty path (detail: its UTF-16 path)
};
using TWatchNoticeEvent = TEvent<TWatchNotice, const std::wstring&>;

} // namespace tf
