#pragma once

// The program's pictures, built into the executable.

#include <QCursor>
#include <QIcon>

namespace vormo {

// The 32 x 32, 16-colour program icon: the application's and the editor window's.
QIcon programIcon();

// An arrow over a stack of three pages, its hot spot at the arrow's tip.
QCursor dragMultiCursor();

} // namespace vormo
