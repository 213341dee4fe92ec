// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// For drop_xvfb.sh: a small window in the screen's top left corner that drags one file, offering
// copy and move, as soon as a mouse button goes down on it. It reports on standard output when
// the drag starts ("dragging"), each action the target answers ("action copy"), how the drag
// ended ("done copy") and when the target has said it handled the drop ("finished"). It runs
// until killed: the target reads the data from it at the drop.
//   drag_source FILE

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace {

// Prints what happened, with the drop action when there is one.
void say(const char* what, int action = -1)
{
    const char* const names[] = {" ignore", " copy", " move"}; // Qt's values 0, 1, 2
    std::printf("%s%s\n", what, action < 0 ? "" : names[std::min(action, 2)]);
    std::fflush(stdout);
}

class DragSource final : public QWidget {
public:
    QString path;

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(path)});
        drag->setMimeData(data);
        connect(drag, &QDrag::actionChanged, this,
                [](Qt::DropAction action) { say("action", action); });
        // Qt lets go of the drag once the target reports the drop handled, or gives up waiting.
        connect(drag, &QObject::destroyed, this, [] { say("finished"); });
        say("dragging");
        say("done", drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction));
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drag_source FILE\n");
        return 2;
    }
    DragSource source;
    source.path = QString::fromLocal8Bit(argv[1]);
    source.setWindowTitle(QStringLiteral("Vormo drag source"));
    source.setFixedSize(160, 120);
    source.move(0, 0);
    source.show();
    return QApplication::exec();
}
