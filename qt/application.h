// The application object: title, icon, message loop and the notice that reports a run.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTranslator>

#include "shell/placement.h"

namespace tabulor {

class TApplication : public QApplication {
    Q_OBJECT
public:
    // Loads the icon and Qt's French texts; a missing translation leaves Qt's texts in English.
    // Settings that Qt itself keeps go to a folder that is removed at exit.
    TApplication(int& argc, char** argv);

    static TApplication* Instance();

    // The title of every notice: the main window's.
    static QString Title();

    // Centres the main window on the primary screen, shows it and runs the message loop until
    // it is closed.
    int Run(QWidget& mainWindow, TStartShow how);

    // Shows text in the notice, modal over the active window, until the user closes it.
    void ShowNotice(const QString& text);

private:
    QTranslator QtTranslation;
    QTemporaryDir ThrowawaySettings;
};

}  // namespace tabulor
