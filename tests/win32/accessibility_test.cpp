// What a screen reader reads out for each control of the Windows window, asked of the system's
// accessible objects as a screen reader asks them, from another process.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <string>

#include "shell/layout.h"
#include "shell/spin_arrows.h"
#include "tabulor_process.h"
#include "win32/control_ids.h"
#include "win32/handles.h"
#include "win32/wide.h"

namespace tabulor::test {
namespace {

using enum TControlId;

// The name of window's client object, or of one of its children.
std::wstring AccessibleNameOf(HWND window, long child = CHILDID_SELF)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return L"(no accessible object)";
    VARIANT id = {};
    id.vt = VT_I4;
    id.lVal = child;
    BSTR name = nullptr;
    std::wstring text = SUCCEEDED(object->get_accName(id, &name)) && name != nullptr ? name : L"(no name)";
    SysFreeString(name);
    object->Release();
    return text;
}

// Each arrow of a spin field lies where the arrows' window draws it, and a point in its middle
// hits it.
void ExpectArrowsWhereDrawn(HWND arrows)
{
    IAccessible* object = nullptr;
    ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(arrows, OBJID_CLIENT, __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&object))));
    RECT window;
    GetWindowRect(arrows, &window);
    const TRect area = {window.left, window.top, window.right - window.left, window.bottom - window.top};
    for (const long child : {1L, 2L}) {
        VARIANT id = {};
        id.vt = VT_I4;
        id.lVal = child;
        long left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(object->accLocation(&left, &top, &width, &height, id), S_OK);
        const TRect at = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(width),
                          static_cast<int>(height)};
        EXPECT_EQ(at, SpinArrowRect(area, child == 1 ? 1 : -1)) << child;
        VARIANT hit = {};
        EXPECT_EQ(object->accHitTest(left + width / 2, top + height / 2, &hit), S_OK);
        EXPECT_EQ(hit.vt == VT_I4 ? hit.lVal : -1, child);
    }
    object->Release();
}

// Windows names a drop-down list after the static text right before it in the z-order, as it
// names an edit; Wine names it after its selected entry. The static text is what both share.
std::wstring FieldName(HWND field)
{
    if (ClassOf(field) != L"ComboBox")
        return AccessibleNameOf(field);
    HWND before = GetWindow(field, GW_HWNDPREV);
    return before != nullptr && ClassOf(before) == L"Static" ? TextOf(before) : L"(no static text)";
}

// Each field reads as the label shown before it; the border's value and unit, a box, an option and
// a button as the window's rules name them, the browse buttons with the file they are for, which
// they still do not show; the spin arrows as what they do, where they are drawn.
TEST(AccessibilityTest, EveryControlReadsAsTheWindowShowsIt)
{
    const TComApartment apartment;
    TTabulorProcess tabulor;
    const auto entries = FormControls();
    for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
        if (entries[i].Kind == TControlKind::Label) {
            const TControlLayout& field = entries[i + 1];
            EXPECT_EQ(FieldName(tabulor.ControlWindow(field.Id)), TextOf(tabulor.ControlWindow(entries[i].Id))) << field.Name;
        }
    }
    for (const TControlId field : {EditBorderValue, ComboBoxBorderUnit})
        EXPECT_EQ(FieldName(tabulor.ControlWindow(field)), ToWide(AccessibleName(field))) << Control(field).Name;
    for (const TControlLayout& entry : entries) {
        HWND control = tabulor.ControlWindow(entry.Id);
        if (ClassOf(control) != L"Button")
            continue;
        EXPECT_EQ(AccessibleNameOf(control), ToWide(AccessibleName(entry.Id))) << entry.Name;
        EXPECT_EQ(TextOf(control), ToWide(entry.Text)) << entry.Name;
    }
    for (const TControlId spin : {EditTitleRows, EditTitleCols}) {
        HWND arrows = FindWindowExW(tabulor.ControlWindow(spin), nullptr, SpinArrowsClassName, nullptr);
        EXPECT_EQ(AccessibleNameOf(arrows, 1), ToWide(SpinArrowUpName)) << Control(spin).Name;
        EXPECT_EQ(AccessibleNameOf(arrows, 2), ToWide(SpinArrowDownName)) << Control(spin).Name;
        ExpectArrowsWhereDrawn(arrows);
    }
}

}  // namespace
}  // namespace tabulor::test
