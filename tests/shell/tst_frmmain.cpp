#include "charts/chartcatalog.h"
#include "lang/texto.h"
#include "namedcontrol.h"
#include "portablefolders.h"
#include "scripteddialogs.h"
#include "shell/frmmain.h"
#include "shell/inifile.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace {

void Escribir(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QString CartaElegida(const frmMain& w) {
    return Catalogo().FicheroCarta(Control<QComboBox>(w, "cboChart")->currentIndex());
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshProgram> dir_;

    QString Ini() const { return Carpetas().settingsFile(); }

    std::unique_ptr<frmMain> Cargar() {
        auto w = std::make_unique<frmMain>();
        w->Form_Load();
        return w;
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() { dir_ = std::make_unique<FreshProgram>(); }

    void storedValuesAreSelected_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("algorithm");
        QTest::addColumn<QString>("gamma");
        QTest::addColumn<QString>("chart");
        QTest::addColumn<bool>("legacy"); // in the file of the old name
        QTest::newRow("no settings") << QByteArray() << 2 << "2.2"
                                     << "it8.cht" << false;
        QTest::newRow("legacy file only") << QByteArray("[profile]\nalgorithm=4\n") << 4 << "2.2"
                                          << "it8.cht" << true;
        QTest::newRow("type only, index too high, gamma with comma")
            << QByteArray("[profile]\ntype=1\nalgorithm=99\ngamma=1,4\n") << 7 << "1.4"
            << "ColorCheckerSG.cht" << false;
        QTest::newRow("chart file wins over type")
            << QByteArray("[profile]\ntype=1\nchart_file= COLORCHECKER.cht \nalgorithm=4\n") << 4
            << "2.2"
            << "ColorChecker.cht" << false;
    }

    void storedValuesAreSelected() {
        QFETCH(QByteArray, ini);
        QFETCH(int, algorithm);
        QFETCH(QString, gamma);
        QFETCH(QString, chart);
        QFETCH(bool, legacy);
        if (!ini.isEmpty())
            Escribir(legacy ? Carpetas().legacySettingsFile() : Ini(), ini);
        auto w = Cargar();
        QCOMPARE(Control<QComboBox>(*w, "cboAlgorithm")->currentIndex(), algorithm);
        QCOMPARE(Control<QComboBox>(*w, "txtGamma")->currentText(), gamma);
        QCOMPARE(CartaElegida(*w), chart);
        QCOMPARE(QFile::exists(Ini()), !ini.isEmpty()); // loading writes nothing but a copy
    }

    // What the user set comes back in the next session; the recorded results stay.
    void settingsRoundTrip() {
        Escribir(Ini(), "[results]\nlast_ti3=/p/last.ti3\n");
        auto w = Cargar();
        Control<QLineEdit>(*w, "txtScanner")->setText("Epson V850");
        Control<QComboBox>(*w, "cboAlgorithm")->setCurrentIndex(6);
        Control<QComboBox>(*w, "cboChart")
            ->setCurrentIndex(Catalogo().IndiceCarta("QPcard_201.cht"));
        Control<QCheckBox>(*w, "chkPerspective")->setChecked(true);
        w->Form_Unload();
        QCOMPARE(LeerIni(Ini(), "results", "last_ti3", ""), QString("/p/last.ti3"));

        auto again = Cargar();
        QCOMPARE(Control<QLineEdit>(*again, "txtScanner")->text(), QString("Epson V850"));
        QCOMPARE(Control<QComboBox>(*again, "cboAlgorithm")->currentIndex(), 6);
        QCOMPARE(CartaElegida(*again), QString("QPcard_201.cht"));
        QCOMPARE(Control<QComboBox>(*again, "cboGenericRef")->currentIndex(), 6);
        QVERIFY(Control<QRadioButton>(*again, "optFRGenerico")->isChecked());
        QVERIFY(Control<QCheckBox>(*again, "chkPerspective")->isChecked());
    }

    void exitAsksOnce_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("menu") << false;
        QTest::newRow("close box") << true;
    }

    // No keeps the program running; Yes unloads it once, closing the other windows and emptying
    // tmp. A close from code never asks.
    void exitAsksOnce() {
        QFETCH(bool, closeBox);
        auto w = Cargar();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QWidget other;
        other.show();
        const QString work = Carpetas().tmpFolder + "/chromaflux_tmp_9";
        QVERIFY(QDir().mkpath(work));
        QSignalSpy unloaded(w.get(), &frmMain::descargado);
        for (const int answer : {Msg::No, Msg::Yes}) {
            ScriptedDialogs dialogs;
            dialogs.answerMessage(answer);
            if (closeBox) {
                QCloseEvent event; // spontaneous, as from the window system
                QCoreApplication::sendEvent(w->windowHandle(), &event);
            } else {
                Control<QAction>(*w, "mnuExit")->trigger();
            }
            QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
            QCOMPARE(dialogs.calls()[0].style, Msg::Question | Msg::YesNo | Msg::DefaultButton2);
            QCOMPARE(w->isVisible(), answer == Msg::No);
            QCOMPARE(other.isVisible(), answer == Msg::No);
            QCOMPARE(QDir(work).exists(), answer == Msg::No);
            QCOMPARE(unloaded.count(), answer == Msg::No ? 0 : 1);
        }
        auto quiet = Cargar();
        quiet->show();
        ScriptedDialogs none;
        QVERIFY(quiet->close());
        QVERIFY(none.calls().isEmpty());
    }

    void chartPictureFollowsTheChart() {
        auto w = Cargar();
        auto* picture = Control<QLabel>(*w, "picTipoCartaColor");
        const QImage before = picture->pixmap().toImage();
        auto* chart = Control<QComboBox>(*w, "cboChart");
        chart->setCurrentIndex((chart->currentIndex() + 1) % chart->count());
        QVERIFY(!before.isNull() && picture->pixmap().toImage() != before);
    }

    void languageSwitchKeepsChoicesAndUserTexts() {
        auto w = Cargar();
        auto* algoritmo = Control<QComboBox>(*w, "cboAlgorithm");
        algoritmo->setCurrentIndex(5);
        Control<QLineEdit>(*w, "txtModel")->setText("Mi escáner");
        Control<QAction>(*w, "mnuLanguageEN")->trigger();
        QCOMPARE(LeerIni(Ini(), "ui", "language", ""), QString("en"));
        QCOMPARE(algoritmo->currentIndex(), 5);
        QCOMPARE(algoritmo->currentText(), QString("Matrix only"));
        QCOMPARE(Control<QLineEdit>(*w, "txtScanner")->text(),
                 QString("Device")); // the untouched default follows
        QCOMPARE(Control<QLineEdit>(*w, "txtModel")->text(), QString("Mi escáner"));
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
