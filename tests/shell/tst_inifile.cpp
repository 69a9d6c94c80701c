#include "shell/inifile.h"
#include "shell/legacytext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

class TestIniFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString fichero(const QString& name) const { return dir_.filePath(name); }

    static void escribirBytes(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray leerBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void missingFileSectionOrKeyGivesDefault() {
        const QString path = fichero("missing.ini");
        QCOMPARE(LeerIni(path, "profile", "gamma", "2.2"), QString("2.2"));
        escribirBytes(path, "[profile]\ngamma=1.8\n");
        QCOMPARE(LeerIni(path, "results", "gamma", "dflt"), QString("dflt"));
        QCOMPARE(LeerIni(path, "profile", "intent", "0"), QString("0"));
        QCOMPARE(LeerIni(path, "profile", "gamma", "2.2"), QString("1.8"));
    }

    void emptyValueIsNotMissing() {
        const QString path = fichero("empty.ini");
        escribirBytes(path, "[results]\nlast_profile=\n");
        QCOMPARE(LeerIni(path, "results", "last_profile", "dflt"), QString());
    }

    void namesIgnoreCaseAndBlanks() {
        const QString path = fichero("case.ini");
        escribirBytes(path, "[ Profile ]\r\n  GAMMA = 1,4  \r\n");
        QCOMPARE(LeerIni(path, "profile", "gamma", ""), QString("1,4"));
        QVERIFY(EscribirIni(path, "PROFILE", "Gamma", "2.2"));
        QCOMPARE(LeerIni(path, "profile", "gamma", ""), QString("2.2"));
        // one key, not a second one added under another spelling; CR LF file stays CR LF
        QCOMPARE(leerBytes(path), QByteArray("[ Profile ]\r\nGAMMA=2.2\r\n"));
    }

    void firstSectionAndKeyWin() {
        const QString path = fichero("dup.ini");
        escribirBytes(path, "[a]\nk=1\nk=2\n[b]\nk=3\n[A]\nk=4\n");
        QCOMPARE(LeerIni(path, "a", "k", ""), QString("1"));
        QCOMPARE(LeerIni(path, "b", "k", ""), QString("3"));
    }

    void longValueIsCutAt1023() {
        const QString path = fichero("long.ini");
        const QString value = QString(1500, QChar('x'));
        QVERIFY(EscribirIni(path, "profile", "description", value));
        QCOMPARE(LeerIni(path, "profile", "description", ""), value.left(1023));
        const QString exact = QString(1023, QChar('y'));
        QVERIFY(EscribirIni(path, "profile", "description", exact));
        QCOMPARE(LeerIni(path, "profile", "description", ""), exact);
        // a character outside the BMP straddling the cut is dropped whole, not halved
        const QString straddling = QString(1022, QChar('z')) + QString::fromUcs4(U"\U0001F600");
        QVERIFY(EscribirIni(path, "profile", "description", straddling));
        QCOMPARE(LeerIni(path, "profile", "description", ""), QString(1022, QChar('z')));
    }

    void typeOnlyFileReadsTypeAndDefaultsTheRest() {
        const QString path = fichero("typeonly.ini");
        escribirBytes(path, "[profile]\ntype=3\n");
        QCOMPARE(LeerIni(path, "profile", "type", "0"), QString("3"));
        QCOMPARE(LeerIni(path, "profile", "chart_file", ""), QString());
        QCOMPARE(LeerIni(path, "profile", "algorithm", "2"), QString("2"));
    }

    void writeKeepsOtherLinesAndComments() {
        const QString path = fichero("keep.ini");
        const QByteArray before = "; hand-written note\n[profile]\n# gamma tried 1.8\n"
                                  "gamma=1.8\n\n[ui]\nlanguage=en\nstray line\n";
        escribirBytes(path, before);
        QVERIFY(EscribirIni(path, "profile", "gamma", "2.2"));
        QVERIFY(EscribirIni(path, "profile", "intent", "1"));
        QVERIFY(EscribirIni(path, "results", "last_ti3", "/tmp/a b.ti3"));
        QCOMPARE(leerBytes(path), QByteArray("; hand-written note\n[profile]\n# gamma tried 1.8\n"
                                             "gamma=2.2\nintent=1\n\n[ui]\nlanguage=en\n"
                                             "stray line\n\n[results]\nlast_ti3=/tmp/a b.ti3\n"));
        QCOMPARE(LeerIni(path, "ui", "language", ""), QString("en"));
    }

    void commentedKeyIsNotAKey() {
        const QString path = fichero("comment.ini");
        escribirBytes(path, "[ui]\n;language=fr\n");
        QCOMPARE(LeerIni(path, "ui", "language", "es"), QString("es"));
        QVERIFY(EscribirIni(path, "ui", "language", "it"));
        QCOMPARE(leerBytes(path), QByteArray("[ui]\n;language=fr\nlanguage=it\n"));
    }

    void newFileAndRoundTripOfAwkwardText() {
        const QString path = fichero("new.ini");
        const QString text = QString::fromUtf8("Cámara \"Nikon\"; $(touch x) = ñ €");
        QVERIFY(EscribirIni(path, "profile", "camera", text));
        QCOMPARE(LeerIni(path, "profile", "camera", ""), text);
        QCOMPARE(leerBytes(path), QByteArray("[profile]\ncamera=") + text.toUtf8() + "\n");
    }

    void lineBreakCannotForgeEntries() {
        const QString path = fichero("inject.ini");
        QVERIFY(EscribirIni(path, "profile", "camera", "x\n[ui]\r\nlanguage=fr"));
        QCOMPARE(LeerIni(path, "ui", "language", "es"), QString("es"));
        QCOMPARE(LeerIni(path, "profile", "camera", ""), QString("x [ui] language=fr"));
    }

    void windows1252FileIsReadAndRewrittenAsUtf8() {
        const QString path = fichero("legacy.ini");
        // "Cámara €" in Windows-1252; not valid UTF-8
        escribirBytes(path, "[profile]\ncamera=C\xE1mara \x80\n");
        const QString expected = QString::fromUtf8("Cámara €");
        QCOMPARE(LeerIni(path, "profile", "camera", ""), expected);
        QVERIFY(EscribirIni(path, "profile", "model", "X"));
        QCOMPARE(leerBytes(path),
                 QByteArray("[profile]\ncamera=") + expected.toUtf8() + "\nmodel=X\n");
    }

    void legacyTextDecoding() {
        QCOMPARE(DecodificarTextoLegado("plain"), QString("plain"));
        QCOMPARE(DecodificarTextoLegado("\xC3\xA9t\xC3\xA9"), QString::fromUtf8("été"));
        QCOMPARE(DecodificarTextoLegado("\xE9t\xE9 \x93q\x94 \x9F"),
                 QString::fromUtf8("été “q” Ÿ"));
        QCOMPARE(DecodificarTextoLegado("\xEF\xBB\xBFx"), QString("x")); // BOM dropped
        // a cut-off UTF-8 sequence at the end is not valid UTF-8
        QCOMPARE(DecodificarTextoLegado("ab\xC3"), QString::fromUtf8("abÃ"));
    }

    void failedWriteLeavesOldFileWhole() {
        const QString path = fichero("atomic.ini");
        const QByteArray before = "[profile]\ngamma=1.8\n";
        escribirBytes(path, before);

        // Limit the size of files this process may write, so the new content cannot be saved.
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = EscribirIni(path, "profile", "description", QString(500, 'd'));
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!written);
        QCOMPARE(leerBytes(path), before);
        QCOMPARE(QDir(dir_.path()).entryList({"atomic.ini*"}, QDir::Files | QDir::Hidden),
                 QStringList{"atomic.ini"});
    }

    void unwritableFolderFailsQuietly() {
        QVERIFY(!EscribirIni(fichero("no/such/folder.ini"), "ui", "language", "en"));
        QCOMPARE(LeerIni(fichero("no/such/folder.ini"), "ui", "language", "es"), QString("es"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
