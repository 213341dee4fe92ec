// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PluginDrop.h"

#include "CoreBridge.h"
#include "ErrorReport.h"
#include "FileCommands.h"
#include "qt/editor/FormControls.h"
#include "qt/editor/TForm1.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace vormo {
namespace {

class PluginDropFilter final : public QObject {
public:
    explicit PluginDropFilter(TForm1& form) : QObject(&form), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void answer(QDropEvent& event, bool accepted);

    TForm1& form_;
    // Decided when the drag enters: asking the source for its data on every move would cost a
    // round trip each time.
    bool dragAccepted_ = false;
};

bool PluginDropFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &form_)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto& enter = static_cast<QDragEnterEvent&>(*event);
        dragAccepted_ = acceptedPluginDrop(form_, enter).has_value();
        answer(enter, dragAccepted_);
        return true;
    }
    case QEvent::DragMove:
        answer(static_cast<QDragMoveEvent&>(*event), dragAccepted_ && form_.isEnabled());
        return true;
    case QEvent::DragLeave:
        dragAccepted_ = false;
        return true;
    case QEvent::Drop: {
        dragAccepted_ = false;
        auto& drop = static_cast<QDropEvent&>(*event);
        // The data is asked for again: the source may have gone away since the drag entered.
        const std::optional<std::filesystem::path> path = acceptedPluginDrop(form_, drop);
        answer(drop, path.has_value());
        if (path) {
            // Run after the drop has been answered: the source waits for the answer, and an
            // error box would keep it waiting.
            QMetaObject::invokeMethod(
                &form_, [form = &form_, file = *path] { openDroppedPlugin(*form, file); },
                Qt::QueuedConnection);
        }
        return true;
    }
    default:
        return false;
    }
}

void PluginDropFilter::answer(QDropEvent& event, bool accepted)
{
    if (accepted) {
        // Never a move: the source would take it as leave to delete the file.
        event.setDropAction(Qt::CopyAction);
        event.accept();
    } else {
        event.setDropAction(Qt::IgnoreAction);
        event.ignore();
    }
}

// The addresses of a text/uri-list. Qt's own reading takes its comment lines, which start
// with '#', for addresses too, and a file manager that sends one would see its drop refused.
QList<QUrl> droppedUrls(const QMimeData& data)
{
    QList<QUrl> urls;
    for (const QByteArray& line : data.data(QStringLiteral("text/uri-list")).split('\n')) {
        const QByteArray address = line.trimmed();
        if (!address.isEmpty() && !address.startsWith('#'))
            urls.append(QUrl::fromEncoded(address));
    }
    return urls;
}

} // namespace

std::optional<std::filesystem::path> droppedPluginPath(const QMimeData& data)
{
    if (!data.hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = droppedUrls(data);
    if (urls.size() != 1)
        return std::nullopt;
    const QUrl url = urls.first();
    // A file address naming another host is remote: its path names some other file here.
    if (!url.isLocalFile() || !(url.host().isEmpty() || url.host() == u"localhost"))
        return std::nullopt;
    // Decoded here rather than by Qt, which turns bytes that are not UTF-8 into U+FFFD and so
    // names another file. "file:good.vwp" would name a file in whatever folder the program was
    // started from; a NUL would end the name early.
    const QByteArray path =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!path.startsWith('/') || path.contains('\0'))
        return std::nullopt;
    return std::filesystem::path(path.toStdString());
}

std::optional<std::filesystem::path> acceptedPluginDrop(const QWidget& form,
                                                        const QDropEvent& event)
{
    if (!form.isEnabled() || !(event.possibleActions() & Qt::CopyAction) || !event.mimeData())
        return std::nullopt;
    return droppedPluginPath(*event.mimeData());
}

void acceptPluginDrops(TForm1& form)
{
    // Edit and combo boxes would take text dropped on them; taking no drops themselves, they
    // pass every drag on to the window, whose rule then holds everywhere.
    for (QWidget* child : form.findChildren<QWidget*>())
        child->setAcceptDrops(false);
    form.setAcceptDrops(true);
    form.installEventFilter(new PluginDropFilter(form));
}

void openDroppedPlugin(TForm1& form, const std::filesystem::path& path)
{
    guarded([&] {
        FormControls controls(form);
        openPlugin(path, controls, *form.SaveDialog1);
        // The first field's text is new: so is its selection, which typing replaces.
        if (form.focusWidget() == form.Name)
            form.Name->selectAll();
    });
}

} // namespace vormo
