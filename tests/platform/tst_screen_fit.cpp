#include "platform/screen_fit.h"

#include <QtTest>

using namespace vornel;

class TestScreenFit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fitting_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("expected");
        // A 1920x1080 screen with a 40-pixel panel at the bottom; minimum 480x320.
        const QRect screen(0, 0, 1920, 1040);
        QTest::newRow("fits already") << QRect(100, 80, 800, 600) << screen << QRect(100, 80, 800, 600);
        QTest::newRow("sliver far up left") << QRect(-2000, -1500, 7, 7) << screen << QRect(0, 0, 480, 320);
        QTest::newRow("larger than the screen, outside it")
            << QRect(2133, 300, 2184, 1500) << screen << QRect(0, 0, 1920, 1040);
        QTest::newRow("over the right edge") << QRect(1500, 100, 800, 600) << screen << QRect(1120, 100, 800, 600);
        QTest::newRow("under the panel") << QRect(100, 900, 800, 600) << screen << QRect(100, 440, 800, 600);
        QTest::newRow("negative size") << QRect(100, 100, -50, -20) << screen << QRect(100, 100, 480, 320);
        QTest::newRow("screen not at the origin")
            << QRect(0, 0, 800, 600) << QRect(1920, 200, 1280, 984) << QRect(1920, 200, 800, 600);
        // At scale factor 2 the same screen offers half as many device-independent pixels.
        QTest::newRow("stored at scale 1, shown at 2")
            << QRect(200, 150, 1600, 900) << QRect(0, 0, 960, 520) << QRect(0, 0, 960, 520);
        QTest::newRow("screen smaller than the minimum")
            << QRect(-5, -5, 10, 10) << QRect(0, 0, 300, 200) << QRect(0, 0, 300, 200);
    }
    void fitting()
    {
        QFETCH(QRect, window);
        QFETCH(QRect, area);
        QFETCH(QRect, expected);
        QCOMPARE(fittedIntoArea(window, area, kMinimumMainWindowSize), expected);
    }

    // A place is the frame's corner and the client's size; the frame around the client goes
    // inside the area as well.
    void fittingWithFrame_data()
    {
        QTest::addColumn<QRect>("placement");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("expected");
        const QMargins titleBar(1, 20, 1, 5);
        QTest::newRow("fits, frame and all") << QRect(100, 80, 800, 600) << titleBar << QRect(100, 80, 800, 600);
        QTest::newRow("client as large as the screen")
            << QRect(0, 0, 1280, 1024) << titleBar << QRect(0, 0, 1278, 999);
        QTest::newRow("far off, larger than the screen")
            << QRect(2133, 2133, 2184, 2184) << titleBar << QRect(0, 0, 1278, 999);
        QTest::newRow("bottom border under the screen's edge")
            << QRect(100, 400, 800, 600) << titleBar << QRect(100, 399, 800, 600);
        QTest::newRow("no frame yet") << QRect(0, 0, 1280, 1024) << QMargins() << QRect(0, 0, 1280, 1024);
        QTest::newRow("client kept to the minimum")
            << QRect(0, 0, 10, 10) << titleBar << QRect(0, 0, 480, 320);
    }
    void fittingWithFrame()
    {
        QFETCH(QRect, placement);
        QFETCH(QMargins, frame);
        QFETCH(QRect, expected);
        const QList<QRect> areas{QRect(0, 0, 1280, 1024)};
        QCOMPARE(placementWithFrameIn(placement, frame, areas, kMinimumMainWindowSize), expected);
    }

    void screenChoice_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<int>("expected");
        // Two screens side by side, the second one lower and smaller.
        QTest::newRow("inside the first") << QRect(10, 10, 100, 100) << 0;
        QTest::newRow("inside the second") << QRect(2000, 300, 100, 100) << 1;
        QTest::newRow("mostly on the second") << QRect(1900, 300, 400, 100) << 1;
        QTest::newRow("mostly on the first") << QRect(1600, 300, 400, 100) << 0;
        QTest::newRow("off to the far left, nearest the first") << QRect(-30000, 0, 10, 10) << 0;
        QTest::newRow("off to the far right, nearest the second") << QRect(9000, 500, 10, 10) << 1;
        QTest::newRow("above the lower second screen") << QRect(2100, 50, 10, 10) << 1;
        QTest::newRow("no size, inside the second") << QRect(2100, 400, 0, 0) << 1;
    }
    void screenChoice()
    {
        QFETCH(QRect, window);
        QFETCH(int, expected);
        const QList<QRect> areas{QRect(0, 0, 1920, 1040), QRect(1920, 200, 1280, 984)};
        QCOMPARE(screenAreaFor(window, areas), expected);
    }

    void noScreens()
    {
        QCOMPARE(screenAreaFor(QRect(0, 0, 10, 10), {}), -1);
    }
};

QTEST_GUILESS_MAIN(TestScreenFit)
#include "tst_screen_fit.moc"
