#pragma once
// Builds quote answers in the shape the quote service sends them:
//   var hq_str_sh600000="<name>,<open>,<close>,<price>,<high>,<low>,<bid>,<ask>,
//   <volume>,<amount>,<20 bid/ask fields>,<date>,<time>,00,";
// one record a line, ended by LF. Names are GBK bytes.

#include <string>

namespace quotetext {

inline const std::string PufaBank = "\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0"; // 浦发银行
inline const std::string Vanke = "\xCD\xF2 \xBF\xC6\xA3\xC1"; // 万 科Ａ, with the service's blank

struct Quote {
    std::string key = "sh600000";
    std::string name = PufaBank;
    std::string open = "7.850";
    std::string preClose = "7.840";
    std::string price = "7.870";
    std::string high = "7.900";
    std::string low = "7.820";
    std::string bid = "7.860";
    std::string ask = "7.870";
    std::string volume = "25384617";
    std::string amount = "199713446.000";
    bool olderEnding = false; // `,00"` instead of `,00,"`
};

inline std::string Line(const Quote& q)
{
    std::string line = "var hq_str_" + q.key + "=\"" + q.name + "," + q.open + "," + q.preClose + ","
        + q.price + "," + q.high + "," + q.low + "," + q.bid + "," + q.ask + "," + q.volume + "," + q.amount;
    for (int level = 0; level < 5; ++level)
        line += ",1200,7.86" + std::to_string(level); // bid volume and price
    for (int level = 0; level < 5; ++level)
        line += ",3400,7.87" + std::to_string(level); // ask volume and price
    line += ",2026-12-08,15:00:00,00";
    line += q.olderEnding ? "\";\n" : ",\";\n";
    return line;
}

inline std::string UnknownCodeLine(const std::string& key)
{
    return "var hq_str_" + key + "=\"\";\n";
}

} // namespace quotetext
