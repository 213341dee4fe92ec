#pragma once

// The program icon: 766 bytes of a 32 x 32, 16-colour ICO, kept as a Qt resource. The same
// bytes are the application's icon, the editor's icon, the about box's picture and what the
// icon export writes.

#include <QByteArray>
#include <QIcon>
#include <QImage>

namespace vormo {

QByteArray programIconBytes();
QIcon programIcon();

// The icon's picture with its transparency; a null image for bytes of another layout.
QImage decodeProgramIcon(QByteArrayView ico);

} // namespace vormo
