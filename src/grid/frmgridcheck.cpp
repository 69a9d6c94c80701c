#include "grid/frmgridcheck.h"

#include "grid/cajaimagen.h"
#include "lang/controlproperty.h"
#include "lang/texto.h"
#include "lang/windowplacement.h"
#include "shell/workfolders.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

frmGridCheck::frmGridCheck(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmGridCheck"));
    setAttribute(Qt::WA_DeleteOnClose);
    picGrid = new CajaImagen(this);
    picGrid->setObjectName(QStringLiteral("picGrid"));
    txtInfo = new QPlainTextEdit(this);
    txtInfo->setObjectName(QStringLiteral("txtInfo"));
    txtInfo->setReadOnly(true);
    txtInfo->setFixedHeight(56);
    cmdClose = new QPushButton(this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);

    auto* tira = new QHBoxLayout;
    tira->addWidget(txtInfo, 1);
    tira->addWidget(cmdClose, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(picGrid, 1);
    layout->addLayout(tira);

    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(picGrid, &CajaImagen::TamanoCambiado, this, &frmGridCheck::MostrarDiagnostico);
    AplicarTextosGridCheck();
    resize(TamanoEnPantalla(QSize(1000, 720), screen()->availableGeometry().size()));
}

void frmGridCheck::AplicarTextosGridCheck() {
    AsignarPropiedad(this, objectName(), QStringLiteral("Caption"),
                     Texto(QStringLiteral("gridcheck.title")));
    AsignarPropiedad(this, QStringLiteral("cmdClose"), QStringLiteral("Caption"),
                     Texto(QStringLiteral("common.close")));
}

void frmGridCheck::Mostrar(const QString& imagen, const QString& carta, const QString& salida,
                           bool borrarAlCerrar) {
    if (imagen != imagen_)
        SoltarImagen();
    cache_.Olvidar(); // a new run may have rewritten the same file
    imagen_ = imagen;
    carta_ = carta.toLower();
    salida_ = salida;
    borrarAlCerrar_ = borrarAlCerrar;
    show();
    raise();
    activateWindow();
    MostrarDiagnostico();
}

void frmGridCheck::MostrarDiagnostico() {
    if (imagen_.isEmpty())
        return;
    const FittedImageCache::Dibujo& d = cache_.Dibujar(imagen_, picGrid->size());
    picGrid->MostrarImagen(d.imagen);
    if (!d.ok) {
        txtInfo->setPlainText(Texto(QStringLiteral("msg.gridcheck_open_error")) + d.error);
        return;
    }
    anchoImagen_ = d.anchoImagen;
    altoImagen_ = d.altoImagen;
    txtInfo->setPlainText(Texto(QStringLiteral("msg.gridcheck_desc")));
}

void frmGridCheck::SoltarImagen() {
    picGrid->MostrarImagen(QImage());
    cache_.Olvidar();
    if (borrarAlCerrar_)
        BorrarFicheroSiHay(imagen_);
    imagen_.clear();
    anchoImagen_ = 0;
    altoImagen_ = 0;
}

void frmGridCheck::closeEvent(QCloseEvent* event) {
    SoltarImagen();
    event->accept();
}
