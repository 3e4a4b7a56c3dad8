#pragma once

#include <QString>

namespace bdx4 {

/// Check marks of the main window's menu items, addressed by item name: "cmd_UseACC_Yes",
/// "cmd_UseACC_No", "Use_COM_1" .. "Use_COM_16", "ConfigMenu_RS232_1" .. "ConfigMenu_RS232_4".
class MenuMarks {
public:
    virtual ~MenuMarks() = default;
    virtual void setChecked(const QString& item, bool checked) = 0;
    virtual bool isChecked(const QString& item) const = 0;
};

} // namespace bdx4
