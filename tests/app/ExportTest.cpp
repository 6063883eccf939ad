// SPDX-License-Identifier: GPL-3.0-or-later
// The File menu's exports from the real window: the shown graph as a PNG
// that loads, the responses as the command-line client writes them, and a
// PDF setup sheet with a cover page and one page per channel.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sstream>

#include "ShellTestRig.h"
#include "app/graph/FStatic.h"
#include "app/pages/OutputPage.h"
#include "commands/CliCommands.h"
#include "model/ProgramFile.h"

namespace {

class ExportTest : public testing::Test {
  protected:
    ExportTest() {
        rig.state.language = Language::English;
        rig.window.show();
        EditProgram();
    }

    // A program whose curves are not flat, so the exports have something to show.
    void EditProgram() {
        rig.view.EditProgram([](CAudio_Data& program) {
            program.GetOutput(0).GetBand(1).SetGainIndex(260);
            program.GetOutput(3).GetHighPass().SetFrequency(120);
            program.GetInput(2).GetBand(5).SetGainIndex(120);
            program.GetEffect().GetBand(0).SetGainIndex(230);
        });
    }

    QString PathOf(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    ShellTestRig rig;
    QTemporaryDir folder;
};

TEST_F(ExportTest, TheShownGraphBecomesAPictureThatLoads) {
    rig.view.SelectPage(kFirstOutputPage);
    rig.view.Exports().SetPathChooser([this](ExportKind) { return PathOf("graph"); });
    rig.view.Exports().Export(ExportKind::GraphPicture);
    QImage picture;
    ASSERT_TRUE(picture.load(PathOf("graph.png"))) << "the suffix is added";
    const CFStatic& graph = dynamic_cast<OutputPage*>(rig.view.CurrentPageWidget())->Graph();
    EXPECT_EQ(picture.size(), graph.size() * graph.devicePixelRatio());
    EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(ExportTest, TheMainPageHasNoGraphToExport) {
    rig.view.SelectPage(0);
    int asked = 0;
    rig.view.Exports().SetPathChooser([&asked](ExportKind) {
        ++asked;
        return QString();
    });
    rig.view.Exports().Export(ExportKind::GraphPicture);
    EXPECT_EQ(asked, 0);
    ASSERT_EQ(rig.messages.shown.size(), 1U);
    EXPECT_EQ(rig.messages.shown[0], QStringLiteral("This page has no graph to export."));
}

TEST_F(ExportTest, TheResponseTableIsTheCommandLineClientsTable) {
    ASSERT_TRUE(rig.view.Exports().ExportResponsesTo(PathOf("responses.csv")));
    const std::filesystem::path file = PathOf("program.dia").toStdString();
    ASSERT_TRUE(SaveProgramFile(file, rig.view.Program()).ok);
    std::ostringstream out;
    std::ostringstream err;
    const std::vector<std::string> arguments{file.string(), "--csv"};
    ASSERT_EQ(cli::RunCurves(arguments, out, err), cli::kSuccess) << err.str();
    const QByteArray exported = Contents(PathOf("responses.csv"));
    EXPECT_EQ(exported.toStdString(), out.str());
    EXPECT_TRUE(exported.startsWith("hz,in0,in1,in2,out0"));
}

TEST_F(ExportTest, TheSetupSheetHasACoverAndAPagePerChannel) {
    rig.presets.SetName(3, "Karaoke A");
    ASSERT_TRUE(rig.view.Exports().ExportSetupSheetTo(PathOf("sheet.pdf")));
    const QByteArray pdf = Contents(PathOf("sheet.pdf"));
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(page), 1 + 3 + 1 + 6);
}

TEST_F(ExportTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
    const QString path = PathOf("missing-folder/responses.csv");
    EXPECT_FALSE(rig.view.Exports().ExportResponsesTo(path));
    EXPECT_FALSE(rig.view.Exports().ExportSetupSheetTo(PathOf("missing-folder/sheet.pdf")));
    ASSERT_EQ(rig.messages.shown.size(), 2U);
    EXPECT_TRUE(rig.messages.shown[0].startsWith(QStringLiteral("Could not write the file:")));
    EXPECT_TRUE(rig.messages.shown[0].contains(QStringLiteral("missing-folder")));
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
