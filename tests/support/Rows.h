#pragma once

#include <QtTest>

namespace bdx4::test {

/// A data table whose rows are whole cases: `row("name", {...})`.
template <class Case> struct Rows {
    Rows() { QTest::addColumn<Case>("c"); }
    void operator()(const char* name, const Case& c) const { QTest::newRow(name) << c; }
};

} // namespace bdx4::test
