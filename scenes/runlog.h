// SPDX-License-Identifier: MIT
#pragma once

#include "model/runquantities.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Run records as CSV, one row per sample under the header
//
//   step,time,ke1,ke2,ke3,ke,px,py,pz,p,cx,cy,cz,rg,vmax,clusters,largest,epot,etot
//
// (kinetic energy per group and in all, momentum and its size, centroid,
// radius of gyration, largest speed; then the number of clusters, the size of
// the largest, the potential and the total energy, each empty where the
// sample has none: the structure columns come last, so that a reader of the
// first fifteen keeps working), every real in its exact text
// (RealToText), so that figures from the window and from a batch run compare
// as they are.
QByteArray RunLogHeader();
QByteArray RunLogRow(const RunSample& sample);

// The header and every sample, replacing the file whole (AtomicFile).
void WriteRunLog(const QString& path, const std::vector<RunSample>& samples);
