#include "DocumentControl.h"

namespace vormo {

DocumentControl::DocumentControl(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setVisible(false);
}

} // namespace vormo
