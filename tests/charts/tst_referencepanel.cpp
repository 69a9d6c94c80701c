#include "charts/chartcatalog.h"
#include "charts/chartcombos.h"
#include "charts/charttables.h"
#include "charts/referencechoice.h"
#include "grid/gridcontroller.h"
#include "lang/texto.h"
#include "namedcontrol.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "shell/frmmain.h"

#include <QtTest>
#include <QtWidgets>

namespace {

void Tocar(const QString& ruta) {
    QFile f(ruta);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(ruta));
}

// A reference folder holding every catalogue chart and the extra files given, made the
// process's.
struct Banco {
    QTemporaryDir raiz;
    QString ref = raiz.filePath("ref");

    explicit Banco(const QStringList& extras = {}) {
        QDir().mkpath(ref);
        for (int row = 0; row < NumFilasCatalogo(); ++row)
            Tocar(ref + "/" + QString::fromUtf8(FilaCatalogoEn(row).fichero));
        for (const QString& nombre : extras)
            Tocar(ref + "/" + nombre);
        AppFolders carpetas = AppFolders::forProgram(raiz.path());
        carpetas.argyllRef = ref;
        EstablecerCarpetas(carpetas);
    }
};

// Both lists filled, the given chart selected, the empty generic item, no mode.
EstadoReferencia Estado(const QString& carta) {
    EstadoReferencia e;
    e.numCartas = Catalogo().NumCartas();
    e.carta = Catalogo().IndiceCarta(carta);
    e.numGenericas = NumGenericas() + 1;
    e.generica = 0;
    return e;
}

} // namespace

class TestReferencePanel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { EstablecerIdiomaActual(IdiomaEs); }

    // it8 first when there, else the first chart.
    void fillingTheChartList() {
        QTemporaryDir ref;
        Tocar(ref.filePath("SpyderChecker.cht"));
        Tocar(ref.filePath("ColorChecker.cht"));
        QComboBox combo;
        RellenarComboCartas(&combo, ChartCatalog(ref.path(), ref.path()));
        QCOMPARE(combo.currentIndex(), 0);
        Tocar(ref.filePath("it8.cht"));
        RellenarComboCartas(&combo, ChartCatalog(ref.path(), ref.path()));
        QCOMPARE(combo.currentText(), QStringLiteral("IT8.7"));
    }

    void chartChoosesItsReference_data() {
        // "@" stands for the reference folder.
        QTest::addColumn<QStringList>("extras");
        QTest::addColumn<QString>("chart");
        QTest::addColumn<int>("generic");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("custom");
        QTest::addColumn<QString>("line");
        QTest::newRow("generic") << QStringList() << "ColorChecker.cht" << 4
                                 << int(EstadoReferencia::Generico) << "/elsewhere/mine.ti3"
                                 << Texto("log.chart_generic_ref") + "@/ColorChecker.cie";
        QTest::newRow("own file, .cie before .ti2")
            << QStringList{"ColorCheckerSG.ti2", "ColorCheckerSG.cie"} << "ColorCheckerSG.cht" << 0
            << int(EstadoReferencia::Personalizado) << "@/ColorCheckerSG.cie"
            << Texto("log.chart_own_ref") + "@/ColorCheckerSG.cie";
        QTest::newRow("none: the custom file is dropped")
            << QStringList() << "ColorCheckerSG.cht" << 0 << int(EstadoReferencia::Personalizado)
            << "" << Texto("log.chart_needs_ref");
    }

    // Every change of chart type replaces the reference by the chart's own choice.
    void chartChoosesItsReference() {
        QFETCH(QStringList, extras);
        QFETCH(QString, chart);
        QFETCH(int, generic);
        QFETCH(int, mode);
        QFETCH(QString, custom);
        QFETCH(QString, line);
        Banco banco(extras);
        const ReferenceChoice reglas;
        EstadoReferencia e = Estado(chart);
        e.personalizada = "/elsewhere/mine.ti3";
        QCOMPARE(reglas.AplicarReferenciaDeCarta(e), line.replace('@', banco.ref));
        QCOMPARE(e.generica, generic);
        QCOMPARE(int(e.modo), mode);
        QCOMPARE(e.personalizada, custom.replace('@', banco.ref));
        QCOMPARE(e.carta, Catalogo().IndiceCarta(chart));
    }

    void userChoicesOfReference() {
        Banco banco;
        const ReferenceChoice reglas;
        // A generic item moves the chart to its own.
        EstadoReferencia e = Estado("it8.cht");
        e.generica = 7;
        QCOMPARE(reglas.ElegirGenerica(e),
                 Texto("log.generic_ref") + banco.ref + "/QPcard_202.cie");
        QCOMPARE(e.carta, Catalogo().IndiceCarta("QPcard_202.cht"));
        QCOMPARE(int(e.modo), int(EstadoReferencia::Generico));
        // A custom file: the custom mode, the empty generic item, the chart kept.
        e.generica = 7;
        QCOMPARE(reglas.ElegirPersonalizada(e, "/my ref.txt"),
                 Texto("log.reference") + "/my ref.txt");
        QCOMPARE(int(e.modo), int(EstadoReferencia::Personalizado));
        QCOMPARE(e.generica, 0);
        QCOMPARE(reglas.TextoReferencia(e), QString("/my ref.txt"));
        // Back to the generic mode: the chart's generic reference, when it has one.
        reglas.ElegirModoGenerico(e);
        QCOMPARE(e.generica, 7);
    }

    // A move the panel makes itself (a generic pick moving the chart) is no user change of
    // chart, so the stored grid adjustment stays; the user's change drops it. The custom
    // reference is chosen through the button or the menu.
    void panelFollowsTheUser() {
        Banco banco;
        frmMain m;
        m.Form_Load();
        auto* chart = Control<QComboBox>(m, "cboChart");
        auto* generic = Control<QComboBox>(m, "cboGenericRef");
        GridController& grid = *m.findChild<GridController*>();
        grid.RegistrarAjusteCuadriculaManual("QPcard_202.cht", "1,2,3,4,5,6,7,8", "/a.tif");
        generic->setCurrentIndex(7);
        QCOMPARE(chart->currentIndex(), Catalogo().IndiceCarta("QPcard_202.cht"));
        QVERIFY(!grid.AjusteManual().fiduciales.isEmpty());

        chart->setCurrentIndex(Catalogo().IndiceCarta("ColorCheckerSG.cht"));
        QVERIFY(grid.AjusteManual().fiduciales.isEmpty());
        QVERIFY(Control<QRadioButton>(m, "optPersoanlizado")->isChecked());
        QVERIFY(!generic->isEnabled());

        // A cancelled dialog keeps the custom reference chosen before.
        const QString elegido = banco.raiz.filePath("My Chart's ref.txt");
        ScriptedDialogs dialogos;
        dialogos.answerOpen(elegido).answerOpen(QString());
        Control<QPushButton>(m, "cmdLoadRef")->click();
        Control<QAction>(m, "mnuFileOpenRef")->trigger();
        QVERIFY2(dialogos.problems().isEmpty(), qPrintable(dialogos.problems()));
        QCOMPARE(Control<QLineEdit>(m, "txtRef")->text(), elegido);
        QCOMPARE(chart->currentIndex(), Catalogo().IndiceCarta("ColorCheckerSG.cht"));
    }
};

QTEST_MAIN(TestReferencePanel)
#include "tst_referencepanel.moc"
