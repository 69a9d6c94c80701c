#include "lang/frmayudaflotante.h"

#include "lang/windowplacement.h"

#include <QFontMetrics>
#include <QLabel>

frmAyudaFlotante::frmAyudaFlotante(QWidget* parent)
    : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowTransparentForInput) {
    setObjectName(QStringLiteral("frmAyudaFlotante"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(224, 224, 224));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);

    lblTexto = new QLabel(this);
    lblTexto->setObjectName(QStringLiteral("lblTexto"));
    lblTexto->setTextFormat(Qt::PlainText);
    lblTexto->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTexto->setWordWrap(false); // the text comes wrapped already
}

void frmAyudaFlotante::MostrarTexto(const QString& text, int left, int top, int width, int height) {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    lblTexto->setText(text);
    lblTexto->setGeometry(DisenoAPixeles(8, dpiX), DisenoAPixeles(8, dpiY),
                          DisenoAPixeles(width - 16, dpiX), DisenoAPixeles(height - 16, dpiY));
    setGeometry(DisenoAPixeles(left, dpiX), DisenoAPixeles(top, dpiY), DisenoAPixeles(width, dpiX),
                DisenoAPixeles(height, dpiY));
    show();
    raise();
    repaint();
}

void frmAyudaFlotante::Ocultar() {
    hide();
}

int frmAyudaFlotante::AnchoTexto(const QString& text) const {
    return PixelesADiseno(QFontMetrics(lblTexto->font()).horizontalAdvance(text), logicalDpiX());
}

int frmAyudaFlotante::AltoTexto() const {
    return PixelesADiseno(QFontMetrics(lblTexto->font()).lineSpacing(), logicalDpiY());
}
