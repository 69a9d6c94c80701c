#include "profile/profileinstall.h"

#include "shell/filereplace.h"

bool InstalarPerfil(const QString& producido, const QString& destino, QString& error) {
    return SustituirPorCopia(producido, destino, false, error);
}
