#include "lang/abouttexts.h"
#include "lang/helptopics.h"
#include "lang/helpwrap.h"
#include "lang/texto.h"
#include "lang/windowplacement.h"
#include "shell/appfolders.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// 6 pixels per character: the 264-pixel text area holds 44 characters.
int fixedWidth(const QString& s) {
    return static_cast<int>(s.size()) * 6;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestHelpText : public QObject {
    Q_OBJECT

private slots:
    void init() { EstablecerIdiomaActual(IdiomaEs); }

    void topicExtraction() {
        const QString text = "intro [opciones]\r\nFirst line\r\n\r\nSecond  \r\n[/opciones]"
                             "[ajustes]  inline text  [/AJUSTES] [unclosed]\rtext";
        QCOMPARE(ExtraerTemaDeTexto(text, "opciones"), QString("First line\n\nSecond  \n"));
        QCOMPARE(ExtraerTemaDeTexto(text, "OPCIONES"), QString("First line\n\nSecond  \n"));
        QCOMPARE(ExtraerTemaDeTexto(text, "ajustes"), QString("inline text"));
        QCOMPARE(ExtraerTemaDeTexto(text, "unclosed"), QString());
        QCOMPARE(ExtraerTemaDeTexto(text, "missing"), QString());
        QCOMPARE(ExtraerTemaDeTexto("[a]\n[/a]", "a"), QString());
        QCOMPARE(ExtraerTemaDeTexto("[/a] before [a]x", "a"), QString());
        QCOMPARE(ExtraerTemaDeTexto("[a]\rold mac\r[/a]", "a"), QString("old mac\n"));
    }

    void topicFilesAndPages() {
        QTemporaryDir dir;
        const QString folder = dir.path();
        QCOMPARE(RutaFicheroTemas(folder, "it"), folder + "/es_principal.id");
        QCOMPARE(RutaPaginaAyuda(folder, "ayuda_it.html"), folder + "/ayuda_es.html");
        writeFile(folder + "/it_principal.id", "[t]ciao[/t]");
        writeFile(folder + "/ayuda_it.html", "<html></html>");
        QCOMPARE(RutaFicheroTemas(folder, "it"), folder + "/it_principal.id");
        QCOMPARE(RutaPaginaAyuda(folder, "ayuda_it.html"), folder + "/ayuda_it.html");

        QCOMPARE(LeerFicheroTexto(folder + "/none.id"), QString());
        writeFile(folder + "/empty.id", "");
        QCOMPARE(LeerFicheroTexto(folder + "/empty.id"), QString());
        writeFile(folder + "/latin.id", "[t]Correcci\xf3n[/t]"); // Windows-1252
        QCOMPARE(LeerFicheroTexto(folder + "/latin.id"), QString("[t]Corrección[/t]"));
        writeFile(folder + "/utf8.id", "[t]Correcci\xc3\xb3n[/t]");
        QCOMPARE(LeerFicheroTexto(folder + "/utf8.id"), QString("[t]Corrección[/t]"));
    }

    void topicOfCurrentLanguage() {
        QTemporaryDir dir;
        AppFolders folders;
        folders.helpFolder = dir.path();
        EstablecerCarpetas(folders);
        writeFile(dir.filePath("es_principal.id"), "[t]hola[/t]");
        writeFile(dir.filePath("en_principal.id"), "[t]hello[/t]");
        EstablecerIdiomaActual(IdiomaEn);
        QCOMPARE(ExtraerTema("t"), QString("hello"));
        EstablecerIdiomaActual(IdiomaFr); // no French file: Spanish
        QCOMPARE(ExtraerTema("t"), QString("hola"));
        QCOMPARE(ExtraerTema("other"), QString());
    }

    void wrapping() {
        const QString words = "one two three four five six seven eight nine ten eleven twelve";
        const QString wrapped = AjustarTextoAyuda(words, 280, fixedWidth);
        const QStringList lines = wrapped.split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.join(' '), words);
        for (const QString& line : lines)
            QVERIFY(fixedWidth(line) <= 264);
        // the first line is as full as it can be
        QVERIFY(fixedWidth(lines[0] + " " + lines[1].section(' ', 0, 0)) > 264);

        // paragraphs, bullets, blanks and source lines
        const QString topic =
            "  first   line \nsecond line\n\n* a bullet line that is much wider than "
            "the window area\n  \n\r\n\r\nlast";
        QCOMPARE(AjustarTextoAyuda(topic, 280, fixedWidth),
                 QString("first line\nsecond line\n\n* a bullet line that is much wider than the "
                         "window area\n\nlast"));

        const QString longWord = QString(60, 'x');
        QCOMPARE(AjustarTextoAyuda("a " + longWord + " b", 280, fixedWidth),
                 QString("a\n" + longWord + "\nb"));
        QCOMPARE(AjustarTextoAyuda("", 280, fixedWidth), QString());
    }

    void placement() {
        const QRect screen(0, 0, 1920, 1080);
        const QRect normal = PosicionAyuda(QPoint(200, 133), screen, 20, 5);
        QCOMPARE(normal, QRect(212, 145, 280, 20 * 7 + 8));
        QCOMPARE(PosicionAyuda(QPoint(0, 0), screen, 20, 1).height(), 80); // four lines

        const QRect corner = PosicionAyuda(QPoint(1913, 1073), screen, 20, 5);
        QCOMPARE(corner.right() + 1, 1920 - 8);
        QCOMPARE(corner.bottom() + 1, 1080 - 8);
        QVERIFY(corner.left() < 1913 && corner.top() < 1073);

        const QRect tiny = PosicionAyuda(QPoint(7, 7), QRect(0, 0, 200, 133), 20, 10);
        QCOMPARE(tiny.topLeft(), QPoint(8, 8));

        const QRect second = PosicionAyuda(QPoint(2000, 33), QRect(1920, 0, 1920, 1080), 20, 2);
        QCOMPARE(second.topLeft(), QPoint(2012, 45));

        QCOMPARE(DisenoAPixeles(280, 120), 350);
        QCOMPARE(PixelesADiseno(350, 120), 280);
    }

    void centring() {
        QCOMPARE(PosicionCentrada(QRect(100, 50, 800, 600), QSize(400, 300)), QPoint(300, 200));
        QCOMPARE(PosicionCentrada(QRect(-700, -500, 800, 600), QSize(400, 300)), QPoint(0, 0));
        QCOMPARE(PosicionCentrada(QRect(0, 0, 300, 200), QSize(400, 300)), QPoint(0, 0));
        QCOMPARE(TamanoEnPantalla(QSize(1240, 780), QSize(1366, 768)), QSize(1240, 728));
        QCOMPARE(TamanoEnPantalla(QSize(1000, 760), QSize(1280, 720)), QSize(1000, 680));
    }

    void aboutTexts() {
        const TextosAcercaDe es = TextosAcercaDeIdioma(IdiomaEs);
        QCOMPARE(es.botonDonar, QString("DONAR (PayPal)"));
        QVERIFY(es.argyllCMS.startsWith("ArgyllCMS, sistema de gestión de color compatible con "
                                        "ICC. Ver http"));
        QVERIFY(es.freeImage.endsWith(" para más información"));
        QCOMPARE(TextosAcercaDeIdioma(7).donar, es.donar);
        QCOMPARE(TextosAcercaDeIdioma(IdiomaEn).para, QString("for:"));
        QCOMPARE(TextosAcercaDeIdioma(IdiomaFr).usaEsteSoftware, QString("Ce logiciel utilise :"));
        QCOMPARE(TextosAcercaDeIdioma(IdiomaIt).botonDonar, QString("DONA (PayPal)"));
        // the table keys about.* are not what the window shows
        QVERIFY(TextosAcercaDeIdioma(IdiomaEs).donar != Texto("about.donate_label"));

        QCOMPARE(TituloAcercaDe(), QString("Nerva Chromaflux | Acerca de..."));
        EstablecerIdiomaActual(IdiomaFr);
        QCOMPARE(TituloAcercaDe(), QString("Nerva Chromaflux | À propos..."));
    }

    // The shipped help: every hover topic in every language, and every page.
    void shippedHelp() {
        const QString folder = QStringLiteral(NC_HELP_DIR);
        const QStringList topics = {
            "imagen_del_target", "fichero_de_referencia", "comprobacion_visual",    "correcciones",
            "ajustes",           "tipo_de_carta",         "informacion_del_perfil", "opciones"};
        for (const QString code : {"es", "en", "fr", "it"}) {
            QCOMPARE(RutaFicheroTemas(folder, code), folder + "/" + code + "_principal.id");
            QCOMPARE(RutaPaginaAyuda(folder, "ayuda_" + code + ".html"),
                     folder + "/ayuda_" + code + ".html");
            const QString text = LeerFicheroTexto(RutaFicheroTemas(folder, code));
            for (const QString& topic : topics) {
                const QString body = ExtraerTemaDeTexto(text, topic);
                QVERIFY2(body.size() > 80, qPrintable(code + " " + topic));
                QVERIFY2(!body.contains('['), qPrintable(code + " " + topic));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestHelpText)
#include "tst_helptext.moc"
