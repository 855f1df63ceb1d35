#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
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

    // Several lines through one painter and one repaint, for callers that draw often: a painter
    // costs more than the short lines it draws. The lines appear when the batch ends.
    class Lines {
    public:
        explicit Lines(PictureBox& box);
        ~Lines();
        Lines(const Lines&) = delete;
        Lines& operator=(const Lines&) = delete;

        void line(QPointF from, QPointF to);
        void line(QPointF from, QPointF to, const QColor& colour);
        // Until unclip(), lines touch only the area between these user corners, widened by a
        // pixel all round so that it holds every pixel a line between them lights: redrawing a
        // long line over a short one then costs no more than the short one.
        void clip(QPointF corner, QPointF oppositeCorner);
        void unclip();

    private:
        PictureBox& m_box;
        QPainter m_painter;
    };

    // Erases everything drawn; the scale stays.
    void cls();

    // The drawing at the widget's device pixel ratio, for tests and screenshots; null until the
    // first line.
    const QImage& surface() const;
    // Where a user coordinate falls, in widget pixels.
    QPointF toPixels(QPointF user) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const QPen& penFor(const QColor& colour);
    // A surface of the box's size in its background colour; null while the box has no size.
    QImage blankSurface() const;

    // Made with the first line, so that a box nothing has been drawn in costs no memory.
    QImage m_surface;
    QPointF m_topLeft{0.0, 0.0};
    QPointF m_bottomRight{1.0, 1.0};
    QColor m_foreColor = Qt::black;
    // Pens kept, so that lines drawn again and again in the same colours build no pens.
    QPen m_forePen{m_foreColor, 0};
    QPen m_otherPen{m_foreColor, 0};
};
