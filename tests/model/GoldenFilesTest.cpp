// SPDX-License-Identifier: GPL-3.0-or-later
// The program files in tests/data: each NAME.dia must load, give exactly the
// device image in NAME.image and save back byte for byte. A new case is a new
// pair of files. handmade.dia was written from the file layout alone
// (make-handmade.py); every-field.dia is what the program of
// EveryFieldProgram.h saves as, so a field order changed in both save and load
// still fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "EveryFieldProgram.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"

namespace fs = std::filesystem;

namespace {

const fs::path kDataFolder = SONAVEL_TEST_DATA_DIR;

std::vector<uint8_t> ReadData(const std::string& fileName) {
    std::ifstream in(kDataFolder / fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> ProgramFileNames() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(kDataFolder)) {
        if (entry.path().extension() == ".dia") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Where an image offset lies, in the terms of the device records.
std::string DescribeImageOffset(size_t offset) {
    const auto place = [offset](const std::string& record, size_t start) {
        const size_t within = offset - start;
        return record + " record, row " + std::to_string(within / 8) + " byte " +
               std::to_string(within % 8);
    };
    if (offset < CAudio_Data::kEffectRecordOffset) {
        return place("input " + std::to_string(offset / 152), offset / 152 * 152);
    }
    if (offset < CAudio_Data::kFirstOutputRecordOffset) {
        return place("effect", CAudio_Data::kEffectRecordOffset);
    }
    const size_t output = (offset - CAudio_Data::kFirstOutputRecordOffset) / 88;
    return place("output " + std::to_string(output),
                 CAudio_Data::kFirstOutputRecordOffset + 88 * output);
}

// The first few differing bytes, each with its place in the image.
std::string ImageDifferences(const std::vector<uint8_t>& actual,
                             const std::vector<uint8_t>& expected) {
    std::string text;
    int shown = 0;
    for (size_t i = 0; i < std::min(actual.size(), expected.size()) && shown < 8; ++i) {
        if (actual[i] != expected[i]) {
            text += "\n  offset " + std::to_string(i) + " (" + DescribeImageOffset(i) +
                    "): " + std::to_string(actual[i]) + ", expected " + std::to_string(expected[i]);
            ++shown;
        }
    }
    return text;
}

class GoldenProgramFile : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenProgramFile, LoadsToItsImageAndSavesBackByteForByte) {
    const std::vector<uint8_t> file = ReadData(GetParam() + ".dia");
    const std::vector<uint8_t> expectedImage = ReadData(GetParam() + ".image");
    ASSERT_EQ(expectedImage.size(), CAudio_Data::kImageSize) << GetParam() << ".image";

    CAudio_Data program;
    ASSERT_TRUE(DeserializeProgram(file, program));
    program.BuildImage();
    const std::vector<uint8_t> image(program.GetImage().begin(),
                                     program.GetImage().begin() + CAudio_Data::kImageSize);
    EXPECT_TRUE(image == expectedImage) << ImageDifferences(image, expectedImage);
    EXPECT_TRUE(SerializeProgram(program) == file) << "re-saving changed the file";
}

INSTANTIATE_TEST_SUITE_P(TestsData, GoldenProgramFile, ::testing::ValuesIn(ProgramFileNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(GoldenProgramFiles, ProgramsSaveAsTheirFiles) {
    CAudio_Data fresh;
    EXPECT_TRUE(SerializeProgram(fresh) == ReadData("new.dia")) << "new.dia";

    CAudio_Data everyField;
    every_field::ChangeEveryStoredField(everyField);
    EXPECT_TRUE(SerializeProgram(everyField) == ReadData("every-field.dia")) << "every-field.dia";

    CAudio_Data loaded;
    ASSERT_TRUE(DeserializeProgram(ReadData("every-field.dia"), loaded));
    every_field::ExpectSameStoredFields(loaded, everyField);
}

}  // namespace
