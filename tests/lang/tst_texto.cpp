#include "lang/texto.h"
#include "lang/texttables.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kMissingInFrIt = {"app.title",
                                    "menu.tools.grid",
                                    "menu.results.save_diag",
                                    "menu.results.save_ti3",
                                    "menu.results.summary",
                                    "menu.results.open_folder",
                                    "menu.results.view_diag",
                                    "menu.results.verify",
                                    "menu.results.scanin",
                                    "menu.results.compare",
                                    "algo.lab_clut",
                                    "algo.xyz_clut",
                                    "intent.perceptual",
                                    "colverify.dE2000",
                                    "colverify.each",
                                    "profcheck.de76",
                                    "msg.no_diag_last",
                                    "msg.no_ti3_last",
                                    "msg.help_missing",
                                    "msg.freeimage_missing",
                                    "status.preparing_profile",
                                    "status.scanin_reading",
                                    "status.colprof",
                                    "status.saving_results",
                                    "status.gridcheck",
                                    "msg.no_results_profile",
                                    "msg.missing_data_title",
                                    "msg.missing_data_prefix",
                                    "msg.temp_delete_title",
                                    "msg.temp_delete_question",
                                    "msg.scanin_save_ti3_where",
                                    "msg.grid_auto_running",
                                    "msg.grid_auto_missing",
                                    "msg.grid_auto_done",
                                    "msg.grid_manual_running",
                                    "msg.grid_manual_missing",
                                    "msg.grid_manual_done",
                                    "msg.gridcheck_open_error",
                                    "msg.gridcheck_desc",
                                    "msg.profcheck_no_data",
                                    "msg.profcheck_need_detail"};

QSet<QString> keysOf(int idioma) {
    const auto& table = TablaTextos(idioma);
    return QSet<QString>(table.keyBegin(), table.keyEnd());
}

} // namespace

class TestTexto : public QObject {
    Q_OBJECT

private slots:
    void init() { EstablecerIdiomaActual(IdiomaEs); }

    void tablesHoldTheirKeys() {
        QCOMPARE(TablaTextos(IdiomaEs).size(), 186);
        QCOMPARE(TablaTextos(IdiomaEn).size(), 186);
        QCOMPARE(TablaTextos(IdiomaFr).size(), 145);
        QCOMPARE(TablaTextos(IdiomaIt).size(), 145);
        QCOMPARE(keysOf(IdiomaEn), keysOf(IdiomaEs));
        QCOMPARE(keysOf(IdiomaIt), keysOf(IdiomaFr));
        QCOMPARE(kMissingInFrIt.size(), 41);
        const QSet<QString> missing(kMissingInFrIt.begin(), kMissingInFrIt.end());
        QCOMPARE(keysOf(IdiomaEs) - keysOf(IdiomaFr), missing);
        QVERIFY(keysOf(IdiomaFr).subtract(keysOf(IdiomaEs)).isEmpty());
        QVERIFY(TablaTextos(4).isEmpty());
        QVERIFY(TablaTextos(-1).isEmpty());
    }

    // Translations must keep what the callers rely on: "%1", the access-key mark, the
    // trailing blank before an appended path, and the line breaks of the long messages.
    void translationsKeepTheirMarkers() {
        const auto& en = TablaTextos(IdiomaEn);
        for (int lang : {IdiomaEs, IdiomaFr, IdiomaIt}) {
            const auto& table = TablaTextos(lang);
            for (auto it = table.begin(); it != table.end(); ++it) {
                const QString& english = en.value(it.key());
                const QString context = it.key() + " in language " + QString::number(lang);
                QVERIFY2(!it.value().isEmpty(), qPrintable(context));
                QVERIFY2(it.value().count("%1") == english.count("%1"), qPrintable(context));
                QVERIFY2(it.value().count('&') == english.count('&'), qPrintable(context));
                QVERIFY2(it.value().endsWith(' ') == english.endsWith(' '), qPrintable(context));
                QVERIFY2(it.value().count('\n') == english.count('\n'), qPrintable(context));
            }
        }
    }

    void exactTextsOfSpecialKeys() {
        QCOMPARE(TextoEnIdioma(IdiomaEs, "msg.temp_delete_question"),
                 QString("Se ha creado una carpeta temporal de trabajo:\n\n%1\n\n"
                         "¿Quieres borrarla ahora?"));
        QCOMPARE(TextoEnIdioma(IdiomaEn, "msg.freeimage_missing"),
                 QString("FreeImage.dll is missing next to the executable: "));
        QCOMPARE(TextoEnIdioma(IdiomaEs, "menu.help"), QString("A&yuda"));
        QCOMPARE(TextoEnIdioma(IdiomaIt, "menu.about"), QString("&Informazioni"));
        QCOMPARE(TextoEnIdioma(IdiomaFr, "menu.about"), QString("À &propos"));
    }

    void fallbackChain() {
        EstablecerIdiomaActual(IdiomaFr);
        QCOMPARE(Texto("menu.help"), QString("A&ide"));
        QCOMPARE(Texto("msg.profcheck_need_detail"),
                 TablaTextos(IdiomaEn).value("msg.profcheck_need_detail"));
        EstablecerIdiomaActual(IdiomaIt);
        QCOMPARE(Texto("intent.perceptual"), QString("Perceptual"));
        QCOMPARE(Texto("common.close"), QString("Chiudi"));
        EstablecerIdiomaActual(IdiomaEn);
        QCOMPARE(Texto("menu.exit"), QString("E&xit"));
        EstablecerIdiomaActual(IdiomaEs);
        QCOMPARE(Texto("menu.exit"), QString("&Salir"));
    }

    void unknownKeysReturnTheKey() {
        for (int lang : {IdiomaEs, IdiomaEn, IdiomaFr, IdiomaIt}) {
            EstablecerIdiomaActual(lang);
            QCOMPARE(Texto("no.such.key"), QString("no.such.key"));
            QCOMPARE(Texto("Menu.File"), QString("Menu.File"));
            QCOMPARE(Texto(""), QString(""));
        }
    }

    void allLanguagesOfAKey() {
        QCOMPARE(TextosEnTodosIdiomas("default.model"),
                 QStringList({"Modelo", "Model", "Modèle", "Modello"}));
        QCOMPARE(TextosEnTodosIdiomas("app.title").size(), 4);
    }

    void codesAndNumbers_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("number");
        QTest::newRow("es") << "es" << 0;
        QTest::newRow("en") << "en" << 1;
        QTest::newRow("fr") << "fr" << 2;
        QTest::newRow("it") << "it" << 3;
        QTest::newRow("blanks and case") << " EN " << 1;
        QTest::newRow("It") << "It" << 3;
        QTest::newRow("German") << "De" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("longer") << "english" << 0;
    }
    void codesAndNumbers() {
        QFETCH(QString, code);
        QFETCH(int, number);
        QCOMPARE(NumeroIdioma(code), number);
        EstablecerIdiomaActual(NumeroIdioma(code));
        QCOMPARE(IdiomaActual(), number);
        QCOMPARE(NumeroIdioma(CodigoIdioma()), number);
        QCOMPARE(NombreFicheroAyuda(), "ayuda_" + CodigoIdioma() + ".html");
    }

    void outOfRangeNumberIsSpanish() {
        EstablecerIdiomaActual(7);
        QCOMPARE(IdiomaActual(), 0);
        QCOMPARE(CodigoIdioma(), QString("es"));
        QCOMPARE(TextoEnIdioma(-3, "menu.file"), QString("&Archivo"));
    }

    void loadAndSaveSettings() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ini = dir.filePath("nerva_chromaflux.ini");

        EstablecerIdiomaActual(IdiomaIt);
        CargarIdioma(ini); // no file: Spanish, and nothing is written
        QCOMPARE(IdiomaActual(), 0);
        QVERIFY(!QFile::exists(ini));

        {
            QFile f(ini);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[paths]\nlast=/x\n[UI]\nLanguage= EN \n");
        }
        CargarIdioma(ini);
        QCOMPARE(IdiomaActual(), 1);

        EstablecerIdiomaActual(IdiomaFr);
        GuardarIdioma(ini);
        EstablecerIdiomaActual(IdiomaEs);
        CargarIdioma(ini);
        QCOMPARE(IdiomaActual(), 2);
        QFile f(ini);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString content = QString::fromUtf8(f.readAll());
        QVERIFY(content.contains("last=/x"));
        QVERIFY(content.contains("fr"));
    }
};

QTEST_GUILESS_MAIN(TestTexto)
#include "tst_texto.moc"
