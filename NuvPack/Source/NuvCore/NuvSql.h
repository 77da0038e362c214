#pragma once
// Builders for the text of simple SQL statements. They only assemble text; names,
// conditions and (except in SqlMakeUpdate) values are taken exactly as given.
// A list that must be joined but is empty, or an update with fewer values than
// fields, throws EListError "List index out of bounds (%d)".

#include <string>
#include <vector>

namespace nuv {

// The items joined by "," with no blanks and no quoting.
std::string SqlMakeValues(const std::vector<std::string>& list);

// INSERT INTO table (f1,f2) VALUES (v1,v2);
std::string SqlMakeInsert(
    const std::string& table, const std::vector<std::string>& fields, const std::vector<std::string>& values);

// SELECT f1,f2 FROM table[ WHERE where][ ORDER BY order];
std::string SqlMakeSelect(const std::string& table, const std::vector<std::string>& fields,
    const std::string& where, const std::string& order);

// UPDATE table SET f1='v1',f2='v2'[ WHERE where]; -- each value is quoted here, and
// a single quote inside a value is doubled so the value cannot end its literal.
// Surplus values are ignored.
std::string SqlMakeUpdate(const std::string& table, const std::vector<std::string>& fields,
    const std::vector<std::string>& values, const std::string& where);

// DELETE FROM table[ WHERE where];
std::string SqlMakeDelete(const std::string& table, const std::string& where);

} // namespace nuv
