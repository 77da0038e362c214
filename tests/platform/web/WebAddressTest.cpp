#include "ProxySelection.h"
#include "UrlParts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

TEST(ParseUrl, FindsSchemeHostAndPort)
{
    struct Case {
        const char* url;
        const char* scheme;
        const char* host;
        int port;
    };
    const Case cases[] = {
        { "http://hq.sinajs.cn/list=sh600000", "http", "hq.sinajs.cn", 80 },
        { "HTTPS://Example.COM", "https", "example.com", 443 },
        { "http://127.0.0.1:8080/", "http", "127.0.0.1", 8080 },
        { "http://user:pw@host.example:81?x=1", "http", "host.example", 81 },
        { "http://[::1]:9000/a", "http", "::1", 9000 },
    };
    for (const auto& c : cases) {
        const auto parts = ParseUrl(c.url);
        ASSERT_TRUE(parts) << c.url;
        EXPECT_EQ(parts->scheme, c.scheme) << c.url;
        EXPECT_EQ(parts->host, c.host) << c.url;
        EXPECT_EQ(parts->port, c.port) << c.url;
    }
}

TEST(ParseUrl, RejectsWhatIsNoAbsoluteWebAddress)
{
    for (const char* url : { "", "hq.sinajs.cn/list=", "http://", "http://:80/", "http://host:0/",
             "http://host:99999/", "http://host:8x/", "ftp://host/", "http://[::1/" })
        EXPECT_FALSE(ParseUrl(url)) << url;
}

TEST(EscapeForRequest, EncodesOnlyBytesThatCannotStandInARequestLine)
{
    EXPECT_EQ(EscapeForRequest("http://h/list=sh600000,sz000001"), "http://h/list=sh600000,sz000001");
    EXPECT_EQ(EscapeForRequest("http://h/list=\"sh600000 \",x"), "http://h/list=%22sh600000%20%22,x");
    EXPECT_EQ(EscapeForRequest("http://h/a\tb\r\n"), "http://h/a%09b%0D%0A");
    EXPECT_EQ(EscapeForRequest("http://h/\xB2\xE2"), "http://h/%B2%E2");
    EXPECT_EQ(EscapeForRequest("http://h/a%20b?x=1&&y=<2>"), "http://h/a%20b?x=1&&y=%3C2%3E");
}

namespace {

// Sets the proxy variables of one case and clears the others.
void UseEnvironment(const std::map<std::string, std::string>& values)
{
    for (const char* name : { "http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy",
             "ALL_PROXY", "no_proxy", "NO_PROXY" })
        ::unsetenv(name);
    for (const auto& [name, value] : values)
        ::setenv(name.c_str(), value.c_str(), 1);
}

} // namespace

TEST(ProxyForUrl, FollowsTheStandardVariables)
{
    const std::string p = "http://127.0.0.1:3128/";
    struct Case {
        std::map<std::string, std::string> env;
        const char* url;
        std::string expected;
    };
    const Case cases[] = {
        { {}, "http://hq.sinajs.cn/", "" },
        { { { "http_proxy", p } }, "http://hq.sinajs.cn/", p },
        // Upper-case HTTP_PROXY may come from a request header in CGI programs.
        { { { "HTTP_PROXY", p } }, "http://hq.sinajs.cn/", "" },
        { { { "http_proxy", p } }, "https://hq.sinajs.cn/", "" },
        { { { "HTTPS_PROXY", p } }, "https://hq.sinajs.cn/", p },
        { { { "all_proxy", p } }, "http://hq.sinajs.cn/", p },
        { { { "http_proxy", p }, { "no_proxy", "*" } }, "http://hq.sinajs.cn/", "" },
        { { { "http_proxy", p }, { "no_proxy", "sinajs.cn" } }, "http://hq.sinajs.cn/", "" },
        { { { "http_proxy", p }, { "no_proxy", ".sinajs.cn" } }, "http://hq.sinajs.cn/", "" },
        { { { "http_proxy", p }, { "NO_PROXY", "other.example, HQ.SINAJS.CN" } }, "http://hq.sinajs.cn/",
            "" },
        { { { "http_proxy", p }, { "no_proxy", "js.cn" } }, "http://hq.sinajs.cn/", p },
        { { { "http_proxy", p }, { "no_proxy", "hq.sinajs.cn.evil" } }, "http://hq.sinajs.cn/", p },
        { { { "http_proxy", p }, { "no_proxy", "127.0.0.0/8" } }, "http://127.0.0.1:81/", "" },
        { { { "http_proxy", p }, { "no_proxy", "10.0.0.0/8" } }, "http://127.0.0.1:81/", p },
        { { { "http_proxy", p }, { "no_proxy", "127.0.0.1" } }, "http://127.0.0.1/", "" },
        { { { "http_proxy", p } }, "not a url", "" },
    };
    for (const auto& c : cases) {
        UseEnvironment(c.env);
        std::string env;
        for (const auto& [name, value] : c.env)
            env += name + "=" + value + " ";
        EXPECT_EQ(ProxyForUrl(c.url), c.expected) << c.url << " with " << env;
    }
    UseEnvironment({});
}
