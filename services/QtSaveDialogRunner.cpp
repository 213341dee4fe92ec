// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "QtSaveDialogRunner.h"

#include "CoreBridge.h"
#include "MessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QScreen>

namespace vormo {
namespace {

QString nameFilter(const FileTypeFilter& filter)
{
    return toQString(filter.name) + QStringLiteral(" (") + toQString(filter.pattern) + u')';
}

// Asks before a file is created when the settings want it; Qt asks before replacing one.
class SaveFileDialog final : public QFileDialog {
public:
    SaveFileDialog(QWidget* parent, const SaveDialogSettings& settings)
        : QFileDialog(parent, toQString(settings.title)), confirmCreate_(settings.confirmCreate)
    {
    }

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (confirmCreate_ && files.size() == 1 && !QFileInfo(files.first()).isDir() &&
            !QFileInfo::exists(files.first())) {
            MessageBoxRequest question;
            question.owner = this;
            question.caption = windowTitle();
            question.text = QFileInfo(files.first()).fileName() +
                            QStringLiteral(" does not exist.\nDo you want to create it?");
            question.icon = MessageBoxRequest::Icon::Question;
            question.yesNo = true;
            if (!messageBoxes().show(question))
                return;
        }
        QFileDialog::accept();
    }

private:
    bool confirmCreate_;
};

// Centred across the screen of the main window, one third of the spare height above it.
void place(QWidget& dialog)
{
    QWidget* anchor = QApplication::activeWindow();
    QScreen* screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = dialog.sizeHint().expandedTo(dialog.minimumSize());
    dialog.move(area.x() + (area.width() - size.width()) / 2,
                area.y() + std::max(0, (area.height() - size.height()) / 3));
}

} // namespace

std::optional<SaveDialogAnswer> QtSaveDialogRunner::run(const SaveDialogSettings& settings)
{
    SaveFileDialog dialog(QApplication::activeWindow(), settings);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.confirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);

    QStringList filters;
    for (const FileTypeFilter& filter : settings.filters)
        filters.append(nameFilter(filter));
    dialog.setNameFilters(filters);
    if (settings.filterIndex >= 1 && settings.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[settings.filterIndex - 1]);
    dialog.setDefaultSuffix(toQString(settings.defaultExt));
    dialog.setDirectory(QDir(fromPath(settings.initialDir)).absolutePath());
    if (!settings.fileName.empty())
        dialog.selectFile(fromPath(settings.fileName));
    place(dialog);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int index = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return SaveDialogAnswer{toPath(QFileInfo(dialog.selectedFiles().first()).absoluteFilePath()),
                            index > 0 ? index : settings.filterIndex};
}

} // namespace vormo
