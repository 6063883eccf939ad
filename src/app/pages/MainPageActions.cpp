// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/MainPageActions.h"

#include "app/ShellTexts.h"
#include "app/dialogs/PresetGroupTexts.h"
#include "app/pages/PageServices.h"
#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"

namespace {
constexpr int kFirstSystemSlot = 11;
constexpr int kFirstOutputPage = 4;

void ShowNotConnected(PageServices& services) {
    services.ShowMessage(Tr(PresetGroupText::kNotConnected, services.GetLanguage()));
}
}  // namespace

namespace MainPageRules {
int EffectCodeOf(int group) {
    return 2 * group;
}

int DeviceEffectGroupOf(int group) {
    return 20 + 2 * group;
}

int SceneSlotOf(int scene) {
    // The first version of each of the four room kinds: every other system slot.
    return kFirstSystemSlot + 2 * scene;
}

BilingualText SceneNameOf(int scene) {
    return PresetGroupText::kSystemGroupNames.at(static_cast<size_t>(2 * scene));
}

int OutputPageOf(int row) {
    return kFirstOutputPage + row;
}
}  // namespace MainPageRules

void LoadEffectGroup(PageServices& services, int group) {
    const auto code = static_cast<uint8_t>(MainPageRules::EffectCodeOf(group));
    const auto chooseLocally = [&services, code] {
        services.EditProgram([code](CAudio_Data& program) {
            program.GetEffect().SetEffectMode(code);
            program.GetInput(InputChannel::kMicrophone).SetEffectCodes(code);
        });
    };
    if (!services.IsConnected()) {
        chooseLocally();
        ShowNotConnected(services);
        return;
    }
    // Nothing changes, here or on the processor, unless the user agrees; the
    // read is only queued, so the local choice still comes before its reply.
    if (services.ReadEffectGroup(MainPageRules::DeviceEffectGroupOf(group))) {
        chooseLocally();
    }
}

void RecallScene(PageServices& services, int scene) {
    if (services.IsConnected()) {
        services.RecallScene(MainPageRules::SceneSlotOf(scene));
    } else {
        ShowNotConnected(services);
    }
}
