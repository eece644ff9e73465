// SPDX-License-Identifier: MIT
#pragma once

#include "model/pairdistances.h"
#include "model/potential.h"

#include <array>
#include <string>
#include <vector>

// Two finite present points are bound when their distance is below the
// cutoff of their pair; clusters are the connected groups of bound points.
//
// The law's own cutoff for a pair is read from the push curve of each point's
// coefficient row, with the pair's sign (pushcurve.h): the first unstable
// equilibrium beyond the innermost stable one, the edge of the innermost well.
// Each point feels the other's row, so for points of different groups the
// smaller of the two is taken: the distance up to which both rows hold the
// pair together. Under Taoscope the sign depends on parity, so pairs of equal
// and of opposite parity have cutoffs of their own: an equal-parity pair's
// curve is the mirror image, its wells where the other's barriers are. A curve
// with no stable equilibrium binds nothing (cutoff 0); one with no barrier
// beyond its innermost well holds to the law's reach (GroupPotential::End).
struct ClusterCutoffs {
    // By GroupPairIndex, then Parity (Equal, Opposite).
    std::array<std::array<Real, 2>, GroupPairCount> R{};
    // The fault's text for a pair of groups whose curve the law does not give.
    std::array<std::string, GroupPairCount> Fault;
};

ClusterCutoffs LawCutoffs(const PairLaw& law);

// Every equilibrium of one row's push curve with the given parity, from the
// samples its potential's table took. Throws UserError where the law faults.
std::vector<Equilibrium> GroupEquilibria(const GroupPotential& potential, const GroupCoefficients& row,
                                         const LawSwitches& switches, Parity parity);
// One distance for every pair. Throws UserError unless it is a positive
// finite number.
ClusterCutoffs UniformCutoff(Real r);

struct Clusters {
    // Slots of each cluster in increasing order; the largest cluster first,
    // ties by their first slot. A lone point is a cluster of one.
    std::vector<std::vector<int>> Members;
    int Largest = 0;
    int LeftOut = 0;    // present points without a finite position
    std::string Fault;  // when set, no clusters: a present pair's cutoff is not known
};

Clusters FindClusters(const TaonSystem& system, const ClusterCutoffs& cutoffs);
