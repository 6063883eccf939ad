// SPDX-License-Identifier: GPL-3.0-or-later
// A program with every field a ".dia" file carries away from its default and
// different on every channel, including names in GBK and a crossover still
// walking towards its frequency, and the comparison of two programs field by
// field. tests/data/every-field.dia is this program saved.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "model/Audio_Data.h"

namespace every_field {

// "卡拉OK大厅" and "主音箱" in GBK, as a Chinese system writes them.
inline const std::string kGbkProgramName =
    "\xBF\xA8\xC0\xAD"
    "OK"
    "\xB4\xF3\xCC\xFC";
inline const std::string kGbkChannelName = "\xD6\xF7\xD2\xF4\xCF\xE4";

inline void ChangeChain(CEQ& chain, int seed) {
    chain.GetElement(1).SetGainIndex(210 + seed);
    chain.GetElement(1).SetFrequency(300 + seed);
    chain.GetElement(1).SetBandwidthIndex(40 + seed);
    chain.GetElement(0).SetType(ElementType::kLowShelf);
    chain.GetElement(0).SetSlope(1);
    chain.GetElement(0).SetGainIndex(180);
    chain.GetElement(0).SetBypass(1);
    chain.GetElement(2).SetGainIndex(250);
    chain.GetElement(2).SetAllBypass(1);
    chain.GetElement(2).SetGeqFrequency(77 + seed);
    chain.GetHighPass().SetFrequency(90 + seed);
    chain.GetHighPass().StepSentFrequency(0);
    chain.GetHighPass().SetFamily(1);
    chain.GetLowPass().SetFrequency(9000);
    chain.GetLowPass().SetSlope(2);
}

// Every field a program file carries, each away from its default and different per channel.
inline void ChangeEveryStoredField(CAudio_Data& program) {
    program.SetName(kGbkProgramName + ", a longer name than the device keeps");
    for (int i = 0; i < CAudio_InRoute::kCount; ++i) {
        CAudio_InData& input = program.GetInput(i);
        input.SetName(i == 0 ? std::string("in0-name") : kGbkChannelName + std::to_string(i));
        input.SetStoredByteA(static_cast<uint8_t>(10 + i));
        input.SetPolarity(0);
        input.SetDelay(-100 - i);
        input.SetGain(33 + i);
        input.SetStoredByteD(static_cast<uint8_t>(20 + i));
        input.SetStoredIntegerE(-30000 - i);
        input.SetStoredByteF(static_cast<uint8_t>(30 + i));
        input.SetLinkSlot(static_cast<uint8_t>(5 + i));
        input.SetLevel(static_cast<uint8_t>(11 + i));
        input.SetAuxLevel(static_cast<uint8_t>(12 + i));
        input.SetMute(1 + i);
        input.SetFeedbackMode(static_cast<uint8_t>(1 + i));
        input.SetBassAttenuation(static_cast<uint8_t>(15 + i));
        for (int code = 0; code < 4; ++code) {
            input.SetEffectCode(code, static_cast<uint8_t>(2 * code + i + 1));
        }
        ChangeChain(input.GetChain(), i);
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
        CAudio_OutData& output = program.GetOutput(i);
        output.SetOutputKind((i + 2) % 6);
        output.SetName(i == 0 ? kGbkChannelName : "out" + std::to_string(i));
        output.SetStoredIntegerB(1000 + i);
        output.SetStoredByteA(static_cast<uint8_t>(40 + i));
        output.SetStoredByteC(static_cast<uint8_t>(50 + i));
        output.SetGain(20 + i);
        output.SetPolarity(0);
        output.SetSwitchBits(static_cast<uint8_t>(3 + i));
        output.SetDelay(-500 - i);
        output.SetStoredByteE(static_cast<uint8_t>(60 + i));
        output.SetEqMode(2 + i);
        output.SetLimiterThreshold(-7 - i);
        output.SetLimiterAttack(8 + i);
        output.SetLimiterRelease(2 + i);
        output.SetStoredByteG(static_cast<uint8_t>(70 + i));
        output.SetStoredByteH(static_cast<uint8_t>(80 + i));
        output.SetMixMicBoth(static_cast<uint8_t>(1 + i));
        output.SetMixMusicBoth(static_cast<uint8_t>(2 + i));
        output.SetMixMic(static_cast<uint8_t>(90 + i));
        output.SetMicOn(0);
        output.SetMusicOn(7);
        ChangeChain(output.GetChain(), 10 + i);
    }
    CAudio_EffectData& effect = program.GetEffect();
    for (int i = 0; i < EffectParam::kCount; ++i) {
        effect.SetEffectParam(i, static_cast<uint8_t>(200 + i));
    }
    effect.SetEffectMode(8);
    effect.SetEffectMute(0);
    ChangeChain(effect.GetChain(), 20);
}

inline void ExpectSameChain(const CEQ& actual, const CEQ& expected) {
    ASSERT_EQ(actual.GetCount(), expected.GetCount());
    for (int i = 0; i < actual.GetCount(); ++i) {
        const CFilter& a = actual.GetElement(i);
        const CFilter& e = expected.GetElement(i);
        SCOPED_TRACE("element " + std::to_string(i));
        EXPECT_EQ(a.GetType(), e.GetType());
        EXPECT_EQ(a.GetFrequency(), e.GetFrequency());
        EXPECT_EQ(a.GetGeqFrequency(), e.GetGeqFrequency());
        EXPECT_EQ(a.GetSentFrequency(), e.GetSentFrequency());
        EXPECT_EQ(a.GetGain(), e.GetGain());
        EXPECT_EQ(a.GetAllBypass(), e.GetAllBypass());
        EXPECT_EQ(a.GetBypass(), e.GetBypass());
        EXPECT_EQ(a.GetBandwidth(), e.GetBandwidth());
        EXPECT_EQ(a.GetGeqBandwidth(), e.GetGeqBandwidth());
        EXPECT_EQ(a.GetFamily(), e.GetFamily());
        EXPECT_EQ(a.GetSlope(), e.GetSlope());
        EXPECT_EQ(a.GetId(), e.GetId());
    }
}

inline void ExpectSameStoredFields(CAudio_Data& actual, CAudio_Data& expected) {
    EXPECT_EQ(actual.GetName(), expected.GetName());
    for (int i = 0; i < CAudio_InRoute::kCount; ++i) {
        SCOPED_TRACE("input " + std::to_string(i));
        CAudio_InData& a = actual.GetInput(i);
        CAudio_InData& e = expected.GetInput(i);
        EXPECT_EQ(a.GetName(), e.GetName());
        EXPECT_EQ(a.GetStoredByteA(), e.GetStoredByteA());
        EXPECT_EQ(a.GetPolarity(), e.GetPolarity());
        EXPECT_EQ(a.GetDelay(), e.GetDelay());
        EXPECT_EQ(a.GetGain(), e.GetGain());
        EXPECT_EQ(a.GetStoredByteD(), e.GetStoredByteD());
        EXPECT_EQ(a.GetStoredIntegerE(), e.GetStoredIntegerE());
        EXPECT_EQ(a.GetStoredByteF(), e.GetStoredByteF());
        EXPECT_EQ(a.GetLinkSlot(), e.GetLinkSlot());
        EXPECT_EQ(a.GetLevel(), e.GetLevel());
        EXPECT_EQ(a.GetAuxLevel(), e.GetAuxLevel());
        EXPECT_EQ(a.GetMute(), e.GetMute());
        EXPECT_EQ(a.GetFeedbackMode(), e.GetFeedbackMode());
        EXPECT_EQ(a.GetBassAttenuation(), e.GetBassAttenuation());
        for (int code = 0; code < 4; ++code) {
            EXPECT_EQ(a.GetEffectCode(code), e.GetEffectCode(code));
        }
        ExpectSameChain(a.GetChain(), e.GetChain());
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
        SCOPED_TRACE("output " + std::to_string(i));
        const CAudio_OutData& a = actual.GetOutput(i);
        const CAudio_OutData& e = expected.GetOutput(i);
        EXPECT_EQ(a.GetName(), e.GetName());
        EXPECT_EQ(a.GetStoredIntegerB(), e.GetStoredIntegerB());
        EXPECT_EQ(a.GetStoredByteA(), e.GetStoredByteA());
        EXPECT_EQ(a.GetStoredByteC(), e.GetStoredByteC());
        EXPECT_EQ(a.GetGain(), e.GetGain());
        EXPECT_EQ(a.GetPolarity(), e.GetPolarity());
        EXPECT_EQ(a.GetSwitchBits(), e.GetSwitchBits());
        EXPECT_EQ(a.GetDelay(), e.GetDelay());
        EXPECT_EQ(a.GetStoredByteE(), e.GetStoredByteE());
        EXPECT_EQ(a.GetEqMode(), e.GetEqMode());
        EXPECT_EQ(a.GetLimiterThreshold(), e.GetLimiterThreshold());
        EXPECT_EQ(a.GetLimiterAttack(), e.GetLimiterAttack());
        EXPECT_EQ(a.GetLimiterRelease(), e.GetLimiterRelease());
        EXPECT_EQ(a.GetStoredByteG(), e.GetStoredByteG());
        EXPECT_EQ(a.GetOutputKind(), e.GetOutputKind());
        EXPECT_EQ(a.GetStoredByteH(), e.GetStoredByteH());
        EXPECT_EQ(a.GetMixMicL(), e.GetMixMicL());
        EXPECT_EQ(a.GetMixMicR(), e.GetMixMicR());
        EXPECT_EQ(a.GetMixMusicL(), e.GetMixMusicL());
        EXPECT_EQ(a.GetMixMusicR(), e.GetMixMusicR());
        EXPECT_EQ(a.GetMicOnL(), e.GetMicOnL());
        EXPECT_EQ(a.GetMicOnR(), e.GetMicOnR());
        EXPECT_EQ(a.GetMusicOnL(), e.GetMusicOnL());
        EXPECT_EQ(a.GetMusicOnR(), e.GetMusicOnR());
        ExpectSameChain(a.GetChain(), e.GetChain());
    }
    const CAudio_EffectData& a = actual.GetEffect();
    const CAudio_EffectData& e = expected.GetEffect();
    for (int i = 0; i < EffectParam::kCount; ++i) {
        EXPECT_EQ(a.GetEffectParam(i), e.GetEffectParam(i)) << "effect parameter " << i;
    }
    EXPECT_EQ(a.GetEffectMode(), e.GetEffectMode());
    EXPECT_EQ(a.GetEffectMute(), e.GetEffectMute());
    ExpectSameChain(a.GetChain(), e.GetChain());
}

}  // namespace every_field
