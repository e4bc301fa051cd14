// Records every message box the code under test shows, instead of showing it.
#pragma once

#include <string>
#include <vector>

struct CapturedBox {
    std::string caption;
    std::string text;
    unsigned style;
};

// While an object lives, message boxes are recorded (in order) and answered with OK.
// With `echoToStderr`, each box is also written to standard error as "box <n> <caption>:
// <text>" and a line feed, so that a death test can see the boxes of the process that died.
class BoxCapture {
public:
    explicit BoxCapture(bool echoToStderr = false);
    ~BoxCapture();
    const std::vector<CapturedBox>& Boxes() const;
    // Every box so far as "<caption>: <text>" and a line feed, in order.
    std::string Shown() const;
    void Clear();
};

// The system's own sentence for an error code, as FormatMessageA gives it; empty when none.
std::string SystemText(unsigned long code);
