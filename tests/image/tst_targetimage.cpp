#include "grid/gridcontroller.h"
#include "image/embeddedprofilecheck.h"
#include "image/targetimage.h"
#include "lang/texto.h"
#include "portablefolders.h"
#include "shell/appfolders.h"
#include "shell/frmmain.h"

#include "imagefixtures.h"
#include "namedcontrol.h"
#include "recordinglog.h"
#include "scripteddialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

namespace {

std::array<int, 3> Verde(int, int) {
    return {0, 200, 0};
}

// Holds the address space to what the process uses now plus `extra` bytes while it lives, so
// an allocation beyond that fails as it would on a machine short of memory.
class LimiteMemoria {
public:
    explicit LimiteMemoria(qint64 extra) {
        getrlimit(RLIMIT_AS, &antes_);
        QFile statm("/proc/self/statm");
        const bool leido = statm.open(QIODevice::ReadOnly);
        const qint64 paginas = leido ? statm.readAll().split(' ').value(0).toLongLong() : 0;
        rlimit limite = antes_;
        limite.rlim_cur = rlim_t(paginas * sysconf(_SC_PAGESIZE) + extra);
        setrlimit(RLIMIT_AS, &limite);
    }
    ~LimiteMemoria() { setrlimit(RLIMIT_AS, &antes_); }

private:
    rlimit antes_{};
};

} // namespace

class TestTargetImage : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    std::unique_ptr<frmMain> main_;
    TargetImage* objetivo_ = nullptr;

    QString ruta(const QString& nombre) const { return dir_.filePath(nombre); }
    QStringList log() const { return TextoDe(*main_, "txtLog").split('\n', Qt::SkipEmptyParts); }
    QLabel* picPreview() const { return Control<QLabel>(*main_, "picPreview"); }
    QImage preview() const { return picPreview()->pixmap().toImage(); }

    // Chooses the file through cmdLoadImage with a scripted open dialog; returns the new log.
    QStringList elegir(const QString& fichero) {
        const qsizetype antes = log().size();
        ScriptedDialogs dialogos;
        dialogos.answerOpen(fichero);
        QTest::mouseClick(Control<QPushButton>(*main_, "cmdLoadImage"), Qt::LeftButton);
        if (!dialogos.problems().isEmpty())
            return {"dialog problem: " + dialogos.problems()};
        return log().mid(antes);
    }

    void pulsarDosVeces(QPoint p) {
        QTest::mousePress(picPreview(), Qt::LeftButton, {}, p);
        QTest::mouseRelease(picPreview(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(picPreview(), Qt::LeftButton, {}, p + QPoint(1, 1));
    }

    QPoint origenCaja() const { return picPreview()->contentsRect().topLeft(); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY(QDir().mkpath(ruta("program")));
        EstablecerCarpetas(PortableFolders(ruta("program")));
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        main_ = std::make_unique<frmMain>();
        objetivo_ = main_->findChild<TargetImage*>();
        QVERIFY(objetivo_);
        picPreview()->setFixedSize(400, 250);
        picPreview()->setFrameShape(QFrame::NoFrame);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
        QCOMPARE(picPreview()->contentsRect().size(), QSize(400, 250));
    }

    void cancellingChangesNothing() {
        const QStringList antes = log();
        ScriptedDialogs dialogos;
        dialogos.answerOpen(QString());
        objetivo_->cmdLoadImage_Click();
        QVERIFY2(dialogos.problems().isEmpty(), qPrintable(dialogos.problems()));
        QCOMPARE(dialogos.calls().size(), 1);
        QCOMPARE(dialogos.calls()[0].title, QString("Abrir imagen de carta"));
        QCOMPARE(dialogos.calls()[0].filter,
                 QString("Imágenes (*.tif;*.tiff;*.png;*.jpg)|*.tif;*.tiff;*.png;*.jpg|Todos|*.*"));
        // Nothing chosen yet: the user's pictures (or home) folder, never the program folder.
        QVERIFY(QStringList({QDir::homePath(),
                             QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)})
                    .contains(dialogos.calls()[0].initialFolder));
        QVERIFY(objetivo_->Ruta().isEmpty());
        QVERIFY(Control<QLineEdit>(*main_, "txtImage")->text().isEmpty());
        QVERIFY(picPreview()->pixmap().isNull());
        QCOMPARE(log(), antes);
    }

    void jpegPreviewAtTheTopLeft() {
        const QString jpg = ruta("carta grande ñ.jpg");
        QVERIFY(EscribirImagenRGB(jpg, FIF_JPEG, 4000, 3000, 8, Verde));
        GridController& grid = *main_->findChild<GridController*>();
        grid.RegistrarAjusteCuadriculaManual("ColorChecker.cht", "1,2,3,4,5,6,7,8",
                                             ruta("old.tif"));
        const QStringList nuevas = elegir(jpg);
        QCOMPARE(nuevas, QStringList({
                             "Ajuste manual de cuadrícula descartado: Cambio de imagen target.",
                             "Imagen target: " + jpg,
                             "Previsualización: 4000x3000 -> 333x250 escala 0,083",
                         }));
        QCOMPARE(objetivo_->Ruta(), jpg);
        QCOMPARE(Control<QLineEdit>(*main_, "txtImage")->text(), jpg);
        QVERIFY(grid.AjusteManual().fiduciales.isEmpty());
        QCOMPARE(QSize(objetivo_->anchoDibujo(), objetivo_->altoDibujo()), QSize(333, 250));
        const QImage p = preview();
        QCOMPARE(p.size(), QSize(400, 250));
        const QColor dentro = p.pixelColor(300, 200);
        QVERIFY2(qAbs(dentro.green() - 200) < 6 && dentro.red() < 6, qPrintable(dentro.name()));
        QCOMPARE(p.pixelColor(340, 100).alpha(), 0);
    }

    void doubleClickHandsOverTheRelativePoint() {
        QSignalSpy inspector(objetivo_, &TargetImage::abrirInspector);
        pulsarDosVeces(origenCaja() + QPoint(111, 50));
        QCOMPARE(inspector.size(), 1);
        QCOMPARE(inspector[0][0].toString(), objetivo_->Ruta());
        QCOMPARE(inspector[0][1].toString(), QString("carta grande ñ.jpg"));
        QCOMPARE(inspector[0][2].toDouble(), 111.0 / 333);
        QCOMPARE(inspector[0][3].toDouble(), 50.0 / 250);
        // Outside the drawn image: the image centre.
        pulsarDosVeces(origenCaja() + QPoint(350, 50));
        QCOMPARE(inspector.size(), 2);
        QCOMPARE(inspector[1][2].toDouble(), 0.5);
        QCOMPARE(inspector[1][3].toDouble(), 0.5);
    }

    void tiffPreviewCentredOverBlack() {
        QVERIFY(EscribirImagenRGB(ruta("wide.tif"), FIF_TIFF, 200, 100, 8, Verde));
        QVERIFY(QFile::copy(ruta("wide.tif"), ruta("CAPITALS.TIF")));
        const QStringList nuevas = elegir(ruta("CAPITALS.TIF"));
        QCOMPARE(nuevas, QStringList({
                             "Imagen target: " + ruta("CAPITALS.TIF"),
                             "Previsualización TIFF: 200x100 -> 400x200 escala 2,000",
                         }));
        const QImage p = preview();
        QCOMPARE(p.pixel(200, 10), qRgb(0, 0, 0));
        QCOMPARE(p.pixel(200, 100), qRgb(0, 200, 0));
        QCOMPARE(p.pixel(200, 240), qRgb(0, 0, 0));

        QSignalSpy inspector(objetivo_, &TargetImage::abrirInspector);
        pulsarDosVeces(origenCaja() + QPoint(100, 25 + 150));
        QCOMPARE(inspector.size(), 1);
        QCOMPARE(inspector[0][2].toDouble(), 100.0 / 400);
        QCOMPARE(inspector[0][3].toDouble(), 150.0 / 200);
        pulsarDosVeces(origenCaja() + QPoint(100, 10)); // in the black band
        QCOMPARE(inspector[1][3].toDouble(), 0.5);
    }

    void otherExtensionsTakeTheLibraryPath() {
        QVERIFY(EscribirImagenRGB(ruta("tiny.png"), FIF_PNG, 2, 2, 8, Verde));
        QVERIFY(QFile::copy(ruta("tiny.png"), ruta("tiny.jpeg")));
        QVERIFY(QDir().mkpath(ruta("sin punto")));
        QVERIFY(QFile::copy(ruta("tiny.png"), ruta("sin punto/carta")));
        for (const QString nombre : {"tiny.jpeg", "sin punto/carta"}) {
            const QStringList nuevas = elegir(ruta(nombre));
            QCOMPARE(nuevas.size(), 2);
            // A small image is enlarged to fill the box.
            QCOMPARE(nuevas[1], QString("Previsualización: 2x2 -> 250x250 escala 125,000"));
        }
        // Never drawn narrower than 4 pixels.
        QVERIFY(EscribirImagenRGB(ruta("line.png"), FIF_PNG, 1, 1000, 8, Verde));
        QCOMPARE(elegir(ruta("line.png")).last(),
                 QString("Previsualización: 1x1000 -> 4x250 escala 0,250"));
    }

    // A file that is not an image is refused at once and the previous target stays; an image
    // whose pixels do not fit in memory leaves no target, so no Create starts with either.
    void unreadableFilesAreRefused() {
        const QString anterior = objetivo_->Ruta();
        QVERIFY(!anterior.isEmpty());
        for (const QString& nombre : {ruta("broken.png"), ruta("broken.tif")}) {
            QVERIFY(EscribirBytes(nombre, "no es una imagen"));
            const qsizetype lineas = log().size();
            ScriptedDialogs dialogos;
            dialogos.answerOpen(nombre).answerMessage(Msg::Ok);
            QTest::mouseClick(Control<QPushButton>(*main_, "cmdLoadImage"), Qt::LeftButton);
            QVERIFY2(dialogos.problems().isEmpty(), qPrintable(dialogos.problems()));
            QCOMPARE(dialogos.messages(), QStringList(Texto("msg.target_not_image").arg(nombre)));
            QCOMPARE(log().mid(lineas),
                     QStringList({"Fallo al cargar imagen target: " + nombre,
                                  "Detalle: FreeImage_Load fallo (fif=" +
                                      QString(nombre.endsWith("png") ? "13)" : "18)")}));
            QCOMPARE(objetivo_->Ruta(), anterior);
            QCOMPARE(Control<QLineEdit>(*main_, "txtImage")->text(), anterior);
        }

#ifndef __SANITIZE_ADDRESS__ // the sanitizer's allocator ends the program instead
        // Memory to decode the file but not for its samples: the log and a message say so.
        const QString grande = ruta("large.png");
        QVERIFY(EscribirImagenRGB(grande, FIF_PNG, 3000, 3000, 16, Verde));
        const qsizetype antes = log().size();
        ScriptedDialogs dialogos;
        dialogos.answerOpen(grande).answerMessage(Msg::Ok);
        {
            const LimiteMemoria limite(80 << 20);
            QTest::mouseClick(Control<QPushButton>(*main_, "cmdLoadImage"), Qt::LeftButton);
        }
        QVERIFY2(dialogos.problems().isEmpty(), qPrintable(dialogos.problems()));
        QCOMPARE(dialogos.messages(), QStringList(Texto("msg.image_too_large").arg(grande)));
        QCOMPARE(
            log().mid(antes),
            QStringList({"Imagen target: " + grande, "Fallo al cargar imagen target: " + grande,
                         "Detalle: fif=13 it=9 bpp=48 W=3000 H=3000 pitch=18000  | imagen "
                         "demasiado grande para la memoria disponible"}));
        QVERIFY(picPreview()->pixmap().isNull());
        QVERIFY(objetivo_->Ruta().isEmpty());
#endif
    }

    void menuEntryChoosesToo() {
        ScriptedDialogs dialogos;
        dialogos.answerOpen(QString());
        Control<QAction>(*main_, "mnuFileOpenTarget")->trigger();
        QCOMPARE(dialogos.calls().size(), 1);
        QCOMPARE(dialogos.calls()[0].title, QString("Abrir imagen de carta"));
    }

    void embeddedProfileQuestion() {
        RecordingLog registro;
        ScriptedDialogs dialogos;
        QVERIFY(EscribirImagenRGB(ruta("plain.tif"), FIF_TIFF, 4, 4, 8, Verde));
        QVERIFY(ComprobarICCIncrustado(ruta("plain.tif"), registro, main_.get()));
        QVERIFY(registro.lines.isEmpty());

        QVERIFY(ComprobarICCIncrustado(ruta("missing.tif"), registro, main_.get()));
        QCOMPARE(registro.lines, QStringList("Aviso: no se pudo comprobar si la imagen ya estaba "
                                             "perfilada: No se pudo abrir la imagen (10)"));
        QVERIFY(dialogos.calls().isEmpty());

        const QByteArray perfil = PerfilSRGB();
        if (perfil.isEmpty())
            QSKIP("ArgyllCMS reference profiles are not installed");
        QVERIFY(EscribirImagenRGB(ruta("icc.tif"), FIF_TIFF, 4, 4, 8, Verde, perfil));
        registro.lines.clear();
        dialogos.answerMessage(Msg::No).answerMessage(Msg::Yes);
        QVERIFY(!ComprobarICCIncrustado(ruta("icc.tif"), registro, main_.get()));
        QVERIFY(ComprobarICCIncrustado(ruta("icc.tif"), registro, main_.get()));
        QVERIFY2(dialogos.problems().isEmpty(), qPrintable(dialogos.problems()));
        QCOMPARE(registro.lines,
                 QStringList({"Aviso: la imagen contiene un perfil ICC incrustado.",
                              "Aviso: la imagen contiene un perfil ICC incrustado."}));
        const ScriptedDialogs::Call pregunta = dialogos.calls()[0];
        QCOMPARE(pregunta.title, QString("Imagen con ICC incrustado"));
        QCOMPARE(pregunta.style, Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2);
        QCOMPARE(pregunta.text.split("\n\n").size(), 4);
        QVERIFY(pregunta.text.startsWith("La imagen seleccionada tiene un perfil ICC incrustado."
                                         "\n\nQuitar esa etiqueta no cambia los píxeles"));
        QVERIFY(pregunta.text.endsWith("\n\n¿Quieres continuar de todos modos?"));
    }

    void cleanupTestCase() {
        main_.reset();
    }
};

QTEST_MAIN(TestTargetImage)
#include "tst_targetimage.moc"
