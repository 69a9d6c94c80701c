#pragma once

#include "charts/chartcatalog.h"

class QComboBox;

// Fills a chart-type list with the catalogue names and selects "it8.cht" (or the first
// chart when it is absent). The selection raises the list's change signal.
void RellenarComboCartas(QComboBox* combo, const ChartCatalog& catalogo = Catalogo());

// Fills a generic-reference list: an empty item, then the generic charts in index order;
// selects the empty item.
void RellenarComboGenericas(QComboBox* combo);
