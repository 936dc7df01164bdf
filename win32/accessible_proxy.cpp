#include "win32/accessible_proxy.h"

namespace tabulor {

TAccessibleProxy::TAccessibleProxy(HWND window, IAccessible* standard)
    : Window(window), Standard(standard)
{
}

TAccessibleProxy::~TAccessibleProxy()
{
    Standard->Release();
}

// The proxy is an object of its own: the interfaces of the system's object beyond these two
// would answer for the system's object, not for it.
HRESULT TAccessibleProxy::QueryInterface(REFIID id, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible))
        *object = static_cast<IAccessible*>(this);
    else if (id == __uuidof(IOleWindow))
        *object = static_cast<IOleWindow*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

// A window's objects live on its thread alone.
ULONG TAccessibleProxy::AddRef()
{
    return ++References;
}

ULONG TAccessibleProxy::Release()
{
    const ULONG left = --References;
    if (left == 0)
        delete this;
    return left;
}

HRESULT TAccessibleProxy::GetTypeInfoCount(UINT* count)
{
    return Standard->GetTypeInfoCount(count);
}

HRESULT TAccessibleProxy::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info)
{
    return Standard->GetTypeInfo(index, locale, info);
}

HRESULT TAccessibleProxy::GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                        DISPID* ids)
{
    return Standard->GetIDsOfNames(id, names, count, locale, ids);
}

HRESULT TAccessibleProxy::Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                 DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                 UINT* argumentError)
{
    return Standard->Invoke(member, id, locale, flags, parameters, result, exception, argumentError);
}

HRESULT TAccessibleProxy::get_accParent(IDispatch** parent)
{
    return Standard->get_accParent(parent);
}

HRESULT TAccessibleProxy::get_accChildCount(long* count)
{
    return Standard->get_accChildCount(count);
}

HRESULT TAccessibleProxy::get_accChild(VARIANT child, IDispatch** object)
{
    return Standard->get_accChild(child, object);
}

HRESULT TAccessibleProxy::get_accName(VARIANT child, BSTR* name)
{
    return Standard->get_accName(child, name);
}

HRESULT TAccessibleProxy::get_accValue(VARIANT child, BSTR* value)
{
    return Standard->get_accValue(child, value);
}

HRESULT TAccessibleProxy::get_accDescription(VARIANT child, BSTR* description)
{
    return Standard->get_accDescription(child, description);
}

HRESULT TAccessibleProxy::get_accRole(VARIANT child, VARIANT* role)
{
    return Standard->get_accRole(child, role);
}

HRESULT TAccessibleProxy::get_accState(VARIANT child, VARIANT* state)
{
    return Standard->get_accState(child, state);
}

HRESULT TAccessibleProxy::get_accHelp(VARIANT child, BSTR* help)
{
    return Standard->get_accHelp(child, help);
}

HRESULT TAccessibleProxy::get_accHelpTopic(BSTR* file, VARIANT child, long* topic)
{
    return Standard->get_accHelpTopic(file, child, topic);
}

HRESULT TAccessibleProxy::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return Standard->get_accKeyboardShortcut(child, shortcut);
}

HRESULT TAccessibleProxy::get_accFocus(VARIANT* child)
{
    return Standard->get_accFocus(child);
}

HRESULT TAccessibleProxy::get_accSelection(VARIANT* children)
{
    return Standard->get_accSelection(children);
}

HRESULT TAccessibleProxy::get_accDefaultAction(VARIANT child, BSTR* action)
{
    return Standard->get_accDefaultAction(child, action);
}

HRESULT TAccessibleProxy::accSelect(long flags, VARIANT child)
{
    return Standard->accSelect(flags, child);
}

HRESULT TAccessibleProxy::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    return Standard->accLocation(left, top, width, height, child);
}

HRESULT TAccessibleProxy::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    return Standard->accNavigate(direction, start, end);
}

HRESULT TAccessibleProxy::accHitTest(long left, long top, VARIANT* child)
{
    return Standard->accHitTest(left, top, child);
}

HRESULT TAccessibleProxy::accDoDefaultAction(VARIANT child)
{
    return Standard->accDoDefaultAction(child);
}

HRESULT TAccessibleProxy::put_accName(VARIANT child, BSTR name)
{
    return Standard->put_accName(child, name);
}

HRESULT TAccessibleProxy::put_accValue(VARIANT child, BSTR value)
{
    return Standard->put_accValue(child, value);
}

HRESULT TAccessibleProxy::GetWindow(HWND* window)
{
    if (window == nullptr)
        return E_POINTER;
    *window = Window;
    return S_OK;
}

HRESULT TAccessibleProxy::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam,
                        const std::function<TAccessibleProxy*(IAccessible* standard)>& make)
{
    // The object identifier travels in the low 32 bits alone.
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT))
        return 0;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard))))
        return 0;
    TAccessibleProxy* proxy = nullptr;
    try {
        proxy = make(standard);
    } catch (...) {
        standard->Release();
        throw;
    }
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(proxy));
    proxy->Release();
    return result;
}

HRESULT ToBstr(std::wstring_view text, BSTR* out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace tabulor
