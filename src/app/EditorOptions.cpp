// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EditorOptions.h"

#include <QCommandLineParser>

#include "app/ShellTexts.h"

namespace {

constexpr int kUsageError = 2;

EditorCommandLine Stop(const QString& text, int exitCode) {
    EditorCommandLine result;
    result.run = false;
    result.text = text;
    result.exitCode = exitCode;
    return result;
}

}  // namespace

EditorCommandLine ReadEditorCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Editor and live remote control for the audio processor.\n"
                       "Without --connect nothing connects until you press Connect."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help and exit."));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Show the version and exit."));
    const QCommandLineOption connectOption(
        QStringLiteral("connect"),
        QStringLiteral("Open this link at start-up, without the Connect dialog: "
                       "tcp:HOST:PORT, serial:PATH or usb."),
        QStringLiteral("link"));
    const QCommandLineOption languageOption(QStringLiteral("language"),
                                            QStringLiteral("Interface language: en or zh."),
                                            QStringLiteral("en|zh"));
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    parser.addOption(connectOption);
    parser.addOption(languageOption);
    parser.addPositionalArgument(QStringLiteral("FILE.dia"),
                                 QStringLiteral("A program file to open."),
                                 QStringLiteral("[FILE.dia]"));

    if (!parser.parse(arguments)) {
        return Stop(parser.errorText() + QStringLiteral("\n"), kUsageError);
    }
    if (parser.isSet(helpOption)) {
        return Stop(parser.helpText(), 0);
    }
    if (parser.isSet(versionOption)) {
        return Stop(QString::fromUtf8(kAppTitle) + QStringLiteral("\n"), 0);
    }

    EditorCommandLine result;
    if (parser.isSet(connectOption)) {
        const auto address =
            ParseLinkAddress(parser.value(connectOption).toStdString(), "--connect");
        if (const auto* reason = std::get_if<std::string>(&address)) {
            return Stop(QString::fromStdString(*reason) + QStringLiteral("\n"), kUsageError);
        }
        result.options.connect = std::get<LinkAddress>(address);
    }
    if (parser.isSet(languageOption)) {
        const QString language = parser.value(languageOption);
        if (language == QLatin1String("en")) {
            result.options.language = Language::English;
        } else if (language == QLatin1String("zh")) {
            result.options.language = Language::Chinese;
        } else {
            return Stop(QStringLiteral("bad --language '%1': use en or zh\n").arg(language),
                        kUsageError);
        }
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return Stop(QStringLiteral("only one program file can be opened\n"), kUsageError);
    }
    if (!files.isEmpty()) {
        result.options.programFile = files.front();
    }
    return result;
}
