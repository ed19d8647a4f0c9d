#include "PerfData.h"

#include <cstring>
#include <string>

#include "framework/core/SysUtils.h"

namespace tf {

namespace {

// Bounds-checked reads of the little-endian 32-bit fields of a data block.
class TPerfBlock {
public:
    TPerfBlock(const uint8_t* data, size_t size) : FData(data), FSize(size) {}

    bool U32(uint64_t offset, uint32_t& value) const
    {
        if (offset > FSize || FSize - offset < 4) return false;
        std::memcpy(&value, FData + offset, 4);
        return true;
    }

    // A zero-terminated UTF-16 name of at most maxBytes bytes.
    std::wstring Name(uint64_t offset, uint32_t maxBytes) const
    {
        std::wstring name;
        for (uint64_t p = offset; p + 2 <= offset + maxBytes && p + 2 <= FSize; p += 2) {
            const wchar_t c = static_cast<wchar_t>(FData[p] | FData[p + 1] << 8);
            if (c == 0) break;
            name.push_back(c);
        }
        return name;
    }

    size_t Size() const { return FSize; }

private:
    const uint8_t* FData;
    size_t FSize;
};

// Smallest instance plus counter block: no more instances than this fit.
constexpr uint64_t MinInstanceBytes = 24 + 4;

std::string ProcessName(const TPerfBlock& block, uint64_t instance, uint32_t id)
{
    if (id == 0) return "[System Process]";
    uint32_t nameOffset = 0, nameLength = 0;
    if (!block.U32(instance + 16, nameOffset) || !block.U32(instance + 20, nameLength)) return {};
    const std::string name = WideToAnsi(block.Name(instance + nameOffset, nameLength));
    return name == "System" ? name : name + ".exe";
}

// Walks the instances of one object for one counter. Returns false when the
// block ends early; the lists then keep only the instances read.
template <class List, class Store>
bool WalkInstances(const TPerfBlock& block, uint64_t object, uint32_t counterOffset, List& list, Store store)
{
    uint32_t definitionLength = 0, instances = 0;
    if (!block.U32(object + 4, definitionLength) || !block.U32(object + 40, instances)) return false;
    // The last instance is the total; "no instances" is stored as -1.
    uint64_t count = static_cast<int32_t>(instances) > 0 ? instances - 1u : 0u;
    if (count > block.Size() / MinInstanceBytes) count = block.Size() / MinInstanceBytes;
    list.resize(static_cast<size_t>(count));

    uint64_t instance = object + definitionLength;
    for (size_t i = 0; i < list.size(); ++i) {
        uint32_t instanceLength = 0, value = 0, blockLength = 0;
        if (!block.U32(instance, instanceLength)) {
            list.resize(i);
            return false;
        }
        const uint64_t counters = instance + instanceLength;
        if (!block.U32(counters + counterOffset, value) || !block.U32(counters, blockLength)) {
            list.resize(i);
            return false;
        }
        store(list[i], instance, value);
        instance = counters + blockLength;
    }
    return true;
}

} // namespace

bool WalkPerfData(const uint8_t* data, size_t size, TProcessList* processes, TThreadList* threads)
{
    if (!processes && !threads) return false;
    if (processes) processes->clear();
    if (threads) threads->clear();

    const TPerfBlock block(data, size);
    uint32_t headerLength = 0, objectCount = 0;
    if (data && block.U32(24, headerLength) && block.U32(28, objectCount)) {
        bool processesDone = !processes, threadsDone = !threads;
        uint64_t object = headerLength;
        for (uint32_t k = 0; k < objectCount; ++k) {
            uint32_t totalLength = 0, nameIndex = 0;
            if (!block.U32(object, totalLength) || !block.U32(object + 12, nameIndex)) break;
            const bool isProcess = processes && nameIndex == PerfProcessObject;
            const bool isThread = !isProcess && threads && nameIndex == PerfThreadObject;
            if (isProcess || isThread) {
                uint32_t counterHeader = 0, counterCount = 0;
                if (!block.U32(object + 8, counterHeader) || !block.U32(object + 32, counterCount)) break;
                bool intact = true;
                for (uint32_t c = 0; c < counterCount && intact; ++c) {
                    const uint64_t definition = object + counterHeader + uint64_t{c} * 40;
                    uint32_t counterName = 0, counterOffset = 0;
                    if (!block.U32(definition + 4, counterName) || !block.U32(definition + 36, counterOffset)) break;
                    if (isProcess && counterName == PerfProcessIdCounter) {
                        intact = WalkInstances(block, object, counterOffset, *processes,
                                               [&](TProcessEntry& e, uint64_t instance, uint32_t value) {
                                                   e.ProcessID = value;
                                                   e.ExeFile = ProcessName(block, instance, value);
                                               });
                    } else if (isThread && counterName == PerfProcessIdCounter) {
                        intact = WalkInstances(block, object, counterOffset, *threads,
                                               [](TThreadEntry& e, uint64_t, uint32_t value) { e.OwnerProcessID = value; });
                    } else if (isThread && counterName == PerfThreadIdCounter) {
                        intact = WalkInstances(block, object, counterOffset, *threads,
                                               [](TThreadEntry& e, uint64_t, uint32_t value) { e.ThreadID = value; });
                    }
                }
                if (isProcess) processesDone = true;
                if (isThread) threadsDone = true;
                if (processesDone && threadsDone) break;
            }
            if (totalLength == 0) break;   // a broken block would show the same object again
            object += totalLength;
        }
    }
    return (processes && !processes->empty()) || (threads && !threads->empty());
}

} // namespace tf
