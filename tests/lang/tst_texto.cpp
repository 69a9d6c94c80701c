#include "lang/texto.h"
#include "lang/texttables.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

QSet<QString> keysOf(int idioma) {
    const auto& table = TablaTextos(idioma);
    return QSet<QString>(table.keyBegin(), table.keyEnd());
}

} // namespace

class TestTexto : public QObject {
    Q_OBJECT

private slots:
    void init() { EstablecerIdiomaActual(IdiomaEs); }

    void tablesHoldTheirKeys_data() {
        QTest::addColumn<int>("idioma");
        for (const char* code : {"es", "en", "fr", "it"})
            QTest::newRow(code) << NumeroIdioma(code);
    }

    // Every language holds every key, and every key the code names: nothing falls back to
    // another language or shows a bare key. A key ending in "." or "_" begins keys that are
    // completed at run time.
    void tablesHoldTheirKeys() {
        QFETCH(int, idioma);
        const QSet<QString> keys = keysOf(idioma);
        QCOMPARE(keys, keysOf(IdiomaEs));
        QSet<QString> groups;
        for (const QString& key : keys)
            groups.insert(key.section('.', 0, 0));
        static const QRegularExpression literal(
            QStringLiteral("\"([a-z][a-z0-9_]*(?:\\.[a-z0-9_]+)+\\.?)\""));
        int used = 0;
        QDirIterator files(NC_SOURCE_DIR, {"*.cpp", "*.h"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            for (const auto& m : literal.globalMatch(QString::fromUtf8(file.readAll()))) {
                const QString key = m.captured(1);
                if (!groups.contains(key.section('.', 0, 0)))
                    continue;
                ++used;
                const bool begins = key.endsWith('.') || key.endsWith('_');
                const bool known =
                    begins ? std::any_of(keys.begin(), keys.end(),
                                         [&](const QString& k) { return k.startsWith(key); })
                           : keys.contains(key);
                QVERIFY2(known, qPrintable(key + " in " + file.fileName()));
            }
        }
        QVERIFY(used > 200);
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
        EstablecerIdiomaActual(IdiomaIt);
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

    // The command line's language: the first locale variable set rules; only es, fr and it
    // are taken, anything else is English.
    void languageFromTheEnvironment_data() {
        QTest::addColumn<QStringList>("variables"); // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        QTest::addColumn<int>("number");
        QTest::newRow("none") << QStringList{"", "", "", ""} << int(IdiomaEn);
        QTest::newRow("LANG") << QStringList{"", "", "", "es_ES.UTF-8"} << int(IdiomaEs);
        QTest::newRow("C") << QStringList{"", "", "", "C.UTF-8"} << int(IdiomaEn);
        QTest::newRow("messages over LANG")
            << QStringList{"", "", "fr_CA", "es_ES"} << int(IdiomaFr);
        QTest::newRow("LC_ALL over both")
            << QStringList{"", "de_DE", "fr_FR", "es_ES"} << int(IdiomaEn);
        QTest::newRow("LANGUAGE list") << QStringList{"it:en", "es_ES", "", ""} << int(IdiomaIt);
    }
    void languageFromTheEnvironment() {
        QFETCH(QStringList, variables);
        QFETCH(int, number);
        QProcessEnvironment entorno;
        const char* nombres[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
        for (int i = 0; i < 4; ++i) {
            if (!variables[i].isEmpty())
                entorno.insert(nombres[i], variables[i]);
        }
        QCOMPARE(IdiomaDelEntorno(entorno), number);
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
