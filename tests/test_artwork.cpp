#include "panel/artwork.h"
#include "panel/artwork_drawing.h"
#include "panel/artwork_kept.h"

#include <QImage>
#include <QSet>
#include <QtTest>

using artwork::KeyFace;

namespace {

// Picture1: left 600, top 4680, 9975 x 2175 twips; user scale y = 2 at the top, -0.8 at the bottom.
constexpr QRect kChartBox(40, 312, 665, 145);

double chartY(double value)
{
    return kChartBox.top() + (2.0 - value) / 2.8 * kChartBox.height();
}

bool dark(QRgb pixel)
{
    return qGray(pixel) < 110;
}

QImage backgroundImage()
{
    return artwork::background().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void picturesHaveTheSizesTheWindowPlacesThemAt()
    {
        QCOMPARE(artwork::background().deviceIndependentSize().toSize(), QSize(820, 616));
        for (int face = 0; face <= static_cast<int>(KeyFace::Stop); ++face)
            QCOMPARE(artwork::keyFace(static_cast<KeyFace>(face)).deviceIndependentSize().toSize(), QSize(39, 21));
    }

    void everyKeyHasAFaceOfItsOwn()
    {
        QSet<QByteArray> faces;
        for (int face = 0; face <= static_cast<int>(KeyFace::Stop); ++face) {
            const QImage image = artwork::keyFace(static_cast<KeyFace>(face)).toImage();
            faces.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(faces.size(), 16);
    }

    void chartFrameLiesJustOutsidePicture1()
    {
        const QImage image = backgroundImage();
        const int midX = kChartBox.center().x();
        const int midY = kChartBox.center().y();
        QVERIFY(dark(image.pixel(kChartBox.left() - 1, midY)));
        QVERIFY(dark(image.pixel(kChartBox.right() + 1, midY)));
        QVERIFY(dark(image.pixel(midX, kChartBox.top() - 1)));
        QVERIFY(dark(image.pixel(midX, kChartBox.bottom() + 1)));
        QVERIFY(!dark(image.pixel(kChartBox.left() + 1, midY)));
        QVERIFY(!dark(image.pixel(midX, kChartBox.top() + 1)));
    }

    void axisFiguresSitLevelWithTheirValues_data()
    {
        QTest::addColumn<double>("value");
        for (double value : {2.0, 1.5, 1.0, 0.5, 0.0})
            QTest::addRow("%.1f", value) << value;
    }

    void axisFiguresSitLevelWithTheirValues()
    {
        QFETCH(double, value);
        const QImage image = backgroundImage();
        const int level = qRound(chartY(value));
        // The ink of the figure left of the box (tick marks excluded), within half a step of its level.
        int top = -1, bottom = -1;
        for (int y = level - 9; y <= level + 9; ++y) {
            for (int x = 0; x < kChartBox.left() - 6; ++x) {
                if (dark(image.pixel(x, y))) {
                    top = top < 0 ? y : top;
                    bottom = y;
                    break;
                }
            }
        }
        QVERIFY2(top >= 0, "no figure beside the chart box");
        QVERIFY(qAbs((top + bottom) / 2.0 - chartY(value)) <= 2.0);
        QVERIFY(top > level - 9 && bottom < level + 9);
    }

    // What start-up shows is what the drawing code draws now: a stale or garbled kept copy, or one
    // missing from the program, shows here.
    void keptPicturesAreTheDrawnOnes()
    {
#ifndef DURAVEL_KEEPS_ARTWORK
        QSKIP("this build keeps no pictures");
#endif
        using namespace artwork;
        QList<std::pair<kept::Picture, QImage>> pictures{{kept::background(), drawing::background()}};
        for (int face = 0; face <= static_cast<int>(KeyFace::Stop); ++face)
            pictures.append({kept::keyFace(KeyFace(face)), drawing::keyFace(KeyFace(face))});
        for (const int size : drawing::kIconSizes)
            pictures.append({kept::icon(size), drawing::icon(size)});
        for (const auto& [picture, drawn] : pictures) {
            const std::optional<QImage> found = kept::find(picture);
            QVERIFY2(found, qPrintable(picture.name));
            QVERIFY2(*found == drawn.convertToFormat(picture.format), qPrintable(picture.name));
        }
    }

    void windowIconHasSmallAndLargeSizes()
    {
        const QIcon icon = artwork::windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QVERIFY(icon.availableSizes().contains(QSize(64, 64)));
    }
};

QTEST_MAIN(TestArtwork)
#include "test_artwork.moc"
