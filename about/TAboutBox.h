#pragma once

// The about box: a window of its own, created hidden at start-up and reused every time it is
// shown.

#include <QWidget>

namespace vormo {

class TAboutBox : public QWidget {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* owner = nullptr);
};

} // namespace vormo
