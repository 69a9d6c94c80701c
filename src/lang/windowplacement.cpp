#include "lang/windowplacement.h"

#include <algorithm>
#include <cmath>

int PixelesADiseno(int pixels, double logicalDpi) {
    return static_cast<int>(std::lround(pixels * 96.0 / logicalDpi));
}

int DisenoAPixeles(int diseno, double logicalDpi) {
    return static_cast<int>(std::lround(diseno * logicalDpi / 96.0));
}

QRect PosicionAyuda(const QPoint& cursor, const QRect& screen, int lineHeight, int lineCount) {
    constexpr int margin = 8;
    const int width = kAnchoAyudaFlotante;
    const int height = std::max(lineHeight * (lineCount + 2) + margin, lineHeight * 4);
    int x = cursor.x() + 12;
    int y = cursor.y() + 12;
    if (x + width > screen.left() + screen.width() - margin)
        x = screen.left() + screen.width() - width - margin;
    if (y + height > screen.top() + screen.height() - margin)
        y = screen.top() + screen.height() - height - margin;
    x = std::max(x, screen.left() + margin);
    y = std::max(y, screen.top() + margin);
    return QRect(x, y, width, height);
}

QSize TamanoEnPantalla(const QSize& deseado, const QSize& disponible) {
    return deseado.boundedTo(disponible - kMarcoVentana);
}

QPoint PosicionCentrada(const QRect& owner, const QSize& window) {
    const int left = owner.left() + (owner.width() - window.width()) / 2;
    const int top = owner.top() + (owner.height() - window.height()) / 2;
    return QPoint(std::max(left, 0), std::max(top, 0));
}
