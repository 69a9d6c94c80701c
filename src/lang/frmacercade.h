#pragma once

#include "lang/aboutinfo.h"
#include "lang/textapplier.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The About window: program name and version, copyright, the donation invitation and the
// acknowledgement of ArgyllCMS and FreeImage, in the current language.
class frmACercaDe : public QDialog, public TextApplier {
    Q_OBJECT

public:
    explicit frmACercaDe(const InfoPrograma& info, QWidget* parent = nullptr);

    void AplicarTextosAcercaDe();
    void aplicarTextos() override { AplicarTextosAcercaDe(); }

private:
    QLabel* Image1 = nullptr;
    QLabel* lblNerva = nullptr;
    QLabel* lblNombrePrograma = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblWeb = nullptr;
    QLabel* lblEMAIL = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* lblDonar = nullptr;
    QPushButton* cmdDonar = nullptr;
    QLabel* lblThisSoftware = nullptr;
    QLabel* lblPara = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* lblArgyllCMS = nullptr;
    QLabel* lblFreeimage = nullptr;

    void cmdDonar_Click();
    void fitHeight();

    InfoPrograma info_;
};

// Opens the About window modal, centred on the main window (never at a negative position).
void MostrarAcercaDe(QWidget* mainWindow, const InfoPrograma& info);
