#pragma once

#include "platform/MenuMarks.h"

#include <QHash>

namespace bdx4::test {

/// Menu check marks kept in a table.
class FakeMenuMarks : public MenuMarks {
public:
    void setChecked(const QString& item, bool checked) override { marks[item] = checked; }
    bool isChecked(const QString& item) const override { return marks.value(item, false); }
    QHash<QString, bool> marks;
};

} // namespace bdx4::test
