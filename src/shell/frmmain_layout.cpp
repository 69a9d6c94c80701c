// Building the main window's menus and controls. Captions come later from AplicarTextosMain.
#include "shell/frmmain.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

namespace {

template <typename T> T* Nombrado(T* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

QAction* Accion(QMenu* menu, const char* name, bool checkable = false) {
    QAction* action = Nombrado(menu->addAction(QString()), name);
    action->setCheckable(checkable);
    return action;
}

QLabel* Etiqueta(QWidget* parent, const char* name) {
    return Nombrado(new QLabel(parent), name);
}

// A frame heading: a short caption with the group's hover-help marker at its right.
QHBoxLayout* Encabezado(QLabel* caption, QLabel* help) {
    auto* row = new QHBoxLayout;
    QFont small = caption->font();
    small.setItalic(true);
    caption->setFont(small);
    caption->setForegroundRole(QPalette::PlaceholderText);
    row->addWidget(caption, 1);
    row->addWidget(help, 0, Qt::AlignRight | Qt::AlignTop);
    return row;
}

// The round "?" that shows floating help while the mouse is over it.
QLabel* Ayuda(QWidget* parent, const char* name) {
    QLabel* help = Etiqueta(parent, name);
    help->setText(QStringLiteral("?"));
    help->setAlignment(Qt::AlignCenter);
    help->setFixedSize(18, 18);
    help->setCursor(Qt::WhatsThisCursor);
    help->setStyleSheet(QStringLiteral(
        "QLabel { border: 1px solid palette(mid); border-radius: 9px; font-weight: bold; }"));
    return help;
}

// Small file icon in front of a path box.
QLabel* Icono(QWidget* parent, const char* name, QStyle::StandardPixmap pixmap) {
    QLabel* icon = Etiqueta(parent, name);
    icon->setPixmap(QApplication::style()->standardIcon(pixmap).pixmap(16, 16));
    return icon;
}

// Icon and path box side by side.
QHBoxLayout* FilaRuta(QLabel* icon, QLineEdit* box) {
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(box, 1);
    return row;
}

QLineEdit* CajaRuta(QWidget* parent, const char* name) {
    auto* box = Nombrado(new QLineEdit(parent), name);
    box->setReadOnly(true);
    box->setMinimumWidth(120);
    return box;
}

QComboBox* Lista(QWidget* parent, const char* name, bool editable = false) {
    auto* list = Nombrado(new QComboBox(parent), name);
    list->setEditable(editable);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(editable ? 4 : 12);
    return list;
}

QGroupBox* Marco(QWidget* parent, const char* name) {
    return Nombrado(new QGroupBox(parent), name);
}

// The two top-level groups, "CARTA" and "PERFIL", stand out from the numbered frames inside.
void MarcoPrincipal(QGroupBox* group) {
    QFont bold = group->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() + 1);
    group->setFont(bold);
    // Children keep the normal font.
    group->setStyleSheet(
        QStringLiteral("QGroupBox#%1 > * { font-weight: normal; }").arg(group->objectName()));
}

} // namespace

void frmMain::CrearMenus() {
    QMenuBar* bar = menuBar();
    mnuFile = Nombrado(bar->addMenu(QString()), "mnuFile");
    mnuFileOpenTarget = Accion(mnuFile, "mnuFileOpenTarget");
    mnuFileOpenRef = Accion(mnuFile, "mnuFileOpenRef");

    mnuTools = Nombrado(bar->addMenu(QString()), "mnuTools");
    mnuToolsGridCheck = Accion(mnuTools, "mnuToolsGridCheck");

    mnuResults = Nombrado(bar->addMenu(QString()), "mnuResults");
    mnuResultsAutoScaninDiag = Accion(mnuResults, "mnuResultsAutoScaninDiag", true);
    mnuResultsSaveTi3WithProfile = Accion(mnuResults, "mnuResultsSaveTi3WithProfile", true);
    mnuResultsSep1 = Nombrado(mnuResults->addSeparator(), "mnuResultsSep1");
    mnuResultsSummary = Accion(mnuResults, "mnuResultsSummary");
    mnuResultsOpenFolder = Accion(mnuResults, "mnuResultsOpenFolder");
    mnuResultsViewDiag = Accion(mnuResults, "mnuResultsViewDiag");
    mnuResultsVerify = Accion(mnuResults, "mnuResultsVerify");
    mnuResultsScaninDiag = Accion(mnuResults, "mnuResultsScaninDiag");
    mnuResultsColVerify = Accion(mnuResults, "mnuResultsColVerify");

    mnuLanguage = Nombrado(bar->addMenu(QString()), "mnuLanguage");
    auto* languages = new QActionGroup(this);
    const std::pair<QAction**, const char*> idiomas[] = {{&mnuLanguageES, "mnuLanguageES"},
                                                         {&mnuLanguageEN, "mnuLanguageEN"},
                                                         {&mnuLanguageFR, "mnuLanguageFR"},
                                                         {&mnuLanguageIT, "mnuLanguageIT"}};
    for (const auto& [item, name] : idiomas)
        *item = languages->addAction(Accion(mnuLanguage, name, true));

    mnuHelp = Nombrado(bar->addMenu(QString()), "mnuHelp");
    mnuHelpContents = Accion(mnuHelp, "mnuHelpContents");
    mnuHelpArgyllCMS = Accion(mnuHelp, "mnuHelpArgyllCMS");
    mnuHelpArgyllCMS->setText(QStringLiteral("ArgyllCMS"));
    mnuAcercaDe = Accion(mnuHelp, "mnuAcercaDe");

    mnuExit = Nombrado(bar->addAction(QString()), "mnuExit");
}

void frmMain::CrearControles() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    // ---- CARTA: frames 1 to 6 in two columns -----------------------------------------
    fraTarget = Marco(central, "fraTarget");
    MarcoPrincipal(fraTarget);

    fraTargetImage = Marco(fraTarget, "fraTargetImage");
    cmdLoadImage = Nombrado(new QPushButton(fraTargetImage), "cmdLoadImage");
    lblImagenDeltarget = Etiqueta(fraTargetImage, "lblImagenDeltarget");
    lblTimage = Icono(fraTargetImage, "lblTimage", QStyle::SP_FileIcon);
    txtImage = CajaRuta(fraTargetImage, "txtImage");
    lblAyudaImagenTarget = Ayuda(fraTargetImage, "lblAyudaImagenTarget");
    {
        auto* grid = new QGridLayout(fraTargetImage);
        grid->addWidget(cmdLoadImage, 0, 0, 1, 2);
        grid->addWidget(lblAyudaImagenTarget, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(lblImagenDeltarget, 1, 0, 1, 3);
        grid->addLayout(FilaRuta(lblTimage, txtImage), 2, 0, 1, 3);
        grid->setColumnStretch(1, 1);
        grid->setRowStretch(3, 1);
    }

    fraVisualCheck = Marco(fraTarget, "fraVisualCheck");
    picPreview = Etiqueta(fraVisualCheck, "picPreview");
    picPreview->setMinimumSize(280, 210);
    picPreview->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    picPreview->setAlignment(Qt::AlignCenter);
    picPreview->setAutoFillBackground(true);
    {
        QPalette black = picPreview->palette();
        black.setColor(QPalette::Window, Qt::black);
        picPreview->setPalette(black);
    }
    lblAyudaChequeoVisual = Ayuda(fraVisualCheck, "lblAyudaChequeoVisual");
    {
        auto* grid = new QGridLayout(fraVisualCheck);
        grid->addWidget(picPreview, 0, 0);
        grid->addWidget(lblAyudaChequeoVisual, 0, 1, Qt::AlignTop);
    }

    fraReference = Marco(fraTarget, "fraReference");
    optFRGenerico = Nombrado(new QRadioButton(fraReference), "optFRGenerico");
    cboGenericRef = Lista(fraReference, "cboGenericRef");
    optPersoanlizado = Nombrado(new QRadioButton(fraReference), "optPersoanlizado");
    cmdLoadRef = Nombrado(new QPushButton(fraReference), "cmdLoadRef");
    lblFicheroDeReferencia = Etiqueta(fraReference, "lblFicheroDeReferencia");
    lblFichRef = Icono(fraReference, "lblFichRef", QStyle::SP_FileIcon);
    txtRef = CajaRuta(fraReference, "txtRef");
    lbAyudaFicheroReferencia = Ayuda(fraReference, "lbAyudaFicheroReferencia");
    {
        auto* grid = new QGridLayout(fraReference);
        grid->addWidget(optFRGenerico, 0, 0);
        grid->addWidget(cboGenericRef, 0, 1);
        grid->addWidget(lbAyudaFicheroReferencia, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(optPersoanlizado, 1, 0);
        grid->addWidget(cmdLoadRef, 1, 1);
        grid->addWidget(lblFicheroDeReferencia, 2, 0);
        grid->addLayout(FilaRuta(lblFichRef, txtRef), 2, 1, 1, 2);
        grid->setColumnStretch(1, 1);
    }

    // Frames 4 and 5 carry no heading of their own (their title says it): the "?" sits on
    // the first row, which keeps the column short enough for a 720-pixel screen.
    fraCorrections = Marco(fraTarget, "fraCorrections");
    lblAyudaCorrecciones = Ayuda(fraCorrections, "lblAyudaCorrecciones");
    chkPerspective = Nombrado(new QCheckBox(fraCorrections), "chkPerspective");
    lblGamma = Etiqueta(fraCorrections, "lblGamma");
    txtGamma = Lista(fraCorrections, "txtGamma", true);
    {
        auto* grid = new QGridLayout(fraCorrections);
        grid->addWidget(chkPerspective, 0, 0, 1, 2);
        grid->addWidget(lblAyudaCorrecciones, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(lblGamma, 1, 0);
        grid->addWidget(txtGamma, 1, 1);
        grid->setColumnStretch(0, 1);
        grid->setRowStretch(2, 1);
    }

    fraTweaks = Marco(fraTarget, "fraTweaks");
    lblAyudaAjustes = Ayuda(fraTweaks, "lblAyudaAjustes");
    lblWhitePoint = Etiqueta(fraTweaks, "lblWhitePoint");
    txtWhitePoint = Lista(fraTweaks, "txtWhitePoint", true);
    lblDarkAreas = Etiqueta(fraTweaks, "lblDarkAreas");
    txtDarkAreas = Lista(fraTweaks, "txtDarkAreas", true);
    {
        auto* grid = new QGridLayout(fraTweaks);
        grid->addWidget(lblWhitePoint, 0, 0);
        grid->addWidget(txtWhitePoint, 0, 1);
        grid->addWidget(lblAyudaAjustes, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(lblDarkAreas, 1, 0);
        grid->addWidget(txtDarkAreas, 1, 1);
        grid->setColumnStretch(0, 1);
        grid->setRowStretch(2, 1);
    }

    fraTargetType = Marco(fraTarget, "fraTargetType");
    lblCartaDeCoplor = Etiqueta(fraTargetType, "lblCartaDeCoplor");
    {
        QFont bold = lblCartaDeCoplor->font();
        bold.setBold(true);
        lblCartaDeCoplor->setFont(bold);
    }
    lblAyudaTipoCartaColor = Ayuda(fraTargetType, "lblAyudaTipoCartaColor");
    lblTipoDeCarta = Etiqueta(fraTargetType, "lblTipoDeCarta");
    cboChart = Lista(fraTargetType, "cboChart");
    cboChart->setMinimumContentsLength(20);
    picTipoCartaColor = Etiqueta(fraTargetType, "picTipoCartaColor");
    picTipoCartaColor->setMinimumSize(200, 40);
    picTipoCartaColor->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    picTipoCartaColor->setAlignment(Qt::AlignCenter);
    picTipoCartaColor->setFrameShape(QFrame::StyledPanel);
    {
        auto* grid = new QGridLayout(fraTargetType);
        grid->addWidget(lblCartaDeCoplor, 0, 0);
        grid->addWidget(lblAyudaTipoCartaColor, 0, 1, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(lblTipoDeCarta, 1, 0, 1, 2);
        grid->addWidget(cboChart, 2, 0, 1, 2);
        grid->addWidget(picTipoCartaColor, 3, 0, 1, 2);
        grid->setRowStretch(3, 1);
    }

    {
        // Two columns read top to bottom: image and preview, then reference, corrections,
        // tweaks and chart type.
        auto* grid = new QGridLayout(fraTarget);
        grid->addWidget(fraTargetImage, 0, 0);
        grid->addWidget(fraVisualCheck, 1, 0, 4, 1);
        grid->addWidget(fraReference, 0, 1);
        grid->addWidget(fraCorrections, 1, 1);
        grid->addWidget(fraTweaks, 2, 1);
        grid->addWidget(fraTargetType, 3, 1, 2, 1);
        grid->setColumnStretch(0, 1);
        grid->setColumnStretch(1, 1);
        grid->setRowStretch(4, 1);
    }

    // ---- PERFIL: frames 7 and 8 and the Create button --------------------------------
    fraProfile = Marco(central, "fraProfile");
    MarcoPrincipal(fraProfile);

    fraProfileInfo = Marco(fraProfile, "fraProfileInfo");
    Label1 = Etiqueta(fraProfileInfo, "Label1");
    lblAyudaInfoPerfil = Ayuda(fraProfileInfo, "lblAyudaInfoPerfil");
    lblScanner = Etiqueta(fraProfileInfo, "lblScanner");
    txtScanner = Nombrado(new QLineEdit(fraProfileInfo), "txtScanner");
    lblModelTitle = Etiqueta(fraProfileInfo, "lblModelTitle");
    txtModel = Nombrado(new QLineEdit(fraProfileInfo), "txtModel");
    lblDescriptionTitle = Etiqueta(fraProfileInfo, "lblDescriptionTitle");
    txtDescription = Nombrado(new QLineEdit(fraProfileInfo), "txtDescription");
    lblCopyrightTitle = Etiqueta(fraProfileInfo, "lblCopyrightTitle");
    txtCopyright = Nombrado(new QLineEdit(fraProfileInfo), "txtCopyright");
    {
        auto* grid = new QGridLayout(fraProfileInfo);
        grid->addLayout(Encabezado(Label1, lblAyudaInfoPerfil), 0, 0, 1, 2);
        int row = 1;
        for (auto [title, box] : {std::pair{lblScanner, txtScanner},
                                  {lblModelTitle, txtModel},
                                  {lblDescriptionTitle, txtDescription},
                                  {lblCopyrightTitle, txtCopyright}}) {
            grid->addWidget(title, row, 0);
            grid->addWidget(box, row, 1);
            ++row;
        }
        grid->setColumnStretch(1, 1);
    }

    fraProfileOptions = Marco(fraProfile, "fraProfileOptions");
    lblOpciones = Etiqueta(fraProfileOptions, "lblOpciones");
    lblAyudaOpciones = Ayuda(fraProfileOptions, "lblAyudaOpciones");
    lblAlgorithmTitle = Etiqueta(fraProfileOptions, "lblAlgorithmTitle");
    cboAlgorithm = Lista(fraProfileOptions, "cboAlgorithm");
    lblIntentTitle = Etiqueta(fraProfileOptions, "lblIntentTitle");
    cboIntent = Lista(fraProfileOptions, "cboIntent");
    lblQualityTitle = Etiqueta(fraProfileOptions, "lblQualityTitle");
    cboQuality = Lista(fraProfileOptions, "cboQuality");
    {
        auto* grid = new QGridLayout(fraProfileOptions);
        grid->addLayout(Encabezado(lblOpciones, lblAyudaOpciones), 0, 0, 1, 2);
        int row = 1;
        for (auto [title, list] : {std::pair{lblAlgorithmTitle, cboAlgorithm},
                                   {lblIntentTitle, cboIntent},
                                   {lblQualityTitle, cboQuality}}) {
            grid->addWidget(title, row, 0);
            grid->addWidget(list, row, 1);
            ++row;
        }
        grid->setColumnStretch(1, 1);
    }

    lblPerfil = Icono(fraProfile, "lblPerfil", QStyle::SP_DialogSaveButton);
    cmdCreate = Nombrado(new QPushButton(fraProfile), "cmdCreate");
    cmdCreate->setMinimumHeight(40);
    {
        QFont bold = cmdCreate->font();
        bold.setBold(true);
        cmdCreate->setFont(bold);
    }
    {
        auto* column = new QVBoxLayout(fraProfile);
        column->addWidget(fraProfileInfo);
        column->addWidget(fraProfileOptions);
        column->addStretch(1);
        auto* create = new QHBoxLayout;
        create->addWidget(lblPerfil);
        create->addWidget(cmdCreate, 1);
        column->addLayout(create);
    }

    // ---- Activity log and busy status -------------------------------------------------
    txtLog = Nombrado(new QPlainTextEdit(central), "txtLog");
    txtLog->setReadOnly(true);
    txtLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtLog->setMinimumHeight(70);
    txtLog->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    auto* top = new QWidget;
    auto* groups = new QHBoxLayout(top);
    groups->setContentsMargins(0, 0, 0, 0);
    fraProfile->setMinimumWidth(320);
    groups->addWidget(fraTarget, 5);
    groups->addWidget(fraProfile, 2);
    // The groups scroll rather than push the log and the status bar off a small screen, and
    // the log can take their room when the user drags the split up.
    auto* scroll = Nombrado(new QScrollArea(central), "scrGroups");
    scroll->setWidget(top);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);

    splLog = Nombrado(new QSplitter(Qt::Vertical, central), "splLog");
    splLog->addWidget(scroll);
    splLog->addWidget(txtLog);
    splLog->setStretchFactor(0, 4);
    splLog->setStretchFactor(1, 1);
    splLog->setChildrenCollapsible(false);

    auto* page = new QVBoxLayout(central);
    page->addWidget(splLog, 1);

    lblMeta = Etiqueta(this, "lblMeta");
    lblMeta->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
    lblMeta->hide();
    lblTiempo = Etiqueta(this, "lblTiempo");
    prgOcupado = Nombrado(new QProgressBar(this), "prgOcupado");
    prgOcupado->setRange(0, 0); // no known end: a moving busy bar
    prgOcupado->setMaximumWidth(160);
    prgOcupado->setTextVisible(false);
    prgOcupado->hide();
    statusBar()->addWidget(lblMeta, 1);
    statusBar()->addPermanentWidget(lblTiempo);
    statusBar()->addPermanentWidget(prgOcupado);
}
