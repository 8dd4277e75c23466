#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tarnvik/values.h"
#include "values/blowfish.h"

namespace {

std::vector<uint8_t> FromHex(const std::string& hex) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

// Published vectors treat each 32-bit half as big-endian bytes; ours are little-endian. Reversing
// the bytes of each half turns a published block into the bytes that hold the same two words here.
std::vector<uint8_t> SwapHalves(std::vector<uint8_t> block) {
    std::swap(block[0], block[3]);
    std::swap(block[1], block[2]);
    std::swap(block[4], block[7]);
    std::swap(block[5], block[6]);
    return block;
}

struct Vector {
    const char* key;
    const char* plain;
    const char* cipher;
};

// Eric Young's published Blowfish ECB vectors (a selection; key bytes as published).
constexpr Vector kVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
};

TEST(Blowfish, PublishedVectorsWithLittleEndianHalves) {
    for (const Vector& v : kVectors) {
        std::vector<uint8_t> key = FromHex(v.key);
        tvk::Blowfish cipher(key.data(), key.size());
        std::vector<uint8_t> block = SwapHalves(FromHex(v.plain));
        cipher.EncipherBlocks(block.data(), block.size());
        EXPECT_EQ(block, SwapHalves(FromHex(v.cipher))) << v.key;
        cipher.DecipherBlocks(block.data(), block.size());
        EXPECT_EQ(block, SwapHalves(FromHex(v.plain))) << v.key;
    }
}

TEST(Blowfish, WordsMatchPublishedBlocksDirectly) {
    // On words there is no byte order: the published halves go in as they are.
    const uint8_t key[] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    tvk::Blowfish cipher(key, sizeof(key));
    uint32_t left = 0x11111111, right = 0x11111111;
    cipher.Encipher(left, right);
    EXPECT_EQ(left, 0x61F9C380u);
    EXPECT_EQ(right, 0x2281B096u);
}

TEST(TextCipher, EncryptTextGivesSwappedPublishedCipher) {
    RtString key, text;
    key.Assign("\x11\x11\x11\x11\x11\x11\x11\x11", 8);
    text.Assign("\x11\x11\x11\x11\x11\x11\x11\x11", 8);
    EXPECT_STREQ(EncryptText(key, text).c_str(), "87dd66249d3c968b");
}

TEST(TextCipher, LengthsPadToWholeBlocks) {
    EXPECT_EQ(EncryptText("k", "12345678").Length(), 16u);
    EXPECT_EQ(EncryptText("k", "123456789").Length(), 32u);
    EXPECT_STREQ(EncryptText("k", "").c_str(), "");
    EXPECT_STREQ(DecryptText("k", RtString("")).c_str(), "");
}

TEST(TextCipher, RoundTripsEveryLengthUpToForty) {
    std::string text;
    for (int n = 0; n <= 40; ++n) {
        RtString hex = EncryptText("secret key", text.c_str());
        EXPECT_EQ(hex.Length(), static_cast<uint32_t>((n + 7) / 8 * 16)) << n;
        for (uint32_t i = 0; i < hex.Length(); ++i) EXPECT_FALSE(hex.c_str()[i] >= 'A' && hex.c_str()[i] <= 'F');
        EXPECT_STREQ(DecryptText("secret key", hex).c_str(), text.c_str()) << n;
        text += static_cast<char>('a' + n % 26 + (n % 3 == 0 ? 128 - 'a' : 0));  // high bytes too
    }
}

TEST(TextCipher, UpperCaseHexDecipheresAlikeAndIsLowerCasedInPlace) {
    RtString hex = EncryptText("key", "Hello, world");
    RtString upper = UpperCase(hex);
    EXPECT_STREQ(DecryptText("key", upper).c_str(), "Hello, world");
    EXPECT_STREQ(upper.c_str(), hex.c_str());
}

TEST(TextCipher, EmptyKeyWorksAndDiffersFromOtherKeys) {
    RtString hex = EncryptText("", "some text");
    EXPECT_EQ(hex.Length(), 32u);
    EXPECT_STREQ(DecryptText("", hex).c_str(), "some text");
    EXPECT_STRNE(hex.c_str(), EncryptText("a", "some text").c_str());
}

TEST(TextCipher, WrongKeyOrOddHexGivesNoFault) {
    RtString hex = EncryptText("right", "the message");
    EXPECT_STRNE(DecryptText("wrong", hex).c_str(), "the message");
    RtString odd = hex + "7";  // the last unpaired character is ignored
    EXPECT_STREQ(DecryptText("right", odd).c_str(), "the message");
    RtString junk("zz-- not hex at all");
    DecryptText("right", junk);
}

}  // namespace
