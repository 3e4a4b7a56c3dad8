#pragma once

#include <QString>

class QWidget;

namespace bdx4::dialogs {

/// The title of every message box that has no title of its own.
QString appTitle();

enum class Icon { None, Information, Warning, Critical };
enum class Answer { Yes, No, Cancel };

/// Shows a message with an OK button over `owner` (or the dialog in front of it) and returns
/// when the user has closed it.
void inform(QWidget* owner, const QString& title, const QString& text, Icon icon = Icon::None);
/// Asks a question with Yes (preselected) and No, under the application's title. It has no
/// escape: Escape and the frame's close box do nothing, so that a stray key throws no work away.
Answer askYesNo(QWidget* owner, const QString& text);
/// Asks a question with Yes (preselected), No and Cancel; Escape and the close box cancel.
Answer askYesNoCancel(QWidget* owner, const QString& text);

} // namespace bdx4::dialogs
