#pragma once

#include <QString>

namespace bdx4 {

/// The name the save-file dialog hands on for the text typed into its name box: blanks at both
/// ends are dropped, and ".txt" is added unless the name already ends in exactly ".txt" (the
/// test counts case: "REPORT.TXT" becomes "REPORT.TXT.txt"). An empty box gives ".txt".
QString SavedFileName(const QString& typed);

/// The full path of `name` in `folder`, joined with "/" (no second one after a root "/").
QString SavedFilePath(const QString& folder, const QString& name);

} // namespace bdx4
