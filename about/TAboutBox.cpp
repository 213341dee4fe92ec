#include "TAboutBox.h"

namespace vormo {

TAboutBox::TAboutBox(QWidget* owner) : QWidget(owner, Qt::Dialog)
{
    setObjectName(QStringLiteral("AboutBox"));
}

} // namespace vormo
