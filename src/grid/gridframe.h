#pragma once

#include <QPoint>
#include <QPointF>
#include <QString>
#include <Qt>

#include <array>
#include <optional>

// The four fiducial corners the user drags onto a chart image, and the mapping between the
// image and the picture box it is drawn fitted into. Points are in image pixels (origin at the
// top-left pixel, y downwards) in the order scanin takes its fiducials: 0 top-left,
// 1 top-right, 2 bottom-right, 3 bottom-left. Handles 0..3 are the corners, 4..7 the middles
// of the top, right, bottom and left sides.
class MarcoAjuste {
public:
    static constexpr int kNumTiradores = 8;
    // Half the side of the square around a handle that grabs it.
    static constexpr int kRadioAgarre = 18;

    // Size of the image file and of the image as drawn; position of the drawn image.
    int AnchoImagen = 0;
    int AltoImagen = 0;
    int AnchoDibujo = 0;
    int AltoDibujo = 0;
    int MargenX = 0;
    int MargenY = 0;
    std::array<double, 4> PuntosX{};
    std::array<double, 4> PuntosY{};
    // -1 while nothing is dragged, else the handle being dragged.
    int TiradorActivo = -1;

    bool TieneTamano() const { return AnchoImagen > 0 && AltoImagen > 0; }
    // Takes the sizes a fitted drawing reported and centres it in the area (integer halves).
    void AsignarDibujo(int anchoImagen, int altoImagen, int anchoDibujo, int altoDibujo,
                       int anchoArea, int altoArea);
    // Corners at 5 % and 95 % of the image on both axes; nothing while the size is unknown.
    void ReiniciarPuntos();

    // Image to picture box: scaled and rounded half to even, then shifted by the margin.
    QPoint ImagenAPantalla(double x, double y) const;
    // Picture box to image, unrounded.
    QPointF PantallaAImagen(int x, int y) const;
    // Screen position of a handle: a corner, or the middle of its side (halves truncated).
    QPoint PosicionTirador(int tirador) const;
    // The first handle whose grab square holds the position, so corners win over sides; -1.
    int TiradorEn(int x, int y) const;
    static bool EsLadoVertical(int tirador);
    static QString EtiquetaTirador(int tirador);

    // Moves a corner to the image point, kept inside the image.
    void MoverEsquina(int tirador, double x, double y);
    // Moves a whole side along its axis to the image point's coordinate, kept inside the image.
    void MoverLado(int tirador, double x, double y);
    void LimitarAImagen(double& x, double& y) const;

    // Mouse handling on the picture box; positions in picture-box pixels.
    // A press of the left button grabs the handle under it.
    void Pulsar(Qt::MouseButton boton, int x, int y);
    // What a mouse move asks of the window.
    struct Movimiento {
        bool redibujar = false;                 // a point moved
        std::optional<Qt::CursorShape> puntero; // the pointer to show, when it changes
    };
    Movimiento Mover(int x, int y);
    // Any button released: the drag ends.
    void Soltar() { TiradorActivo = -1; }

    // The pointer shown over a handle when nothing is dragged.
    static Qt::CursorShape PunteroTirador(int tirador);
};

// Mouse positions as whole picture-box pixels (halves to even).
QPoint PixelRaton(const QPointF& position);
