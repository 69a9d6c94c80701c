#include "profile/resultsummary.h"

#include "lang/texto.h"

QString TextoResumenResultados(const ResultadoCreacion& r, bool guardarTi3, bool guardarDiag) {
    QString m = QStringLiteral("Perfil creado correctamente:\n") + r.perfil +
                QStringLiteral("\n\nResultado para el operador:\n"
                               "- Perfil ICC/ICM: archivo que se instala o se asigna al "
                               "escáner/cámara.\n");
    if (!r.ti3.isEmpty()) {
        m += QStringLiteral("- TI3: mediciones guardadas para verificar o comparar el perfil "
                            "después.\n");
    } else if (guardarTi3) {
        m += QStringLiteral("- TI3: no se pudo guardar; revisa el log.\n");
    }
    if (!r.diagnostico.isEmpty()) {
        m += QStringLiteral("- Diagnóstico TIFF: imagen para revisar si scanin detectó bien la "
                            "carta.\n");
    } else if (guardarDiag) {
        m += QStringLiteral("- Diagnóstico TIFF: no se pudo guardar; revisa el log.\n");
    }
    if (!r.verificacion.isEmpty()) {
        m += QLatin1Char('\n') + r.verificacion + QLatin1Char('\n');
    }
    if (r.media2000 && r.maximo2000) {
        m += Texto(QStringLiteral("verify.de2000_line"))
                 .arg(*r.media2000, 0, 'f', 2)
                 .arg(*r.maximo2000, 0, 'f', 2) +
             QLatin1Char('\n');
    }
    if (!r.avisoLectura.isEmpty()) {
        m += QLatin1Char('\n') + r.avisoLectura + QLatin1Char('\n');
    }
    for (const CaptureWarning& w : r.avisosCaptura) {
        m += QLatin1Char('\n') + w.text;
    }
    if (!r.avisosCaptura.isEmpty()) {
        m += QLatin1Char('\n');
    }
    m += QStringLiteral("\n¿Abrir la carpeta donde se ha guardado el perfil?");
    return m;
}

QString LineaLogResumen(const QString& message) {
    QString line = message;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" | "));
    line.replace(QLatin1Char('\n'), QStringLiteral(" | "));
    return QStringLiteral("Resumen operador: ") + line;
}
