#include "shell/singleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

class TestSingleInstance : public QObject {
    Q_OBJECT

private:
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

    // A socket of another user at our name is not obeyed: the program starts normally.
    void squatterOfAnotherUserIsIgnored() {
        if (::getuid() != 0)
            QSKIP("listening as another user needs root");
        const QString key = claveUnica();
        const QByteArray path = QFile::encodeName(RutaSocketInstancia(key));
        int ready[2];
        QVERIFY(::pipe(ready) == 0);
        const pid_t squatter = ::fork();
        if (squatter == 0) {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                ::setuid(65534) == 0 && ::listen(fd, 4) == 0 && ::write(ready[1], "r", 1) == 1)
                ::pause();
            ::_exit(1);
        }
        char c = 0;
        QCOMPARE(::read(ready[0], &c, 1), 1);
        SingleInstance real;
        QVERIFY(real.tryBecomePrimary(key));
        ::kill(squatter, SIGKILL);
        ::waitpid(squatter, nullptr, 0);
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
        SingleInstance next;
        QVERIFY(next.tryBecomePrimary(key));
        SingleInstance later; // finds the new copy listening
        QVERIFY(!later.tryBecomePrimary(key));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
