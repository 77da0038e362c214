// The search addresses of the three services: the prefix, then every byte of
// the term percent-encoded, nothing added for an empty term.
#include "NuvWebSerach.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char* what;
    std::string (TNuvWebSerach::*build)(const std::string&) const;
    std::string key;
    std::string address;
};

TEST(NuvWebSerach, EachServiceHasItsPrefixAndEncodesEveryByte)
{
    const Case cases[] = {
        { "letters are encoded too", &TNuvWebSerach::BaiDu, "abc", "https://www.baidu.com/s?wd=%61%62%63" },
        { "UTF-8 bytes of 股票, upper-case digits", &TNuvWebSerach::Google, "\xE8\x82\xA1\xE7\xA5\xA8",
            "https://www.google.com.hk/search?hl=zh-CN&client=&&q=%E8%82%A1%E7%A5%A8" },
        { "a blank is %20, never +", &TNuvWebSerach::TaoBao, "a b",
            "https://s.taobao.com/search?q=%61%20%62" },
        { "empty Google term ends in &&q=", &TNuvWebSerach::Google, "",
            "https://www.google.com.hk/search?hl=zh-CN&client=&&q=" },
        { "empty Baidu term ends in /s?wd=", &TNuvWebSerach::BaiDu, "", "https://www.baidu.com/s?wd=" },
        { "empty Taobao term ends in q=", &TNuvWebSerach::TaoBao, "", "https://s.taobao.com/search?q=" },
    };
    const TNuvWebSerach serach;
    for (const Case& c : cases)
        EXPECT_EQ((serach.*c.build)(c.key), c.address) << c.what;
}

TEST(NuvWebSerach, WebSerachAddsNoSeparatorOfItsOwn)
{
    EXPECT_EQ(TNuvWebSerach().WebSerach("x", "\xB9\xC9"), "x%B9%C9");
}

} // namespace
