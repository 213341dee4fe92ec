// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "QtSaveDialogRunner.h"

#include "CoreBridge.h"
#include "MessageBoxes.h"
#include "WindowRoles.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>

#include <filesystem>
#include <vector>

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

// The system's bytes for the absolute name the dialog gives. Qt shows bytes that are not UTF-8
// as U+FFFD, so a part holding one is looked up among its folder's entries; nullopt where two
// of them read the same, since the name cannot tell which one was chosen.
std::optional<std::filesystem::path> systemPath(const QString& chosen)
{
    namespace fs = std::filesystem;
    fs::path path = "/";
    for (const QString& part : chosen.split(u'/', Qt::SkipEmptyParts)) {
        fs::path next = path / toPath(part);
        std::vector<fs::path> matches;
        std::error_code error;
        for (auto entry = fs::directory_iterator(path, error);
             part.contains(QChar::ReplacementCharacter) && !error &&
             entry != fs::directory_iterator();
             entry.increment(error)) {
            if (fromPath(entry->path().filename()) == part)
                matches.push_back(entry->path());
        }
        if (matches.size() > 1)
            return std::nullopt;
        path = matches.empty() ? next : matches.front();
    }
    return path;
}

} // namespace

std::optional<SaveDialogAnswer> QtSaveDialogRunner::run(const SaveDialogSettings& settings)
{
    const QPointer<QWidget> owner = lastActiveWindow();
    SaveFileDialog dialog(owner, settings);
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

    const int result = dialog.exec();
    reactivate(owner);
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int index = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    const auto path = systemPath(QFileInfo(dialog.selectedFiles().first()).absoluteFilePath());
    if (!path)
        return std::nullopt;
    return SaveDialogAnswer{*path, index > 0 ? index : settings.filterIndex};
}

} // namespace vormo
