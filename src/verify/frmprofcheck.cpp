#include "verify/frmprofcheck.h"

#include "lang/controlproperty.h"
#include "lang/optionlist.h"
#include "lang/placeholders.h"
#include "lang/texto.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"
#include "verify/cajalog.h"
#include "verify/controlnombrado.h"
#include "verify/lienzografico.h"
#include "verify/profcheckreport.h"
#include "verify/profcheckrun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

const QColor kBotonActivo(34, 116, 232);
const QColor kBotonInactivo(224, 224, 224);

} // namespace

frmProfCheck::frmProfCheck(QWidget* owner) : VentanaHerramienta(owner) {
    CrearControles();
    chkEach->setChecked(true);
    chkDE2000->setChecked(false);
    chkDE2000->setVisible(false);
    tipoGrafico_ = 0;
    ResaltarBotonesGrafico();
    MostrarMensajeGrafico(Texto(QStringLiteral("profcheck.press_verify")));
    AplicarTextosProfCheck();
}

void frmProfCheck::CrearControles() {
    fraInput = CrearControl<QGroupBox>(this, "fraInput");
    cmdTi3 = CrearControl<QPushButton>(fraInput, "cmdTi3");
    cmdProfile = CrearControl<QPushButton>(fraInput, "cmdProfile");
    lblTi3 = CrearControl<QLabel>(fraInput, "lblTi3");
    lblProfile = CrearControl<QLabel>(fraInput, "lblProfile");
    // Designer captions: the placeholders, which the text application then keeps current.
    lblTi3->setText(Texto(QStringLiteral("placeholder.no_ti3")));
    lblProfile->setText(Texto(QStringLiteral("placeholder.no_profile")));
    auto* input = new QGridLayout(fraInput);
    input->addWidget(cmdTi3, 0, 0);
    input->addWidget(lblTi3, 0, 1);
    input->addWidget(cmdProfile, 1, 0);
    input->addWidget(lblProfile, 1, 1);
    input->setColumnStretch(1, 1);

    fraOptions = CrearControl<QGroupBox>(this, "fraOptions");
    chkEach = CrearControl<QCheckBox>(fraOptions, "chkEach");
    chkSort = CrearControl<QCheckBox>(fraOptions, "chkSort");
    lblIntent = CrearControl<QLabel>(fraOptions, "lblIntent");
    cboIntent = CrearControl<QComboBox>(fraOptions, "cboIntent");
    lblPrune = CrearControl<QLabel>(fraOptions, "lblPrune");
    txtPrune = CrearControl<QLineEdit>(fraOptions, "txtPrune");
    lblPruneHint = CrearControl<QLabel>(fraOptions, "lblPruneHint");
    chkDE2000 = CrearControl<QCheckBox>(fraOptions, "chkDE2000");
    chkHistogram = CrearControl<QCheckBox>(fraOptions, "chkHistogram");
    chkX3DOM = CrearControl<QCheckBox>(fraOptions, "chkX3DOM");
    chkAxes = CrearControl<QCheckBox>(fraOptions, "chkAxes");
    chkColorVectors = CrearControl<QCheckBox>(fraOptions, "chkColorVectors");
    txtPrune->setMaximumWidth(80);
    auto* options = new QGridLayout(fraOptions);
    options->addWidget(chkEach, 0, 0);
    options->addWidget(chkSort, 0, 1);
    options->addWidget(lblIntent, 0, 2);
    options->addWidget(cboIntent, 0, 3);
    options->addWidget(chkHistogram, 1, 0);
    options->addWidget(chkX3DOM, 1, 1);
    options->addWidget(lblPrune, 1, 2);
    options->addWidget(txtPrune, 1, 3);
    options->addWidget(chkAxes, 2, 0);
    options->addWidget(chkColorVectors, 2, 1);
    options->addWidget(lblPruneHint, 2, 2, 1, 2);
    // Three rows, so the graph keeps its room on a 720-pixel screen.
    options->addWidget(chkDE2000, 0, 4);
    options->setColumnStretch(5, 1);

    cmdRun = CrearControl<QPushButton>(this, "cmdRun");
    cmdGraphDE = CrearControl<QPushButton>(this, "cmdGraphDE");
    cmdGraphL = CrearControl<QPushButton>(this, "cmdGraphL");
    cmdGraphC = CrearControl<QPushButton>(this, "cmdGraphC");
    cmdGraphH = CrearControl<QPushButton>(this, "cmdGraphH");
    cmdGraphDE2000 = CrearControl<QPushButton>(this, "cmdGraphDE2000");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdRun);
    buttons->addSpacing(16);
    for (QPushButton* b : {cmdGraphDE, cmdGraphL, cmdGraphC, cmdGraphH, cmdGraphDE2000}) {
        b->setAutoFillBackground(true);
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    picDEGraph = CrearControl<LienzoGrafico>(this, "picDEGraph");
    picDEGraph->setMinimumSize(760, 240);
    picDEGraph->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    txtLog->setMinimumHeight(120);

    auto* top = new QHBoxLayout;
    top->addWidget(fraInput, 1);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(fraOptions);
    main->addLayout(buttons);
    main->addWidget(picDEGraph, 3);
    main->addWidget(txtLog, 1);

    connect(cmdTi3, &QPushButton::clicked, this, &frmProfCheck::cmdTi3_Click);
    connect(cmdProfile, &QPushButton::clicked, this, &frmProfCheck::cmdProfile_Click);
    connect(cmdRun, &QPushButton::clicked, this, &frmProfCheck::cmdRun_Click);
    connect(cmdGraphDE, &QPushButton::clicked, this, [this] { ElegirGrafico(0); });
    connect(cmdGraphL, &QPushButton::clicked, this, [this] { ElegirGrafico(1); });
    connect(cmdGraphC, &QPushButton::clicked, this, [this] { ElegirGrafico(2); });
    connect(cmdGraphH, &QPushButton::clicked, this, [this] { ElegirGrafico(3); });
    connect(cmdGraphDE2000, &QPushButton::clicked, this,
            [this] { ElegirGrafico(GraficoDeltaE2000); });
    connect(picDEGraph, &LienzoGrafico::PunteroMovido, this, &frmProfCheck::LecturaGrafico);
    connect(picDEGraph, &LienzoGrafico::TamanoCambiado, this, &frmProfCheck::Redibujar);
}

void frmProfCheck::MostrarConRutas(QWidget* owner, const QString& ti3, const QString& perfil) {
    frmProfCheck window(owner);
    window.SetupDefaults(ti3, perfil);
    window.exec();
}

void frmProfCheck::MostrarConSalida(QWidget* owner, const QString& ti3, const QString& perfil,
                                    const QString& salida) {
    frmProfCheck window(owner);
    window.MostrarVerificacionAutomatica(ti3, perfil, salida);
    window.exec();
}

void frmProfCheck::SetupDefaults(const QString& ti3, const QString& perfil) {
    ti3_ = ti3;
    perfil_ = perfil;
    if (!ti3.isEmpty())
        lblTi3->setText(ti3);
    if (!perfil.isEmpty())
        lblProfile->setText(perfil);
}

void frmProfCheck::MostrarVerificacionAutomatica(const QString& ti3, const QString& perfil,
                                                 const QString& salida) {
    SetupDefaults(ti3, perfil);
    txtLog->clear();
    const QString resumen = ResumirProfcheck(salida);
    if (!resumen.isEmpty())
        txtLog->LogMsg(resumen);
    MostrarDetalle(salida);
    if (!salida.isEmpty())
        txtLog->LogMsg(salida);
}

void frmProfCheck::AplicarTextosProfCheck() {
    setWindowTitle(Texto(QStringLiteral("profcheck.title")));
    const QList<QPair<const char*, QString>> captions{
        {"fraInput", Texto(QStringLiteral("common.input"))},
        {"cmdTi3", QStringLiteral("TI3...")},
        {"cmdProfile", Texto(QStringLiteral("profcheck.profile"))},
        {"fraOptions", Texto(QStringLiteral("profcheck.options"))},
        {"chkDE2000", Texto(QStringLiteral("profcheck.de76"))},
        {"chkEach", Texto(QStringLiteral("profcheck.each"))},
        {"chkHistogram", Texto(QStringLiteral("profcheck.histogram"))},
        {"chkSort", Texto(QStringLiteral("profcheck.sort"))},
        {"chkX3DOM", Texto(QStringLiteral("profcheck.x3dom"))},
        {"chkAxes", Texto(QStringLiteral("profcheck.axes"))},
        {"chkColorVectors", Texto(QStringLiteral("profcheck.vectors"))},
        {"lblIntent", Texto(QStringLiteral("main.options.intent"))},
        {"lblPrune", Texto(QStringLiteral("profcheck.prune"))},
        {"lblPruneHint", Texto(QStringLiteral("profcheck.prune_hint"))},
        {"cmdRun", Texto(QStringLiteral("profcheck.run"))},
        {"cmdClose", Texto(QStringLiteral("common.close"))},
    };
    for (const auto& [name, text] : captions)
        AsignarPropiedad(this, QLatin1String(name), QStringLiteral("Caption"), text);
    const QList<QPair<const char*, const char*>> tips{
        {"cmdGraphDE", "profcheck.tip.de"},         {"cmdGraphL", "profcheck.tip.l"},
        {"cmdGraphC", "profcheck.tip.c"},           {"cmdGraphH", "profcheck.tip.h"},
        {"cmdGraphDE2000", "profcheck.tip.de2000"},
    };
    for (const auto& [name, key] : tips)
        AsignarPropiedad(this, QLatin1String(name), QStringLiteral("ToolTipText"),
                         Texto(QLatin1String(key)));
    UpdatePlaceholderLabel(this, QStringLiteral("lblTi3"), QStringLiteral("placeholder.no_ti3"));
    UpdatePlaceholderLabel(this, QStringLiteral("lblProfile"),
                           QStringLiteral("placeholder.no_profile"));
    RebuildOptionList(cboIntent,
                      {QStringLiteral("intent.absolute"), QStringLiteral("intent.relative")}, 0);
    const QList<QPair<const char*, const char*>> graphs{{"cmdGraphDE", "DE-e"},
                                                        {"cmdGraphL", "DE-L"},
                                                        {"cmdGraphC", "DE-C"},
                                                        {"cmdGraphH", "DE-H"},
                                                        {"cmdGraphDE2000", "DE-2000"}};
    for (const auto& [name, caption] : graphs)
        AsignarPropiedad(this, QLatin1String(name), QStringLiteral("Caption"),
                         QLatin1String(caption));
}

void frmProfCheck::cmdTi3_Click() {
    const QString path =
        AbrirFichero(this, QStringLiteral("CGATS TI3 (*.ti3)|*.ti3|Todos|*.*"),
                     Texto(QStringLiteral("profcheck.open_ti3_title")), Carpetas().programFolder);
    if (path.isEmpty())
        return;
    ti3_ = path;
    lblTi3->setText(path);
}

void frmProfCheck::cmdProfile_Click() {
    const QString path = AbrirFichero(
        this, QStringLiteral("Perfiles ICC (*.icc;*.icm)|*.icc;*.icm|Todos|*.*"),
        Texto(QStringLiteral("profcheck.open_profile_title")), Carpetas().programFolder);
    if (path.isEmpty())
        return;
    perfil_ = path;
    lblProfile->setText(path);
}

void frmProfCheck::cmdRun_Click() {
    OpcionesProfcheck opciones;
    opciones.detalle = chkEach->isChecked();
    opciones.ordenar = chkSort->isChecked();
    opciones.intento = cboIntent->currentIndex();
    opciones.poda = txtPrune->text();
    Ejecutar(
        {cmdRun, fraInput, fraOptions},
        [ti3 = ti3_, perfil = perfil_, opciones](ActivityLog& log, const CancelToken* cancel) {
            return VerificarPerfil(ti3, perfil, opciones, log, cancel);
        },
        [this](const ResultadoProfcheck& r) {
            if (r.ejecutado)
                MostrarDetalle(r.salida);
        });
}

void frmProfCheck::ElegirGrafico(int tipo) {
    tipoGrafico_ = tipo;
    ResaltarBotonesGrafico();
    DibujarGraficoActual();
}

void frmProfCheck::MostrarDetalle(const QString& salida) {
    if (LeerDetalleProfcheck(salida, errores_)) {
        tipoGrafico_ = 0;
        ResaltarBotonesGrafico();
        DibujarGraficoActual();
    } else {
        MostrarMensajeGrafico(Texto(QStringLiteral("msg.profcheck_need_detail")));
    }
}

void frmProfCheck::ResaltarBotonesGrafico() {
    const QList<QPushButton*> buttons{cmdGraphDE, cmdGraphL, cmdGraphC, cmdGraphH, cmdGraphDE2000};
    for (int i = 0; i < buttons.size(); ++i) {
        QPalette palette = buttons[i]->palette();
        palette.setColor(QPalette::Button, i == tipoGrafico_ ? kBotonActivo : kBotonInactivo);
        buttons[i]->setPalette(palette);
    }
}

void frmProfCheck::DibujarGraficoActual() {
    if (errores_.isEmpty()) {
        MostrarMensajeGrafico(Texto(QStringLiteral("msg.profcheck_no_data")));
        return;
    }
    mensaje_.clear();
    grafico_.Dibujar(picDEGraph->size(), SerieDeTipo(errores_, tipoGrafico_));
    picDEGraph->MostrarImagen(grafico_.Imagen());
}

void frmProfCheck::MostrarMensajeGrafico(const QString& text) {
    mensaje_ = text;
    picDEGraph->setToolTip(QString());
    grafico_.MostrarMensaje(picDEGraph->size(), text);
    picDEGraph->MostrarImagen(grafico_.Imagen());
}

void frmProfCheck::Redibujar() {
    if (picDEGraph->size() == grafico_.Imagen().size())
        return;
    if (mensaje_.isEmpty())
        DibujarGraficoActual();
    else
        MostrarMensajeGrafico(mensaje_);
}

void frmProfCheck::LecturaGrafico(const QPoint& pos) {
    const QString text = errores_.isEmpty() ? QString() : grafico_.Lectura(pos);
    if (text == picDEGraph->toolTip())
        return;
    picDEGraph->setToolTip(text);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(picDEGraph->mapToGlobal(pos), text, picDEGraph);
}
