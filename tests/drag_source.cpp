// Test helper for the X drop check: a small window in the screen's top left corner that starts
// dragging one file as soon as a mouse button goes down on it. It offers copy and move, and
// reports on standard output when the drag starts ("dragging"), each action the drop target
// answers ("action copy"), how the drag ended ("done copy"), and when the target has told it
// that it handled the drop ("finished"). It runs until killed: the target reads the data from
// it at the drop.
//   drag_source FILE

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

void say(const char* what, const char* detail = nullptr)
{
    std::printf(detail ? "%s %s\n" : "%s\n", what, detail);
    std::fflush(stdout);
}

const char* actionName(Qt::DropAction action)
{
    switch (action) {
    case Qt::CopyAction:
        return "copy";
    case Qt::MoveAction:
        return "move";
    case Qt::LinkAction:
        return "link";
    default:
        return "ignore";
    }
}

class DragSource final : public QWidget {
public:
    explicit DragSource(QString path) : path_(std::move(path))
    {
        setWindowTitle(QStringLiteral("Vormo drag source"));
        setFixedSize(160, 120);
        move(0, 0);
    }

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(path_)});
        drag->setMimeData(data);
        connect(drag, &QDrag::actionChanged, this,
                [](Qt::DropAction action) { say("action", actionName(action)); });
        // Qt lets go of the drag when the target reports the drop handled, or after giving up
        // waiting for that report.
        connect(drag, &QObject::destroyed, this, [] { say("finished"); });
        say("dragging");
        const Qt::DropAction result = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
        say("done", actionName(result));
    }

private:
    QString path_;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drag_source FILE\n");
        return 2;
    }
    DragSource source(QString::fromLocal8Bit(argv[1]));
    source.show();
    return QApplication::exec();
}
