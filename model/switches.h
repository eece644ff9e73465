// SPDX-License-Identifier: MIT
#pragma once

// The main window's switches that the law and the run step read.
enum class ConstraintMode { AtomStand, HotContact, ColdContact, ElecCurrent1, ElecCurrent2 };

struct LawSwitches {
    bool Taoscope = false;     // false: Gravoscope
    bool Functions3X1 = false; // contact term in place of the G shell
};

struct RunSwitches {
    LawSwitches Law;
    bool Blockade = false;
    bool Cool = false;
    ConstraintMode Mode = ConstraintMode::AtomStand;
};
