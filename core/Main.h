// The main window: tool bar, board and the game's flow.
#pragma once

#include <QWidget>

class Tmainform : public QWidget {
    Q_OBJECT
  public:
    explicit Tmainform(QWidget* parent = nullptr);
};
