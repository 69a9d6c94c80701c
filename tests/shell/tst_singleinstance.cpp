#include "shell/singleinstance.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

#include <unistd.h>

class TestSingleInstance : public QObject {
    Q_OBJECT

private:
    static QString claveUnica() {
        return "nc-test-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    }

private slots:
    void secondStartActivatesFirst() {
        const QString key = claveUnica();
        SingleInstance first;
        QSignalSpy activations(&first, &SingleInstance::activationRequested);
        QVERIFY(first.tryBecomePrimary(key));

        SingleInstance second;
        QVERIFY(!second.tryBecomePrimary(key));
        QVERIFY(activations.wait(2000));
        QCOMPARE(activations.count(), 1);

        SingleInstance third;
        QVERIFY(!third.tryBecomePrimary(key));
        QTRY_COMPARE_WITH_TIMEOUT(activations.count(), 2, 2000);
    }

    void differentKeysDoNotMeet() {
        SingleInstance a;
        SingleInstance b;
        QSignalSpy activations(&a, &SingleInstance::activationRequested);
        QVERIFY(a.tryBecomePrimary(claveUnica()));
        QVERIFY(b.tryBecomePrimary(claveUnica()));
        QTest::qWait(100);
        QCOMPARE(activations.count(), 0);
    }

    void otherMessagesAreIgnored() {
        const QString key = claveUnica();
        SingleInstance first;
        QSignalSpy activations(&first, &SingleInstance::activationRequested);
        QVERIFY(first.tryBecomePrimary(key));
        QLocalSocket socket;
        socket.connectToServer(key + "-" + QString::number(::getuid()));
        QVERIFY(socket.waitForConnected(1000));
        socket.write("quit\n");
        QVERIFY(socket.waitForBytesWritten(1000));
        QTest::qWait(200);
        QCOMPARE(activations.count(), 0);
    }

    void staleSocketFromCrashedCopyIsTakenOver() {
        const QString key = claveUnica();
        const QString name = key + "-" + QString::number(::getuid());
        QLocalServer probe;
        QVERIFY(probe.listen(name));
        const QString file = probe.fullServerName();
        probe.close();
        // a copy that crashed leaves its socket file behind
        QFile stale(file);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();

        SingleInstance next;
        QVERIFY(next.tryBecomePrimary(key));
        SingleInstance later; // finds the new copy listening
        QVERIFY(!later.tryBecomePrimary(key));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
