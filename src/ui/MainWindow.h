#pragma once

#include <QMainWindow>

namespace bdx4 {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace bdx4
