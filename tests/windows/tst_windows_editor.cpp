// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Windows editor as a player meets it, in this process under the real window manager of
// the system: built as the field table says, its dependent fields, its commands and menus, the
// save dialog, the error box and the about box, and the bytes its saves leave on disk.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest.h>

#include "FieldTable.h"
#include "ItemLists.h"
#include "Resources.h"
#include "RuleScenarios.h"
#include "WindowDriver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <sstream>
#include <vector>

using namespace vormo;
using namespace vormo::test;

namespace {

std::vector<std::string> words(const std::string& text)
{
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        all.push_back(word);
    return all;
}

std::string narrow(const std::u16string& text) { return toUtf8(text); }

std::string valueOf(const FieldDef& def)
{
    HWND window = control(ascii(def.name));
    return def.kind == FieldKind::Check ? (checked(window) ? "1" : "0")
                                        : narrow(windowText(window));
}

std::string defaultOf(const FieldDef& def)
{
    return def.kind == FieldKind::Check ? (def.defaultChecked ? "1" : "0") : def.defaultText;
}

std::string hintOf(std::size_t label)
{
    std::vector<wchar_t> text(1024);
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = Form1->handle();
    info.uId = label;
    info.lpszText = text.data();
    if (!SendMessageW(Form1->hints().handle(), TTM_GETTEXTW, text.size(),
                      reinterpret_cast<LPARAM>(&info)) &&
        !Form1->hints().has(label))
        return "(none)";
    return narrow(fromWide(text.data()));
}

// Where the pop-up menu opened while action ran, and the item picked by its access key.
POINT menuOpenedAt(char key, const std::function<void()>& action)
{
    POINT at{-100, -100};
    whileShown(
        L"#32768",
        [&](HWND menu) {
            RECT area{};
            GetWindowRect(menu, &area);
            at = POINT{area.left, area.top};
            PostMessageW(Form1->handle(), WM_KEYDOWN, key ? WPARAM(key) : VK_ESCAPE, 1);
        },
        action);
    return at;
}

} // namespace

TEST_CASE("the editor is built from the field table")
{
    Session s;
    for (const FieldDef& def : fields()) {
        const std::string named_ = def.name;
        CAPTURE(named_);
        HWND window = control(ascii(def.name));
        REQUIRE(window);
        const RECT area = clientRect(window);
        CHECK(area.left == def.geometry.left);
        CHECK(area.top == def.geometry.top);
        CHECK(area.right - area.left == def.geometry.width);
        CHECK(area.bottom - area.top == def.geometry.height);
        CHECK(bool(IsWindowEnabled(window)) == def.enabledAtStart);
        CHECK(valueOf(def) == defaultOf(def));
        const char* kinds[] = {"Edit", "ComboBox", "Button"};
        CHECK(className(window) == kinds[static_cast<int>(def.kind)]);
        if (def.kind == FieldKind::Combo) {
            CHECK((GetWindowLongW(window, GWL_STYLE) & 3) == CBS_DROPDOWN);
            // Its open list shows up to eight items of 13 pixels.
            SendMessageW(window, CB_SHOWDROPDOWN, TRUE, 0);
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            GetComboBoxInfo(window, &info);
            RECT list{};
            GetClientRect(info.hwndList, &list);
            SendMessageW(window, CB_SHOWDROPDOWN, FALSE, 0);
            CHECK(SendMessageW(window, CB_GETITEMHEIGHT, 0, 0) == 13);
            CHECK(list.bottom == std::min<int>(8, int(itemList(def.items).size())) * 13);
            const auto& items = itemList(def.items);
            REQUIRE(SendMessageW(window, CB_GETCOUNT, 0, 0) == LRESULT(items.size()));
            CHECK(findItem(window, items.back()) == int(items.size()) - 1);
        }

        // The labels stand right before their field in z-order, which screen readers name it
        // by; a check box, which they name by its own text, carries them too.
        std::string before, named;
        for (HWND previous = GetWindow(window, GW_HWNDPREV);
             previous && className(previous) == "Static";
             previous = GetWindow(previous, GW_HWNDPREV))
            before = narrow(windowText(previous)) + (before.empty() ? "" : " ") + before;
        for (const LabelDef& label : labels()) {
            if (std::string_view(label.field) == def.name)
                named += (named.empty() ? "" : " ") + std::string(label.caption);
        }
        CHECK(before == named);
        if (def.kind == FieldKind::Check)
            CHECK(narrow(windowText(window)) == named);
    }
    for (std::size_t i = 0; i < labels().size(); ++i) {
        const LabelDef& def = labels()[i];
        const std::string named_ = def.name;
        CAPTURE(named_);
        HWND window = control(ascii(def.name));
        const RECT area = clientRect(window);
        CHECK(narrow(windowText(window)) == def.caption);
        CHECK(area.left == def.geometry.left);
        CHECK(area.top == def.geometry.top);
        CHECK(area.bottom - area.top == 13);
        CHECK(bool(IsWindowEnabled(window)) == def.enabledAtStart);
        CHECK(hintOf(i) == (def.hint && def.hintShownAtStart ? def.hint : "(none)"));
        // No caption runs into what follows it on its row.
        for (const FieldDef& f : fields()) {
            if (f.geometry.top <= def.geometry.top + 13 &&
                def.geometry.top < f.geometry.top + f.geometry.height &&
                f.geometry.left > def.geometry.left)
                CHECK(area.right <= f.geometry.left + (f.kind == FieldKind::Check ? 0 : 1));
        }
    }
    const std::pair<const char16_t*, RECT> buttons[] = {{u"NewBtn", {440, 136, 489, 185}},
                                                        {u"SaveBtn", {440, 184, 489, 233}},
                                                        {u"SaveAsBtn", {440, 232, 489, 281}},
                                                        {u"QuitBtn", {440, 280, 489, 329}}};
    for (const auto& [name, expected] : buttons) {
        const RECT area = clientRect(control(name));
        CHECK(EqualRect(&area, &expected));
        CHECK((GetWindowLongW(control(name), GWL_STYLE) & 0xF) == BS_PUSHBUTTON);
    }
}

TEST_CASE("the editor window, its task-bar entry and its hints")
{
    Session s;
    HWND form = Form1->handle();
    const LONG style = GetWindowLongW(form, GWL_STYLE), ex = GetWindowLongW(form, GWL_EXSTYLE);
    CHECK(narrow(windowText(form)) == "Vormo Weapon Editor");
    CHECK((style & WS_CAPTION) == WS_CAPTION);
    CHECK((style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0);
    CHECK((ex & WS_EX_TOOLWINDOW) != 0);
    RECT client{}, frame{};
    GetClientRect(form, &client);
    GetWindowRect(form, &frame);
    CHECK(client.right == 528);
    CHECK(client.bottom == 350);
    CHECK(frame.left ==
          GetSystemMetrics(SM_XVIRTUALSCREEN) +
              (GetSystemMetrics(SM_CXVIRTUALSCREEN) - (frame.right - frame.left)) / 2);
    CHECK(frame.top == GetSystemMetrics(SM_YVIRTUALSCREEN) +
                           (GetSystemMetrics(SM_CYVIRTUALSCREEN) - (frame.bottom - frame.top)) / 2);
    CHECK(GetClassLongPtrW(form, GCLP_HBRBACKGROUND) == COLOR_BTNFACE + 1);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(u"Name"), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    CHECK(narrow(fromWide(font.lfFaceName)) == "MS Sans Serif");
    CHECK(font.lfHeight == -11);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(u"Label48"), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    CHECK(font.lfWeight == FW_BOLD);

    // The task-bar entry is the application's own window, under the application title.
    HWND entry = GetWindow(form, GW_OWNER);
    CHECK(entry == s.app->handle());
    CHECK(narrow(windowText(entry)) == "Vormo Weapon Plugin Maker");
    CHECK((GetWindowLongW(entry, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0);
    CHECK(IsWindowVisible(entry));
    CHECK(GetWindow(AboutBox->handle(), GW_OWNER) == entry);
    CHECK_FALSE(IsWindowVisible(AboutBox->handle()));

    HWND tips = Form1->hints().handle();
    CHECK(SendMessageW(tips, TTM_GETDELAYTIME, TTDT_INITIAL, 0) == 500);
    CHECK(SendMessageW(tips, TTM_GETDELAYTIME, TTDT_RESHOW, 0) == 0);
    CHECK(SendMessageW(tips, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0) == 2500);

    // Focus in Name with its whole text selected, so that typing replaces it.
    CHECK(GetFocus() == control(u"Name"));
    DWORD from = 1, to = 0;
    SendMessageW(control(u"Name"), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    CHECK(from == 0);
    CHECK(to == 4);
}

TEST_CASE("Tab visits the enabled fields in table order, then the buttons")
{
    Session s;
    std::string expected, visited;
    for (const FieldDef& def : fields())
        expected += def.enabledAtStart ? std::string(def.name) + " " : "";
    expected += "NewBtn SaveBtn SaveAsBtn QuitBtn Name";
    expected.erase(0, expected.find(' ') + 1); // starting from Name
    CHECK(GetFocus() == control(u"Name"));
    for (int i = 0; i < 60 && (visited.empty() || GetFocus() != control(u"Name")); ++i) {
        press(VK_TAB);
        HWND focus = GetFocus();
        if (GetParent(focus) != Form1->handle())
            focus = GetParent(focus); // the edit box inside a combo box
        std::string name = "?";
        for (const char16_t* candidate : {u"NewBtn", u"SaveBtn", u"SaveAsBtn", u"QuitBtn"})
            name = control(candidate) == focus ? narrow(candidate) : name;
        for (const FieldDef& def : fields())
            name = control(ascii(def.name)) == focus ? def.name : name;
        visited += (visited.empty() ? "" : " ") + name;
        // An edit box entered by Tab has its whole text selected.
        if (className(focus) == "Edit") {
            DWORD from = 1, to = 0;
            SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                         reinterpret_cast<LPARAM>(&to));
            CHECK(from == 0);
            CHECK(to == DWORD(GetWindowTextLengthW(focus)));
        }
    }
    CHECK(visited == expected);
}

TEST_CASE("dependent fields follow their group")
{
    for (const RuleScenario& scenario : kRuleScenarios) {
        const std::string edits = scenario.edits;
        CAPTURE(edits);
        Session s;
        for (const std::string& edit : words(scenario.edits)) {
            const bool click = edit.front() == '!';
            const std::string name = edit.substr(click ? 1 : 0, edit.find('=') - (click ? 1 : 0));
            std::string text = click ? "" : edit.substr(edit.find('=') + 1);
            std::replace(text.begin(), text.end(), '_', ' ');
            HWND window = control(ascii(name));
            REQUIRE(window);
            if (click)
                ::click(window);
            else if (className(window) == "ComboBox" && findItem(window, ascii(text)) >= 0 &&
                     itemList(findField(ascii(name))->items)[findItem(window, ascii(text))] ==
                         ascii(text))
                pick(window, findItem(window, ascii(text)));
            else
                typeOver(window, ascii(text));
        }
        std::string changed, values;
        for (const FieldDef& def : fields()) {
            if (bool(IsWindowEnabled(control(ascii(def.name)))) != def.enabledAtStart)
                changed += std::string(" ") + def.name;
            if (valueOf(def) != defaultOf(def))
                values += std::string(" ") + def.name + "=" + valueOf(def);
        }
        for (std::size_t i = 0; i < labels().size(); ++i) {
            const LabelDef& def = labels()[i];
            const bool enabled = bool(IsWindowEnabled(Form1->label(i))) != def.enabledAtStart;
            const bool hint = Form1->hints().has(i) != (def.hint && def.hintShownAtStart);
            if (enabled || hint)
                changed += std::string(" ") + def.name +
                           (enabled == hint ? ""
                            : enabled       ? ":e"
                                            : ":h");
        }
        CHECK(changed == (*scenario.changed ? std::string(" ") + scenario.changed : ""));
        CHECK(values == " " + std::string(scenario.values));
    }
}

TEST_CASE("saves write what the Linux writer writes, to any name")
{
    Session s;
    TempDir dir;
    ScriptedDialog dialog;
    Form1->SaveDialog1.setRunner(&dialog);
    const std::string fresh = fixture("fresh.vwp");

    dialog.answer.clear(); // cancelled: nothing written, still untitled
    click(control(u"SaveBtn"));
    CHECK(dialog.runs == 1);
    CHECK(currentFileName() == "untitled.vwp");

    dialog.answer = dir / u"\u6b66\u5668 \u00fc\u20ac.vwp";
    click(control(u"SaveBtn"));
    CHECK(contents(dialog.answer) == fresh);
    typeOver(control(u"Name"), u"Ü€ Second");
    std::filesystem::remove(dialog.answer);
    click(control(u"SaveBtn")); // named now: no dialog
    CHECK(dialog.runs == 2);
    std::string second = fresh;
    for (const std::string line : {"NAME:", "weapon "}) {
        const auto at = second.find(line + "NAME");
        second.replace(at + line.size(), 4, "\xDC\x80 Second");
    }
    CHECK(contents(dialog.answer) == second);

    // The menu's Save is the button's; Save As always asks.
    const auto first = dialog.answer;
    dialog.answer = dir / u"other.txt";
    click(control(u"SaveAsBtn"));
    CHECK(contents(dialog.answer) == second);
    std::filesystem::remove(dialog.answer);
    menuOpenedAt('S', [] {
        SendMessageW(Form1->handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(200, 345));
    });
    pump();
    CHECK(dialog.runs == 3);
    CHECK(contents(dialog.answer) == second);
    CHECK(contents(first) == second);
}

TEST_CASE("the system save dialog takes a typed name from inside its own loop")
{
    Session s;
    TempDir dir;
    SetCurrentDirectoryW(dir.path.c_str()); // the dialog starts in the working directory
    RECT placed{};
    std::u16string title;
    const bool shown = whileShown(
        L"#32770",
        [&](HWND dialog) {
            GetWindowRect(dialog, &placed);
            title = windowText(dialog);
            HWND name = GetDlgItem(dialog, 0x47C); // the file-name box
            if (!name)
                name = GetDlgItem(dialog, 0x480);
            SetWindowTextW(editOf(name), L"typed");
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        },
        [] { click(control(u"SaveBtn")); });
    REQUIRE(shown);
    CHECK(narrow(title) == "Save Vormo Weapon...");
    CHECK(contents(dir / u"typed.vwp") == fixture("fresh.vwp"));
    CHECK(currentFileName() == dir.path / "typed.vwp");
    const POINT expected = saveDialogPlace(
        Form1->handle(), SIZE{placed.right - placed.left, placed.bottom - placed.top});
    CHECK(placed.left == expected.x);
    CHECK(placed.top == expected.y);
    SetCurrentDirectoryW(L"C:\\");
}

TEST_CASE("a save that fails shows its message and keeps the file that was there")
{
    TempDir dir;
    const char* full = std::getenv("VORMO_FULL_DIR"); // a small tmpfs, filled up
    struct Row {
        const char* what;
        std::filesystem::path target;
        bool readOnly;
    };
    std::vector<Row> rows{{"read-only", dir / u"old.vwp", true},
                          {"missing folder", dir / u"gone" / u"a.vwp", false}};
    if (full)
        rows = {{"full disk", std::filesystem::path(full) / "old.vwp", false}};
    for (const Row& row : rows) {
        CAPTURE(row.what);
        Session s;
        const bool existed = std::filesystem::exists(row.target.parent_path());
        if (existed && !full) {
            std::ofstream(row.target, std::ios::binary) << "old bytes";
            if (row.readOnly)
                SetFileAttributesW(row.target.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        const std::string before = contents(row.target);
        ScriptedDialog dialog;
        dialog.answer = row.target;
        Form1->SaveDialog1.setRunner(&dialog);
        const MessageBoxSeen box = messageBoxOf([] { click(control(u"SaveBtn")); });
        CHECK(narrow(box.caption) == "Vormo Weapon Plugin Maker");
        const std::string expected =
            full ? "Failed to Save Stream."
                 : "Cannot create file " + narrow(pathText(row.target)) + ".";
        CHECK(narrow(box.text) == expected);
        CHECK_FALSE(box.editorEnabled);
        CHECK(IsWindowEnabled(Form1->handle()));
        CHECK(contents(row.target) == before);
        CHECK(valueOf(fields()[0]) == "NAME"); // the window runs on as it was
    }
}

TEST_CASE("the pop-up menu opens at the window's point and runs its item afterwards")
{
    Session s;
    HWND form = Form1->handle();
    RECT frame{};
    GetWindowRect(form, &frame);
    struct Row {
        const char* what;
        POINT expected;
        std::function<void()> open;
    };
    const Row rows[] = {
        {"right press at 0,0",
         {frame.left, frame.top + 16},
         [&] { SendMessageW(form, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(0, 0)); }},
        {"right press at 100,50 with Shift",
         {frame.left + 100, frame.top + 66},
         [&] { SendMessageW(form, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(100, 50)); }},
        {"menu key on a check box",
         {frame.left - 1, frame.top + 15},
         [&] {
             SendMessageW(control(u"Scatter"), WM_CONTEXTMENU, WPARAM(control(u"Scatter")), -1);
         }},
        {"right click on a button",
         {frame.left + 450, frame.top + 160},
         [&] {
             POINT at{450, 144};
             ClientToScreen(form, &at);
             SendMessageW(control(u"NewBtn"), WM_CONTEXTMENU, WPARAM(control(u"NewBtn")),
                          MAKELPARAM(at.x, at.y));
         }},
    };
    for (const Row& row : rows) {
        CAPTURE(row.what);
        const POINT at = menuOpenedAt(0, row.open);
        CHECK(at.x == row.expected.x);
        CHECK(at.y == row.expected.y);
    }
    CHECK(menuOpenedAt(0, [&] { SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, 0); }).x == -100);
    CHECK(menuOpenedAt(0, [&] { SendMessageW(form, WM_MBUTTONDOWN, MK_MBUTTON, 0); }).x == -100);

    // About: the editor is disabled until the about box's OK; Escape does nothing.
    menuOpenedAt('A', [&] { SendMessageW(form, WM_RBUTTONDOWN, MK_RBUTTON, 0); });
    pump();
    HWND about = AboutBox->handle();
    CHECK(IsWindowVisible(about));
    CHECK_FALSE(IsWindowEnabled(form));
    RECT placed{};
    GetWindowRect(about, &placed);
    CHECK(placed.left == (GetSystemMetrics(SM_CXSCREEN) - (placed.right - placed.left)) / 2);
    CHECK(GetFocus() == AboutBox->control(u"OKButton"));
    press(VK_ESCAPE);
    CHECK(IsWindowVisible(about));
    press(VK_RETURN);
    CHECK_FALSE(IsWindowVisible(about));
    CHECK(IsWindowEnabled(form));
    // Shown again, it stays where it was moved to.
    SetWindowPos(about, nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Form1->About1Click(nullptr);
    GetWindowRect(about, &placed);
    CHECK(placed.left == 20);
    click(AboutBox->control(u"OKButton"));

    menuOpenedAt('Q', [&] { SendMessageW(form, WM_RBUTTONDOWN, MK_RBUTTON, 0); });
    pump();
    CHECK_FALSE(IsWindowVisible(form));
    CHECK(quitPosted());
}

TEST_CASE("the bullet-types help leaves the editor usable")
{
    Session s;
    const RECT label = clientRect(control(u"Label39"));
    const MessageBoxSeen help = messageBoxOf([&] {
        SendMessageW(Form1->handle(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                     MAKELPARAM(label.left + 2, label.top + 2));
    });
    CHECK(narrow(help.caption) == "Bullet Types...");
    CHECK(help.text.size() == 307);
    CHECK(narrow(help.text).rfind("Bullet types specifics:\n 0)Normal\n 1)", 0) == 0);
    CHECK(help.editorEnabled);
    CHECK(narrow(messageBoxOf([&] {
                     SendMessageW(Form1->handle(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                                  MAKELPARAM(label.left - 4, label.top + 2));
                 }).caption) == "(none)");
}

TEST_CASE("the about box exports the program icon as stored")
{
    Session s;
    TempDir dir;
    ScriptedDialog dialog;
    AboutBox->IconSaveDlg.setRunner(&dialog);
    Form1->About1Click(nullptr);
    HWND icon = AboutBox->control(u"ProgramIcon");
    CHECK(narrow(windowText(AboutBox->handle())) == "About...");
    CHECK((GetWindowLongW(AboutBox->handle(), GWL_STYLE) & WS_SYSMENU) == 0);
    RECT client{};
    GetClientRect(AboutBox->handle(), &client);
    CHECK(client.right == 298);
    CHECK(client.bottom == 213);
    CHECK(AboutBox->IconSaveDlg.FileName() == "VormoWeapon.ico");

    dialog.answer = dir / u"icon.png";
    SendMessageW(AboutBox->handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(icon), STN_DBLCLK),
                 reinterpret_cast<LPARAM>(icon));
    const std::string stored = fixture("../../resources/VormoWep.ico");
    CHECK(stored.size() == 766);
    CHECK(contents(dialog.answer) == stored);

    dialog.answer = dir / u"gone" / u"x.ico";
    const MessageBoxSeen box = messageBoxOf([&] {
        SendMessageW(AboutBox->handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(icon), STN_DBLCLK),
                     reinterpret_cast<LPARAM>(icon));
    });
    CHECK(narrow(box.text) == "Cannot create file " + narrow(pathText(dialog.answer)) + ".");
    CHECK(IsWindowVisible(AboutBox->handle())); // still up, the editor still disabled
    CHECK_FALSE(IsWindowEnabled(Form1->handle()));
}

TEST_CASE("a plugin opens from the command line and by a drop")
{
    const std::pair<const wchar_t*, const char*> lines[] = {
        {L"VormoWep.exe", "(none)"},
        {L"\"C:\\Program Files\\VormoWep.exe\" \"Z:\\tmp\\a b.vwp\"", "Z:\\tmp\\a b.vwp"},
        {L"VormoWep.exe \u6b66.vwp", "\xe6\xad\xa6.vwp"},
        {L"VormoWep.exe a.vwp b.vwp", "error"},
    };
    for (const auto& [line, expected] : lines) {
        std::string got;
        try {
            const auto plugin = pluginFromCommandLine(line);
            got = plugin ? narrow(plugin->u16string()) : "(none)";
        } catch (const VormoError&) {
            got = "error";
        }
        CHECK(got == expected);
    }

    TempDir dir;
    const auto plugin = dir / u"d\u00fcr \u6b66.vwp";
    std::filesystem::copy_file(std::filesystem::path(VORMO_TEST_DATA) / "foreign-plugin.vwp",
                               plugin);
    const auto drop = [&](std::vector<std::filesystem::path> files) {
        std::wstring names;
        for (const auto& file : files)
            names += file.wstring() + L'\0';
        names += L'\0';
        HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
        auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(header + 1));
        GlobalUnlock(memory);
        PostMessageW(Form1->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    };

    Session s;
    const MessageBoxSeen refused = messageBoxOf([&] { drop({plugin, plugin}), pump(); });
    CHECK(narrow(refused.text) == "Drop one plugin file at a time: nothing was opened.");
    CHECK(valueOf(fields()[0]) == "NAME");
    drop({plugin});
    pump();
    CHECK(valueOf(fields()[0]) == "Hand-made: Blaster \xc3\x9c");
    click(control(u"SaveBtn")); // back to the file it came from, in the editor's own form
    CHECK(contents(plugin) == fixture("foreign-plugin-resaved.vwp"));

    Session again;
    Form1->openFile(plugin);
    CHECK(currentFileName() == plugin);
}

TEST_CASE("the program ends when the editor closes, from Quit or the task bar")
{
    for (int way = 0; way < 2; ++way) {
        Session s;
        if (way == 0)
            click(control(u"QuitBtn"));
        else
            SendMessageW(s.app->handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        pump();
        CHECK_FALSE(IsWindowVisible(Form1->handle()));
        CHECK(quitPosted());
    }
}

TEST_CASE("at another setting everything grows with the font's text height")
{
    Session s;
    HWND form = Form1->handle();
    for (int dpi : {144, 120, 96}) {
        CAPTURE(dpi);
        RECT suggested{10, 20, 600, 500};
        SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(control(u"Name"), WM_GETFONT, 0, 0));
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        LOGFONTW face{};
        GetObjectW(font, sizeof face, &face);
        CHECK(face.lfHeight == -MulDiv(8, dpi, 72));
        const int height = dpi == 96 ? 13 : metrics.tmHeight;
        const auto sized = [&](int value) { return MulDiv(value, height, 13); };
        RECT client{}, frame{};
        GetClientRect(form, &client);
        GetWindowRect(form, &frame);
        CHECK(client.right == sized(528));
        CHECK(client.bottom == sized(350));
        CHECK(frame.left == 10);
        CHECK(frame.top == 20);
        for (const FieldDef& def : fields()) {
            const RECT area = clientRect(control(ascii(def.name)));
            CHECK(area.left == sized(def.geometry.left));
            CHECK(area.top == sized(def.geometry.top));
            CHECK(area.bottom - area.top == sized(def.geometry.height));
        }
        // The hints cover the labels where they now stand.
        for (std::size_t i = 0; i < labels().size(); ++i) {
            TTTOOLINFOW info{};
            info.cbSize = TTTOOLINFOW_V2_SIZE;
            info.hwnd = form;
            info.uId = i;
            if (!SendMessageW(Form1->hints().handle(), TTM_GETTOOLINFOW, 0,
                              reinterpret_cast<LPARAM>(&info)))
                continue;
            const RECT area = clientRect(Form1->label(i));
            CHECK(EqualRect(&info.rect, &area));
            CHECK(area.left == sized(labels()[i].geometry.left));
        }
        const RECT quit = clientRect(control(u"QuitBtn"));
        CHECK(quit.top == sized(280));
        CHECK(quit.right - quit.left == sized(49));
    }
}

namespace {
std::string nameWhenClosed;
void CALLBACK closeEditorOnceUp(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = FindWindowW(L"#32770", nullptr);
    if (Form1 && IsWindowVisible(Form1->handle()) && !(box && IsWindowVisible(box))) {
        KillTimer(nullptr, timer);
        nameWhenClosed = narrow(windowText(control(u"Name")));
        PostMessageW(Form1->handle(), WM_CLOSE, 0, 0);
    }
}
} // namespace

TEST_CASE("the program runs from start to exit status 0, whatever its command line")
{
    TempDir dir;
    const auto plugin = dir / u"\u6b66 a.vwp";
    std::filesystem::copy_file(std::filesystem::path(VORMO_TEST_DATA) / "foreign-plugin.vwp",
                               plugin);
    const std::wstring named = L"VormoWep.exe \"" + plugin.wstring() + L"\"";
    const std::wstring missing = L"VormoWep.exe \"" + (dir / u"none.vwp").wstring() + L"\"";
    const std::tuple<const wchar_t*, std::string, const char*> rows[] = {
        {L"VormoWep.exe", "(none)", "NAME"},
        {named.c_str(), "(none)", "Hand-made: Blaster \xc3\x9c"},
        {missing.c_str(), "Cannot open file " + narrow(pathText(dir / u"none.vwp")) + ".", "NAME"},
        {L"VormoWep.exe a.vwp b.vwp", "VormoWep.exe opens one plugin at a time; none was opened.",
         "NAME"},
    };
    for (const auto& [line, box, name] : rows) {
        CAPTURE(box);
        putAsideValues() = PutAsideValues{};
        nameWhenClosed.clear();
        const UINT_PTR closer = SetTimer(nullptr, 0, 50, closeEditorOnceUp);
        int status = -1;
        const MessageBoxSeen seen =
            messageBoxOf([&] { status = runProgram(GetModuleHandleW(nullptr), line); });
        KillTimer(nullptr, closer);
        CHECK(status == 0);
        CHECK(narrow(seen.caption == u"(none)" ? u"(none)" : seen.text) == box);
        CHECK(nameWhenClosed == name);
        CHECK(Form1 == nullptr); // taken down with the about box and the application window
        CHECK(AboutBox == nullptr);
        CHECK(App == nullptr);
    }
}
