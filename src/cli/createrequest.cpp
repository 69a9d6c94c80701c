#include "cli/createrequest.h"

#include "charts/charttables.h"
#include "cli/cliargs.h"
#include "cli/clichoices.h"
#include "grid/gridrecognition.h"
#include "lang/texto.h"
#include "profile/profileoptions.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <array>

namespace {

constexpr double kGammaMaxima = 10.0;
constexpr int kTrabajosMaximos = 32;

const QList<OpcionCli>& Opciones() {
    static const QList<OpcionCli> opciones{
        {"help"},
        {"image", true, true},
        {"chart", true},
        {"reference", true},
        {"output", true},
        {"output-dir", true},
        {"gamma", true},
        {"perspective"},
        {"fiducials", true},
        {"white-point", true},
        {"shadows", true},
        {"algorithm", true},
        {"quality", true},
        {"intent", true},
        {"device", true},
        {"model", true},
        {"description", true},
        {"copyright", true},
        {"save-ti3"},
        {"save-diag"},
        {"keep-work"},
        {"json"},
        {"quiet"},
        {"jobs", true},
        {"timeout", true},
    };
    return opciones;
}

QString TextoNumero(double v) {
    return QString::number(v, 'g', 15);
}

class Lector {
public:
    Lector(const ArgumentosCli& args, const ChartCatalog& catalogo, PeticionCreacion& p)
        : args_(args), catalogo_(catalogo), p_(p) {}

    QString Leer() {
        QString error;
        if (!(Imagenes(error) && Destinos(error) && Carta(error) && Referencia(error) &&
              Numeros(error) && Elecciones(error) && Fiduciales(error))) {
            return error;
        }
        Textos();
        p_.perspectiva = args_.tiene(QStringLiteral("perspective"));
        p_.guardarTi3 = args_.tiene(QStringLiteral("save-ti3"));
        p_.guardarDiag = args_.tiene(QStringLiteral("save-diag"));
        p_.conservarTrabajo = args_.tiene(QStringLiteral("keep-work"));
        p_.json = args_.tiene(QStringLiteral("json"));
        p_.silencio = args_.tiene(QStringLiteral("quiet"));
        return QString();
    }

private:
    bool Imagenes(QString& error) {
        const QStringList dadas = args_.valores(QStringLiteral("image"));
        if (dadas.isEmpty()) {
            error = QStringLiteral("--image FILE is required");
            return false;
        }
        for (const QString& dada : dadas) {
            const QString ruta = RutaAbsoluta(dada);
            const QFileInfo info(ruta);
            if (info.isDir()) {
                const QStringList filtros{"*.tif", "*.tiff", "*.png", "*.jpg", "*.jpeg"};
                const QStringList nombres = QDir(ruta).entryList(
                    filtros, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
                if (nombres.isEmpty()) {
                    error = QStringLiteral("no chart images (.tif, .tiff, .png, .jpg, .jpeg) "
                                           "in folder: ") +
                            ruta;
                    return false;
                }
                for (const QString& nombre : nombres) {
                    // The diagnostic images an earlier batch kept here are no captures.
                    if (!nombre.endsWith(QLatin1String("_scanin_diag.tif"), Qt::CaseInsensitive))
                        imagenes_ << ruta + QLatin1Char('/') + nombre;
                }
            } else if (info.isFile()) {
                imagenes_ << ruta;
            } else {
                error = QStringLiteral("image not found: ") + ruta;
                return false;
            }
        }
        return true;
    }

    bool Destinos(QString& error) {
        const bool uno = args_.tiene(QStringLiteral("output"));
        const bool carpeta = args_.tiene(QStringLiteral("output-dir"));
        if (uno == carpeta) {
            error = uno ? QStringLiteral("give --output or --output-dir, not both")
                        : QStringLiteral("--output FILE.icc or --output-dir DIR is required");
            return false;
        }
        if (uno)
            return Salida(error);
        p_.carpetaSalida = RutaAbsoluta(args_.valor(QStringLiteral("output-dir")));
        const QFileInfo info(p_.carpetaSalida);
        if (info.exists() && !info.isDir()) {
            error = QStringLiteral("--output-dir is not a folder: ") + p_.carpetaSalida;
            return false;
        }
        QSet<QString> perfiles;
        for (const QString& imagen : imagenes_) {
            const QString perfil = p_.carpetaSalida + QLatin1Char('/') +
                                   QFileInfo(imagen).completeBaseName() + QStringLiteral(".icc");
            if (perfiles.contains(perfil)) {
                error = QStringLiteral("two images would write the same profile ") + perfil +
                        QStringLiteral("; rename one of them");
                return false;
            }
            perfiles.insert(perfil);
            p_.destinos.append({imagen, perfil});
        }
        return true;
    }

    bool Salida(QString& error) {
        if (imagenes_.size() != 1) {
            error = QStringLiteral("--output names one profile; use --output-dir for %1 images")
                        .arg(imagenes_.size());
            return false;
        }
        const QString perfil = RutaAbsoluta(args_.valor(QStringLiteral("output")));
        const QString sufijo = QFileInfo(perfil).suffix().toLower();
        if (sufijo != QLatin1String("icc") && sufijo != QLatin1String("icm")) {
            error = QStringLiteral("--output must name an .icc or .icm file: ") + perfil;
            return false;
        }
        if (QFileInfo(perfil).isDir()) {
            error = QStringLiteral("--output is a folder: ") + perfil;
            return false;
        }
        const QString carpeta = QFileInfo(perfil).absolutePath();
        if (!QFileInfo(carpeta).isDir()) {
            error = QStringLiteral("folder of --output not found: ") + carpeta;
            return false;
        }
        p_.destinos.append({imagenes_.first(), perfil});
        return true;
    }

    bool Carta(QString& error) {
        const QString nombre = args_.valor(QStringLiteral("chart"));
        if (!args_.tiene(QStringLiteral("chart"))) {
            error = QStringLiteral("--chart NAME.cht is required");
            return false;
        }
        p_.carta = catalogo_.IndiceCarta(nombre);
        if (p_.carta < 0 && !ClaveCarta(nombre).endsWith(QLatin1String(".cht")))
            p_.carta = catalogo_.IndiceCarta(nombre.trimmed() + QStringLiteral(".cht"));
        if (p_.carta < 0) {
            error = QStringLiteral("chart '%1' is not in the catalogue (see 'charts')").arg(nombre);
            return false;
        }
        return true;
    }

    bool Referencia(QString& error) {
        if (args_.tiene(QStringLiteral("reference"))) {
            p_.referenciaDada = FicheroRequerido(args_, QStringLiteral("reference"), error);
            return !p_.referenciaDada.isEmpty();
        }
        p_.referenciaCarta = ReferenciaDeCarta(catalogo_, p_.carta, NumGenericas());
        if (p_.referenciaCarta.tipo == ReferenciaCarta::Ninguna) {
            error = QStringLiteral("chart '%1' has no generic or own reference; give "
                                   "--reference FILE")
                        .arg(catalogo_.FicheroCarta(p_.carta));
            return false;
        }
        return true;
    }

    // A number option within [minimo, maximo] (above minimo when abierto), written back with
    // "." as separator; the window's default when absent.
    bool Numero(const QString& opcion, double minimo, double maximo, bool abierto,
                const QString& defecto, QString& destino, QString& error) {
        if (!args_.tiene(opcion)) {
            destino = defecto;
            return true;
        }
        double v = 0;
        const bool leido = LeerNumeroCli(args_.valor(opcion), v);
        if (!leido || v < minimo || v > maximo || (abierto && v == minimo)) {
            const QString rango = abierto ? QStringLiteral("above %1 and at most %2")
                                          : QStringLiteral("from %1 to %2");
            error = QStringLiteral("--%1 must be a number %2, not '%3'")
                        .arg(opcion, rango.arg(TextoNumero(minimo), TextoNumero(maximo)),
                             args_.valor(opcion));
            return false;
        }
        destino = TextoNumero(v);
        return true;
    }

    bool Numeros(QString& error) {
        if (!Numero(QStringLiteral("gamma"), 0.0, kGammaMaxima, true,
                    ValorPorDefecto(QStringLiteral("txtGamma")), p_.gamma, error) ||
            !Numero(QStringLiteral("white-point"), kPuntoBlancoMinimo, kPuntoBlancoMaximo, false,
                    ValorPorDefecto(QStringLiteral("txtWhitePoint")), p_.puntoBlanco, error) ||
            !Numero(QStringLiteral("shadows"), kSombrasMinimo, kSombrasMaximo, false,
                    ValorPorDefecto(QStringLiteral("txtDarkAreas")), p_.sombras, error)) {
            return false;
        }
        if (!LeerLimiteHerramientas(args_, p_.limiteMs, error))
            return false;
        if (!args_.tiene(QStringLiteral("jobs")))
            return true;
        const QString jobs = args_.valor(QStringLiteral("jobs"));
        if (!LeerEnteroCli(jobs, p_.trabajos) || p_.trabajos < 1 ||
            p_.trabajos > kTrabajosMaximos) {
            error = QStringLiteral("--jobs must be a whole number from 1 to %1, not '%2'")
                        .arg(kTrabajosMaximos)
                        .arg(jobs);
            return false;
        }
        return true;
    }

    bool Eleccion(const QString& opcion, const QString& control, const QStringList& nombres,
                  int& destino, QString& error) {
        if (!args_.tiene(opcion)) {
            destino = IndicePorDefecto(control);
            return true;
        }
        destino = IndiceEleccion(args_.valor(opcion), nombres);
        if (destino < 0) {
            error = QStringLiteral("--%1 must be one of %2, not '%3'")
                        .arg(opcion, DescribirElecciones(nombres), args_.valor(opcion));
            return false;
        }
        return true;
    }

    bool Elecciones(QString& error) {
        return Eleccion(QStringLiteral("algorithm"), QStringLiteral("cboAlgorithm"),
                        NombresAlgoritmo(), p_.algoritmo, error) &&
               Eleccion(QStringLiteral("quality"), QStringLiteral("cboQuality"), NombresCalidad(),
                        p_.calidad, error) &&
               Eleccion(QStringLiteral("intent"), QStringLiteral("cboIntent"), NombresIntento(),
                        p_.intento, error);
    }

    bool Fiduciales(QString& error) {
        if (!args_.tiene(QStringLiteral("fiducials")))
            return true;
        const QString dado = args_.valor(QStringLiteral("fiducials"));
        const QStringList partes = dado.split(QLatin1Char(','));
        std::array<double, 4> x{};
        std::array<double, 4> y{};
        bool ok = partes.size() == 8;
        for (int i = 0; ok && i < 8; ++i) {
            double v = 0;
            ok = LeerNumeroCli(partes.at(i), v) && v >= 0;
            (i % 2 == 0 ? x : y)[static_cast<size_t>(i / 2)] = v;
        }
        if (!ok) {
            error = QStringLiteral("--fiducials needs eight pixel positions X1,Y1,X2,Y2,X3,Y3,"
                                   "X4,Y4 (top left, top right, bottom right, bottom left), none "
                                   "negative, not '%1'")
                        .arg(dado);
            return false;
        }
        p_.fiduciales = ListaFiduciales(x, y);
        return true;
    }

    // The window's boxes start with these texts; the description defaults to each profile's
    // name, as colprof itself names a profile without one.
    void Textos() {
        auto texto = [&](const QString& opcion, const QString& defecto) {
            return args_.tiene(opcion) ? args_.valor(opcion) : defecto;
        };
        p_.fabricante = texto(QStringLiteral("device"), Texto(QStringLiteral("default.device")));
        p_.modelo = texto(QStringLiteral("model"), Texto(QStringLiteral("default.model")));
        p_.copyright = texto(QStringLiteral("copyright"), QString());
        p_.conDescripcion = args_.tiene(QStringLiteral("description"));
        p_.descripcion = args_.valor(QStringLiteral("description"));
    }

    const ArgumentosCli& args_;
    const ChartCatalog& catalogo_;
    PeticionCreacion& p_;
    QStringList imagenes_;
};

} // namespace

LecturaCreacion LeerPeticionCreacion(const QStringList& args, const ChartCatalog& catalogo) {
    LecturaCreacion lectura;
    const ArgumentosCli leidos = ArgumentosCli::Leer(args, Opciones());
    if (!leidos.ok()) {
        lectura.error = leidos.error();
        return lectura;
    }
    if (leidos.tiene(QStringLiteral("help"))) {
        lectura.peticion.ayuda = true;
        return lectura;
    }
    lectura.error = Lector(leidos, catalogo, lectura.peticion).Leer();
    return lectura;
}
