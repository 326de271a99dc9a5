// The screen size the frame tests at start: the primary screen's size in
// pixels; tests inject another with ScopedScreenSize.
#pragma once

#include <QSize>

namespace platform {

QSize screenSize();

class ScopedScreenSize {
public:
    explicit ScopedScreenSize(QSize size);
    ~ScopedScreenSize();
    ScopedScreenSize(const ScopedScreenSize&) = delete;
    ScopedScreenSize& operator=(const ScopedScreenSize&) = delete;

private:
    QSize previous_;
    bool hadPrevious_;
};

}  // namespace platform
