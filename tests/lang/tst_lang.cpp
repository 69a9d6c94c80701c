// Text tables, language choice and switch, every window's texts in every language, help
// topics and their floating window, the help menu.

#include "grid/frmgridadjust.h"
#include "grid/frmgridcheck.h"
#include "grid/gridcontroller.h"
#include "image/frmcartaanalisis.h"
#include "image/frmimagencompleta.h"
#include "lang/controlproperty.h"
#include "lang/frmacercade.h"
#include "lang/frmayudaflotante.h"
#include "lang/helpmenu.h"
#include "lang/helptopics.h"
#include "lang/hoverhelp.h"
#include "lang/languageswitch.h"
#include "lang/optionlist.h"
#include "lang/placeholders.h"
#include "lang/textapplier.h"
#include "lang/texto.h"
#include "lang/texttables.h"
#include "lang/windowplacement.h"
#include "namedcontrol.h"
#include "profile/frmscanindiag.h"
#include "shell/appfolders.h"
#include "verify/frmcolverify.h"
#include "verify/frmprofcheck.h"

#include "mainwindowfixture.h"
#include "scripteddialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

namespace {

// A window applying its texts the way the real windows do; one may throw.
class SampleWindow : public QWidget, public TextApplier {
public:
    explicit SampleWindow(bool throwing = false) : throwing_(throwing) {
        label = new QLabel("(sin fichero TI3)", this);
        label->setObjectName("lblTi3");
    }
    void aplicarTextos() override {
        ++applied;
        if (throwing_)
            throw std::runtime_error("broken window");
        UpdatePlaceholderLabel(this, "lblTi3", "placeholder.no_ti3");
    }
    QLabel* label;
    int applied = 0;
    bool throwing_;
};

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

void moveMouse(QWidget* widget) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

// Every window, built as a window of the main window, which deletes it.
using Builder = QWidget* (*)(frmMain&);
const std::pair<const char*, Builder> kWindows[] = {
    {"frmMain", [](frmMain& m) -> QWidget* { return &m; }},
    {"frmGridAdjust",
     [](frmMain& m) -> QWidget* { return new frmGridAdjust(*m.findChild<GridController*>(), &m); }},
    {"frmGridCheck", [](frmMain& m) -> QWidget* { return new frmGridCheck(&m); }},
    {"frmProfCheck", [](frmMain& m) -> QWidget* { return new frmProfCheck(&m); }},
    {"frmScaninDiag", [](frmMain& m) -> QWidget* { return new frmScaninDiag(&m); }},
    {"frmColVerify", [](frmMain& m) -> QWidget* { return new frmColVerify(&m); }},
    {"frmImagenCompleta", [](frmMain& m) -> QWidget* { return new frmImagenCompleta(&m); }},
    {"frmCartaAnalisis", [](frmMain& m) -> QWidget* { return new frmCartaAnalisis(&m); }},
    {"frmACercaDe", [](frmMain& m) -> QWidget* { return new frmACercaDe(InfoPrograma{}, &m); }},
};

// The captions of the window and of its named controls, by name; hidden controls and
// pictures have none.
QList<std::pair<QString, QString>> Captions(QWidget* window) {
    QList<std::pair<QString, QString>> captions{{window->objectName(), window->windowTitle()}};
    for (QObject* o : window->findChildren<QObject*>()) {
        const auto* widget = qobject_cast<QWidget*>(o);
        const auto* action = qobject_cast<QAction*>(o);
        // Labels that show data, not a caption, may be empty.
        static const QStringList datos = {"picPreview", "lblTiempo", "lblProfile"};
        if (o->objectName().isEmpty() || o->objectName().startsWith(u"qt_") ||
            datos.contains(o->objectName()) || (widget && widget->isHidden()) ||
            (action && (!action->isVisible() || action->isSeparator())))
            continue;
        if (auto* label = qobject_cast<QLabel*>(o); label && label->pixmap().isNull())
            captions.append({o->objectName(), label->text()});
        else if (auto* button = qobject_cast<QAbstractButton*>(o))
            captions.append({o->objectName(), button->text()});
        else if (auto* group = qobject_cast<QGroupBox*>(o))
            captions.append({o->objectName(), group->title()});
        else if (auto* menu = qobject_cast<QMenu*>(o))
            captions.append({o->objectName(), menu->title()});
        else if (action)
            captions.append({o->objectName(), action->text()});
    }
    return captions;
}

} // namespace

class TestLang : public QObject {
    Q_OBJECT

public slots:
    void openUrl(const QUrl& url) { opened.append(url); }

private slots:
    void initTestCase() {
        AppFolders folders;
        folders.helpFolder = folder.path();
        folders.argyllDoc = folder.filePath("doc");
        EstablecerCarpetas(folders);
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        QVERIFY(writeFile(folder.filePath("es_principal.id"),
                          "[opciones]\nEl algoritmo Gamma + matriz es robusto y sirve para "
                          "cartas de veinticuatro parches; Lab cLUT necesita muchos parches.\n\n"
                          "* Baja, Media, Alta, Ultra\n[/opciones]\n[corto]Correcci\xf3n[/corto]"));
    }
    void init() {
        EstablecerIdiomaActual(IdiomaEs);
        opened.clear();
    }

    // Every language holds every key the code names (nothing falls back to another language
    // or shows a bare key), keeping what callers rely on: "%1", the access-key mark, a
    // trailing blank before an appended path, the line breaks of long messages.
    void tablesHoldEveryKeyTheCodeNames() {
        static const QRegularExpression literal("\"([a-z][a-z0-9_]*(?:\\.[a-z0-9_]+)+\\.?)\"");
        const auto& es = TablaTextos(IdiomaEs);
        QSet<QString> groups;
        for (auto it = es.keyBegin(); it != es.keyEnd(); ++it)
            groups.insert(it->section('.', 0, 0));
        int named = 0;
        QDirIterator files(NC_SOURCE_DIR, {"*.cpp", "*.h"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            for (const auto& m : literal.globalMatch(QString::fromUtf8(file.readAll()))) {
                const QString key = m.captured(1);
                if (!groups.contains(key.section('.', 0, 0)))
                    continue;
                ++named;
                // A key ending in "." or "_" begins keys completed at run time.
                const bool begins = key.endsWith('.') || key.endsWith('_');
                QVERIFY2(begins ? std::any_of(es.keyBegin(), es.keyEnd(),
                                              [&](const QString& k) { return k.startsWith(key); })
                                : es.contains(key),
                         qPrintable(key + " in " + file.fileName()));
            }
        }
        QVERIFY(named > 200);
        for (int lang = IdiomaEn; lang <= IdiomaIt; ++lang) {
            const auto& table = TablaTextos(lang);
            QCOMPARE(table.size(), es.size());
            for (auto it = es.begin(); it != es.end(); ++it) {
                const QString& text = table.value(it.key());
                QVERIFY2(!text.isEmpty() && text.count("%1") == it->count("%1") &&
                             text.count('&') == it->count('&') &&
                             text.endsWith(' ') == it->endsWith(' ') &&
                             text.count('\n') == it->count('\n'),
                         qPrintable(it.key()));
            }
        }
    }

    void languageNumbersAndSettings() {
        EstablecerIdiomaActual(7);
        QCOMPARE(IdiomaActual(), int(IdiomaEs));
        QCOMPARE(Texto("no.such.key"), QString("no.such.key"));
        // The first locale variable set rules; only es, fr and it are taken.
        const std::pair<const char*, int> casos[] = {
            {"", IdiomaEn},
            {"LC_MESSAGES=fr_CA LANG=es_ES", IdiomaFr},
            {"LC_ALL=de_DE LC_MESSAGES=fr LANG=es", IdiomaEn},
            {"LANGUAGE=it:en LC_ALL=es_ES", IdiomaIt}};
        for (const auto& [variables, numero] : casos) {
            QProcessEnvironment entorno;
            for (const QString& v : QString(variables).split(' ', Qt::SkipEmptyParts))
                entorno.insert(v.section('=', 0, 0), v.section('=', 1));
            QCOMPARE(IdiomaDelEntorno(entorno), numero);
        }
        // No settings file: Spanish, and nothing written.
        const QString ini = folder.filePath("settings.ini");
        EstablecerIdiomaActual(IdiomaIt);
        CargarIdioma(ini);
        QVERIFY(IdiomaActual() == IdiomaEs && !QFile::exists(ini));
        QVERIFY(writeFile(ini, "[paths]\nlast=/x\n[UI]\nLanguage= EN \n"));
        CargarIdioma(ini);
        QCOMPARE(IdiomaActual(), int(IdiomaEn));
    }

    // Every window is re-applied, shown or hidden, even after one that throws; placeholders
    // follow, data stays; the choice is saved and Qt's own texts follow.
    void languageSwitch() {
        SampleWindow broken(true);
        SampleWindow a;
        SampleWindow b;
        a.show();
        b.label->setText("/data/chart.ti3");
        QLineEdit box(" dEVICE ");
        QComboBox list;
        const QStringList keys = {"quality.low", "quality.medium", "quality.high"};
        RebuildOptionList(&list, keys, 1);
        list.setCurrentIndex(2);
        QSignalSpy changes(&list, &QComboBox::currentIndexChanged);
        CambiarIdioma(" fr", folder.filePath("switch.ini"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annuler"));
        UpdatePlaceholderBox(&box, "default.device");
        RebuildOptionList(&list, keys, 1);
        QCOMPARE(box.text(), Texto("default.device"));
        QCOMPARE(list.itemText(0), Texto("quality.low"));
        QVERIFY(list.currentIndex() == 2 && changes.isEmpty());
        QCOMPARE(a.label->text(), Texto("placeholder.no_ti3"));
        QCOMPARE(b.label->text(), QString("/data/chart.ti3"));
        QCOMPARE(broken.applied, 1);
        box.setText("Epson V850");
        UpdatePlaceholderBox(&box, "default.device");
        QCOMPARE(box.text(), QString("Epson V850"));
        CambiarIdioma("fr", folder.filePath("switch.ini")); // the current one still re-applies
        QCOMPARE(a.applied, 2);
        EstablecerIdiomaActual(IdiomaEs);
        CargarIdioma(folder.filePath("switch.ini"));
        QCOMPARE(IdiomaActual(), int(IdiomaFr));
        // An undeclared property is left alone, not added.
        AsignarPropiedad(&a, "lblTi3", "NoSuchProperty", "x");
        QVERIFY(!a.label->property("noSuchProperty").isValid());
    }

    // Tags found ignoring case, the line break after the opening one dropped, blanks trimmed;
    // a missing language file falls back to Spanish, read as Windows-1252 when not UTF-8.
    void helpTopics() {
        const QString text = "intro [opciones]\r\nFirst\r\n\r\nSecond  \r\n[/opciones]"
                             "[ajustes]  inline  [/AJUSTES] [unclosed]\rtext";
        QCOMPARE(ExtraerTemaDeTexto(text, "OPCIONES"), QString("First\n\nSecond  \n"));
        QCOMPARE(ExtraerTemaDeTexto(text, "ajustes"), QString("inline"));
        QCOMPARE(ExtraerTemaDeTexto(text, "unclosed") + ExtraerTemaDeTexto(text, "x"), QString());
        EstablecerIdiomaActual(IdiomaFr);
        QCOMPARE(ExtraerTema("corto"), QString("Corrección"));
        // Beside the cursor, at least four lines high, pulled back inside the screen.
        const QRect screen(0, 0, 1920, 1080);
        QCOMPARE(PosicionAyuda({200, 133}, screen, 20, 5), QRect(212, 145, 280, 20 * 7 + 8));
        QCOMPARE(PosicionAyuda({1913, 1073}, screen, 20, 5).bottomRight(), QPoint(1911, 1071));
    }

    void floatingHelp() {
        HoverHelp help;
        QCursor::setPos(QPoint(200, 150));
        help.MostrarAyudaTema("opciones");
        frmAyudaFlotante* window = help.Ventana();
        QVERIFY(help.AyudaVisible() && window && window->isVisible());
        const QStringList lines = Control<QLabel>(*window, "lblTexto")->text().split('\n');
        QCOMPARE(lines.last(), QString("* Baja, Media, Alta, Ultra"));
        for (const QString& line : lines.mid(0, lines.size() - 2))
            QVERIFY2(window->AnchoTexto(line) <= kAnchoAyudaFlotante - 16, qPrintable(line));
        QCOMPARE(window->width(), DisenoAPixeles(kAnchoAyudaFlotante, window->logicalDpiX()));
        QVERIFY(window->x() >= 200 && window->y() >= 150);
        // A missing topic hides it; so does a popup, as long as it is open.
        help.MostrarAyudaTema("no_such_topic");
        QVERIFY(!help.AyudaVisible() && !window->isVisible());
        help.MostrarAyudaTema("opciones");
        QComboBox list;
        list.addItems({"a", "b"});
        list.show();
        list.showPopup();
        QVERIFY(!help.AyudaVisible() && !window->isVisible());
        help.MostrarAyudaTema("opciones");
        QVERIFY(!help.AyudaVisible());
        list.hidePopup();
        // Moves over the label show it (without reaching the hiding frame); others hide it.
        QWidget frame;
        auto* label = new QLabel("?", &frame);
        help.MostrarAlPasar(label, "opciones");
        help.OcultarAlPasar(&frame);
        moveMouse(label);
        QVERIFY(help.AyudaVisible());
        moveMouse(&frame);
        QVERIFY(!help.AyudaVisible());
    }

    void helpMenu() {
        ScriptedDialogs dialogs;
        dialogs.answerMessage(Msg::Ok).answerMessage(Msg::Ok);
        AbrirAyuda(nullptr); // no page at all: reported with the Spanish page's path
        QVERIFY(opened.isEmpty());
        QVERIFY(dialogs.messages().value(0).endsWith("\n" + folder.filePath("ayuda_es.html")));
        QCOMPARE(dialogs.calls()[0].style, int(Msg::Exclamation));
        QVERIFY(writeFile(folder.filePath("ayuda_es.html"), "<html></html>"));
        EstablecerIdiomaActual(IdiomaIt); // no Italian page: the Spanish one
        AbrirAyuda(nullptr);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(folder.filePath("ayuda_es.html"))});
        // Nothing to open it with: the user gets the path, to open it by hand.
        QDesktopServices::unsetUrlHandler("file");
        AbrirAyuda(nullptr);
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        QCOMPARE(dialogs.messages().last(),
                 Texto("msg.open_by_hand").arg(folder.filePath("ayuda_es.html")));
        QCOMPARE(dialogs.calls().last().title, Texto("menu.help"));
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    }

    // Every window, switched through the four languages: each named control shows a text of
    // the language chosen, never an empty caption, a bare key or a text left from before.
    void everyControlInEveryLanguage_data() {
        QTest::addColumn<int>("window");
        for (int i = 0; i < int(std::size(kWindows)); ++i)
            QTest::newRow(kWindows[i].first) << i;
    }

    void everyControlInEveryLanguage() {
        QFETCH(int, window);
        MainWindowFixture fixture;
        QWidget* w = kWindows[window].second(*fixture.main);
        QList<QSet<QString>> values;
        for (int lang = IdiomaEs; lang <= IdiomaIt; ++lang) {
            const auto& table = TablaTextos(lang);
            values.append(QSet<QString>(table.cbegin(), table.cend()));
        }
        static const QRegularExpression key(QStringLiteral("^[a-z][a-z0-9_]*(\\.[a-z0-9_]+)+$"));
        QStringList problems;
        // Spanish last: each language follows another one.
        for (const int lang : {IdiomaEn, IdiomaFr, IdiomaIt, IdiomaEs}) {
            EstablecerIdiomaActual(lang);
            AplicarIdiomaFormularios();
            for (const auto& [name, text] : Captions(w)) {
                // A text found only in another language's table was left from before.
                const bool ajeno =
                    !values[lang].contains(text) &&
                    std::any_of(values.begin(), values.end(),
                                [&](const QSet<QString>& v) { return v.contains(text); });
                if (text.trimmed().isEmpty() || key.match(text).hasMatch() || ajeno)
                    problems << QStringLiteral("language %1, %2: \"%3\"").arg(lang).arg(name, text);
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY2(fixture.dialogs.problems().isEmpty(), qPrintable(fixture.dialogs.problems()));
    }

    // Every "?" of the main window shows its topic from the shipped help in every language.
    void everyHelpMarkInEveryLanguage() {
        MainWindowFixture fixture;
        AppFolders folders = Carpetas();
        folders.helpFolder = QStringLiteral(NC_HELP_DIR);
        EstablecerCarpetas(folders);
        auto* help = fixture.main->findChild<HoverHelp*>();
        QVERIFY(help);
        int marks = 0;
        for (int lang = IdiomaEs; lang <= IdiomaIt; ++lang) {
            EstablecerIdiomaActual(lang);
            for (QLabel* mark : fixture.main->findChildren<QLabel*>()) {
                if (mark->text() != u"?")
                    continue;
                ++marks;
                help->OcultarAyudaTema();
                moveMouse(mark);
                QVERIFY2(help->AyudaVisible(),
                         qPrintable(mark->objectName() + QString::number(lang)));
            }
        }
        QVERIFY(marks > 0);
    }

    void cleanupTestCase() { QDesktopServices::unsetUrlHandler("file"); }

private:
    QTemporaryDir folder;
    QList<QUrl> opened;
};

QTEST_MAIN(TestLang)
#include "tst_lang.moc"
