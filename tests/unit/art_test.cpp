// The artwork's decoding: zlib streams of each block type, PNG row filters,
// the committed pictures, and scaling to a box.
#include "art/inflate.h"
#include "art/png.h"
#include "art/resample.h"
#include "fixture_file.h"
#include "resources/form1_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string inflated(const Bytes& z, std::size_t limit = 1 << 20, bool* ok = nullptr) {
    std::vector<std::uint8_t> out;
    const bool done = inflateZlib(z.data(), z.size(), limit, out);
    if (ok)
        *ok = done;
    return done ? std::string(out.begin(), out.end()) : std::string("<failed>");
}

// zlib streams made by Python's zlib: level 0 (a stored block), a short text
// (fixed codes of 8 and 9 bits, with back-references) and 400 letters of a four-letter
// alphabet (dynamic codes).
const Bytes kStored = {0x78, 0x01, 0x01, 0x0c, 0x00, 0xf3, 0xff, 0x73, 0x74, 0x6f, 0x72, 0x65,
                       0x64, 0x20, 0x62, 0x6c, 0x6f, 0x63, 0x6b, 0x1f, 0x80, 0x04, 0xbd};
const Bytes kFixed = {0x78, 0xda, 0x3b, 0xf1, 0x7f, 0x42, 0x62, 0x52, 0x32,
                      0x1c, 0x29, 0x02, 0x00, 0x45, 0xee, 0x07, 0x11};
const Bytes kDynamic = {
    0x78, 0xda, 0x35, 0x90, 0xd1, 0x0d, 0xc4, 0x30, 0x0c, 0x42, 0x67, 0xb5, 0xf8, 0x60, 0x01, 0xf6,
    0xd7, 0xf1, 0xc8, 0x55, 0x69, 0x55, 0xd7, 0xc1, 0x18, 0xb0, 0x95, 0xc4, 0xb9, 0x7e, 0xef, 0x94,
    0x1e, 0xdb, 0x6b, 0xc9, 0x6d, 0x50, 0x5b, 0x3a, 0xee, 0x5a, 0xc4, 0x6e, 0x1d, 0x20, 0xda, 0x60,
    0x27, 0xc5, 0x84, 0xaf, 0x4f, 0xab, 0xec, 0x3e, 0xba, 0x1e, 0x5d, 0x39, 0x7a, 0x4f, 0x73, 0xef,
    0x7e, 0x4a, 0x5b, 0x64, 0xe1, 0xa0, 0xe1, 0x36, 0x7b, 0x3a, 0xc4, 0xf6, 0xe1, 0x03, 0xb3, 0x20,
    0x60, 0x07, 0x63, 0x40, 0x8c, 0xd2, 0x91, 0x7b, 0x62, 0xca, 0x6e, 0xf6, 0xa0, 0x98, 0x1a, 0x03,
    0x4f, 0x0c, 0x80, 0x52, 0x1f, 0xab, 0xda, 0x02, 0xba, 0x5e, 0xc9, 0x3b, 0x77, 0x50, 0x1c, 0x5a,
    0x32, 0xe5, 0x5b, 0x88, 0x2d, 0x1c, 0x19, 0xa5, 0x20, 0x11, 0x41, 0x26, 0x99, 0xad, 0xa7, 0xf4,
    0x45, 0x52, 0x78, 0xe5, 0x66, 0xbc, 0xcb, 0x4d, 0xfa, 0x2c, 0x2b, 0x7f, 0xeb, 0x37, 0x74, 0xb4,
    0xa0, 0x6e, 0x42, 0xb0, 0x59, 0x5a, 0xe5, 0x23, 0x6d, 0x0a, 0xb3, 0xb3, 0xf4, 0xbc, 0xbc, 0x8a,
    0xfb, 0x01, 0x7e, 0xa9, 0xa2, 0x62};

// The 400 letters: a linear congruential sequence picks each from "acgt".
std::string dynamicText() {
    std::string text;
    unsigned long x = 1;
    for (int i = 0; i < 400; ++i) {
        x = (x * 1103515245ul + 12345ul) & 0x7fffffff;
        text += "acgt"[(x >> 16) & 3];
    }
    return text;
}

TEST(Inflate, DecodesEachBlockType) {
    EXPECT_EQ(inflated(kStored), "stored block");
    EXPECT_EQ(inflated(kFixed), "\xc8\xff\x90"
                                "abcabcabcabc!");
    EXPECT_EQ(inflated(kDynamic), dynamicText());
}

TEST(Inflate, RefusesDamagedStreams) {
    Bytes badChecksum = kFixed;
    badChecksum.back() ^= 1;
    Bytes truncated(kDynamic.begin(), kDynamic.end() - 20);
    Bytes badHeader = kStored;
    badHeader[1] ^= 1; // the header's check no longer divides by 31
    Bytes badStoredLength = kStored;
    badStoredLength[5] ^= 1; // NLEN is no longer LEN's complement
    for (const Bytes* z : {&badChecksum, &truncated, &badHeader, &badStoredLength}) {
        bool ok = true;
        inflated(*z, 1 << 20, &ok);
        EXPECT_FALSE(ok);
    }
}

TEST(Inflate, StopsAtItsLimit) {
    bool ok = true;
    inflated(kDynamic, 399, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(inflated(kDynamic, 400).size(), 400u);
}

Pixels decodedFixture(const std::string& bytes, bool* ok) {
    Pixels p;
    *ok = decodePng(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), p);
    return p;
}

TEST(Png, UndoesEveryRowFilter) {
    bool ok = false;
    const Pixels p = decodedFixture(fixture("filters-2x5.png"), &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(p.width, 2);
    ASSERT_EQ(p.height, 5);
    const std::vector<std::uint32_t> expected = {
        0x0a141e, 0x0f1923, // Sub
        0x0b1621, 0x091924, // Up (15 + 250 wraps to 9)
        0x696f74, 0x39444c, // Average
        0x6a7075, 0x3c474f, // Paeth
        0x070809, 0x010203, // None
    };
    EXPECT_EQ(p.rgb, expected);
}

TEST(Png, RefusesWhatItDoesNotRead) {
    const std::string good = fixture("filters-2x5.png");
    std::string palette = good, badFilter = good, cut = good.substr(0, good.size() - 30);
    palette[25] = 3;   // colour type: palette
    badFilter[48] = 5; // the first row's filter type, after the zlib and block headers
    for (const std::string* bytes : {&palette, &badFilter, &cut}) {
        bool ok = true;
        decodedFixture(*bytes, &ok);
        EXPECT_FALSE(ok);
    }
    // Wider than the largest picture accepted: not even its size is believed.
    std::string huge = good;
    huge[18] = 0x13, huge[19] = static_cast<char>(0x88); // 5000 pixels
    int width = 0, height = 0;
    EXPECT_FALSE(
        pngSize(reinterpret_cast<const std::uint8_t*>(huge.data()), huge.size(), width, height));
    EXPECT_TRUE(
        pngSize(reinterpret_cast<const std::uint8_t*>(good.data()), good.size(), width, height));
    EXPECT_EQ(width, 2);
}

int twipsToPixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

// Each banner is drawn for the size of Image1 at its DPI; the about picture
// has one size, stretched to its box.
TEST(Png, TheProgramsPicturesDecodeAtTheirSizes) {
    const ControlLayout& image1 = layoutOf(Control::Image1);
    struct Picture {
        const char* file;
        int width, height;
    };
    const Picture pictures[] = {
        {"banner-96dpi.png", twipsToPixels(image1.width, 96), twipsToPixels(image1.height, 96)},
        {"banner-144dpi.png", twipsToPixels(image1.width, 144), twipsToPixels(image1.height, 144)},
        {"about.png", 156, 117},
    };
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(picture.file);
        bool ok = false;
        const Pixels p =
            decodedFixture(fixture(std::string("../../../resources/") + picture.file), &ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(p.width, picture.width);
        EXPECT_EQ(p.height, picture.height);
        int size[2] = {};
        const std::string bytes = fixture(std::string("../../../resources/") + picture.file);
        EXPECT_TRUE(pngSize(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                            size[0], size[1]));
        EXPECT_EQ(size[0], picture.width);
        EXPECT_EQ(size[1], picture.height);
    }
}

Pixels row(std::vector<std::uint32_t> rgb) {
    Pixels p;
    p.width = static_cast<int>(rgb.size());
    p.height = 1;
    p.rgb = std::move(rgb);
    return p;
}

TEST(Resample, SmallerAveragesTheAreaEachPixelCovers) {
    // Two to one: pairs; three to two: one and a half source pixels each.
    EXPECT_EQ(resample(row({0x000000, 0x646464, 0xc8c8c8, 0xffffff}), 2, 1).rgb,
              (std::vector<std::uint32_t>{0x323232, 0xe4e4e4}));
    EXPECT_EQ(resample(row({0x000000, 0x5a5a5a, 0xb4b4b4}), 2, 1).rgb,
              (std::vector<std::uint32_t>{0x1e1e1e, 0x969696}));
    // Down a column, channel by channel.
    Pixels column;
    column.width = 1;
    column.height = 2;
    column.rgb = {0xff0000, 0x0000ff};
    EXPECT_EQ(resample(column, 1, 1).rgb, (std::vector<std::uint32_t>{0x800080}));
}

TEST(Resample, LargerInterpolatesBetweenNeighbours) {
    // Two to four: centres at -0.25 (held at the edge), 0.25, 0.75, 1.25 (held).
    EXPECT_EQ(resample(row({0x000000, 0x808080}), 4, 1).rgb,
              (std::vector<std::uint32_t>{0x000000, 0x202020, 0x606060, 0x808080}));
    EXPECT_EQ(resample(row({0x808080, 0x000000}), 4, 1).rgb,
              (std::vector<std::uint32_t>{0x808080, 0x606060, 0x202020, 0x000000}));
}

TEST(Resample, TheSameSizeIsTheSamePicture) {
    const Pixels p = row({0x123456, 0x654321, 0xabcdef});
    EXPECT_EQ(resample(p, 3, 1).rgb, p.rgb);
}

} // namespace
