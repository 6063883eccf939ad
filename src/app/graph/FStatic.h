// SPDX-License-Identifier: GPL-3.0-or-later
// The response graph at the foot of the EQ pages: one channel's summed
// response with its markers, on which the user drags bands, bandwidth
// handles and crossover filters. Drags write straight into the program's
// elements, whose dirty flags carry the change to the device; the page hears
// of it through `ElementChanged`, at most once per notice period.
//
// The constraint: the sender reads the same elements on the USB worker
// thread, so every pointer event that may change an element runs under the
// outgoing queue's lock (given by `SetQueue`); painting does not take it.
#pragma once

#include <QWidget>
#include <mutex>
#include <optional>

#include "app/graph/GraphChannel.h"
#include "app/graph/GraphInteraction.h"
#include "app/graph/GraphPainter.h"
#include "curves/BilingualText.h"

class CAudio_Data;
class CSendDataQueue;
class GraphNotice;

class CFStatic : public QWidget {
    Q_OBJECT

  public:
    explicit CFStatic(QWidget* parent = nullptr);

    // The program whose channels are shown; the first channel of each kind is chosen.
    void SetSource(CAudio_Data& program);
    // GraphMode::kInput, kOutput or kEffect.
    void SetMode(int mode);
    // The queue whose lock guards the elements; none in tests without a sender.
    void SetQueue(const CSendDataQueue* queue) { queue_ = queue; }
    void SetLanguage(Language language);
    // The language of the words painted on the plot ("All Bypass").
    Language CurrentLanguage() const { return language_; }
    void SetNoticePeriod(int milliseconds);

    // Fits the plot to the control and lays every channel of the program out in it.
    void Layout();
    void SelectInputChannel(int channel);
    void SelectOutput(int output);
    void SelectEffect();
    // Emphasises element `emphasisIndex`, or the current element for -1.
    void Redraw(int emphasisIndex = -1);

    int GetMode() const { return mode_; }
    int CurrentElement() const { return interaction_.CurrentElement(); }
    bool IsPointerOver() const { return interaction_.IsPointerOver(); }
    PixelRect PlotRect() const;
    // The frame as last painted: where the axis labels and grid lines stand.
    const GraphFrame& Frame() const { return painter_.Frame(); }

  signals:
    // An element was changed by dragging; its position in the chain.
    void ElementChanged(int chainIndex);
    // The left button went down on the plot / came up again; DragFinished
    // waits for the drag's last ElementChanged, so the page has taken every
    // change of the drag when it comes.
    void DragStarted();
    void DragFinished();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::optional<GraphChannel> ShownChannel() const;
    MarkedElements Marks() const;
    // The queue lock, or no lock when no queue was given.
    std::unique_lock<std::recursive_mutex> LockElements() const;
    // Forgets the current element before another channel is shown.
    void ChannelSelected();
    void UpdateCursor();

    CAudio_Data* program_ = nullptr;
    const CSendDataQueue* queue_ = nullptr;
    bool finishAfterNotice_ = false;
    int mode_ = GraphMode::kInput;
    int inputChannel_ = 0;
    int output_ = 0;
    int emphasis_ = -1;
    Language language_ = Language::Chinese;
    GraphInteraction interaction_;
    GraphPainter painter_;
    GraphNotice* notice_;
};
