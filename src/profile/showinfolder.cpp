#include "profile/showinfolder.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

bool MostrarEnCarpeta(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo file(path);
    // dbus-send splits arrays at ",", so a comma in the path stays percent-encoded.
    QString url = QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded);
    url.replace(QLatin1Char(','), QStringLiteral("%2C"));
    // dbus-send exits with an error when no file manager owns the interface.
    QProcess call;
    call.start(QStringLiteral("dbus-send"),
               {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                QStringLiteral("--reply-timeout=2000"),
                QStringLiteral("--dest=org.freedesktop.FileManager1"),
                QStringLiteral("/org/freedesktop/FileManager1"),
                QStringLiteral("org.freedesktop.FileManager1.ShowItems"),
                QStringLiteral("array:string:") + url, QStringLiteral("string:")});
    if (call.waitForFinished(3000) && call.exitStatus() == QProcess::NormalExit &&
        call.exitCode() == 0) {
        return true;
    }
    call.kill();
    call.waitForFinished(500);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absolutePath()));
}
