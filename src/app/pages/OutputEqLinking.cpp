// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/OutputEqLinking.h"

#include "model/Audio_Data.h"

void ApplyBandChangeToLinkedOutputs(CAudio_Data& program, int output, int band,
                                    const BandChange& change) {
    change(program.GetOutput(output).GetBand(band));
    program.GetOutputLinks().ForEachPartner(
        output, [&](CAudio_OutData& partner) { change(partner.GetBand(band)); });
}

void RepeatDraggedBandOnLinkedOutputs(CAudio_Data& program, int output, int band) {
    const CFilter& dragged = program.GetOutput(output).GetBand(band);
    program.GetOutputLinks().ForEachPartner(output, [&](CAudio_OutData& partner) {
        // Copied whole rather than through the gain index, which reads 200
        // for a bypassed band: a partner would lose the gain it keeps under
        // the bypass and stay flat when the shown band is switched back on.
        CFilter& follower = partner.GetBand(band);
        follower.CopyFrom(dragged);
        follower.SetDirty(1);
    });
}

bool PressAllBypass(CAudio_Data& program, int output) {
    CAudio_OutData& shown = program.GetOutput(output);
    const int requested = shown.UpdateAllBypassed() != 0 ? 0 : 1;
    shown.SetAllBandsAllBypass(requested);
    const int reached = shown.UpdateAllBypassed();
    // Bands at 0 dB stay bypassed whatever the switch asks; then nothing
    // changed here, and the partners are left as they are.
    if (reached == requested) {
        program.GetOutputLinks().ForEachPartner(output, [&](CAudio_OutData& partner) {
            partner.SetAllBandsAllBypass(requested);
            partner.UpdateAllBypassed();
        });
    }
    return reached != 0;
}
