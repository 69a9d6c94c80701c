#include "grid/frmgridadjust.h"

#include "profile/fiducialmapping.h"

#include "grid/cajaimagen.h"
#include "grid/gridcontroller.h"
#include "grid/gridoverlay.h"
#include "lang/controlproperty.h"
#include "lang/texto.h"
#include "lang/windowplacement.h"
#include "shell/activitylog.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"
#include "shell/workfolderquestion.h"
#include "shell/workfolders.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

frmGridAdjust::frmGridAdjust(GridController& owner, QWidget* parent)
    : QWidget(parent, Qt::Window), owner_(owner), trabajo_(owner.Registro()) {
    setObjectName(QStringLiteral("frmGridAdjust"));
    setAttribute(Qt::WA_DeleteOnClose);
    CrearControles();
    AplicarTextosGridAdjust();
    resize(TamanoEnPantalla(QSize(1000, 760), screen()->availableGeometry().size()));
}

frmGridAdjust::~frmGridAdjust() = default;

void frmGridAdjust::CrearControles() {
    picAdjust = new CajaImagen(this);
    picAdjust->setObjectName(QStringLiteral("picAdjust"));
    txtInfo = new QPlainTextEdit(this);
    txtInfo->setObjectName(QStringLiteral("txtInfo"));
    txtInfo->setReadOnly(true);
    txtInfo->setFixedHeight(72);
    auto boton = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    cmdAuto = boton("cmdAuto");
    cmdRun = boton("cmdRun");
    cmdReset = boton("cmdReset");
    cmdClose = boton("cmdClose");

    auto* botones = new QVBoxLayout;
    for (QPushButton* b : {cmdAuto, cmdRun, cmdReset, cmdClose})
        botones->addWidget(b);
    auto* tira = new QHBoxLayout;
    tira->addWidget(txtInfo, 1);
    tira->addLayout(botones);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(picAdjust, 1);
    layout->addLayout(tira);

    connect(cmdReset, &QPushButton::clicked, this, [this] {
        ReiniciarPuntos();
        Redibujar();
    });
    connect(cmdAuto, &QPushButton::clicked, this, &frmGridAdjust::ReconocimientoAutomatico);
    connect(cmdRun, &QPushButton::clicked, this, &frmGridAdjust::ReconocimientoConAjuste);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(picAdjust, &CajaImagen::Pulsado, this, &frmGridAdjust::picAdjust_MouseDown);
    connect(picAdjust, &CajaImagen::Movido, this, &frmGridAdjust::picAdjust_MouseMove);
    connect(picAdjust, &CajaImagen::Soltado, this, &frmGridAdjust::picAdjust_MouseUp);
    connect(picAdjust, &CajaImagen::TamanoCambiado, this, &frmGridAdjust::picAdjust_Resize);
}

void frmGridAdjust::AplicarTextosGridAdjust() {
    AsignarPropiedad(this, objectName(), QStringLiteral("Caption"),
                     Texto(QStringLiteral("gridadjust.title")));
    const std::pair<const char*, const char*> captions[] = {{"cmdAuto", "gridadjust.auto"},
                                                            {"cmdRun", "gridadjust.manual"},
                                                            {"cmdReset", "gridadjust.reset"},
                                                            {"cmdClose", "common.close"}};
    for (const auto& [control, key] : captions)
        AsignarPropiedad(this, QString::fromLatin1(control), QStringLiteral("Caption"),
                         Texto(QString::fromLatin1(key)));
}

void frmGridAdjust::Configurar(const ParametrosAjuste& p) {
    p_ = p;
    marco_ = MarcoAjuste();
    show();
    raise();
    activateWindow();
    ReiniciarPuntos();
    Redibujar();
}

void frmGridAdjust::ReiniciarPuntos() {
    if (!marco_.TieneTamano()) {
        const FittedImageCache::Dibujo& d = cache_.Dibujar(p_.ImagenAjuste, picAdjust->size());
        if (d.ok)
            marco_.AsignarDibujo(d.anchoImagen, d.altoImagen, d.anchoDibujo, d.altoDibujo,
                                 d.imagen.width(), d.imagen.height());
    }
    marco_.ReiniciarPuntos();
    // On a photograph the chart is seldom where the default corners are: start on it.
    if (const auto esquinas = EsquinasDeCartaEncontrada(p_.ImagenAjuste, p_.ChtAjuste)) {
        for (std::size_t i = 0; i < 4; ++i)
            marco_.MoverEsquina(int(i), (*esquinas)[i].x(), (*esquinas)[i].y());
    }
}

void frmGridAdjust::Redibujar() {
    if (p_.ImagenAjuste.isEmpty())
        return;
    const FittedImageCache::Dibujo& d = cache_.Dibujar(p_.ImagenAjuste, picAdjust->size());
    if (!d.ok) {
        picAdjust->MostrarImagen(d.imagen);
        MostrarInfo(Texto(QStringLiteral("msg.grid_open_image_error")) + d.error);
        return;
    }
    marco_.AsignarDibujo(d.anchoImagen, d.altoImagen, d.anchoDibujo, d.altoDibujo, d.imagen.width(),
                         d.imagen.height());
    QImage picture = d.imagen.copy();
    QPainter painter(&picture);
    DibujarMarco(painter, marco_);
    if (marco_.TiradorActivo >= 0 && lupa_.hayImagen())
        DibujarLupa(painter, lupa_.completa(), PuntoActivo(),
                    marco_.PosicionTirador(marco_.TiradorActivo), picture.size());
    painter.end();
    picAdjust->MostrarImagen(picture);
    MostrarInfo(Texto(QStringLiteral("msg.grid_drag_points")));
}

void frmGridAdjust::MostrarInfo(const QString& text) {
    // Set only on a change: the drag text would otherwise be laid out again on every move.
    if (txtInfo->toPlainText() != text)
        txtInfo->setPlainText(text);
}

void frmGridAdjust::picAdjust_MouseDown(Qt::MouseButton button, const QPointF& pos) {
    const QPoint p = PixelRaton(pos);
    marco_.Pulsar(button, p.x(), p.y());
    if (marco_.TiradorActivo < 0)
        return;
    if (rutaLupa_ != p_.ImagenAjuste && lupa_.cargar(p_.ImagenAjuste))
        rutaLupa_ = p_.ImagenAjuste;
    Redibujar();
}

QPointF frmGridAdjust::PuntoActivo() const {
    const int t = marco_.TiradorActivo;
    if (t < 4) // a corner: its exact place
        return QPointF(marco_.PuntosX[std::size_t(t)], marco_.PuntosY[std::size_t(t)]);
    const QPoint p = marco_.PosicionTirador(t);
    return marco_.PantallaAImagen(p.x(), p.y());
}

void frmGridAdjust::picAdjust_MouseMove(const QPointF& pos) {
    const QPoint p = PixelRaton(pos);
    const MarcoAjuste::Movimiento m = marco_.Mover(p.x(), p.y());
    if (m.puntero) {
        if (*m.puntero == Qt::ArrowCursor)
            picAdjust->unsetCursor();
        else
            picAdjust->setCursor(*m.puntero);
    }
    if (m.redibujar)
        Redibujar();
}

void frmGridAdjust::picAdjust_MouseUp() {
    marco_.Soltar();
    picAdjust->unsetCursor();
    Redibujar();
}

void frmGridAdjust::picAdjust_Resize() {
    if (!isMinimized())
        Redibujar();
}

void frmGridAdjust::ReconocimientoAutomatico() {
    Reconocer(ModoReconocimiento::Automatico);
}

void frmGridAdjust::ReconocimientoConAjuste() {
    Reconocer(ModoReconocimiento::Manual);
}

void frmGridAdjust::Reconocer(ModoReconocimiento modo) {
    // The run keeps what it started with, even if the window is configured again meanwhile.
    const ParametrosAjuste p = p_;
    const bool manual = modo == ModoReconocimiento::Manual;
    const QString fiduciales = manual ? ListaFiduciales(marco_.PuntosX, marco_.PuntosY) : QString();
    const QString scanin = Carpetas().toolPath(QStringLiteral("scanin"));
    const QString tmp = Carpetas().tmpFolder;
    const bool iniciado = trabajo_.Iniciar(
        [=](ActivityLog& log, const CancelToken* cancel) {
            return EjecutarReconocimiento(scanin, tmp, p, modo, fiduciales, log, cancel);
        },
        [this, p, modo](const ResultadoReconocimiento& r) { Terminar(p, modo, r); });
    if (!iniciado)
        return;
    HabilitarControles(false);
    MostrarInfo(TextoReconocimiento(modo, "running"));
}

void frmGridAdjust::Terminar(const ParametrosAjuste& p, ModoReconocimiento modo,
                             const ResultadoReconocimiento& r) {
    HabilitarControles(true);
    if (!r.correcto) {
        MostrarInfo(r.mensaje);
    } else {
        if (modo == ModoReconocimiento::Manual)
            owner_.RegistrarAjusteCuadriculaManual(p.NombreChtAjuste, r.fiduciales, p.ImagenOrigen);
        else
            owner_.RegistrarReconocimientoCuadriculaAutomatico(p.NombreChtAjuste);
        owner_.MostrarComprobacion(r.diagnostico, p.NombreChtAjuste, r.salida);
        MostrarInfo(TextoReconocimiento(modo, "done"));
        owner_.Registro().LogMsg(LineaDiagnosticoAbierto(modo, r.diagnostico));
    }
    if (cerrarAlTerminar_)
        close();
}

void frmGridAdjust::HabilitarControles(bool habilitar) {
    // The corners are a run's input too.
    for (QWidget* w : std::initializer_list<QWidget*>{cmdAuto, cmdRun, cmdReset, picAdjust})
        w->setEnabled(habilitar);
}

void frmGridAdjust::closeEvent(QCloseEvent* event) {
    if (trabajo_.Ejecutando()) {
        // Stop the tool and close once the run has ended.
        event->ignore();
        if (!cerrarAlTerminar_ && PreguntarDetenerHerramienta(this, windowTitle())) {
            cerrarAlTerminar_ = true;
            trabajo_.Cancelar();
        }
        return;
    }
    Descargar();
    event->accept();
}

void frmGridAdjust::Descargar() {
    const AppFolders& folders = Carpetas();
    for (const ModoReconocimiento modo :
         {ModoReconocimiento::Automatico, ModoReconocimiento::Manual})
        BorrarFicheroSiHay(RutaTmp(folders.tmpFolder, NombreCopiaDiagnostico(modo)));
    const QString carpeta = p_.CarpetaTrabajoAjuste;
    if (carpeta.isEmpty())
        return;
    if (!PreguntarBorrarCarpeta(this, carpeta))
        return;
    BorrarCarpetaTrabajo(carpeta, owner_.Registro());
    if (!QFileInfo::exists(carpeta))
        p_.CarpetaTrabajoAjuste.clear();
}
