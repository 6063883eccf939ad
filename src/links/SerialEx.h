// SPDX-License-Identifier: GPL-3.0-or-later
// A serial port with a listener thread that waits for port events and hands
// each one to OnEvent with the event bits and the line error bits.
//
// The constraint: OnEvent runs on the listener thread, so it may only pass the
// event on (post it); stopping the listener wakes the wait and joins the
// thread before the port is closed.
#pragma once

#include <atomic>
#include <thread>

#include "links/Serial.h"

class CSerialEx : public CSerial {
  public:
    CSerialEx() = default;
    ~CSerialEx() override;

    long Open(const std::string& device, size_t inQueue = 0, size_t outQueue = 0,
              bool startListener = false);
    long Close() override;

    long StartListener();
    long StopListener();
    bool IsListening() const { return listener_.joinable(); }

  protected:
    // Listener thread: one port event (low word) with its line errors.
    virtual void OnEvent(uint32_t eventBits, uint32_t errorBits) = 0;
    // Listener thread: the wait failed (the line hung up, the adapter went)
    // and the listener has stopped; nothing more will arrive on this port.
    virtual void OnLineLost() {}
    void CloseListenerResources();

  private:
    void ThreadProc();

    std::atomic<bool> stopping_{false};
    std::thread listener_;
    SerialDevice::WakeSignal wake_;
};
