#include "charts/chartcatalog.h"
#include "charts/chartcombos.h"
#include "charts/charttables.h"
#include "charts/referencepanel.h"
#include "lang/texto.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "shell/frmmain.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

void Tocar(const QString& ruta) {
    QFile f(ruta);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(ruta));
}

// A main window over its own reference and picture folders, with both lists filled and the
// reference panel working on it.
struct Banco {
    QTemporaryDir raiz;
    QString ref;
    QString doc;
    std::unique_ptr<frmMain> main;
    ReferencePanel* panel = nullptr;

    // extras: files created in the reference folder beside every catalogue chart.
    explicit Banco(const QStringList& extras = {}, const QStringList& imagenes = {}) {
        ref = raiz.filePath("ref");
        doc = raiz.filePath("doc");
        QDir().mkpath(ref);
        QDir().mkpath(doc);
        for (int row = 0; row < NumFilasCatalogo(); ++row) {
            Tocar(ref + "/" + QString::fromUtf8(FilaCatalogoEn(row).fichero));
        }
        for (const QString& nombre : extras) {
            Tocar(ref + "/" + nombre);
        }
        for (const QString& nombre : imagenes) {
            QImage imagen(60, 30, QImage::Format_RGB32);
            imagen.fill(Qt::green);
            imagen.save(doc + "/" + nombre, "JPG");
        }
        AppFolders carpetas;
        carpetas.programFolder = raiz.path();
        carpetas.argyllRef = ref;
        carpetas.argyllDoc = doc;
        EstablecerCarpetas(carpetas);
        main = std::make_unique<frmMain>();
        // The main window builds its panel with its controls.
        panel = main->findChild<ReferencePanel*>();
        RellenarComboCartas(main->cboChart);
        RellenarComboGenericas(main->cboGenericRef);
    }

    int Carta(const QString& fichero) const { return Catalogo().IndiceCarta(fichero); }
    void ElegirCarta(const QString& fichero) { main->cboChart->setCurrentIndex(Carta(fichero)); }
    QStringList Log() const { return main->txtLog->toPlainText().split('\n', Qt::SkipEmptyParts); }
    QString UltimaLinea() const { return Log().value(Log().size() - 1); }
    void GuardarAjusteManual() {
        main->FiducialesManuales = QStringLiteral("1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00");
        main->CartaAjusteManual = QStringLiteral("it8.cht");
        main->ImagenAjusteManual = QStringLiteral("/tmp/chart.tif");
    }
};

} // namespace

class TestReferencePanel : public QObject {
    Q_OBJECT

private slots:
    void fillingSelectsIt8Once();
    void fillingWithoutIt8OrCharts();
    void genericListFill();
    void chartWithGenericReference();
    void chartWithOwnReference();
    void chartWithoutAnyReference();
    void genericPickMovesChartWithoutDiscard();
    void emptyGenericItemKeepsChart();
    void genericOptionSelectsChartGeneric();
    void customReferenceChosen();
    void customReferenceCancelled();
    void internalChangeSkipsReferenceLogic();
    void synchroniseAndSelectGeneric();
    void pictureFollowsChart();
    void realFolderOwnReference();
};

void TestReferencePanel::fillingSelectsIt8Once() {
    Banco banco;
    QComboBox combo;
    QSignalSpy cambios(&combo, &QComboBox::currentIndexChanged);
    RellenarComboCartas(&combo);
    QCOMPARE(combo.count(), 22);
    QCOMPARE(combo.currentText(), QStringLiteral("IT8.7"));
    QCOMPARE(cambios.count(), 1);
    for (int i = 0; i < combo.count(); ++i) {
        QCOMPARE(combo.itemText(i), QString::fromUtf8(FilaCatalogoEn(i).nombre));
    }
    // Refilling keeps one change notice and the same choice.
    combo.setCurrentIndex(0);
    cambios.clear();
    RellenarComboCartas(&combo);
    QCOMPARE(cambios.count(), 1);
    QCOMPARE(combo.count(), 22);
    QCOMPARE(combo.currentText(), QStringLiteral("IT8.7"));
}

void TestReferencePanel::fillingWithoutIt8OrCharts() {
    QTemporaryDir ref;
    Tocar(ref.filePath("SpyderChecker.cht"));
    Tocar(ref.filePath("ColorChecker.cht"));
    QComboBox combo;
    RellenarComboCartas(&combo, ChartCatalog(ref.path(), ref.path()));
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.currentIndex(), 0);
    QCOMPARE(combo.currentText(), QStringLiteral("Datacolor SpyderChecker"));

    QTemporaryDir vacio;
    RellenarComboCartas(&combo, ChartCatalog(vacio.path(), vacio.path()));
    QCOMPARE(combo.count(), 0);
    QCOMPARE(combo.currentIndex(), -1);
}

void TestReferencePanel::genericListFill() {
    QComboBox combo;
    combo.addItem("old");
    RellenarComboGenericas(&combo);
    QCOMPARE(combo.count(), NumGenericas() + 1);
    QCOMPARE(combo.itemText(0), QString());
    QCOMPARE(combo.itemText(1), QStringLiteral("CMP Digital Target 4"));
    QCOMPARE(combo.itemText(7), QStringLiteral("QPcard 202/203"));
    QCOMPARE(combo.currentIndex(), 0);
}

void TestReferencePanel::chartWithGenericReference() {
    Banco banco;
    frmMain& m = *banco.main;
    banco.GuardarAjusteManual();
    banco.ElegirCarta("ColorChecker.cht");
    QCOMPARE(m.cboGenericRef->currentIndex(), 4);
    QVERIFY(m.optFRGenerico->isChecked());
    QVERIFY(!m.optPersoanlizado->isChecked());
    QVERIFY(m.cboGenericRef->isEnabled());
    QVERIFY(!m.cmdLoadRef->isEnabled());
    QCOMPARE(m.txtRef->text(), banco.ref + "/ColorChecker.cie");
    QCOMPARE(banco.UltimaLinea(),
             "Referencia genérica asociada a la carta: " + banco.ref + "/ColorChecker.cie");
    QVERIFY(m.FiducialesManuales.isEmpty());
    QVERIFY(banco.Log().contains(
        QStringLiteral("Ajuste manual de cuadrícula descartado: Cambio de tipo de carta.")));
    QVERIFY(!m.CambioInterno);
}

void TestReferencePanel::chartWithOwnReference() {
    Banco banco({"ColorCheckerSG.cie", "ColorCheckerSG.ti2"});
    frmMain& m = *banco.main;
    banco.ElegirCarta("ColorChecker.cht");
    m.RutaReferenciaPersonalizada = QStringLiteral("/elsewhere/mine.ti3");
    banco.ElegirCarta("ColorCheckerSG.cht");
    QVERIFY(m.optPersoanlizado->isChecked());
    QCOMPARE(m.cboGenericRef->currentIndex(), 0);
    QCOMPARE(m.RutaReferenciaPersonalizada, banco.ref + "/ColorCheckerSG.cie");
    QCOMPARE(m.txtRef->text(), m.RutaReferenciaPersonalizada);
    QVERIFY(!m.cboGenericRef->isEnabled());
    QVERIFY(m.cmdLoadRef->isEnabled());
    QCOMPARE(banco.UltimaLinea(),
             "Referencia personalizada asociada a la carta: " + m.RutaReferenciaPersonalizada);
    QVERIFY(!m.CambioInterno);
}

void TestReferencePanel::chartWithoutAnyReference() {
    Banco banco;
    frmMain& m = *banco.main;
    m.RutaReferenciaPersonalizada = QStringLiteral("/elsewhere/mine.ti3");
    banco.ElegirCarta("ColorCheckerSG.cht");
    QVERIFY(m.optPersoanlizado->isChecked());
    QCOMPARE(m.RutaReferenciaPersonalizada, QString());
    QCOMPARE(m.txtRef->text(), Texto("placeholder.select_custom_ref"));
    QCOMPARE(banco.UltimaLinea(), QStringLiteral("Esta carta necesita un fichero de referencia "
                                                 "personalizado. Selecciónalo manualmente."));
}

void TestReferencePanel::genericPickMovesChartWithoutDiscard() {
    Banco banco;
    frmMain& m = *banco.main;
    QCOMPARE(m.cboChart->currentText(), QStringLiteral("IT8.7"));
    banco.GuardarAjusteManual();
    const int lineas = banco.Log().size();
    m.cboGenericRef->setCurrentIndex(7);
    QCOMPARE(m.cboChart->currentText(), QStringLiteral("QPcard 202/203"));
    QVERIFY(m.optFRGenerico->isChecked());
    QVERIFY(!m.FiducialesManuales.isEmpty());
    QCOMPARE(banco.Log().size(), lineas + 1);
    QCOMPARE(banco.UltimaLinea(), "Referencia genérica: " + banco.ref + "/QPcard_202.cie");
    QCOMPARE(m.txtRef->text(), banco.ref + "/QPcard_202.cie");
    QVERIFY(!m.CambioInterno);
}

void TestReferencePanel::emptyGenericItemKeepsChart() {
    Banco banco;
    frmMain& m = *banco.main;
    banco.ElegirCarta("ColorChecker.cht");
    const QStringList antes = banco.Log();
    m.cboGenericRef->setCurrentIndex(0);
    QVERIFY(m.optFRGenerico->isChecked());
    QCOMPARE(m.cboChart->currentIndex(), banco.Carta("ColorChecker.cht"));
    QCOMPARE(m.txtRef->text(), Texto("placeholder.use_custom_for_chart"));
    QCOMPARE(banco.Log(), antes);
}

void TestReferencePanel::genericOptionSelectsChartGeneric() {
    Banco banco;
    frmMain& m = *banco.main;
    banco.ElegirCarta("SpyderChecker24.cht");
    m.cmdLoadRef->setEnabled(true);
    m.optPersoanlizado->click();
    {
        ScriptedDialogs dialogos;
        dialogos.answerOpen(banco.raiz.filePath("mine.cie"));
        m.cmdLoadRef->click();
        QVERIFY2(dialogos.problems().isEmpty(), qPrintable(dialogos.problems()));
    }
    QCOMPARE(m.cboGenericRef->currentIndex(), 0);
    m.optFRGenerico->click();
    QCOMPARE(m.cboGenericRef->currentIndex(), IndiceGenericaPorCarta("SpyderChecker24.cht"));
    QCOMPARE(m.txtRef->text(), banco.ref + "/SpyderChecker24.cie");
    QCOMPARE(m.cboChart->currentIndex(), banco.Carta("SpyderChecker24.cht"));

    // A chart without a generic reference: only the panel changes.
    banco.ElegirCarta("Hutchcolor.cht");
    QVERIFY(m.optPersoanlizado->isChecked());
    m.optFRGenerico->click();
    QVERIFY(m.optFRGenerico->isChecked());
    QCOMPARE(m.cboGenericRef->currentIndex(), 0);
    QCOMPARE(m.cboChart->currentIndex(), banco.Carta("Hutchcolor.cht"));
    QVERIFY(m.cboGenericRef->isEnabled());
    QVERIFY(!m.cmdLoadRef->isEnabled());
    QCOMPARE(m.txtRef->text(), Texto("placeholder.use_custom_for_chart"));
}

void TestReferencePanel::customReferenceChosen() {
    Banco banco;
    frmMain& m = *banco.main;
    banco.ElegirCarta("ColorChecker.cht");
    const QString elegido = banco.raiz.filePath("My Chart's ref.txt");
    ScriptedDialogs dialogos;
    dialogos.answerOpen(elegido).answerOpen(banco.raiz.filePath("second.ti3"));
    m.optPersoanlizado->click();
    m.cmdLoadRef->click();
    QCOMPARE(dialogos.calls().size(), 1);
    const ScriptedDialogs::Call& llamada = dialogos.calls().first();
    QCOMPARE(llamada.kind, ScriptedDialogs::Kind::Open);
    QCOMPARE(llamada.title, QStringLiteral("Abrir referencia"));
    QCOMPARE(llamada.filter, QStringLiteral("CGATS/IT8 (*.txt;*.cie;*.it8;*.ti2;*.ti3)|"
                                            "*.txt;*.cie;*.it8;*.ti2;*.ti3|Todos|*.*"));
    QCOMPARE(llamada.initialFolder, QDir::homePath()); // nothing of this kind chosen before
    QCOMPARE(m.RutaReferenciaPersonalizada, elegido);
    QVERIFY(m.optPersoanlizado->isChecked());
    QCOMPARE(m.cboGenericRef->currentIndex(), 0);
    QCOMPARE(m.cboChart->currentIndex(), banco.Carta("ColorChecker.cht"));
    QCOMPARE(m.txtRef->text(), elegido);
    QCOMPARE(banco.UltimaLinea(), "Referencia: " + elegido);
    QVERIFY(!m.CambioInterno);

    // The menu item does the same.
    m.mnuFileOpenRef->trigger();
    QCOMPARE(m.RutaReferenciaPersonalizada, banco.raiz.filePath("second.ti3"));
    QVERIFY2(dialogos.problems().isEmpty(), qPrintable(dialogos.problems()));
}

void TestReferencePanel::customReferenceCancelled() {
    Banco banco;
    frmMain& m = *banco.main;
    banco.ElegirCarta("ColorChecker.cht");
    QVERIFY(m.optFRGenerico->isChecked());
    const QStringList antes = banco.Log();
    const QString generica = m.txtRef->text();
    ScriptedDialogs dialogos;
    dialogos.answerOpen(QString());
    m.mnuFileOpenRef->trigger();
    // A cancelled dialog changes nothing: the generic reference stays in use.
    QVERIFY(m.optFRGenerico->isChecked());
    QCOMPARE(m.cboGenericRef->currentIndex(), 4);
    QCOMPARE(m.RutaReferenciaPersonalizada, QString());
    QCOMPARE(m.txtRef->text(), generica);
    QVERIFY(!m.cmdLoadRef->isEnabled());
    QCOMPARE(banco.Log(), antes);

    // Nor does it drop a custom reference chosen before.
    const QString propia = banco.raiz.filePath("mine.cie");
    dialogos.answerOpen(propia).answerOpen(QString());
    m.mnuFileOpenRef->trigger();
    m.cmdLoadRef->click();
    QVERIFY2(dialogos.problems().isEmpty(), qPrintable(dialogos.problems()));
    QVERIFY(m.optPersoanlizado->isChecked());
    QCOMPARE(m.RutaReferenciaPersonalizada, propia);
    QCOMPARE(m.txtRef->text(), propia);
}

void TestReferencePanel::internalChangeSkipsReferenceLogic() {
    Banco banco({}, {"colorchecker.jpg"});
    frmMain& m = *banco.main;
    banco.GuardarAjusteManual();
    const QStringList antes = banco.Log();
    const int generica = m.cboGenericRef->currentIndex();
    m.CambioInterno = true;
    banco.ElegirCarta("ColorChecker.cht");
    // Only the picture follows a change made by the system.
    QVERIFY(!m.picTipoCartaColor->pixmap().isNull());
    QCOMPARE(m.cboGenericRef->currentIndex(), generica);
    m.cboGenericRef->setCurrentIndex(7);
    QCOMPARE(m.cboChart->currentIndex(), banco.Carta("ColorChecker.cht"));
    QVERIFY(!m.FiducialesManuales.isEmpty());
    QCOMPARE(banco.Log(), antes);
    QVERIFY(m.CambioInterno);
}

void TestReferencePanel::synchroniseAndSelectGeneric() {
    Banco banco;
    QVERIFY(banco.panel);
    frmMain& m = *banco.main;
    const QStringList antes = banco.Log();
    m.CambioInterno = true;
    banco.ElegirCarta("QPcard_201.cht");
    m.CambioInterno = false;
    m.cboGenericRef->setEnabled(false);
    banco.panel->SincronizarGenericaConCarta();
    QCOMPARE(m.cboGenericRef->currentIndex(), 6);
    QVERIFY(!m.optFRGenerico->isChecked());
    QVERIFY(!m.CambioInterno);

    m.CambioInterno = true;
    banco.ElegirCarta("it8.cht");
    m.CambioInterno = false;
    banco.panel->SincronizarGenericaConCarta();
    QCOMPARE(m.cboGenericRef->currentIndex(), 0);
    QVERIFY(!banco.panel->SeleccionarGenericaDeCarta());
    QVERIFY(!m.optFRGenerico->isChecked());

    m.CambioInterno = true;
    banco.ElegirCarta("ColorCheckerPassport.cht");
    m.CambioInterno = false;
    QVERIFY(banco.panel->SeleccionarGenericaDeCarta());
    QCOMPARE(m.cboGenericRef->currentIndex(), 5);
    QVERIFY(m.optFRGenerico->isChecked());
    QCOMPARE(banco.Log(), antes);
    QVERIFY(!m.CambioInterno);

    // With an empty generic list nothing is selected.
    m.cboGenericRef->clear();
    QVERIFY(!banco.panel->SeleccionarGenericaDeCarta());
    banco.panel->SincronizarGenericaConCarta();
    QCOMPARE(m.cboGenericRef->currentIndex(), -1);
}

void TestReferencePanel::pictureFollowsChart() {
    Banco banco({}, {"Passport.jpg", "colorchecker.jpg"});
    frmMain& m = *banco.main;
    m.show();
    banco.ElegirCarta("ColorCheckerPassport.cht");
    const QImage completa = m.picTipoCartaColor->pixmap().toImage();
    QVERIFY(!completa.isNull());
    QCOMPARE(completa.size(), m.picTipoCartaColor->contentsRect().size());
    // The picture (green) fills the width and is centred vertically.
    const QPoint centro(completa.width() / 2, completa.height() / 2);
    QVERIFY(qAbs(completa.pixelColor(centro).green() - 255) < 8);
    QVERIFY(completa.pixelColor(centro).red() < 8);
    banco.ElegirCarta("ColorCheckerHalfPassport.cht");
    QCOMPARE(m.picTipoCartaColor->pixmap().toImage(), completa);
    banco.ElegirCarta("Hutchcolor.cht");
    QVERIFY(m.picTipoCartaColor->pixmap().isNull());

    // A larger box gets the picture redrawn at its size.
    banco.ElegirCarta("ColorChecker.cht");
    m.resize(m.width() + 200, m.height() + 200);
    QCoreApplication::processEvents();
    QCOMPARE(m.picTipoCartaColor->pixmap().size(), m.picTipoCartaColor->contentsRect().size());
}

void TestReferencePanel::realFolderOwnReference() {
    const QString ref = QStringLiteral("/usr/share/color/argyll/ref");
    const ChartCatalog catalogo(ref, QStringLiteral("/usr/share/doc/argyll-doc"));
    if (catalogo.IndiceCarta("ColorCheckerSG.cht") < 0) {
        QSKIP("ArgyllCMS reference files are not installed");
    }
    AppFolders carpetas;
    carpetas.argyllRef = ref;
    carpetas.argyllDoc = QStringLiteral("/usr/share/doc/argyll-doc");
    EstablecerCarpetas(carpetas);
    frmMain m;
    RellenarComboCartas(m.cboChart);
    RellenarComboGenericas(m.cboGenericRef);
    m.cboChart->setCurrentIndex(Catalogo().IndiceCarta("ColorCheckerSG.cht"));
    QCOMPARE(m.RutaReferenciaPersonalizada,
             catalogo.RutaReferenciaPropia(catalogo.IndiceCarta("ColorCheckerSG.cht")));
    QVERIFY(QFileInfo(m.RutaReferenciaPersonalizada).isFile());
    QVERIFY(m.optPersoanlizado->isChecked());
    QVERIFY(!m.picTipoCartaColor->pixmap().isNull());
}

QTEST_MAIN(TestReferencePanel)
#include "tst_referencepanel.moc"
