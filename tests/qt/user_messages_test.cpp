// The notice, the error box and the guard that leads errors to the box.
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <stdexcept>

#include "qt/application.h"
#include "qt/message_form.h"
#include "qt/shell_types.h"
#include "shell/placement.h"
#include "modal_handler.h"
#include "resources/string_table.h"

using namespace tabulor;
using namespace tabulor::test;

class TUserMessagesTest : public QObject {
    Q_OBJECT

private slots:
    void noticeShowsTextCaptionAndOneButton()
    {
        TShownMessage shown;
        bool iconShown = true;
        TModalHandler handler([&](QWidget* dialog) {
            shown = DescribeMessage(dialog);
            iconShown = dialog->findChildren<QLabel*>().size() != 1;
        });
        TApplication::Instance()->ShowNotice(QString::fromUtf8(strings::SFileCreated));
        QCOMPARE(handler.Handled(), 1);
        QCOMPARE(shown.Caption, QStringLiteral("Tabulor"));
        QCOMPARE(shown.Text, QString::fromUtf8("Le fichier a été correctement créé"));
        QCOMPARE(shown.Buttons, QStringList{QStringLiteral("OK")});
        QVERIFY(!iconShown);
    }

    void noticeCloses_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Enter") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("button") << 2;
        QTest::newRow("close box") << 3;
    }

    void noticeCloses()
    {
        QFETCH(int, way);
        bool closedByItself = false;
        TModalHandler handler([&](QWidget* dialog) {
            auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("OK"));
            switch (way) {
            case 0: QTest::keyClick(dialog, Qt::Key_Return); break;
            case 1: QTest::keyClick(dialog, Qt::Key_Escape); break;
            case 2: QTest::mouseClick(ok, Qt::LeftButton); break;
            default: dialog->close(); break;
            }
            closedByItself = !dialog->isVisible();
        });
        TApplication::Instance()->ShowNotice(QStringLiteral("Bonjour"));
        QCOMPARE(handler.Handled(), 1);
        QVERIFY(closedByItself);
    }

    void noticeWrapsAtHalfTheScreen()
    {
        const QString text = QString(QStringLiteral("mot ")).repeated(400);
        TMessageForm form(text, QStringLiteral("Tabulor"), nullptr);
        const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
        auto* message = form.findChild<QLabel*>(QStringLiteral("Message"));
        QVERIFY(message->width() <= screenWidth / 2);
        QVERIFY(message->width() > screenWidth / 2 - 50);
        QVERIFY(message->height() > 3 * message->fontMetrics().height());
        QVERIFY(form.width() < screenWidth);
    }

    void noticeCentresItsOuterFrame()
    {
        QRect frame;
        TModalHandler handler([&](QWidget* dialog) {
            frame = dialog->frameGeometry();
            dialog->close();
        });
        TApplication::Instance()->ShowNotice(QStringLiteral("Bonjour"));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(frame.topLeft(), ToQPoint(CentredTopLeft(ToTRect(screen), ToTSize(frame.size()))));
    }

    void ctrlCCopiesTheNotice()
    {
        QGuiApplication::clipboard()->clear();
        TModalHandler handler([](QWidget* dialog) {
            QTest::keyClick(dialog, Qt::Key_C, Qt::ControlModifier);
        });
        TApplication::Instance()->ShowNotice(QStringLiteral("Texte <b>"));
        const QString divider(27, u'-');
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 divider + "\nTabulor\n" + divider + "\nTexte <b>\n" + divider + "\nOK\n" + divider
                     + "\n");
    }

    void guardShowsTheErrorBox_data()
    {
        QTest::addColumn<bool>("standardError");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("file error") << true << QString::fromUtf8("Impossible d'ouvrir <b>\"é\". Pas là")
                                    << QString::fromUtf8("Impossible d'ouvrir <b>\"é\". Pas là.");
        QTest::newRow("ends in a full stop") << true << "Erreur." << "Erreur.";
        QTest::newRow("empty text") << true << "" << "";
        QTest::newRow("not a standard error") << false << "" << "";
    }

    void guardShowsTheErrorBox()
    {
        QFETCH(bool, standardError);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        TShownMessage box;
        Qt::TextFormat format = Qt::AutoText;
        TModalHandler handler([&](QWidget* dialog) {
            box = DescribeMessage(dialog);
            format = static_cast<QMessageBox*>(dialog)->textFormat();
        });
        Guarded([&] {
            if (standardError)
                throw std::runtime_error(message.toStdString());
            throw 42;
        })();
        QCOMPARE(handler.Handled(), 1);
        QCOMPARE(box.Caption, QStringLiteral("Tabulor"));
        QCOMPARE(box.Text, shown);
        QVERIFY(box.StopIcon);
        QCOMPARE(box.Buttons, QStringList{QStringLiteral("OK")});
        QCOMPARE(format, Qt::PlainText);
    }
};

TABULOR_TEST_MAIN(TUserMessagesTest)
#include "user_messages_test.moc"
