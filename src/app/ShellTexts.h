// SPDX-License-Identifier: GPL-3.0-or-later
// The texts the main window, the view and its dialogs show, in both languages
// of the interface, so that each has one place and tests can name them.
#pragma once

#include <QString>

#include "curves/BilingualText.h"

inline constexpr const char* kAppTitle = "Sonavel V6.3.2";

namespace ShellText {
inline constexpr BilingualText kAutomaticMode{"Automatic mode", "自动模式"};
inline constexpr BilingualText kHelpNotFound{"Not Find Help File", "没有发现帮助文件!"};
inline constexpr BilingualText kDownloadNotice{"You have saved data according to the download!",
                                               "您已把数据下载到机器!"};
inline constexpr BilingualText kTransmitting{"transmitting Data", "数据传输中"};
inline constexpr BilingualText kConnecting{"Connecting", "连接"};
inline constexpr BilingualText kNetwork{"Network", "网络"};
inline constexpr BilingualText kPort{"Port", "端口"};
inline constexpr BilingualText kCancel{"Cancel", "取消"};
inline constexpr BilingualText kAbout{"About", "关于"};
// Menu texts; "&&" shows as one "&" in a menu, and the letter after a single
// "&" opens the menu with Alt. Chinese menus name that letter in brackets.
inline constexpr BilingualText kFileMenu{"&File", "文件(&F)"};
inline constexpr BilingualText kOpenItem{"Open...", "打开..."};
inline constexpr BilingualText kSaveItem{"Save...", "保存..."};
inline constexpr BilingualText kExportGraph{"Export graph as PNG...", "导出曲线图(PNG)..."};
inline constexpr BilingualText kExportResponses{"Export responses as CSV...",
                                                "导出响应曲线(CSV)..."};
inline constexpr BilingualText kExportSheet{"Export setup sheet as PDF...", "导出设置记录(PDF)..."};
inline constexpr BilingualText kEditMenu{"&Edit", "编辑(&E)"};
inline constexpr BilingualText kConnectMenu{"&OnLine", "连接(&C)"};
inline constexpr BilingualText kConnectItem{"OnLine&&Disconnect", "联机或断开"};
inline constexpr BilingualText kLanguageMenu{"&Language", "语言(&L)"};
inline constexpr BilingualText kHelpMenu{"&Help", "帮助(&H)"};
}  // namespace ShellText

inline QString Tr(const BilingualText& text, Language language) {
    const std::string_view chosen = text.In(language);
    return QString::fromUtf8(chosen.data(), static_cast<qsizetype>(chosen.size()));
}
