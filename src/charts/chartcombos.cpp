#include "charts/chartcombos.h"

#include "charts/charttables.h"

#include <QComboBox>
#include <QSignalBlocker>

// Filling is silent (a Qt list selects its first item by itself); only the final selection
// raises the change signal, as the handlers expect.
void RellenarComboCartas(QComboBox* combo, const ChartCatalog& catalogo) {
    {
        const QSignalBlocker silencio(combo);
        combo->clear();
        for (int i = 0; i < catalogo.NumCartas(); ++i) {
            combo->addItem(catalogo.NombreCarta(i));
        }
        combo->setCurrentIndex(-1);
    }
    if (combo->count() > 0) {
        const int it8 = catalogo.IndiceCarta(QStringLiteral("it8.cht"));
        combo->setCurrentIndex(it8 >= 0 ? it8 : 0);
    }
}

void RellenarComboGenericas(QComboBox* combo) {
    {
        const QSignalBlocker silencio(combo);
        combo->clear();
        combo->addItem(QString());
        for (int g = 1; g <= NumGenericas(); ++g) {
            combo->addItem(NombreGenerica(g));
        }
        combo->setCurrentIndex(-1);
    }
    combo->setCurrentIndex(0);
}
