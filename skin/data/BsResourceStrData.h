#pragma once
// The user-interface words of the skin engine (menu captions, button hints,
// edit menu ...), held as "NAME=text" lines that a program may replace, for
// instance with a translated table.

#include <QObject>

#include <string>
#include <vector>

class TbsResourceStrData : public QObject {
    Q_OBJECT
public:
    explicit TbsResourceStrData(QObject* owner = nullptr);

    // The text after the "=" of the first line whose name matches without
    // regard to letter case; empty when there is no such line.
    std::string GetResStr(const std::string& name) const;

    // The table every new component starts with (130 lines).
    static const std::vector<std::string>& DefaultResStrings();
    // The program's own table: the default one plus "RESTORE_HINT=Restore"
    // after "MENUBUTTON_HINT" (131 lines).
    static std::vector<std::string> SystemResStrings();
    // The built-in text of a name in the default table, for users of the
    // words that have no table at hand.
    static std::string DefaultResStr(const std::string& name);

    std::vector<std::string> ResStrings;
    // Font character set given to skinned controls' fonts; 1 is the
    // platform's default set, 134 GB2312.
    int CharSet = 1;
};
