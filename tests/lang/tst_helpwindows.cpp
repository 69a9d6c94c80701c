#include "lang/abouttexts.h"
#include "lang/frmacercade.h"
#include "lang/frmayudaflotante.h"
#include "lang/helpmenu.h"
#include "lang/hoverhelp.h"
#include "lang/languageswitch.h"
#include "lang/texto.h"
#include "lang/windowplacement.h"
#include "namedcontrol.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"

#include <QComboBox>
#include <QCursor>
#include <QDesktopServices>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QUrl>

namespace {

// Records message boxes instead of showing them.
class RecordingDialogs : public DialogProvider {
public:
    int message(QWidget*, const QString& text, Msg::Styles style, const QString& title,
                const QString&) override {
        messages.append({text, title});
        styles.append(style);
        return Msg::Ok;
    }
    QString openFile(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&,
                     const QString&) override {
        return {};
    }
    QList<QStringList> messages;
    QList<Msg::Styles> styles;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString shownText(const QLabel* label) {
    return QTextDocumentFragment::fromHtml(label->text()).toPlainText().remove(QChar(0x2060));
}

void moveMouse(QWidget* widget) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

} // namespace

class TestHelpWindows : public QObject {
    Q_OBJECT

public slots:
    void openUrl(const QUrl& url) { opened.append(url); }

private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        AppFolders folders;
        folders.helpFolder = folder.path();
        folders.argyllDoc = folder.filePath("doc");
        EstablecerCarpetas(folders);
        EstablecerDialogos(&dialogs);
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        writeFile(folder.filePath("es_principal.id"),
                  "[opciones]\nEl algoritmo Gamma + matriz es robusto y sirve para cartas de "
                  "veinticuatro parches; Lab cLUT necesita muchos parches.\n\n"
                  "* Baja, Media, Alta, Ultra\n[/opciones]\n[corto]Una línea.[/corto]");
        writeFile(folder.filePath("en_principal.id"), "[opciones]\nEnglish options.\n[/opciones]");
    }
    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler("file");
        EstablecerDialogos(nullptr);
    }
    void init() {
        EstablecerIdiomaActual(IdiomaEs);
        opened.clear();
        dialogs.messages.clear();
        dialogs.styles.clear();
    }

    void floatingHelpShowsWrappedTopic() {
        HoverHelp help;
        QCursor::setPos(QPoint(200, 150));
        help.MostrarAyudaTema("opciones");
        QVERIFY(help.AyudaVisible());
        frmAyudaFlotante* window = help.Ventana();
        QVERIFY(window && window->isVisible());
        QVERIFY(window->testAttribute(Qt::WA_TransparentForMouseEvents) ||
                window->windowFlags().testFlag(Qt::WindowTransparentForInput));
        const QStringList lines = Control<QLabel>(*window, "lblTexto")->text().split('\n');
        QVERIFY(lines.size() >= 4); // wrapped paragraph, empty line, bullet
        QCOMPARE(lines.last(), QString("* Baja, Media, Alta, Ultra"));
        QVERIFY(lines.contains(QString()));
        for (const QString& line : lines) {
            if (!line.contains(' '))
                continue;
            QVERIFY2(window->AnchoTexto(line) <= kAnchoAyudaFlotante - 16, qPrintable(line));
        }
        const double dpi = window->logicalDpiX();
        QCOMPARE(window->width(), DisenoAPixeles(kAnchoAyudaFlotante, dpi));
        QVERIFY(window->x() >= 200 && window->y() >= 150); // beside the cursor
        QVERIFY(Control<QLabel>(*window, "lblTexto")->geometry().bottom() < window->height());

        help.MostrarAyudaTema("corto"); // one line: still four line heights
        QCOMPARE(Control<QLabel>(*window, "lblTexto")->text(), QString("Una línea."));
        QVERIFY(window->height() >= DisenoAPixeles(window->AltoTexto() * 4, dpi) - 1);

        help.OcultarAyudaTema();
        QVERIFY(!help.AyudaVisible() && !window->isVisible());
        help.OcultarAyudaTema();
        QVERIFY(!window->isVisible());

        // An option list opened over the help hides it, and keeps it hidden while open.
        help.MostrarAyudaTema("opciones");
        QComboBox list;
        list.addItems({"a", "b"});
        list.show();
        list.showPopup();
        QVERIFY(!help.AyudaVisible() && !window->isVisible());
        help.MostrarAyudaTema("opciones");
        QVERIFY(!help.AyudaVisible());
        list.hidePopup();
        help.MostrarAyudaTema("opciones");
        QVERIFY(help.AyudaVisible());
    }

    void floatingHelpStaysOnScreen() {
        HoverHelp help;
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCursor::setPos(area.bottomRight() - QPoint(3, 3));
        help.MostrarAyudaTema("opciones");
        const QRect placed = help.Ventana()->geometry();
        QVERIFY(area.contains(placed));
        QVERIFY(placed.right() < area.right() - 3 && placed.bottom() < area.bottom() - 3);
    }

    void missingTopicHidesTheWindow() {
        HoverHelp help;
        help.MostrarAyudaTema("no_such_topic");
        QVERIFY(!help.AyudaVisible());
        QVERIFY(help.Ventana() == nullptr);
        help.MostrarAyudaTema("opciones");
        help.MostrarAyudaTema("no_such_topic");
        QVERIFY(!help.AyudaVisible() && !help.Ventana()->isVisible());
        EstablecerIdiomaActual(IdiomaEn); // topic follows the language
        help.MostrarAyudaTema("opciones");
        QCOMPARE(Control<QLabel>(*help.Ventana(), "lblTexto")->text(), QString("English options."));
    }

    void mouseMovesShowAndHide() {
        QWidget frame;
        auto* helpLabel = new QLabel("?", &frame);
        auto* button = new QPushButton("x", &frame);
        HoverHelp help;
        help.MostrarAlPasar(helpLabel, "opciones");
        help.OcultarAlPasar(&frame);
        help.OcultarAlPasar(button);
        QVERIFY(helpLabel->hasMouseTracking() && frame.hasMouseTracking());
        moveMouse(helpLabel);
        QVERIFY(help.AyudaVisible()); // the label's move does not reach the hiding frame
        moveMouse(button);
        QVERIFY(!help.AyudaVisible());
        moveMouse(helpLabel);
        moveMouse(&frame);
        QVERIFY(!help.AyudaVisible());
        delete helpLabel;
        moveMouse(&frame);
    }

    void languageSwitchLeavesFloatingHelpAlone() {
        HoverHelp help;
        help.MostrarAyudaTema("opciones");
        const QString before = Control<QLabel>(*help.Ventana(), "lblTexto")->text();
        AplicarIdiomaFormularios();
        QCOMPARE(Control<QLabel>(*help.Ventana(), "lblTexto")->text(), before);
        QVERIFY(help.Ventana()->isVisible());
    }

    void helpMenu() {
        AbrirAyuda(nullptr); // no page at all: reported with the Spanish page's path
        QVERIFY(opened.isEmpty());
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0][0],
                 QString("No se encuentra la ayuda:\n") + folder.filePath("ayuda_es.html"));
        QCOMPARE(dialogs.messages[0][1], QString("A&yuda"));
        QCOMPARE(dialogs.styles[0], Msg::Exclamation);

        writeFile(folder.filePath("ayuda_es.html"), "<html></html>");
        EstablecerIdiomaActual(IdiomaIt); // no Italian page: the Spanish one
        AbrirAyuda(nullptr);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(folder.filePath("ayuda_es.html"))});
        writeFile(folder.filePath("ayuda_it.html"), "<html></html>");
        AbrirAyuda(nullptr);
        QCOMPARE(opened.last(), QUrl::fromLocalFile(folder.filePath("ayuda_it.html")));
        // Nothing to open it with: the user gets the path, to open it by hand.
        QDesktopServices::unsetUrlHandler("file");
        AbrirAyuda(nullptr);
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        QCOMPARE(
            dialogs.messages.takeLast(),
            QStringList(
                {TextoEnIdioma(IdiomaIt, "msg.open_by_hand").arg(folder.filePath("ayuda_it.html")),
                 "A&iuto"}));

        EstablecerIdiomaActual(IdiomaEn);
        AbrirDocumentacionArgyll(nullptr);
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(dialogs.messages[1][0],
                 "Help file not found:\n" + folder.filePath("doc") + "/ArgyllDoc.html");
        QCOMPARE(dialogs.messages[1][1], QString("&Help"));
    }

    void aboutWindowTexts() {
        InfoPrograma info;
        info.web = "https://example.test/";
        frmACercaDe about(info);
        QCOMPARE(about.windowTitle(), QString("Nerva Chromaflux | Acerca de..."));
        QCOMPARE(Control<QLabel>(about, "lblNombrePrograma")->text(), QString("Chromaflux"));
        QCOMPARE(Control<QLabel>(about, "lblVersion")->text(), QString("1.02a"));
        QCOMPARE(Control<QLabel>(about, "lblWeb")->text(), info.web);
        QCOMPARE(Control<QPushButton>(about, "cmdDonar")->text(), QString("DONAR (PayPal)"));
        QCOMPARE(Control<QLabel>(about, "lblPara")->text(), QString("para:"));
        QCOMPARE(shownText(Control<QLabel>(about, "lblArgyllCMS")),
                 TextosAcercaDeIdioma(IdiomaEs).argyllCMS);
        QVERIFY(Control<QLabel>(about, "lblArgyllCMS")
                    ->text()
                    .contains("href=\"https://www.argyllcms.com/\""));
        QVERIFY(Control<QLabel>(about, "lblEMAIL")->isHidden()); // no contact address
        QVERIFY(!Control<QLabel>(about, "lblWeb")->isHidden());

        about.show();
        EstablecerIdiomaActual(IdiomaIt);
        AplicarIdiomaFormularios();
        QCOMPARE(about.windowTitle(), QString("Nerva Chromaflux | Informazioni..."));
        QCOMPARE(Control<QPushButton>(about, "cmdDonar")->text(), QString("DONA (PayPal)"));
        QCOMPARE(Control<QLabel>(about, "lblThisSoftware")->text(),
                 QString("Questo software utilizza:"));
        QCOMPARE(shownText(Control<QLabel>(about, "lblFreeimage")),
                 TextosAcercaDeIdioma(IdiomaIt).freeImage);
        QCOMPARE(Control<QLabel>(about, "lblVersion")->text(), QString("1.02a"));

        Control<QPushButton>(about, "cmdDonar")->click();
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(folder.filePath("donar.html"))});
        QVERIFY(!Control<QLabel>(about, "Image1")->pixmap().isNull());
    }

private:
    QTemporaryDir folder;
    RecordingDialogs dialogs;
    QList<QUrl> opened;
};

QTEST_MAIN(TestHelpWindows)
#include "tst_helpwindows.moc"
