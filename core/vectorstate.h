// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Clears the upper halves of the processor's vector registers (vzeroupper) on
// processors with AVX; on the others it does nothing but test one flag.
//
// Code built for AVX that returns without clearing them leaves them "dirty" for its
// thread; Qt's raster engine does, whenever it draws. From then on some processors
// (Intel's, of 2015 onwards) run every instruction of the older SSE encoding, which
// the program's own arithmetic and the C library's sin and cos are built from, with a
// penalty: sin and cos become about ten times slower. The run's arithmetic calls this
// where it starts, since it may start on a thread that has just drawn.
void cleanVectorState();
