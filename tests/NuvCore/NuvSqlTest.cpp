#include "NuvSql.h"

#include "Exception.h"

#include <gtest/gtest.h>

#include <functional>

using Items = std::vector<std::string>;

TEST(NuvSql, AssembleStatements)
{
    struct Case {
        std::string built, expected;
    };
    const Case cases[] = {
        { nuv::SqlMakeValues({ "x" }), "x" },
        { nuv::SqlMakeValues({ "a", "b", "c" }), "a,b,c" },
        { nuv::SqlMakeSelect("t", { "*" }, "", ""), "SELECT * FROM t;" },
        { nuv::SqlMakeSelect("t", { "a", "b" }, "a=1", "b DESC"),
            "SELECT a,b FROM t WHERE a=1 ORDER BY b DESC;" },
        { nuv::SqlMakeSelect("t", { "a" }, "", "a"), "SELECT a FROM t ORDER BY a;" },
        { nuv::SqlMakeInsert("t", { "a", "b" }, { "1", "'x'" }), "INSERT INTO t (a,b) VALUES (1,'x');" },
        { nuv::SqlMakeUpdate("t", { "a", "b" }, { "1", "x" }, "id=3"),
            "UPDATE t SET a='1',b='x' WHERE id=3;" },
        { nuv::SqlMakeUpdate("t", { "a" }, { "1" }, ""), "UPDATE t SET a='1';" },
        { nuv::SqlMakeUpdate("t", { "a" }, { "1", "surplus" }, ""), "UPDATE t SET a='1';" },
        { nuv::SqlMakeDelete("t", ""), "DELETE FROM t;" },
        { nuv::SqlMakeDelete("t", "id=3"), "DELETE FROM t WHERE id=3;" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.built, c.expected);
}

TEST(NuvSql, UpdateDoublesQuotesInsideValues)
{
    EXPECT_EQ(
        nuv::SqlMakeUpdate("people", { "name", "note" }, { "O'Brien", "x'; DROP TABLE people; --" }, "id=1"),
        "UPDATE people SET name='O''Brien',note='x''; DROP TABLE people; --' WHERE id=1;");
    EXPECT_EQ(nuv::SqlMakeUpdate("t", { "a" }, { "''" }, ""), "UPDATE t SET a='''''';");
}

TEST(NuvSql, MissingItemsFailWithTheListIndexError)
{
    struct Case {
        std::function<std::string()> build;
        std::string message;
    };
    const Case cases[] = {
        { [] { return nuv::SqlMakeValues({}); }, "List index out of bounds (-1)" },
        { [] { return nuv::SqlMakeInsert("t", {}, { "1" }); }, "List index out of bounds (-1)" },
        { [] { return nuv::SqlMakeInsert("t", { "a" }, {}); }, "List index out of bounds (-1)" },
        { [] { return nuv::SqlMakeSelect("t", {}, "", ""); }, "List index out of bounds (-1)" },
        { [] { return nuv::SqlMakeUpdate("t", {}, { "1" }, ""); }, "List index out of bounds (-1)" },
        { [] {
             return nuv::SqlMakeUpdate("t", { "a", "b", "c" }, { "1" }, "");
         },
            "List index out of bounds (1)" },
        { [] { return nuv::SqlMakeUpdate("t", { "a" }, {}, ""); }, "List index out of bounds (0)" },
    };
    for (const Case& c : cases) {
        try {
            c.build();
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}
