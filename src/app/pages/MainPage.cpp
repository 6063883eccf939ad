// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/MainPage.h"

#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <array>

#include "app/ShellTexts.h"
#include "app/pages/MainPageActions.h"
#include "app/pages/PageServices.h"
#include "app/pages/SignalFlowPainter.h"

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
constexpr std::array<OutputSection, 3> kOutputRowSections = {
    OutputSection::Equaliser, OutputSection::Crossover, OutputSection::Level};
constexpr BilingualText kEffectGroup{"Effect %1", "效果 %1"};
constexpr BilingualText kOutputColumn{"Out %1", "输出 %1"};

QString CaptionText(const BilingualText& text, int number, Language language) {
    QString shown = Tr(text, language);
    return number > 0 ? shown.arg(number) : shown;
}
}  // namespace

MainPage::MainPage(PageServices& services, QWidget* parent)
    : Page(parent), services_(services), language_(services.GetLanguage()) {
    AddOpenPageButton(kMusicInputButton, {nullptr, {"Music", "音乐"}}, kMusicInputPage);
    AddOpenPageButton(kMicrophoneInputButton, {nullptr, {"Mic", "话筒"}}, kMicrophoneInputPage);
    AddOpenPageButton(kEffectBlockButtons[0], {nullptr, {"Echo", "回声"}}, kEffectPage);
    AddOpenPageButton(kEffectBlockButtons[1], {nullptr, {"Reverb", "混响"}}, kEffectPage);
    for (int group = 1; group <= MainPageRules::kEffectGroupCount; ++group) {
        AddButton(kFirstEffectGroupButton + group - 1, {nullptr, kEffectGroup, group},
                  [this, group] { LoadEffectGroup(services_, group); });
    }
    for (int row = 0; row < MainPageRules::kOutputRows; ++row) {
        const int page = MainPageRules::OutputPageOf(row);
        for (size_t button = 0; button < kFirstOutputRowButtons.size(); ++button) {
            const OutputSection section = kOutputRowSections.at(button);
            AddButton(kFirstOutputRowButtons.at(button) + row,
                      {nullptr, kOutputRowButtons.at(button)},
                      [this, page, section] { services_.ShowOutputSection(page, section); });
        }
        // Each opens the page of the output in its own row.
        AddOpenPageButton(kFirstOutputColumnButton + row, {nullptr, kOutputColumn, row + 1}, page);
    }
    for (int scene = 0; scene < MainPageRules::kSceneCount; ++scene) {
        AddButton(kFirstSceneButton + scene, {nullptr, MainPageRules::SceneNameOf(scene)},
                  [this, scene] { RecallScene(services_, scene); });
    }
    Relabel(language_);
}

void MainPage::ShowChannel(CAudio_Data* program, [[maybe_unused]] int channel) {
    program_ = program;
    Refresh();
}

void MainPage::Refresh() {
    // The picture shows no values: nothing to redraw.
}

void MainPage::Relabel(Language language) {
    language_ = language;
    for (const Caption& caption : captions_) {
        caption.button->setText(CaptionText(caption.text, caption.number, language));
    }
    updateGeometry();
    PlaceButtons();
    update();
}

QPushButton* MainPage::Button(int controlId) const {
    const auto found = buttons_.find(controlId);
    return found == buttons_.end() ? nullptr : found->second;
}

SignalFlowMetrics MainPage::Metrics() const {
    // One button size for every block, wide enough for every caption in
    // either language, so that a language switch moves nothing.
    SignalFlowMetrics metrics;
    QSize button(0, 0);
    for (const Caption& caption : captions_) {
        for (const Language language : {Language::English, Language::Chinese}) {
            const QString text = CaptionText(caption.text, caption.number, language);
            const int width = caption.button->fontMetrics().horizontalAdvance(text) + 20;
            button = button.expandedTo(QSize(width, caption.button->sizeHint().height()));
        }
    }
    metrics.button = button;
    metrics.captionHeight = fontMetrics().height() + 4;
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    int nameWidth = 0;
    for (const BilingualText& name : kOutputNames) {
        for (const Language language : {Language::English, Language::Chinese}) {
            nameWidth = std::max(nameWidth, boldMetrics.horizontalAdvance(Tr(name, language)));
        }
    }
    metrics.outputNameWidth = nameWidth + 4;
    return metrics;
}

SignalFlowLayout MainPage::Layout() const {
    return LayOutSignalFlow(size(), Metrics());
}

QSize MainPage::minimumSizeHint() const {
    return SignalFlowMinimumSize(Metrics());
}

QSize MainPage::sizeHint() const {
    return minimumSizeHint();
}

void MainPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintSignalFlow(painter, Layout(), language_, kOutputNames);
}

void MainPage::resizeEvent(QResizeEvent* event) {
    Page::resizeEvent(event);
    PlaceButtons();
}

void MainPage::PlaceButtons() {
    const SignalFlowLayout layout = Layout();
    const auto place = [this](int controlId, const QRect& where) {
        if (QPushButton* button = Button(controlId)) {
            button->setGeometry(where);
        }
    };
    place(kMusicInputButton, layout.musicButton);
    place(kMicrophoneInputButton, layout.micButton);
    place(kEffectBlockButtons[0], layout.echoButton);
    place(kEffectBlockButtons[1], layout.reverbButton);
    for (int group = 0; group < MainPageRules::kEffectGroupCount; ++group) {
        place(kFirstEffectGroupButton + group,
              layout.effectGroupButtons.at(static_cast<size_t>(group)));
    }
    for (int row = 0; row < MainPageRules::kOutputRows; ++row) {
        const SignalFlowOutputRow& output = layout.outputs.at(static_cast<size_t>(row));
        for (size_t button = 0; button < kFirstOutputRowButtons.size(); ++button) {
            place(kFirstOutputRowButtons.at(button) + row, output.buttons.at(button));
        }
        place(kFirstOutputColumnButton + row, output.buttons.back());
    }
    for (int scene = 0; scene < MainPageRules::kSceneCount; ++scene) {
        place(kFirstSceneButton + scene, layout.sceneButtons.at(static_cast<size_t>(scene)));
    }
}

QPushButton* MainPage::AddButton(int controlId, const Caption& caption,
                                 const std::function<void()>& action) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::number(controlId));
    connect(button, &QPushButton::clicked, this, action);
    buttons_.emplace(controlId, button);
    captions_.push_back({button, caption.text, caption.number});
    return button;
}

QPushButton* MainPage::AddOpenPageButton(int controlId, const Caption& caption, int page) {
    return AddButton(controlId, caption, [this, page] { services_.SelectPage(page); });
}
