#pragma once

#include "io/StoreFile.h"

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
/// What Escape and the frame's close box do at a Yes/No question.
enum class Escape {
    DoesNothing, ///< No throws work away: the question waits for Yes or No
    AnswersNo,   ///< No changes nothing
};
/// Asks a question with Yes (preselected) and No, under the application's title.
Answer askYesNo(QWidget* owner, const QString& text, Escape escape = Escape::DoesNothing);
/// Asks a question with Yes (preselected), No and Cancel; Escape and the close box cancel.
Answer askYesNoCancel(QWidget* owner, const QString& text);

/// Which of the two stores.
enum class Store { Maps, Voltages };
/// Tells that the store at `path` exists but cannot be read (`reason`), and that it is left as
/// it is.
void informStoreUnreadable(QWidget* owner, Store store, const QString& path, const QString& reason);
/// Tells what kept the store at `path` from being read whole, when anything did (unreadable, or
/// read in part: its line and fault, and that a copy is kept before it is first replaced).
void informStoreNotWhole(QWidget* owner, Store store, const QString& path,
                         const StoreReading& reading);
/// Asks whether to replace the file at `path` that another program changed since this one read
/// it; No (preselected) keeps the other program's file.
bool askReplaceChanged(QWidget* owner, const QString& path);
/// Tells that the file at `path`, read only in part, was kept as `copy` before it was replaced.
void informDamagedFileKept(QWidget* owner, const QString& path, const QString& copy);

} // namespace bdx4::dialogs
