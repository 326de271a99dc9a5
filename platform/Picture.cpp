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
QImage Imagen_Nueva(const QSize& size, QImage::Format format) {
    constexpr size_t kPagina = size_t{2} << 20;
    const QImage medida(1, 1, format);
    const qsizetype linea = ((size.width() * medida.depth() + 31) / 32) * 4;
    const size_t bytes = static_cast<size_t>(linea) * static_cast<size_t>(size.height());
    const size_t reservado = (bytes + kPagina - 1) / kPagina * kPagina;
    void* memoria = bytes > 0 ? std::aligned_alloc(kPagina, reservado) : nullptr;
    if (!memoria) return QImage(size, format);
#ifdef MADV_HUGEPAGE
    madvise(memoria, reservado, MADV_HUGEPAGE);
#endif
    return QImage(static_cast<uchar*>(memoria), size.width(), size.height(), linea, format,
                  [](void* m) { std::free(m); }, memoria);
}

}  // namespace

QImage drawPicture(const QSize& size, QImage::Format format,
                   const std::function<void(QImage&)>& draw) {
    QImage image = Imagen_Nueva(size, format);
    QThreadPool* pool = QThreadPool::globalInstance();
    if (!pool || pool->maxThreadCount() < 1 || pool->contains(QThread::currentThread())) {
        draw(image);
        return image;
    }
    QSemaphore done;
    pool->start([&] {
        draw(image);
        done.release();
    });
    done.acquire();
    return image;
}

}  // namespace platform
