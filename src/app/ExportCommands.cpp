// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportCommands.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QSaveFile>
#include <sstream>

#include "app/AppState.h"
#include "app/MessageSink.h"
#include "app/SetupSheet.h"
#include "app/ShellTexts.h"
#include "app/graph/FStatic.h"
#include "app/graph/GraphMapping.h"
#include "model/Audio_Data.h"
#include "model/GbkText.h"
#include "model/PresetStore.h"
#include "model/ProgramFile.h"
#include "model/ProgramSnapshot.h"
#include "model/ResponseExport.h"
#include "protocol/SendDataQueue.h"

namespace {
constexpr BilingualText kNoGraph{"This page has no graph to export.", "此页面没有可导出的曲线图。"};
constexpr BilingualText kWriteFailed{"Could not write the file:", "无法写入文件："};
constexpr BilingualText kSheetTitle{"Setup sheet", "设置记录"};
constexpr BilingualText kProgram{"Program", "程序"};
constexpr BilingualText kPresets{"Presets", "预置"};
constexpr BilingualText kPictures{"PNG pictures", "PNG 图片"};
constexpr BilingualText kTables{"CSV tables", "CSV 表格"};
constexpr BilingualText kDocuments{"PDF documents", "PDF 文档"};
// The names the save dialogs suggest, in the interface language like the rest of the dialog.
constexpr BilingualText kGraphFile{"graph.png", "曲线图.png"};
constexpr BilingualText kResponsesFile{"responses.csv", "响应曲线.csv"};
constexpr BilingualText kSheetFile{"setup-sheet.pdf", "设置记录.pdf"};

constexpr int kSheetGraphWidth = 900;
constexpr int kSheetGraphHeight = 330;

// A copy of the program to read at leisure, taken under the queue lock.
class ProgramCopy {
  public:
    ProgramCopy(CAudio_Data& program, CSendDataQueue& queue) {
        ProgramSnapshot snapshot;
        {
            const auto guard = queue.Lock();
            snapshot = TakeSnapshot(program);
        }
        DeserializeProgram(snapshot.archive, copy_);
    }
    CAudio_Data& Get() { return copy_; }

  private:
    CAudio_Data copy_;
};

bool WriteWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString WithSuffix(QString path, const char* suffix) {
    if (!path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) {
        path += QLatin1String(suffix);
    }
    return path;
}

QPixmap ChannelGraph(CAudio_Data& program, int channel, Language language) {
    CFStatic graph;
    graph.setAttribute(Qt::WA_DontShowOnScreen);
    graph.resize(kSheetGraphWidth, kSheetGraphHeight);
    graph.SetSource(program);
    graph.SetLanguage(language);
    if (channel < 3) {
        graph.SetMode(GraphMode::kInput);
        graph.SelectInputChannel(channel);
    } else if (channel == 3) {
        graph.SetMode(GraphMode::kEffect);
        graph.SelectEffect();
    } else {
        graph.SetMode(GraphMode::kOutput);
        graph.SelectOutput(channel - 4);
    }
    graph.Layout();
    return graph.grab();
}

QString Utf8(const std::string& gbk) {
    return QString::fromStdString(DecodeGbk(gbk));
}

// Draws `lines` from `top` down; returns where the next line would go.
int DrawLines(QPainter& painter, const QStringList& lines, int left, int top) {
    const int step = painter.fontMetrics().lineSpacing();
    for (const QString& line : lines) {
        painter.drawText(left, top + painter.fontMetrics().ascent(), line);
        top += step;
    }
    return top;
}
}  // namespace

ExportCommands::ExportCommands(Services services, PathChooser chooser)
    : services_(std::move(services)), chooser_(std::move(chooser)) {}

ExportCommands::PathChooser ExportCommands::FileDialogChooser(QWidget* parent,
                                                              const AppState& state) {
    return [parent, &state](ExportKind kind) {
        const Language language = state.language;
        QString filter;
        QString name;
        switch (kind) {
            case ExportKind::GraphPicture:
                filter = Tr(kPictures, language) + QStringLiteral(" (*.png)");
                name = Tr(kGraphFile, language);
                break;
            case ExportKind::ResponseTable:
                filter = Tr(kTables, language) + QStringLiteral(" (*.csv)");
                name = Tr(kResponsesFile, language);
                break;
            case ExportKind::SetupSheet:
                filter = Tr(kDocuments, language) + QStringLiteral(" (*.pdf)");
                name = Tr(kSheetFile, language);
                break;
        }
        return QFileDialog::getSaveFileName(parent, QString(),
                                            QDir::currentPath() + QDir::separator() + name, filter);
    };
}

void ExportCommands::Export(ExportKind kind) {
    if (kind == ExportKind::GraphPicture && services_.shownGraph() == nullptr) {
        services_.messages.Show(Tr(kNoGraph, services_.state.language));
        return;
    }
    const QString path = chooser_(kind);
    if (path.isEmpty()) {
        return;
    }
    switch (kind) {
        case ExportKind::GraphPicture:
            ExportGraphTo(WithSuffix(path, ".png"));
            break;
        case ExportKind::ResponseTable:
            ExportResponsesTo(WithSuffix(path, ".csv"));
            break;
        case ExportKind::SetupSheet:
            ExportSetupSheetTo(WithSuffix(path, ".pdf"));
            break;
    }
}

void ExportCommands::ShowFailure(const QString& path) {
    services_.messages.Show(Tr(kWriteFailed, services_.state.language) + QLatin1Char('\n') +
                            QDir::toNativeSeparators(path));
}

bool ExportCommands::ExportGraphTo(const QString& path) {
    CFStatic* graph = services_.shownGraph();
    if (graph == nullptr) {
        services_.messages.Show(Tr(kNoGraph, services_.state.language));
        return false;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!graph->grab().save(&buffer, "PNG") || !WriteWhole(path, bytes)) {
        ShowFailure(path);
        return false;
    }
    return true;
}

bool ExportCommands::ExportResponsesTo(const QString& path) {
    ProgramCopy copy(services_.program, services_.queue);
    std::ostringstream out;
    WriteResponsesCsv(out, ChannelResponses(copy.Get()));
    if (!WriteWhole(path, QByteArray::fromStdString(out.str()))) {
        ShowFailure(path);
        return false;
    }
    return true;
}

bool ExportCommands::ExportSetupSheetTo(const QString& path) {
    const Language language = services_.state.language;
    ProgramCopy copy(services_.program, services_.queue);
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(150);
        writer.setTitle(Tr(kSheetTitle, language));
        writer.setCreator(QString::fromUtf8(kAppTitle));
        QPainter painter(&writer);
        const int left = 90;
        int top = 90;
        const int width = writer.width() - 2 * left;

        QFont heading = painter.font();
        heading.setPointSize(16);
        heading.setBold(true);
        QFont body = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        body.setPointSize(9);

        painter.setFont(heading);
        top = DrawLines(
            painter,
            {QString::fromUtf8(kAppTitle) + QStringLiteral(" — ") + Tr(kSheetTitle, language)},
            left, top);
        painter.setFont(body);
        QStringList cover{
            Tr(kProgram, language) + QStringLiteral(": ") + Utf8(copy.Get().GetName()),
            QDateTime::currentDateTime().toString(Qt::ISODate), QString(),
            Tr(kPresets, language) + QLatin1Char(':')};
        for (int slot = 1; slot < kPresetSlotCount; ++slot) {
            cover << QStringLiteral("%1  %2").arg(slot, 2).arg(Utf8(services_.presets.Name(slot)));
        }
        DrawLines(painter, cover, left, top);

        for (const SheetChannel& channel : DescribeChannels(copy.Get(), language)) {
            writer.newPage();
            top = 90;
            painter.setFont(heading);
            top = DrawLines(painter, {channel.heading}, left, top) + 10;
            painter.setFont(body);
            top = DrawLines(painter, channel.values, left, top) + 20;
            top = DrawLines(painter, channel.elements, left, top) + 20;
            const QPixmap graph = ChannelGraph(copy.Get(), channel.channel, language);
            const int height = width * graph.height() / std::max(1, graph.width());
            painter.drawPixmap(QRect(left, top, width, height), graph);
        }
    }
    if (!WriteWhole(path, bytes)) {
        ShowFailure(path);
        return false;
    }
    return true;
}
