// SPDX-License-Identifier: GPL-3.0-or-later
// How the editor starts: its command line, the link it opens without the
// Connect dialog, and where it finds its help.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ShellTestRig.h"
#include "app/EditorOptions.h"
#include "app/HelpFile.h"
#include "protocol/Frame.h"

namespace {

EditorCommandLine Read(QStringList arguments) {
    arguments.prepend(QStringLiteral("sonavel"));
    return ReadEditorCommandLine(arguments);
}

TEST(EditorCommandLineTest, ReadsTheLinkTheLanguageAndTheFile) {
    const EditorCommandLine network =
        Read({QStringLiteral("--connect"), QStringLiteral("tcp:127.0.0.1:8123"),
              QStringLiteral("--language"), QStringLiteral("en"), QStringLiteral("show.dia")});
    ASSERT_TRUE(network.run);
    ASSERT_TRUE(network.options.connect);
    EXPECT_EQ(network.options.connect->kind, LinkKind::Network);
    EXPECT_EQ(network.options.connect->host, "127.0.0.1");
    EXPECT_EQ(network.options.connect->port, 8123);
    EXPECT_EQ(network.options.language, Language::English);
    EXPECT_EQ(network.options.programFile, QStringLiteral("show.dia"));

    const EditorCommandLine serial =
        Read({QStringLiteral("--connect=serial:/dev/pts/4"), QStringLiteral("--language=zh")});
    ASSERT_TRUE(serial.run);
    EXPECT_EQ(serial.options.connect->kind, LinkKind::Serial);
    EXPECT_EQ(serial.options.connect->serialPath, "/dev/pts/4");
    EXPECT_EQ(serial.options.language, Language::Chinese);

    const EditorCommandLine plain = Read({});
    ASSERT_TRUE(plain.run);
    EXPECT_FALSE(plain.options.connect) << "nothing connects by itself";
    EXPECT_FALSE(plain.options.language);
    EXPECT_TRUE(plain.options.programFile.isEmpty());
    EXPECT_EQ(Read({QStringLiteral("--connect"), QStringLiteral("usb")}).options.connect->kind,
              LinkKind::Usb);
}

TEST(EditorCommandLineTest, HelpVersionAndMistakesEndTheProgramWithText) {
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        {{QStringLiteral("--help")}, 0, "--connect"},
        {{QStringLiteral("--version")}, 0, "Sonavel V6.3.2"},
        {{QStringLiteral("--connect"), QStringLiteral("tcp:127.0.0.1")}, 2, "bad --connect"},
        {{QStringLiteral("--connect"), QStringLiteral("tcp:127.0.0.1:0")}, 2, "bad --connect"},
        {{QStringLiteral("--connect"), QStringLiteral("bluetooth")}, 2, "bad --connect"},
        {{QStringLiteral("--connect")}, 2, "connect"},
        {{QStringLiteral("--language"), QStringLiteral("fr")}, 2, "bad --language"},
        {{QStringLiteral("a.dia"), QStringLiteral("b.dia")}, 2, "only one program file"},
        {{QStringLiteral("--colour")}, 2, "colour"},
    };
    for (const Case& c : cases) {
        const EditorCommandLine read = Read(c.arguments);
        EXPECT_FALSE(read.run) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(read.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(read.text.contains(QString::fromLatin1(c.says)))
            << c.arguments.join(' ').toStdString() << ": " << read.text.toStdString();
    }
}

TEST(EditorStartTest, ConnectingFromTheCommandLineShowsNoDialog) {
    ShellTestRig rig;
    ASSERT_TRUE(rig.server.Listen());
    rig.view.SetConnectDialogRunner([&rig](ConnectDialog&) {
        ++rig.dialogsRun;
        return false;
    });
    const EditorCommandLine read = Read(
        {QStringLiteral("--connect"), QStringLiteral("tcp:127.0.0.1:%1").arg(rig.server.Port())});
    ASSERT_TRUE(read.run);
    ConnectionSettings settings = rig.view.Device().Manager().Settings();
    ApplyLinkAddress(*read.options.connect, settings);
    rig.view.ConnectTo(settings);
    ASSERT_TRUE(RunUntil([&] { return !rig.Requests(Command::kStatusPoll).empty(); }));
    EXPECT_TRUE(rig.view.IsConnected());
    EXPECT_EQ(rig.dialogsRun, 0);
    EXPECT_EQ(rig.Requests(Command::kProgramRead).size(), 1u) << "the connect sequence ran";
    EXPECT_TRUE(rig.messages.shown.empty());

    // Connected already: a second start-up link changes nothing.
    ConnectionSettings other = settings;
    other.tcpPort = 1;
    rig.view.ConnectTo(other);
    EXPECT_EQ(rig.view.Device().Manager().Settings().tcpPort, settings.tcpPort);
}

TEST(EditorStartTest, HelpIsFoundBesideTheProgramNotInTheWorkingDirectory) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QDir root(prefix.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(root.mkpath(QStringLiteral("share/doc/sonavel")));
    for (const char* name : {"share/doc/sonavel/EN_Help.html", "share/doc/sonavel/CH_Help.html"}) {
        QFile file(root.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const HelpFilePaths found = FindHelpFiles(root.filePath(QStringLiteral("bin")));
    EXPECT_EQ(found.english, root.filePath(QStringLiteral("share/doc/sonavel/EN_Help.html")));
    EXPECT_EQ(found.For(Language::Chinese),
              root.filePath(QStringLiteral("share/doc/sonavel/CH_Help.html")));

    // Nothing installed: the first place is named, so opening reports it missing.
    QTemporaryDir empty;
    const HelpFilePaths missing = FindHelpFiles(empty.path() + QStringLiteral("/bin"));
    EXPECT_EQ(missing.english, QDir::cleanPath(empty.path() + "/share/doc/sonavel/EN_Help.html"));
}

}  // namespace
