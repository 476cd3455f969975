#pragma once

#include <QtTest>

// The columns of a data table in one call: columns<QString, int>("text", "count").
template <typename... Types, typename... Names> void columns(Names... names)
{
    static_assert(sizeof...(Types) == sizeof...(Names), "one name for each column");
    (QTest::addColumn<Types>(names), ...);
}

// One row of a data table: row("tag", text, count).
template <typename... Values> void row(const char* tag, const Values&... values)
{
    (QTest::newRow(tag) << ... << values);
}
