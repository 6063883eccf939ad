// SPDX-License-Identifier: GPL-3.0-or-later
// The help documents the editor opens, where it finds them in the build tree
// (laid out as installed): each language covers the same sections, every link
// inside a page lands on a heading, and every picture a page shows is there,
// small enough to ship.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>

#include "WidgetTestApp.h"
#include "app/HelpFile.h"

namespace {

constexpr qint64 kLargestPictureBytes = 200 * 1024;
constexpr int kWidestPicture = 1100;

QStringList Captures(const QString& text, const QString& pattern) {
    QStringList found;
    QRegularExpressionMatchIterator matches = QRegularExpression(pattern).globalMatch(text);
    while (matches.hasNext()) {
        found << matches.next().captured(1);
    }
    return found;
}

QString ReadDocument(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(HelpDocumentTest, BothLanguagesCoverTheSameSectionsWithEveryPictureAndLinkInPlace) {
    WidgetTestApp();
    const HelpFilePaths paths = FindHelpFiles(QCoreApplication::applicationDirPath());
    QSet<QString> sections[2];
    int index = 0;
    for (const QString& path : {paths.english, paths.chinese}) {
        SCOPED_TRACE(path.toStdString());
        const QString text = ReadDocument(path);
        ASSERT_FALSE(text.isEmpty()) << "the editor would report its help missing";
        const QStringList ids = Captures(text, QStringLiteral(R"re(\bid="([^"]+)")re"));
        sections[index++] = QSet<QString>(ids.begin(), ids.end());
        for (const QString& target : Captures(text, QStringLiteral(R"re(href="#([^"]+)")re"))) {
            EXPECT_TRUE(sections[index - 1].contains(target))
                << "no heading #" << target.toStdString();
        }
        const QStringList pictures =
            Captures(text, QStringLiteral(R"re(<img [^>]*src="([^"]+)")re"));
        EXPECT_FALSE(pictures.isEmpty());
        for (const QString& picture : pictures) {
            const QFileInfo file(QFileInfo(path).dir().filePath(picture));
            ASSERT_TRUE(file.isFile()) << picture.toStdString();
            EXPECT_LE(file.size(), kLargestPictureBytes) << picture.toStdString();
            QImageReader reader(file.filePath());
            EXPECT_EQ(reader.format(), "png") << picture.toStdString();
            EXPECT_GT(reader.size().width(), 0) << picture.toStdString();
            EXPECT_LE(reader.size().width(), kWidestPicture) << picture.toStdString();
        }
    }
    EXPECT_EQ(sections[0], sections[1]) << "a section is missing from one language";
    EXPECT_TRUE(sections[0].contains(QStringLiteral("trouble")));
    EXPECT_TRUE(ReadDocument(paths.chinese).contains(QStringLiteral("lang=\"zh")));
}

}  // namespace
