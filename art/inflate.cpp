#include "art/inflate.h"

namespace {

constexpr int kMaxBits = 15;

// Deflate's tables: base lengths and distances with their extra bits.
constexpr std::uint16_t kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                           15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                           67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t kDistanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block gives the code lengths of its code lengths.
constexpr std::uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                               11, 4,  12, 3, 13, 2, 14, 1, 15};

class Bits {
public:
    Bits(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The next n bits (n <= 16), least significant first.
    unsigned take(int n) {
        while (count_ < n) {
            if (pos_ >= size_) {
                overrun_ = true;
                return 0;
            }
            buffer_ |= static_cast<std::uint32_t>(data_[pos_++]) << count_;
            count_ += 8;
        }
        const unsigned v = buffer_ & ((1u << n) - 1);
        buffer_ >>= n;
        count_ -= n;
        return v;
    }
    // Drops the bits left of the current byte (before a stored block).
    void align() { buffer_ = 0, count_ = 0; }
    bool byte(std::uint8_t& b) {
        if (pos_ >= size_)
            return !(overrun_ = true);
        b = data_[pos_++];
        return true;
    }
    bool overrun() const { return overrun_; }
    std::size_t position() const { return pos_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::uint32_t buffer_ = 0;
    int count_ = 0;
    bool overrun_ = false;
};

// A canonical Huffman code: how many codes each length has, and the symbols
// in code order.
struct Code {
    std::uint16_t count[kMaxBits + 1];
    std::uint16_t symbol[288];
};

bool build(Code& code, const std::uint8_t* lengths, int n) {
    for (auto& c : code.count)
        c = 0;
    for (int i = 0; i < n; ++i)
        ++code.count[lengths[i]];
    int left = 1;
    for (int len = 1; len <= kMaxBits; ++len) {
        left = (left << 1) - code.count[len];
        if (left < 0)
            return false; // more codes than the lengths allow
    }
    std::uint16_t offset[kMaxBits + 1] = {0, 0};
    for (int len = 1; len < kMaxBits; ++len)
        offset[len + 1] = static_cast<std::uint16_t>(offset[len] + code.count[len]);
    for (int i = 0; i < n; ++i)
        if (lengths[i])
            code.symbol[offset[lengths[i]]++] = static_cast<std::uint16_t>(i);
    return true;
}

// The next symbol, or -1 when the bits match no code.
int decode(Bits& in, const Code& code) {
    int first = 0, index = 0, value = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
        value |= static_cast<int>(in.take(1));
        const int count = code.count[len];
        if (value - first < count)
            return code.symbol[index + value - first];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    return -1;
}

class Inflater {
public:
    Inflater(Bits& in, std::size_t limit, std::vector<std::uint8_t>& out)
        : in_(in), limit_(limit), out_(out), start_(out.size()) {}

    bool run() {
        bool last = false;
        while (!last) {
            last = in_.take(1) != 0;
            const unsigned type = in_.take(2);
            bool ok = false;
            if (type == 0)
                ok = stored();
            else if (type == 1)
                ok = fixed();
            else if (type == 2)
                ok = dynamic();
            if (!ok || in_.overrun())
                return false;
        }
        return true;
    }

private:
    bool put(std::uint8_t b) {
        if (out_.size() - start_ >= limit_)
            return false;
        out_.push_back(b);
        return true;
    }

    bool stored() {
        in_.align();
        std::uint8_t b[4];
        for (auto& x : b)
            if (!in_.byte(x))
                return false;
        const unsigned len = b[0] | (b[1] << 8), nlen = b[2] | (b[3] << 8);
        if (len != (~nlen & 0xFFFFu))
            return false;
        for (unsigned i = 0; i < len; ++i) {
            std::uint8_t x;
            if (!in_.byte(x) || !put(x))
                return false;
        }
        return true;
    }

    bool fixed() {
        std::uint8_t lengths[288 + 30];
        for (int i = 0; i < 288; ++i)
            lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
        for (int i = 0; i < 30; ++i)
            lengths[288 + i] = 5;
        return build(literals_, lengths, 288) && build(distances_, lengths + 288, 30) && codes();
    }

    bool dynamic() {
        const int nlit = static_cast<int>(in_.take(5)) + 257;
        const int ndist = static_cast<int>(in_.take(5)) + 1;
        const int nlen = static_cast<int>(in_.take(4)) + 4;
        if (nlit > 286 || ndist > 30)
            return false;
        std::uint8_t lengths[286 + 30] = {};
        for (int i = 0; i < nlen; ++i)
            lengths[kCodeLengthOrder[i]] = static_cast<std::uint8_t>(in_.take(3));
        Code lengthCode;
        if (!build(lengthCode, lengths, 19))
            return false;
        for (int i = 0; i < 19; ++i)
            lengths[i] = 0;
        for (int i = 0; i < nlit + ndist;) {
            const int symbol = decode(in_, lengthCode);
            if (symbol < 0 || in_.overrun())
                return false;
            if (symbol < 16) {
                lengths[i++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            std::uint8_t repeated = 0;
            int times;
            if (symbol == 16) {
                if (i == 0)
                    return false;
                repeated = lengths[i - 1];
                times = 3 + static_cast<int>(in_.take(2));
            } else if (symbol == 17) {
                times = 3 + static_cast<int>(in_.take(3));
            } else {
                times = 11 + static_cast<int>(in_.take(7));
            }
            if (i + times > nlit + ndist)
                return false;
            while (times--)
                lengths[i++] = repeated;
        }
        if (lengths[256] == 0) // a block must be able to end
            return false;
        return build(literals_, lengths, nlit) && build(distances_, lengths + nlit, ndist) &&
               codes();
    }

    // The literals and back-references of a compressed block, to its end.
    bool codes() {
        for (;;) {
            const int symbol = decode(in_, literals_);
            if (symbol < 0 || in_.overrun())
                return false;
            if (symbol < 256) {
                if (!put(static_cast<std::uint8_t>(symbol)))
                    return false;
                continue;
            }
            if (symbol == 256)
                return true;
            const int l = symbol - 257;
            if (l >= 29)
                return false;
            const std::size_t length = kLengthBase[l] + in_.take(kLengthExtra[l]);
            const int d = decode(in_, distances_);
            if (d < 0 || d >= 30)
                return false;
            const std::size_t distance = kDistanceBase[d] + in_.take(kDistanceExtra[d]);
            if (in_.overrun() || distance > out_.size() - start_)
                return false;
            for (std::size_t i = 0; i < length; ++i)
                if (!put(out_[out_.size() - distance]))
                    return false;
        }
    }

    Bits& in_;
    std::size_t limit_;
    std::vector<std::uint8_t>& out_;
    std::size_t start_;
    Code literals_, distances_;
};

std::uint32_t adler32(const std::uint8_t* p, std::size_t n) {
    std::uint32_t a = 1, b = 0;
    for (std::size_t i = 0; i < n; ++i) {
        a = (a + p[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

} // namespace

bool inflateZlib(const std::uint8_t* data, std::size_t size, std::size_t limit,
                 std::vector<std::uint8_t>& out) {
    // Header: deflate with a window of at most 32 KiB, no preset dictionary.
    if (size < 6 || (data[0] & 0x0F) != 8 || (data[0] >> 4) > 7 || (data[1] & 0x20) ||
        ((data[0] << 8) | data[1]) % 31 != 0)
        return false;
    const std::size_t start = out.size();
    Bits in(data + 2, size - 2);
    if (!Inflater(in, limit, out).run())
        return false;
    const std::size_t end = 2 + in.position();
    if (size - end < 4)
        return false;
    const std::uint32_t stored = (static_cast<std::uint32_t>(data[end]) << 24) |
                                 (data[end + 1] << 16) | (data[end + 2] << 8) | data[end + 3];
    return stored == adler32(out.data() + start, out.size() - start);
}
