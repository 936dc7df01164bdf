// The main window as its tests drive it: its controls found by the names that the layout gives
// them, typed into and clicked as a user would, its requests recorded instead of converted.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

#include "modal_handler.h"
#include "qt/form_main.h"
#include "qt/shell_types.h"
#include "shell/focus.h"
#include "shell/layout.h"

namespace tabulor::test {

inline QString NameOf(TControlId id)
{
    return ToQString(Control(id).Name);
}

template <typename TWidget = QWidget>
TWidget* Find(const QWidget& form, TControlId id)
{
    return form.findChild<TWidget*>(NameOf(id), Qt::FindDirectChildrenOnly);
}

// The output kind that the window starts with selected.
inline TControlId OutputKindAtStart()
{
    return SelectedOutputKind([](TControlId id) { return Control(id).Checked; });
}

// The name of the widget that has the focus, which is a control's name when it is one.
inline QString FocusedName()
{
    const QWidget* focused = QApplication::focusWidget();
    return focused != nullptr ? focused->objectName() : QString();
}

inline void Show(QWidget& form)
{
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

// Replaces what the field holds by text, typed key by key.
inline void TypeInto(const QWidget& form, TControlId field, const QString& text)
{
    auto* edit = Find<QLineEdit>(form, field);
    edit->setFocus();
    edit->selectAll();
    edit->del();
    TypeText(edit, text);
    QCOMPARE(edit->text(), text);
}

// Clicks a button of form, handing each modal window it opens to onModal; gives their number.
inline int Click(const QWidget& form, TControlId button,
                 std::function<void(QWidget*)> onModal = [](QWidget*) {})
{
    TModalHandler handler(std::move(onModal));
    QTest::mouseClick(Find(form, button), Qt::LeftButton);
    return handler.Handled();
}

inline QByteArray ReadAll(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

inline void WriteAll(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A shown window whose runs are recorded instead of converted.
struct TRecordingForm {
    TRecordingForm() { Show(Form); }

    // Clicks "Exécuter" and gives the request it sent; an empty one when it sent none.
    TConversionSettings RunFromTheWindow()
    {
        Click(Form, TControlId::ButtonExecute);
        return Runs.empty() ? TConversionSettings() : Runs.back();
    }

    std::vector<TConversionSettings> Runs;
    TFormMain Form{[this](const TConversionSettings& settings) {
        Runs.push_back(settings);
        return TConversionReport();
    }};
};

// What each window test starts from: a new window that records its runs, in the folder where the
// tests started (a pick moves the current folder, and a case must not start where the last one
// left it), beside a folder of its own for files.
struct TFormFixture {
    void Open()
    {
        QDir::setCurrent(StartFolder);
        Window = std::make_unique<TRecordingForm>();
    }
    void Close() { Window.reset(); }

    QString StartFolder = QDir::currentPath();
    QTemporaryDir Folder;
    std::unique_ptr<TRecordingForm> Window;
};

}  // namespace tabulor::test
