#include "image/previewdrawing.h"

#include "image/bitmapfi.h"
#include "image/fittedimage.h"
#include "image/iccdescription.h"
#include "image/pngiccp.h"
#include "image/reducedimage.h"
#include "lang/texto.h"
#include "shell/activitylog.h"

#include <QImage>
#include <QPainter>

namespace {

QString& UltimoError() {
    static thread_local QString error; // batch runs check images on several threads
    return error;
}

int Estado(AperturaFI resultado) {
    switch (resultado) {
    case AperturaFI::NoExiste:
        return EstadoFicheroNoEncontrado;
    case AperturaFI::FormatoNoReconocido:
        return EstadoFormatoDesconocido;
    case AperturaFI::DemasiadoGrande:
        return EstadoSinMemoria;
    case AperturaFI::Ok:
    case AperturaFI::FalloCarga:
        break;
    }
    return EstadoErrorGenerico;
}

// The image ready to be drawn at the given scale: large reductions are first averaged down
// straight from the decoded bitmap to twice the drawn size at least, so no full-size copy is
// made; Qt's smooth scaling does the rest.
QImage ImagenDibujable(BitmapFI bitmap, double escala) {
    const int factor = escala > 0 ? std::max(1, int(0.5 / escala)) : 1;
    if (FreeImage_IsTransparent(bitmap.get()))
        return ImagenQt(std::move(bitmap));
    QImage reducida = ReducirBitmap(bitmap.get(), factor);
    if (reducida.isNull()) {
        const BitmapFI rgb = A24Bits(std::move(bitmap));
        if (rgb)
            reducida = ReducirBitmap(rgb.get(), factor);
    }
    return reducida;
}

// The embedded ICC profile bytes, empty when there is none; false (with the "could not
// open" text set) when the file cannot be opened. Only the header is decoded.
bool LeerBytesPerfil(const QString& ruta, QByteArray& perfil) {
    perfil.clear();
    const ImagenFI imagen = AbrirImagenFI(ruta, true);
    if (imagen.resultado != AperturaFI::Ok) {
        UltimoError() =
            Texto(QStringLiteral("preview.open_image_failed")).arg(Estado(imagen.resultado));
        return false;
    }
    if (imagen.formato == FIF_PNG) {
        perfil = LeerPerfilPng(ruta);
        return true;
    }
    const FIICCPROFILE* icc = FreeImage_GetICCProfile(imagen.bitmap.get());
    if (icc && icc->data && icc->size >= 1)
        perfil = QByteArray(static_cast<const char*>(icc->data), qsizetype(icc->size));
    return true;
}

} // namespace

QString UltimoErrorVistaPrevia() {
    return UltimoError();
}

bool DibujarImagenAjustada(const QString& ruta, QPaintDevice& destino, int anchoCaja, int altoCaja,
                           int& w, int& h, int& anchoDibujo, int& altoDibujo) {
    UltimoError().clear();
    ImagenFI abierta = AbrirImagenFI(ruta, false, true);
    if (abierta.resultado != AperturaFI::Ok) {
        UltimoError() =
            Texto(QStringLiteral("preview.open_tiff_failed")).arg(Estado(abierta.resultado));
        return false;
    }
    w = int(FreeImage_GetWidth(abierta.bitmap.get()));
    h = int(FreeImage_GetHeight(abierta.bitmap.get()));
    if (w <= 0 || h <= 0) {
        UltimoError() = QStringLiteral("Dimensiones de imagen no validas");
        return false;
    }
    const AjusteImagen ajuste = CalcularAjuste(w, h, anchoCaja, altoCaja);
    anchoDibujo = ajuste.ancho;
    altoDibujo = ajuste.alto;
    const QImage imagen = ImagenDibujable(std::move(abierta.bitmap), ajuste.escala);
    if (imagen.isNull()) {
        UltimoError() = Texto(QStringLiteral("preview.open_tiff_failed")).arg(EstadoErrorGenerico);
        return false;
    }

    QPainter pintor;
    if (!pintor.begin(&destino)) {
        UltimoError() =
            Texto(QStringLiteral("preview.canvas_failed")).arg(int(EstadoErrorGenerico));
        return false;
    }
    pintor.setCompositionMode(QPainter::CompositionMode_Source);
    pintor.fillRect(QRect(0, 0, destino.width(), destino.height()), Qt::black);
    pintor.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // Scaling first gives an area-averaged reduction, far better than sampling while drawing.
    const QImage escalada = imagen.size() == QSize(ajuste.ancho, ajuste.alto)
                                ? imagen
                                : imagen.scaled(ajuste.ancho, ajuste.alto, Qt::IgnoreAspectRatio,
                                                Qt::SmoothTransformation);
    if (escalada.isNull()) {
        UltimoError() =
            Texto(QStringLiteral("preview.draw_tiff_failed")).arg(int(EstadoSinMemoria));
        return false;
    }
    pintor.drawImage(ajuste.rectangulo().topLeft(), escalada);
    return true;
}

bool TieneICCIncrustado(const QString& ruta, bool& tienePerfil) {
    UltimoError().clear();
    tienePerfil = false;
    QByteArray perfil;
    if (!LeerBytesPerfil(ruta, perfil))
        return false;
    tienePerfil = !perfil.isEmpty();
    return true;
}

QString AvisoICCIncrustado(const QString& ruta, bool* tienePerfil) {
    bool tiene = false;
    const bool comprobado = TieneICCIncrustado(ruta, tiene);
    if (tienePerfil)
        *tienePerfil = comprobado && tiene;
    if (!comprobado)
        return QStringLiteral("Aviso: no se pudo comprobar si la imagen ya estaba perfilada: ") +
               UltimoErrorVistaPrevia();
    return tiene ? QStringLiteral("Aviso: la imagen contiene un perfil ICC incrustado.")
                 : QString();
}

bool AvisarICCIncrustado(const QString& ruta, ActivityLog& log) {
    bool tienePerfil = false;
    const QString aviso = AvisoICCIncrustado(ruta, &tienePerfil);
    if (!aviso.isEmpty())
        log.LogMsg(aviso);
    return tienePerfil;
}

bool LeerPerfilIncrustado(const QString& ruta, bool& tienePerfil, QString& descripcion) {
    UltimoError().clear();
    tienePerfil = false;
    descripcion.clear();
    QByteArray perfil;
    if (!LeerBytesPerfil(ruta, perfil))
        return false;
    tienePerfil = !perfil.isEmpty();
    descripcion = DescripcionPerfilICC(perfil);
    return true;
}
