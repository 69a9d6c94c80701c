#include "recordinglog.h"
#include "shell/tooljob.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

// The worker behind every window's tool runs.
class TestToolJob : public QObject {
    Q_OBJECT

private slots:
    // Lines reach the log here in their order, a question runs here while the worker waits,
    // the end comes after the last line, and a second run is refused meanwhile. Destroyed
    // while its run waits for an answer (its window went), the job stops the tool and the
    // worker goes on unanswered: nothing hangs or arrives later.
    void runsOnAWorkerAsksHere() {
        RecordingLog log;
        auto job = std::make_unique<ToolJob>(log);
        ToolJob* j = job.get();
        QSignalSpy done(j, &ToolJob::terminado);
        QStringList expected;
        for (int i = 0; i < 200; ++i)
            expected << QString::number(i);
        Qt::HANDLE asker = nullptr;
        QString outputAtEnd;
        QVERIFY(j->Iniciar(
            [&](ActivityLog& worker, const CancelToken* cancel) {
                for (const QString& line : expected)
                    worker.LogMsg(line);
                j->EnHiloPrincipal([&] { asker = QThread::currentThreadId(); });
                return EjecutarTool({"echo", {"out"}, "echo"}, ".", &worker, cancel).exitCode;
            },
            [&](int rc) { outputAtEnd = log.output + QString::number(rc); }));
        QVERIFY(!j->Iniciar([](ActivityLog&, const CancelToken*) { return 0; }, [](int) {}));
        QVERIFY(done.wait());
        QCOMPARE(log.lines, expected);
        QCOMPARE(asker, QThread::currentThreadId());
        QCOMPARE(outputAtEnd, QString("out\n0"));

        bool answered = true;
        bool cancelled = false;
        QVERIFY(j->Iniciar(
            [&](ActivityLog& worker, const CancelToken* cancel) {
                answered = j->EnHiloPrincipal([&] { job.reset(); });
                worker.LogMsg("after");
                cancelled =
                    EjecutarTool({"sleep", {"30"}, "sleep"}, ".", nullptr, cancel).cancelled;
                return 0;
            },
            [](int) { QFAIL("no end once the job has gone"); }));
        QTRY_VERIFY(!job);
        QVERIFY(!answered && cancelled);
        QCOMPARE(log.lines, expected);
    }
};

QTEST_GUILESS_MAIN(TestToolJob)
#include "tst_tooljob.moc"
