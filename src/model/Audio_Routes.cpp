// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Audio_Routes.h"

CAudio_InRoute::CAudio_InRoute(std::pmr::memory_resource* memory)
    : channels_{CAudio_InData(0, memory), CAudio_InData(1, memory), CAudio_InData(2, memory)} {}

CAudio_OutRoute::CAudio_OutRoute(std::pmr::memory_resource* memory)
    : channels_{{
          {0, &links_, memory},
          {1, &links_, memory},
          {2, &links_, memory},
          {3, &links_, memory},
          {4, &links_, memory},
          {5, &links_, memory},
      }} {}
