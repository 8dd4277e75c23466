#include "gfx2d/bmp_decoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "image_test_support.h"
#include "support/testdata.h"

namespace tvk {
namespace {

using test::At;
using test::BmpSpec;
using test::MakeBmp;
using test::Texel;

bool Decode(const BmpSpec& spec, RgbaImage& image, int32_t key = kNoColourKey) {
    const std::vector<uint8_t> bytes = MakeBmp(spec);
    return DecodeBmp(bytes.data(), bytes.size(), key, image);
}

bool DecodeFile(const std::string& relative, RgbaImage& image, int32_t key = kNoColourKey) {
    const std::vector<uint8_t> bytes = test::ReadBytes(test::TestDataPath("bmpsuite/" + relative));
    EXPECT_FALSE(bytes.empty()) << relative;
    // A copy of exactly the file's size, so that AddressSanitizer sees any read past its end.
    std::vector<uint8_t> exact(bytes);
    exact.shrink_to_fit();
    return DecodeBmp(exact.data(), exact.size(), key, image);
}

// Pixel fingerprints of ImageMagick 6.9.11's decode (`convert FILE -depth 8 rgb:-`). Many files show
// the same picture, so they share a fingerprint. For the 16-bit files ImageMagick's 8-bit values v
// were first brought back to 5 bits (round(v·31/255)) and widened by c·255/31, which is how this
// runtime widens them.
constexpr uint64_t kPicture24 = 0x7cd8f819ae69b2afull;  // rgb24.bmp and every true-colour twin
constexpr uint64_t kPicture8 = 0x4598e7515a0f7954ull;   // pal8.bmp and its twins
constexpr uint64_t kPicture16 = 0xbbc59bc8b086aec4ull;

const std::map<std::string, uint64_t>& AcceptedFiles() {
    static const std::map<std::string, uint64_t> files = {
        {"g/pal1.bmp", 0x93cb10c47d28db4dull},
        {"g/pal1bg.bmp", 0xb7b540345a58dd65ull},
        {"g/pal1wb.bmp", 0x93cb10c47d28db4dull},
        {"g/pal4.bmp", 0x7442826ad2154b09ull},
        {"g/pal4gs.bmp", 0x84584472fec80434ull},
        {"g/pal8-0.bmp", kPicture8},
        {"g/pal8.bmp", kPicture8},
        {"g/pal8gs.bmp", 0x13c463af6d9a108full},
        {"g/pal8nonsquare.bmp", 0xb937ea06db3c196cull},
        {"g/pal8os2.bmp", kPicture8},
        {"g/pal8topdown.bmp", kPicture8},
        {"g/pal8w124.bmp", 0xb48c84d29e14ad3dull},
        {"g/pal8w125.bmp", 0xdc7be9a5fc79ab93ull},
        {"g/pal8w126.bmp", 0x06c840bab970062dull},
        {"g/rgb16.bmp", kPicture16},
        {"g/rgb16bfdef.bmp", kPicture16},
        {"g/rgb24.bmp", kPicture24},
        {"g/rgb24pal.bmp", kPicture24},
        {"g/rgb32.bmp", kPicture24},
        {"g/rgb32bfdef.bmp", kPicture24},
        {"q/pal1p1.bmp", 0xeae45a26ec6206e5ull},
        {"q/pal8offs.bmp", kPicture8},
        {"q/pal8os2sp.bmp", kPicture8},
        {"q/rgb16faketrns.bmp", kPicture16},
        {"q/rgb24largepal.bmp", kPicture24},
        {"q/rgb32fakealpha.bmp", kPicture24},
        // ImageMagick refuses these for a wrong file-size field or a palette count above 256, which
        // this runtime does not read; their pixels are those of pal8.bmp.
        {"q/pal8os2-hs.bmp", kPicture8},
        {"q/pal8os2-sz.bmp", kPicture8},
        {"q/pal8os2v2-40sz.bmp", kPicture8},
        {"q/pal8oversizepal.bmp", kPicture8},
    };
    return files;
}

TEST(BmpSuite, AcceptedFilesDecodeLikeAnIndependentDecoder) {
    TVK_NEED_TESTDATA();
    for (const auto& [file, fingerprint] : AcceptedFiles()) {
        RgbaImage image;
        ASSERT_TRUE(DecodeFile(file, image)) << file;
        EXPECT_EQ(test::RgbFingerprint(image), fingerprint) << file;
        for (size_t i = 3; i < image.ByteCount(); i += 4) ASSERT_EQ(image.pixels[i], 255) << file;
    }
}

TEST(BmpSuite, SizesComeFromTheHeader) {
    TVK_NEED_TESTDATA();
    RgbaImage image;
    ASSERT_TRUE(DecodeFile("g/pal8nonsquare.bmp", image));
    EXPECT_EQ(image.width, 127);
    EXPECT_EQ(image.height, 32);
    ASSERT_TRUE(DecodeFile("g/pal8w125.bmp", image));
    EXPECT_EQ(image.width, 125);
    EXPECT_EQ(image.height, 62);
}

// Other header sizes, run-length or unusual bit-field data, and bit depths the runtime lacks.
const std::set<std::string>& RefusedFiles() {
    static const std::set<std::string> files = {
        "g/pal4rle.bmp",        "g/pal8rle.bmp",         "g/pal8v4.bmp",         "g/pal8v5.bmp",
        "g/rgb16-565.bmp",      "g/rgb16-565pal.bmp",    "g/rgb32bf.bmp",        "q/pal1huffmsb.bmp",
        "q/pal2.bmp",           "q/pal2color.bmp",       "q/pal4rlecut.bmp",     "q/pal4rletrns.bmp",
        "q/pal8os2v2-16.bmp",   "q/pal8os2v2-sz.bmp",    "q/pal8os2v2.bmp",      "q/pal8rlecut.bmp",
        "q/pal8rletrns.bmp",    "q/rgb16-231.bmp",       "q/rgb16-3103.bmp",     "q/rgb24jpeg.bmp",
        "q/rgb24lprof.bmp",     "q/rgb24png.bmp",        "q/rgb24prof.bmp",      "q/rgb24prof2.bmp",
        "q/rgb24rle24.bmp",     "q/rgb32-111110.bmp",    "q/rgb32-7187.bmp",     "q/rgb32-xbgr.bmp",
        "q/rgb32h52.bmp",       "q/rgba16-1924.bmp",     "q/rgba16-4444.bmp",    "q/rgba16-5551.bmp",
        "q/rgba32-1.bmp",       "q/rgba32-1010102.bmp",  "q/rgba32-2.bmp",       "q/rgba32-61754.bmp",
        "q/rgba32-81284.bmp",   "q/rgba32abf.bmp",       "q/rgba32h56.bmp",      "q/rgba64.bmp",
    };
    return files;
}

TEST(BmpSuite, EveryGoodAndQuestionableFileIsCovered) {
    TVK_NEED_TESTDATA();
    size_t count = 0;
    for (const char* folder : {"g", "q"}) {
        for (const auto& entry : std::filesystem::directory_iterator(test::TestDataPath("bmpsuite/") + folder)) {
            const std::string file = std::string(folder) + "/" + entry.path().filename().string();
            EXPECT_NE(AcceptedFiles().count(file), RefusedFiles().count(file)) << file;
            ++count;
        }
    }
    EXPECT_EQ(count, AcceptedFiles().size() + RefusedFiles().size());
}

TEST(BmpSuite, FilesOutsideTheRulesFailCleanly) {
    TVK_NEED_TESTDATA();
    for (const std::string& file : RefusedFiles()) {
        RgbaImage image;
        EXPECT_FALSE(DecodeFile(file, image)) << file;
        EXPECT_TRUE(image.Empty()) << file;
    }
}

TEST(BmpSuite, BrokenFilesFailOrDecodeWithinTheirData) {
    TVK_NEED_TESTDATA();
    // Run under AddressSanitizer: each file sits in a buffer of its exact size.
    const char* broken[] = {
        "badbitcount.bmp", "badbitssize.bmp", "baddens1.bmp",    "baddens2.bmp",       "badfilesize.bmp",
        "badheadersize.bmp", "badpalettesize.bmp", "badplanes.bmp", "badrle.bmp",      "badrle4.bmp",
        "badrle4bis.bmp",  "badrle4ter.bmp",  "badrlebis.bmp",   "badrleter.bmp",      "badwidth.bmp",
        "pal8badindex.bmp", "reallybig.bmp",  "rgb16-880.bmp",   "rletopdown.bmp",     "shortfile.bmp",
    };
    for (const char* file : broken) {
        RgbaImage image;
        if (DecodeFile(std::string("b/") + file, image)) {
            EXPECT_EQ(image.ByteCount(), size_t(image.width) * image.height * 4) << file;
        } else {
            EXPECT_TRUE(image.Empty()) << file;
        }
    }
    // Faults in fields that say nothing about where or what the pixels are leave pal1.bmp's picture:
    // an image size (badbitssize) or file size (badfilesize) field that disagrees with the data, which
    // is checked against its real size instead, and absurd print resolutions (baddens1, baddens2).
    for (const char* file : {"badbitssize.bmp", "baddens1.bmp", "baddens2.bmp", "badfilesize.bmp"}) {
        RgbaImage image;
        ASSERT_TRUE(DecodeFile(std::string("b/") + file, image)) << file;
        EXPECT_EQ(test::RgbFingerprint(image), AcceptedFiles().at("g/pal1.bmp")) << file;
    }
    // The faults these files carry are exactly the ones the decoder must catch.
    // A BMP has one plane: another count (badplanes) means the header is not what it claims to be.
    const char* mustFail[] = {"badbitcount.bmp", "badheadersize.bmp", "badpalettesize.bmp", "badplanes.bmp",
                              "badwidth.bmp", "pal8badindex.bmp", "reallybig.bmp", "rgb16-880.bmp", "shortfile.bmp"};
    for (const char* file : mustFail) {
        RgbaImage image;
        EXPECT_FALSE(DecodeFile(std::string("b/") + file, image)) << file;
    }
}

TEST(BmpSuite, EveryTruncationOfAValidFileFailsCleanly) {
    TVK_NEED_TESTDATA();
    const char* files[] = {"g/pal1.bmp", "g/pal4.bmp", "g/pal8os2.bmp", "g/rgb16.bmp", "g/pal8topdown.bmp",
                           "g/rgb32bfdef.bmp"};
    for (const char* file : files) {
        const std::vector<uint8_t> bytes = test::ReadBytes(test::TestDataPath(std::string("bmpsuite/") + file));
        RgbaImage image;
        // The stored rows end 4-aligned; only the last row's padding may be missing.
        for (size_t length = 0; length + 4 <= bytes.size(); ++length) {
            std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
            cut.shrink_to_fit();
            EXPECT_FALSE(DecodeBmp(cut.data(), cut.size(), kNoColourKey, image)) << file << " cut to " << length;
        }
    }
}

// Hand-made files for the rules the suite does not pin down.

// 24-bit rows from runtime colours (red in the low byte), stored B, G, R.
std::vector<std::vector<uint8_t>> Rows24(std::initializer_list<std::initializer_list<uint32_t>> rows) {
    std::vector<std::vector<uint8_t>> out;
    for (const auto& row : rows) {
        std::vector<uint8_t> bytes;
        for (uint32_t c : row) bytes.insert(bytes.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
        out.push_back(bytes);
    }
    return out;
}

TEST(BmpDecoder, TopDownAndBottomUpGiveTheSameImage) {
    BmpSpec bottomUp;
    bottomUp.width = 2;
    bottomUp.height = 2;
    bottomUp.pixelRows = Rows24({{0x0000FF, 0x00FF00}, {0xFF0000, 0x123456}});  // bottom row first
    BmpSpec topDown = bottomUp;
    topDown.height = -2;
    topDown.pixelRows = Rows24({{0xFF0000, 0x123456}, {0x0000FF, 0x00FF00}});
    RgbaImage a, b;
    ASSERT_TRUE(Decode(bottomUp, a));
    ASSERT_TRUE(Decode(topDown, b));
    ASSERT_EQ(a.ByteCount(), 16u);
    EXPECT_EQ(0, std::memcmp(a.pixels, b.pixels, 16));
    EXPECT_EQ(At(a, 0, 0), (Texel{0x00, 0x00, 0xFF, 255}));
    EXPECT_EQ(At(a, 1, 0), (Texel{0x56, 0x34, 0x12, 255}));
    EXPECT_EQ(At(a, 0, 1), (Texel{0xFF, 0x00, 0x00, 255}));
}

TEST(BmpDecoder, ColourKeyMakesMatchingPixelsTransparentBlack) {
    BmpSpec spec;
    spec.width = 2;
    spec.pixelRows = Rows24({{0x8000FF, 0x8001FF}});
    RgbaImage image;
    ASSERT_TRUE(Decode(spec, image, 0x8000FF));
    EXPECT_EQ(At(image, 0, 0), (Texel{0, 0, 0, 0}));
    EXPECT_EQ(At(image, 1, 0), (Texel{255, 1, 128, 255}));
    ASSERT_TRUE(Decode(spec, image));
    EXPECT_EQ(At(image, 0, 0), (Texel{255, 0, 128, 255}));
}

TEST(BmpDecoder, SixteenBitChannelsWidenWithIntegerScaling) {
    BmpSpec spec;
    spec.width = 2;
    spec.bitsPerPixel = 16;
    // 0 11111 00100 00011 (red 31, green 4, blue 3) and, top bit set, 1 00001 00010 11110.
    const uint16_t a = 0x7C83, b = 0x845E;
    spec.pixelRows = {{uint8_t(a), uint8_t(a >> 8), uint8_t(b), uint8_t(b >> 8)}};
    RgbaImage image;
    ASSERT_TRUE(Decode(spec, image));
    EXPECT_EQ(At(image, 0, 0), (Texel{255, 32, 24, 255}));
    EXPECT_EQ(At(image, 1, 0), (Texel{8, 16, 246, 255}));
}

TEST(BmpDecoder, PaletteRules) {
    BmpSpec spec;
    spec.width = 3;
    spec.bitsPerPixel = 4;
    spec.palette = {0x102030, 0x405060};
    spec.declaredColours = 2;
    spec.pixelRows = {{0x01, 0x00}};  // indices 0, 1, 0
    RgbaImage image;
    ASSERT_TRUE(Decode(spec, image));
    EXPECT_EQ(At(image, 1, 0), (Texel{0x40, 0x50, 0x60, 255}));
    EXPECT_EQ(At(image, 2, 0), (Texel{0x10, 0x20, 0x30, 255}));

    spec.pixelRows = {{0x02, 0x00}};
    EXPECT_FALSE(Decode(spec, image)) << "an index past the palette's entries";
    EXPECT_TRUE(image.Empty());
    spec.pixelRows = {{0x01, 0x00}};
    spec.declaredColours = 3;
    EXPECT_FALSE(Decode(spec, image)) << "more colours than the space before the pixels holds";
    spec.declaredColours = 0;
    EXPECT_FALSE(Decode(spec, image)) << "count 0 means all sixteen, which are not there either";
}

TEST(BmpDecoder, Os2HeaderWithThreeBytePaletteEntries) {
    BmpSpec spec;
    spec.os2Header = true;
    spec.width = 9;
    spec.bitsPerPixel = 1;
    spec.palette = {0x000000, 0xFFEEDD};
    spec.pixelRows = {{0x80, 0x80}};  // pixels 0 and 8 lit
    RgbaImage image;
    ASSERT_TRUE(Decode(spec, image));
    ASSERT_EQ(image.width, 9);
    EXPECT_EQ(At(image, 0, 0), (Texel{0xFF, 0xEE, 0xDD, 255}));
    EXPECT_EQ(At(image, 1, 0), (Texel{0, 0, 0, 255}));
    EXPECT_EQ(At(image, 8, 0), (Texel{0xFF, 0xEE, 0xDD, 255}));
}

TEST(BmpDecoder, OffsetsAndSizesMustFitTheData) {
    BmpSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.pixelRows = Rows24({{1, 2}, {3, 4}});
    const auto good = MakeBmp(spec);
    RgbaImage image;
    ASSERT_TRUE(DecodeBmp(good.data(), good.size(), kNoColourKey, image));

    auto patched = [&](size_t at, uint32_t value) {
        auto bytes = good;
        for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
        return bytes;
    };
    const struct {
        size_t at;
        uint32_t value;
        const char* what;
    } faults[] = {
        {10, 0xFFFFFFF0u, "pixel offset far past the end"},
        {10, 20, "pixel offset inside the header"},
        {10, uint32_t(good.size() - 8), "pixel offset leaving too little data"},
        {18, 0x7FFFFFFF, "huge width"},
        {22, 0x80000000u, "most negative height"},
        {22, 0, "no rows"},
        {18, 0, "no columns"},
        {14, 108, "unknown header size"},
        {30, 1, "run-length compression"},
        {28, 2, "two bits per pixel"},
    };
    for (const auto& fault : faults) {
        const auto bytes = patched(fault.at, fault.value);  // at 28 this also clears the compression
        EXPECT_FALSE(DecodeBmp(bytes.data(), bytes.size(), kNoColourKey, image)) << fault.what;
        EXPECT_TRUE(image.Empty()) << fault.what;
    }
}

TEST(BmpDecoder, BitFieldsOnlyWithThePlainMasks) {
    BmpSpec spec;
    spec.bitsPerPixel = 32;
    spec.compression = 3;
    spec.masks = {0xFF0000, 0xFF00, 0xFF};
    spec.pixelRows = {{0x30, 0x20, 0x10, 0x99}};
    RgbaImage image;
    ASSERT_TRUE(Decode(spec, image));
    EXPECT_EQ(At(image, 0, 0), (Texel{0x10, 0x20, 0x30, 255}));

    spec.masks = {0xFF, 0xFF00, 0xFF0000};
    EXPECT_FALSE(Decode(spec, image));
    spec.bitsPerPixel = 24;  // bit fields never apply to 24 bits
    spec.masks = {0xFF0000, 0xFF00, 0xFF};
    spec.pixelRows = {{0x30, 0x20, 0x10}};
    EXPECT_FALSE(Decode(spec, image));
}

TEST(BmpDecoder, OnlyOnePlaneIsABmp) {
    BmpSpec spec;
    spec.pixelRows = Rows24({{0x0000FF}});
    std::vector<uint8_t> bytes = MakeBmp(spec);
    RgbaImage image;
    std::string problem;
    ASSERT_TRUE(DecodeBmp(bytes.data(), bytes.size(), kNoColourKey, image, &problem));
    for (uint16_t planes : {0, 2, 30000}) {
        bytes[26] = uint8_t(planes);
        bytes[27] = uint8_t(planes >> 8);
        EXPECT_FALSE(DecodeBmp(bytes.data(), bytes.size(), kNoColourKey, image, &problem)) << planes;
        EXPECT_EQ(problem, "BMP with " + std::to_string(planes) + " colour planes");
        EXPECT_TRUE(image.Empty());
    }
}

TEST(BmpDecoder, OtherFormatsFailQuietly) {
    const uint8_t png[] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    RgbaImage image;
    EXPECT_FALSE(DecodeBmp(png, sizeof png, kNoColourKey, image));
    EXPECT_FALSE(DecodeBmp(nullptr, 0, kNoColourKey, image));
}

}  // namespace
}  // namespace tvk
