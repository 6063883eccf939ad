// SPDX-License-Identifier: GPL-3.0-or-later
// Tells the page which element a drag changed, at most once per period, so
// the page refreshes its number boxes a few times a second rather than on
// every pointer movement. A notice waits until the timer's next tick; later
// changes before that tick only update the element it names.
#pragma once

#include <QObject>
#include <QTimer>

inline constexpr int kNoticePeriodMilliseconds = 200;

class GraphNotice : public QObject {
    Q_OBJECT

  public:
    explicit GraphNotice(QObject* parent = nullptr);

    void SetPeriod(int milliseconds);
    // Starts the ticks if they are not running yet.
    void Start();

    // Element `chainIndex` changed. A notice still waiting for another
    // element goes out at once, so that no changed element goes unreported.
    void Post(int chainIndex);
    bool IsPending() const { return pending_; }

  signals:
    void Due(int chainIndex);

  private:
    void Tick();

    QTimer timer_;
    int index_ = 0;
    bool pending_ = false;
};
