#include "shell/commandline.h"
#include "shell/toolrunner.h"

#include "recordinglog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestToolRunner : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString helper_; // the helper copied under a path with blanks

    CommandLine orden(const QStringList& arguments) const {
        CommandLineBuilder builder(helper_);
        for (const QString& argument : arguments)
            builder.add(argument);
        return builder.build();
    }

private slots:
    void initTestCase() {
        const QString folder = dir_.filePath("Program Files/nerva tools");
        QVERIFY(QDir().mkpath(folder));
        helper_ = folder + "/tool helper";
        QVERIFY(QFile::copy(TOOLHELPER_PATH, helper_));
        QVERIFY(QFile::setPermissions(helper_, QFile::ReadOwner | QFile::ExeOwner));
    }

    // No shell between the user's text and the tool: every byte arrives, nothing runs.
    void userTextReachesToolByteForByte() {
        QTemporaryDir work;
        const QString text =
            QString::fromUtf8("Cámara \"Nikon\"; $(touch x) `touch y` 'q' & | > ñ €");
        const QString capture = dir_.filePath("argv capture.bin");
        const CommandLine line = CommandLineBuilder(helper_)
                                     .add("argv")
                                     .addPath(capture)
                                     .addAttached("-A", text)
                                     .addSeparate("-C", "")
                                     .addPath(text)
                                     .build();
        QCOMPARE(EjecutarTool(line, work.path()).exitCode, 0);
        QFile file(capture);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray expected =
            QByteArray("-A") + text.toUtf8() + '\0' + "-C" + '\0' + '\0' + text.toUtf8() + '\0';
        QCOMPARE(file.readAll(), expected);
        QVERIFY(!QFile::exists(work.filePath("x")) && !QFile::exists(work.filePath("y")));
    }

    // Standard output and error in the order written, streamed as they come, split UTF-8 and
    // CR LF put together; the tool's own exit code; its own working folder; endless output
    // bounded.
    void outputInOrderAndStreamed() {
        RecordingLog log;
        QString output;
        QCOMPARE(EjecutarCapturando(orden({"out"}), dir_.path(), output, log), 0);
        QCOMPARE(output, QString("uno\ndos\ntres\n"));
        QCOMPARE(log.output, output);
        RecordingLog slow;
        const ToolResult result = EjecutarTool(orden({"slow"}), dir_.path(), &slow);
        QCOMPARE(result.exitCode, 5);
        QCOMPARE(result.output, QString::fromUtf8("one é\ntwo\n"));
        QVERIFY2(slow.chunks.size() >= 2, qPrintable(slow.chunks.join('|')));
        QCOMPARE(EjecutarTool(orden({"crlf"}), dir_.path()).output, QString("a\nb\n"));
        const QString work = dir_.filePath("work folder ñ");
        QVERIFY(QDir().mkpath(work));
        QCOMPARE(EjecutarTool(orden({"pwd"}), work).output, work + "\n");
        QVERIFY(EjecutarTool(orden({"flood"}), work).output.size() <= 8 * 1024 * 1024);
    }

    // A tool that reads its standard input finds it empty and ends.
    void toolReadingItsInputEnds() {
        const ToolResult result = EjecutarTool({"/bin/cat", {}, "cat"}, dir_.path());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.output, QString());
    }

    // Each failure gives -1 and says which it was, in the output and the log.
    void failuresGiveMinusOneAndTheirReason_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("why");
        QTest::newRow("missing") << "" << QString()
                                 << "no se pudo iniciar: execvp: No such file or directory";
        QTest::newRow("crash") << "crash" << QString() << "terminado por la señal SIGSEGV";
        QTest::newRow("no folder") << "out"
                                   << "no such folder"
                                   << "no se pudo iniciar: chdir: No such file or directory";
        QTest::newRow("time limit")
            << "sleep" << QString() << "detenido al superar el tiempo límite de 0.3 s";
    }
    void failuresGiveMinusOneAndTheirReason() {
        QFETCH(QString, mode);
        QFETCH(QString, folder);
        QFETCH(QString, why);
        CommandLine command = orden({mode});
        if (mode.isEmpty())
            command.program = dir_.filePath("no such tool");
        RecordingLog log;
        FijarLimiteHerramientas(300);
        const ToolResult result = EjecutarTool(command, dir_.filePath(folder), &log);
        FijarLimiteHerramientas(0);
        QCOMPARE(result.exitCode, -1);
        QVERIFY2(result.output.endsWith(command.program + ": Error - " + why + "\n"),
                 qPrintable(result.output));
        QVERIFY(log.output.endsWith(result.output.section('\n', -2)));
        QCOMPARE(LineaErrorHerramienta(result.output + "last\n"),
                 result.output.section('\n', -2, -2));
    }

    // Cancelled once it said it ignores SIGTERM: the tool is killed, the run returns.
    void cancelKillsToolIgnoringTerminate() {
        struct CancelOnOutput : RecordingLog {
            CancelToken token;
            void AgregarSalidaLog(const QString& text) override {
                RecordingLog::AgregarSalidaLog(text);
                token.cancel();
            }
        } log;
        const ToolResult result = EjecutarTool(orden({"stubborn"}), dir_.path(), &log, &log.token);
        QVERIFY(result.cancelled);
        QCOMPARE(result.exitCode, -1);
        QCOMPARE(log.output, QString("ready\n"));
    }

    void alreadyCancelledDoesNotStart() {
        CancelToken cancel;
        cancel.cancel();
        const QString capture = dir_.filePath("never written.bin");
        const ToolResult result =
            EjecutarTool(orden({"argv", capture, "a"}), dir_.path(), nullptr, &cancel);
        QVERIFY(result.cancelled);
        QVERIFY(!QFile::exists(capture));
    }
};

QTEST_GUILESS_MAIN(TestToolRunner)
#include "tst_toolrunner.moc"
