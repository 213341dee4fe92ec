#include "Resources.h"

#include <QPixmap>

namespace vormo {

QIcon programIcon() { return QIcon(QStringLiteral(":/VormoWep.ico")); }

QCursor dragMultiCursor()
{
    return QCursor(QPixmap(QStringLiteral(":/DragMultiCursor.png")), 0, 0);
}

} // namespace vormo
