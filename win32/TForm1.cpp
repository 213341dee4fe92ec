// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/TForm1.h"

#include "DependentRules.h"
#include "FieldTable.h"
#include "FileCommands.h"
#include "ItemLists.h"
#include "WideText.h"
#include "WindowProc.h"
#include "win32/AccessibleName.h"
#include "win32/Application.h"
#include "win32/FormControls.h"
#include "win32/Resources.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace vormo::win {

TForm1* Form1 = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"TForm1";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;
constexpr int kClientWidth = 528, kClientHeight = 350;
constexpr int kComboItems = 8;
int openHeight(int height, int itemHeight) { return height + kComboItems * itemHeight + 2; }

// Control ids stay clear of IDOK and IDCANCEL, which the dialog keys send to the window.
constexpr int kFirstFieldId = 100;
constexpr int kFirstButtonId = 200;

struct ButtonDef {
    const char16_t* name;
    const char16_t* caption;
    void (TForm1::*click)(HWND);
};
// Inside Panel5, 48 pixels apart so that neighbours share their edge.
const ButtonDef kButtons[] = {
    {u"NewBtn", u"New", &TForm1::NewBtnClick},
    {u"SaveBtn", u"Save", &TForm1::SaveBtnClick},
    {u"SaveAsBtn", u"Save As", &TForm1::SaveAsBtnClick},
    {u"QuitBtn", u"Quit", &TForm1::QuitBtnClick},
};
constexpr RECT kPanel4{400, 120, 400 + 121, 120 + 225};
constexpr RECT kPanel5{432, 128, 432 + 65, 128 + 209};
constexpr int kButtonSide = 49, kButtonStep = 48, kButtonInset = 8;

bool named(const char* name, std::u16string_view wanted)
{
    return std::equal(wanted.begin(), wanted.end(), name,
                      name + std::char_traits<char>::length(name));
}

// What a field is called: the captions of its labels.
std::u16string caption(const FieldDef& def)
{
    std::u16string text;
    for (const LabelDef& label : labels()) {
        if (std::string_view(label.field) == def.name)
            text += (text.empty() ? u"" : u" ") + ascii(label.caption);
    }
    return text;
}

void registerClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = programIcon(instance);
    // Over the window's own surface and its labels, which let the mouse through to it.
    windowClass.hCursor = dragMultiCursor(instance);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

} // namespace

TForm1::TForm1(Application& owner)
    : SaveDialog1(pluginSaveDialogSettings()), instance_(owner.instance())
{
    Form1 = this;
    registerClass(instance_, routeMessage<TForm1>);

    handle_ = CreateWindowExW(kExStyle, kClassName, L"Vormo Weapon Editor", kStyle, 0, 0, 0, 0,
                              owner.handle(), nullptr, instance_, this);
    if (!handle_)
        throw VormoError(u"The editor window could not be created");
    hints_ = std::make_unique<Hints>(handle_, instance_);
    dialogRunner_.setOwner(handle_);
    SaveDialog1.setRunner(&dialogRunner_);

    layOut(screenDpi());
    createPopupMenu();
    created_ = true; // from now on changes run the rules, never for the layout's own values

    NewBtnClick(nullptr);
    centre();
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    HWND name = control(u"Name");
    SetFocus(name);
    SendMessageW(name, EM_SETSEL, 0, -1);
}

TForm1::~TForm1()
{
    hints_.reset();
    if (handle_)
        DestroyWindow(handle_);
    if (PopupMenu1)
        DestroyMenu(PopupMenu1);
    deleteWindowFont(font_);
    if (Form1 == this)
        Form1 = nullptr;
}

HWND TForm1::control(std::u16string_view name) const
{
    if (const FieldDef* def = findField(name))
        return field(*def);
    for (std::size_t i = 0; i < std::size(kButtons) && i < buttons_.size(); ++i) {
        if (name == kButtons[i].name)
            return buttons_[i];
    }
    return nullptr;
}

HWND TForm1::field(const FieldDef& def) const
{
    const auto index = static_cast<std::size_t>(fieldIndex(def));
    return index < fields_.size() ? fields_[index] : nullptr;
}

std::size_t TForm1::labelIndex(std::u16string_view name) const
{
    const auto all = labels();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (named(all[i].name, name))
            return i;
    }
    return all.size();
}

HWND TForm1::createField(const FieldDef& def, int id, const RECT& area)
{
    // Made as they start out, disabled and with their text, rather than changed afterwards.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (def.enabledAtStart ? 0 : WS_DISABLED);
    DWORD exStyle = 0;
    const wchar_t* kind = L"EDIT";
    // A check box draws no text, but screen readers read its name from it.
    const std::u16string text = def.kind == FieldKind::Check ? caption(def) : def.defaultString();
    switch (def.kind) {
    case FieldKind::Edit:
        exStyle = WS_EX_CLIENTEDGE, style |= ES_AUTOHSCROLL;
        break;
    case FieldKind::Combo:
        kind = L"COMBOBOX", style |= WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
        break;
    case FieldKind::Check:
        kind = L"BUTTON", style |= BS_AUTOCHECKBOX;
        break;
    }
    HWND control = CreateWindowExW(exStyle, kind, wide(text), style, area.left, area.top,
                                   area.right - area.left, area.bottom - area.top, handle_,
                                   reinterpret_cast<HMENU>(INT_PTR(id)), instance_, nullptr);
    if (!control)
        throw VormoError(u"The editor window could not be created");
    switch (def.kind) {
    case FieldKind::Edit:
        SendMessageW(control, EM_SETLIMITTEXT, 0, 0); // no limit of its own
        break;
    case FieldKind::Combo:
        for (const auto& item : itemList(def.items))
            SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item)));
        SendMessageW(control, CB_LIMITTEXT, 0, 0);
        SendMessageW(control, CB_SETMINVISIBLE, kComboItems, 0);
        SetWindowTextW(control, wide(text)); // a combo box passes on no text it is made with
        break;
    case FieldKind::Check:
        SendMessageW(control, BM_SETCHECK, def.defaultChecked ? BST_CHECKED : BST_UNCHECKED, 0);
        return control;
    }
    nameForScreenReaders(control, caption(def));
    return control;
}

HWND TForm1::createButton(std::size_t index, const RECT& area)
{
    HWND button =
        CreateWindowExW(0, L"BUTTON", wide(kButtons[index].caption),
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, area.left, area.top,
                        area.right - area.left, area.bottom - area.top, handle_,
                        reinterpret_cast<HMENU>(INT_PTR(kFirstButtonId + static_cast<int>(index))),
                        instance_, nullptr);
    if (!button)
        throw VormoError(u"The editor window could not be created");
    return button;
}

void TForm1::layOut(int dpi)
{
    WindowFont font = createWindowFont(dpi);
    const Scale sized = font.scale;
    const auto place = [&](HWND control, RECT area, HFONT face) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(face), FALSE);
        if (created_)
            SetWindowPos(control, nullptr, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    labels_.resize(labels().size(), Label{{}, false});
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        // As wide as the caption in the font it is drawn in.
        const LabelDef& def = labels()[i];
        RECT& area = labels_[i].area;
        area = sized.rect(def.geometry.left, def.geometry.top, 0, 13);
        area.right =
            area.left + textWidth(def.bold ? font.bold : font.regular, wide(ascii(def.caption)));
        if (!created_)
            labels_[i].enabled = def.enabledAtStart;
        if (def.hint && (created_ ? hints_->has(i) : def.hintShownAtStart)) {
            hints_->remove(i);
            hints_->add(i, area, ascii(def.hint));
        }
    }
    fields_.resize(fields().size(), nullptr);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const Rect& design = fields()[i].geometry;
        const RECT area = sized.rect(design.left, design.top, design.width, design.height);
        if (!created_) {
            RECT made = area;
            // Moving a combo box's list later, a window of its own on the screen, is costly.
            if (fields()[i].kind == FieldKind::Combo)
                made.bottom = made.top + openHeight(area.bottom - area.top, sized(13));
            fields_[i] = createField(fields()[i], kFirstFieldId + static_cast<int>(i), made);
        }
        place(fields_[i], area, font.regular);
        if (fields()[i].kind == FieldKind::Combo)
            fitComboBox(fields_[i], area.bottom - area.top, sized(13));
    }
    buttons_.resize(std::size(kButtons), nullptr);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const int top = kPanel5.top + kButtonInset + static_cast<int>(i) * kButtonStep;
        const RECT area = sized.rect(kPanel5.left + kButtonInset, top, kButtonSide, kButtonSide);
        if (!created_)
            buttons_[i] = createButton(i, area);
        place(buttons_[i], area, font.regular);
    }
    deleteWindowFont(font_);
    font_ = font;

    RECT frame{0, 0, sized(kClientWidth), sized(kClientHeight)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    SetWindowPos(handle_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(handle_, nullptr, TRUE);
}

void TForm1::fitComboBox(HWND combo, int height, int itemHeight) const
{
    // 21 pixels closed at the design size, 13 per list item. Systems differ in what the
    // selection height they are given means, so measure and correct.
    const auto closedHeight = [combo] {
        RECT closed{};
        GetWindowRect(combo, &closed);
        return static_cast<int>(closed.bottom - closed.top);
    };
    int selection = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    for (int attempt = 0; attempt < 2 && closedHeight() != height; ++attempt) {
        selection += height - closedHeight();
        SendMessageW(combo, CB_SETITEMHEIGHT, WPARAM(-1), selection);
    }
    SendMessageW(combo, CB_SETITEMHEIGHT, 0, itemHeight);
    if (!created_)
        return; // made with its open height, which the changes above keep
    // The height a combo box is given is that of the box with its list open.
    RECT area{};
    GetWindowRect(combo, &area);
    SetWindowPos(combo, nullptr, 0, 0, area.right - area.left, openHeight(height, itemHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::createPopupMenu()
{
    PopupMenu1 = CreatePopupMenu();
    AppendMenuW(PopupMenu1, MF_STRING, New1, L"&New");
    AppendMenuW(PopupMenu1, MF_STRING, Save1, L"&Save");
    AppendMenuW(PopupMenu1, MF_STRING, Quit1, L"&Quit");
    AppendMenuW(PopupMenu1, MF_STRING, About1, L"&About");
}

void TForm1::centre()
{
    // By the outer frame, on the whole virtual desktop.
    RECT frame{};
    GetWindowRect(handle_, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int left = std::max(0, (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2);
    const int top = std::max(0, (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2);
    SetWindowPos(handle_, nullptr, GetSystemMetrics(SM_XVIRTUALSCREEN) + left,
                 GetSystemMetrics(SM_YVIRTUALSCREEN) + top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::NewBtnClick(HWND) { newPlugin(); }

void TForm1::SaveBtnClick(HWND) { savePlugin(FormControls(*this), SaveDialog1, WeaponDoc); }

void TForm1::SaveAsBtnClick(HWND) { savePluginAs(FormControls(*this), SaveDialog1, WeaponDoc); }

void TForm1::QuitBtnClick(HWND) { SendMessageW(handle_, WM_CLOSE, 0, 0); }

void TForm1::BulletBoxClick(HWND) { runRule(applyBulletAppearance); }
void TForm1::SplintCountChange(HWND) { runRule(applySplinterRule); }
void TForm1::TrailTypeChange(HWND) { runRule(applyObjectTrailRule); }
void TForm1::ParticleTypeChange(HWND) { runRule(applyParticleTrailRule); }

void TForm1::runRule(void (*rule)(RuleControls&, PutAsideValues&))
{
    FormControls controls(*this);
    rule(controls, putAsideValues());
}

void TForm1::openFile(const std::filesystem::path& path)
{
    FormControls controls(*this);
    openPlugin(path, controls, SaveDialog1);
    // The first field's text is new: so is its selection.
    if (HWND name = control(u"Name"); GetFocus() == name)
        SendMessageW(name, EM_SETSEL, 0, -1);
}

void TForm1::setFieldText(const FieldDef& def, const std::u16string& text)
{
    HWND window = field(def);
    if (windowText(window) == text)
        return; // an equal text is no change and notifies nobody
    settingValue_ = true;
    SetWindowTextW(window, wide(text));
    settingValue_ = false;
    fieldChanged(static_cast<std::size_t>(fieldIndex(def)));
}

void TForm1::setFieldChecked(const FieldDef& def, bool checked)
{
    HWND window = field(def);
    if ((SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED) == checked)
        return;
    SendMessageW(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    fieldChanged(static_cast<std::size_t>(fieldIndex(def)));
}

void TForm1::setHintShown(std::size_t index, bool shown)
{
    const LabelDef& def = labels()[index];
    if (!shown || !def.hint) {
        hints_->remove(index);
        return;
    }
    hints_->add(index, labels_[index].area, ascii(def.hint));
}

void TForm1::setLabelEnabled(std::size_t index, bool enabled)
{
    if (labels_[index].enabled == enabled)
        return;
    labels_[index].enabled = enabled;
    InvalidateRect(handle_, &labels_[index].area, TRUE);
}

void TForm1::fieldChanged(std::size_t index)
{
    if (!created_)
        return;
    const FieldDef& def = fields()[index];
    HWND sender = fields_[index];
    const std::pair<const char*, void (TForm1::*)(HWND)> rules[] = {
        {"BulletBox", &TForm1::BulletBoxClick},
        {"SplintCount", &TForm1::SplintCountChange},
        {"TrailType", &TForm1::TrailTypeChange},
        {"ParticleType", &TForm1::ParticleTypeChange},
    };
    for (const auto& [name, handler] : rules) {
        if (std::string_view(def.name) == name)
            guarded([&] { (this->*handler)(sender); });
    }
}

void TForm1::command(int id, int code, HWND sender)
{
    if (id >= kFirstFieldId && id < kFirstFieldId + static_cast<int>(fields_.size())) {
        const auto index = static_cast<std::size_t>(id - kFirstFieldId);
        switch (code) {
        case EN_CHANGE:      // typed, pasted, cut or undone
        case CBN_EDITCHANGE: // typed into a combo box
            if (!settingValue_)
                fieldChanged(index);
            break;
        case CBN_SELCHANGE: {
            // Picked from the list: the box shows the item only after this notification.
            const auto item = SendMessageW(sender, CB_GETCURSEL, 0, 0);
            if (item != CB_ERR)
                setFieldText(fields()[index], comboItem(sender, item));
            break;
        }
        case BN_CLICKED:
            fieldChanged(index);
            break;
        default:
            break;
        }
        return;
    }
    if (id >= kFirstButtonId && id < kFirstButtonId + static_cast<int>(std::size(kButtons)) &&
        code == BN_CLICKED) {
        guarded([&] { (this->*kButtons[id - kFirstButtonId].click)(sender); });
    }
}

void TForm1::paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle_, &paint);
    for (const RECT& panel : {kPanel4, kPanel5}) {
        RECT area =
            scale().rect(panel.left, panel.top, panel.right - panel.left, panel.bottom - panel.top);
        DrawEdge(dc, &area, BDR_RAISEDINNER, BF_RECT);
    }
    // The labels look as static text controls do, on the window's own background.
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ oldFont = SelectObject(dc, font_.regular);
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        RECT area = labels_[i].area, overlap;
        if (!IntersectRect(&overlap, &area, &paint.rcPaint))
            continue;
        const LabelDef& def = labels()[i];
        SelectObject(dc, def.bold ? font_.bold : font_.regular);
        SetTextColor(dc, GetSysColor(labels_[i].enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        DrawTextW(dc, wide(ascii(def.caption)), -1, &area,
                  DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
    EndPaint(handle_, &paint);
}

LRESULT TForm1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (lParam)
            command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0; // Enter and Escape press none of the buttons
    case kRunMenuItem: {
        const std::pair<UINT, void (TForm1::*)(HWND)> items[] = {
            {New1, &TForm1::New1Click},
            {Save1, &TForm1::Save1Click},
            {Quit1, &TForm1::Quit1Click},
            {About1, &TForm1::About1Click},
        };
        for (const auto& [item, handler] : items) {
            if (item == wParam)
                guarded([&] { (this->*handler)(handle_); });
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const MouseButton button = message == WM_LBUTTONDOWN   ? MouseButton::Left
                                   : message == WM_RBUTTONDOWN ? MouseButton::Right
                                                               : MouseButton::Middle;
        guarded([&] {
            FormMouseDown(handle_, button, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        });
        return 0;
    }
    case WM_LBUTTONDBLCLK: {
        // The labels are painted on the window, so it hears their double clicks.
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const RECT area = labels_[labelIndex(u"Label39")].area;
        if (PtInRect(&area, at))
            guarded([&] { Label39DblClick(handle_); });
        return 0;
    }
    case WM_CONTEXTMENU: {
        HWND from = reinterpret_cast<HWND>(wParam);
        // A right press on the window's own surface has opened the menu already.
        if (from == handle_ && lParam != -1)
            return 0;
        POINT at{-1, -1};
        if (lParam != -1) {
            at = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(handle_, &at);
        }
        bool handled = false;
        guarded([&] { FormContextPopup(from, at, handled); });
        return 0;
    }
    case WM_DROPFILES:
        dropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_ACTIVATE:
        // Like a dialog: the field that had the focus gets it back with the window.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(handle_, focus))
                focusBeforeDeactivation_ = focus;
            return 0;
        }
        if (focusBeforeDeactivation_ && IsWindow(focusBeforeDeactivation_) &&
            IsWindowEnabled(focusBeforeDeactivation_)) {
            SetFocus(focusBeforeDeactivation_);
        } else {
            SetFocus(GetNextDlgTabItem(handle_, nullptr, FALSE));
        }
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    case WM_DPICHANGED: {
        // Moved to a monitor of another setting: laid out anew for it, where the system says.
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        layOut(HIWORD(wParam));
        SetWindowPos(handle_, nullptr, suggested.left, suggested.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_CLOSE:
        // The main window hides, and the program ends with it.
        ShowWindow(handle_, SW_HIDE);
        if (App)
            App->terminate();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

} // namespace vormo::win
