#include "NuvSql.h"

#include "Exception.h"
#include "Format.h"
#include "NuvText.h"

namespace nuv {

namespace {

    const std::string& Item(const std::vector<std::string>& list, long index)
    {
        if (index < 0 || static_cast<std::size_t>(index) >= list.size())
            throw EListError(Format("List index out of bounds (%ld)", index));
        return list[static_cast<std::size_t>(index)];
    }

    std::string WhereClause(const std::string& where)
    {
        return where.empty() ? std::string() : " WHERE " + where;
    }

    // A value as an SQL string literal: quoted, its own quotes doubled.
    std::string QuotedValue(const std::string& value)
    {
        return AppendStr(Replace(value, "'", "''"), "'");
    }

} // namespace

std::string SqlMakeValues(const std::vector<std::string>& list)
{
    // The last item is fetched by index, so an empty list reports index -1.
    const long last = static_cast<long>(list.size()) - 1;
    std::string joined;
    for (long i = 0; i < last; ++i)
        joined += Item(list, i) + ",";
    return joined + Item(list, last);
}

std::string SqlMakeInsert(
    const std::string& table, const std::vector<std::string>& fields, const std::vector<std::string>& values)
{
    const std::string columns = SqlMakeValues(fields);
    const std::string row = SqlMakeValues(values);
    return "INSERT INTO " + table + " (" + columns + ") VALUES (" + row + ");";
}

std::string SqlMakeSelect(const std::string& table, const std::vector<std::string>& fields,
    const std::string& where, const std::string& order)
{
    std::string sql = "SELECT " + SqlMakeValues(fields) + " FROM " + table + WhereClause(where);
    if (!order.empty())
        sql += " ORDER BY " + order;
    return sql + ";";
}

std::string SqlMakeUpdate(const std::string& table, const std::vector<std::string>& fields,
    const std::vector<std::string>& values, const std::string& where)
{
    const long last = static_cast<long>(fields.size()) - 1;
    std::string assignments;
    for (long i = 0; i < last; ++i)
        assignments += Item(fields, i) + "=" + QuotedValue(Item(values, i)) + ",";
    assignments += Item(fields, last) + "=" + QuotedValue(Item(values, last));
    return "UPDATE " + table + " SET " + assignments + WhereClause(where) + ";";
}

std::string SqlMakeDelete(const std::string& table, const std::string& where)
{
    return "DELETE FROM " + table + WhereClause(where) + ";";
}

} // namespace nuv
