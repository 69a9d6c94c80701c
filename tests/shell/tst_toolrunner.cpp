#include "shell/commandline.h"
#include "shell/toolrunner.h"

#include "recordinglog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

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

    void builderKeepsArgumentsAndDisplayInStep() {
        const CommandLine line = CommandLineBuilder("/opt/a b/colprof")
                                     .add("-v")
                                     .addAttached("-A", "My \"cam\"")
                                     .addSeparate("-C", "")
                                     .addSeparate("-D", "desc")
                                     .add("-qm")
                                     .addPath("/w d/chart")
                                     .build();
        QCOMPARE(line.program, QString("/opt/a b/colprof"));
        QCOMPARE(line.arguments,
                 QStringList({"-v", "-AMy \"cam\"", "-C", "", "-D", "desc", "-qm", "/w d/chart"}));
        QCOMPARE(line.display, QString("\"/opt/a b/colprof\" -v -A\"My \"cam\"\" -C\"\" -D\"desc\" "
                                       "-qm \"/w d/chart\""));
        QCOMPARE(CommandLineBuilder("scanin").build().display, QString("\"scanin\""));

        const CommandLine texts =
            CommandLineBuilder("colprof").addText("-A", "-dash").addText("-C", "").build();
        QCOMPARE(texts.arguments, QStringList({"-A-dash", "-C", ""}));
        QCOMPARE(texts.display, QString("\"colprof\" -A\"-dash\" -C\"\""));
    }

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
        const ToolResult result = EjecutarTool(line, work.path());
        QCOMPARE(result.exitCode, 0);
        QFile file(capture);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray expected =
            QByteArray("-A") + text.toUtf8() + '\0' + "-C" + '\0' + '\0' + text.toUtf8() + '\0';
        QCOMPARE(file.readAll(), expected);
        QVERIFY(!QFile::exists(work.filePath("x")));
        QVERIFY(!QFile::exists(work.filePath("y")));
        QVERIFY(!QFile::exists(QDir::current().filePath("x")));
    }

    void mergedOutputInOrderStreamedAndReturned() {
        RecordingLog log;
        QString output;
        QCOMPARE(EjecutarCapturando(orden({"out"}), dir_.path(), output, log), 0);
        QCOMPARE(output, QString("uno\ndos\ntres\n"));
        QCOMPARE(log.output, output);

        QString quiet;
        QCOMPARE(EjecutarYLeerSalida(orden({"out"}), dir_.path(), quiet), 0);
        QCOMPARE(quiet, output);

        RecordingLog toolLog;
        QCOMPARE(EjecutarHerramienta(orden({"crlf"}), dir_.path(), toolLog), 0);
        QCOMPARE(toolLog.output, QString("a\nb\n")); // CR LF shown as "\n"
        QVERIFY(toolLog.lines.isEmpty());
    }

    void exitCodesReturnedUnchanged_data() {
        QTest::addColumn<int>("code");
        QTest::newRow("0") << 0;
        QTest::newRow("1") << 1;
        QTest::newRow("3") << 3;
        QTest::newRow("255") << 255;
    }

    void exitCodesReturnedUnchanged() {
        QFETCH(int, code);
        const ToolResult result = EjecutarTool(orden({"exit", QString::number(code)}), dir_.path());
        QCOMPARE(result.exitCode, code);
        QCOMPARE(result.output, QString());
        QVERIFY(!result.cancelled);
    }

    // A tool that reads its standard input finds it empty and ends.
    void toolReadingItsInputEnds() {
        const ToolResult result = EjecutarTool({"/bin/cat", {}, "cat"}, dir_.path());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.output, QString());
    }

    // Each failure gives -1 and says which it was, in the output and the log.
    void failuresGiveMinusOneAndTheirReason() {
        RecordingLog log;
        auto falla = [&](const CommandLine& command, const QString& folder, const QString& why) {
            const ToolResult result = EjecutarTool(command, folder, &log);
            QCOMPARE(result.exitCode, -1);
            QVERIFY2(result.output.endsWith(command.program + ": Error - " + why + "\n"),
                     qPrintable(result.output));
            QVERIFY(log.output.endsWith(result.output.section('\n', -2)));
            QCOMPARE(LineaErrorHerramienta(result.output + "last\n"),
                     result.output.section('\n', -2, -2));
        };
        CommandLine missing = orden({"out"});
        missing.program = dir_.filePath("no such tool");
        falla(missing, dir_.path(), "no se pudo iniciar: execvp: No such file or directory");

        const QString notExecutable = dir_.filePath("plain file");
        QFile file(notExecutable);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        missing.program = notExecutable;
        falla(missing, dir_.path(), "no se pudo iniciar: execvp: Permission denied");
        falla(orden({"crash"}), dir_.path(), "terminado por la señal SIGSEGV");
        falla(orden({"out"}), dir_.filePath("no such folder"),
              "no se pudo iniciar: chdir: No such file or directory");
        FijarLimiteHerramientas(300);
        falla(orden({"sleep"}), dir_.path(), "detenido al superar el tiempo límite de 0.3 s");
        FijarLimiteHerramientas(0);
        // Endless output is kept bounded.
        QVERIFY(EjecutarTool(orden({"flood"}), dir_.path()).output.size() <= 8 * 1024 * 1024);
    }

    void runsInWorkingFolder() {
        const QString work = dir_.filePath("work folder ñ");
        QVERIFY(QDir().mkpath(work));
        const ToolResult result = EjecutarTool(orden({"pwd"}), work);
        QCOMPARE(result.output, work + "\n");
        QVERIFY(QDir::currentPath() != work);
    }

    void outputStreamsWhileEventsFlow() {
        RecordingLog log;
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
        timer.start(20);
        const ToolResult result = EjecutarTool(orden({"slow"}), dir_.path(), &log);
        QCOMPARE(result.exitCode, 5);
        QCOMPARE(result.output, QString::fromUtf8("one é\ntwo\n"));
        QCOMPARE(log.output, result.output);
        QVERIFY2(log.chunks.size() >= 2, qPrintable(log.chunks.join('|')));
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    }

    void cancelStopsTool() {
        CancelToken cancel;
        QTimer::singleShot(100, this, [&] { cancel.cancel(); });
        QElapsedTimer clock;
        clock.start();
        const ToolResult result = EjecutarTool(orden({"sleep"}), dir_.path(), nullptr, &cancel);
        QVERIFY(result.cancelled);
        QCOMPARE(result.exitCode, -1);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }

    void cancelKillsToolIgnoringTerminate() {
        // Cancel once the tool said it ignores SIGTERM.
        struct CancelOnOutput : RecordingLog {
            CancelToken token;
            QElapsedTimer sinceCancel;
            void AgregarSalidaLog(const QString& text) override {
                RecordingLog::AgregarSalidaLog(text);
                token.cancel();
                sinceCancel.start();
            }
        } log;
        const ToolResult result = EjecutarTool(orden({"stubborn"}), dir_.path(), &log, &log.token);
        const qint64 elapsed = log.sinceCancel.elapsed();
        QVERIFY(result.cancelled);
        QCOMPARE(result.exitCode, -1);
        QCOMPARE(log.output, QString("ready\n"));
        QVERIFY2(elapsed >= 1000 && elapsed < 4000, qPrintable(QString::number(elapsed)));
    }

    void alreadyCancelledDoesNotStart() {
        CancelToken cancel;
        cancel.cancel();
        const QString capture = dir_.filePath("never written.bin");
        const ToolResult result =
            EjecutarTool(orden({"argv", capture, "a"}), dir_.path(), nullptr, &cancel);
        QVERIFY(result.cancelled);
        QCOMPARE(result.exitCode, -1);
        QVERIFY(!QFile::exists(capture));
    }

    void runsInWorkerThread() {
        ToolResult result;
        std::unique_ptr<QThread> thread(
            QThread::create([&] { result = EjecutarTool(orden({"slow"}), dir_.path()); }));
        thread->start();
        QVERIFY(thread->wait(10000));
        QCOMPARE(result.exitCode, 5);
        QCOMPARE(result.output, QString::fromUtf8("one é\ntwo\n"));
    }
};

QTEST_GUILESS_MAIN(TestToolRunner)
#include "tst_toolrunner.moc"
