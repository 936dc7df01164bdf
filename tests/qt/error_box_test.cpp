// The guard that leads an error escaping a handler to the error box, and the box it shows.
#include <QMessageBox>

#include <stdexcept>

#include "modal_handler.h"
#include "qt/guard.h"
#include "qt/shell_types.h"
#include "shell/layout.h"
#include "shell/messages.h"
#include "shell/text.h"

using namespace tabulor;
using namespace tabulor::test;

class TErrorBoxTest : public QObject {
    Q_OBJECT

private slots:
    // The error's UTF-8 text shown as plain text with the shell's final full stop; an error that
    // is no standard one has no text to show.
    void guardShowsTheErrorBox_data()
    {
        QTest::addColumn<bool>("standardError");
        QTest::addColumn<QString>("message");
        QTest::newRow("file error") << true << QString::fromUtf8("Impossible d'ouvrir <b>\"é\". Pas là");
        QTest::newRow("not a standard error") << false << QString();
    }

    void guardShowsTheErrorBox()
    {
        QFETCH(bool, standardError);
        QFETCH(QString, message);
        TShownMessage box;
        Qt::TextFormat format = Qt::AutoText;
        TModalHandler handler([&](QWidget* shown) {
            box = DescribeMessage(shown);
            format = static_cast<QMessageBox*>(shown)->textFormat();
        });
        Guarded([&] {
            if (standardError)
                throw std::runtime_error(message.toStdString());
            throw 42;
        })();
        QCOMPARE(handler.Handled(), 1);
        QCOMPARE(box.Title, ToQString(FormTitle));
        QCOMPARE(box.Text, ToQString(WithFinalFullStop(FromUtf8(message.toStdString()))));
        QVERIFY(box.StopIcon);
        // Qt's own button, in its French translation.
        QCOMPARE(box.Buttons, QStringList{QStringLiteral("OK")});
        QCOMPARE(format, Qt::PlainText);
    }
};

TABULOR_TEST_MAIN(TErrorBoxTest)
#include "error_box_test.moc"
