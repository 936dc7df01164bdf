// The plain rules behind the window: the request it fills, the texts' Windows-1252 bytes, the
// destination name it derives, where its windows go and how it starts.
#include <QWidget>

#include "qt/anchors.h"
#include "qt/conversion_request.h"
#include "qt/file_names.h"
#include "qt/placement.h"
#include "qt/start_show.h"
#include "qt/windows1252.h"
#include "modal_handler.h"

using namespace tabulor;

class TRequestTest : public QObject {
    Q_OBJECT

private slots:
    void windows1252_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII") << "a&b\"" << QByteArray("a&b\"");
        QTest::newRow("Latin-1") << QString::fromUtf8("été ÿ\u00A0") << QByteArray("\xE9t\xE9 \xFF\xA0");
        QTest::newRow("euro and quotes") << QString::fromUtf8("€‘’“”") << QByteArray("\x80\x91\x92\x93\x94");
        QTest::newRow("ligatures and trade mark") << QString::fromUtf8("ŒœŸ™") << QByteArray("\x8C\x9C\x9F\x99");
        QTest::newRow("angle quotation marks") << QString::fromUtf8("‹›") << QByteArray("\x8B\x9B");
        QTest::newRow("unassigned bytes' controls") << QString::fromUtf8("\u0081\u008D\u009D") << QByteArray("\x81\x8D\x9D");
        QTest::newRow("other C1 control") << QString::fromUtf8("\u0080") << QByteArray("?");
        QTest::newRow("outside") << QString::fromUtf8("Ωa中") << QByteArray("?a?");
        QTest::newRow("outside the BMP is one character") << QString::fromUtf8("x😀y") << QByteArray("x?y");
    }

    void windows1252()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(QByteArray::fromStdString(ToWindows1252(text)), bytes);
    }

    void textsPassUnchanged()
    {
        TFormFields fields;
        fields.SrcFile = QString::fromUtf8(" source é.txt");
        fields.DestFile = QStringLiteral("dest.html ");
        fields.TitleRows = -4;
        fields.TitleCols = 3;
        fields.EmptyCells = QString();
        fields.TableClass = QString::fromUtf8("grille\"é");
        fields.RowClass = QStringLiteral(" ligne ");
        fields.HeaderClass = QStringLiteral("tête");
        fields.CellClass = QStringLiteral("c");
        const TConversionSettings settings = MakeConversionSettings(fields);
        QCOMPARE(QString::fromStdString(settings.SourceFileName.string()), fields.SrcFile);
        QCOMPARE(QString::fromStdString(settings.DestFileName.string()), fields.DestFile);
        QCOMPARE(settings.TitleRows, 0);
        QCOMPARE(settings.TitleCols, 3);
        QCOMPARE(settings.EmptyCellText, std::string());
        QCOMPARE(settings.TableClass, std::string("grille\"\xE9"));
        QCOMPARE(settings.RowClass, std::string(" ligne "));
        QCOMPARE(settings.HeaderClass, std::string("t\xEAte"));
        QCOMPARE(settings.CellClass, std::string("c"));
    }

    void outputKind_data()
    {
        QTest::addColumn<bool>("table");
        QTest::addColumn<bool>("xhtml");
        QTest::addColumn<int>("kind");
        QTest::newRow("table") << true << false << int(okTableOnly);
        QTest::newRow("HTML") << false << false << int(okHtmlDocument);
        QTest::newRow("XHTML") << false << true << int(okXhtmlDocument);
    }

    void outputKind()
    {
        QFETCH(bool, table);
        QFETCH(bool, xhtml);
        QFETCH(int, kind);
        TFormFields fields;
        fields.OutputTable = table;
        fields.OutputXhtml = xhtml;
        QCOMPARE(int(MakeConversionSettings(fields).OutputKind), kind);
    }

    void destinationName_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("delimiters");
        QTest::addColumn<QString>("destination");
        const QString native = NativeNameDelimiters.toString();
        const QString windows = QStringLiteral(".\\/:");
        QTest::newRow("extension") << "/d/ventes.txt" << native << "/d/ventes.html";
        QTest::newRow("last extension only") << "/d/ventes.2024.txt" << native << "/d/ventes.2024.html";
        QTest::newRow("full stop in a folder") << "/d/v1.0/ventes" << native << "/d/v1.0/ventes.html";
        QTest::newRow("final full stop") << "/d/ventes." << native << "/d/ventes.html";
        QTest::newRow("only an extension") << "/d/.txt" << native << "/d/.html";
        QTest::newRow("already HTML") << "/d/page.html" << native << "/d/page.html";
        QTest::newRow("upper case") << "/d/VENTES.TXT" << native << "/d/VENTES.html";
        QTest::newRow("no folder") << "ventes" << native << "ventes.html";
        QTest::newRow("Windows folder") << "C:\\v1.0\\ventes" << windows << "C:\\v1.0\\ventes.html";
        QTest::newRow("Windows drive") << "C:ventes" << windows << "C:ventes.html";
        QTest::newRow("Windows extension") << "C:\\d\\ventes.txt" << windows << "C:\\d\\ventes.html";
        QTest::newRow("Windows forward slash") << "C:/v.1/ventes" << windows << "C:/v.1/ventes.html";
    }

    void destinationName()
    {
        QFETCH(QString, source);
        QFETCH(QString, delimiters);
        QFETCH(QString, destination);
        QCOMPARE(ChangeFileExt(source, u".html", delimiters), destination);
        if (delimiters == NativeNameDelimiters)
            QCOMPARE(DerivedDestFileName(source), destination);
    }

    void placement()
    {
        QCOMPARE(CentredTopLeft(QRect(0, 0, 1024, 768), QSize(641, 329)), QPoint(191, 219));
        QCOMPARE(CentredTopLeft(QRect(0, 0, 1025, 769), QSize(640, 330)), QPoint(192, 219));
        QCOMPARE(CentredTopLeft(QRect(0, 0, 600, 300), QSize(641, 329)), QPoint(0, 0));
        QCOMPARE(CentredTopLeft(QRect(1920, 0, 1280, 1024), QSize(200, 100)), QPoint(2460, 462));
        QCOMPARE(PickerTopLeft(QRect(0, 0, 1024, 768), QSize(600, 400)), QPoint(212, 122));
        QCOMPARE(PickerTopLeft(QRect(-1280, 100, 1280, 1024), QSize(601, 401)), QPoint(-941, 307));
    }

    void anchors()
    {
        QCOMPARE(ParseAnchors(QStringLiteral("left,top,right")),
                 Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge);
        const QRect designed(16, 32, 513, 21);
        const QSize growth(100, 50);
        QCOMPARE(AnchoredRect(designed, ParseAnchors("left,top"), growth), designed);
        QCOMPARE(AnchoredRect(designed, ParseAnchors("left,top,right"), growth), QRect(16, 32, 613, 21));
        QCOMPARE(AnchoredRect(designed, ParseAnchors("top,right"), growth), QRect(116, 32, 513, 21));
        QCOMPARE(AnchoredRect(designed, ParseAnchors("right,bottom"), growth), QRect(116, 82, 513, 21));
        QCOMPARE(AnchoredRect(designed, ParseAnchors("left,top,right,bottom"), growth), QRect(16, 32, 613, 71));
    }

    void startShowCommand_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("how");
        QTest::newRow("SW_SHOWNORMAL") << 1 << int(TStartShow::Normal);
        QTest::newRow("SW_SHOWMINIMIZED") << 2 << int(TStartShow::Normal);
        QTest::newRow("SW_SHOWMAXIMIZED") << 3 << int(TStartShow::Maximized);
        QTest::newRow("SW_SHOWMINNOACTIVE") << 7 << int(TStartShow::Minimized);
        QTest::newRow("SW_HIDE") << 0 << int(TStartShow::Normal);
        QTest::newRow("SW_SHOWDEFAULT") << 10 << int(TStartShow::Normal);
    }

    void startShowCommand()
    {
        QFETCH(int, command);
        QFETCH(int, how);
        QCOMPARE(int(StartShowFromCommand(command)), how);
    }
};

TABULOR_TEST_MAIN(TRequestTest)
#include "request_test.moc"
