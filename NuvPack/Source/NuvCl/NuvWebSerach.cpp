#include "NuvWebSerach.h"

#include "NuvText.h"

// Google's Chinese-language site and Baidu's web search keep the query key
// forms of the original addresses ("&&q=", "/s?wd="); there is no partner
// account, so "client=" stays empty. Taobao is searched on its own search page
// rather than through an affiliate redirector.
const std::string TNuvWebSerach::FGoogleURL = "https://www.google.com.hk/search?hl=zh-CN&client=&&q=";
const std::string TNuvWebSerach::FBaiDuURL = "https://www.baidu.com/s?wd=";
const std::string TNuvWebSerach::FTaoBaoURL = "https://s.taobao.com/search?q=";

std::string TNuvWebSerach::WebSerach(const std::string& url, const std::string& key) const
{
    return url + nuv::UrlEncode(key);
}
