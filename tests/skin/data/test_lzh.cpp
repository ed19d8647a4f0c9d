// The LZH decoder: its edge cases, both I/O styles, and round trips through
// the skin packer's encoder.
#include <doctest.h>

#include <string>
#include <vector>

#include "SampleData.h"
#include "skin/data/Lzh.h"
#include "tools/skinpack/LzhEncoder.h"

using namespace tf;

namespace {

using Bytes = std::vector<uint8_t>;

// Decodes with the buffered stream path; reports where the input ended.
Bytes DecodeStreams(const Bytes& input, int32_t size, int64_t* inputEnd = nullptr)
{
    TMemoryStream in(input);
    TMemoryStream out;
    TLZH lzh;
    lzh.InputStream = &in;
    lzh.OutputStream = &out;
    lzh.Decode(size);
    if (inputEnd) *inputEnd = in.Position();
    return out.Bytes();
}

// The byte-at-a-time routines, counting their calls.
struct Counting {
    TLZH lzh;
    int reads = 0;
    int writes = 0;
    static uint16_t Read(void* c, uint8_t* buf, uint16_t n)
    {
        auto* self = static_cast<Counting*>(c);
        ++self->reads;
        return TLZH::ReadFromInput(&self->lzh, buf, n);
    }
    static uint16_t Write(void* c, const uint8_t* buf, uint16_t n)
    {
        auto* self = static_cast<Counting*>(c);
        ++self->writes;
        return TLZH::WriteToOutput(&self->lzh, buf, n);
    }
};

Bytes DecodeBytewise(const Bytes& input, int32_t size, int64_t* inputEnd = nullptr)
{
    TMemoryStream in(input);
    TMemoryStream out;
    Counting c;
    c.lzh.InputStream = &in;
    c.lzh.OutputStream = &out;
    c.lzh.Decode(size, &Counting::Write, &Counting::Read, &c);
    if (inputEnd) *inputEnd = in.Position();
    CHECK(c.writes == static_cast<int>(out.Size()));
    return out.Bytes();
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

} // namespace

TEST_CASE("size 0 or negative reads and writes nothing")
{
    for (int32_t size : {0, -1, INT32_MIN}) {
        CAPTURE(size);
        TMemoryStream in(Bytes{1, 2, 3});
        TMemoryStream out;
        Counting c;
        c.lzh.InputStream = &in;
        c.lzh.OutputStream = &out;
        c.lzh.Decode(size, &Counting::Write, &Counting::Read, &c);
        CHECK(c.reads == 0);
        CHECK(c.writes == 0);
        c.lzh.Decode(size);
        CHECK(in.Position() == 0);
        CHECK(out.Size() == 0);
    }
}

TEST_CASE("the initial tree: zero bits give 't', one bits give 's'")
{
    // Worked by hand from the initial tree: eight 0 bits lead from the root to
    // symbol 116, nine 1 bits to symbol 115.
    CHECK(DecodeStreams({}, 1) == Text("t"));
    CHECK(DecodeBytewise({}, 1) == Text("t"));
    CHECK(DecodeStreams({0xFF, 0xFF}, 1) == Text("s"));
    CHECK(DecodeBytewise({0xFF, 0xFF}, 1) == Text("s"));
}

TEST_CASE("a final match that crosses size is written whole")
{
    skinpack::LzhTokenWriter w;
    w.Literal('a');
    w.Match(1, 60);
    const Bytes bits = w.Finish();
    const Bytes expected(61, 'a');
    CHECK(DecodeStreams(bits, 2) == expected);
    CHECK(DecodeBytewise(bits, 2) == expected);
    CHECK(DecodeStreams(bits, 61) == expected);
}

TEST_CASE("offsets 0 and 4095 are distances 1 and 4096")
{
    SUBCASE("distance 1 repeats the last byte")
    {
        skinpack::LzhTokenWriter w;
        w.Literal('x');
        w.Match(1, 5);
        CHECK(DecodeStreams(w.Finish(), 6) == Text("xxxxxx"));
    }
    SUBCASE("distance 4096 reaches the byte the ring is about to overwrite")
    {
        const Bytes head = sample::Random(4096, 99);
        skinpack::LzhTokenWriter w;
        for (uint8_t b : head) w.Literal(b);
        w.Match(4096, 10);
        const Bytes out = DecodeStreams(w.Finish(), 4106);
        REQUIRE(out.size() == 4106);
        CHECK(Bytes(out.begin(), out.begin() + 4096) == head);
        CHECK(Bytes(out.begin() + 4096, out.end()) == Bytes(head.begin(), head.begin() + 10));
    }
    SUBCASE("the ring starts as spaces before position 4036")
    {
        skinpack::LzhTokenWriter w;
        w.Match(1, 3);      // the byte just before the start position
        w.Match(4036, 4);   // ring position 0
        CHECK(DecodeStreams(w.Finish(), 7) == Text("       "));
    }
}

TEST_CASE("input that ends early is completed with zero bits")
{
    const Bytes text = sample::Text(20000);
    const Bytes bits = skinpack::LzhCompress(text.data(), text.size());
    const Bytes cut(bits.begin(), bits.begin() + static_cast<long>(bits.size() / 2));
    Bytes padded = cut;
    padded.resize(cut.size() + 64 * 1024, 0);

    const Bytes out = DecodeStreams(cut, static_cast<int32_t>(text.size()));
    CHECK(out.size() >= text.size());
    CHECK(out.size() < text.size() + 60);
    // Missing input behaves exactly like explicit zero bytes.
    CHECK(out == DecodeStreams(padded, static_cast<int32_t>(text.size())));
    CHECK(out == DecodeBytewise(cut, static_cast<int32_t>(text.size())));
    // What the surviving bits carry still decodes right.
    CHECK(Bytes(out.begin(), out.begin() + 1000) == Bytes(text.begin(), text.begin() + 1000));
}

TEST_CASE("a long stream forces tree rebuilds and still decodes")
{
    // The root weight is 314 plus the symbols decoded; it reaches 0x8000 after
    // about 32,450 symbols. This stream holds several times that many.
    const Bytes data = sample::Random(150000, 5);
    skinpack::LzhTokenWriter w;
    for (size_t i = 0; i < data.size(); ++i) {
        if (i >= 100 && i % 7 == 0 && i + 3 <= data.size()) {
            w.Match(100, 3);
            i += 2;
        } else {
            w.Literal(data[i]);
        }
    }
    CHECK(w.SymbolCount() > 3 * 0x8000);
    const Bytes bits = w.Finish();
    const Bytes out = DecodeStreams(bits, static_cast<int32_t>(data.size()));
    REQUIRE(out.size() == data.size());
    for (size_t i = 0; i < data.size(); ++i) {
        if (i >= 100 && i % 7 == 0 && i + 3 <= data.size()) {
            REQUIRE(out[i] == out[i - 100]);
            REQUIRE(out[i + 2] == out[i + 2 - 100]);
            i += 2;
        } else {
            REQUIRE(out[i] == data[i]);
        }
    }
}

TEST_CASE("the buffered and the byte-at-a-time decoders agree on any input")
{
    // Arbitrary bytes are a valid (if meaningless) code: output and the input
    // position reached must match exactly, trailing data included.
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        CAPTURE(seed);
        const Bytes input = sample::Random(seed * 37, seed);
        const int32_t size = static_cast<int32_t>(seed * 1000);
        int64_t endBuffered = -1, endBytewise = -1;
        const Bytes a = DecodeStreams(input, size, &endBuffered);
        const Bytes b = DecodeBytewise(input, size, &endBytewise);
        REQUIRE(a == b);
        CHECK(endBuffered == endBytewise);
        CHECK(a.size() >= static_cast<size_t>(size));
        CHECK(a.size() < static_cast<size_t>(size) + 60);
    }
    // A stream followed by other data leaves the input just past what was used.
    const Bytes text = sample::Text(5000);
    Bytes input = skinpack::LzhCompress(text.data(), text.size());
    const size_t used = input.size();
    input.resize(used + 50000, 0xA5);
    int64_t endBuffered = -1, endBytewise = -1;
    CHECK(DecodeStreams(input, 5000, &endBuffered) == text);
    DecodeBytewise(input, 5000, &endBytewise);
    CHECK(endBuffered == endBytewise);
    CHECK(endBuffered <= static_cast<int64_t>(used) + 2);
}

TEST_CASE("pack and decode round trips give identical bytes")
{
    struct Case {
        const char* name;
        Bytes data;
    };
    const Case cases[] = {
        {"empty", {}},
        {"one byte", {0x42}},
        {"all equal", Bytes(1 << 20, 0x7E)},
        {"random", sample::Random(300000)},
        {"text", sample::Text(400000)},
        {"bitmap", sample::Bitmap(640, 480)},
        {"several MB", sample::Mixed(5u << 20)},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        const Bytes bits = skinpack::LzhCompress(c.data.data(), c.data.size());
        CHECK(DecodeStreams(bits, static_cast<int32_t>(c.data.size())) == c.data);
        // The bound used to refuse impossible lengths holds for real streams.
        CHECK(static_cast<int64_t>(c.data.size()) <= TLZH::MaxDecodedSize(static_cast<int64_t>(bits.size())));
        if (c.data.size() <= 400000) CHECK(DecodeBytewise(bits, static_cast<int32_t>(c.data.size())) == c.data);
    }
}

TEST_CASE("the encoder's deepest search and the quick one both round trip")
{
    const Bytes bmp = sample::Bitmap(300, 200, 3);
    for (int chain : {1, 16, 4096}) {
        CAPTURE(chain);
        const Bytes bits = skinpack::LzhCompress(bmp.data(), bmp.size(), chain);
        CHECK(DecodeStreams(bits, static_cast<int32_t>(bmp.size())) == bmp);
    }
}

TEST_CASE("a failing output stream raises and leaves the input where decoding stopped")
{
    struct Full : TMemoryStream {
        int32_t Write(const void*, int32_t) override { return 0; }
    };
    const Bytes text = sample::Text(100000);
    const Bytes bits = skinpack::LzhCompress(text.data(), text.size());
    TMemoryStream in(bits);
    Full out;
    TLZH lzh;
    lzh.InputStream = &in;
    lzh.OutputStream = &out;
    CHECK_THROWS_AS(lzh.Decode(static_cast<int32_t>(text.size())), EWriteError);
    CHECK(in.Position() < static_cast<int64_t>(bits.size()));
}
