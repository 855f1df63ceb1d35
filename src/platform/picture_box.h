#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QWidget>

// A picture box: lines drawn in user coordinates onto a surface that persists, so what has been
// drawn survives the window being covered, minimised or restored.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // User coordinates of the top-left and bottom-right corners; y grows upward when top > bottom.
    void setScale(QPointF topLeft, QPointF bottomRight);
    void setForeColor(const QColor& colour);
    QColor foreColor() const;

    // A straight line in the fore colour, or in the given colour.
    void line(QPointF from, QPointF to);
    void line(QPointF from, QPointF to, const QColor& colour);
    // Erases everything drawn; the scale stays.
    void cls();

    // The drawing at the widget's device pixel ratio, for tests and screenshots.
    const QImage& surface() const;
    // Where a user coordinate falls, in widget pixels.
    QPointF toPixels(QPointF user) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_surface;
    QPointF m_topLeft{0.0, 0.0};
    QPointF m_bottomRight{1.0, 1.0};
    QColor m_foreColor = Qt::black;
};
