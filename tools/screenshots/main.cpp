// SPDX-License-Identifier: GPL-3.0-or-later
// sonavel-screenshots OUTDIR [WIDTHxHEIGHT ...] [--width=PIXELS]: every page
// and dialog of the editor as PNG files, in English and Chinese, at 1366x768
// and 1920x1080 unless other window sizes are given. Files are named
// SIZE-LANGUAGE-NN-WHAT.png, for example 1366x768-en-00-main.png. With
// --width, a picture wider than that is scaled down to it after rendering, so
// the layout is the one the window size gives (the help's pictures).
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
        std::fprintf(stderr,
                     "usage: sonavel-screenshots OUTDIR [WIDTHxHEIGHT ...] [--width=PIXELS]\n");
        return 2;
    }
    const QString outDir = arguments.first();
    std::vector<QSize> sizes;
    int widest = 0;
    for (const QString& text : arguments.mid(1)) {
        if (text.startsWith(QStringLiteral("--width="))) {
            bool number = false;
            widest = text.mid(8).toInt(&number);
            if (!number || widest < 100) {
                std::fprintf(stderr, "sonavel-screenshots: not a picture width: %s\n",
                             qPrintable(text));
                return 2;
            }
            continue;
        }
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
                const QImage shown = widest > 0 && picture.width() > widest
                                         ? picture.scaledToWidth(widest, Qt::SmoothTransformation)
                                         : picture;
                if (shown.save(path)) {
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
