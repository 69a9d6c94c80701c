#include "cli/createinput.h"

#include "shell/appfolders.h"

#include <QFileInfo>

EntradaCreacion EntradaDeDestino(const PeticionCreacion& p, const DestinoPerfil& destino,
                                 const ChartCatalog& catalogo, const AppFolders& carpetas,
                                 const QString& carpetaTmp) {
    EntradaCreacion in;
    in.imagen = destino.imagen;
    if (!p.referenciaDada.isEmpty()) {
        in.tipoReferencia = EntradaCreacion::Personalizada;
        in.referenciaPersonalizada = p.referenciaDada;
    } else if (p.referenciaCarta.tipo == ReferenciaCarta::Generica) {
        in.tipoReferencia = EntradaCreacion::Generica;
        in.referenciaGenerica = p.referenciaCarta.ruta;
    } else {
        in.tipoReferencia = EntradaCreacion::Personalizada;
        in.referenciaPersonalizada = p.referenciaCarta.ruta;
    }
    in.carta = catalogo.RutaCarta(p.carta);
    in.ficheroCarta = catalogo.FicheroCarta(p.carta);
    in.gamma = p.gamma;
    in.perspectiva = p.perspectiva;
    // Given corners belong to this chart and image, as a grid adjustment stored for them.
    if (!p.fiduciales.isEmpty()) {
        in.fiducialesManuales = p.fiduciales;
        in.cartaAjusteManual = in.ficheroCarta;
        in.imagenAjusteManual = in.imagen;
    }
    in.fabricante = p.fabricante;
    in.modelo = p.modelo;
    in.descripcion =
        p.conDescripcion ? p.descripcion : QFileInfo(destino.perfil).completeBaseName();
    in.copyright = p.copyright;
    in.calidad = p.calidad;
    in.algoritmo = p.algoritmo;
    in.intento = p.intento;
    in.puntoBlanco = p.puntoBlanco;
    in.sombras = p.sombras;
    in.guardarTi3JuntoPerfil = p.guardarTi3;
    in.guardarDiagJuntoPerfil = p.guardarDiag;
    in.destino = destino.perfil;
    in.carpetaPrograma = carpetas.programFolder;
    in.carpetaTmp = carpetaTmp;
    in.scanin = carpetas.toolPath(QStringLiteral("scanin"));
    in.colprof = carpetas.toolPath(QStringLiteral("colprof"));
    in.profcheck = carpetas.toolPath(QStringLiteral("profcheck"));
    return in;
}

QString LineaLogReferencia(const PeticionCreacion& p) {
    if (!p.referenciaDada.isEmpty())
        return QStringLiteral("Referencia: ") + p.referenciaDada;
    return LineaLogReferenciaDeCarta(p.referenciaCarta);
}
