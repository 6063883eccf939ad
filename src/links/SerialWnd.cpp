// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/SerialWnd.h"

#include "links/SerialErrors.h"

CSerialWnd::CSerialWnd(QObject* parent) : QObject(parent) {}

CSerialWnd::~CSerialWnd() {
    if (IsOpen()) {
        Trace("CSerialWnd::~CSerialWnd - Serial port not closed\n");
        CSerialWnd::Close();
    }
}

long CSerialWnd::Open(const std::string& device, long parameter, size_t inQueue, size_t outQueue) {
    const long result = CSerialEx::Open(device, inQueue, outQueue, false);
    if (result != kSerialSuccess) {
        return result;
    }
    parameter_ = parameter;
    const long started = StartListener();
    if (started != kSerialSuccess) {
        CSerialEx::Close();
        return Fail(started);
    }
    return Succeed();
}

long CSerialWnd::Close() {
    parameter_ = 0;
    return CSerialEx::Close();
}

void CSerialWnd::OnLineLost() {
    emit LineLost(parameter_);
}

void CSerialWnd::OnEvent(uint32_t eventBits, uint32_t errorBits) {
    emit ComEvent((eventBits & 0xFFFF) | (errorBits << 16), parameter_);
}
