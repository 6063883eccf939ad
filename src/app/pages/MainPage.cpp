// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/MainPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <array>

#include "app/ShellTexts.h"
#include "app/pages/MainPageActions.h"
#include "app/pages/PageServices.h"

namespace {
// Control numbers of the buttons.
constexpr int kMusicInputButton = 4004;
constexpr int kMicrophoneInputButton = 4003;
constexpr std::array<int, 2> kEffectBlockButtons = {1945, 2335};
// The three buttons of each output row, top row first.
constexpr std::array<int, 3> kFirstOutputRowButtons = {4010, 4016, 4028};
constexpr int kFirstOutputColumnButton = 5424;
constexpr int kFirstEffectGroupButton = 5430;
constexpr int kFirstSceneButton = 2166;

constexpr int kMusicInputPage = 1;
constexpr int kEffectPage = 2;
constexpr int kMicrophoneInputPage = 3;

constexpr std::array<BilingualText, MainPageRules::kOutputRows> kOutputNames = {{
    {"Main L", "主左"},
    {"Main R", "主右"},
    {"Center", "中置"},
    {"Sub", "超低"},
    {"Surr L", "环绕左"},
    {"Surr R", "环绕右"},
}};
constexpr std::array<BilingualText, 3> kOutputRowButtons = {{
    {"EQ", "均衡"},
    {"X-Over", "分频"},
    {"Level", "电平"},
}};
constexpr BilingualText kEffectGroup{"Effect %1", "效果 %1"};
constexpr BilingualText kOutputColumn{"Out %1", "输出 %1"};

// Grid columns of the flow, left to right.
constexpr int kInputColumn = 0;
constexpr int kEffectColumn = 1;
constexpr int kOutputNameColumn = 2;
constexpr int kFirstOutputButtonColumn = 3;
constexpr int kOutputColumnButtonColumn = 6;
constexpr int kSceneRow = MainPageRules::kOutputRows + 1;
}  // namespace

MainPage::MainPage(PageServices& services, QWidget* parent)
    : Page(parent), services_(services), grid_(new QGridLayout(this)) {
    AddHeading({"Input", "输入"}, {0, kInputColumn});
    AddOpenPageButton(kMusicInputButton, {nullptr, {"Music", "音乐"}}, {1, kInputColumn},
                      kMusicInputPage);
    AddOpenPageButton(kMicrophoneInputButton, {nullptr, {"Mic", "话筒"}}, {2, kInputColumn},
                      kMicrophoneInputPage);

    AddHeading({"Effect", "效果"}, {0, kEffectColumn});
    AddOpenPageButton(kEffectBlockButtons[0], {nullptr, {"Echo", "回声"}}, {1, kEffectColumn},
                      kEffectPage);
    AddOpenPageButton(kEffectBlockButtons[1], {nullptr, {"Reverb", "混响"}}, {2, kEffectColumn},
                      kEffectPage);
    for (int group = 1; group <= MainPageRules::kEffectGroupCount; ++group) {
        AddButton(kFirstEffectGroupButton + group - 1, {nullptr, kEffectGroup, group},
                  {2 + group, kEffectColumn}, [this, group] { LoadEffectGroup(services_, group); });
    }

    AddHeading({"Output", "输出"}, {0, kOutputNameColumn});
    for (int row = 0; row < MainPageRules::kOutputRows; ++row) {
        const int page = MainPageRules::OutputPageOf(row);
        AddHeading(kOutputNames.at(static_cast<size_t>(row)), {row + 1, kOutputNameColumn});
        for (size_t button = 0; button < kFirstOutputRowButtons.size(); ++button) {
            AddOpenPageButton(kFirstOutputRowButtons.at(button) + row,
                              {nullptr, kOutputRowButtons.at(button)},
                              {row + 1, kFirstOutputButtonColumn + static_cast<int>(button)}, page);
        }
        // Each opens the page of the output in its own row.
        AddOpenPageButton(kFirstOutputColumnButton + row, {nullptr, kOutputColumn, row + 1},
                          {row + 1, kOutputColumnButtonColumn}, page);
    }

    for (int scene = 0; scene < MainPageRules::kSceneCount; ++scene) {
        AddButton(kFirstSceneButton + scene, {nullptr, MainPageRules::SceneNameOf(scene)},
                  {kSceneRow, kFirstOutputButtonColumn + scene},
                  [this, scene] { RecallScene(services_, scene); });
    }
    grid_->setRowStretch(kSceneRow + 1, 1);
    grid_->setColumnStretch(kOutputColumnButtonColumn + 1, 1);
    Relabel(services_.GetLanguage());
}

void MainPage::ShowChannel(CAudio_Data* program, [[maybe_unused]] int channel) {
    program_ = program;
    Refresh();
}

void MainPage::Refresh() {
    // The picture shows no values: nothing to redraw.
}

void MainPage::Relabel(Language language) {
    for (const Caption& caption : captions_) {
        QString text = Tr(caption.text, language);
        if (caption.number > 0) {
            text = text.arg(caption.number);
        }
        if (auto* label = qobject_cast<QLabel*>(caption.widget)) {
            label->setText(text);
        } else if (auto* button = qobject_cast<QPushButton*>(caption.widget)) {
            button->setText(text);
        }
    }
}

QPushButton* MainPage::Button(int controlId) const {
    const auto found = buttons_.find(controlId);
    return found == buttons_.end() ? nullptr : found->second;
}

void MainPage::AddButton(int controlId, const Caption& caption, Place place,
                         const std::function<void()>& action) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::number(controlId));
    connect(button, &QPushButton::clicked, this, action);
    grid_->addWidget(button, place.row, place.column);
    buttons_.emplace(controlId, button);
    captions_.push_back({button, caption.text, caption.number});
}

void MainPage::AddOpenPageButton(int controlId, const Caption& caption, Place place, int page) {
    AddButton(controlId, caption, place, [this, page] { services_.SelectPage(page); });
}

void MainPage::AddHeading(BilingualText text, Place place) {
    auto* label = new QLabel(this);
    grid_->addWidget(label, place.row, place.column);
    captions_.push_back({label, text, 0});
}
