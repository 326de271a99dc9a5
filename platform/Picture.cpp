#include "platform/Picture.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <cstdlib>

#include <sys/mman.h>

namespace platform {

namespace {

// A picture's memory in whole huge pages where the kernel gives them on
// request: a fresh picture the size of the frame is some five hundred
// small pages, each one a page fault when first drawn on, which on a
// virtual machine costs more than the drawing. Elsewhere, ordinary memory.
QImage newImage(const QSize& size, QImage::Format format) {
    constexpr size_t kHugePage = size_t{2} << 20;
    const int bits = static_cast<int>(QImage::toPixelFormat(format).bitsPerPixel());
    const qsizetype stride = ((size.width() * bits + 31) / 32) * 4;
    const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(size.height());
    const size_t reserved = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = bytes > 0 ? std::aligned_alloc(kHugePage, reserved) : nullptr;
    if (!memory) return QImage(size, format);
#ifdef MADV_HUGEPAGE
    madvise(memory, reserved, MADV_HUGEPAGE);
#endif
    return QImage(static_cast<uchar*>(memory), size.width(), size.height(), stride, format,
                  [](void* m) { std::free(m); }, memory);
}

}  // namespace

QImage drawPicture(const QSize& size, QImage::Format format,
                   const std::function<void(QImage&)>& draw) {
    QImage image = newImage(size, format);
    QThreadPool* pool = QThreadPool::globalInstance();
    // No pooled thread free at once (or already on one): drawn here, so
    // the caller never waits on other work.
    QSemaphore done;
    const bool started = pool && !pool->contains(QThread::currentThread()) &&
                         pool->tryStart([&] {
                             draw(image);
                             done.release();
                         });
    if (started)
        done.acquire();
    else
        draw(image);
    return image;
}

}  // namespace platform
