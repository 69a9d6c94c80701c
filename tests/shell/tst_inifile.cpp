#include "shell/inifile.h"
#include "shell/legacytext.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int count_ = 0;

    // A fresh file holding `bytes`; a null array leaves it missing.
    QString fichero(const QByteArray& bytes) {
        QFile file(dir_.filePath(QString("f%1.ini").arg(++count_)));
        if (!bytes.isNull() && (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0))
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }

    static QByteArray leerBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void reading() {
        const QByteArray dup = "[a]\nk=1\nk=2\n[b]\nk=3\n[A]\nk=4\n";
        const struct {
            QByteArray file;
            const char *section, *key, *expected;
        } casos[] = {
            {QByteArray(), "a", "k", "dflt"},
            {dup, "c", "k", "dflt"},
            {dup, "a", "j", "dflt"},
            {dup, "a", "k", "1"}, // the first section and key win
            {dup, "b", "k", "3"},
            {"[r]\nlast=\n", "r", "last", ""}, // empty is not missing
            {"[ Profile ]\r\n  GAMMA = 1,4  \r\n", "profile", "gamma", "1,4"},
            {"[ui]\n;language=fr\n#language=it\n", "ui", "language", "dflt"},
            {"[p]\ncamera=C\xE1mara \x80\n", "p", "camera", "Cámara €"}, // Windows-1252
        };
        for (const auto& c : casos)
            QCOMPARE(LeerIni(fichero(c.file), c.section, c.key, "dflt"), QString(c.expected));
    }

    void writing() {
        const QByteArray notes = "; note\n[profile]\n# tried 1.8\ngamma=1.8\n\n[ui]\nstray\n";
        const QString awkward = "Cámara \"Nikon\"; $(touch x) = ñ €";
        const struct {
            QByteArray before;
            const char *section, *key;
            QString value;
            QByteArray after;
        } casos[] = {
            // One key, not a second one under another spelling; a CR LF file stays CR LF.
            {"[ Profile ]\r\n  GAMMA = 1,4  \r\n", "PROFILE", "Gamma", "2.2",
             "[ Profile ]\r\nGAMMA=2.2\r\n"},
            {notes, "profile", "gamma", "2.2", QByteArray(notes).replace("=1.8", "=2.2")},
            {notes, "profile", "intent", "1",
             QByteArray(notes).replace("=1.8\n", "=1.8\nintent=1\n")},
            {notes, "results", "ti3", "/a b.ti3", notes + "\n[results]\nti3=/a b.ti3\n"},
            {"[ui]\n;language=fr\n", "ui", "language", "it", "[ui]\n;language=fr\nlanguage=it\n"},
            {QByteArray(), "p", "camera", awkward, "[p]\ncamera=" + awkward.toUtf8() + "\n"},
            // A line break cannot forge entries.
            {QByteArray(), "p", "camera", "x\n[ui]\r\nlanguage=fr",
             "[p]\ncamera=x [ui] language=fr\n"},
            {"[p]\ncamera=C\xE1mara\n", "p", "model", "X", "[p]\ncamera=Cámara\nmodel=X\n"},
        };
        for (const auto& c : casos) {
            const QString path = fichero(c.before);
            QVERIFY(EscribirIni(path, c.section, c.key, c.value));
            QCOMPARE(leerBytes(path), c.after);
        }
    }

    void longValueIsCutAt1023() {
        const QString path = fichero(QByteArray());
        QVERIFY(EscribirIni(path, "p", "d", QString(1500, 'x')));
        QCOMPARE(LeerIni(path, "p", "d", ""), QString(1023, 'x'));
        // A character outside the BMP straddling the cut is dropped whole, not halved.
        QVERIFY(EscribirIni(path, "p", "d", QString(1022, 'z') + QString::fromUcs4(U"\U0001F600")));
        QCOMPARE(LeerIni(path, "p", "d", ""), QString(1022, 'z'));
    }

    void legacyTextDecoding() {
        QCOMPARE(DecodificarTextoLegado("\xE9t\xE9 \x93q\x94 \x9F"), QString("été “q” Ÿ"));
        QCOMPARE(DecodificarTextoLegado("\xEF\xBB\xBFx"), QString("x")); // BOM dropped
        // A cut-off UTF-8 sequence at the end is not valid UTF-8.
        QCOMPARE(DecodificarTextoLegado("ab\xC3"), QString("abÃ"));
    }

    void failedWriteLeavesOldFileWhole() {
        const QByteArray before = "[profile]\ngamma=1.8\n";
        const QString path = fichero(before);
        // Limit the size of files this process may write, so the new content cannot be saved.
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{64, old.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = EscribirIni(path, "profile", "description", QString(500, 'd'));
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written);
        QCOMPARE(leerBytes(path), before);
        QCOMPARE(QDir(dir_.path())
                     .entryList({QFileInfo(path).fileName() + "*"}, QDir::Hidden | QDir::Files),
                 QStringList{QFileInfo(path).fileName()});
        QVERIFY(!EscribirIni(dir_.filePath("no/such/folder.ini"), "ui", "language", "en"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
