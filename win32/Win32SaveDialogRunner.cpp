// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Win32SaveDialogRunner.h"

#include "WideText.h"

#include <commdlg.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vormo::win {
namespace {

std::wstring toWide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::wstring toWide(const std::filesystem::path& path) { return path.wstring(); }

// Room for any path the system can open, not only the 259 characters of MAX_PATH: a longer
// name the user accepts must not be dropped without a word.
constexpr std::size_t kPathCapacity = 32768;

UINT_PTR CALLBACK placeDialog(HWND hook, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) {
        HWND dialog = GetParent(hook);
        RECT frame{};
        GetWindowRect(dialog, &frame);
        const auto* open = reinterpret_cast<OFNOTIFYW*>(lParam)->lpOFN;
        const POINT at = saveDialogPlace(open->hwndOwner,
                                         SIZE{frame.right - frame.left, frame.bottom - frame.top});
        SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    return 0;
}

} // namespace

POINT saveDialogPlace(HWND owner, SIZE dialog)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcMonitor;
    return POINT{area.left + ((area.right - area.left) - dialog.cx) / 2,
                 area.top + ((area.bottom - area.top) - dialog.cy) / 3};
}

std::optional<SaveDialogAnswer> Win32SaveDialogRunner::run(const SaveDialogSettings& settings)
{
    // "Name\0*.ext\0" for each entry, and one more NUL at the end.
    std::wstring filter;
    for (const auto& entry : settings.filters) {
        filter += toWide(entry.name) + L'\0';
        filter += toWide(entry.pattern) + L'\0';
    }
    filter += L'\0';

    std::vector<wchar_t> file(kPathCapacity, L'\0');
    const std::wstring proposed = toWide(settings.fileName);
    proposed.copy(file.data(), std::min(proposed.size(), file.size() - 1));
    const std::wstring title = toWide(settings.title);
    const std::wstring extension = toWide(settings.defaultExt);
    std::wstring folder = toWide(settings.initialDir);
    if (folder == L".") {
        std::error_code error;
        folder = std::filesystem::current_path(error).wstring();
    }

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(settings.filterIndex);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.lpfnHook = placeDialog;
    // The working folder stays: a plugin named relative to it must keep its meaning.
    dialog.Flags =
        OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_NOCHANGEDIR;
    if (settings.confirmOverwrite)
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (settings.confirmCreate)
        dialog.Flags |= OFN_CREATEPROMPT;
    if (!GetSaveFileNameW(&dialog))
        return std::nullopt;

    SaveDialogAnswer answer;
    answer.path = std::filesystem::path(file.data());
    answer.filterIndex = static_cast<int>(dialog.nFilterIndex);
    return answer;
}

} // namespace vormo::win
