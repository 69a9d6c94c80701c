#include "profile/chartreading.h"

#include "charts/chartdefinition.h"
#include "lang/texto.h"
#include "profile/chartlocator.h"
#include "profile/createvalidation.h"
#include "profile/fiducialmapping.h"
#include "profile/profilecommands.h"
#include "shell/activitylog.h"
#include "shell/paths.h"
#include "shell/toolrunner.h"
#include "shell/workfolders.h"

#include <QFile>

namespace {

QString NombreMetodo(MetodoLectura metodo) {
    return Texto(QStringLiteral("read.method.") + CodigoMetodo(metodo));
}

void Reemplazar(const QString& from, const QString& to) {
    BorrarFicheroSiHay(to);
    QFile::rename(from, to);
}

class Lector {
public:
    Lector(const EntradaCreacion& in, const QString& referencia, const QString& imagen,
           const QString& ti3, const QString& diag, const QString& carpeta, ActivityLog& log,
           const CancelToken* cancel)
        : in_(in), referencia_(referencia), imagen_(imagen), ti3_(ti3), diag_(diag),
          carpeta_(carpeta), log_(log), cancel_(cancel) {}

    LecturaCarta Leer() {
        if (CuadriculaManualAplicable(in_)) {
            Quad esquinas;
            if (LeerListaFiduciales(in_.fiducialesManuales, &esquinas))
                IntentarGiros(MetodoLectura::Manual, Giros(esquinas));
            else
                Intentar(MetodoLectura::Manual, in_.fiducialesManuales);
        } else if (!Intentar(in_.perspectiva ? MetodoLectura::Perspectiva
                                             : MetodoLectura::Automatico,
                             QString())) {
            // Not scanin's perspective search: where its recognition failed, that search
            // takes from seconds to minutes and rarely succeeds.
            Localizar();
        }
        return Terminar();
    }

private:
    bool Hecho() const { return lectura_.plausible || lectura_.cancelada; }

    // Fiducials from the detector's block, then from the patch region.
    void Localizar() {
        ChartDefinition carta;
        QString error;
        if (!carta.load(in_.carta, &error)) {
            log_.LogMsg(Texto(QStringLiteral("read.no_chart_file")).arg(error));
            return;
        }
        ProbeCopy sonda{carpeta_ + QStringLiteral("/sonda.tif")};
        const QList<LocatedChart> encontradas = LocateChart(imagen_, true, &sonda);
        if (encontradas.isEmpty())
            log_.LogMsg(Texto(QStringLiteral("read.not_found")));
        for (const LocatedChart& c : encontradas) {
            const MetodoLectura metodo =
                c.kind == LocatedChart::Block ? MetodoLectura::Detectado : MetodoLectura::Region;
            QList<Quad> giros = FiducialesDeCarta(carta, c);
            // A full read of a large photograph takes a second or more: the turn is tried on
            // the small copy first, and only the one that fits there is read in full.
            if (sonda.written && sonda.scale < 1.0) {
                const int giro = GiroEnSonda(sonda, giros);
                if (giro >= 0)
                    giros = {giros[giro]};
            }
            if (IntentarGiros(metodo, giros))
                return;
            if (cancel_ && cancel_->cancelled())
                return;
        }
    }

    // The first turn whose reading of the small copy fits the reference, or -1.
    int GiroEnSonda(const ProbeCopy& sonda, const QList<Quad>& giros) {
        const QString ti3 = QuitarExtension(sonda.path) + QStringLiteral(".ti3");
        for (qsizetype i = 0; i < giros.size(); ++i) {
            Quad reducido = giros[i];
            for (QPointF& p : reducido)
                p *= sonda.scale;
            BorrarFicheroSiHay(ti3);
            CommandLine scanin;
            scanin.program = in_.scanin;
            scanin.arguments = {QStringLiteral("-F"), ListaFiduciales(reducido), sonda.path,
                                in_.carta, referencia_};
            const ToolResult r = EjecutarTool(scanin, carpeta_, nullptr, cancel_);
            QList<PatchReading> parches;
            QString error;
            if (r.cancelled || r.exitCode != 0 || !ReadTi3Patches(ti3, &parches, &error))
                continue;
            if (PlausibleRead(FitRead(parches))) {
                log_.LogMsg(Texto(QStringLiteral("read.probe_turn")).arg(i * 90));
                return int(i);
            }
        }
        return -1;
    }

    bool IntentarGiros(MetodoLectura metodo, const QList<Quad>& giros) {
        for (const Quad& q : giros) {
            if (Intentar(metodo, ListaFiduciales(q)))
                return true;
        }
        return Hecho();
    }

    // One scanin run; true when it ends the reading (plausible, or cancelled).
    bool Intentar(MetodoLectura metodo, const QString& fiduciales) {
        if (Hecho())
            return true;
        // Fiducials alone: with them scanin needs no perspective search, which would take
        // minutes on a large photograph.
        const QStringList cuadricula =
            !fiduciales.isEmpty()                  ? QStringList{QStringLiteral("-F"), fiduciales}
            : metodo == MetodoLectura::Perspectiva ? QStringList{QStringLiteral("-p")}
                                                   : QStringList();
        BorrarFicheroSiHay(ti3_);
        BorrarFicheroSiHay(diag_);
        const CommandLine scanin = ComandoScanin(in_, referencia_, cuadricula, imagen_, diag_);
        const bool primero = lectura_.intentos == 0;
        ++lectura_.intentos;
        if (primero)
            log_.LogMsg(QStringLiteral("scanin: ") + scanin.display);
        const ToolResult r = EjecutarTool(scanin, carpeta_, primero ? &log_ : nullptr, cancel_);
        if (r.cancelled || (cancel_ && cancel_->cancelled())) {
            lectura_.cancelada = true;
            return true;
        }
        const QString cabecera =
            Texto(QStringLiteral("read.attempt")).arg(lectura_.intentos).arg(NombreMetodo(metodo));
        if (r.exitCode != 0 || !QFile::exists(ti3_)) {
            const QString error = LineaErrorHerramienta(r.output);
            log_.LogMsg(cabecera + QStringLiteral("scanin rc=") + QString::number(r.exitCode) +
                        (error.isEmpty() ? QString() : QStringLiteral(" (") + error + u')'));
            if (primero) {
                lectura_.rc = r.exitCode;
                lectura_.motivo = QStringLiteral("scanin rc=") + QString::number(r.exitCode);
                lectura_.error = error;
                Reemplazar(diag_, Aparte(diag_, QStringLiteral("primero")));
            }
            return false;
        }
        QList<PatchReading> parches;
        QString error;
        if (!ReadTi3Patches(ti3_, &parches, &error)) {
            log_.LogMsg(cabecera + error);
            return false;
        }
        const ReadFit ajuste = FitRead(parches);
        const bool plausible = PlausibleRead(ajuste);
        log_.LogMsg(cabecera + Texto(plausible ? QStringLiteral("read.fits")
                                               : QStringLiteral("read.does_not_fit"))
                                   .arg(ajuste.error, 0, 'f', 1));
        // A located chart's fiducials are a guess: kept only when the reading fits.
        const bool conjetura =
            metodo == MetodoLectura::Detectado || metodo == MetodoLectura::Region;
        if (plausible ||
            (!conjetura && (!lectura_.leida || ajuste.error < lectura_.ajuste.error))) {
            lectura_.leida = true;
            lectura_.plausible = plausible;
            lectura_.metodo = metodo;
            lectura_.fiduciales = fiduciales;
            lectura_.ajuste = ajuste;
            lectura_.rc = r.exitCode;
            if (!plausible) {
                Reemplazar(ti3_, Aparte(ti3_, QStringLiteral("mejor")));
                Reemplazar(diag_, Aparte(diag_, QStringLiteral("mejor")));
            }
        }
        return plausible;
    }

    LecturaCarta Terminar() {
        if (lectura_.cancelada)
            return lectura_;
        if (lectura_.leida && !lectura_.plausible) {
            Reemplazar(Aparte(ti3_, QStringLiteral("mejor")), ti3_);
            Reemplazar(Aparte(diag_, QStringLiteral("mejor")), diag_);
        } else if (!lectura_.leida) {
            Reemplazar(Aparte(diag_, QStringLiteral("primero")), diag_);
        }
        if (lectura_.leida && lectura_.intentos > 1)
            log_.LogMsg(Texto(QStringLiteral("read.kept"))
                            .arg(NombreMetodo(lectura_.metodo))
                            .arg(lectura_.ajuste.error, 0, 'f', 1));
        return lectura_;
    }

    // A by-product of one attempt, kept beside the file under another name.
    static QString Aparte(const QString& path, const QString& tag) {
        return path + QLatin1Char('.') + tag;
    }

    const EntradaCreacion& in_;
    const QString referencia_;
    const QString imagen_;
    const QString ti3_;
    const QString diag_;
    const QString carpeta_;
    ActivityLog& log_;
    const CancelToken* cancel_;
    LecturaCarta lectura_;
};

} // namespace

QString CodigoMetodo(MetodoLectura metodo) {
    switch (metodo) {
    case MetodoLectura::Automatico:
        return QStringLiteral("auto");
    case MetodoLectura::Perspectiva:
        return QStringLiteral("perspective");
    case MetodoLectura::Manual:
        return QStringLiteral("manual");
    case MetodoLectura::Detectado:
        return QStringLiteral("detected");
    case MetodoLectura::Region:
        return QStringLiteral("region");
    }
    return QString();
}

LecturaCarta LeerCarta(const EntradaCreacion& in, const QString& referencia, const QString& imagen,
                       const QString& ti3, const QString& diag, const QString& carpetaTrabajo,
                       ActivityLog& log, const CancelToken* cancel) {
    return Lector(in, referencia, imagen, ti3, diag, carpetaTrabajo, log, cancel).Leer();
}
