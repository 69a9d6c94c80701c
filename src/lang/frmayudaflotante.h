#pragma once

#include <QFrame>

class QLabel;

// The floating hover-help window: one label holding the whole wrapped text. Sizes and
// positions are in layout pixels (DisenoAPixeles); it takes no input, so it never steals the mouse
// from the label under the cursor.
class frmAyudaFlotante : public QFrame {
    Q_OBJECT

public:
    explicit frmAyudaFlotante(QWidget* parent = nullptr);

    void MostrarTexto(const QString& text, int left, int top, int width, int height);
    void Ocultar();

    // Measures in the label's font, in layout pixels.
    int AnchoTexto(const QString& text) const;
    int AltoTexto() const; // height of "Ag"

private:
    QLabel* lblTexto = nullptr;
};
