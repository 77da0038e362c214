#include "NuvMD5.h"

#include <gtest/gtest.h>

#include <QPointer>

#include <cstring>
#include <memory>

namespace {

struct Case {
    std::string text;
    const char* digest;
};

// The RFC 1321 suite, lengths around the padding boundaries (55 bytes still leave
// room for the length in the last block, 56 to 63 need another block), a GBK
// text, an embedded zero byte and a long input.
const Case Cases[] = {
    { "", "d41d8cd98f00b204e9800998ecf8427e" },
    { "a", "0cc175b9c0f1b6a831c399e269772661" },
    { "abc", "900150983cd24fb0d6963f7d28e17f72" },
    { "message digest", "f96b697d7cb7938d525a2f31aaf161d0" },
    { "abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b" },
    { "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f" },
    { "12345678901234567890123456789012345678901234567890123456789012345678901234567890",
        "57edf4a22be3c955ac49da2e2107b67a" },
    { std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65" },
    { std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218" },
    { std::string(63, 'a'), "b06521f39153d618550606be297466d5" },
    { std::string(64, 'a'), "014842d480b571495a4a0363793f7367" },
    { std::string(65, 'a'), "c743a45e0d2e6a95cb859adae0248435" },
    { std::string(1000, 'a'), "cabe45dcc9ae5b66ba86600cca6b8ba8" },
    { "\xC4\xE3\xBA\xC3", "b94ae3c6d892b29cf48d9bea819b27b9" },
    { std::string("a\0b", 3), "70350f6027bce3713f6b76473084309b" },
    { std::string(200000, 'x'), "4b98146705d4b0b98b758a78ff6fb73f" },
};

} // namespace

TEST(NuvMD5, MatchesReferenceDigests)
{
    const TNuvMD5 md5;
    for (const Case& c : Cases)
        EXPECT_EQ(md5.MD5(c.text), c.digest) << c.text.size() << " bytes: " << c.text.substr(0, 80);
}

TEST(NuvMD5, GetMD5OfStrWritesTerminatedTextAndReturnsIt)
{
    const TNuvMD5 md5;
    for (const Case& c : Cases) {
        char out[40];
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(md5.GetMD5OfStr(c.text.data(), c.text.size(), out), out);
        EXPECT_STREQ(out, c.digest);
        EXPECT_EQ(out[33], '#'); // nothing written past the terminating zero
    }
}

TEST(NuvMD5, IsAComponentDestroyedWithItsOwner)
{
    auto owner = std::make_unique<QObject>();
    const QPointer<TNuvMD5> md5 = new TNuvMD5(owner.get());
    EXPECT_EQ(md5->MD5("abc"), "900150983cd24fb0d6963f7d28e17f72");
    owner.reset();
    EXPECT_TRUE(md5.isNull());
}
