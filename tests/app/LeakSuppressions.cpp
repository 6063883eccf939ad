// SPDX-License-Identifier: GPL-3.0-or-later
// The system's font configuration library keeps caches it never frees; the
// first widget that lays out text makes them. Under the leak checker every
// widget test would then fail at exit for memory that is not ours, so those
// allocations, and only those, are not reported.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
