#pragma once

#include <QtTest>

namespace bdx4::test {

/// A data table of whole cases (struct or tuple): `row("name", {...})`, read by `fetch<Case>()`.
template <class Case> struct Rows {
    Rows() { QTest::addColumn<Case>("c"); }
    void operator()(const char* name, const Case& c) const { QTest::newRow(name) << c; }
};

/// The case of the row being run, as QFETCH(Case, c) reads it.
template <class Case> const Case& fetch() {
    return *static_cast<const Case*>(QTest::qData("c", qMetaTypeId<Case>()));
}

} // namespace bdx4::test
