#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <memory>

class frmAyudaFlotante;
class QWidget;

// Hover help of the main window: a mouse move over a help label shows its topic in the
// floating window near the cursor; a move over the window or its other controls, or a popup
// (an option list, a menu) opening, hides it.
// Every move re-reads the topics file, so an edited file shows at once.
class HoverHelp : public QObject {
    Q_OBJECT

public:
    explicit HoverHelp(QObject* parent = nullptr);
    ~HoverHelp() override;

    // Shows the topic of the current language near the cursor; hides the window when the
    // topic (or its file) is missing or empty, or while a popup is open.
    void MostrarAyudaTema(const QString& topic);
    void OcultarAyudaTema();
    bool AyudaVisible() const { return visible_; }

    // Wiring: mouse moves over label show the topic; moves over widget hide the help.
    // Both turn on mouse tracking of the widget.
    void MostrarAlPasar(QWidget* label, const QString& topic);
    void OcultarAlPasar(QWidget* widget);

    // The floating window, created on the first topic shown (nullptr before).
    frmAyudaFlotante* Ventana() const { return window_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QWidget* widget);

    std::unique_ptr<frmAyudaFlotante> window_;
    QHash<QObject*, QString> topics_;
    QSet<QObject*> hiders_;
    bool visible_ = false;
};
