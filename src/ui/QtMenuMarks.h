#pragma once

#include "platform/MenuMarks.h"

#include <QAction>
#include <QHash>
#include <QPointer>

namespace bdx4 {

/// Check marks on the main window's checkable menu actions, found by item name.
class QtMenuMarks : public MenuMarks {
public:
    void add(const QString& item, QAction* action) { actions_.insert(item, action); }
    QAction* action(const QString& item) const { return actions_.value(item); }

    void setChecked(const QString& item, bool checked) override;
    bool isChecked(const QString& item) const override;

private:
    QHash<QString, QPointer<QAction>> actions_;
};

} // namespace bdx4
