#include "charts/chartcatalog.h"
#include "grid/frmgridadjust.h"
#include "grid/frmgridcheck.h"
#include "grid/gridcontroller.h"
#include "image/frmcartaanalisis.h"
#include "image/frmimagencompleta.h"
#include "lang/aboutinfo.h"
#include "lang/frmacercade.h"
#include "lang/texto.h"
#include "lang/windowplacement.h"
#include "namedcontrol.h"
#include "portablefolders.h"
#include "profile/frmscanindiag.h"
#include "profile/resultsmenu.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "shell/frmmain.h"
#include "shell/inifile.h"
#include "verify/frmcolverify.h"
#include "verify/frmprofcheck.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <functional>
#include <map>
#include <memory>

namespace {

// What the window system's close box does: a close event delivered to the native window,
// which reaches the widget as a spontaneous one.
void CerrarConCasilla(QWidget& w) {
    QCloseEvent event;
    QCoreApplication::sendEvent(w.windowHandle(), &event);
}

void Escribir(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QString CartaElegida(const frmMain& w) {
    return Catalogo().FicheroCarta(Control<QComboBox>(w, "cboChart")->currentIndex());
}

const QString kExitQuestion = QStringLiteral("¿Seguro que quieres salir de Chromaflux?");
constexpr Msg::Styles kExitStyle = Msg::Question | Msg::YesNo | Msg::DefaultButton2;

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    QString Ini() const { return Carpetas().settingsFile(); }

    // A main window over fresh folders, loaded like at start.
    std::unique_ptr<frmMain> Cargar() {
        auto w = std::make_unique<frmMain>();
        w->Form_Load();
        return w;
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        EstablecerCarpetas(PortableFolders(dir_->path()));
        EstablecerIdiomaActual(IdiomaEs);
    }

    void withoutSettingsTheListsKeepTheirDefaults() {
        auto w = Cargar();
        QCOMPARE(Control<QComboBox>(*w, "cboAlgorithm")->currentIndex(), 2);
        QCOMPARE(Control<QComboBox>(*w, "cboIntent")->currentIndex(), 0);
        QCOMPARE(Control<QComboBox>(*w, "cboQuality")->currentIndex(), 2);
        QCOMPARE(Control<QComboBox>(*w, "txtGamma")->currentText(), QString("2.2"));
        QCOMPARE(Control<QComboBox>(*w, "txtWhitePoint")->currentText(), QString("1.0"));
        QCOMPARE(Control<QComboBox>(*w, "txtDarkAreas")->currentText(), QString("1.0"));
        QCOMPARE(CartaElegida(*w), QString("it8.cht"));
        QVERIFY(!Control<QCheckBox>(*w, "chkPerspective")->isChecked());
        QVERIFY(!Control<QAction>(*w, "mnuResultsAutoScaninDiag")->isChecked());
        QVERIFY(!Control<QAction>(*w, "mnuResultsSaveTi3WithProfile")->isChecked());
        // Nothing is written at start.
        QVERIFY(!QFile::exists(Ini()));
        QVERIFY(TextoDe(*w, "txtLog").endsWith("Base inicial Nerva Chromaflux lista."));
        QVERIFY(Control<QLabel>(*w, "lblMeta")->isHidden());
    }

    void withoutSettingsAShortCatalogueKeepsItsFirstChart() {
        // it8 is then entry 0, which as an old chart number would mean ColorChecker.
        const QString ref = dir_->filePath("Argyll/ref");
        QVERIFY(QDir().mkpath(ref));
        Escribir(ref + "/it8.cht", "");
        Escribir(ref + "/ColorChecker.cht", "");
        EstablecerCarpetas(PortableFolders(dir_->path()));
        QCOMPARE(Catalogo().IndiceCarta("it8.cht"), 0);
        auto w = Cargar();
        QCOMPARE(CartaElegida(*w), QString("it8.cht"));
    }

    // A sample of each kind: captions, menus, the option lists and the placeholders.
    void textsAreAppliedInSpanish() {
        auto w = Cargar();
        QCOMPARE(w->windowTitle(), QString("Nerva Chromaflux"));
        QCOMPARE(Control<QGroupBox>(*w, "fraTargetImage")->title(), QString("1. Imagen de carta"));
        QCOMPARE(Control<QPushButton>(*w, "cmdCreate")->text(), QString("Crear perfil ICC/ICM"));
        QCOMPARE(Control<QMenu>(*w, "mnuFile")->title(), QString("&Archivo"));
        QVERIFY(Control<QAction>(*w, "mnuLanguageES")->isChecked());
        QCOMPARE(Control<QComboBox>(*w, "cboAlgorithm")->currentText(), QString("Gamma + matriz"));
        QCOMPARE(Control<QLineEdit>(*w, "txtScanner")->text(), QString("Dispositivo"));
    }

    void storedValuesAreSelected_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("algorithm");
        QTest::addColumn<QString>("gamma");
        QTest::addColumn<QString>("chart");
        QTest::newRow("type only, index too high, gamma with comma")
            << QByteArray("[profile]\ntype=1\nalgorithm=99\ngamma=1,4\n") << 7 << "1.4"
            << "ColorCheckerSG.cht";
        QTest::newRow("negative index, unknown gamma")
            << QByteArray("[profile]\ntype=2\nalgorithm=-5\ngamma=1.7\n") << 0 << "2.2"
            << "ColorCheckerPassport.cht";
        QTest::newRow("chart file wins over type")
            << QByteArray("[profile]\ntype=1\nchart_file= COLORCHECKER.cht \nalgorithm=4\n") << 4
            << "2.2"
            << "ColorChecker.cht";
        QTest::newRow("type naming no catalogue chart keeps the selection")
            << QByteArray("[profile]\ntype=4\n") << 2 << "2.2"
            << "it8.cht";
    }

    void storedValuesAreSelected() {
        QFETCH(QByteArray, ini);
        QFETCH(int, algorithm);
        QFETCH(QString, gamma);
        QFETCH(QString, chart);
        Escribir(Ini(), ini);
        auto w = Cargar();
        QCOMPARE(Control<QComboBox>(*w, "cboAlgorithm")->currentIndex(), algorithm);
        QCOMPARE(Control<QComboBox>(*w, "txtGamma")->currentText(), gamma);
        QCOMPARE(CartaElegida(*w), chart);
    }

    void restoredReferenceAndSwitches() {
        Escribir(Ini(),
                 "[profile]\nchart_file=ColorChecker.cht\ngeneric_ref_file=colorchecker.CIE\n"
                 "perspective=1\nsave_scanin_diag=1\nsave_ti3_with_profile=0\n"
                 "camera=Nikon\nwhite_point=1.2\ndark_areas=2,5\nquality=0\nintent=3\n"
                 "[results]\nlast_profile=/no/such.icc\n");
        auto w = Cargar();
        QCOMPARE(CartaElegida(*w), QString("ColorChecker.cht"));
        QCOMPARE(Control<QComboBox>(*w, "cboGenericRef")->currentIndex(), 4);
        QVERIFY(Control<QRadioButton>(*w, "optFRGenerico")->isChecked());
        QVERIFY(Control<QLineEdit>(*w, "txtRef")->text().endsWith("ColorChecker.cie"));
        QVERIFY(Control<QCheckBox>(*w, "chkPerspective")->isChecked());
        QVERIFY(Control<QAction>(*w, "mnuResultsAutoScaninDiag")->isChecked());
        QVERIFY(!Control<QAction>(*w, "mnuResultsSaveTi3WithProfile")->isChecked());
        QCOMPARE(Control<QLineEdit>(*w, "txtScanner")->text(), QString("Nikon"));
        QCOMPARE(Control<QComboBox>(*w, "txtWhitePoint")->currentText(), QString("1.2"));
        QCOMPARE(Control<QComboBox>(*w, "txtDarkAreas")->currentText(), QString("2.5"));
        QCOMPARE(Control<QComboBox>(*w, "cboQuality")->currentIndex(), 0);
        QCOMPARE(Control<QComboBox>(*w, "cboIntent")->currentIndex(), 3);
        QCOMPARE(w->findChild<ResultsMenu*>()->Ultimos().perfil, QString("/no/such.icc"));
        // The Results menu follows the recorded files: this one does not exist.
        QVERIFY(!Control<QAction>(*w, "mnuResultsSummary")->isEnabled());
    }

    void chartWithoutGenericReferenceSelectsCustom() {
        Escribir(Ini(), "[profile]\nchart_file=ColorCheckerSG.cht\n");
        auto w = Cargar();
        QCOMPARE(CartaElegida(*w), QString("ColorCheckerSG.cht"));
        QCOMPARE(Control<QComboBox>(*w, "cboGenericRef")->currentIndex(), 0);
        QVERIFY(Control<QRadioButton>(*w, "optPersoanlizado")->isChecked());
        QVERIFY(!Control<QRadioButton>(*w, "optFRGenerico")->isChecked());
    }

    // The legacy file is read only while there is no file of the current name.
    void legacySettingsAreCopiedAndRead() {
        Escribir(Carpetas().legacySettingsFile(), "[profile]\ncamera=Legacy scanner\n");
        QCOMPARE(Control<QLineEdit>(*Cargar(), "txtScanner")->text(), QString("Legacy scanner"));
        Escribir(Ini(), "[profile]\ncamera=Current\n");
        QCOMPARE(Control<QLineEdit>(*Cargar(), "txtScanner")->text(), QString("Current"));
    }

    void settingsAreSavedOnceAtExit() {
        Escribir(Ini(), "[results]\nlast_ti3=/p/last.ti3\n");
        auto w = Cargar();
        w->resize(1200, 700);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto* splitter = Control<QSplitter>(*w, "splLog");
        splitter->setSizes({300, 300}); // the log dragged up to half the window
        const QList<int> split = splitter->sizes();
        Control<QLineEdit>(*w, "txtScanner")->setText("Epson V850");
        Control<QComboBox>(*w, "cboAlgorithm")->setCurrentIndex(6);
        Control<QCheckBox>(*w, "chkPerspective")->setChecked(true);
        Control<QAction>(*w, "mnuResultsSaveTi3WithProfile")->setChecked(true);
        QSignalSpy unloaded(w.get(), &frmMain::descargado);
        w->Form_Unload();
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(LeerIni(Ini(), "profile", "camera", ""), QString("Epson V850"));
        QCOMPARE(LeerIni(Ini(), "profile", "algorithm", ""), QString("6"));
        QCOMPARE(LeerIni(Ini(), "profile", "perspective", ""), QString("1"));
        QCOMPARE(LeerIni(Ini(), "profile", "chart_file", ""), QString("it8.cht"));
        QCOMPARE(LeerIni(Ini(), "profile", "type", ""),
                 QString::number(Control<QComboBox>(*w, "cboChart")->currentIndex()));
        QCOMPARE(LeerIni(Ini(), "profile", "save_ti3_with_profile", ""), QString("1"));
        QCOMPARE(LeerIni(Ini(), "results", "last_ti3", ""), QString("/p/last.ti3"));
        auto again = Cargar();
        again->resize(1200, 700);
        again->show();
        QVERIFY(QTest::qWaitForWindowExposed(again.get()));
        QCOMPARE(Control<QSplitter>(*again, "splLog")->sizes(), split);

        // A second unload does nothing: the file is not written again.
        Control<QLineEdit>(*w, "txtScanner")->setText("Changed later");
        w->Form_Unload();
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(LeerIni(Ini(), "profile", "camera", ""), QString("Epson V850"));
    }

    void unloadClosesOtherWindowsAndCleansTmp() {
        auto w = Cargar();
        QWidget other;
        other.show();
        const QString leftover = Carpetas().tmpFolder + "/chromaflux_process_output.log";
        Escribir(leftover, "old");
        w->Form_Unload();
        QVERIFY(other.isHidden());
        QVERIFY(!QFile::exists(leftover));
    }

    void exitMenuAsksOnceAndNoKeepsRunning() {
        auto w = Cargar();
        w->show();
        QSignalSpy unloaded(w.get(), &frmMain::descargado);
        {
            ScriptedDialogs dialogs;
            dialogs.answerMessage(Msg::No);
            Control<QAction>(*w, "mnuExit")->trigger();
            QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
            QCOMPARE(dialogs.calls().size(), 1);
            QCOMPARE(dialogs.calls()[0].text, kExitQuestion);
            QCOMPARE(dialogs.calls()[0].style, kExitStyle);
            QCOMPARE(dialogs.calls()[0].title, QString("Chromaflux"));
        }
        QVERIFY(w->isVisible());
        QCOMPARE(unloaded.count(), 0);
        {
            ScriptedDialogs dialogs;
            dialogs.answerMessage(Msg::Yes);
            Control<QAction>(*w, "mnuExit")->trigger();
            QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
            QCOMPARE(dialogs.messages(), QStringList{kExitQuestion});
        }
        QVERIFY(!w->isVisible());
        QCOMPARE(unloaded.count(), 1);
        QVERIFY(QFile::exists(Ini()));
    }

    void closeBoxAsksOnce() {
        auto w = Cargar();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QSignalSpy unloaded(w.get(), &frmMain::descargado);
        {
            ScriptedDialogs dialogs;
            dialogs.answerMessage(Msg::No);
            CerrarConCasilla(*w);
            QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
            QCOMPARE(dialogs.messages(), QStringList{kExitQuestion});
            QCOMPARE(dialogs.calls()[0].style, kExitStyle);
        }
        QVERIFY(w->isVisible());
        QCOMPARE(unloaded.count(), 0);
        {
            ScriptedDialogs dialogs;
            dialogs.answerMessage(Msg::Yes);
            CerrarConCasilla(*w);
            QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
            QCOMPARE(dialogs.messages(), QStringList{kExitQuestion});
        }
        QVERIFY(!w->isVisible());
        QCOMPARE(unloaded.count(), 1);
    }

    void closeFromCodeDoesNotAsk() {
        auto w = Cargar();
        w->show();
        QSignalSpy unloaded(w.get(), &frmMain::descargado);
        ScriptedDialogs dialogs;
        QVERIFY(w->close());
        QVERIFY(dialogs.calls().isEmpty());
        QCOMPARE(unloaded.count(), 1);
    }

    void languageSwitchKeepsPositionsAndUserTexts() {
        auto w = Cargar();
        auto* algoritmo = Control<QComboBox>(*w, "cboAlgorithm");
        algoritmo->setCurrentIndex(5);
        Control<QComboBox>(*w, "cboQuality")->setCurrentIndex(0);
        Control<QComboBox>(*w, "cboIntent")->setCurrentIndex(3);
        Control<QLineEdit>(*w, "txtModel")->setText("Mi escáner");
        Control<QAction>(*w, "mnuLanguageEN")->trigger();

        QCOMPARE(IdiomaActual(), int(IdiomaEn));
        QCOMPARE(LeerIni(Ini(), "ui", "language", ""), QString("en"));
        QCOMPARE(Control<QGroupBox>(*w, "fraTargetImage")->title(), QString("1. Target image"));
        QCOMPARE(Control<QAction>(*w, "mnuExit")->text(), QString("E&xit"));
        QVERIFY(Control<QAction>(*w, "mnuLanguageEN")->isChecked());
        QVERIFY(!Control<QAction>(*w, "mnuLanguageES")->isChecked());
        QCOMPARE(algoritmo->currentIndex(), 5);
        QCOMPARE(algoritmo->currentText(), QString("Matrix only"));
        QCOMPARE(Control<QComboBox>(*w, "cboQuality")->currentText(), QString("Low"));
        QCOMPARE(Control<QComboBox>(*w, "cboIntent")->currentText(),
                 QString("Absolute colorimetric"));
        QCOMPARE(Control<QLineEdit>(*w, "txtScanner")->text(), QString("Device"));
        QCOMPARE(Control<QLineEdit>(*w, "txtModel")->text(), QString("Mi escáner"));

        // French has its own Tools and Results menus too.
        Control<QAction>(*w, "mnuLanguageFR")->trigger();
        QCOMPARE(Control<QMenu>(*w, "mnuHelp")->title(), QString("A&ide"));
        QCOMPARE(Control<QAction>(*w, "mnuToolsGridCheck")->text(),
                 QString("Détecter / ajuster la &grille..."));
        QCOMPARE(Control<QAction>(*w, "mnuResultsSummary")->text(),
                 QString("Résumé du dernier profil..."));
        QCOMPARE(algoritmo->currentIndex(), 5);
        QVERIFY(Control<QAction>(*w, "mnuLanguageFR")->isChecked());
    }

    void logLinesAndToolOutput() {
        frmMain w;
        auto* log = Control<QPlainTextEdit>(w, "txtLog");
        w.LogMsg("first");
        QCOMPARE(log->toPlainText(), QString("first"));
        w.LogMsg("two\nlines");
        w.AgregarSalidaLog("\nraw a\r\n");
        w.AgregarSalidaLog("raw b");
        w.AgregarSalidaLog("");
        QCOMPARE(log->toPlainText(), QString("first\ntwo\nlines\nraw a\nraw b"));
        QCOMPARE(log->textCursor().position(), log->toPlainText().size());
        // A logged command line ends before its tool's output, which may come in pieces.
        w.LogMsg("scanin: \"a_diag.tif\"");
        w.AgregarSalidaLog("Input ");
        w.AgregarSalidaLog("file\n");
        QVERIFY(log->toPlainText().endsWith("raw b\nscanin: \"a_diag.tif\"\nInput file\n"));
    }

    // The busy status shows in the status bar with the elapsed time and a busy indicator; on
    // a 1280x720 screen the groups, the log and the status bar all show whole.
    void busyStatusDisablesCreate() {
        auto w = Cargar();
        w->resize(QSize(1280, 720) - kMarcoVentana);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto* log = Control<QPlainTextEdit>(*w, "txtLog");
        auto* meta = Control<QLabel>(*w, "lblMeta");
        auto* tiempo = Control<QLabel>(*w, "lblTiempo");
        auto* ocupado = Control<QProgressBar>(*w, "prgOcupado");
        auto* crear = Control<QPushButton>(*w, "cmdCreate");
        QVERIFY(!w->findChild<QScrollArea*>("scrGroups")->verticalScrollBar()->isVisible());
        QVERIFY(w->statusBar()->isVisible());
        log->clear();
        w->MostrarEstado("Ejecutando scanin...");
        QVERIFY(meta->isVisible() && ocupado->isVisible());
        QCOMPARE(tiempo->text(), QString("0:00"));
        QCOMPARE(meta->text(), QString("Ejecutando scanin..."));
        QVERIFY(!crear->isEnabled());
        QCOMPARE(w->cursor().shape(), Qt::WaitCursor);
        QCOMPARE(log->toPlainText(), QString("Ejecutando scanin..."));
        w->MostrarEstado("");
        QVERIFY(meta->isHidden() && ocupado->isHidden());
        QVERIFY(meta->text().isEmpty() && tiempo->text().isEmpty());
        QVERIFY(crear->isEnabled());
        QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(log->toPlainText(), QString("Ejecutando scanin..."));
    }

    void everyWindowFitsSmallScreens_data() {
        QTest::addColumn<QString>("window");
        for (const char* name : {"verification", "comparison", "scanin", "grid adjustment",
                                 "grid check", "viewer", "inspector", "about"})
            QTest::newRow(name) << name;
    }

    // Laid out at the inside size a 1280x720 or 1366x768 screen leaves, in the longest
    // language, no window insists on more: every control gets its minimum size.
    void everyWindowFitsSmallScreens() {
        QFETCH(QString, window);
        auto w = Cargar();
        GridController& grid = *w->findChild<GridController*>();
        const std::map<QString, std::function<QWidget*()>> ventanas = {
            {"verification", [&] { return new frmProfCheck(w.get()); }},
            {"comparison", [&] { return new frmColVerify(w.get()); }},
            {"scanin", [&] { return new frmScaninDiag(w.get()); }},
            {"grid adjustment", [&] { return new frmGridAdjust(grid, nullptr); }},
            {"grid check", [&] { return new frmGridCheck(nullptr); }},
            {"viewer", [&] { return new frmImagenCompleta(nullptr); }},
            {"inspector", [&] { return new frmCartaAnalisis(nullptr); }},
            {"about", [&] { return new frmACercaDe(InfoPrograma{}, w.get()); }}};
        for (const int idioma : {IdiomaEs, IdiomaFr}) {
            EstablecerIdiomaActual(idioma);
            std::unique_ptr<QWidget> ventana(ventanas.at(window)());
            for (const QSize pantalla : {QSize(1280, 720), QSize(1366, 768)}) {
                const QSize sitio = pantalla - kMarcoVentana;
                ventana->resize(sitio);
                ventana->show();
                QVERIFY(QTest::qWaitForWindowExposed(ventana.get()));
                QVERIFY2(ventana->width() <= sitio.width() && ventana->height() <= sitio.height(),
                         qPrintable(
                             QStringLiteral("%1x%2").arg(ventana->width()).arg(ventana->height())));
            }
        }
        EstablecerIdiomaActual(IdiomaEs);
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
