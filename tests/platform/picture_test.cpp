// Pictures drawn away from the calling thread: the same pixels, the size and
// format asked for, and no wait on itself when called from the pool.
#include "platform/Picture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <atomic>

namespace {

// Long antialiased strokes and a gradient over the whole picture: the
// raster engine splits their spans when it draws on the calling thread.
void drawSample(QImage& img) {
    img.fill(QColor(90, 90, 90));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, img.width(), img.height());
    g.setColorAt(0, QColor(96, 104, 116, 200));
    g.setColorAt(1, QColor(52, 58, 66, 120));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    for (int x = -img.height(); x < img.width(); x += 14) {
        p.drawLine(x, img.height(), x + img.height(), 0);
        p.drawLine(x, 0, x + img.height(), img.height());
    }
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(30);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(230, 200, 40));
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("KESTRAM - VORLANT®"));
}

TEST(Picture, SamePixelsSizeAndFormatAsDrawnOnTheCallingThread) {
    const struct {
        QSize size;
        QImage::Format format;
    } cases[] = {
        {{800, 600}, QImage::Format_RGB32},
        {{447, 231}, QImage::Format_RGB32},
        {{447, 231}, QImage::Format_ARGB32_Premultiplied},
        {{333, 101}, QImage::Format_RGB888},  // lines padded to four bytes
        {{1, 1}, QImage::Format_RGB32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.size.width()) + "x" + std::to_string(c.size.height()) +
                     " format " + std::to_string(c.format));
        QImage here(c.size, c.format);
        drawSample(here);
        const QImage drawn = platform::drawPicture(c.size, c.format, drawSample);
        EXPECT_EQ(drawn.size(), c.size);
        EXPECT_EQ(drawn.format(), c.format);
        EXPECT_EQ(drawn.bytesPerLine(), here.bytesPerLine());
        EXPECT_TRUE(drawn == here);
    }
}

// On a pooled thread the raster engine fills its spans alone; called from
// that pool (with a single thread), the picture is drawn where it is asked
// for instead of waiting on a task queued behind itself.
TEST(Picture, DrawnOnAPooledThreadAndOnTheCallersWhenItIsOne) {
    QThreadPool* pool = QThreadPool::globalInstance();
    std::atomic<bool> inPool{false};
    platform::drawPicture(QSize(8, 8), QImage::Format_RGB32, [&](QImage&) {
        inPool = pool->contains(QThread::currentThread());
    });
    EXPECT_TRUE(inPool);

    const int maxThreads = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    QSemaphore done;
    QThread* caller = nullptr;
    QThread* drawer = nullptr;
    pool->start([&] {
        caller = QThread::currentThread();
        platform::drawPicture(QSize(8, 8), QImage::Format_RGB32,
                              [&](QImage&) { drawer = QThread::currentThread(); });
        done.release();
    });
    const bool finished = done.tryAcquire(1, 10000);
    pool->setMaxThreadCount(maxThreads);
    ASSERT_TRUE(finished) << "the pool's only thread waited on itself";
    EXPECT_EQ(drawer, caller);
}

// With every pooled thread taken by other work, the picture is drawn by the
// caller at once rather than after that work.
TEST(Picture, DrawnByTheCallerWhenThePoolIsTaken) {
    QThreadPool* pool = QThreadPool::globalInstance();
    const int maxThreads = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    QSemaphore started, release;
    pool->start([&] {
        started.release();
        release.tryAcquire(1, 10000);  // bounded: a fault must not hang the test
    });
    ASSERT_TRUE(started.tryAcquire(1, 10000));
    QThread* drawer = nullptr;
    platform::drawPicture(QSize(8, 8), QImage::Format_RGB32,
                          [&](QImage&) { drawer = QThread::currentThread(); });
    release.release();
    pool->waitForDone(10000);
    pool->setMaxThreadCount(maxThreads);
    EXPECT_EQ(drawer, QThread::currentThread());
}

}  // namespace
