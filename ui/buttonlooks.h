// SPDX-License-Identifier: MIT
#pragma once

class QPushButton;

// The two looks of the run button: the "OK" look (green tick, "Go") while
// idle and the "Cancel" look (red cross, "Stop") while running.
void ShowOkLook(QPushButton* button);
void ShowCancelLook(QPushButton* button);
