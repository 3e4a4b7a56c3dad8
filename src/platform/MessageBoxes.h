#pragma once

#include <QString>

namespace bdx4 {

/// The title every message box shows when it has no title of its own.
inline const QString kAppTitle = QStringLiteral("BDX4 Config");

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };
enum class MsgIcon { None, Information, Warning, Critical, Question };

/// One modal message box as the program asks for it.
struct MessageRequest {
    QString text;
    QString title = kAppTitle;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer defaultButton = MsgAnswer::Ok;
    MsgIcon icon = MsgIcon::None;
};

/// Modal message boxes. The windows show real dialogs; tests script the answers.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    /// Shows the box and waits until the user answers; returns the button pressed.
    /// Events keep running while the box is open (it is a nested event loop).
    virtual MsgAnswer show(const MessageRequest& request) = 0;
};

} // namespace bdx4
