#include "shell/singleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QtTest>

class TestSingleInstance : public QObject {
    Q_OBJECT

    static QString claveUnica() {
        return "nc-test-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    }

private slots:
    // A second start asks the first to come forward, once per start; only the activation
    // line counts, and the line after a stranger's is still read.
    void secondStartActivatesFirst() {
        const QString key = claveUnica();
        SingleInstance first;
        QSignalSpy activations(&first, &SingleInstance::activationRequested);
        QVERIFY(first.tryBecomePrimary(key));
        SingleInstance other; // another key: a copy of its own
        QVERIFY(other.tryBecomePrimary(claveUnica()));
        for (int n = 1; n <= 2; ++n) {
            SingleInstance next;
            QVERIFY(!next.tryBecomePrimary(key));
            QTRY_COMPARE_WITH_TIMEOUT(activations.count(), n, 5000);
        }
        QLocalSocket socket;
        socket.connectToServer(RutaSocketInstancia(key));
        QVERIFY(socket.waitForConnected(5000));
        socket.write("quit\nactivate now\nactivate\n");
        QVERIFY(activations.wait(5000));
        QCOMPARE(activations.count(), 3);
    }

    void staleSocketFromCrashedCopyIsTakenOver() {
        const QString key = claveUnica();
        QLocalServer probe;
        QVERIFY(probe.listen(RutaSocketInstancia(key)));
        const QString file = probe.fullServerName();
        probe.close();
        // A copy that crashed leaves its socket file behind.
        QFile stale(file);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance next, later; // the later one finds the new copy listening
        QVERIFY(next.tryBecomePrimary(key));
        QVERIFY(!later.tryBecomePrimary(key));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
