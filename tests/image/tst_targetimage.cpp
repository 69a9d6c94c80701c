#include "grid/gridcontroller.h"
#include "image/embeddedprofilecheck.h"
#include "image/targetimage.h"
#include "lang/texto.h"
#include "portablefolders.h"
#include "shell/frmmain.h"

#include "imagefixtures.h"
#include "namedcontrol.h"
#include "recordinglog.h"
#include "scripteddialogs.h"

#include <QtTest>
#include <QtWidgets>

namespace {

std::array<int, 3> Verde(int, int) {
    return {0, 200, 0};
}

} // namespace

class TestTargetImage : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<frmMain> main_;
    TargetImage* objetivo_ = nullptr;

    QString ruta(const QString& nombre) const { return dir_.filePath(nombre); }
    QString log() const { return TextoDe(*main_, "txtLog"); }
    QLabel* picPreview() const { return Control<QLabel>(*main_, "picPreview"); }

    // Chooses the file through cmdLoadImage, answering the scripted messages; returns the
    // texts of the messages shown.
    QStringList elegir(const QString& fichero, int mensajes = 0) {
        ScriptedDialogs dialogos;
        dialogos.answerOpen(fichero);
        for (int i = 0; i < mensajes; ++i)
            dialogos.answerMessage(Msg::Ok);
        QTest::mouseClick(Control<QPushButton>(*main_, "cmdLoadImage"), Qt::LeftButton);
        if (!dialogos.problems().isEmpty())
            return {"dialog problem: " + dialogos.problems()};
        return dialogos.messages();
    }

    // A double click at p of the preview box: the point handed to the inspector.
    QPointF dobleClic(QPoint p) {
        QSignalSpy inspector(objetivo_, &TargetImage::abrirInspector);
        p += picPreview()->contentsRect().topLeft();
        QTest::mousePress(picPreview(), Qt::LeftButton, {}, p);
        QTest::mouseRelease(picPreview(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(picPreview(), Qt::LeftButton, {}, p + QPoint(1, 1));
        if (inspector.size() != 1)
            return {-1, -1};
        return {inspector[0][2].toDouble(), inspector[0][3].toDouble()};
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        EstablecerCarpetas(PortableFolders(dir_.path()));
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        main_ = std::make_unique<frmMain>();
        objetivo_ = main_->findChild<TargetImage*>();
        picPreview()->setFixedSize(400, 250);
        picPreview()->setFrameShape(QFrame::NoFrame);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }

    void previewFitsTheBox_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("format");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QPointF>("clicked"); // where a click at (100, 175) lands in the image
        QTest::newRow("large jpeg at the top left")
            << "carta grande ñ.jpg" << int(FIF_JPEG) << QSize(4000, 3000)
            << "Previsualización: 4000x3000 -> 333x250 escala 0,083" << QPointF(100.0 / 333, 0.7);
        QTest::newRow("tiff centred, upper-case name")
            << "CAPITALS.TIF" << int(FIF_TIFF) << QSize(200, 100)
            << "Previsualización TIFF: 200x100 -> 400x200 escala 2,000" << QPointF(0.25, 0.75);
        QTest::newRow("no extension, enlarged")
            << "sin punto" << int(FIF_PNG) << QSize(2, 2)
            << "Previsualización: 2x2 -> 250x250 escala 125,000" << QPointF(0.4, 0.7);
        QTest::newRow("never narrower than 4 pixels")
            << "line.png" << int(FIF_PNG) << QSize(1, 1000)
            << "Previsualización: 1x1000 -> 4x250 escala 0,250" << QPointF(0.5, 0.5);
    }

    // The drawn image keeps its proportions; a click outside it means the image centre. A
    // stored grid adjustment goes with the image it was made on.
    void previewFitsTheBox() {
        QFETCH(QString, file);
        QFETCH(int, format);
        QFETCH(QSize, size);
        QFETCH(QString, line);
        QFETCH(QPointF, clicked);
        QVERIFY(EscribirImagenRGB(ruta(file), FREE_IMAGE_FORMAT(format), size.width(),
                                  size.height(), 8, Verde));
        GridController& grid = *main_->findChild<GridController*>();
        grid.RegistrarAjusteCuadriculaManual("ColorChecker.cht", "1,2,3,4,5,6,7,8", "/old.tif");
        QCOMPARE(elegir(ruta(file)), QStringList());
        QVERIFY(grid.AjusteManual().fiduciales.isEmpty()); // it belonged to another image
        QVERIFY2(log().contains("Imagen target: " + ruta(file) + "\n" + line), qPrintable(log()));
        QCOMPARE(Control<QLineEdit>(*main_, "txtImage")->text(), ruta(file));
        QCOMPARE(dobleClic(QPoint(100, 175)), clicked);
        QCOMPARE(dobleClic(QPoint(399, 5)), QPointF(0.5, 0.5));
    }

    // A cancelled dialog changes nothing; a file that is not an image is refused and the
    // previous target stays.
    void cancelOrUnreadableFileKeepsTheTarget() {
        const QString anterior = objetivo_->Ruta();
        const QString antes = log();
        QCOMPARE(elegir(QString()), QStringList());
        QCOMPARE(log(), antes);
        QCOMPARE(objetivo_->Ruta(), anterior);
        const QString roto = ruta("broken.tif");
        QVERIFY(EscribirBytes(roto, "no es una imagen"));
        QCOMPARE(elegir(roto, 1), QStringList(Texto("msg.target_not_image").arg(roto)));
        QCOMPARE(objetivo_->Ruta(), anterior);
    }

    // No aborts Create, Yes goes on; a file that cannot be checked only warns in the log.
    void embeddedProfileQuestion() {
        RecordingLog registro;
        ScriptedDialogs dialogos;
        QVERIFY(ComprobarICCIncrustado(ruta("missing.tif"), registro, main_.get()));
        QCOMPARE(registro.lines.size(), 1);
        const QByteArray perfil = PerfilSRGB();
        QVERIFY2(!perfil.isEmpty(), "ArgyllCMS reference profiles are not installed");
        QVERIFY(EscribirImagenRGB(ruta("icc.tif"), FIF_TIFF, 4, 4, 8, Verde, perfil));
        dialogos.answerMessage(Msg::No).answerMessage(Msg::Yes);
        QVERIFY(!ComprobarICCIncrustado(ruta("icc.tif"), registro, main_.get()));
        QVERIFY(ComprobarICCIncrustado(ruta("icc.tif"), registro, main_.get()));
        QVERIFY2(dialogos.problems().isEmpty(), qPrintable(dialogos.problems()));
        QCOMPARE(dialogos.calls()[0].style, Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2);
    }

    void cleanupTestCase() { main_.reset(); }
};

QTEST_MAIN(TestTargetImage)
#include "tst_targetimage.moc"
