#include "profile/frmscanindiag.h"

#include "charts/chartcatalog.h"
#include "charts/chartcombos.h"
#include "charts/charttables.h"
#include "lang/controlproperty.h"
#include "lang/placeholders.h"
#include "lang/texto.h"
#include "profile/profileoptions.h"
#include "profile/scanindiagrun.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"
#include "shell/paths.h"
#include "shell/workfolderquestion.h"
#include "shell/workfolders.h"
#include "verify/cajalog.h"
#include "verify/controlnombrado.h"
#include "verify/toolcommand.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

frmScaninDiag::frmScaninDiag(QWidget* owner) : VentanaHerramienta(owner) {
    CrearControles();
    lblImage->setText(Texto(QStringLiteral("placeholder.no_image")));
    lblRef->setText(Texto(QStringLiteral("placeholder.ref_or_generic")));
    AplicarTextosScaninDiag();
}

void frmScaninDiag::CrearControles() {
    fraInput = CrearControl<QGroupBox>(this, "fraInput");
    cmdImage = CrearControl<QPushButton>(fraInput, "cmdImage");
    lblImage = CrearControl<QLabel>(fraInput, "lblImage");
    lblChart = CrearControl<QLabel>(fraInput, "lblChart");
    cboChart = CrearControl<QComboBox>(fraInput, "cboChart");
    lblGenericRef = CrearControl<QLabel>(fraInput, "lblGenericRef");
    cboGenericRef = CrearControl<QComboBox>(fraInput, "cboGenericRef");
    cmdRef = CrearControl<QPushButton>(fraInput, "cmdRef");
    lblRef = CrearControl<QLabel>(fraInput, "lblRef");
    auto* input = new QGridLayout(fraInput);
    input->addWidget(cmdImage, 0, 0);
    input->addWidget(lblImage, 0, 1, 1, 2);
    input->addWidget(lblChart, 1, 0);
    input->addWidget(cboChart, 1, 1);
    input->addWidget(lblGenericRef, 2, 0);
    input->addWidget(cboGenericRef, 2, 1);
    input->addWidget(cmdRef, 3, 0);
    input->addWidget(lblRef, 3, 1, 1, 2);
    input->setColumnStretch(2, 1);

    fraOptions = CrearControl<QGroupBox>(this, "fraOptions");
    chkPerspective = CrearControl<QCheckBox>(fraOptions, "chkPerspective");
    chkOrientation = CrearControl<QCheckBox>(fraOptions, "chkOrientation");
    chkMean = CrearControl<QCheckBox>(fraOptions, "chkMean");
    lblGamma = CrearControl<QLabel>(fraOptions, "lblGamma");
    cboGamma = CrearControl<QComboBox>(fraOptions, "cboGamma");
    lblDiagFlags = CrearControl<QLabel>(fraOptions, "lblDiagFlags");
    txtDiagFlags = CrearControl<QLineEdit>(fraOptions, "txtDiagFlags");
    lblCorners = CrearControl<QLabel>(fraOptions, "lblCorners");
    txtCorners = CrearControl<QLineEdit>(fraOptions, "txtCorners");
    lblCornersHint = CrearControl<QLabel>(fraOptions, "lblCornersHint");
    auto* options = new QGridLayout(fraOptions);
    options->addWidget(chkPerspective, 0, 0);
    options->addWidget(chkOrientation, 0, 1);
    options->addWidget(chkMean, 0, 2);
    options->addWidget(lblGamma, 1, 0);
    options->addWidget(cboGamma, 1, 1);
    options->addWidget(lblDiagFlags, 2, 0);
    options->addWidget(txtDiagFlags, 2, 1);
    options->addWidget(lblCorners, 3, 0);
    options->addWidget(txtCorners, 3, 1, 1, 2);
    options->addWidget(lblCornersHint, 4, 1, 1, 2);
    options->setColumnStretch(2, 1);

    fraOutput = CrearControl<QGroupBox>(this, "fraOutput");
    txtSaveTi3 = CrearControl<QLineEdit>(fraOutput, "txtSaveTi3");
    cmdSaveTi3 = CrearControl<QPushButton>(fraOutput, "cmdSaveTi3");
    auto* output = new QHBoxLayout(fraOutput);
    output->addWidget(txtSaveTi3, 1);
    output->addWidget(cmdSaveTi3);

    cmdRun = CrearControl<QPushButton>(this, "cmdRun");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdRun);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    txtLog->setMinimumSize(720, 220);

    auto* main = new QVBoxLayout(this);
    main->addWidget(fraInput);
    main->addWidget(fraOptions);
    main->addWidget(fraOutput);
    main->addLayout(buttons);
    main->addWidget(txtLog, 1);

    connect(cboChart, &QComboBox::currentIndexChanged, this, &frmScaninDiag::cboChart_Click);
    connect(cboGenericRef, &QComboBox::currentIndexChanged, this,
            &frmScaninDiag::cboGenericRef_Click);
    connect(cmdImage, &QPushButton::clicked, this, &frmScaninDiag::cmdImage_Click);
    connect(cmdRef, &QPushButton::clicked, this, &frmScaninDiag::cmdRef_Click);
    connect(cmdSaveTi3, &QPushButton::clicked, this, &frmScaninDiag::cmdSaveTi3_Click);
    connect(cmdRun, &QPushButton::clicked, this, &frmScaninDiag::cmdRun_Click);
}

void frmScaninDiag::MostrarConDatos(QWidget* owner, const QString& imagen,
                                    const QString& referenciaPropia, int indiceCarta,
                                    int indiceGenerica, bool perspectiva, double gamma) {
    frmScaninDiag window(owner);
    window.SetupDefaults(imagen, referenciaPropia, indiceCarta, indiceGenerica, perspectiva, gamma);
    window.exec();
}

void frmScaninDiag::RellenarListas() {
    RellenarComboCartas(cboChart);
    RellenarComboGenericas(cboGenericRef);
    cboGamma->clear();
    cboGamma->addItems(ListaGammas());
    if (cboChart->count() > 0)
        cboChart->setCurrentIndex(0);
    if (cboGenericRef->count() > 0)
        cboGenericRef->setCurrentIndex(0);
}

void frmScaninDiag::SetupDefaults(const QString& imagen, const QString& referenciaPropia,
                                  int indiceCarta, int indiceGenerica, bool perspectiva,
                                  double gamma) {
    if (cboChart->count() == 0)
        RellenarListas();
    if (indiceCarta >= 0 && indiceCarta < cboChart->count())
        cboChart->setCurrentIndex(indiceCarta);
    if (!referenciaPropia.isEmpty()) {
        referenciaDiag_ = referenciaPropia;
        if (cboGenericRef->count() > 0)
            cboGenericRef->setCurrentIndex(0);
    } else {
        referenciaDiag_.clear();
        if (indiceGenerica > 0 && indiceGenerica < cboGenericRef->count()) {
            cboGenericRef->setCurrentIndex(indiceGenerica);
        } else {
            const int g = IndiceGenericaPorCarta(Catalogo().FicheroCarta(cboChart->currentIndex()));
            if (g >= 0 && g < cboGenericRef->count())
                cboGenericRef->setCurrentIndex(g);
        }
    }
    imagenDiag_ = imagen;
    if (!imagen.isEmpty())
        ElegirImagen(imagen);
    else
        lblImage->setText(Texto(QStringLiteral("placeholder.no_image")));
    chkPerspective->setChecked(perspectiva);
    cboGamma->setCurrentIndex(IndiceGammaScaninDiag(gamma));
    ActualizarEtiquetaReferencia();
}

void frmScaninDiag::AplicarTextosScaninDiag() {
    setWindowTitle(Texto(QStringLiteral("scanin.title")));
    const QList<QPair<const char*, const char*>> captions{
        {"fraInput", "common.input"},
        {"cmdImage", "scanin.image"},
        {"cmdRef", "scanin.reference"},
        {"lblChart", "scanin.chart_type"},
        {"lblGenericRef", "scanin.generic_ref"},
        {"fraOptions", "scanin.options"},
        {"chkPerspective", "scanin.perspective"},
        {"chkOrientation", "scanin.orientation"},
        {"chkMean", "scanin.mean"},
        {"lblGamma", "scanin.gamma"},
        {"lblDiagFlags", "scanin.diag"},
        {"lblCorners", "scanin.corners"},
        {"lblCornersHint", "scanin.corners_hint"},
        {"fraOutput", "common.output"},
        {"cmdSaveTi3", "scanin.save_ti3"},
        {"cmdRun", "scanin.run"},
        {"cmdClose", "common.close"},
    };
    for (const auto& [name, key] : captions)
        AsignarPropiedad(this, QLatin1String(name), QStringLiteral("Caption"),
                         Texto(QLatin1String(key)));
    UpdatePlaceholderLabel(this, QStringLiteral("lblImage"), QStringLiteral("placeholder.no_image"),
                           true);
    UpdatePlaceholderLabel(this, QStringLiteral("lblRef"),
                           QStringLiteral("placeholder.ref_or_generic"), true);
}

void frmScaninDiag::ActualizarEtiquetaReferencia() {
    const int g = cboGenericRef->currentIndex();
    if (!referenciaDiag_.isEmpty())
        lblRef->setText(referenciaDiag_);
    else if (g >= 1)
        lblRef->setText(Catalogo().RutaReferenciaGenerica(g));
    else
        lblRef->setText(Texto(QStringLiteral("placeholder.ref_or_generic")));
}

void frmScaninDiag::ElegirImagen(const QString& path) {
    imagenDiag_ = path;
    lblImage->setText(path);
    txtSaveTi3->setText(QuitarExtension(path) + QStringLiteral(".ti3"));
}

void frmScaninDiag::cboChart_Click() {
    const int g = IndiceGenericaPorCarta(Catalogo().FicheroCarta(cboChart->currentIndex()));
    if (g >= 0 && g < cboGenericRef->count())
        cboGenericRef->setCurrentIndex(g);
    ActualizarEtiquetaReferencia();
}

void frmScaninDiag::cboGenericRef_Click() {
    const int g = cboGenericRef->currentIndex();
    if (g >= 1) {
        const int chart = Catalogo().IndiceCarta(FicheroCartaGenerica(g));
        // The chart follows the generic reference, not the other way round.
        const QSignalBlocker silencio(cboChart);
        if (chart >= 0 && chart < cboChart->count())
            cboChart->setCurrentIndex(chart);
        referenciaDiag_.clear();
    }
    ActualizarEtiquetaReferencia();
}

void frmScaninDiag::cmdImage_Click() {
    const QString path = AbrirFichero(
        this,
        QStringLiteral("Imágenes (*.tif;*.tiff;*.png;*.jpg)|*.tif;*.tiff;*.png;*.jpg|Todos|*.*"),
        Texto(QStringLiteral("main.target_image.frame")), Carpetas().programFolder);
    if (!path.isEmpty())
        ElegirImagen(path);
}

void frmScaninDiag::cmdRef_Click() {
    const QString path =
        AbrirFichero(this,
                     QStringLiteral("CGATS/IT8 (*.txt;*.cie;*.it8;*.ti2;*.ti3)|"
                                    "*.txt;*.cie;*.it8;*.ti2;*.ti3|Todos|*.*"),
                     Texto(QStringLiteral("main.reference.frame")), Carpetas().programFolder);
    if (path.isEmpty())
        return;
    referenciaDiag_ = path;
    cboGenericRef->setCurrentIndex(0);
    lblRef->setText(path);
}

void frmScaninDiag::cmdSaveTi3_Click() {
    const QString path = GuardarFichero(
        this, QStringLiteral("CGATS TI3 (*.ti3)|*.ti3|Todos|*.*"),
        Texto(QStringLiteral("scanin.save_ti3")),
        CarpetaDeFichero(txtSaveTi3->text(), Carpetas().programFolder), QStringLiteral("ti3"));
    if (!path.isEmpty())
        txtSaveTi3->setText(path);
}

void frmScaninDiag::cmdRun_Click() {
    if (txtSaveTi3->text().isEmpty() && !imagenDiag_.isEmpty())
        ElegirImagen(imagenDiag_);
    if (txtSaveTi3->text().isEmpty()) {
        MsgBox(this, Texto(QStringLiteral("msg.scanin_save_ti3_where")), Msg::Exclamation,
               windowTitle());
        return;
    }
    EntradaScaninDiag in;
    in.imagen = imagenDiag_;
    in.carta = Catalogo().RutaCarta(cboChart->currentIndex());
    in.referenciaPropia = referenciaDiag_;
    if (cboGenericRef->currentIndex() >= 1)
        in.referenciaGenerica = Catalogo().RutaReferenciaGenerica(cboGenericRef->currentIndex());
    in.destinoTi3 = txtSaveTi3->text();
    in.carpetaTmp = Carpetas().tmpFolder;
    in.opciones.gamma = cboGamma->currentText();
    in.opciones.perspectiva = chkPerspective->isChecked();
    in.opciones.orientacion = chkOrientation->isChecked();
    in.opciones.media = chkMean->isChecked();
    in.opciones.banderas = txtDiagFlags->text();
    in.opciones.esquinas = txtCorners->text();
    Ejecutar(
        {cmdRun, fraInput, fraOptions, fraOutput},
        [in](ActivityLog& log, const CancelToken* cancel) {
            return EjecutarScaninDiag(in, log, cancel);
        },
        [this](const ResultadoScaninDiag& r) {
            if (!r.exito)
                return;
            if (PreguntarBorrarCarpeta(this, r.carpetaTrabajo))
                BorrarCarpetaTrabajo(r.carpetaTrabajo, *txtLog);
            else
                txtLog->LogMsg(Texto(QStringLiteral("log.work_folder_kept")) + r.carpetaTrabajo);
        });
}
