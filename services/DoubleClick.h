#pragma once

// Double clicks on controls that have no signal for them (labels, pictures).

#include <functional>

class QWidget;

namespace vormo {

// Runs handler when widget, enabled, is double-clicked with the left button. The double click
// goes no further; a single click is left alone.
void onDoubleClick(QWidget* widget, std::function<void()> handler);

} // namespace vormo
