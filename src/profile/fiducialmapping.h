#pragma once

#include "profile/chartlocator.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

class ChartDefinition;

// Two decimals with "." whatever the locale.
QString FormatoCoordenada(double value);
// x0,y0,x1,y1,x2,y2,x3,y3 in FormatoCoordenada, joined by "," (scanin's -F argument).
QString ListaFiduciales(const std::array<double, 4>& x, const std::array<double, 4>& y);
QString ListaFiduciales(const Quad& points);
// The numbers of a fiducial list; false unless there are eight.
bool LeerListaFiduciales(const QString& list, Quad* points);

// The same four points starting at each of them in turn: the chart turned by 0, 90, 180 and
// 270 degrees against an order of corners.
QList<Quad> Giros(const Quad& corners);

// The chart's fiducial marks in the image, one set per orientation (the located one first),
// mapped through the homography between the chart definition and the located chart: for a
// detector block, its corners at patches A1, A6, D6, D1 pushed out as the detector's model
// does (then at E1, E6, H6, H1 and so on, for charts of several blocks); for a region, the
// extent of the chart's patches. Turns that would put a mark left of or above the image are
// left out. Empty when the chart has no fiducial marks or, for a block, no A1..D6 patches.
QList<Quad> FiducialesDeCarta(const ChartDefinition& chart, const LocatedChart& located);

// The chart's fiducial marks where LocateChart finds the chart in the image, in the image's
// order (clockwise from the top left, as the grid window's handles go); nothing when the chart
// is not found or its definition cannot be read.
std::optional<Quad> EsquinasDeCartaEncontrada(const QString& imagen, const QString& cht);
