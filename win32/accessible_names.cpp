#include "win32/accessible_names.h"

#include <commctrl.h>

#include <string>

#include "shell/layout.h"
#include "shell/spin_arrows.h"
#include "win32/accessible_proxy.h"
#include "win32/geometry.h"
#include "win32/guard.h"
#include "win32/wide.h"

namespace tabulor {
namespace {

class TNamedAccessible final : public TAccessibleProxy {
public:
    TNamedAccessible(HWND window, IAccessible* standard, std::wstring name)
        : TAccessibleProxy(window, standard), Name(std::move(name))
    {
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (child.vt == VT_I4 && child.lVal == CHILDID_SELF)
            return ToBstr(Name, name);
        return TAccessibleProxy::get_accName(child, name);
    }

private:
    std::wstring Name;
};

// The arrows are simple children of the window's object, which the system's object knows
// nothing of. They lie where the window draws them, which the window's size alone decides.
class TSpinArrowsAccessible final : public TAccessibleProxy {
public:
    TSpinArrowsAccessible(HWND window, IAccessible* standard) : TAccessibleProxy(window, standard) {}

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (count == nullptr)
            return E_POINTER;
        *count = 2;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        if (Direction(child) == 0)
            return TAccessibleProxy::get_accChild(child, object);
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        const int direction = Direction(child);
        if (direction == 0)
            return TAccessibleProxy::get_accName(child, name);
        return ToBstr(ToWide(direction > 0 ? SpinArrowUpName : SpinArrowDownName), name);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (Direction(child) == 0)
            return TAccessibleProxy::get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (Direction(child) == 0)
            return TAccessibleProxy::get_accState(child, state);
        // None of the states: a plain button that can be pressed.
        state->vt = VT_I4;
        state->lVal = 0;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override
    {
        const int direction = Direction(child);
        if (direction == 0)
            return TAccessibleProxy::accLocation(left, top, width, height, child);
        RECT rect = ToRECT(SpinArrowRect(ClientArea(Window), direction));
        MapWindowPoints(Window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override
    {
        POINT at = {left, top};
        ScreenToClient(Window, &at);
        const int direction = SpinArrowAt(ClientArea(Window), ToTPoint(at));
        if (direction == 0)
            return TAccessibleProxy::accHitTest(left, top, child);
        child->vt = VT_I4;
        child->lVal = direction > 0 ? 1 : 2;
        return S_OK;
    }

private:
    // +1 for the up arrow, -1 for the down one, 0 for the window itself or anything else.
    static int Direction(const VARIANT& child)
    {
        if (child.vt != VT_I4)
            return 0;
        return child.lVal == 1 ? 1 : child.lVal == 2 ? -1 : 0;
    }
};

LRESULT CALLBACK NamedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR, DWORD_PTR data)
{
    auto* name = reinterpret_cast<std::wstring*>(data);
    LRESULT result = 0;
    RunGuarded([&] {
        if (message == WM_GETOBJECT) {
            result = AnswerGetObject(control, wParam, lParam, [&](IAccessible* standard) {
                return new TNamedAccessible(control, standard, *name);
            });
            if (result != 0)
                return;
        } else if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(control, NamedControlProc, 0);
            delete name;
        }
        result = DefSubclassProc(control, message, wParam, lParam);
    });
    return result;
}

}  // namespace

void CreateHiddenLabel(HWND parent, std::u16string_view name)
{
    CreateWindowExW(0, L"STATIC", ToWide(name).c_str(), WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0,
                    parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void GiveAccessibleName(HWND control, std::u16string_view name)
{
    auto* owned = new std::wstring(ToWide(name));
    if (!SetWindowSubclass(control, NamedControlProc, 0, reinterpret_cast<DWORD_PTR>(owned)))
        delete owned;
}

LRESULT AnswerSpinArrowsObject(HWND arrows, WPARAM wParam, LPARAM lParam)
{
    return AnswerGetObject(arrows, wParam, lParam, [&](IAccessible* standard) {
        return new TSpinArrowsAccessible(arrows, standard);
    });
}

}  // namespace tabulor
