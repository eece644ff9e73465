// SPDX-License-Identifier: MIT
#pragma once

// Past the file-size limit (ulimit -f) the system sends SIGXFSZ, which ends
// the process. Ignored, the write fails instead (EFBIG) and is reported as a
// full disk, "Disk full.", with the old file whole. Every program that writes
// files calls this first.
void LetFileSizeLimitFailWrites();
