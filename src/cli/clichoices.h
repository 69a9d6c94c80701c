#pragma once

#include <QString>
#include <QStringList>

// Numbers and list choices as typed on the command line. Unlike the window's boxes, which read
// the leading number of any text, the whole text must be the value.

// A decimal number (NumeroInicial), "," read as ".", blanks around it; false for anything else.
bool LeerNumeroCli(const QString& text, double& value);
// A whole decimal number; false for anything else.
bool LeerEnteroCli(const QString& text, int& value);

// A list choice by its position (from 0, as the window's list index) or by its short name
// (case ignored); -1 when the text is neither.
int IndiceEleccion(const QString& text, const QStringList& nombres);
// "name (0), name (1), ..." for messages and help.
QString DescribirElecciones(const QStringList& nombres);

// The main window's list selected at start, by its control name (ListasOpciones): its index
// and its item.
int IndicePorDefecto(const QString& control);
QString ValorPorDefecto(const QString& control);

// Short names of the main window's profile lists, in list order.
const QStringList& NombresAlgoritmo(); // cboAlgorithm
const QStringList& NombresCalidad();   // cboQuality
const QStringList& NombresIntento();   // cboIntent
// The verification window's intent list and the comparison window's two lists.
const QStringList& NombresIntentoVerificacion();
const QStringList& NombresNormalizar();
const QStringList& NombresX3dom();
