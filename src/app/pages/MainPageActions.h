// SPDX-License-Identifier: GPL-3.0-or-later
// What the main page's block, effect-group and scene buttons do, apart from
// the widgets so that each rule can be tested against fake services.
//
// The constraint: an effect group is chosen locally first (the effect mode
// and the microphone's four effect codes) and only then read from the
// device, so the local choice stays even when no link is open.
#pragma once

#include <array>

#include "curves/BilingualText.h"

class PageServices;

namespace MainPageRules {
inline constexpr int kEffectGroupCount = 4;
inline constexpr int kSceneCount = 4;
inline constexpr int kOutputRows = 6;

// Effect group 1..4: the code set locally and the device group then read.
int EffectCodeOf(int group);
int DeviceEffectGroupOf(int group);
// Scene 0..3: the preset slot of system group "SROOM.1", "MROOM.1", "BROOM.1", "BHALL.1".
int SceneSlotOf(int scene);
// The name the preset-group dialog shows for that slot.
BilingualText SceneNameOf(int scene);
// The output page of output row 0..5 (main left down to surround right).
int OutputPageOf(int row);
}  // namespace MainPageRules

// Sets the effect mode and the microphone's effect codes, then reads the
// group when a link is connected and the user agrees to what it replaces;
// otherwise shows the not-connected message.
void LoadEffectGroup(PageServices& services, int group);
// Recalls the scene's preset when connected; otherwise only shows the message.
void RecallScene(PageServices& services, int scene);
