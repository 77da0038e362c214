#pragma once
// The program's identity: product id and version, and the maker's addresses.
//
// The maker's site is a build setting (QELVO_MAKER_SITE). A build without one
// has empty maker addresses and contacts no maker service at all (no
// advertisement, version check or news); its connectivity test goes to the
// quote service instead, so live quotes still work.

#include <string>

extern const std::string HomePageUrl; // "<site>/", or empty
extern const std::string NewsUrl; // "<site>/news.php", or empty
extern const std::string UpdateUrl; // "<site>/ver.php", or empty
extern const std::string ProductId; // "tavrel"
extern const std::string ProductVersion; // "2010-03-23"

// Whether this build names a maker's site.
bool MakerSiteConfigured();

// The address whose reachability decides whether to go on the Internet: the
// maker's home page, or the quote service's when there is no maker's site.
const std::string& ConnectivityProbeUrl();

// The maker's addresses a window works with: those of this build by default,
// or those of another site (tests point them at the loopback services).
struct TMakerAddresses {
    std::string HomePage; // "<site>/"
    std::string News; // "<site>/news.php"
    std::string Update; // "<site>/ver.php"
    std::string Ad; // "<site>/ad.php?id=tavrel"

    bool Configured() const { return !HomePage.empty(); }
    // All empty for an empty site.
    static TMakerAddresses At(const std::string& site);
    static TMakerAddresses OfBuild();
};
