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
