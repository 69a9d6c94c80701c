#include "lang/controlproperty.h"
#include "lang/languageswitch.h"
#include "lang/optionlist.h"
#include "lang/placeholders.h"
#include "lang/textapplier.h"
#include "lang/texto.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

// A small window applying its texts the way the real windows do.
class SampleWindow : public QWidget, public TextApplier {
public:
    explicit SampleWindow(bool throwing = false) : throwing_(throwing) {
        setObjectName("frmSample");
        algorithm = new QComboBox(this);
        algorithm->setObjectName("cboAlgorithm");
        device = new QLineEdit(this);
        device->setObjectName("txtScanner");
        label = new QLabel(this);
        label->setObjectName("lblTi3");
        label->setText("(sin fichero TI3)");
    }
    void aplicarTextos() override {
        ++applied;
        if (throwing_)
            throw std::runtime_error("broken window");
        setWindowTitle(Texto("profcheck.title"));
        RebuildOptionList(
            algorithm,
            {"algo.lab_clut", "algo.xyz_clut", "algo.gamma_matrix", "algo.shaper_matrix"}, 2);
        UpdatePlaceholderBox(device, "default.device");
        UpdatePlaceholderLabel(this, "lblTi3", "placeholder.no_ti3");
    }
    QComboBox* algorithm;
    QLineEdit* device;
    QLabel* label;
    int applied = 0;

private:
    bool throwing_;
};

class PlainWindow : public QWidget {};

} // namespace

class TestLangWidgets : public QObject {
    Q_OBJECT

private slots:
    void init() { EstablecerIdiomaActual(IdiomaEs); }

    void captionByKindOfControl() {
        QMainWindow window;
        window.setObjectName("frmMain");
        auto* group = new QGroupBox(&window);
        group->setObjectName("fraTarget");
        auto* button = new QPushButton(group);
        button->setObjectName("cmdCreate");
        auto* check = new QCheckBox(group);
        check->setObjectName("chkPerspective");
        auto* label = new QLabel(group);
        label->setObjectName("lblGamma");
        QMenu* menu = window.menuBar()->addMenu("x");
        menu->setObjectName("mnuFile");
        QAction* action = menu->addAction("y");
        action->setObjectName("mnuExit");

        const QStringList names = {"frmMain",  "fraTarget", "cmdCreate", "chkPerspective",
                                   "lblGamma", "mnuFile",   "mnuExit"};
        for (const QString& name : names)
            AsignarPropiedad(&window, name, "Caption", "caption of " + name);
        QCOMPARE(window.windowTitle(), QString("caption of frmMain"));
        QCOMPARE(group->title(), QString("caption of fraTarget"));
        QCOMPARE(button->text(), QString("caption of cmdCreate"));
        QCOMPARE(check->text(), QString("caption of chkPerspective"));
        QCOMPARE(label->text(), QString("caption of lblGamma"));
        QCOMPARE(menu->title(), QString("caption of mnuFile"));
        QCOMPARE(action->text(), QString("caption of mnuExit"));
        for (const QString& name : names)
            QCOMPARE(LeerPropiedad(&window, name, "Caption"), "caption of " + name);

        AsignarPropiedad(&window, "cmdCreate", "ToolTipText", "tip");
        QCOMPARE(button->toolTip(), QString("tip"));
        QCOMPARE(LeerPropiedad(&window, "cmdCreate", "ToolTipText"), QString("tip"));
        AsignarPropiedad(&window, "cmdCreate", "Enabled", "false");
        QVERIFY(!button->isEnabled());
    }

    void missingControlOrPropertyDoesNothing() {
        QWidget window;
        auto* button = new QPushButton("Run", &window);
        button->setObjectName("cmdRun");
        AsignarPropiedad(&window, "cmdClose", "Caption", "Cerrar");
        AsignarPropiedad(&window, "cmdRun", "NoSuchProperty", "x");
        AsignarPropiedad(nullptr, "cmdRun", "Caption", "x");
        AsignarPropiedad(&window, "", "Caption", "x");
        QCOMPARE(button->text(), QString("Run"));
        QVERIFY(!button->property("noSuchProperty").isValid());
        QVERIFY(window.findChildren<QObject*>().size() == 1);
        QCOMPARE(LeerPropiedad(&window, "cmdClose", "Caption"), QString());
        QCOMPARE(LeerPropiedad(&window, "cmdRun", "NoSuchProperty"), QString());
        QCOMPARE(LeerPropiedad(nullptr, "cmdRun", "Caption"), QString());
    }

    void placeholderBox() {
        QLineEdit box;
        box.setText("Device");
        ActualizarMarcador(&box, "Dispositivo", TextosEnTodosIdiomas("default.device"));
        QCOMPARE(box.text(), QString("Dispositivo"));
        box.setText("  ");
        ActualizarMarcador(&box, "Dispositivo", {"Device"});
        QCOMPARE(box.text(), QString("Dispositivo"));
        box.setText(" dEVICE ");
        ActualizarMarcador(&box, "Dispositivo", {"Other", "Device"});
        QCOMPARE(box.text(), QString("Dispositivo"));
        box.setText("Epson V850");
        ActualizarMarcador(&box, "Dispositivo", {"Device", "Dispositivo"});
        QCOMPARE(box.text(), QString("Epson V850"));
        ActualizarMarcador(nullptr, "x", {});

        EstablecerIdiomaActual(IdiomaIt);
        box.setText("Model");
        UpdatePlaceholderBox(&box, "default.model");
        QCOMPARE(box.text(), QString("Modello"));
        EstablecerIdiomaActual(IdiomaEs);
        box.setText("Périphérique");
        UpdatePlaceholderBox(&box, "default.device");
        QCOMPARE(box.text(), QString("Dispositivo"));
    }

    void placeholderLabel() {
        QWidget window;
        auto* label = new QLabel(&window);
        label->setObjectName("lblImage");
        UpdatePlaceholderLabel(&window, "lblImage", "placeholder.no_image");
        QCOMPARE(label->text(), QString()); // empty counts only where the window says so
        UpdatePlaceholderLabel(&window, "lblImage", "placeholder.no_image", true);
        QCOMPARE(label->text(), QString("(sin imagen)"));
        EstablecerIdiomaActual(IdiomaEn);
        UpdatePlaceholderLabel(&window, "lblImage", "placeholder.no_image");
        QCOMPARE(label->text(), QString("(no image)"));
        label->setText("/home/u/chart.tif");
        UpdatePlaceholderLabel(&window, "lblImage", "placeholder.no_image", true);
        QCOMPARE(label->text(), QString("/home/u/chart.tif"));
        UpdatePlaceholderLabel(&window, "lblMissing", "placeholder.no_image", true);
    }

    void optionListKeepsPosition() {
        QComboBox list;
        const QStringList keys = {"quality.low", "quality.medium", "quality.high", "quality.ultra"};
        int changes = 0;
        connect(&list, &QComboBox::currentIndexChanged, this, [&changes] { ++changes; });
        RebuildOptionList(&list, keys, 2);
        QCOMPARE(list.count(), 4);
        QCOMPARE(list.currentIndex(), 2);
        QCOMPARE(list.currentText(), QString("Alta"));
        list.setCurrentIndex(3);
        changes = 0;
        EstablecerIdiomaActual(IdiomaFr);
        RebuildOptionList(&list, keys, 2);
        QCOMPARE(list.count(), 4);
        QCOMPARE(list.currentIndex(), 3);
        QCOMPARE(list.itemText(0), QString("Basse"));
        QCOMPARE(changes, 0);
        list.setCurrentIndex(-1);
        RebuildOptionList(&list, keys, 1);
        QCOMPARE(list.currentIndex(), 1);
        RebuildOptionList(nullptr, keys, 0);
    }

    void switchReappliesEveryWindow() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("settings.ini");
        SampleWindow a;
        SampleWindow broken(true);
        SampleWindow b;
        PlainWindow plain;
        plain.setWindowTitle("floating");
        a.aplicarTextos();
        b.aplicarTextos();
        a.algorithm->setCurrentIndex(3);
        a.device->setText("Epson V850");
        b.label->setText("/data/chart.ti3");
        QCOMPARE(a.algorithm->currentText(), QString("Curvas + matriz"));
        a.show(); // hidden and shown windows alike

        CambiarIdioma("fr", ini); // Qt's own buttons follow
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annuler"));
        CambiarIdioma(" en", ini);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
        QCOMPARE(IdiomaActual(), 1);
        QCOMPARE(a.algorithm->currentIndex(), 3);
        QCOMPARE(a.algorithm->currentText(), QString("Curves + matrix"));
        QCOMPARE(a.device->text(), QString("Epson V850"));
        QCOMPARE(b.device->text(), QString("Device"));
        QCOMPARE(a.label->text(), QString("(no TI3 file)"));
        QCOMPARE(b.label->text(), QString("/data/chart.ti3"));
        QCOMPARE(b.windowTitle(), QString("Results - Verify profile and graphs"));
        QCOMPARE(plain.windowTitle(), QString("floating"));
        QCOMPARE(broken.applied, 2);

        // Choosing the current language again still saves and re-applies.
        EstablecerIdiomaActual(IdiomaEs);
        GuardarIdioma(ini);
        EstablecerIdiomaActual(IdiomaEn);
        CambiarIdioma("en", ini);
        QCOMPARE(a.applied, 4);
        EstablecerIdiomaActual(IdiomaEs);
        CargarIdioma(ini);
        QCOMPARE(IdiomaActual(), 1);
    }
};

QTEST_MAIN(TestLangWidgets)
#include "tst_langwidgets.moc"
