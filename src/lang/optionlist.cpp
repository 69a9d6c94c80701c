#include "lang/optionlist.h"

#include "lang/texto.h"

#include <QComboBox>
#include <QSignalBlocker>

void RebuildOptionList(QComboBox* list, const QStringList& keys, int defaultPosition) {
    if (!list)
        return;
    const QSignalBlocker blocker(list);
    int position = list->currentIndex();
    if (position < 0 || position >= keys.size())
        position = defaultPosition;
    list->clear();
    for (const QString& key : keys)
        list->addItem(Texto(key));
    list->setCurrentIndex(position);
}
