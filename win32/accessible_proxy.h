// What screen readers get for a window's client area when the system's own object would name it
// wrongly: the system's object, passed on whole but for the answers that a derived class gives.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string_view>

namespace tabulor {

class TAccessibleProxy : public IAccessible, public IOleWindow {
public:
    TAccessibleProxy(const TAccessibleProxy&) = delete;
    TAccessibleProxy& operator=(const TAccessibleProxy&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // Everything else is the system object's answer.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
        { return Standard->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
        { return Standard->GetTypeInfo(index, locale, info); }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
        { return Standard->GetIDsOfNames(id, names, count, locale, ids); }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override
        { return Standard->Invoke(member, id, locale, flags, parameters, result, exception, argumentError); }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
        { return Standard->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
        { return Standard->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
        { return Standard->get_accChild(child, object); }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
        { return Standard->get_accName(child, name); }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
        { return Standard->get_accValue(child, value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
        { return Standard->get_accDescription(child, description); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
        { return Standard->get_accRole(child, role); }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
        { return Standard->get_accState(child, state); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
        { return Standard->get_accHelp(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
        { return Standard->get_accHelpTopic(file, child, topic); }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
        { return Standard->get_accKeyboardShortcut(child, shortcut); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
        { return Standard->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
        { return Standard->get_accSelection(children); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
        { return Standard->get_accDefaultAction(child, action); }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
        { return Standard->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override
        { return Standard->accLocation(left, top, width, height, child); }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
        { return Standard->accNavigate(direction, start, end); }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override
        { return Standard->accHitTest(left, top, child); }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
        { return Standard->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
        { return Standard->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
        { return Standard->put_accValue(child, value); }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;

protected:
    // Takes over the reference to standard, the system's object of window's client area.
    TAccessibleProxy(HWND window, IAccessible* standard);
    virtual ~TAccessibleProxy();

    HWND Window;

private:
    IAccessible* Standard;
    ULONG References = 1;
};

// The answer to a WM_GETOBJECT sent to window with wParam and lParam: for its client area, the
// proxy that make builds over the system's object; for anything else, or where the system makes
// no object, 0, which leaves the answer to the system.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam,
                        const std::function<TAccessibleProxy*(IAccessible* standard)>& make);

// A string for a client of the accessible objects, which frees it.
HRESULT ToBstr(std::wstring_view text, BSTR* out);

}  // namespace tabulor
