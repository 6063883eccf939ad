// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/graph/FStatic.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/graph/GraphNotice.h"
#include "model/Audio_Data.h"
#include "protocol/SendDataQueue.h"

namespace {
PixelPoint ToPixelPoint(const QMouseEvent& event) {
    const QPoint point = event.position().toPoint();
    return {point.x(), point.y()};
}
}  // namespace

CFStatic::CFStatic(QWidget* parent) : QWidget(parent), notice_(new GraphNotice(this)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(notice_, &GraphNotice::Due, this, &CFStatic::ElementChanged);
    connect(notice_, &GraphNotice::Due, this, [this] {
        if (finishAfterNotice_ && !notice_->IsPending()) {
            finishAfterNotice_ = false;
            emit DragFinished();
        }
    });
}

void CFStatic::SetSource(CAudio_Data& program) {
    ChannelSelected();
    program_ = &program;
    inputChannel_ = 0;
    output_ = 0;
    Layout();
}

void CFStatic::SetMode(int mode) {
    ChannelSelected();
    mode_ = mode;
    Redraw(-1);
}

void CFStatic::SetLanguage(Language language) {
    language_ = language;
    update();
}

void CFStatic::SetNoticePeriod(int milliseconds) {
    notice_->SetPeriod(milliseconds);
}

PixelRect CFStatic::PlotRect() const {
    return PlotRectForClient(width(), height());
}

void CFStatic::Layout() {
    if (program_ != nullptr) {
        const auto guard = LockElements();
        program_->SetPlotRect(PlotRect());
    }
    notice_->Start();
    update();
}

void CFStatic::SelectInputChannel(int channel) {
    if (channel < 0 || channel >= CAudio_InRoute::kCount) {
        return;
    }
    ChannelSelected();
    inputChannel_ = channel;
    Redraw(-1);
}

void CFStatic::SelectOutput(int output) {
    if (output < 0 || output >= CAudio_OutRoute::kCount) {
        return;
    }
    ChannelSelected();
    output_ = output;
    if (const auto channel = ShownChannel()) {
        const auto guard = LockElements();
        channel->EnsureLaidOut(PlotRect());
    }
    Redraw(-1);
}

void CFStatic::SelectEffect() {
    ChannelSelected();
    Redraw(-1);
}

void CFStatic::Redraw(int emphasisIndex) {
    emphasis_ = emphasisIndex;
    update();
}

std::optional<GraphChannel> CFStatic::ShownChannel() const {
    if (program_ == nullptr) {
        return std::nullopt;
    }
    switch (mode_) {
        case GraphMode::kInput:
            return GraphChannel(program_->GetInput(inputChannel_));
        case GraphMode::kOutput:
            return GraphChannel(program_->GetOutput(output_));
        case GraphMode::kEffect:
            return GraphChannel(program_->GetEffect());
        default:
            return std::nullopt;
    }
}

MarkedElements CFStatic::Marks() const {
    return MarkedElements(mode_, mode_ == GraphMode::kOutput ? output_ : inputChannel_);
}

std::unique_lock<std::recursive_mutex> CFStatic::LockElements() const {
    if (queue_ == nullptr) {
        return {};
    }
    return queue_->Lock();
}

void CFStatic::ChannelSelected() {
    if (const auto channel = ShownChannel()) {
        const auto guard = LockElements();
        interaction_.Clear(&channel->Chain());
    } else {
        interaction_.Clear(nullptr);
    }
    UpdateCursor();
}

void CFStatic::UpdateCursor() {
    const Qt::CursorShape shape =
        interaction_.IsPointerOver() ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (cursor().shape() != shape) {
        setCursor(shape);
    }
}

void CFStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    GraphScene scene;
    const auto channel = ShownChannel();
    if (channel) {
        // The curve is the one thing painting computes: the sum of responses
        // the drag steps have already recalculated.
        channel->EnsureLaidOut(PlotRect());
        channel->UpdateCurve();
        scene.channel = &*channel;
    }
    scene.marks = Marks();
    scene.current = interaction_.CurrentElement();
    scene.emphasised = emphasis_ >= 0 ? emphasis_ : scene.current;
    scene.language = language_;
    painter_.Paint(painter, size(), scene);
}

void CFStatic::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout();
}

void CFStatic::mousePressEvent(QMouseEvent* event) {
    const auto channel = ShownChannel();
    if (event->button() != Qt::LeftButton || !channel) {
        return;
    }
    {
        const auto guard = LockElements();
        channel->EnsureLaidOut(PlotRect());
        interaction_.Press(channel->Chain(), ToPixelPoint(*event));
    }
    emit DragStarted();
}

void CFStatic::mouseMoveEvent(QMouseEvent* event) {
    const auto channel = ShownChannel();
    if (!channel) {
        return;
    }
    const PixelRect plot = PlotRect();
    PointerOutcome outcome;
    {
        const auto guard = LockElements();
        channel->EnsureLaidOut(plot);
        outcome = interaction_.Move(channel->Chain(), Marks(),
                                    GraphScale(plot.Width(), plot.Height()), ToPixelPoint(*event));
    }
    if (outcome.elementChanged) {
        notice_->Post(interaction_.CurrentElement());
    }
    if (outcome.redraw) {
        Redraw(-1);
    }
    UpdateCursor();
}

void CFStatic::mouseReleaseEvent(QMouseEvent* event) {
    const auto channel = ShownChannel();
    if (event->button() != Qt::LeftButton || !channel) {
        return;
    }
    {
        const auto guard = LockElements();
        interaction_.Release(channel->Chain());
    }
    UpdateCursor();
    // The page hears of the drag's last change at the notice's own pace; the
    // drag is over for everyone else only after that.
    if (notice_->IsPending()) {
        finishAfterNotice_ = true;
    } else {
        emit DragFinished();
    }
}
