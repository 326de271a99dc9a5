// The background picture of the frame's free area: drawn for the area's
// layout, kept when the area comes back to the layout before.
#include "principal_test_support.h"

#include "app/MDI_PRINCIPAL.h"

#include <QCoreApplication>
#include <QImage>
#include <QMdiArea>

#include <gtest/gtest.h>

namespace {

class Fondo : public Principal_Prueba {
protected:
    void SetUp() override {
        Arrancar(true);
        principal->show();
        QCoreApplication::processEvents();
    }
    QImage Imagen() const { return principal->Area()->background().textureImage(); }
    void Area_De(const QSize& s) { principal->Area()->viewport()->resize(s); }
};

// A larger area gets a picture of its own that covers it; back at the size
// before, the picture before comes again, not drawn anew, and so on both ways.
TEST_F(Fondo, ALargerAreaGetsItsOwnPictureAndTheOneBeforeIsKept) {
    const QSize propia = principal->Area()->viewport()->size();
    const QImage primera = Imagen();
    ASSERT_FALSE(primera.isNull());
    EXPECT_GE(primera.width(), propia.width());
    EXPECT_GE(primera.height(), propia.height());

    const QSize mayor(1100, 760);
    Area_De(mayor);
    const QImage segunda = Imagen();
    EXPECT_NE(segunda.cacheKey(), primera.cacheKey());
    EXPECT_GE(segunda.width(), mayor.width());
    EXPECT_GE(segunda.height(), mayor.height());

    Area_De(propia);
    EXPECT_EQ(Imagen().cacheKey(), primera.cacheKey());
    Area_De(mayor);
    EXPECT_EQ(Imagen().cacheKey(), segunda.cacheKey());
    Area_De(propia);
    EXPECT_EQ(Imagen().cacheKey(), primera.cacheKey());

    // Another layout, which the larger picture would cover: a picture of
    // its own, laid out for it.
    const QSize otra(1000, 700);
    Area_De(otra);
    EXPECT_NE(Imagen().cacheKey(), primera.cacheKey());
    EXPECT_NE(Imagen().cacheKey(), segunda.cacheKey());
    EXPECT_GE(Imagen().width(), otra.width());
    EXPECT_GE(Imagen().height(), otra.height());
}

}  // namespace
