// SPDX-License-Identifier: GPL-3.0-or-later
// sonavel-screenshots OUTDIR [WIDTHxHEIGHT ...]: every page and dialog of the
// editor as PNG files, in English and Chinese, at 1366x768 and 1920x1080
// unless other window sizes are given. Files are named
// SIZE-LANGUAGE-NN-WHAT.png, for example 1366x768-en-00-main.png.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <cstdio>
#include <vector>

#include "EditorShots.h"

namespace {
bool ParseSize(const QString& text, QSize& size) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{3,4})x(\\d{3,4})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return false;
    }
    size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
    return true;
}
}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.isEmpty() || arguments.first().startsWith('-')) {
        std::fprintf(stderr, "usage: sonavel-screenshots OUTDIR [WIDTHxHEIGHT ...]\n");
        return 2;
    }
    const QString outDir = arguments.first();
    std::vector<QSize> sizes;
    for (const QString& text : arguments.mid(1)) {
        QSize size;
        if (!ParseSize(text, size)) {
            std::fprintf(stderr, "sonavel-screenshots: not a window size: %s\n", qPrintable(text));
            return 2;
        }
        sizes.push_back(size);
    }
    if (sizes.empty()) {
        sizes = {QSize(1366, 768), QSize(1920, 1080)};
    }
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "sonavel-screenshots: cannot create %s\n", qPrintable(outDir));
        return 1;
    }

    EditorShots shots;
    int failures = 0;
    int written = 0;
    for (const QSize& size : sizes) {
        for (const Language language : {Language::English, Language::Chinese}) {
            const QString prefix = QStringLiteral("%1x%2-%3-")
                                       .arg(size.width())
                                       .arg(size.height())
                                       .arg(language == Language::English ? "en" : "zh");
            shots.Render(size, language, [&](const QString& stem, const QImage& picture) {
                const QString path = QDir(outDir).filePath(prefix + stem + ".png");
                if (picture.save(path)) {
                    ++written;
                } else {
                    std::fprintf(stderr, "sonavel-screenshots: cannot write %s\n",
                                 qPrintable(path));
                    ++failures;
                }
            });
        }
    }
    std::printf("%d pictures in %s\n", written, qPrintable(outDir));
    return failures == 0 ? 0 : 1;
}
