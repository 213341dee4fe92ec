// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Windows editor as a player meets it, driven in this process with the messages a player's
// keys and clicks make: built as the field table says, its dependent fields, its commands and
// menus, the save dialog, the error box, the about box, and the bytes its saves leave on disk.
// Modal loops (message boxes, dialogs, the pop-up menu) are answered from a thread timer that
// fires inside them.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "CoreTest.h"

#include "FieldTable.h"
#include "FileCommands.h"
#include "ItemLists.h"
#include "RuleScenarios.h"
#include "WideText.h"
#include "win32/Application.h"
#include "win32/TAboutBox.h"
#include "win32/TForm1.h"

#include <commctrl.h>
#include <oleacc.h>
#include <shlobj.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <sstream>
#include <thread>

using namespace vormo;
using namespace vormo::win;
using namespace vormo::test;

namespace {

std::string textOf(HWND window) { return toUtf8(windowText(window)); }
HWND control(std::string_view name) { return Form1->control(ascii(name)); }
const char* const kButtons[] = {"NewBtn", "SaveBtn", "SaveAsBtn", "QuitBtn"};
// The file-name box of a save dialog; none in a message box.
HWND fileNameBox(HWND d) { return GetDlgItem(d, 0x47C); }

void pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) && message.message != WM_QUIT)
        dispatchMessage(message);
    if (message.message == WM_QUIT)
        PostQuitMessage(0); // left for quitPosted()
}

bool quitPosted()
{
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// A fresh program, as at start: put-aside values included.
struct Session {
    Session()
    {
        putAsideValues() = PutAsideValues{};
        app = std::make_unique<Application>(GetModuleHandleW(nullptr));
        app->createWindows(SW_SHOWNORMAL), pump();
    }
    ~Session() { app.reset(), pump(), quitPosted(); }
    std::unique_ptr<Application> app;
};

COMBOBOXINFO comboInfo(HWND window)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(window, &info);
    return info;
}

HWND editOf(HWND w) { return comboInfo(w).hwndItem ? comboInfo(w).hwndItem : w; }

void press(UINT key)
{
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    pump();
}

void click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0), pump(); }

// Picked with the arrow keys when it is an item of the list (exactly: the box's own search
// ignores case), else typed over the whole text.
void enter(HWND window, const std::u16string& text)
{
    HWND edit = editOf(window);
    SetFocus(edit);
    const auto item =
        edit == window ? CB_ERR
                       : SendMessageW(window, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(wide(text)));
    wchar_t found[256] = {};
    if (item != CB_ERR)
        SendMessageW(window, CB_GETLBTEXT, item, LPARAM(found));
    if (item != CB_ERR && fromWide(found) == text) {
        SendMessageW(window, CB_SETCURSEL, item ? item - 1 : item + 1, 0); // then a step onto it
        SendMessageW(edit, WM_KEYDOWN, item ? VK_DOWN : VK_UP, 1);
    } else {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        if (text.empty())
            SendMessageW(edit, WM_CHAR, VK_BACK, 1);
        for (char16_t c : text)
            SendMessageW(edit, WM_CHAR, c, 1);
    }
    pump();
}

RECT placeOf(HWND window)
{
    RECT area{};
    GetWindowRect(window, &area);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

std::string describe(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}
std::string placed(HWND window) { return describe(placeOf(window)); }
// A place of the table as laid out for a font of that text height.
std::string sized(Rect g, int height = 13)
{
    const auto at = [&](int v) { return MulDiv(v, height, 13); };
    return describe({at(g.left), at(g.top), at(g.left) + at(g.width), at(g.top) + at(g.height)});
}

// The parts joined by spaces, so that a failed check shows the whole row.
template <class... Parts> std::string row(const Parts&... parts)
{
    std::ostringstream line;
    ((line << parts << ' '), ...);
    return line.str();
}

// A modal wait that outlasts 15 s, or a box nobody asked for that stays up 3 s, fails the run
// at once and names it, rather than leaving a modal loop to the test's timeout. A thread
// watches, since the test's own thread may be stuck in that loop.
std::atomic<const char*> waitingFor{nullptr};
std::atomic<ULONGLONG> waitingSince{0};
// The next visible window of the class after `after` that this process shows: another
// program's (Wine's crash dialog, say) is none of the test's business.
HWND nextShown(const wchar_t* windowClass, HWND after = nullptr)
{
    DWORD process = 0;
    while ((after = FindWindowExW(nullptr, after, windowClass, nullptr)) &&
           (GetWindowThreadProcessId(after, &process),
            process != GetCurrentProcessId() || !IsWindowVisible(after)))
        ;
    return after;
}
std::string boxUp()
{
    const HWND box = nextShown(L"#32770");
    return box ? textOf(box) + " | " + textOf(GetDlgItem(box, 0xFFFF)) : "";
}
void watch()
{
    for (ULONGLONG boxSince = 0;; Sleep(100)) {
        const ULONGLONG now = GetTickCount64();
        const char* what = waitingFor;
        std::string box = what ? "" : boxUp();
        boxSince = box.empty() ? 0 : boxSince ? boxSince : now;
        if (what && now - waitingSince > 15000)
            box = std::string("gave up after 15 s waiting for ") + what;
        else if (boxSince && now - boxSince > 3000)
            box = "a box nobody asked for stayed up: " + box;
        else
            continue;
        std::fprintf(stderr, "%s\n", box.c_str()), ExitProcess(3);
    }
}
const bool watching = (std::thread(watch).detach(), true);
struct Waiting {
    explicit Waiting(const char* what) { waitingSince = GetTickCount64(), waitingFor = what; }
    ~Waiting() { waitingFor = nullptr; }
};

// While action runs, the first visible window of windowClass this thread shows is handed to
// answer inside its modal loop.
struct Modal {
    const wchar_t* windowClass;
    std::function<void(HWND)> answer;
    std::vector<HWND> seen; // each answered once; a question the answer raises comes next
} * pending;

void whileShown(const wchar_t* windowClass, std::function<void(HWND)> answer,
                const std::function<void()>& action)
{
    const Waiting waiting(wcscmp(windowClass, L"#32768") ? "a dialog or message box to be answered"
                                                         : "the pop-up menu to be answered");
    Modal modal{windowClass, std::move(answer), {}};
    pending = &modal;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND found = nullptr;
        while ((found = nextShown(pending->windowClass, found)) &&
               std::count(pending->seen.begin(), pending->seen.end(), found))
            ;
        if (found)
            pending->seen.push_back(found), pending->answer(found);
    });
    action();
    KillTimer(nullptr, timer);
    pump();
}

// "caption | text", the editor's enabled state while it showed; then OK. "(none)" if none.
bool editorEnabledUnderBox;
std::string messageBoxOf(const std::function<void()>& action)
{
    std::string seen = "(none)";
    whileShown(
        L"#32770",
        [&](HWND box) {
            seen = textOf(box) + " | " + textOf(GetDlgItem(box, 0xFFFF));
            editorEnabledUnderBox = IsWindowEnabled(Form1->handle());
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        },
        action);
    return seen;
}

// Where the pop-up menu opened while action ran, from the editor's outer corner; then the item
// of key, or none.
std::string menuOpenedAt(char key, const std::function<void()>& action)
{
    std::string at = "(none)";
    whileShown(
        L"#32768",
        [&](HWND menu) {
            RECT area{}, frame{};
            GetWindowRect(menu, &area), GetWindowRect(Form1->handle(), &frame);
            at = row(area.left - frame.left, area.top - frame.top);
            PostMessageW(Form1->handle(), WM_KEYDOWN, key ? WPARAM(key) : VK_ESCAPE, 1);
        },
        action);
    pump();
    return at;
}

void rightPress(int x, int y)
{
    SendMessageW(Form1->handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
}

std::string valueOf(const FieldDef& def)
{
    HWND box = control(def.name);
    return def.kind == FieldKind::Check ? std::to_string(SendMessageW(box, BM_GETCHECK, 0, 0))
                                        : textOf(box);
}

// What a screen reader reads as the window's name.
std::string accessibleName(HWND window)
{
    constexpr GUID kIAccessible{
        0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0, 0xAA, 0, 0x38, 0x9B, 0x71}};
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, kIAccessible,
                                          reinterpret_cast<void**>(&object))))
        return "(none)";
    VARIANT self{};
    self.vt = VT_I4, self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    object->get_accName(self, &name);
    const std::string text = name ? toUtf8(fromWide(name)) : "(none)";
    SysFreeString(name), object->Release();
    return text;
}

// Each label as painted: 1 all in the text colour, 0 all greyed, -1 neither or both.
std::vector<int> labelsShown()
{
    HWND form = Form1->handle();
    UpdateWindow(form);
    RECT client{};
    GetClientRect(form, &client);
    HDC dc = GetDC(form), copy = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    std::vector<int> shown;
    for (std::size_t i = 0; i < labels().size(); ++i) {
        const RECT a = Form1->labelArea(i);
        int ink[2] = {};
        for (int y = a.top; y < a.bottom; ++y)
            for (int x = a.left; x < a.right; ++x)
                for (int enabled : {0, 1})
                    ink[enabled] += GetPixel(copy, x, y) ==
                                    GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
        shown.push_back(ink[0] && ink[1] ? -1 : ink[1] ? 1 : ink[0] ? 0 : -1);
    }
    SelectObject(copy, old), DeleteObject(bitmap), DeleteDC(copy), ReleaseDC(form, dc);
    return shown;
}

std::string hintOf(std::size_t label)
{
    wchar_t text[1024] = {};
    TTTOOLINFOW info{TTTOOLINFOW_V2_SIZE, 0, Form1->handle(), label, {}, nullptr, text, 0, nullptr};
    SendMessageW(Form1->hints().handle(), TTM_GETTEXTW, 1024, LPARAM(&info));
    return Form1->hints().has(label) ? toUtf8(fromWide(text)) : "(none)";
}

} // namespace

TEST_CASE("the editor is built from the field table, its window as the task bar shows it")
{
    Session s;
    for (const FieldDef& def : fields()) {
        HWND window = control(def.name);
        if (def.kind == FieldKind::Combo) { // a drop-down list, up to eight of 13 pixels in view
            RECT list{};
            SendMessageW(window, CB_SHOWDROPDOWN, TRUE, 0);
            GetClientRect(comboInfo(window).hwndList, &list);
            SendMessageW(window, CB_SHOWDROPDOWN, FALSE, 0);
            CHECK(row(def.name, list.bottom, GetWindowLongW(window, GWL_STYLE) & 3) ==
                  row(def.name, std::min<int>(8, int(itemList(def.items).size())) * 13,
                      CBS_DROPDOWN));
        }
        // Screen readers name a field by its labels.
        std::string named;
        for (const LabelDef& label : labels())
            if (std::string_view(label.field) == def.name)
                named += (named.empty() ? "" : " ") + std::string(label.caption);
        CHECK(row(def.name, accessibleName(window), IsWindowEnabled(editOf(window))) ==
              row(def.name, named, def.enabledAtStart));
    }
    const std::vector<int> shown = labelsShown();
    for (std::size_t i = 0; i < labels().size(); ++i) {
        const LabelDef& def = labels()[i];
        const RECT at = Form1->labelArea(i);
        CHECK(row(def.name, at.left, at.top, shown[i], hintOf(i)) ==
              row(def.name, def.geometry.left, def.geometry.top, def.enabledAtStart,
                  def.hint && def.hintShownAtStart ? def.hint : "(none)"));
        // Nothing covers a label: the window has the mouse, for its cursor, hints, menu, double
        // click.
        CHECK(ChildWindowFromPoint(Form1->handle(), {at.left + 1, at.top + 1}) == Form1->handle());
        for (const FieldDef& f : fields()) { // no caption runs into what follows it
            const Rect& g = f.geometry;
            if (g.top < at.bottom && at.top < g.top + g.height && g.left > at.left)
                CHECK(at.right <= g.left);
        }
    }

    // The window, its task-bar entry, font, hints and focus.
    HWND form = Form1->handle(), entry = GetWindow(form, GW_OWNER);
    CHECK(textOf(form) == "Vormo Weapon Editor");
    CHECK((GetWindowLongW(form, GWL_STYLE) & (WS_SYSMENU | WS_THICKFRAME)) == 0);
    RECT frame{};
    GetWindowRect(form, &frame);
    CHECK(frame.left == (GetSystemMetrics(SM_CXVIRTUALSCREEN) - (frame.right - frame.left)) / 2);
    CHECK(frame.top == (GetSystemMetrics(SM_CYVIRTUALSCREEN) - (frame.bottom - frame.top)) / 2);
    LOGFONTW font{};
    GetObjectW(HFONT(SendMessageW(control("Name"), WM_GETFONT, 0, 0)), sizeof font, &font);
    CHECK(row(toUtf8(fromWide(font.lfFaceName)), font.lfHeight) == "MS Sans Serif -11 ");
    // The task bar shows the application's own window, under the application title.
    CHECK((entry == s.app->handle() && IsWindowVisible(entry) &&
           !(GetWindowLongW(entry, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)));
    CHECK(textOf(entry) == "Vormo Weapon Plugin Maker");
    std::string delays; // to show a hint, to show the next one, to take it down
    for (WPARAM delay : {TTDT_INITIAL, TTDT_RESHOW, TTDT_AUTOPOP})
        delays += row(SendMessageW(Form1->hints().handle(), TTM_GETDELAYTIME, delay, 0));
    CHECK(delays == "500 0 2500 ");

    // Focus in Name with its whole text selected, so that typing replaces it; Tab then visits
    // the enabled fields in table order, selecting an edit box's whole text, then the buttons.
    const auto tabFrom = [](const std::string& name) {
        HWND focus = GetFocus();
        DWORD from = 0, to = GetWindowTextLengthW(focus); // what a button, unasked, leaves
        SendMessageW(focus, EM_GETSEL, WPARAM(&from), LPARAM(&to));
        const bool whole = from == 0 && to == DWORD(GetWindowTextLengthW(focus));
        CHECK(row(name, focus == editOf(control(name)), whole) == name + " 1 1 ");
        press(VK_TAB);
    };
    for (const FieldDef& def : fields())
        if (def.enabledAtStart)
            tabFrom(def.name);
    std::for_each(std::begin(kButtons), std::end(kButtons), tabFrom), tabFrom("Name");
}

TEST_CASE("dependent fields follow their group")
{
    for (const RuleScenario& scenario : kRuleScenarios) {
        Session s;
        std::istringstream edits(scenario.edits);
        for (std::string edit; edits >> edit;) {
            if (edit.front() == '@') { // a plugin opened, as a drop opens it
                Form1->openFile(fs::path(VORMO_TEST_DATA) / edit.substr(1));
                continue;
            }
            const bool clicked = edit.front() == '!';
            const auto eq = edit.find('=');
            std::string text = clicked ? "" : edit.substr(eq + 1);
            std::replace(text.begin(), text.end(), '_', ' ');
            HWND window = control(edit.substr(clicked, eq - clicked));
            REQUIRE(window);
            clicked ? click(window) : enter(window, ascii(text));
        }
        std::string changed, values;
        const char* marks[] = {"", ":h", ":e", ""}; // the hint flag alone, the enabled state alone
        for (const FieldDef& def : fields()) {
            if (bool(IsWindowEnabled(control(def.name))) != def.enabledAtStart)
                changed += std::string(" ") + def.name;
            if (valueOf(def) !=
                (def.defaultText ? def.defaultText : std::to_string(def.defaultChecked)))
                values += std::string(" ") + def.name + "=" + valueOf(def);
        }
        const std::vector<int> shown = labelsShown();
        for (std::size_t i = 0; i < labels().size(); ++i) {
            const LabelDef& def = labels()[i];
            const bool enabled = shown[i] != def.enabledAtStart;
            const bool hint = Form1->hints().has(i) != (def.hint && def.hintShownAtStart);
            if (enabled || hint)
                changed += std::string(" ") + def.name + marks[enabled * 2 + hint];
        }
        const std::string played = scenario.edits + std::string(" |");
        CHECK(played + changed == played + (*scenario.changed ? " " : "") + scenario.changed);
        CHECK(played + values == played + " " + scenario.values);
    }
}

TEST_CASE("saves write what the Linux writer writes, under any name")
{
    Session s;
    TempDir folder;
    ScriptedSaveDialog dialog;
    Form1->SaveDialog1.setRunner(&dialog);
    dialog.cancel();
    click(control("SaveBtn")); // cancelled: still untitled, so the next Save asks again
    const fs::path first = folder / u"\u6b66\u5668 \u00fc\u20ac.vwp", other = folder / "o.txt";
    dialog.accept(first);
    click(control("SaveBtn"));
    fs::remove(first);
    click(control("SaveBtn")); // named now: no dialog
    CHECK(contents(first) == fixture("fresh.vwp"));
    // Save As always asks; the menu's Save is the button's.
    dialog.accept(other);
    click(control("SaveAsBtn"));
    fs::remove(other);
    menuOpenedAt('S', [] { rightPress(200, 345); });
    CHECK(dialog.runs().size() == 3);
    CHECK(contents(other) == fixture("fresh.vwp"));

    Session fresh; // with the system's own dialog, where a name is typed
    SetCurrentDirectoryW(folder.path().c_str()); // where the dialog starts
    RECT placed{};
    std::string title = "(none)";
    whileShown(
        L"#32770",
        [&](HWND dialog) {
            GetWindowRect(dialog, &placed);
            title = textOf(dialog);
            SetWindowTextW(editOf(fileNameBox(dialog)), L"typed");
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        },
        [] { click(control("SaveBtn")); });
    SetCurrentDirectoryW(L"C:\\");
    CHECK(title == "Save Vormo Weapon...");
    CHECK(contents(folder / "typed.vwp") == fixture("fresh.vwp"));
    const POINT expected =
        saveDialogPlace(Form1->handle(), {placed.right - placed.left, placed.bottom - placed.top});
    CHECK((placed.left == expected.x && placed.top == expected.y));
}

TEST_CASE("a save that fails shows why and keeps the file that was there")
{
    TempDir folder;
    const char* full = std::getenv("VORMO_FULL_DISK"); // a small tmpfs, seen through Z:
    const fs::path target =
        full ? fs::path("Z:" + std::string(full)) / "old.vwp" : folder / "old.vwp";
    Session s;
    std::ofstream(target, std::ios::binary) << "old bytes";
    std::ofstream filler(target.parent_path() / "filler", std::ios::binary);
    for (const std::string block(4096, 'x'); full && filler.write(block.data(), 4096).flush();)
        ;
    SetFileAttributesW(target.c_str(), full ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY);
    ScriptedSaveDialog dialog;
    dialog.accept(target);
    Form1->SaveDialog1.setRunner(&dialog);
    CHECK(messageBoxOf([] { click(control("SaveBtn")); }) ==
          "Vormo Weapon Plugin Maker | " +
              (full ? "Failed to Save Stream."
                    : "Cannot create file " + toUtf8(pathText(target)) + "."));
    CHECK_FALSE(editorEnabledUnderBox); // every window of the program is, while the box shows
    CHECK(IsWindowEnabled(Form1->handle()));
    CHECK(contents(target) == "old bytes");
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_CASE("the pop-up menu opens at the window's point, its items run after it; about; help")
{
    Session s;
    TempDir folder;
    HWND form = Form1->handle(), about = AboutBox->handle();
    POINT onButton{450, 144};
    ClientToScreen(form, &onButton);
    const auto menuKey = [](const char* name, LPARAM at) {
        SendMessageW(control(name), WM_CONTEXTMENU, WPARAM(control(name)), at);
    };
    const std::tuple<const char*, std::string, std::function<void()>> rows[] = {
        {"right press at 0,0", "0 16 ", [] { rightPress(0, 0); }},
        {"menu key on a check box", "-1 15 ", [&] { menuKey("Scatter", -1); }},
        {"right click on a button", "450 160 ",
         [&] { menuKey("NewBtn", MAKELPARAM(onButton.x, onButton.y)); }},
        {"left press", "(none)", [&] { SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, 0); }},
    };
    for (const auto& [what, expected, open] : rows)
        CHECK(what + (" " + menuOpenedAt(0, open)) == what + (" " + expected));

    // About disables the editor until the about box's OK; Escape does nothing. The field that
    // had the focus has it back afterwards.
    SetFocus(control("Dist"));
    menuOpenedAt('A', [] { rightPress(0, 0); });
    RECT placed{};
    GetWindowRect(about, &placed);
    CHECK((IsWindowVisible(about) && !IsWindowEnabled(form)));
    CHECK(placed.left == (GetSystemMetrics(SM_CXSCREEN) - (placed.right - placed.left)) / 2);
    CHECK(GetFocus() == AboutBox->control(u"OKButton"));
    press(VK_ESCAPE);
    CHECK(IsWindowVisible(about));
    press(VK_RETURN);
    CHECK((!IsWindowVisible(about) && IsWindowEnabled(form) && GetFocus() == control("Dist")));
    Form1->About1Click(nullptr);
    // The about box exports the program icon as stored.
    CHECK(textOf(about) == "About...");
    HWND icon = AboutBox->control(u"ProgramIcon");
    const auto doubleClick = [&] {
        SendMessageW(about, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(icon), STN_DBLCLK), LPARAM(icon));
    };
    const std::string ico = fixture("../../resources/VormoWep.ico");
    // The system's dialog proposes VormoWeapon.ico in the working directory; the next time it
    // proposes that path, and asks before replacing the file.
    SetCurrentDirectoryW(folder.path().c_str());
    std::string asked;
    const auto answer = [&](HWND box) { // only the dialog, not its question, has a name box
        asked += fileNameBox(box) ? "dialog " : "question ";
        PostMessageW(box, WM_COMMAND, fileNameBox(box) ? IDOK : IDYES, 0);
    };
    whileShown(L"#32770", answer, doubleClick), whileShown(L"#32770", answer, doubleClick);
    SetCurrentDirectoryW(L"C:\\");
    // Replacing is asked about; Wine's dialog does not ask before creating, Windows' does.
    CHECK(asked.ends_with("dialog dialog question "));
    CHECK(contents(folder / "VormoWeapon.ico") == ico);
    CHECK(AboutBox->IconSaveDlg.FileName() == folder / "VormoWeapon.ico");

    ScriptedSaveDialog dialog;
    AboutBox->IconSaveDlg.setRunner(&dialog);
    dialog.accept(folder / u"icon.png");
    doubleClick();
    CHECK(contents(folder / u"icon.png") == ico);
    dialog.accept(folder / "gone" / "x.ico");
    CHECK(messageBoxOf(doubleClick) == "Vormo Weapon Plugin Maker | Cannot create file " +
                                           toUtf8(pathText(folder / "gone" / "x.ico")) + ".");
    CHECK((IsWindowVisible(about) && !IsWindowEnabled(form)));
    click(AboutBox->control(u"OKButton"));

    // The bullet-types help on a double click of BltType, made with the mouse as a player makes
    // it, leaves the editor usable.
    const RECT label = Form1->labelArea(Form1->labelIndex(u"Label39"));
    const auto helpClick = [&](int x) {
        POINT at{x, label.top + 2};
        ClientToScreen(form, &at), SetCursorPos(at.x, at.y);
        INPUT click[] = {{INPUT_MOUSE, {{0, 0, 0, MOUSEEVENTF_LEFTDOWN, 0, 0}}},
                         {INPUT_MOUSE, {{0, 0, 0, MOUSEEVENTF_LEFTUP, 0, 0}}}};
        SendInput(2, click, sizeof *click), SendInput(2, click, sizeof *click), pump();
    };
    const std::string help = messageBoxOf([&] { helpClick(label.left + 2); });
    // Its caption, then the 307 characters of the help.
    CHECK((help.size() == 325 && help.starts_with("Bullet Types... | Bullet types specifics:")));
    CHECK(editorEnabledUnderBox);
    CHECK(messageBoxOf([&] { helpClick(label.left - 4); }) == "(none)");

    menuOpenedAt('Q', [] { rightPress(0, 0); });
    CHECK((!IsWindowVisible(form) && quitPosted()));
    Session again; // the task bar's close ends the program the same way
    SendMessageW(again.app->handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    pump();
    CHECK((!IsWindowVisible(Form1->handle()) && quitPosted()));
}

TEST_CASE("the editor is placed as the table says, grown with the font's text height")
{
    Session s;
    HWND form = Form1->handle();
    for (int dpi : {0, 144, 96}) { // 0: as created
        RECT suggested{10, 20, 600, 500}, client{}, frame{};
        for (HWND window : {dpi ? form : nullptr, dpi ? AboutBox->handle() : nullptr})
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, HFONT(SendMessageW(control("Name"), WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old), ReleaseDC(nullptr, dc);
        const int height = dpi % 96 ? metrics.tmHeight : 13;
        GetClientRect(form, &client), GetWindowRect(form, &frame);
        CHECK(row(describe(client), frame.left, frame.top) ==
              row(sized({0, 0, 528, 350}, height), dpi ? 10 : frame.left, dpi ? 20 : frame.top));
        for (const FieldDef& def : fields())
            CHECK(placed(control(def.name)) == sized(def.geometry, height));
        for (int i = 0; i < 4; ++i)
            CHECK(placed(control(kButtons[i])) == sized({440, 136 + 48 * i, 49, 49}, height));
        for (const LabelDef& def : labels()) { // as wide as their text
            RECT at = Form1->labelArea(Form1->labelIndex(ascii(def.name)));
            at.right = at.left;
            CHECK(describe(at) == sized({def.geometry.left, def.geometry.top, 0, 13}, height));
        }
        GetClientRect(AboutBox->handle(), &client);
        CHECK(row(describe(client), placed(AboutBox->control(u"OKButton"))) ==
              row(sized({0, 0, 298, 213}, height), sized({111, 180, 75, 25}, height)));
    }
}

namespace {
std::string nameWhenClosed;
void CALLBACK closeEditorOnceUp(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (Form1 && IsWindowVisible(Form1->handle()) && !nextShown(L"#32770")) {
        KillTimer(nullptr, timer);
        nameWhenClosed = textOf(control("Name"));
        PostMessageW(Form1->handle(), WM_CLOSE, 0, 0);
    }
}
} // namespace

TEST_CASE("a plugin opens from the command line or a drop; the exit status is 0")
{
    TempDir folder;
    const fs::path plugin = folder / u"\u6b66 a.vwp";
    fs::copy_file(fs::path(VORMO_TEST_DATA) / "foreign-plugin.vwp", plugin);
    const std::wstring named = L"VormoWep.exe \"" + plugin.wstring() + L"\"";
    const std::wstring missing = L"VormoWep.exe none.vwp"; // named from here: made absolute
    SetCurrentDirectoryW(folder.path().c_str());
    const std::tuple<const wchar_t*, std::string, const char*> rows[] = {
        {named.c_str(), "(none)", "Hand-made: Blaster \xc3\x9c"},
        {missing.c_str(), "Cannot open file " + toUtf8(pathText(folder / "none.vwp")) + ".",
         "NAME"},
        {L"VormoWep.exe a.vwp b.vwp", "VormoWep.exe opens one plugin at a time; none was opened.",
         "NAME"},
    };
    for (const auto& [line, box, name] : rows) {
        putAsideValues() = PutAsideValues{};
        nameWhenClosed.clear();
        const UINT_PTR closer = SetTimer(nullptr, 0, 50, closeEditorOnceUp);
        int status = -1;
        const std::string seen =
            messageBoxOf([&] { status = runProgram(GetModuleHandleW(nullptr), line); });
        KillTimer(nullptr, closer);
        CHECK(row(status, seen, nameWhenClosed) ==
              row(0, box == "(none)" ? box : "Vormo Weapon Plugin Maker | " + box, name));
        CHECK((!Form1 && !AboutBox && !App)); // all taken down
    }
    SetCurrentDirectoryW(L"C:\\");

    const auto drop = [&](int copies) {
        std::wstring names = plugin.wstring() + L'\0';
        names += (copies > 1 ? names : L"") + L'\0';
        HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
        auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
        header->pFiles = sizeof(DROPFILES), header->fWide = TRUE;
        std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(header + 1));
        GlobalUnlock(memory);
        PostMessageW(Form1->handle(), WM_DROPFILES, WPARAM(memory), 0);
        pump();
    };
    Session s;
    CHECK(messageBoxOf([&] { drop(2); }) ==
          "Vormo Weapon Plugin Maker | Drop one plugin file at a time: nothing was opened.");
    drop(1);
    for (char16_t c : std::u16string_view(u"Hand-made: Blaster \u00dc")) // over the selected name
        SendMessageW(GetFocus(), WM_CHAR, c, 1);
    click(control("SaveBtn")); // back to where it came from, in the editor's own form
    CHECK(contents(plugin) == fixture("foreign-plugin-resaved.vwp"));
}
