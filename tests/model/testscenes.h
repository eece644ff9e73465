// SPDX-License-Identifier: MIT
#pragma once

// Scenes and comparisons shared by the law, step and engine tests.

#include "errortext.h"
#include "modeldifference.h"
#include "model/law.h"
#include "model/pairforces.h"
#include "model/taonsystem.h"
#include "model/usererror.h"

#include <QString>
#include <QTest>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <limits>
#include <random>
#include <vector>

namespace testscenes {

// A = 1, B = 1, C = 2, D = 3, F = 4, G = 5 in every group: the law's reference row.
inline void SetReferenceRow(TaonSystem& s, int group)
{
    Real* row[3][6] = {{&s.A1, &s.B1, &s.C1, &s.D1, &s.F1, &s.G1},
                       {&s.A2, &s.B2, &s.C2, &s.D2, &s.F2, &s.G2},
                       {&s.A3, &s.B3, &s.C3, &s.D3, &s.F3, &s.G3}};
    const Real values[6] = {1, 1, 2, 3, 4, 5};
    for (int k = 0; k < 6; ++k)
        *row[group - 1][k] = values[k];
}

// An empty model with the reference row in all groups and every slot absent,
// the absent slots spread far out of reach of each other and of the origin.
inline TaonSystem EmptyModel()
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    s.dt = 0.001L;
    for (int g = 1; g <= 3; ++g)
        SetReferenceRow(s, g);
    for (int i = 1; i <= SlotCount; ++i) {
        s.X[i] = 1000.0L + 10.0L * i;
        s.Y[i] = -500.0L - 7.0L * i;
        s.Z[i] = 300.0L + 3.0L * i;
    }
    return s;
}

// Makes every copy equal to the committed state, as a load does.
inline void Settle(TaonSystem& s)
{
    FillSceneRecord(s);
    RestoreFromSceneRecord(s);
}

inline void Place(TaonSystem& s, int slot, Real x, Real y, Real z, Real u = 0, Real v = 0, Real w = 0)
{
    s.Present[slot] = 1;
    s.X[slot] = x;
    s.Y[slot] = y;
    s.Z[slot] = z;
    s.U[slot] = u;
    s.V[slot] = v;
    s.W[slot] = w;
}

// Points at the given slots, well apart (no pair closer than `spacing`),
// inside a box of half-width `extent`, with velocities up to `speed`.
inline TaonSystem RandomScene(unsigned seed, const std::vector<int>& taken, Real extent, Real spacing, Real speed)
{
    TaonSystem s = EmptyModel();
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> position(-double(extent), double(extent));
    std::uniform_real_distribution<double> velocity(-double(speed), double(speed));
    for (int slot : taken) {
        for (;;) {
            const Real x = position(random), y = position(random), z = position(random);
            bool clear = true;
            for (int other : taken) {
                if (other == slot || s.Present[other] == 0)
                    continue;
                const Real dx = x - s.X[other], dy = y - s.Y[other], dz = z - s.Z[other];
                clear = clear && dx * dx + dy * dy + dz * dz > spacing * spacing;
            }
            if (clear) {
                Place(s, slot, x, y, z, velocity(random), velocity(random), velocity(random));
                break;
            }
        }
    }
    Settle(s);
    return s;
}

// The first field in which two models differ, or an empty text.
inline QString FirstDifference(const TaonSystem& a, const TaonSystem& b)
{
    return QString::fromStdString(ModelDifference(a, b));
}

// A data row per shell B, C, D, F, G, in the column "shell".
inline void AddShellRows()
{
    QTest::addColumn<int>("shell");
    for (int shell = 0; shell < ShellCount; ++shell)
        QTest::addRow("shell %c", "BCDFG"[shell]) << shell;
}

// The eight values on either side of each edge, the edges included.
inline void AddEdges(std::vector<Real>& values, std::initializer_list<Real> edges)
{
    for (Real edge : edges) {
        Real below = edge, above = edge;
        values.push_back(edge);
        for (int n = 0; n < 8; ++n)
            values.insert(values.end(), {below = std::nextafter(below, 0.0L), above = std::nextafter(above, 2 * edge)});
    }
}

// Whether the fast engine's forces on slot 1 of `pair`, with slot 100 at
// distance r from it, are the law's bit for bit, with and without the contact
// term.
inline bool PairForcesAreTheLaw(TaonSystem pair, Real r)
{
    WorkerPool pool(1);
    PairForces engine(pool);
    Place(pair, 1, 0, 0, 0);
    Place(pair, 100, 0.48L * r, -0.6L * r, 0.64L * r);
    for (bool functions3x1 : {false, true}) {
        const LawSwitches law{false, functions3x1};
        engine.Prepare(pair, law, pair.Present, false);
        for (Axis axis : {Axis::X, Axis::Y, Axis::Z})
            if (!SameBits(engine.Force(pair, law, 1, axis), Force(pair, law, 1, axis)))
                return false;
    }
    return true;
}

} // namespace testscenes
