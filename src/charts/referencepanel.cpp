#include "charts/referencepanel.h"

#include "charts/chartpicture.h"
#include "lang/texto.h"
#include "shell/activitylog.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

ReferencePanel::ReferencePanel(QWidget& window, const Controles& controles, ActivityLog& log,
                               const ChartCatalog& catalogo)
    : QObject(&window), window_(window), c_(controles), log_(log), reglas_(catalogo),
      catalogo_(catalogo) {
    connect(c_.cboChart, &QComboBox::currentIndexChanged, this, &ReferencePanel::cboChart_Click);
    connect(c_.cboGenericRef, &QComboBox::currentIndexChanged, this,
            &ReferencePanel::cboGenericRef_Click);
    connect(c_.cmdLoadRef, &QPushButton::clicked, this, &ReferencePanel::cmdLoadRef_Click);
    connect(c_.mnuFileOpenRef, &QAction::triggered, this, &ReferencePanel::cmdLoadRef_Click);
    connect(c_.optFRGenerico, &QRadioButton::clicked, this, &ReferencePanel::optFRGenerico_Click);
    connect(c_.optPersoanlizado, &QRadioButton::clicked, this,
            &ReferencePanel::ActualizarPanelReferencia);
    c_.picTipoCartaColor->installEventFilter(this);
}

EstadoReferencia ReferencePanel::Estado() const {
    EstadoReferencia e;
    e.carta = c_.cboChart->currentIndex();
    e.numCartas = c_.cboChart->count();
    e.generica = c_.cboGenericRef->currentIndex();
    e.numGenericas = c_.cboGenericRef->count();
    if (c_.optFRGenerico->isChecked())
        e.modo = EstadoReferencia::Generico;
    else if (c_.optPersoanlizado->isChecked())
        e.modo = EstadoReferencia::Personalizado;
    e.personalizada = personalizada_;
    return e;
}

void ReferencePanel::Mostrar(const EstadoReferencia& e) {
    const bool otraCarta = e.carta != c_.cboChart->currentIndex();
    {
        const QSignalBlocker carta(c_.cboChart);
        const QSignalBlocker generica(c_.cboGenericRef);
        c_.cboChart->setCurrentIndex(e.carta);
        c_.cboGenericRef->setCurrentIndex(e.generica);
    }
    if (e.modo == EstadoReferencia::Generico)
        c_.optFRGenerico->setChecked(true);
    else if (e.modo == EstadoReferencia::Personalizado)
        c_.optPersoanlizado->setChecked(true);
    personalizada_ = e.personalizada;
    ActualizarPanelReferencia();
    if (otraCarta)
        DibujarImagenCarta();
}

void ReferencePanel::Cambiar(const std::function<QString(EstadoReferencia&)>& paso) {
    EstadoReferencia e = Estado();
    const QString linea = paso(e);
    Mostrar(e);
    if (!linea.isEmpty())
        log_.LogMsg(linea);
}

void ReferencePanel::cboChart_Click() {
    DibujarImagenCarta();
    emit cartaCambiada();
    Cambiar([this](EstadoReferencia& e) { return reglas_.AplicarReferenciaDeCarta(e); });
}

void ReferencePanel::cboGenericRef_Click() {
    Cambiar([this](EstadoReferencia& e) { return reglas_.ElegirGenerica(e); });
}

void ReferencePanel::cmdLoadRef_Click() {
    const QString ruta = AbrirFichero(
        &window_,
        QStringLiteral("CGATS/IT8 (*.txt;*.cie;*.it8;*.ti2;*.ti3)|*.txt;*.cie;*.it8;*.ti2;*.ti3|"
                       "Todos|*.*"),
        Texto(QStringLiteral("msg.open_reference_title")), Carpetas().programFolder);
    if (ruta.isEmpty())
        return; // a cancelled dialog keeps the reference in use
    Cambiar([this, &ruta](EstadoReferencia& e) { return reglas_.ElegirPersonalizada(e, ruta); });
}

void ReferencePanel::optFRGenerico_Click() {
    Cambiar([this](EstadoReferencia& e) {
        reglas_.ElegirModoGenerico(e);
        return QString();
    });
}

void ReferencePanel::SincronizarGenericaConCarta() {
    Cambiar([this](EstadoReferencia& e) {
        reglas_.SincronizarGenericaConCarta(e);
        return QString();
    });
}

void ReferencePanel::ActualizarPanelReferencia() {
    const EstadoReferencia e = Estado();
    const bool generico = e.modo == EstadoReferencia::Generico;
    c_.cboGenericRef->setEnabled(generico);
    c_.cmdLoadRef->setEnabled(!generico);
    c_.txtRef->setText(reglas_.TextoReferencia(e));
}

void ReferencePanel::DibujarImagenCarta() {
    QLabel* caja = c_.picTipoCartaColor;
    caja->clear();
    const QImage dibujo = DibujoImagenCarta(catalogo_.RutaImagenCarta(c_.cboChart->currentIndex()),
                                            caja->contentsRect().size(),
                                            caja->palette().color(caja->backgroundRole()));
    if (!dibujo.isNull())
        caja->setPixmap(QPixmap::fromImage(dibujo));
}

bool ReferencePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == c_.picTipoCartaColor && event->type() == QEvent::Resize)
        DibujarImagenCarta();
    return QObject::eventFilter(watched, event);
}
