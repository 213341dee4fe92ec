// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The editor window: the 47 value fields with their labels, built from the field table, the
// button panel, the hidden document, the save dialog and the pop-up menu. The weapon's values
// live in the controls themselves.

#include "DependentRules.h"
#include "Hints.h"
#include "PluginDocument.h"
#include "SaveDialog.h"
#include "Scale.h"
#include "Win32SaveDialogRunner.h"

#include <shellapi.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

namespace vormo {
struct FieldDef;
}

namespace vormo::win {

class Application;

enum class MouseButton { Left, Right, Middle };

class TForm1 {
public:
    explicit TForm1(Application& owner);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    HWND handle() const { return handle_; }
    // A field or button by its name ("Name", "SaveBtn"); nullptr if none, and for a label.
    HWND control(std::u16string_view name) const;
    HWND field(const FieldDef& def) const;
    const Hints& hints() const { return *hints_; }
    Scale scale() const { return font_.scale; }

    PluginDocument WeaponDoc;
    SaveDialog SaveDialog1;
    HMENU PopupMenu1 = nullptr;
    enum MenuItem : UINT { New1 = 1, Save1, Quit1, About1 };

    void NewBtnClick(HWND Sender);
    void SaveBtnClick(HWND Sender);
    void SaveAsBtnClick(HWND Sender);
    void QuitBtnClick(HWND Sender);
    void New1Click(HWND Sender);
    void Save1Click(HWND Sender);
    void Quit1Click(HWND Sender);
    void About1Click(HWND Sender);
    void Label39DblClick(HWND Sender);
    // X, Y and MousePos are in client coordinates; a request from the keyboard has (-1, -1).
    void FormMouseDown(HWND Sender, MouseButton Button, WPARAM Shift, int X, int Y);
    void FormContextPopup(HWND Sender, POINT MousePos, bool& Handled);

    void BulletBoxClick(HWND Sender);
    void SplintCountChange(HWND Sender);
    void TrailTypeChange(HWND Sender);
    void ParticleTypeChange(HWND Sender);

    // Puts the plugin at path into the fields; Save then writes back to it.
    void openFile(const std::filesystem::path& path);

    // Used by the rules through the core's control interface.
    void setFieldText(const FieldDef& def, const std::u16string& text);
    void setFieldChecked(const FieldDef& def, bool checked);
    void setHintShown(std::size_t label, bool shown);
    std::size_t labelIndex(std::u16string_view name) const; // labels().size() when unknown
    // The labels are painted on the window's own surface: no windows of their own.
    RECT labelArea(std::size_t index) const { return labels_[index].area; } // client coordinates
    bool isLabelEnabled(std::size_t index) const { return labels_[index].enabled; }
    void setLabelEnabled(std::size_t index, bool enabled);

private:
    // Runs a picked menu item once the menu is gone and the handler that opened it returned.
    static constexpr UINT kRunMenuItem = WM_APP + 1;

    template <class Window> friend LRESULT CALLBACK routeMessage(HWND, UINT, WPARAM, LPARAM);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND createField(const FieldDef& def, int id, const RECT& area);
    HWND createButton(std::size_t index, const RECT& area);
    // Places and sizes every label and control, and the window, for dpi; creates the controls
    // the first time, where they belong, which spares moving each of them once more.
    void layOut(int dpi);
    void fitComboBox(HWND combo, int height, int itemHeight) const;
    void createPopupMenu();
    void centre();

    void command(int id, int code, HWND sender);
    void fieldChanged(std::size_t index);
    void runRule(void (*rule)(RuleControls&, PutAsideValues&));
    void popUpMenu(POINT screenPoint);
    void paint();
    void dropFiles(HDROP drop);

    HINSTANCE instance_;
    HWND handle_ = nullptr;
    WindowFont font_;
    std::vector<HWND> fields_; // by fieldIndex()
    struct Label {
        RECT area;
        bool enabled;
    };
    std::vector<Label> labels_; // in the order of labels()
    std::vector<HWND> buttons_;
    std::unique_ptr<Hints> hints_;
    Win32SaveDialogRunner dialogRunner_;
    HWND focusBeforeDeactivation_ = nullptr;
    // Set while the program itself changes a field: the control's own notification is not
    // the change the rules hear about.
    bool settingValue_ = false;
    bool created_ = false;
};

// The editor window, the program's main window: closing it ends the program.
extern TForm1* Form1;

} // namespace vormo::win
