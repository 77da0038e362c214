#pragma once
// Splitting a delimited text into a string list and joining a list back.

#include <string>
#include <vector>

namespace nuv {

// Clears `dest` and fills it from `text`: items are separated by `delim` or by
// blanks (bytes 1 to 32); an item starting with a double quote runs to the closing
// quote, two quotes in a row inside it standing for one. A `delim` at the start,
// two in a row or one at the very end give empty items. A GBK double-byte
// character is stepped over whole, so its second byte never counts as `delim`.
// A zero byte counts as a blank. Throws EAssertionFailed when `dest` is null.
void GetDelimiterText(std::vector<std::string>* dest, const std::string& text, char delim);

// The items joined by `delim`, neither quoted nor escaped; empty for an empty list.
std::string SetDelimiterText(const std::vector<std::string>& list, char delim);

} // namespace nuv
