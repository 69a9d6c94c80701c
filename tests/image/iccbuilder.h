#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Hand-made ICC profiles for the description reader's tests and its fuzz check.

struct EtiquetaICC {
    QByteArray firma;           // four characters
    QByteArray datos;           // tag data, placed after the table
    qint64 desplazamiento = -1; // -1: where the data lands; else written as given
    qint64 tamano = -1;         // -1: size of the data; else written as given
};

// A 128-byte header, the tag count (count < 0: the number of tags), the table and the data.
QByteArray PerfilICC(const QList<EtiquetaICC>& etiquetas, qint64 cuenta = -1);

// textDescriptionType data: "desc", 4 reserved bytes, the ASCII count (n < 0: the text's size
// plus its terminating zero), the text and its zero, then cola.
QByteArray DatosDesc(const QByteArray& texto, qint64 n = -1, const QByteArray& cola = {});

struct RegistroMluc {
    QByteArray idioma; // "en"
    QByteArray pais;   // "US"
    QString texto;
};
// multiLocalizedUnicodeType data with the records in the given order (UTF-16BE strings).
QByteArray DatosMluc(const QList<RegistroMluc>& registros, qint64 tamanoRegistro = 12);

void PonerU32BE(QByteArray& bytes, qsizetype p, quint32 valor);
