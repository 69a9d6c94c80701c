#include "lang/frmacercade.h"

#include "lang/abouttexts.h"
#include "lang/texto.h"
#include "lang/windowplacement.h"
#include "shell/appfolders.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel* namedLabel(QWidget* parent, const char* name, qreal pointScale = 1.0, bool bold = false) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * pointScale);
    font.setBold(bold);
    label->setFont(font);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* wrappingLabel(QWidget* parent, const char* name) {
    QLabel* label = namedLabel(parent, name);
    label->setWordWrap(true);
    return label;
}

QLabel* linkLabel(QWidget* parent, const char* name) {
    QLabel* label = wrappingLabel(parent, name);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    label->setOpenExternalLinks(true);
    return label;
}

// Word joiners after the slashes keep an address on one line.
QString unbreakable(const QString& url) {
    QString shown = url;
    return shown.replace(QLatin1Char('/'), QStringLiteral("/\u2060"));
}

// The component's address becomes a link that opens in the browser and never breaks.
void setTextWithLink(QLabel* label, const QString& text, const QString& url) {
    const QString link = QStringLiteral("<a href=\"%1\">%2</a>")
                             .arg(url.toHtmlEscaped(), unbreakable(url).toHtmlEscaped());
    label->setText(text.toHtmlEscaped().replace(url.toHtmlEscaped(), link));
}

// Empty values (no web site, no contact address) leave no gap.
void setLine(QLabel* label, const QString& text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

} // namespace

frmACercaDe::frmACercaDe(const InfoPrograma& info, QWidget* parent) : QDialog(parent), info_(info) {
    setObjectName(QStringLiteral("frmACercaDe"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/lang/nerva-chromaflux-256.png"))
                          .scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    Image1->setAlignment(Qt::AlignTop);
    lblNerva = namedLabel(this, "lblNerva", 1.1);
    lblNerva->setText(AboutInfo::kFabricante);
    lblNombrePrograma = namedLabel(this, "lblNombrePrograma", 2.0, true);
    lblVersion = namedLabel(this, "lblVersion");
    lblCopyright = namedLabel(this, "lblCopyright");
    lblWeb = namedLabel(this, "lblWeb");
    lblEMAIL = namedLabel(this, "lblEMAIL");

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    lblDonar = wrappingLabel(Frame1, "lblDonar");
    cmdDonar = new QPushButton(Frame1);
    cmdDonar->setObjectName(QStringLiteral("cmdDonar"));
    QFont buttonFont = cmdDonar->font();
    buttonFont.setWeight(QFont::DemiBold);
    cmdDonar->setFont(buttonFont);
    connect(cmdDonar, &QPushButton::clicked, this, &frmACercaDe::cmdDonar_Click);

    lblThisSoftware = namedLabel(this, "lblThisSoftware", 1.0, true);
    lblPara = namedLabel(this, "lblPara", 1.0, true);
    // The components' names stand where their logos would be.
    Image2 = namedLabel(this, "Image2", 1.0, true);
    Image2->setText(QStringLiteral("ArgyllCMS"));
    Image3 = namedLabel(this, "Image3", 1.0, true);
    Image3->setText(QStringLiteral("FreeImage"));
    lblArgyllCMS = linkLabel(this, "lblArgyllCMS");
    lblFreeimage = linkLabel(this, "lblFreeimage");

    auto* identity = new QVBoxLayout;
    identity->setSpacing(2);
    for (QWidget* w : {static_cast<QWidget*>(lblNerva), static_cast<QWidget*>(lblNombrePrograma),
                       static_cast<QWidget*>(lblVersion), static_cast<QWidget*>(lblCopyright),
                       static_cast<QWidget*>(lblWeb), static_cast<QWidget*>(lblEMAIL)})
        identity->addWidget(w);
    auto* header = new QHBoxLayout;
    header->setSpacing(16);
    header->addWidget(Image1);
    header->addLayout(identity, 1);

    auto* donation = new QHBoxLayout(Frame1);
    donation->addWidget(lblDonar, 1);
    donation->addWidget(cmdDonar, 0, Qt::AlignVCenter);

    auto* components = new QGridLayout;
    components->setHorizontalSpacing(16);
    components->addWidget(lblThisSoftware, 0, 0);
    components->addWidget(lblPara, 0, 1);
    components->addWidget(Image2, 1, 0, Qt::AlignTop);
    components->addWidget(lblArgyllCMS, 1, 1);
    components->addWidget(Image3, 2, 0, Qt::AlignTop);
    components->addWidget(lblFreeimage, 2, 1);
    components->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(14);
    layout->addLayout(header);
    layout->addWidget(Frame1);
    layout->addLayout(components);
    // Top-level windows ignore height-for-width, so the wrapped labels would get the height of
    // a narrower guess; the window's height is fitted to its width after every text change.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    resize(620, 0);

    AplicarTextosAcercaDe();
}

void frmACercaDe::AplicarTextosAcercaDe() {
    setWindowTitle(TituloAcercaDe());
    lblNombrePrograma->setText(info_.nombre);
    lblVersion->setText(info_.version);
    setLine(lblCopyright, info_.copyright);
    setLine(lblWeb, info_.web);
    setLine(lblEMAIL, info_.contacto);

    const TextosAcercaDe texts = TextosAcercaDeIdioma(IdiomaActual());
    lblDonar->setText(texts.donar);
    cmdDonar->setText(texts.botonDonar);
    lblThisSoftware->setText(texts.usaEsteSoftware);
    lblPara->setText(texts.para);
    setTextWithLink(lblArgyllCMS, texts.argyllCMS, AboutInfo::kDireccionArgyllCMS);
    setTextWithLink(lblFreeimage, texts.freeImage, AboutInfo::kDireccionFreeImage);
    fitHeight();
}

void frmACercaDe::fitHeight() {
    const int height = heightForWidth(width());
    setMinimumSize(620, height);
    resize(width(), height);
}

void frmACercaDe::cmdDonar_Click() {
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(Carpetas().helpFolder + QLatin1Char('/') + AboutInfo::kPaginaDonacion));
}

void MostrarAcercaDe(QWidget* mainWindow, const InfoPrograma& info) {
    frmACercaDe about(info, mainWindow);
    if (mainWindow)
        about.move(PosicionCentrada(mainWindow->frameGeometry(), about.size()));
    about.exec();
}
