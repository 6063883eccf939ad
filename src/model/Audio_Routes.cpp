// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Audio_Routes.h"

CAudio_InRoute::CAudio_InRoute()
    : channels_{CAudio_InData(0), CAudio_InData(1), CAudio_InData(2)} {}

CAudio_OutRoute::CAudio_OutRoute()
    : channels_{{
          {0, &links_},
          {1, &links_},
          {2, &links_},
          {3, &links_},
          {4, &links_},
          {5, &links_},
      }} {}
