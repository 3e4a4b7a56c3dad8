#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

namespace bdx4 {

/// The windows keep their layout in every language, and most languages are longer than English.
/// This names the texts of `window`'s labels and buttons that do not fit the room their widget
/// gives them (a line by its width and height, a word-wrapped label by the lines it needs and
/// its longest word) and the menus its menu bar cannot show, one line each.
QStringList textsThatDoNotFit(const QWidget* window);

/// For translators: checks each window a moment after it opens (message boxes included) and
/// logs what textsThatDoNotFit finds, under the category bdx4.texts. bdx4config installs it on
/// the application when started with BDX4_CHECK_TEXTS=1.
class TextFitWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace bdx4
