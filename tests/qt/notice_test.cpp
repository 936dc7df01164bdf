// The notice: its text, title and one button, the ways it closes, its size and place, and what
// Ctrl+C copies of it.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QScreen>


#include "modal_handler.h"
#include "qt/application.h"
#include "qt/notice.h"
#include "qt/shell_types.h"
#include "resources/string_table.h"
#include "shell/layout.h"
#include "shell/messages.h"
#include "shell/placement.h"

using namespace tabulor;
using namespace tabulor::test;

class TNoticeTest : public QObject {
    Q_OBJECT

private slots:
    void noticeShowsTextTitleAndOneButton()
    {
        TShownMessage shown;
        bool iconShown = true;
        TModalHandler handler([&](QWidget* notice) {
            shown = DescribeMessage(notice);
            iconShown = notice->findChildren<QLabel*>().size() != 1;
        });
        TApplication::Instance()->ShowNotice(QString::fromUtf8(strings::SFileCreated));
        QCOMPARE(handler.Handled(), 1);
        QCOMPARE(shown.Title, ToQString(FormTitle));
        QCOMPARE(shown.Text, QString::fromUtf8(strings::SFileCreated));
        QCOMPARE(shown.Buttons, QStringList{QString::fromUtf8(strings::SOk)});
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
        TModalHandler handler([&](QWidget* notice) {
            auto* ok = notice->findChild<QPushButton*>(QStringLiteral("OK"));
            switch (way) {
            case 0: QTest::keyClick(notice, Qt::Key_Return); break;
            case 1: QTest::keyClick(notice, Qt::Key_Escape); break;
            case 2: QTest::mouseClick(ok, Qt::LeftButton); break;
            default: notice->close(); break;
            }
            closedByItself = !notice->isVisible();
        });
        TApplication::Instance()->ShowNotice(QStringLiteral("Bonjour"));
        QCOMPARE(handler.Handled(), 1);
        QVERIFY(closedByItself);
    }

    // A long text wraps at the shell's width, and the notice is laid out around it with Qt's
    // margins and the button its style asks for.
    void noticeWrapsItsTextAndFitsAroundIt()
    {
        const QString text = QString(QStringLiteral("mot ")).repeated(400);
        TMessageForm form(text, ToQString(FormTitle), nullptr);
        const int wrapWidth = NoticeWrapWidth(QGuiApplication::primaryScreen()->geometry().width());
        auto* label = form.findChild<QLabel*>(QStringLiteral("Message"));
        auto* ok = form.findChild<QPushButton*>(QStringLiteral("OK"));
        QVERIFY(label->width() <= wrapWidth);
        QVERIFY(label->width() > wrapWidth - 50);
        QVERIFY(label->height() > 3 * label->fontMetrics().height());
        const TNoticeLayout layout = LayOutNotice(ToTSize(label->size()), ToTSize(ok->sizeHint()),
                                                  QtNoticeMetrics.Margin, QtNoticeMetrics.Spacing);
        QCOMPARE(label->geometry(), ToQRect(layout.Text));
        QCOMPARE(ok->geometry(), ToQRect(layout.Button));
        QCOMPARE(form.size(), QSize(layout.Client.Width, layout.Client.Height));
    }

    void noticeCentresItsOuterFrame()
    {
        QRect frame;
        TModalHandler handler([&](QWidget* notice) {
            frame = notice->frameGeometry();
            notice->close();
        });
        TApplication::Instance()->ShowNotice(QStringLiteral("Bonjour"));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(frame.topLeft(), ToQPoint(CentredTopLeft(ToTRect(screen), ToTSize(frame.size()))));
    }

    // The text goes to the clipboard as it is shown, markup and all.
    void ctrlCCopiesTheNotice()
    {
        QGuiApplication::clipboard()->clear();
        TModalHandler handler([](QWidget* notice) {
            QTest::keyClick(notice, Qt::Key_C, Qt::ControlModifier);
        });
        const std::u16string text = u"Texte <b>";
        TApplication::Instance()->ShowNotice(ToQString(text));
        QCOMPARE(QGuiApplication::clipboard()->text(), ToQString(NoticeClipboardText(text)));
    }
};

TABULOR_TEST_MAIN(TNoticeTest)
#include "notice_test.moc"
