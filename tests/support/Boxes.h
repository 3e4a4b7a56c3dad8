#pragma once

// Answers the windows' message boxes by keys, as a person would, and finds controls by their text.

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

namespace bdx4::test {

/// The control of a window with `text`, its mnemonic's "&" left out.
template <typename W> W* find(QObject* window, const QString& text) {
    for (W* w : window->findChildren<W*>())
        if (QString(w->text()).remove(QLatin1Char('&')) == text)
            return w;
    return nullptr;
}

class BoxAnswerer : public QObject {
public:
    struct Shown {
        QString title, text;
        QMessageBox::Icon icon;
        QStringList windows; ///< the titles of the other windows on screen with it
    };
    /// The keys to press box by box (a key that leaves a box open is followed by the next on it);
    /// Enter when they run out. kCloseBox: the close button in the box's frame.
    QList<int> keys;
    static constexpr int kCloseBox = 0;
    /// Called for a modal window that is no message box.
    std::function<void(QWidget*)> onDialog;
    QList<Shown> shown;

    BoxAnswerer() {
        connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::look);
        timer_.start(2);
    }
    QStringList titles() const {
        QStringList list;
        for (const Shown& box : shown)
            list << box.title;
        return list;
    }

private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box && modal && modal != lastDialog_ && onDialog)
            onDialog(lastDialog_ = modal);
        if (!box || (box == last_ && sinceKey_.elapsed() < 300)) // a letter clicks a moment later
            return;
        if (box != last_) {
            QStringList windows;
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible() && window != box)
                    windows << window->windowTitle();
            shown.append({(last_ = box)->windowTitle(), box->text(), box->icon(), windows});
        }
        sinceKey_.start();
        const int key = keys.isEmpty() ? Qt::Key_Return : keys.takeFirst();
        if (key == kCloseBox)
            box->close();
        else
            QTest::keyClick(box, Qt::Key(key));
    }

    QTimer timer_;
    QPointer<QMessageBox> last_;
    QPointer<QWidget> lastDialog_;
    QElapsedTimer sinceKey_;
};

} // namespace bdx4::test
