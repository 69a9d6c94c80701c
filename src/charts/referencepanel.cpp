#include "charts/referencepanel.h"

#include "charts/chartpicture.h"
#include "charts/charttables.h"
#include "lang/texto.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"
#include "shell/frmmain.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

ReferencePanel::ReferencePanel(frmMain& main,
                               std::function<void(const QString&)> descartarAjusteManual,
                               const ChartCatalog& catalogo)
    : QObject(&main), main_(main), descartarAjusteManual_(std::move(descartarAjusteManual)),
      catalogo_(catalogo) {
    connect(main_.cboChart, &QComboBox::currentIndexChanged, this, &ReferencePanel::cboChart_Click);
    connect(main_.cboGenericRef, &QComboBox::currentIndexChanged, this,
            &ReferencePanel::cboGenericRef_Click);
    connect(main_.cmdLoadRef, &QPushButton::clicked, this, &ReferencePanel::cmdLoadRef_Click);
    if (main_.mnuFileOpenRef) {
        connect(main_.mnuFileOpenRef, &QAction::triggered, this, &ReferencePanel::cmdLoadRef_Click);
    }
    connect(main_.optFRGenerico, &QRadioButton::clicked, this,
            &ReferencePanel::optFRGenerico_Click);
    connect(main_.optPersoanlizado, &QRadioButton::clicked, this,
            &ReferencePanel::optPersoanlizado_Click);
    main_.picTipoCartaColor->installEventFilter(this);
}

void ReferencePanel::SeleccionarInterno(QComboBox* combo, int index) {
    main_.CambioInterno = true;
    combo->setCurrentIndex(index);
}

void ReferencePanel::cboChart_Click() {
    DibujarImagenCarta();
    if (main_.CambioInterno) {
        return;
    }
    if (descartarAjusteManual_) {
        descartarAjusteManual_(Texto(QStringLiteral("log.chart_changed")));
    }
    AplicarReferenciaDeCarta();
}

void ReferencePanel::cboGenericRef_Click() {
    if (main_.CambioInterno) {
        return;
    }
    main_.CambioInterno = true;
    const int g = main_.cboGenericRef->currentIndex();
    if (g >= 1) {
        const int carta = catalogo_.IndiceCarta(FicheroCartaGenerica(g));
        if (carta >= 0 && carta < main_.cboChart->count()) {
            main_.cboChart->setCurrentIndex(carta);
        }
        main_.optFRGenerico->setChecked(true);
    }
    main_.CambioInterno = false;
    ActualizarPanelReferencia();
    DibujarImagenCarta();
    if (g >= 1) {
        main_.LogMsg(Texto(QStringLiteral("log.generic_ref")) +
                     catalogo_.RutaReferenciaGenerica(g));
    }
}

void ReferencePanel::cmdLoadRef_Click() {
    const QString ruta = AbrirFichero(
        &main_,
        QStringLiteral("CGATS/IT8 (*.txt;*.cie;*.it8;*.ti2;*.ti3)|*.txt;*.cie;*.it8;*.ti2;*.ti3|"
                       "Todos|*.*"),
        Texto(QStringLiteral("msg.open_reference_title")), Carpetas().programFolder);
    if (ruta.isEmpty()) {
        return; // a cancelled dialog keeps the reference in use
    }
    main_.optPersoanlizado->setChecked(true);
    main_.RutaReferenciaPersonalizada = ruta;
    SeleccionarInterno(main_.cboGenericRef, 0);
    main_.CambioInterno = false;
    ActualizarPanelReferencia();
    main_.LogMsg(Texto(QStringLiteral("log.reference")) + ruta);
}

void ReferencePanel::optFRGenerico_Click() {
    if (main_.cboGenericRef->currentIndex() < 1) {
        SeleccionarGenericaDeCarta();
    }
    ActualizarPanelReferencia();
}

void ReferencePanel::optPersoanlizado_Click() {
    ActualizarPanelReferencia();
}

void ReferencePanel::AplicarReferenciaDeCarta() {
    const int carta = main_.cboChart->currentIndex();
    if (carta < 0 || main_.cboGenericRef->count() == 0) {
        return;
    }
    const ReferenciaCarta referencia =
        ReferenciaDeCarta(catalogo_, carta, main_.cboGenericRef->count() - 1);
    main_.CambioInterno = true;
    if (referencia.tipo == ReferenciaCarta::Generica) {
        main_.cboGenericRef->setCurrentIndex(referencia.generica);
        main_.optFRGenerico->setChecked(true);
    } else {
        main_.cboGenericRef->setCurrentIndex(0);
        main_.optPersoanlizado->setChecked(true);
        main_.RutaReferenciaPersonalizada = referencia.ruta;
    }
    main_.CambioInterno = false;
    ActualizarPanelReferencia();
    main_.LogMsg(LineaLogReferenciaDeCarta(referencia));
}

void ReferencePanel::SincronizarGenericaConCarta() {
    const int items = main_.cboGenericRef->count();
    if (items == 0) {
        return;
    }
    const int g = IndiceGenericaPorCarta(catalogo_.FicheroCarta(main_.cboChart->currentIndex()));
    SeleccionarInterno(main_.cboGenericRef, g > 0 && g < items ? g : 0);
    main_.CambioInterno = false;
}

bool ReferencePanel::SeleccionarGenericaDeCarta() {
    const int items = main_.cboGenericRef->count();
    if (items == 0) {
        return false;
    }
    const int g = IndiceGenericaPorCarta(catalogo_.FicheroCarta(main_.cboChart->currentIndex()));
    if (g < 1 || g >= items) {
        return false;
    }
    SeleccionarInterno(main_.cboGenericRef, g);
    main_.optFRGenerico->setChecked(true);
    main_.CambioInterno = false;
    return true;
}

void ReferencePanel::ActualizarPanelReferencia() {
    const bool generico = main_.optFRGenerico->isChecked();
    main_.cboGenericRef->setEnabled(generico);
    main_.cmdLoadRef->setEnabled(!generico);
    if (generico) {
        const QString ruta = catalogo_.RutaReferenciaGenerica(main_.cboGenericRef->currentIndex());
        main_.txtRef->setText(
            ruta.isEmpty() ? Texto(QStringLiteral("placeholder.use_custom_for_chart")) : ruta);
        return;
    }
    main_.txtRef->setText(main_.RutaReferenciaPersonalizada.isEmpty()
                              ? Texto(QStringLiteral("placeholder.select_custom_ref"))
                              : main_.RutaReferenciaPersonalizada);
}

void ReferencePanel::DibujarImagenCarta() {
    QLabel* caja = main_.picTipoCartaColor;
    caja->clear();
    const QImage dibujo = DibujoImagenCarta(
        catalogo_.RutaImagenCarta(main_.cboChart->currentIndex()), caja->contentsRect().size(),
        caja->palette().color(caja->backgroundRole()));
    if (!dibujo.isNull()) {
        caja->setPixmap(QPixmap::fromImage(dibujo));
    }
}

bool ReferencePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == main_.picTipoCartaColor && event->type() == QEvent::Resize) {
        DibujarImagenCarta();
    }
    return QObject::eventFilter(watched, event);
}
