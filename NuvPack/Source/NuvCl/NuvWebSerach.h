#pragma once
// TNuvWebSerach: turns a search term into the address of a result page of
// Google web search, Baidu web search or Taobao shopping search. It only
// builds text; opening the address is the caller's business.
//
// The term goes into the address byte for byte, each byte percent-encoded
// (nuv::UrlEncode). The services read UTF-8 terms, so callers hand over the
// term's UTF-8 bytes; an empty term gives the prefix alone.

#include <string>

class TNuvWebSerach {
public:
    // url followed by the encoded key, with no separator of its own.
    std::string WebSerach(const std::string& url, const std::string& key) const;

    std::string Google(const std::string& key) const { return WebSerach(FGoogleURL, key); }
    std::string BaiDu(const std::string& key) const { return WebSerach(FBaiDuURL, key); }
    std::string TaoBao(const std::string& key) const { return WebSerach(FTaoBaoURL, key); }

    // The address prefixes, each ending with its query key.
    static const std::string FGoogleURL;
    static const std::string FBaiDuURL;
    static const std::string FTaoBaoURL;
};
