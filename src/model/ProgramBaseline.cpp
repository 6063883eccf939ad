// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProgramBaseline.h"

#include "model/Archive.h"
#include "model/Audio_Data.h"

std::vector<uint8_t> ProgramBaseline::Content(CAudio_Data& program) {
    CArchive archive = CArchive::ForComparing();
    program.Serialize(archive);
    return archive.StoredBytes();
}

void ProgramBaseline::Take(CAudio_Data& program) {
    content_ = Content(program);
}

bool ProgramBaseline::IsChanged(CAudio_Data& program) const {
    return Content(program) != content_;
}
