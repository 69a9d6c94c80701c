#include "profile/creationfrontendrelay.h"

#include "shell/tooljob.h"

void InterlocutorEnHiloPrincipal::Avisar(const QString& text) {
    job_.EnHiloPrincipal([&] { destino_.Avisar(text); });
}

void InterlocutorEnHiloPrincipal::RegistrarResultados(const ResultadoCreacion& r) {
    job_.EnHiloPrincipal([&] { destino_.RegistrarResultados(r); });
}

void InterlocutorEnHiloPrincipal::MostrarResumenResultados(const ResultadoCreacion& r) {
    job_.EnHiloPrincipal([&] { destino_.MostrarResumenResultados(r); });
}

void InterlocutorEnHiloPrincipal::AvisarLecturaSospechosa(const ResultadoCreacion& r) {
    job_.EnHiloPrincipal([&] { destino_.AvisarLecturaSospechosa(r); });
}

void InterlocutorEnHiloPrincipal::MostrarDiagnosticoFallido(const QString& diagnostico) {
    job_.EnHiloPrincipal([&] { destino_.MostrarDiagnosticoFallido(diagnostico); });
}

void InterlocutorEnHiloPrincipal::AbrirVerificacionAuto(const ResultadoCreacion& r) {
    job_.EnHiloPrincipal([&] { destino_.AbrirVerificacionAuto(r); });
}

bool InterlocutorEnHiloPrincipal::PreguntarBorrarCarpeta(const QString& folder) {
    bool borrar = false;
    job_.EnHiloPrincipal([&] { borrar = destino_.PreguntarBorrarCarpeta(folder); });
    return borrar;
}
