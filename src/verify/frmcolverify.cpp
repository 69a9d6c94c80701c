#include "verify/frmcolverify.h"

#include "lang/controlproperty.h"
#include "lang/optionlist.h"
#include "lang/placeholders.h"
#include "lang/texto.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"
#include "verify/cajalog.h"
#include "verify/colverifyrun.h"
#include "verify/controlnombrado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList kNormalizar{"colverify.norm.none", "colverify.norm.y", "colverify.norm.xyz",
                              "colverify.norm.xyzsum", "colverify.norm.meanxyz"};
const QStringList kX3dom{"colverify.x3dom.none", "colverify.x3dom.pcs_vectors",
                         "colverify.x3dom.pcs_markers", "colverify.x3dom.device_markers"};

} // namespace

frmColVerify::frmColVerify(QWidget* owner) : VentanaHerramienta(owner) {
    CrearControles();
    AplicarTextosColVerify();
}

void frmColVerify::CrearControles() {
    fraInput = CrearControl<QGroupBox>(this, "fraInput");
    cmdTarget = CrearControl<QPushButton>(fraInput, "cmdTarget");
    cmdMeasured = CrearControl<QPushButton>(fraInput, "cmdMeasured");
    lblTarget = CrearControl<QLabel>(fraInput, "lblTarget");
    lblMeasured = CrearControl<QLabel>(fraInput, "lblMeasured");
    // Designer captions: the placeholders, which the text application then keeps current.
    lblTarget->setText(Texto(QStringLiteral("placeholder.no_ref_ti3")));
    lblMeasured->setText(Texto(QStringLiteral("placeholder.no_measured_ti3")));
    auto* input = new QGridLayout(fraInput);
    input->addWidget(cmdTarget, 0, 0);
    input->addWidget(lblTarget, 0, 1);
    input->addWidget(cmdMeasured, 1, 0);
    input->addWidget(lblMeasured, 1, 1);
    input->setColumnStretch(1, 1);

    fraOptions = CrearControl<QGroupBox>(this, "fraOptions");
    chkEach = CrearControl<QCheckBox>(fraOptions, "chkEach");
    chkMatchLocation = CrearControl<QCheckBox>(fraOptions, "chkMatchLocation");
    chkDE2000 = CrearControl<QCheckBox>(fraOptions, "chkDE2000");
    chkHistogram = CrearControl<QCheckBox>(fraOptions, "chkHistogram");
    chkSort = CrearControl<QCheckBox>(fraOptions, "chkSort");
    chkD50White = CrearControl<QCheckBox>(fraOptions, "chkD50White");
    lblNormalize = CrearControl<QLabel>(fraOptions, "lblNormalize");
    cboNormalize = CrearControl<QComboBox>(fraOptions, "cboNormalize");
    lblX3DOM = CrearControl<QLabel>(fraOptions, "lblX3DOM");
    cboX3DOM = CrearControl<QComboBox>(fraOptions, "cboX3DOM");
    chkAxes = CrearControl<QCheckBox>(fraOptions, "chkAxes");
    auto* options = new QGridLayout(fraOptions);
    options->addWidget(chkEach, 0, 0);
    options->addWidget(chkMatchLocation, 0, 1);
    options->addWidget(chkDE2000, 1, 0);
    options->addWidget(chkHistogram, 1, 1);
    options->addWidget(chkSort, 2, 0);
    options->addWidget(chkD50White, 2, 1);
    options->addWidget(lblNormalize, 3, 0);
    options->addWidget(cboNormalize, 3, 1);
    options->addWidget(lblX3DOM, 4, 0);
    options->addWidget(cboX3DOM, 4, 1);
    options->addWidget(chkAxes, 5, 0);
    options->setColumnStretch(2, 1);

    cmdRun = CrearControl<QPushButton>(this, "cmdRun");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdRun);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    txtLog->setMinimumSize(720, 260);

    auto* main = new QVBoxLayout(this);
    main->addWidget(fraInput);
    main->addWidget(fraOptions);
    main->addLayout(buttons);
    main->addWidget(txtLog, 1);

    connect(cmdTarget, &QPushButton::clicked, this, &frmColVerify::cmdTarget_Click);
    connect(cmdMeasured, &QPushButton::clicked, this, &frmColVerify::cmdMeasured_Click);
    connect(cmdRun, &QPushButton::clicked, this, &frmColVerify::cmdRun_Click);
}

void frmColVerify::Mostrar(QWidget* owner) {
    frmColVerify window(owner);
    window.exec();
}

void frmColVerify::AplicarTextosColVerify() {
    setWindowTitle(Texto(QStringLiteral("colverify.title")));
    const QList<QPair<const char*, QString>> captions{
        {"fraInput", Texto(QStringLiteral("common.input"))},
        {"cmdTarget", Texto(QStringLiteral("colverify.ref_ti3"))},
        {"cmdMeasured", Texto(QStringLiteral("colverify.measured_ti3"))},
        {"chkMatchLocation", Texto(QStringLiteral("colverify.match_location"))},
        {"fraOptions", Texto(QStringLiteral("colverify.options"))},
        {"chkDE2000", Texto(QStringLiteral("colverify.dE2000"))},
        {"chkEach", Texto(QStringLiteral("colverify.each"))},
        {"chkHistogram", Texto(QStringLiteral("colverify.histogram"))},
        {"chkSort", Texto(QStringLiteral("colverify.sort"))},
        {"chkD50White", Texto(QStringLiteral("colverify.d50"))},
        {"chkAxes", Texto(QStringLiteral("colverify.axes"))},
        {"lblNormalize", Texto(QStringLiteral("colverify.normalize"))},
        {"lblX3DOM", QStringLiteral("X3DOM:")},
        {"cmdRun", Texto(QStringLiteral("colverify.run"))},
        {"cmdClose", Texto(QStringLiteral("common.close"))},
    };
    for (const auto& [name, text] : captions)
        AsignarPropiedad(this, QLatin1String(name), QStringLiteral("Caption"), text);
    UpdatePlaceholderLabel(this, QStringLiteral("lblTarget"),
                           QStringLiteral("placeholder.no_ref_ti3"));
    UpdatePlaceholderLabel(this, QStringLiteral("lblMeasured"),
                           QStringLiteral("placeholder.no_measured_ti3"));
    RebuildOptionList(cboNormalize, kNormalizar, 0);
    RebuildOptionList(cboX3DOM, kX3dom, 0);
}

QString frmColVerify::ElegirTi3(const QString& title) {
    return AbrirFichero(this, QStringLiteral("CGATS TI3 (*.ti3)|*.ti3|Todos|*.*"), title,
                        Carpetas().programFolder);
}

void frmColVerify::cmdTarget_Click() {
    const QString path = ElegirTi3(Texto(QStringLiteral("colverify.open_reference_title")));
    if (path.isEmpty())
        return;
    referencia_ = path;
    lblTarget->setText(path);
}

void frmColVerify::cmdMeasured_Click() {
    const QString path = ElegirTi3(Texto(QStringLiteral("colverify.open_measured_title")));
    if (path.isEmpty())
        return;
    medido_ = path;
    lblMeasured->setText(path);
}

void frmColVerify::cmdRun_Click() {
    OpcionesColVerify opciones;
    opciones.detalle = chkEach->isChecked();
    opciones.porPosicion = chkMatchLocation->isChecked();
    opciones.de2000 = chkDE2000->isChecked();
    opciones.histograma = chkHistogram->isChecked();
    opciones.ordenar = chkSort->isChecked();
    opciones.blancoD50 = chkD50White->isChecked();
    opciones.normalizar = cboNormalize->currentIndex();
    opciones.x3dom = cboX3DOM->currentIndex();
    opciones.ejes = chkAxes->isChecked();
    Ejecutar(
        {cmdRun, fraInput, fraOptions},
        [referencia = referencia_, medido = medido_, opciones](ActivityLog& log,
                                                               const CancelToken* cancel) {
            return CompararMediciones(referencia, medido, opciones, log, cancel);
        },
        [](const ResultadoColVerify&) {});
}
