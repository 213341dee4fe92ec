// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/AccessibleName.h"

#include <commctrl.h>
#include <oleacc.h>

#include <new>

namespace vormo::win {
namespace {

// MinGW's own IID_IAccessible symbol is not the interface's identity.
constexpr GUID kAccessible{
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr UINT_PTR kSubclassId = 1;

struct Accessibility {
    decltype(&CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&LresultFromObject) lresult = nullptr;
    decltype(&SysAllocStringLen) allocString = nullptr;
    decltype(&CoInitializeEx) initialise = nullptr;
};

template <class Function> void find(Function& function, const wchar_t* library, const char* name)
{
    if (HMODULE module = LoadLibraryW(library))
        function =
            reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// nullptr where the system lacks a part.
const Accessibility* accessibility()
{
    static const Accessibility loaded = [] {
        Accessibility a;
        find(a.createStandard, L"oleacc.dll", "CreateStdAccessibleObject");
        find(a.lresult, L"oleacc.dll", "LresultFromObject");
        find(a.allocString, L"oleaut32.dll", "SysAllocStringLen");
        find(a.initialise, L"ole32.dll", "CoInitializeEx");
        // The object is handed over through COM, which this thread joins as a window's
        // thread does.
        if (a.initialise)
            a.initialise(nullptr, COINIT_APARTMENTTHREADED);
        return a;
    }();
    const Accessibility& a = loaded;
    return a.createStandard && a.lresult && a.allocString && a.initialise ? &a : nullptr;
}

// The system's own object for the control, with another name.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(IAccessible* standard, const std::u16string& name, const Accessibility& system)
        : standard_(standard), name_(name), system_(system)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kAccessible) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The standard object's children and window.
        if (iid == IID_IEnumVARIANT || iid == IID_IOleWindow)
            return standard_->QueryInterface(iid, object);
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = InterlockedDecrement(&references_);
        if (!left)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF)
            return standard_->get_accName(child, name);
        if (!name)
            return E_POINTER;
        *name = system_.allocString(reinterpret_cast<const wchar_t*>(name_.data()),
                                    static_cast<UINT>(name_.size()));
        return *name ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* wrong) override
    {
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, wrong);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override
    {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
    {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override
    {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard_->put_accValue(child, value);
    }

private:
    ~NamedAccessible() { standard_->Release(); }

    LONG references_ = 1;
    IAccessible* standard_;
    std::u16string name_;
    const Accessibility& system_;
};

LRESULT CALLBACK answerNamed(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR data)
{
    const auto* name = reinterpret_cast<const std::u16string*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, answerNamed, kSubclassId);
        delete name;
    } else if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        IAccessible* standard = nullptr;
        if (const Accessibility* system = accessibility();
            system && SUCCEEDED(system->createStandard(control, OBJID_CLIENT, kAccessible,
                                                       reinterpret_cast<void**>(&standard)))) {
            try {
                auto* named = new NamedAccessible(standard, *name, *system);
                const LRESULT result = system->lresult(kAccessible, wParam, named);
                named->Release(); // the result holds its own reference
                return result;
            } catch (const std::bad_alloc&) {
                standard->Release(); // the system's own object answers instead
            }
        }
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

void nameForScreenReaders(HWND control, const std::u16string& name)
{
    auto* kept = new std::u16string(name);
    if (!SetWindowSubclass(control, answerNamed, kSubclassId, reinterpret_cast<DWORD_PTR>(kept)))
        delete kept;
}

} // namespace vormo::win
