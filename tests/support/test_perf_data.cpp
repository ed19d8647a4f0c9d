#include <doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/PerfData.h"

using namespace tf;

namespace {

// Builds performance data blocks the way the system lays them out: a data
// block header, object types with their counter definitions, and instances
// each followed by its counter block.
class BlockBuilder {
public:
    struct Instance {
        std::u16string Name;
        std::vector<uint32_t> Counters;   // one value per counter definition
    };
    struct Object {
        uint32_t NameIndex;
        std::vector<uint32_t> CounterNames;
        std::vector<Instance> Instances;
    };

    std::vector<uint8_t> Build(const std::vector<Object>& objects)
    {
        std::vector<uint8_t> b(64, 0);
        const char16_t sig[4] = {u'P', u'E', u'R', u'F'};
        std::memcpy(b.data(), sig, 8);
        Put(b, 8, 1);    // little endian
        Put(b, 24, 64);  // header length
        Put(b, 28, static_cast<uint32_t>(objects.size()));
        for (const Object& o : objects) AppendObject(b, o);
        Put(b, 20, static_cast<uint32_t>(b.size()));
        return b;
    }

private:
    static void Put(std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }
    static void Pad8(std::vector<uint8_t>& b)
    {
        while (b.size() % 8) b.push_back(0);
    }

    static void AppendObject(std::vector<uint8_t>& b, const Object& o)
    {
        const size_t start = b.size();
        constexpr uint32_t header = 64;
        const uint32_t counters = static_cast<uint32_t>(o.CounterNames.size());
        b.resize(start + header + 40 * counters, 0);
        Put(b, start + 4, header + 40 * counters);   // definition length
        Put(b, start + 8, header);                   // header length
        Put(b, start + 12, o.NameIndex);
        Put(b, start + 32, counters);
        Put(b, start + 40, static_cast<uint32_t>(o.Instances.size()));
        for (uint32_t c = 0; c < counters; ++c) {
            const size_t d = start + header + 40 * c;
            Put(b, d, 40);
            Put(b, d + 4, o.CounterNames[c]);
            Put(b, d + 32, 4);           // size
            Put(b, d + 36, 8 + 4 * c);   // offset inside the counter block
        }
        for (const Instance& in : o.Instances) {
            const size_t i = b.size();
            const uint32_t nameBytes = static_cast<uint32_t>((in.Name.size() + 1) * 2);
            b.resize(i + 24, 0);
            Put(b, i + 12, 0xFFFFFFFF);   // unique ID: none
            Put(b, i + 16, 24);           // name offset
            Put(b, i + 20, nameBytes);
            for (char16_t ch : in.Name) {
                b.push_back(static_cast<uint8_t>(ch));
                b.push_back(static_cast<uint8_t>(ch >> 8));
            }
            b.push_back(0);
            b.push_back(0);
            Pad8(b);
            Put(b, i, static_cast<uint32_t>(b.size() - i));   // instance length
            const size_t block = b.size();
            b.resize(block + 8 + 4 * counters, 0);
            for (uint32_t c = 0; c < counters; ++c) Put(b, block + 8 + 4 * c, in.Counters[c]);
            Pad8(b);
            Put(b, block, static_cast<uint32_t>(b.size() - block));   // counter block length
        }
        Put(b, start, static_cast<uint32_t>(b.size() - start));   // total length
    }
};

// A processor object first (passed over), then processes and threads.
std::vector<uint8_t> SampleBlock()
{
    BlockBuilder::Object processor{238, {6}, {{u"0", {50}}, {u"_Total", {50}}}};
    // Counters: % processor time (6), ID Process (784).
    BlockBuilder::Object processes{230,
                                   {6, 784},
                                   {{u"Idle", {99, 0}},
                                    {u"System", {1, 4}},
                                    {u"notepad", {0, 1234}},
                                    {u"\u8BA1\u7B97\u5668", {0, 5678}},   // 计算器
                                    {u"_Total", {100, 0}}}};
    // Counters: ID Process (784), ID Thread (804).
    BlockBuilder::Object threads{232,
                                 {784, 804},
                                 {{u"notepad/0", {1234, 100}},
                                  {u"calc/0", {5678, 200}},
                                  {u"calc/1", {5678, 201}},
                                  {u"_Total/_Total", {0, 0}}}};
    return BlockBuilder().Build({processor, processes, threads});
}

} // namespace

TEST_CASE("the walk lists the processes, names the idle and kernel processes and leaves the total out")
{
    const auto block = SampleBlock();
    TProcessList list;
    CHECK(WalkPerfData(block.data(), block.size(), &list, nullptr));
    REQUIRE(list.size() == 4);
    CHECK(list[0].ProcessID == 0);
    CHECK(list[0].ExeFile == "[System Process]");
    CHECK(list[1].ProcessID == 4);
    CHECK(list[1].ExeFile == "System");
    CHECK(list[2].ProcessID == 1234);
    CHECK(list[2].ExeFile == "notepad.exe");
    CHECK(list[3].ProcessID == 5678);
#ifdef _WIN32
    CHECK(list[3].ExeFile == "计算器.exe");   // UTF-16 name in GBK
#else
    CHECK(list[3].ExeFile.size() == 3 + 4);   // host builds keep one byte per character
#endif
    for (const TProcessEntry& e : list) {
        CHECK(e.Kind == 0);
        CHECK(e.Threads.empty());
    }
}

TEST_CASE("the walk lists the threads with their owners")
{
    const auto block = SampleBlock();
    TThreadList threads;
    CHECK(WalkPerfData(block.data(), block.size(), nullptr, &threads));
    REQUIRE(threads.size() == 3);
    CHECK(threads[0].OwnerProcessID == 1234);
    CHECK(threads[0].ThreadID == 100);
    CHECK(threads[1].OwnerProcessID == 5678);
    CHECK(threads[1].ThreadID == 200);
    CHECK(threads[2].ThreadID == 201);

    TProcessList processes;
    threads.clear();
    CHECK(WalkPerfData(block.data(), block.size(), &processes, &threads));
    CHECK(processes.size() == 4);
    CHECK(threads.size() == 3);
}

TEST_CASE("nothing asked for, or nothing there, gives false")
{
    const auto block = SampleBlock();
    CHECK_FALSE(WalkPerfData(block.data(), block.size(), nullptr, nullptr));

    const auto empty = BlockBuilder().Build({});
    TProcessList list(3);
    CHECK_FALSE(WalkPerfData(empty.data(), empty.size(), &list, nullptr));
    CHECK(list.empty());

    // Only the total instance: no process.
    const auto onlyTotal = BlockBuilder().Build({{230, {784}, {{u"_Total", {0}}}}});
    CHECK_FALSE(WalkPerfData(onlyTotal.data(), onlyTotal.size(), &list, nullptr));
    // An object with no instances at all (stored as -1).
    auto none = BlockBuilder().Build({{230, {784}, {}}});
    const uint32_t minusOne = 0xFFFFFFFF;
    std::memcpy(none.data() + 64 + 40, &minusOne, 4);
    CHECK_FALSE(WalkPerfData(none.data(), none.size(), &list, nullptr));
}

TEST_CASE("a cut or corrupt block is read only as far as it goes")
{
    const auto block = SampleBlock();
    TProcessList full;
    WalkPerfData(block.data(), block.size(), &full, nullptr);
    for (size_t cut = 0; cut <= block.size(); ++cut) {
        // A fresh copy of exactly cut bytes, so reading past it is caught by the sanitizers too.
        std::vector<uint8_t> part(block.begin(), block.begin() + static_cast<long>(cut));
        TProcessList list;
        TThreadList threads;
        WalkPerfData(part.data(), part.size(), &list, &threads);
        REQUIRE(list.size() <= full.size());
        for (size_t i = 0; i < list.size(); ++i) CHECK(list[i].ProcessID == full[i].ProcessID);
    }
    // An absurd instance count neither allocates wildly nor reads outside.
    auto corrupt = block;
    const size_t processObject = 64 + [&] {
        uint32_t len;
        std::memcpy(&len, block.data() + 64, 4);
        return len;
    }();
    const uint32_t huge = 0x7FFFFFFF;
    std::memcpy(corrupt.data() + processObject + 40, &huge, 4);
    TProcessList list;
    WalkPerfData(corrupt.data(), corrupt.size(), &list, nullptr);
    CHECK(list.size() < corrupt.size());
    // Offsets pointing far outside the block.
    auto wild = block;
    const uint32_t far = 0xFFFFFFF0;
    std::memcpy(wild.data() + 24, &far, 4);
    CHECK_FALSE(WalkPerfData(wild.data(), wild.size(), &list, nullptr));
}
